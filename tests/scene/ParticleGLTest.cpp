#include <gtest/gtest.h>

#include <memory>

#include "framework/core/Random.h"
#include "framework/scene/ParticleCore.h"
#include "tests/support/EngineFixture.h"

namespace {

using GF::HGENS::CFGParticleImpl;

constexpr DWORD kBlack = 0xFF000000;

TEST(ParticleGL, TheSampleSparksRiseFromTheirLineAsOnePointBatch) {
    CEngineFixture engine(256, 128);
    ASSERT_TRUE(engine.Ready()) << engine.Error();
    // The built sample archive, in the data folder as the game finds it.
    ASSERT_TRUE(engine->Resource_AttachPack("resource.dat"));
    engine->Random_Seed(7);
    GF::SeedRand(7);

    const HTEXTURE white = engine->Texture_Create(4, 4);
    DWORD* texels = engine->Texture_Lock(white, false, 0, 0, 0, 0);
    ASSERT_TRUE(texels);
    for (int i = 0; i < 16; ++i) texels[i] = 0xFFFFFFFF;
    engine->Texture_Unlock(white);

    auto sparks = std::make_unique<CFGParticleImpl>();
    ASSERT_TRUE(sparks->Load("Particle\\0.PSI"));
    EXPECT_EQ(sparks->GetSpawnLineCount(), 1);
    sparks->texture = white;
    sparks->MoveTo(128.0f, 100.0f);
    for (int i = 0; i < 20; ++i) sparks->Update(0.05f);
    EXPECT_GT(sparks->GetLiveCount(), 20);

    const CEngineFixture::Pixels pixels = engine.DrawInto(256, 128, kBlack, [&] { sparks->Render(); });
    EXPECT_EQ(engine->Gfx_GetDrawCalls(), 1);
    engine->Texture_Free(white);

    // Born on the line (±4 px), they only rise; the largest is 14 px across.
    int lit = 0, litBelow = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if ((pixels.At(x, y) & 0xFFFFFF) != 0) ++(y > 100 + 4 + 7 ? litBelow : lit);
    EXPECT_GT(lit, 100);
    EXPECT_EQ(litBelow, 0);
}

}  // namespace
