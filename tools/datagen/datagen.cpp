// Turns the readable JSON sources of one of the game's data files into the binary file the game reads:
//
//     datagen <kind> <output file> <json files...>
//
// (the kind "levelsdata" takes the built libdata.bin among its files, see LevelSources.h).
// The files are read in the order of their file names into one record (see CJsonReader), written with
// the game's own writer and parsed back with the game's own parser: a file the game would refuse is
// never written. Any fault names the file and the JSON path on stderr and ends with status 1.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "game/app/GameData.h"
#include "tools/datagen/LevelSources.h"
#include "tools/datagen/Sources.h"

namespace {

template <class R, bool (*Parse)(GF::CInputStream&, R&, std::string&),
          void (*Write)(GF::COutputStream&, const R&)>
bool Build(const std::vector<std::string>& files, Bytes& bytes, std::string& why) {
    R record{};
    return ReadSources(files, record, why) && WriteChecked(record, Parse, Write, bytes, why);
}

struct CKind {
    const char* name;
    bool (*build)(const std::vector<std::string>& files, Bytes& bytes, std::string& why);
};

const CKind kKinds[] = {
    {"gamedata", &Build<CGameData, ParseGameData, WriteGameData>},
    {"libdata", &BuildLibData},
    {"levelsdata", &BuildLevelsData},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: datagen <kind> <output file> <json files...>\n";
        return 2;
    }
    const std::string kind = argv[1];
    const auto* found =
        std::find_if(std::begin(kKinds), std::end(kKinds), [&](const CKind& k) { return kind == k.name; });
    if (found == std::end(kKinds)) {
        std::cerr << "datagen: unknown kind \"" << kind << "\"\n";
        return 2;
    }
    std::vector<std::string> files(argv + 3, argv + argc);
    std::stable_sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return std::filesystem::path(a).filename() < std::filesystem::path(b).filename();
    });

    Bytes bytes;
    std::string why;
    if (!found->build(files, bytes, why)) {
        std::cerr << "datagen: " << why << "\n";
        return 1;
    }
    const std::filesystem::path output = argv[2];
    if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path());
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "datagen: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
