// Turns the readable JSON sources of one of the game's data files into the binary file the game reads:
//
//     datagen <kind> <output file> <json files...>
//
// The files are read in the order of their file names into one record (see CJsonReader), written with
// the game's own writer and parsed back with the game's own parser: a file the game would refuse is
// never written. Any fault names the file and the JSON path on stderr and ends with status 1.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "framework/core/MemoryStreams.h"
#include "game/app/GameData.h"
#include "tools/datagen/JsonReader.h"

namespace {

using Bytes = std::vector<unsigned char>;

bool ReadJson(const std::string& file, nlohmann::json& json, std::string& why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = file + ": cannot be opened";
        return false;
    }
    try {
        json = nlohmann::json::parse(in, nullptr, true, /*ignore_comments*/ true);
    } catch (const nlohmann::json::parse_error& error) {
        why = file + ": " + error.what();
        return false;
    }
    return true;
}

// Reads the files into a fresh R, writes it, and checks that the game's parser takes the bytes back
// and that they write again unchanged.
template <class R, bool (*Parse)(GF::CInputStream&, R&, std::string&),
          void (*Write)(GF::COutputStream&, const R&)>
bool Build(const std::vector<std::string>& files, Bytes& bytes, std::string& why) {
    R record{};
    std::map<std::string, std::string> given;
    for (const std::string& file : files) {
        nlohmann::json json;
        if (!ReadJson(file, json, why)) return false;
        CJsonReader reader(file, given);
        if (!reader.ReadTop(json, record)) {
            why = reader.Error();
            return false;
        }
    }
    GF::CMemoryOutputStream out;
    Write(out, record);
    GF::CMemoryInputStream in(out.data);
    R back{};
    if (!Parse(in, back, why)) {
        why = "the game refuses the result: " + why;
        return false;
    }
    GF::CMemoryOutputStream again;
    Write(again, back);
    if (again.data != out.data) {
        why = "the result does not read back to the same bytes";
        return false;
    }
    bytes = std::move(out.data);
    return true;
}

struct CKind {
    const char* name;
    bool (*build)(const std::vector<std::string>& files, Bytes& bytes, std::string& why);
};

const CKind kKinds[] = {
    {"gamedata", &Build<CGameData, ParseGameData, WriteGameData>},
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
