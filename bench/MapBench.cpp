// The progress map: one frame of the sample map (seven stage pictures, the current one with its
// ribbons, the 16 x 16 background grid shaded and drifting), updated and drawn at 1024x768 headless,
// the screen idle as the player sees it between levels.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/BenchEngine.h"
#include "engine/Hge.h"
#include "framework/resources/Resource.h"
#include "framework/scene/ObjectMakers.h"
#include "game/app/DataFiles.h"
#include "game/app/Players.h"
#include "game/screens/MapScreen.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

void MapFrame(benchmark::State& state) {
    if (!UseSampleContent(state)) return;
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    hge->Resource_AttachPack("resource.dat");
    InstallSceneObjectMakers();
    GetResource()->Load();
    if (!OpenGameDataFile("gamedata.bin") || !OpenLevelsDataFile("levelsdata.bin")) {
        state.SkipWithError("the sample data files did not load");
        hge->Release();
        return;
    }
    CPlayerProfile& player = GetCurrentPlayer();
    player.stageName = "stage2";
    player.floatVars[1] = 7.0f;
    for (const char* level : {"stage1_1", "stage1_2", "stage2_1", "stage2_2"}) player.levels[level].place = 1;

    {
        const THolder<IScreen> map = CMapScreen::Create();
        map->SetName("ProgressMapScreen");
        map->Initialize("main_menu.ProgressMapScreen", {}, "");
        map->Idle();
        MeasureFrames(
            state, hge, [&] { map->Update(16.0f); }, [&] { map->Draw(); });
        map->Destroy();
    }

    GetResource()->Clear();
    hge->System_Shutdown();
    hge->Release();
}

}  // namespace

BENCHMARK(MapFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
