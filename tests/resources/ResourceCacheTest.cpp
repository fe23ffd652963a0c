#include <gtest/gtest.h>

#include <string>

#include "framework/resources/ResourceCache.h"
#include "tests/support/RecordingEngine.h"

using GF::THolder;
using GF::HGENS::CResourceCache;
using GF::HGENS::CTexture;

namespace {

// A cache of `count` textures "tex0", "tex1", ... over the files "Texture\N.png"; those listed in
// `missing` have no file.
class ResourceCacheTest : public ::testing::Test {
protected:
    void Make(int count, std::initializer_list<int> missing = {}) {
        for (int i = 0; i < count; ++i) {
            const std::string file = "Texture\\" + std::to_string(i);
            if (std::find(missing.begin(), missing.end(), i) == missing.end())
                engine.AddResource(file + ".png", "png");
            cache->RegisterTexture(THolder<CTexture>(new CTexture("tex" + std::to_string(i), file)));
        }
    }
    void TearDown() override { cache->Clear(); }

    int Loads(int number) {
        return engine.CountCalls("Texture_Load Texture/" + std::to_string(number) + ".png");
    }
    int LogLines(const std::string& text) {
        return static_cast<int>(std::count(engine.log.begin(), engine.log.end(), text));
    }

    CRecordingEngine engine;
    THolder<CResourceCache> cache = GF::HGENS::GetResourceCache();
};

}  // namespace

TEST_F(ResourceCacheTest, HitsByNumberAndByNameLoadOnce) {
    Make(3);
    EXPECT_EQ(cache->GetTextureCount(), 3);
    EXPECT_EQ(GF::HGENS::GetResourceCache().Get(), cache.Get());

    const HTEXTURE one = cache->AcquireTexture(1);
    ASSERT_NE(one, 0u);
    EXPECT_EQ(cache->AcquireTexture(1), one);
    EXPECT_EQ(cache->GetTexture("tex1"), one);
    EXPECT_EQ(Loads(1), 1);
    EXPECT_EQ(LogLines("Texture 1 now loading"), 1);

    const HTEXTURE two = cache->GetTexture("tex2");
    EXPECT_NE(two, 0u);
    EXPECT_NE(two, one);
    EXPECT_EQ(LogLines("Texture 2 now loading"), 1);

    EXPECT_EQ(cache->GetTexture("unknown"), 0u);
    EXPECT_EQ(cache->AcquireTexture(-1), 0u);
    EXPECT_EQ(engine.log.size(), 2u);  // neither of those logs
}

TEST_F(ResourceCacheTest, NumbersPastTheTableAreRefusedAndLogged) {
    Make(2);
    EXPECT_EQ(cache->AcquireTexture(2), 0u);
    EXPECT_EQ(cache->AcquireTexture(100000), 0u);
    EXPECT_TRUE(engine.HasLog("Texture 100000 refused"));

    cache->AddToGroup("interfaces", 1);
    cache->AddToGroup("interfaces", 5000);
    cache->PreloadGroup("interfaces");
    EXPECT_TRUE(engine.HasLog("Texture 5000 refused"));
    EXPECT_EQ(Loads(1), 1);
    EXPECT_EQ(cache->GetLoadProgress(), 1.0f);
}

TEST_F(ResourceCacheTest, GroupPreloadReportsProgressStepByStep) {
    Make(4);
    cache->AddToGroup("interfaces", 0);
    cache->AddToGroup("interfaces", 2);
    cache->AddToGroup("interfaces", -1);  // a sprite without texture: nothing to load, still counted
    cache->AddToGroup("game", 3);

    EXPECT_EQ(cache->GetLoadProgress(), 1.0f);  // nothing queued: complete, not 0 / 0
    cache->QueueGroup("interfaces");
    cache->QueueGroup("never filled");
    EXPECT_FLOAT_EQ(cache->GetLoadProgress(), 0.0f);
    cache->StartQueued();

    std::vector<float> progress;
    while (cache->LoadQueued()) progress.push_back(cache->GetLoadProgress());
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_FLOAT_EQ(progress[0], 1.0f / 3);
    EXPECT_FLOAT_EQ(progress[1], 2.0f / 3);
    EXPECT_EQ(progress[2], 1.0f);
    EXPECT_EQ(Loads(0), 1);
    EXPECT_EQ(Loads(2), 1);
    EXPECT_EQ(Loads(1) + Loads(3), 0);
    EXPECT_FALSE(engine.HasLog("now loading"));  // queued loads are silent
}

TEST(ResourceCache, EveryWayOfLoadingFirstStillLetsThePreloadEnd) {
    struct Case {
        const char* what;
        void (*before)(CResourceCache&);   // before the group is queued
        void (*between)(CResourceCache&);  // after the first step
    };
    const Case cases[] = {
        {"acquired by number first", [](CResourceCache& c) { c.AcquireTexture(1); }, nullptr},
        {"loaded by name first", [](CResourceCache& c) { c.GetTexture("tex1"); }, nullptr},
        {"acquired while queued", nullptr, [](CResourceCache& c) { c.AcquireTexture(2); }},
        {"loaded by name while queued", nullptr, [](CResourceCache& c) { c.GetTexture("tex2"); }},
        {"unloaded mid-way", nullptr, [](CResourceCache& c) { c.UnloadAll(); }},
        {"queued twice", nullptr, [](CResourceCache& c) { c.QueueGroup("interfaces"); }},
    };
    for (const Case& c : cases) {
        CRecordingEngine engine;
        THolder<CResourceCache> cache = GF::HGENS::GetResourceCache();
        for (int i = 0; i < 3; ++i) {
            engine.AddResource("Texture\\" + std::to_string(i) + ".png", "png");
            cache->RegisterTexture(
                THolder<CTexture>(new CTexture("tex" + std::to_string(i), "Texture\\" + std::to_string(i))));
            cache->AddToGroup("interfaces", i);
        }
        if (c.before) c.before(*cache);
        // The start-up's own loop: step until the progress reads exactly 1.0 (bounded here).
        cache->QueueGroup("interfaces");
        int steps = 0;
        while (cache->GetLoadProgress() != 1.0f && steps < 100) {
            cache->LoadQueued();
            if (++steps == 1 && c.between) c.between(*cache);
        }
        EXPECT_LT(steps, 100) << c.what;
        EXPECT_EQ(cache->GetLoadProgress(), 1.0f) << c.what;
        // Each texture loaded at most once per unload.
        for (int i = 0; i < 3; ++i)
            EXPECT_LE(engine.CountCalls("Texture_Load Texture/" + std::to_string(i) + ".png"), 2) << c.what;
        cache->Clear();
    }
}

TEST_F(ResourceCacheTest, UnloadAllFreesEverythingAndStartsCountingAfresh) {
    Make(3);
    cache->AddToGroup("interfaces", 0);
    cache->AddToGroup("interfaces", 1);
    cache->PreloadGroup("interfaces");
    ASSERT_EQ(engine.textures.size(), 2u);

    cache->UnloadAll();
    EXPECT_TRUE(engine.textures.empty());
    EXPECT_EQ(cache->GetLoadProgress(), 1.0f);

    EXPECT_NE(cache->AcquireTexture(2), 0u);
    EXPECT_EQ(cache->GetLoadProgress(), 1.0f);  // the load set holds 2 alone, counted once
    EXPECT_NE(cache->AcquireTexture(0), 0u);
    EXPECT_EQ(Loads(0), 2);  // freed, so loaded again
}

// A texture that cannot be had is tried once, whichever way it is asked for, until the packs change.
TEST_F(ResourceCacheTest, AFailedTextureIsTriedOnceUntilThePacksChange) {
    Make(2, {1});
    engine.AddResource("Texture\\1.jp2", "not a picture");
    EXPECT_EQ(cache->AcquireTexture(1), 0u);
    EXPECT_EQ(cache->GetTexture("tex1"), 0u);
    cache->AddToGroup("interfaces", 1);
    cache->PreloadGroup("interfaces");
    EXPECT_EQ(cache->GetLoadProgress(), 1.0f);
    EXPECT_EQ(cache->AcquireTexture(1), 0u);
    EXPECT_EQ(LogLines("Texture 1 now loading"), 1);
    EXPECT_EQ(
        std::count_if(engine.log.begin(), engine.log.end(),
                      [](const std::string& line) { return line.find("Can't load") != std::string::npos; }),
        1);

    engine.AddResource("Texture\\1.png", "png");
    EXPECT_NE(cache->AcquireTexture(1), 0u);
    EXPECT_EQ(LogLines("Texture 1 now loading"), 2);
}

TEST_F(ResourceCacheTest, ClearReleasesTexturesAndTheProcessWideCache) {
    Make(2);
    THolder<CTexture> kept(new CTexture("kept", "Texture\\0"));
    cache->RegisterTexture(kept);
    cache->AcquireTexture(1);
    cache->AcquireTexture(2);
    ASSERT_EQ(engine.textures.size(), 2u);

    CResourceCache* old = cache.Get();
    cache->Clear();
    EXPECT_EQ(cache->GetTextureCount(), 0);
    EXPECT_EQ(engine.textures.size(), 1u);  // the texture held elsewhere lives on
    EXPECT_NE(kept->GetHandle(), 0u);
    cache = GF::HGENS::GetResourceCache();
    EXPECT_NE(cache.Get(), old);
    EXPECT_EQ(cache->GetTextureCount(), 0);
}
