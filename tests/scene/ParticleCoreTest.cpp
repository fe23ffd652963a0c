#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/app/GameManager.h"
#include "framework/core/Random.h"
#include "framework/scene/ParticleCore.h"
#include "tests/support/ParticleFileWriter.h"
#include "tests/support/RecordingEngine.h"

namespace {

using GF::HGENS::CFGParticleImpl;
using GF::HGENS::CParticleFileHeader;
using GF::HGENS::tagDeflectLine;
using GF::HGENS::tagSpawnLine;

constexpr const char* kFile = "Particle\\test.fgp";

// A header whose particles need no luck: one life, one size, no spread, straight up at 200 px/s,
// opaque white, one particle every 0.1 s.
CParticleFileHeader Plain() {
    CParticleFileHeader h;
    h.startVelocityY = -200.0f;
    h.spreadY = 0.0f;
    h.lifeMin = h.lifeMax = 10.0f;
    h.startSizeMin = h.startSizeMax = 8.0f;
    h.endSize = 8.0f;
    for (float& c : h.startColor) c = 255.0f;
    for (float& c : h.endColor) c = 255.0f;
    h.emissionRate = 10.0f;
    return h;
}

struct ParticleCore : testing::Test {
    CRecordingEngine engine;
    std::unique_ptr<CFGParticleImpl> core = std::make_unique<CFGParticleImpl>();

    bool Load(const TParticleFile& file) { return LoadBytes(WriteParticleFile(file)); }
    bool LoadBytes(const std::vector<unsigned char>& bytes) {
        engine.AddResource(kFile, bytes);
        return core->Load(kFile);
    }
    // Runs `frames` updates of dt seconds.
    void Run(int frames, float dt = 0.05f) {
        for (int i = 0; i < frames; ++i) core->Update(dt);
    }
    // The i-th live particle as the core draws it, with a texture as its owner would give it.
    hgePointVertex Vertex(int i) {
        const HTEXTURE own = core->texture;
        core->texture = own ? own : 1;
        engine.points.clear();
        core->Render();
        core->texture = own;
        return engine.points.at(static_cast<std::size_t>(i));
    }
};

TEST_F(ParticleCore, LoadReadsTheHeaderAndTheThreeTablesInOrder) {
    TParticleFile file;
    file.header = Plain();
    file.header.bounce = 1.5f;
    file.header.spawnShape = 3;
    file.spawnLines = {{1, 2, 3, 4, {}}, {5, 6, 7, 8, {}}};
    file.deflectLines = {{0, 100, 200, 100, 0, 1}};
    file.pathKeys = {{0, 0, 0.1f, 0, 0}, {10, 20, 0.5f, 30, 40}, {0, 0, 1.0f, -5, -6}};
    core->emitterX = 7.0f;
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(core->header.bounce, 1.5f);
    EXPECT_EQ(core->header.spawnShape, 3);
    EXPECT_EQ(core->GetSpawnLineCount(), 2);
    EXPECT_EQ(core->GetDeflectLineCount(), 1);
    EXPECT_EQ(core->GetPathKeyCount(), 3);
    EXPECT_EQ(core->emitterX, 7.0f);  // the emitter is not the file's
    EXPECT_EQ(engine.outstandingBlocks, 0);
}

TEST_F(ParticleCore, BadFilesAreRefusedOrClampedWithoutReadingPastTheirEnd) {
    // Counts that claim more records than the bytes hold are refused; a negative count reads as 0;
    // a count above the table keeps the table's first 40 records (where the rest of the file then
    // lies, the deflect lines show).
    TParticleFile file;
    file.header = Plain();
    file.header.bounce = 3.0f;
    const auto good = WriteParticleFile(file);

    std::vector<unsigned char> shortHeader(good.begin(), good.begin() + 100);
    EXPECT_FALSE(LoadBytes(shortHeader));

    TParticleFile lying = file;
    lying.countsFromTables = false;
    lying.header.spawnLineCount = 3;
    lying.spawnLines.resize(2);
    EXPECT_FALSE(Load(lying));

    lying.header.spawnLineCount = 0;
    lying.header.pathKeyCount = 0x7FFFFFFF;
    EXPECT_FALSE(Load(lying));
    EXPECT_EQ(core->header.bounce, 2.0f);  // nothing of the refused files was taken
    EXPECT_EQ(core->GetPathKeyCount(), 0);
    EXPECT_TRUE(engine.HasLog("shorter than its header"));

    TParticleFile negative = file;
    negative.countsFromTables = false;
    negative.header.spawnLineCount = -4;
    negative.header.deflectLineCount = -1;
    negative.header.pathKeyCount = -7;
    ASSERT_TRUE(Load(negative));
    EXPECT_EQ(core->header.bounce, 3.0f);
    EXPECT_EQ(core->GetSpawnLineCount() + core->GetDeflectLineCount() + core->GetPathKeyCount(), 0);

    TParticleFile overlong = file;
    overlong.spawnLines.resize(50, tagSpawnLine{1, 1, 1, 1, {}});
    ASSERT_TRUE(Load(overlong));
    EXPECT_EQ(core->GetSpawnLineCount(), CFGParticleImpl::kMaxTableRecords);
    EXPECT_EQ(engine.outstandingBlocks, 0);

    EXPECT_FALSE(core->Load("Particle\\missing.fgp"));
    EXPECT_EQ(core->header.bounce, 3.0f);
}

TEST_F(ParticleCore, EmitsAtItsRateCarryingTheFractionAndMovesLiveParticles) {
    TParticleFile file;
    file.header = Plain();
    ASSERT_TRUE(Load(file));
    core->MoveTo(100.0f, 300.0f);
    // Ten a second at 0.05 s frames: one particle every second frame.
    const int expected[] = {0, 1, 1, 2, 2, 3};
    for (int count : expected) {
        core->Update(0.05f);
        EXPECT_EQ(core->GetLiveCount(), count);
    }
    // The oldest was born in frame 2 (drawn where it was born) and moved 10 px in each of frames 3-6;
    // the newest was born in frame 6.
    EXPECT_FLOAT_EQ(Vertex(0).x, 100.0f);
    EXPECT_FLOAT_EQ(Vertex(0).y, 260.0f);
    EXPECT_FLOAT_EQ(Vertex(2).y, 300.0f);
    EXPECT_EQ(Vertex(0).size, 8.0f);
    EXPECT_EQ(Vertex(0).col, 0xFFFFFFFFu);

    // Not emitting: the live ones go on, no new ones come.
    core->emitting = false;
    Run(10);
    EXPECT_EQ(core->GetLiveCount(), 3);
    EXPECT_FLOAT_EQ(Vertex(0).y, 160.0f);
    // Inactive: frozen.
    core->active = false;
    Run(10);
    core->active = true;  // drawn again, where it stopped
    EXPECT_FLOAT_EQ(Vertex(0).y, 160.0f);
}

TEST_F(ParticleCore, AParticleDiesInTheUpdateItsAgeReachesItsLife) {
    TParticleFile file;
    file.header = Plain();
    file.header.lifeMin = file.header.lifeMax = 0.1f;
    file.header.startColor[3] = 255.0f;
    file.header.endColor[3] = 0.0f;
    file.header.emissionRate = 20.0f;  // one in the first frame
    ASSERT_TRUE(Load(file));
    core->Update(0.05f);
    core->emitting = false;
    core->Update(0.05f);
    ASSERT_EQ(core->GetLiveCount(), 1);
    EXPECT_NEAR(double(Vertex(0).col >> 24), 127.5, 0.5);  // half way
    core->Update(0.05f);
    EXPECT_EQ(core->GetLiveCount(), 0);
}

TEST_F(ParticleCore, SpawnShapesPlaceNewParticlesAroundTheEmitter) {
    struct Case {
        int shape;
        std::vector<tagSpawnLine> lines;
        std::vector<float> random;  // life, vx, vy, size, then the shape's draws
        float x, y;
    };
    const float quarterTurn = 0.25f;  // of [0, 2π): sin 1, cos 0
    const Case cases[] = {
        {0, {}, {0, 0, 0, 0, 0.75f, 0.25f}, 10.0f + 5.0f, 20.0f - 5.0f},
        {1, {}, {0, 0, 0, 0, quarterTurn, 0.5f}, 10.0f + 5.0f, 20.0f},
        {2, {}, {0, 0, 0, 0, quarterTurn}, 10.0f + 10.0f, 20.0f},
        // Two identical lines, so that the runtime's pick does not matter: point = p0·t + p1·(1 − t).
        {3,
         {{0, 0, 40, 80, {}}, {0, 0, 40, 80, {}}},
         {0, 0, 0, 0, 0.25f, 0.5f, 0.5f},
         10.0f + 30.0f,
         20.0f + 60.0f},
        {3, {}, {0, 0, 0, 0}, 10.0f, 20.0f},  // spawn lines without lines: at the emitter
        {7, {}, {0, 0, 0, 0}, 10.0f, 20.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        core = std::make_unique<CFGParticleImpl>();
        TParticleFile file;
        file.header = Plain();
        file.header.spawnShape = c.shape;
        // A box of ±10 × ±10, ellipses of radius 10 (the line jitter draws 0.5: none).
        file.header.areaHalfWidth = 10.0f;
        file.header.areaHalfHeight = 10.0f;
        file.header.emissionRate = 20.0f;
        file.spawnLines = c.lines;
        ASSERT_TRUE(Load(file));
        core->MoveTo(10.0f, 20.0f);
        engine.QueueRandom(c.random);
        core->Update(0.05f);
        ASSERT_EQ(core->GetLiveCount(), 1);
        EXPECT_NEAR(Vertex(0).x, c.x, 1e-3f);
        EXPECT_NEAR(Vertex(0).y, c.y, 1e-3f);
    }
}

TEST_F(ParticleCore, TheSpawnLineIsChosenByTheRuntimeGenerator) {
    TParticleFile file;
    file.header = Plain();
    file.header.spawnShape = 3;
    file.header.emissionRate = 20.0f;
    file.spawnLines = {{0, 0, 0, 0, {}}, {100, 0, 100, 0, {}}, {200, 0, 200, 0, {}}};
    ASSERT_TRUE(Load(file));
    GF::SeedRand(12345);
    const int pick = GF::Rand() % 3;
    GF::SeedRand(12345);
    core->Update(0.05f);
    EXPECT_FLOAT_EQ(Vertex(0).x, 100.0f * static_cast<float>(pick));
}

TEST_F(ParticleCore, ACrossedDeflectLineKeepsTheParticleBackAndReflectsItsVelocity) {
    // A floor at y = 150 under a particle rising 10 px a frame: the move that touches the line is
    // not made, and the velocity turns (bounce 2 mirrors, 1 slides). The spawn lines before the
    // table (unused by the box shape; 50 keep 40) must not shift it; a floor that moves with the
    // emitter moves by whole pixels.
    struct Case {
        float bounce;
        std::size_t spawnLines;
        bool moveLines;
        float y;
        std::vector<float> ys;
    };
    const Case cases[] = {
        {2.0f, 1, false, 200.0f, {190, 180, 170, 160, 160, 170}},
        {1.0f, 50, false, 200.0f, {190, 180, 170, 160, 160, 160}},
        {2.0f, 0, true, 200.5f, {190.5f, 180.5f, 170.5f, 160.5f, 150.5f, 150.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spawnLines);
        core = std::make_unique<CFGParticleImpl>();
        TParticleFile file;
        file.header = Plain();
        file.header.bounce = c.bounce;
        file.header.emissionRate = 20.0f;
        file.spawnLines.resize(c.spawnLines, tagSpawnLine{1, 1, 1, 1, {}});
        file.deflectLines = {c.moveLines ? tagDeflectLine{-100, -50, 100, -50, 0, 1}
                                         : tagDeflectLine{0, 150, 200, 150, 0, 1}};
        ASSERT_TRUE(Load(file));
        core->moveDeflectLines = c.moveLines;
        core->MoveTo(100.0f, c.y);
        core->Update(0.05f);
        core->emitting = false;
        std::vector<float> ys;
        for (int i = 0; i < 6; ++i) {
            core->Update(0.05f);
            ys.push_back(Vertex(0).y);
        }
        EXPECT_EQ(ys, c.ys);
    }
}

TEST_F(ParticleCore, PathKeysPullTheVelocityWhileTheirTimeLasts) {
    TParticleFile file;
    file.header = Plain();
    file.header.startVelocityY = 0.0f;
    file.header.emissionRate = 20.0f;
    file.pathKeys = {{0, 0, 0.1f, 0, 0}, {0, 0, 0.1f, 100, 0}};
    file.deflectLines = {{0, 1000, 1, 1000, 0, 1}};  // out of the way; its table comes first
    ASSERT_TRUE(Load(file));
    core->Update(0.05f);
    core->emitting = false;
    core->Update(0.05f);  // age 0.05, inside key 1: v = 100 · √0.5
    const float pulled = 100.0f * std::sqrt(0.5f);
    EXPECT_NEAR(Vertex(0).x, 0.05f * pulled, 1e-3f);
    core->Update(0.05f);  // age 0.1: still inside (remaining 0)
    core->Update(0.05f);  // age 0.15: past the path, the velocity stays
    const float before = Vertex(0).x;
    core->Update(0.05f);
    const float after = Vertex(0).x;
    core->Update(0.05f);
    EXPECT_NEAR(Vertex(0).x - after, after - before, 1e-3f);
}

TEST_F(ParticleCore, ZeroLifeAndZeroPathDurationGiveFiniteParticles) {
    // A life of 0 leaves nothing to change over: drawn as born, for one frame. A key of duration 0 is
    // in force at age 0 (a frame of no time) and sets the velocity at once. Neither may divide by 0.
    TParticleFile file;
    file.header = Plain();
    file.header.lifeMin = 0.0f;
    file.header.lifeMax = 0.0f;
    file.header.emissionRate = 20.0f;
    file.pathKeys = {{0, 0, 0.1f, 0, 0}, {0, 0, 0.0f, 50, 60}};
    ASSERT_TRUE(Load(file));
    core->Update(0.05f);
    EXPECT_EQ(Vertex(0).size, 8.0f);
    EXPECT_EQ(Vertex(0).col, 0xFFFFFFFFu);
    core->emitting = false;
    core->Update(0.05f);
    EXPECT_EQ(core->GetLiveCount(), 0);

    core = std::make_unique<CFGParticleImpl>();
    file.header.lifeMin = file.header.lifeMax = 1.0f;
    ASSERT_TRUE(Load(file));
    core->Update(0.05f);
    core->emitting = false;
    core->Update(0.0f);
    core->Update(0.05f);
    EXPECT_FLOAT_EQ(Vertex(0).x, 2.5f);
    EXPECT_FLOAT_EQ(Vertex(0).y, 3.0f);
}

TEST_F(ParticleCore, ColourChannelsAreHeldToTheByteBeforePacking) {
    // Colours from the file are used as they stand (no jitter, no clamp at birth); packing holds
    // each channel to 0..255 so that none spills into its neighbour.
    TParticleFile file;
    file.header = Plain();
    file.header.emissionRate = 20.0f;
    const float start[4] = {300.0f, -20.0f, 127.6f, 1000.0f};
    for (int c = 0; c < 4; ++c) file.header.startColor[c] = file.header.endColor[c] = start[c];
    ASSERT_TRUE(Load(file));
    core->Update(0.05f);
    EXPECT_EQ(Vertex(0).col, 0xFFFF0080u);
}

TEST_F(ParticleCore, AHugeEmissionRateFillsThePoolAndNoMore) {
    TParticleFile file;
    file.header = Plain();
    file.header.emissionRate = 1e30f;
    ASSERT_TRUE(Load(file));
    Run(2, 1.0f);
    EXPECT_EQ(core->GetLiveCount(), CFGParticleImpl::kMaxParticles);
}

TEST_F(ParticleCore, RendersOnePointBatchOnlyWhenThereIsSomethingToShow) {
    TParticleFile file;
    file.header = Plain();
    file.header.blendMode = BLEND_COLORADD;
    ASSERT_TRUE(Load(file));
    Run(6);
    auto render = [&] {
        engine.ClearRecord();
        core->Render();
        return engine.CountCalls("Gfx_StartBatch");
    };
    EXPECT_EQ(render(), 0);  // no texture yet
    core->texture = 77;
    EXPECT_EQ(render(), 1);
    EXPECT_TRUE(engine.HasCall("Gfx_StartBatch 1"));
    EXPECT_TRUE(engine.HasCall("Gfx_FinishBatch 3"));
    ASSERT_EQ(engine.points.size(), 3u);

    core->active = false;
    EXPECT_EQ(render(), 0);
    core->active = true;
    {
        auto manager = GF::GetGameManager();  // the window losing the focus
        manager->RaiseDeactivate();
        EXPECT_EQ(render(), 0);
        manager->RaiseActivate();
        EXPECT_EQ(render(), 1);
        manager->Shutdown();
    }

    core->emitting = false;
    Run(400);  // every particle has lived out its 10 s
    EXPECT_EQ(render(), 0);
}

}  // namespace
