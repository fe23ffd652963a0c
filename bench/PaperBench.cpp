// The recipe book's page-turn effect on the sample book's page at 1024x768 headless: building one
// leaf (both sides drawn into their textures through the page mask), and one frame of a turning leaf
// (its 16 x 16 mesh laid out anew and drawn front and back).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/BenchEngine.h"
#include "engine/Hge.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "game/screens/PaperEffect.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

struct CBook {
    explicit CBook(HGE* hge) {
        hge->Resource_AttachPack("resource.dat");
        InstallSceneObjectMakers();
        GetResource()->Load();
        page = scene->CreateAnimation("cookingbook.page_1");
        if (page) {
            page->Play("_idle", 0, false);
            page->Update(0.0f);
        }
        mask = GetResourceCache()->GetTexture("cookbook_page_1");
        leaf = CPaperEffect::Create(0.0f, 0.5f, 1.5707964f, {424, 37, 760, 533});
        leaf->SetTextureSize(334, 494);
    }
    ~CBook() {
        leaf.Reset();
        page.Reset();
        scene->Clear();
        GetResource()->Clear();
    }
    THolder<CScene> scene = MakeHolder<CScene>();
    TAnimationPtr page;
    HTEXTURE mask = 0;
    THolder<CPaperEffect> leaf;
};

void PaperLeafBuild(benchmark::State& state) {
    if (!UseSampleContent(state)) return;
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    {
        CBook book(hge);
        double cpu = 0;
        for (auto _ : state) {
            const double start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
            if (!book.leaf->Build(book.page, book.page, book.mask, book.mask)) state.SkipWithError("no leaf");
            cpu += CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - start;
        }
        state.counters["build_cpu_ms"] = benchmark::Counter(cpu * 1000.0, benchmark::Counter::kAvgIterations);
    }
    hge->System_Shutdown();
    hge->Release();
}

void PaperTurningFrame(benchmark::State& state) {
    if (!UseSampleContent(state)) return;
    HGE* hge = StartBenchEngine(state);
    if (!hge) return;
    {
        CBook book(hge);
        if (!book.leaf->Build(book.page, book.page, book.mask, book.mask)) state.SkipWithError("no leaf");
        float t = 0.0f;
        MeasureFrames(
            state, hge,
            [&] {
                t = t >= 0.95f ? 0.05f : t + 0.05f;
                book.leaf->SetProgress(t);
            },
            [&] { book.leaf->Render(); });
    }
    hge->System_Shutdown();
    hge->Release();
}

}  // namespace

BENCHMARK(PaperLeafBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(PaperTurningFrame)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
