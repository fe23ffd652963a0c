#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/scene/Scene.h"
#include "framework/scene/SpriteObject.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/SceneDoubles.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// Sprites of a 4 x 4 picture; each one's left edge tells it apart in the recorded quads.
class Scene : public TSceneFixture<> {
protected:
    Scene() { build.SpriteInfo("dot", 99, 0, 0, 4, 4); }
    ~Scene() override { ParticleRegistry::Clear(nullptr); }  // what a failed test left behind

    // A sprite "name" at (x, 0) on the layer, in the current animation description.
    void AddDot(const std::string& name, float x, int layer) {
        auto sprite = build.Sprite(name);
        AddKeys(sprite->GetIDResource(), {{0, 0, 1000}});
        AddKeys(sprite->GetOffset(), {{{x, 0}, 0, 1000}});
        AddKeys(sprite->GetLayer(), {{layer, 0, 1000}});
    }
    void Describe(const std::string& name, float end = 1000) {
        build.Animation(name);
        build.Part("all", 0, end);
    }
    // The left edges of the quads drawn since the last call.
    std::vector<int> Drawn() {
        std::vector<int> xs;
        for (const hgeQuad& quad : engine.quads) xs.push_back(static_cast<int>(quad.v[0].x));
        engine.quads.clear();
        return xs;
    }
    int FrameRateLines() const {
        int lines = 0;
        for (const std::string& line : engine.log) lines += line.rfind("FPS:", 0) == 0;
        return lines;
    }
};

struct EndCounter {
    void OnEnd(TAnimationPtr) { ++count; }
    int count = 0;
};

TEST_F(Scene, DrawsByLayerAndEqualLayersInTheOrderAdded) {
    Describe("first");
    AddDot("a5", 10, 5);
    AddDot("b1", 20, 1);
    AddDot("c5", 30, 5);
    Describe("second");
    AddDot("d1", 40, 1);
    AddDot("e0", 50, 0);
    Show("first");
    Frame();
    EXPECT_EQ(Drawn(), (std::vector<int>{20, 10, 30}));
    Show("second");
    Frame();
    EXPECT_EQ(Drawn(), (std::vector<int>{50, 20, 40, 10, 30}));
    // A layer set on the animation moves its drawables once the scene sorts again.
    TAnimationPtr moved = scene->CreateAnimation("test.first");
    moved->Play("all", -1, false);
    moved->SetLayer(-10);
    moved->SetPosition(1, 0);
    Frame();
    EXPECT_EQ(Drawn(), (std::vector<int>{21, 11, 31, 50, 20, 40, 10, 30}));
}

TEST_F(Scene, FinishedAnimationLeavesInTheUpdateItFinishes) {
    Describe("once", 300);
    AddDot("dot", 0, 0);
    Describe("loop");
    AddDot("dot", 100, 0);
    TAnimationPtr once = scene->CreateAnimation("test.once");
    once->Play("all", 1, true);
    EndCounter ends;
    once->GetEndEvent().Add(CreateDelegate(&ends, &EndCounter::OnEnd));
    TAnimationPtr loop = Show("loop");
    auto* loopDot = Child<CSpriteObject>(loop, "dot");
    for (int i = 0; i < 3; ++i) Frame(100);  // 100, 200, 299
    EXPECT_EQ(once->GetTime(), 299);
    EXPECT_EQ(scene->GetAnimationCount(), 2);
    Frame(100);
    EXPECT_EQ(ends.count, 1);
    EXPECT_TRUE(once->IsDone());
    EXPECT_EQ(scene->GetAnimationCount(), 1);
    EXPECT_EQ(scene->GetDrawableCount(), 1);  // its sprite left with it
    EXPECT_EQ(Drawn().back(), 100);
    EXPECT_EQ(loop->GetTime(), 400);  // the others were updated in that frame all the same
    EXPECT_EQ(loopDot->GetParent(), loop);
    Frame(100);
    EXPECT_EQ(ends.count, 1);
    EXPECT_EQ(once->GetTime(), 299);
}

TEST_F(Scene, FrameRateLineEveryFiveSeconds) {
    Describe("a");
    AddDot("dot", 0, 0);
    Show("a");
    for (int frame = 1; frame <= 300; ++frame) {
        scene->Update(20);
        EXPECT_EQ(FrameRateLines(), frame > 250 ? 1 : 0) << frame;
    }
    EXPECT_TRUE(engine.HasLog("FPS:50\t, AnimationCount 1, DrawableCount 1"));
    // Counted on while updates are off; the next line comes 5000 ms after the first.
    scene->SetUpdateEnabled(false);
    for (int frame = 301; frame <= 502; ++frame) scene->Update(20);
    EXPECT_EQ(FrameRateLines(), 2);
}

TEST_F(Scene, DisabledUpdateFreezesAndDisabledRenderHides) {
    Describe("a");
    AddDot("dot", 0, 0);
    TAnimationPtr a = Show("a");
    std::vector<float> raised;
    struct Listener {
        void OnUpdate(float dt) { seen->push_back(dt); }
        std::vector<float>* seen;
    } listener{&raised};
    scene->GetUpdateEvent().Add(CreateDelegate(&listener, &Listener::OnUpdate));
    Frame(10);
    scene->SetUpdateEnabled(false);
    Frame(10);
    EXPECT_EQ(a->GetTime(), 10);
    EXPECT_EQ(raised, (std::vector<float>{10}));
    scene->SetRenderEnabled(false);
    engine.clipping.clear();
    Frame(10);
    EXPECT_EQ(Drawn().size(), 2u);                                              // the two frames before
    EXPECT_EQ(engine.clipping, (std::vector<std::vector<int>>{{0, 0, 0, 0}}));  // still switched off
}

TEST_F(Scene, PlacedOneShotsWaitTheirDelayAndDropThemselves) {
    Describe("spark", 200);
    AddDot("dot", 0, 0);
    TAnimationPtr now = scene->CreateAnimationAtXY("test.spark", 10, 20, "all", 1, 0);
    TAnimationPtr later = scene->CreateAnimationAt("test.spark", TPoint<float>(30, 40), "all", 1, 100);
    EXPECT_FALSE(scene->CreateAnimationAt("test.none", TPoint<float>(), "all", 1, 0));
    EXPECT_FALSE(scene->CreateAnimation("none"));
    ASSERT_TRUE(now && later);
    EXPECT_EQ(now->GetPosition(), (TPoint<float>(10, 20)));
    EXPECT_EQ(later->GetPosition(), (TPoint<float>(30, 40)));
    EXPECT_EQ(scene->GetAnimationCount(), 2);
    Frame(50);
    EXPECT_EQ(now->GetTime(), 50);
    EXPECT_EQ(later->GetTime(), 0);
    for (int i = 0; i < 4; ++i) Frame(50);  // "now" shows 199, then finishes
    EXPECT_TRUE(now->IsDone());
    EXPECT_EQ(scene->GetAnimationCount(), 1);
    EXPECT_GT(later->GetTime(), 0);
}

TEST_F(Scene, UpdateWalkSurvivesAnimationsLeavingAndJoining) {
    Describe("a", 100);
    AddDot("dot", 0, 0);
    TAnimationPtr first = scene->CreateAnimation("test.a");
    TAnimationPtr second = scene->CreateAnimation("test.a");
    TAnimationPtr third = scene->CreateAnimation("test.a");
    first->Play("all", 1, false);
    second->Play("all", -1, false);
    third->Play("all", -1, false);
    // When the first finishes, its end takes the second off the scene and brings a new one.
    struct Reshuffle {
        void OnEnd(TAnimationPtr) {
            leaving->Reset();
            joined = host->CreateAnimation("test.a");
            joined->Play("all", -1, false);
        }
        TAnimationPtr leaving, joined;
        IScene* host;
    } reshuffle{second, {}, scene.Get()};
    first->GetEndEvent().Add(CreateDelegate(&reshuffle, &Reshuffle::OnEnd));
    Frame(99);
    Frame(10);  // first ends here
    ASSERT_TRUE(reshuffle.joined);
    EXPECT_EQ(second->GetTime(), 99);           // taken out before its turn: not updated
    EXPECT_EQ(third->GetTime(), 0);             // looped back in this frame, still updated once
    EXPECT_EQ(reshuffle.joined->GetTime(), 0);  // joined during the walk: from the next frame on
    EXPECT_EQ(scene->GetAnimationCount(), 3);
    Frame(10);
    EXPECT_EQ(reshuffle.joined->GetTime(), 10);
    reshuffle.joined->Reset();
}

// A particle system whose last particle can die.
class CDyingParticle : public CTestDrawable {
public:
    CDyingParticle() : CTestDrawable(kParticle) {}
    bool IsAlive() override { return alive; }
    bool alive = true;
};

TEST_F(Scene, RegistryOutlivesAnimationsUntilTheLastParticleDies) {
    THolder<CDyingParticle> orphan(new CDyingParticle), owned(new CDyingParticle);
    Describe("a");
    TAnimationPtr parent = Show("a");
    owned->SetParent(parent);
    for (auto* p : {orphan.Get(), owned.Get()}) {
        p->SetScene(THolder<IScene>(scene));
        ParticleRegistry::Register(TParticlePtr(static_cast<IParticle*>(p)));
    }
    EXPECT_EQ(ParticleRegistry::Count(), 2);
    const int ownedUpdates = owned->updates;
    Frame(10);
    EXPECT_EQ(orphan->updates, 1);
    EXPECT_EQ(orphan->lastDt, 10);
    EXPECT_EQ(owned->updates, ownedUpdates + 1);  // once, by its animation
    orphan->alive = false;
    Frame(10);
    EXPECT_EQ(orphan->updates, 1);
    EXPECT_FALSE(orphan->GetScene());
    EXPECT_EQ(ParticleRegistry::Count(), 1);
    ParticleRegistry::Clear(scene.Get());
    EXPECT_EQ(ParticleRegistry::Count(), 0);
    EXPECT_FALSE(owned->GetScene());
    owned->SetParent({});
}

// A scene's Clear lets go of what is its own only: the other scene and the particle registry are
// shared.
TEST_F(Scene, ClearTakesOnlyItsOwnAnimationsDrawablesAndParticleSystems) {
    Describe("a");
    AddDot("dot", 0, 0);
    TAnimationPtr a = Show("a");
    THolder<CScene> other = MakeHolder<CScene>();
    TAnimationPtr elsewhere = other->CreateAnimation("test.a");
    // A drawable of no animation of this scene: the game's own effects join this way.
    THolder<CTestDrawable> effect(new CTestDrawable);
    effect->SetScene(THolder<IScene>(scene));
    THolder<CDyingParticle> mine(new CDyingParticle), theirs(new CDyingParticle), nowhere(new CDyingParticle);
    mine->SetScene(THolder<IScene>(scene));
    theirs->SetScene(THolder<IScene>(other));
    for (auto* p : {mine.Get(), theirs.Get(), nowhere.Get()})
        ParticleRegistry::Register(TParticlePtr(static_cast<IParticle*>(p)));
    EXPECT_EQ(scene->GetDrawableCount(), 3);
    scene->Clear();
    EXPECT_EQ(scene->GetDrawableCount(), 0);
    EXPECT_EQ(effect->detaches, 1);
    EXPECT_FALSE(a->GetScene());
    EXPECT_EQ(a->GetDrawableCount(), 0);
    EXPECT_FALSE(mine->GetScene());
    EXPECT_EQ(elsewhere->GetScene(), THolder<IScene>(other));
    EXPECT_EQ(theirs->GetScene(), THolder<IScene>(other));
    EXPECT_EQ(other->GetDrawableCount(), 2);
    EXPECT_EQ(ParticleRegistry::Count(), 2);
    other->Update(10);  // the other scene's system still flies
    EXPECT_EQ(theirs->updates, 1);
    other->Clear();
    EXPECT_FALSE(theirs->GetScene());
    EXPECT_EQ(ParticleRegistry::Count(), 1);
    ParticleRegistry::Clear(nullptr);  // the one that was never on a scene
    EXPECT_EQ(ParticleRegistry::Count(), 0);
}

}  // namespace
