#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "game/app/FilterSpriteManager.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "tests/support/SampleFiles.h"
#include "tests/support/TempFolder.h"

// A file of the built archive, whatever data folder the suite has set for itself.
inline std::vector<unsigned char> LoadBuiltSampleFile(const std::string& name) {
    const CScopedEnv built("QUINDLE_DATA_DIR", std::string(QUINDLE_TEST_DATA_DIR));
    return LoadSampleFile(name);
}

// A table of the built sample archive as the program's own for a scope, put back as it was at its end.
template <class TData, TData& (*Table)(), bool (*Parse)(GF::CInputStream&, TData&, std::string&)>
class CSampleTable {
public:
    explicit CSampleTable(const std::string& file) {
        const std::vector<unsigned char> bytes = LoadBuiltSampleFile(file);
        GF::CMemoryInputStream in(bytes);
        std::string why;
        EXPECT_TRUE(Parse(in, Table(), why)) << why;
    }
    ~CSampleTable() { Table() = m_saved; }
    CSampleTable(const CSampleTable&) = delete;
    CSampleTable& operator=(const CSampleTable&) = delete;

private:
    TData m_saved = Table();
};

struct CSampleGameData : CSampleTable<CGameData, GetGameData, ParseGameData> {
    CSampleGameData() : CSampleTable("Binary/gamedata.bin") {}
};

struct CSampleLevelsData : CSampleTable<CLevelsData, GetLevelsData, ParseLevelsData> {
    CSampleLevelsData() : CSampleTable("Binary/levelsdata.bin") {}
};

// The sample library, and the filter-sprite manager dropped at its end.
struct CSampleLibrary : CSampleTable<CLibData, GetLibData, ParseLibData> {
    CSampleLibrary() : CSampleTable("Binary/libdata.bin") {}
    ~CSampleLibrary() { CFilterSpriteManager::DropInstance(); }
};
