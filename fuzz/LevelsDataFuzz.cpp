// "levelsdata.bin" as the level data parser reads it, into tables that already hold a level; then a
// heroine on every level read, walking over its grid and floor as they came.
#include "fuzz/TablesRoundTrip.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/Pers.h"
#include "tests/support/RecordingEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CRecordingEngine engine;  // the kitchen's log
    static const CLevelsData held = [] {
        CLevelsData tables;
        tables.GetLevel("stage1_1").Orders.resize(2);
        tables.GetStage("stage1").Number = 1;
        tables.CookBookValues = {40.0f, 200.0f};
        return tables;
    }();
    CLevelsData read;
    if (!CheckTablesRoundTrip(data, size, held, &ParseLevelsData, &WriteLevelsData, &read)) return 0;
    for (const auto& [name, level] : read.Levels) {
        SetFloorQuad(level.FloorQuad);
        const GF::THolder<CPers> pers = CPers::Create(0, level.WalkGrid.begin(), level.WalkGrid.end(), {});
        const GF::TPoint<float> targets[] = {
            {static_cast<float>(level.ScorePoint.X), static_cast<float>(level.ScorePoint.Y)},
            {0.0f, 0.0f},
            {15.9f, 15.9f},
            {-3.0f, 40.0f}};
        for (const GF::TPoint<float>& target : targets) {
            pers->MoveTo(target.x, target.y);
            for (int frame = 0; frame < 40; ++frame) pers->Update(16.0f);
        }
        const GF::TPoint<float> at = pers->GetFloorPosition();
        FUZZ_CHECK(at.x >= 0.0f && at.x <= 15.0f && at.y >= 0.0f && at.y <= 15.0f);
    }
    FloorQuad() = CFloorQuad{};
    return 0;
}
