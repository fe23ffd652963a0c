// Drawing cost of a busy frame: 10,000 sprites of one texture at 1024x768, headless.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/BenchEngine.h"
#include "engine/Hge.h"

namespace {

void SpritesOfOneTexture(benchmark::State& state) {
    const int sprites = static_cast<int>(state.range(0));
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    const HTEXTURE tex = hge->Texture_Create(64, 64);
    std::vector<hgeQuad> quads(static_cast<size_t>(sprites));
    std::srand(1);
    for (hgeQuad& quad : quads) {
        const float x = static_cast<float>(std::rand() % 992), y = static_cast<float>(std::rand() % 736);
        quad.v[0] = {x, y, 0.5f, 0xFFFFFFFF, 0, 0};
        quad.v[1] = {x + 32, y, 0.5f, 0xFFFFFFFF, 0.5f, 0};
        quad.v[2] = {x + 32, y + 32, 0.5f, 0xFFFFFFFF, 0.5f, 0.5f};
        quad.v[3] = {x, y + 32, 0.5f, 0xFFFFFFFF, 0, 0.5f};
        quad.tex = tex;
        quad.blend = BLEND_DEFAULT;
    }

    double drawCalls = 0;
    const double cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (auto _ : state) {
        hge->Gfx_BeginScene(0);
        hge->Gfx_Clear(0xFF000000);
        for (const hgeQuad& quad : quads) hge->Gfx_RenderQuad(&quad);
        hge->Gfx_EndScene();
        drawCalls += hge->Gfx_GetDrawCalls();
    }
    // Process time includes the software renderer's own threads.
    state.counters["cpu_ms_per_frame"] = benchmark::Counter(
        (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) * 1000.0, benchmark::Counter::kAvgIterations);
    state.counters["draw_calls_per_frame"] =
        benchmark::Counter(drawCalls, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * sprites);

    hge->Texture_Free(tex);
    hge->System_Shutdown();
    hge->Release();
}

}  // namespace

BENCHMARK(SpritesOfOneTexture)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
