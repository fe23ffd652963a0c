// The game's program run headless (full screen on the offscreen driver's 1024x768 display, the
// 800x600 game picture stretched over it, 16 ms frames, seeded random numbers):
// - the busiest moments of the sample kitchen "stage1_1" played by a cook: every customer in line
//   with its order sign while the heroine walks (and items fly); the kitchen's frame then updated
//   and drawn by hand, each part on its own clock (CPU of the frame thread), and the whole frame on
//   the process's clock up to the renderer's last pixel (its threads included);
// - the start-up from the compiled resources to the first drawn frame;
// - the peak resident memory while the whole level plays out.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/BenchEngine.h"
#include "framework/app/GameManager.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/support/LevelRun.h"

namespace {

using GF::TPoint;

constexpr float kFrameMs = 16.0f;

bool UseSampleData(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return UseSampleContent(state);
}

CGameField* Kitchen(const CLevelRun& run) {
    return dynamic_cast<CGameField*>(run.Field().Get());
}

// A point where the field finds the device; (-1, -1) when there is none.
TPoint<int> PointOn(CGameField& field, const GF::THolder<CCookObject>& device) {
    const GF::TRect box = device->GetAnimation()->GetBoundingBox();
    for (int y = box.top + 1; y < box.bottom; y += 2)
        for (int x = box.left + 1; x < box.right; x += 2)
            if (field.FindDeviceAt({static_cast<float>(x), static_cast<float>(y)}) == device) return {x, y};
    return {-1, -1};
}

// Every customer the level lets wait at once is in line and shows its order sign.
bool LineIsFull(CGameField& field) {
    const auto& customers = field.GetReceptPanel()->GetCustomers();
    if (static_cast<int>(customers.size()) < GetGameData().zacazParams.customersAtOnce) return false;
    for (const GF::THolder<CZacaz>& customer : customers)
        if (!customer->GetSign()) return false;
    return true;
}

bool Walking(CGameField& field) {
    const GF::THolder<CPers> pers = field.GetPers();
    return pers && pers->GetHandler() == &CPers::UpdateWalk;
}

double Milliseconds(double seconds) {
    return seconds * 1000.0;
}

// The per-frame figures of the kitchen's busy frames, summed.
struct tagBusyFrames {
    int frames = 0;
    double update = 0, draw = 0, process = 0, calls = 0, textures = 0, flying = 0, particles = 0;
    int fewestCalls = 0, mostCalls = 0;
};

// A cook plays the level as the kitchen scenarios do: the next device of the current order, and the
// plate once the order is ready, from the moment the line is first full. Every frame in which the
// line is full (each customer showing its sign) and the heroine walks or an item flies, one extra
// kitchen frame is updated and drawn by hand, each part on the
// frame thread's CPU clock, before the program's own frame reads the cook's clicks.
void KitchenBusyFrame(benchmark::State& state) {
    if (!UseSampleData(state)) return;
    constexpr int kBusyFrames = 150;
    for (auto _ : state) {
        CLevelRun run;
        run.frameMs = kFrameMs;
        run.seed = 7;
        int releaseAt = -1;
        TPoint<int> pressed{};
        bool lineFilled = false;
        int width = 0, height = 0;
        tagBusyFrames busy;
        HGE* hge = hgeCreate(HGE_VERSION);
        auto* engine = dynamic_cast<Engine::CEngine*>(hge);
        const auto click = [&](CLevelRun& r, TPoint<int> point) {
            pressed = point;
            r.MoveMouse(point.x, point.y);
            r.Button(true, point.x, point.y);
            releaseAt = r.FrameNumber() + 1;
        };
        run.Run(
            [&](CLevelRun& r) {
                if (r.FrameNumber() == 0) {
                    r.Play("stage1_1");
                    return true;
                }
                CGameField* field = Kitchen(r);
                if (!field) return true;
                const bool full = field->IsPlaying() && LineIsFull(*field);
                lineFilled = lineFilled || full;
                if (full && (Walking(*field) || field->GetFlyObjectCount() > 0)) {
                    busy.flying += static_cast<double>(field->GetFlyObjectCount());
                    busy.particles += GF::HGENS::ParticleRegistry::Count();
                    const GF::THolder<GF::IScreen> top = r.Top();
                    glFinish();  // what earlier frames left to the renderer's threads is not this one's
                    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
                    const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
                    top->Update(kFrameMs);
                    const double updated = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
                    hge->Gfx_BeginScene(0);
                    hge->Gfx_Clear(0xFF000000);
                    top->Draw();
                    const int calls = hge->Gfx_GetDrawCalls();
                    busy.calls += calls;
                    busy.fewestCalls = busy.frames == 0 ? calls : std::min(busy.fewestCalls, calls);
                    busy.mostCalls = std::max(busy.mostCalls, calls);
                    busy.textures += engine ? engine->TexturesDrawn() : 0;
                    hge->Gfx_EndScene();
                    busy.update += updated - start;
                    busy.draw += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - updated;
                    glFinish();
                    busy.process += CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
                    if (busy.frames++ == 0)
                        SDL_GL_GetDrawableSize(SDL_GL_GetCurrentWindow(), &width, &height);
                    if (busy.frames == kBusyFrames) return false;
                }
                if (releaseAt >= 0) {
                    if (r.FrameNumber() >= releaseAt) {
                        r.Button(false, pressed.x, pressed.y);
                        releaseAt = -1;
                    }
                    return true;
                }
                // The cook waits for a full line before taking the first order.
                if (!lineFilled || !field->IsPlaying() || field->GetLastAction()) return true;
                const GF::THolder<CZacaz> customer = field->GetReceptPanel()->GetCurrentCustomer();
                if (!customer || customer->IsBusy()) return true;
                if (customer->IsReadyToServe()) {
                    const GF::TRect box = field->GetPlateAnimation()->GetBoundingBox();
                    click(r, {(box.left + box.right) / 2, (box.top + box.bottom) / 2});
                } else if (const GF::THolder<CCookObject> device = field->GetNextObject(1)) {
                    click(r, PointOn(*field, device));
                }
                return true;
            },
            9000);
        hge->Release();
        if (busy.frames == 0) {
            state.SkipWithError("the kitchen never got busy");
            break;
        }
        const double frames = busy.frames;
        state.counters["busy_frames"] = frames;
        state.counters["update_cpu_ms"] = Milliseconds(busy.update) / frames;
        state.counters["draw_cpu_ms"] = Milliseconds(busy.draw) / frames;
        state.counters["frame_thread_cpu_ms"] = Milliseconds(busy.update + busy.draw) / frames;
        state.counters["frame_process_cpu_ms"] = Milliseconds(busy.process) / frames;
        state.counters["draw_calls"] = busy.calls / frames;
        state.counters["draw_calls_min"] = busy.fewestCalls;
        state.counters["draw_calls_max"] = busy.mostCalls;
        state.counters["textures"] = busy.textures / frames;
        state.counters["flying"] = busy.flying / frames;
        state.counters["particle_systems"] = busy.particles / frames;
        state.counters["window_width"] = width;
        state.counters["window_height"] = height;
    }
}

void StartUpToFirstFrame(benchmark::State& state) {
    if (!UseSampleData(state)) return;
    double cpu = 0;
    for (auto _ : state) {
        CLevelRun run;
        using TClock = std::chrono::steady_clock;
        const TClock::time_point start = TClock::now();
        const double cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        double seconds = 0;
        // Frame 1's step runs once frame 0 has been drawn.
        run.Run([&](CLevelRun& r) {
            if (r.FrameNumber() < 1) return true;
            seconds = std::chrono::duration<double>(TClock::now() - start).count();
            cpu += CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
            return false;
        });
        state.SetIterationTime(seconds);
    }
    state.counters["process_cpu_ms"] =
        benchmark::Counter(Milliseconds(cpu), benchmark::Counter::kAvgIterations);
}

// A line of /proc/self/status in megabytes ("VmHWM", "VmRSS").
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) return std::atof(line.c_str() + key.size() + 1) / 1024.0;
    }
    return 0;
}

void FullLevelPeakMemory(benchmark::State& state) {
    if (!UseSampleData(state)) return;
    double before = 0, peak = 0, frames = 0;
    for (auto _ : state) {
        before = StatusMegabytes("VmRSS");
        // Lets the peak start again from what the process holds now.
        std::ofstream("/proc/self/clear_refs") << "5";
        CLevelRun run;
        run.frameMs = 40.0f;
        run.seed = 7;
        bool played = false;
        run.Run(
            [&](CLevelRun& r) {
                if (r.FrameNumber() == 0) {
                    r.Play("stage1_1");
                    return true;
                }
                if (Kitchen(r)) played = true;
                return !played || Kitchen(r) != nullptr;  // until the level's screen is gone
            },
            6000);
        peak = StatusMegabytes("VmHWM");
        frames = run.FrameNumber();
        if (!played || run.timedOut) state.SkipWithError("the level did not play to its end");
    }
    state.counters["rss_before_mb"] = before;
    state.counters["peak_rss_mb"] = peak;
    state.counters["frames"] = frames;
}

}  // namespace

BENCHMARK(KitchenBusyFrame)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpToFirstFrame)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FullLevelPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
