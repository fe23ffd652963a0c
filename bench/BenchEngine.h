#pragma once
// What the drawing benchmarks share: a headless 1024x768 engine and the CPU clocks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/Engine.h"
#include "engine/Hge.h"
#include "engine/ResourcePacks.h"

// The whole process (the software renderer's threads included), or this thread alone.
inline double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

#ifdef QUINDLE_BENCH_DATA_DIR
// Points the engine at the sample content the build made (unless QUINDLE_DATA_DIR names another
// folder). False, and the benchmark skipped saying what is missing where, when it is not there: the
// figures of a run without its pictures and data would mean nothing.
inline bool UseSampleContent(benchmark::State& state) {
    setenv("QUINDLE_DATA_DIR", QUINDLE_BENCH_DATA_DIR, 0);
    const std::filesystem::path folder = Engine::DataFolder();
    std::error_code error;
    std::string missing;
    if (!std::filesystem::is_directory(folder, error))
        missing = "the data folder " + folder.string() + " does not exist";
    else if (!std::filesystem::is_regular_file(folder / "resource.dat", error))
        missing = "the data folder " + folder.string() + " has no resource.dat";
    if (missing.empty()) return true;
    state.SkipWithError((missing + " (build the content target)").c_str());
    return false;
}
#endif

// A started engine with an unpaced 1024x768 window under the offscreen driver; null (and the
// benchmark skipped with the engine's error) when it cannot start.
inline HGE* StartBenchEngine(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_SetStateInt(HGE_SCREENWIDTH, 1024);
    hge->System_SetStateInt(HGE_SCREENHEIGHT, 768);
    hge->System_SetStateBool(HGE_WINDOWED, true);
    hge->System_SetStateInt(HGE_FPS, 0);
    if (hge->System_Initiate()) return hge;
    state.SkipWithError(hge->System_GetErrorMessage());
    hge->Release();
    return nullptr;
}

// Runs the benchmark's frames: `update`, then `draw` in a scene of its own, each on the frame thread's
// CPU clock. Reports per frame: the CPU of the update, of the drawing (the draw calls' submission
// included) and of both, the draw calls, and the distinct textures they used (the fewest calls the
// frame could be batched into).
template <class TUpdate, class TDraw>
void MeasureFrames(benchmark::State& state, HGE* hge, TUpdate update, TDraw draw) {
    auto* engine = dynamic_cast<Engine::CEngine*>(hge);
    double updateSeconds = 0, drawSeconds = 0, calls = 0, textures = 0;
    for (auto _ : state) {
        const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        update();
        const double updated = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        hge->Gfx_BeginScene(0);
        hge->Gfx_Clear(0xFF000000);
        draw();
        calls += hge->Gfx_GetDrawCalls();
        textures += engine ? engine->TexturesDrawn() : 0;
        hge->Gfx_EndScene();
        updateSeconds += updated - start;
        drawSeconds += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - updated;
    }
    const auto average = benchmark::Counter::kAvgIterations;
    state.counters["update_cpu_ms"] = benchmark::Counter(updateSeconds * 1000.0, average);
    state.counters["draw_cpu_ms"] = benchmark::Counter(drawSeconds * 1000.0, average);
    state.counters["frame_thread_cpu_ms"] =
        benchmark::Counter((updateSeconds + drawSeconds) * 1000.0, average);
    state.counters["draw_calls"] = benchmark::Counter(calls, average);
    state.counters["textures"] = benchmark::Counter(textures, average);
}
