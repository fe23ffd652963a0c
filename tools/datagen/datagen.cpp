// Turns the readable JSON sources of one of the game's data files into the binary file the game reads:
//
//     datagen <kind> <output file> <json files...>
//
// (the kind "levelsdata" takes the built libdata.bin and the resource script among its files, see
// LevelSources.h).
// The files are read in the order of their file names into one record (see CJsonReader), written with
// the game's own writer and parsed back with the game's own parser: a file the game would refuse is
// never written. Any fault names the file and the JSON path on stderr and ends with status 1.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "game/app/GameData.h"
#include "tools/OutputFiles.h"
#include "tools/datagen/LevelSources.h"
#include "tools/datagen/Sources.h"

namespace {

// A screen the flow shows is made on the layout its rule names; a screen that comes by two rules on
// two layouts opens with the parts its code looks for on one and without them on the other.
bool CheckFlowLayouts(const CGameData& data, std::string& why) {
    std::map<std::string, std::size_t> firstRule;
    for (std::size_t i = 0; i < data.flowRules.size(); ++i) {
        const CFlowRule& rule = data.flowRules[i];
        if (rule.target.empty() || rule.target == "None") continue;
        const auto [it, first] = firstRule.emplace(rule.target, i);
        const CFlowRule& earlier = data.flowRules[it->second];
        if (first || earlier.switchName == rule.switchName) continue;
        why = "/flowRules/" + std::to_string(i) + ": \"" + rule.target + "\" is shown on the layout \"" +
              rule.switchName + "\", but /flowRules/" + std::to_string(it->second) + " shows it on \"" +
              earlier.switchName + "\"";
        return false;
    }
    return true;
}

// Customers come one per arrival interval until as many wait as the column of order signs holds; a
// negative interval brings one every frame, and more signs than fit the window's 600 pixels hang
// below it, where no click reaches their orders.
bool CheckArrivals(const CGameData& data, std::string& why) {
    const CZacazParams& panel = data.zacazParams;
    if (panel.arrivalInterval < 0) {
        why = "/zacazParams/arrivalInterval: " + std::to_string(panel.arrivalInterval) +
              " ms; customers can't come more often than every frame";
        return false;
    }
    constexpr float kWindowHeight = 600.0f;
    const float room = kWindowHeight - panel.firstRowY - panel.openStep;
    const int64_t fit =
        panel.rowStep > 0.0f && room >= 0.0f ? 1 + static_cast<int64_t>(room / panel.rowStep) : 1;
    if (panel.customersAtOnce < 0 || (panel.customersAtOnce > fit && panel.rowStep > 0.0f)) {
        why = "/zacazParams/customersAtOnce: " + std::to_string(panel.customersAtOnce) +
              " customers at once, but the window holds the order signs of 0 to " + std::to_string(fit);
        return false;
    }
    return true;
}

bool BuildGameData(const std::vector<std::string>& files, Bytes& bytes, std::string& why) {
    CGameData record{};
    return ReadSources(files, record, why) && CheckFlowLayouts(record, why) && CheckArrivals(record, why) &&
           WriteChecked(record, ParseGameData, WriteGameData, bytes, why);
}

const std::map<std::string, bool (*)(const std::vector<std::string>& files, Bytes& bytes, std::string& why)>
    kKinds = {{"gamedata", &BuildGameData}, {"libdata", &BuildLibData}, {"levelsdata", &BuildLevelsData}};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: datagen <kind> <output file> <json files...>\n";
        return 2;
    }
    const auto found = kKinds.find(argv[1]);
    if (found == kKinds.end()) {
        std::cerr << "datagen: unknown kind \"" << argv[1] << "\"\n";
        return 2;
    }
    std::vector<std::string> files(argv + 3, argv + argc);
    std::stable_sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return std::filesystem::path(a).filename() < std::filesystem::path(b).filename();
    });

    Bytes bytes;
    std::string why;
    if (!found->second(files, bytes, why)) {
        std::cerr << "datagen: " << why << "\n";
        return 1;
    }
    return WriteOutputFile("datagen", argv[2], bytes) ? 0 : 1;
}
