// A busy scene: 2,000 animated sprites (moving, turning, fading, on five layers) cut from one
// texture, at 1024x768 headless. Per frame: the scene's update and its draw in CPU time, and the
// engine's draw calls. Once as 2,000 animations of one sprite, once as 250 animations of eight.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "bench/BenchEngine.h"
#include "engine/Hge.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// The animation "bench.dish" of `sprites` sprites, each cut from texture 0 (the sample font's page)
// and animated on every track a sprite plays.
void DescribeDish(CResource& resource, int sprites) {
    resource.CreateModule("bench");
    const THolder<CAnimationData> dish = resource.CreateAnimationData("bench", "dish");
    dish->AddNamedPart(MakeHolder<CNamedPart>(0.0f, 1000.0f, 0, "all"));
    const int info = resource.AddHGESpriteInfo("part", 0, 0, 0, 32, 32);
    for (int i = 0; i < sprites; ++i) {
        const auto part = MakeHolder<CSpriteObjectData>("part" + std::to_string(i));
        const float dx = static_cast<float>(i % 4) * 12.0f, dy = static_cast<float>(i / 4) * 12.0f;
        part->GetIDResource()->push_back({info, 0, 1000});
        part->GetOffset()->push_back({{dx, dy}, 1, 500});
        part->GetOffset()->push_back({{dx + 20, dy + 10}, 1, 500});
        part->GetOffset()->push_back({{dx, dy}, 0, 0});
        part->GetRotate()->push_back({0.0f, 1, 1000});
        part->GetRotate()->push_back({6.2831853f, 0, 0});
        part->GetOpaque()->push_back({1.0f, 1, 500});
        part->GetOpaque()->push_back({0.5f, 1, 500});
        part->GetOpaque()->push_back({1.0f, 0, 0});
        part->GetHotspot()->push_back({{5000, 5000}, 0, 1000});
        part->GetBlend()->push_back({2, 0, 1000});
        part->GetColor()->push_back({hgeColor(1.0f, 0.9f, 0.8f, 1.0f), 0, 1000});
        part->GetLayer()->push_back({i % 5, 0, 1000});
        dish->AddObjectData(part);
    }
}

void AnimatedSprites(benchmark::State& state) {
    const int animations = static_cast<int>(state.range(0));
    const int spritesEach = static_cast<int>(state.range(1));
    if (!UseSampleContent(state)) return;
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    // The sample archive's font page serves as the sprites' texture.
    hge->Resource_AttachPack("resource.dat");
    InstallSceneObjectMakers();
    THolder<CResource> resource = GetResource();
    GetResourceCache()->RegisterTexture(MakeHolder<CTexture>("page", "Font\\0\\0_000"));
    DescribeDish(*resource, spritesEach);

    THolder<CScene> scene = MakeHolder<CScene>();
    std::srand(1);
    for (int i = 0; i < animations; ++i) {
        const TAnimationPtr dish = scene->CreateAnimation("bench.dish");
        dish->SetPosition(static_cast<float>(std::rand() % 960), static_cast<float>(std::rand() % 700));
        dish->Play("all", -1, false);
        dish->Update(static_cast<float>(std::rand() % 1000));  // not all in step
    }

    double updateCpu = 0, drawCpu = 0, drawThreadCpu = 0, drawCalls = 0;
    for (auto _ : state) {
        const double start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        scene->Update(1000.0f / 60.0f);
        const double updated = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double threadBefore = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        hge->Gfx_BeginScene(0);
        hge->Gfx_Clear(0xFF000000);
        scene->Render();
        hge->Gfx_EndScene();
        drawThreadCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadBefore;
        const double drawn = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        updateCpu += updated - start;
        drawCpu += drawn - updated;
        drawCalls += hge->Gfx_GetDrawCalls();
    }
    // Process time: the draw's share includes the software renderer's own threads; the thread time
    // is the scene's drawing and the engine's batching on the frame thread.
    const auto perFrame = benchmark::Counter::kAvgIterations;
    state.counters["update_cpu_ms"] = benchmark::Counter(updateCpu * 1000.0, perFrame);
    state.counters["draw_cpu_ms"] = benchmark::Counter(drawCpu * 1000.0, perFrame);
    state.counters["draw_thread_cpu_ms"] = benchmark::Counter(drawThreadCpu * 1000.0, perFrame);
    state.counters["draw_calls"] = benchmark::Counter(drawCalls, perFrame);
    state.counters["drawables"] = scene->GetDrawableCount();
    state.SetItemsProcessed(state.iterations() * animations * spritesEach);

    scene->Clear();
    scene.Reset();
    resource->Clear();
    resource.Reset();
    hge->System_Shutdown();
    hge->Release();
}

}  // namespace

BENCHMARK(AnimatedSprites)->Args({2000, 1})->Args({250, 8})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
