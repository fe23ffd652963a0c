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

// The sample library data as the program's library for a scope, and the filter-sprite manager
// dropped at its end; the library is put back as it was.
class CSampleLibrary {
public:
    CSampleLibrary() {
        const std::vector<unsigned char> bytes = LoadBuiltSampleFile("Binary/libdata.bin");
        GF::CMemoryInputStream in(bytes);
        std::string why;
        EXPECT_TRUE(ParseLibData(in, GetLibData(), why)) << why;
    }
    ~CSampleLibrary() {
        CFilterSpriteManager::DropInstance();
        GetLibData() = m_saved;
    }
    CSampleLibrary(const CSampleLibrary&) = delete;
    CSampleLibrary& operator=(const CSampleLibrary&) = delete;

private:
    CLibData m_saved = GetLibData();
};

// The sample game data as the program's game database for a scope, put back as it was at its end.
class CSampleGameData {
public:
    CSampleGameData() {
        const std::vector<unsigned char> bytes = LoadBuiltSampleFile("Binary/gamedata.bin");
        GF::CMemoryInputStream in(bytes);
        std::string why;
        EXPECT_TRUE(ParseGameData(in, GetGameData(), why)) << why;
    }
    ~CSampleGameData() { GetGameData() = m_saved; }
    CSampleGameData(const CSampleGameData&) = delete;
    CSampleGameData& operator=(const CSampleGameData&) = delete;

private:
    CGameData m_saved = GetGameData();
};

// The sample level data as the program's level data for a scope, put back as it was at its end.
class CSampleLevelsData {
public:
    CSampleLevelsData() {
        const std::vector<unsigned char> bytes = LoadBuiltSampleFile("Binary/levelsdata.bin");
        GF::CMemoryInputStream in(bytes);
        std::string why;
        EXPECT_TRUE(ParseLevelsData(in, GetLevelsData(), why)) << why;
    }
    ~CSampleLevelsData() { GetLevelsData() = m_saved; }
    CSampleLevelsData(const CSampleLevelsData&) = delete;
    CSampleLevelsData& operator=(const CSampleLevelsData&) = delete;

private:
    CLevelsData m_saved = GetLevelsData();
};
