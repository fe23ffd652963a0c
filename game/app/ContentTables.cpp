// The program's one level data object and one library, and their reading from the open files.
#include <string>
#include <utility>

#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"

namespace {

// Parses the file into a fresh object and moves it in; a refusal is logged with the file's name.
template <class T>
bool ReadTables(GF::THolder<GF::IDataInputStream>& stream, T& tables, const char* fileName,
                bool (*parse)(GF::CInputStream&, T&, std::string&)) {
    std::string why = "no stream";
    if (stream && parse(*stream, tables, why)) return true;
    GameLog("%s: %s", fileName, why.c_str());
    return false;
}

}  // namespace

CLevelsData& GetLevelsData() {
    static CLevelsData data;
    return data;
}

bool ReadLevelsData(GF::THolder<GF::IDataInputStream> stream) {
    return ReadTables(stream, GetLevelsData(), "levelsdata.bin", &ParseLevelsData);
}

CLibData& GetLibData() {
    static CLibData data;
    return data;
}

CIngridientInfo& FindIngridientInfo(const std::string& name) {
    return GetLibData().FindIngridientInfo(name);
}

bool ReadLibData(GF::THolder<GF::IDataInputStream> stream) {
    return ReadTables(stream, GetLibData(), "libdata.bin", &ParseLibData);
}
