// The window shades: both cloth meshes of the screens' transition (16 x 16 nodes each, laid out
// anew every frame) updated and drawn for one frame half-way through opening, at 1024x768 headless.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/BenchEngine.h"
#include "engine/Hge.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/Texture.h"
#include "framework/scene/HgeSprite.h"
#include "game/app/GameData.h"
#include "game/app/WaveEffect.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

void ShadesFrame(benchmark::State& state) {
    if (!UseSampleContent(state)) return;
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    // The sample archive's curtain.
    hge->Resource_AttachPack("resource.dat");
    GetResourceCache()->RegisterTexture(MakeHolder<CTexture>("cloth", "Texture\\1"));
    const THolder<CHGESprite> sprite =
        MakeHolder<CHGESprite>(GetResourceCache()->GetTexture("cloth"), 0.0f, 0.0f, 256.0f, 512.0f);
    GetGameData().flyPaths["open"] = {"open", {{0.0f, 0.0f}, {0.5f, 0.5f}, {1.0f, 1.0f}}};
    GetGameData().flyPaths["open_2"] = {"open_2", {{0.0f, 1.0f}, {1.0f, 1.0f}}};
    const THolder<CWaveEffect> left = CreateWaveEffect(0, sprite, {-30, -1, 410, 601});
    const THolder<CWaveEffect> right = CreateWaveEffect(0, sprite, {830, -1, 410, 601});
    left->Start("open", 1250.0f);
    right->Start("open", 1125.0f);
    left->Update(0.6f);
    right->Update(0.6f);

    double cpu = 0;
    for (auto _ : state) {
        const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        hge->Gfx_BeginScene(0);
        hge->Gfx_Clear(0xFF000000);
        left->Update(0.0f);  // the layout a drawn frame computes, at a standing clock
        right->Update(0.0f);
        left->Render();
        right->Render();
        hge->Gfx_EndScene();
        cpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start;
    }
    state.counters["frame_thread_cpu_ms"] =
        benchmark::Counter(cpu * 1000.0, benchmark::Counter::kAvgIterations);

    GetResource()->Clear();
    hge->System_Shutdown();
    hge->Release();
}

}  // namespace

BENCHMARK(ShadesFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
