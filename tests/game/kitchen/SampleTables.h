#pragma once
#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/ResourcePacks.h"
#include "framework/core/MemoryStreams.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"

// The bytes of a file of the built archive (QUINDLE_TEST_DATA_DIR/resource.dat); empty without it.
inline std::vector<unsigned char> Archived(const char* name) {
    Engine::CLog log;
    Engine::CResourcePacks packs(log, QUINDLE_TEST_DATA_DIR);
    if (!packs.Attach("resource.dat")) return {};
    size_t size = 0;
    void* block = packs.Load(name, &size);
    if (!block) return {};
    const auto* bytes = static_cast<const unsigned char*>(block);
    std::vector<unsigned char> data(bytes, bytes + size);
    Engine::CResourcePacks::Free(block);
    return data;
}

// The game data, level and library tables of the built sample into the program's own; `why` names
// what did not read.
inline bool LoadSampleTables(std::string& why) {
    GF::CMemoryInputStream game(Archived("Binary\\gamedata.bin")), levels(Archived("Binary\\levelsdata.bin")),
        lib(Archived("Binary\\libdata.bin"));
    return ParseGameData(game, GetGameData(), why) && ParseLevelsData(levels, GetLevelsData(), why) &&
           ParseLibData(lib, GetLibData(), why);
}
