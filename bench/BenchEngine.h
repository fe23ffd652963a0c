#pragma once
// What the drawing benchmarks share: a headless 1024x768 engine and the CPU clocks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

#include "engine/Hge.h"

// The whole process (the software renderer's threads included), or this thread alone.
inline double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

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
