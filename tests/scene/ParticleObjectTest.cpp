#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/resources/ResourceCache.h"
#include "framework/scene/FGParticle.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/ParticleFileWriter.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// A file whose particles need no luck: born at the emitter, rising 200 px/s, white, one every
// 0.05 s, living `life` seconds.
TParticleFile PlainFile(float life = 10.0f) {
    TParticleFile file;
    CParticleFileHeader& h = file.header;
    h.spreadY = 0.0f;
    h.lifeMin = h.lifeMax = life;
    h.startSizeMin = h.startSizeMax = h.endSize = 4.0f;
    for (int c = 0; c < 4; ++c) h.startColor[c] = h.endColor[c] = 255.0f;
    h.emissionRate = 20.0f;
    h.bounce = 1.25f;  // to recognise the file
    return file;
}

// The scene fixture with the texture "sparks" (Texture\0, a 16 x 16 picture in sprite info 0) and a
// particle file or two in the engine's resources.
class ParticleObject : public TSceneFixture<> {
protected:
    ParticleObject() {
        GetResourceCache()->RegisterTexture(MakeHolder<CTexture>("sparks", "Texture\\0"));
        engine.AddResource("Texture\\0.png", "png");
        build.SpriteInfo("spark", 0, 0, 0, 16, 16);
        engine.SetDelta(0.05f);
    }
    ~ParticleObject() override { ParticleRegistry::Clear(nullptr); }  // the systems on no scene

    HTEXTURE Sparks() { return GetResourceCache()->GetTexture("sparks"); }

    THolder<CFGParticle> Free(float lifetime = -1.0f, bool removeWhenDone = false, float life = 10.0f) {
        engine.AddResource("Particle\\free.fgp", WriteParticleFile(PlainFile(life)));
        THolder<CFGParticle> system =
            CFGParticle::Create("Particle\\free.fgp", "sparks", lifetime, removeWhenDone);
        system->SetScene(THolder<IScene>(scene.Get()));
        return system;
    }

    // An animation "box" whose sprite covers (100, 100)-(164, 132), on the scene, playing for ever.
    TAnimationPtr Box() {
        build.Animation("box");
        build.Part("all", 0, 1000);
        auto sprite = build.Sprite("s");
        AddKeys(sprite->GetIDResource(), {{0, 0, 1000}});
        AddKeys(sprite->GetOffset(), {{{100, 100}, 0, 1000}});
        AddKeys(sprite->GetScale(), {{{4, 2}, 0, 1000}});
        return Show("box");
    }

    // Batches drawn by one scene render.
    int Batches() {
        engine.ClearRecord();
        scene->Render();
        return engine.CountCalls("Gfx_StartBatch 1");
    }
};

TEST_F(ParticleObject, AFreeSystemLoadsItsFileAndTextureAndRunsFromTheRegistry) {
    THolder<CFGParticle> system = Free();
    EXPECT_EQ(system->header.bounce, 1.25f);
    EXPECT_EQ(system->texture, Sparks());
    EXPECT_TRUE(system->IsOrphan());
    EXPECT_TRUE(system->IsAlive());
    for (int i = 0; i < 4; ++i) scene->Update(50.0f);  // the registry updates orphans
    EXPECT_EQ(system->GetLiveCount(), 4);
    EXPECT_EQ(Batches(), 1);
    EXPECT_EQ(engine.points.size(), 4u);

    void* out = nullptr;
    for (int id : {kIdBase, kIdObjectAnimation, kIdDrawable, kIdParticle}) {
        EXPECT_TRUE(system->QueryInterface(id, &out)) << id;
        static_cast<IBase*>(static_cast<IObjectAnimation*>(system.Get()))->Release();
    }
    for (int id : {kIdSubstitutedContainer, kIdAnimation, kIdSprite})
        EXPECT_FALSE(system->QueryInterface(id, &out));

    // A texture the cache does not know: it runs, but draws nothing.
    THolder<CFGParticle> blind = CFGParticle::Create("Particle\\free.fgp", "nothing", -1.0f, false);
    blind->SetScene(THolder<IScene>(scene.Get()));
    scene->Update(50.0f);
    EXPECT_GT(blind->GetLiveCount(), 0);
    EXPECT_EQ(Batches(), 1);
}

TEST_F(ParticleObject, AFreeSystemWaitsOutItsStartDelay) {
    THolder<CFGParticle> system = Free();
    system->startDelay = 500.0f;
    for (int i = 0; i < 32; ++i) system->Update(16.0f);
    EXPECT_EQ(system->GetLiveCount(), 0);
    engine.SetDelta(0.016f);
    system->Update(16.0f);
    system->Update(64.0f);
    EXPECT_EQ(system->GetLiveCount(), 1);
}

TEST_F(ParticleObject, AFreeSystemFollowsItsParentsPositionOrFillsItsBox) {
    TAnimationPtr box = Box();
    Frame(0.0f);
    THolder<CFGParticle> system = Free();
    system->SetParent(box);
    EXPECT_FALSE(system->IsOrphan());
    box->SetPosition(10.0f, 20.0f);
    system->offsetX = 5.0f;
    system->offsetY = -5.0f;
    system->Update(50.0f);
    EXPECT_EQ(system->emitterX, 15.0f);
    EXPECT_EQ(system->emitterY, 15.0f);

    box->SetPosition(0.0f, 0.0f);
    Frame(0.0f);
    ASSERT_EQ(box->GetBoundingBox(), (TRect{100, 100, 164, 132}));
    system->fillParentBox = true;
    system->density = 0.5f;
    system->Update(50.0f);
    EXPECT_EQ(system->emitterX, 132.0f);
    EXPECT_EQ(system->emitterY, 116.0f);
    EXPECT_EQ(system->header.areaHalfWidth, 32.0f);
    EXPECT_EQ(system->header.areaHalfHeight, 16.0f);
    EXPECT_EQ(system->header.emissionRate, 32.0f * 0.5f * 16.0f);

    // A parent that shows nothing leaves the emitter where it was.
    build.Animation("empty");
    build.Part("all", 0, 1000);
    TAnimationPtr empty = Show("empty");
    system->SetParent(empty);
    empty->SetPosition(300.0f, 300.0f);
    system->SetPlaying(true);  // leaving the old parent stopped it
    system->Update(50.0f);
    EXPECT_EQ(system->emitterX, 132.0f);
}

TEST_F(ParticleObject, AnAttachedSystemIsUpdatedByItsParentOnly) {
    TAnimationPtr box = Box();
    THolder<CFGParticle> system = Free();
    system->SetParent(box);
    const int children = box->GetDrawableCount();
    Frame(50.0f);
    Frame(50.0f);
    EXPECT_EQ(system->GetLiveCount(), 2);  // one a frame: the registry left it alone

    // Not attached: the parent does not carry it, the registry runs it.
    THolder<CFGParticle> loose = Free();
    loose->attachToParent = false;
    loose->SetParent(box);
    EXPECT_EQ(box->GetDrawableCount(), children);
    EXPECT_TRUE(loose->IsOrphan());
    Frame(50.0f);
    EXPECT_EQ(loose->GetLiveCount(), 1);
}

TEST_F(ParticleObject, ALimitedSystemStopsLeavesItsParentAndIsDroppedWhenItsLastParticleDies) {
    TAnimationPtr box = Box();
    THolder<CFGParticle> system = Free(2.0f, true, 1.0f);
    system->SetParent(box);
    const int registered = ParticleRegistry::Count();
    const int children = box->GetDrawableCount();
    engine.SetDelta(0.25f);
    for (int i = 0; i < 7; ++i) Frame(250.0f);
    EXPECT_TRUE(system->emitting);
    Frame(250.0f);  // 2 s of updates
    EXPECT_FALSE(system->emitting);
    EXPECT_FALSE(system->GetParent());
    // Out of the parent's children, so that it is updated once a frame, by the registry.
    EXPECT_EQ(box->GetDrawableCount(), children - 1);
    // The youngest particle (the lowest drawn) rises 50 px a frame: one update of 0.25 s.
    auto lowest = [&] {
        engine.ClearRecord();
        Frame(250.0f);
        float y = -1e9f;
        for (const hgePointVertex& v : engine.points) y = std::max(y, v.y);
        return y;
    };
    const float y = lowest();
    EXPECT_FLOAT_EQ(lowest(), y - 50.0f);
    for (int i = 0; i < 4; ++i) Frame(250.0f);
    EXPECT_EQ(system->GetLiveCount(), 0);
    EXPECT_EQ(ParticleRegistry::Count(), registered - 1);
    EXPECT_FALSE(system->GetScene());
}

// --- Timeline particle objects ---

class TimelineParticle : public ParticleObject {
protected:
    // "fx": a particle system at (100, 200) with Particle\5.PSI, the spark sprite and the commands.
    THolder<CParticleObjectData> Describe(
        std::initializer_list<TKindParam<EParamKind::ParticleCommand>> commands, float life = 10.0f) {
        engine.AddResource("Particle\\5.PSI", WriteParticleFile(PlainFile(life)));
        build.Animation("fx");
        build.Part("all", 0, 1000);
        auto particle = build.Particle();
        AddKeys(particle->GetIDResource(), {{5, 0, 1000}});
        AddKeys(particle->GetSpriteIDResource(), {{0, 0, 1000}});
        AddKeys(particle->GetOffset(), {{{100, 200}, 0, 1000}});
        AddKeys(particle->GetLayer(), {{3, 0, 1000}});
        AddKeys(particle->GetParticleCommand(), commands);
        return particle;
    }
    // The particles one scene render draws.
    std::vector<hgePointVertex> Drawn() {
        engine.ClearRecord();
        scene->Render();
        return engine.points;
    }
    static CFGFParticle* Particles(const TAnimationPtr& animation) {
        TDrawablePtr drawable = animation->GetDrawable(0);
        return drawable ? dynamic_cast<CFGFParticle*>(drawable.Get()) : nullptr;
    }
};

TEST_F(TimelineParticle, ItsTracksLoadTheFileTheSpriteAndStartAndStopEmission) {
    Describe({{1, 0, 300}, {2, 0, 300}, {3, 0, 400}});
    TAnimationPtr fx = Show("fx");
    CFGFParticle* p = Particles(fx);
    ASSERT_TRUE(p);
    Frame(50.0f);
    EXPECT_EQ(p->GetLayer(), 3);
    std::vector<hgePointVertex> drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_FLOAT_EQ(drawn[0].x, 100.0f);
    EXPECT_FLOAT_EQ(drawn[0].y, 200.0f);

    for (int t = 100; t < 300; t += 50) Frame(50.0f);
    const std::size_t live = Drawn().size();
    EXPECT_GT(live, 1u);
    Frame(50.0f);  // command 2: the live ones fly on, no new ones
    Frame(50.0f);
    EXPECT_EQ(Drawn().size(), live);
    EXPECT_EQ(Batches(), 1);
    for (int t = 400; t <= 650; t += 50) Frame(50.0f);  // command 3: all gone at once
    EXPECT_EQ(Batches(), 0);
}

TEST_F(TimelineParticle, WithoutCommandKeysItDoesNotEmit) {
    Describe({});
    TAnimationPtr fx = Show("fx");
    CFGFParticle* p = Particles(fx);
    ASSERT_TRUE(p);
    for (int i = 0; i < 5; ++i) Frame(50.0f);
    EXPECT_EQ(Batches(), 0);
}

TEST_F(TimelineParticle, TheParentsOpacityFadesNewParticlesAndPositionMovesTheEmitter) {
    Describe({{1, 0, 1000}});
    TAnimationPtr fx = Show("fx");
    fx->SetOpacity(0.5f);
    fx->SetPosition(10.0f, 20.0f);
    Frame(50.0f);
    CFGFParticle* p = Particles(fx);
    ASSERT_TRUE(p);
    std::vector<hgePointVertex> drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].col >> 24, 128u);
    EXPECT_FLOAT_EQ(drawn[0].x, 110.0f);
    Frame(50.0f);  // the file's colours were put back: the next ones fade no further
    for (const hgePointVertex& point : Drawn()) EXPECT_EQ(point.col >> 24, 128u);
}

TEST_F(TimelineParticle, WithoutItsParentTheRegistryRunsItUntilItsLastParticleDies) {
    Describe({{1, 0, 1000}}, 0.5f);
    TAnimationPtr fx = Show("fx");
    TParticlePtr p(Particles(fx));
    ASSERT_TRUE(p);
    for (int i = 0; i < 4; ++i) Frame(50.0f);
    const int registered = ParticleRegistry::Count();
    fx->Destroy();
    EXPECT_TRUE(p->IsOrphan());
    EXPECT_TRUE(p->IsAlive());
    EXPECT_EQ(Batches(), 1);  // still on the scene, drawn
    for (int i = 0; i < 12; ++i) Frame(50.0f);
    EXPECT_FALSE(p->IsAlive());
    EXPECT_EQ(ParticleRegistry::Count(), registered - 1);
    EXPECT_EQ(Batches(), 0);
}

}  // namespace
