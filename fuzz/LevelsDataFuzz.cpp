// "levelsdata.bin" as the level data parser reads it, into tables that already hold a level.
#include "fuzz/TablesRoundTrip.h"
#include "game/app/LevelsData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CLevelsData held = [] {
        CLevelsData tables;
        tables.GetLevel("stage1_1").Orders.resize(2);
        tables.GetStage("stage1").Number = 1;
        tables.CookBookValues = {40.0f, 200.0f};
        return tables;
    }();
    CheckTablesRoundTrip(data, size, held, &ParseLevelsData, &WriteLevelsData);
    return 0;
}
