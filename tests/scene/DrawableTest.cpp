#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/SpriteObject.h"
#include "tests/scene/SceneFixture.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

constexpr float kPi = 3.1415927f;

using Drawable = TSceneFixture<>;

// What a parent does to a child's transform, through a sprite (the drawable base is abstract).
TEST_F(Drawable, ChildTransformFollowsTheParent) {
    struct Case {
        const char* what;
        std::function<void(IAnimation&)> parent;
        std::function<void(TTransform&)> child;  // follow flags and weight of the child
        float x, y, scaleX, angle, opacity;      // the parent's opacity; the child's own is 0.5
        int layer;
    };
    const Case cases[] = {
        {"moved", [](IAnimation& a) { a.SetPosition(100, 50); }, nullptr, 110, 70, 1, 0, 1, 2},
        {"scaled", [](IAnimation& a) { a.SetPosition(100, 50), a.SetScale(2, 2); }, nullptr, 120, 90, 2, 0, 1,
         2},
        {"turned", [](IAnimation& a) { a.SetRotation(kPi / 2); }, nullptr, -20, 10, 1, kPi / 2, 1, 2},
        {"weighted", [](IAnimation& a) { a.SetScale(3, 3); }, [](TTransform& t) { t.scaleWeight = 0.5f; }, 30,
         60, 2, 0, 1, 2},
        {"layered", [](IAnimation& a) { a.SetLayer(5), a.SetOpacity(0.5f); }, nullptr, 10, 20, 1, 0, 0.5f, 7},
        {"not following", [](IAnimation& a) { a.SetPosition(100, 50), a.SetScale(2, 2), a.SetRotation(1); },
         [](TTransform& t) { t.followPosition = t.followScale = t.followRotation = false; }, 10, 20, 1, 0, 1,
         2},
    };
    build.Animation("parent");
    build.Part("all", 0, 1000);
    auto sprite = build.Sprite("child");
    AddKeys(sprite->GetOffset(), {{{10, 20}, 0, 1000}});
    AddKeys(sprite->GetLayer(), {{2, 0, 1000}});
    AddKeys(sprite->GetOpaque(), {{0.5f, 0, 1000}});
    for (const Case& c : cases) {
        TAnimationPtr parent = Show("parent");
        auto* child = Child<CSpriteObject>(parent, "child");
        ASSERT_TRUE(child);
        if (c.child) c.child(child->GetTransformRef());
        c.parent(*parent);
        Frame();
        const TTransform& t = child->GetTransform();
        EXPECT_NEAR(t.x, c.x, 1e-4) << c.what;
        EXPECT_NEAR(t.y, c.y, 1e-4) << c.what;
        EXPECT_NEAR(t.scaleX, c.scaleX, 1e-6) << c.what;
        EXPECT_NEAR(t.angle, c.angle, 1e-6) << c.what;
        EXPECT_NEAR(t.sin, std::sin(c.angle), 1e-6) << c.what;
        EXPECT_NEAR(t.opacity, c.opacity * 0.5f, 1e-6) << c.what;
        EXPECT_EQ(t.layer, c.layer) << c.what;
        parent->Reset();
    }
}

TEST_F(Drawable, VisibilityJoinsAndLeavesTheSceneOnlyOnChange) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    build.Sprite("s");
    TAnimationPtr a = Show("a");
    TDrawablePtr s = a->FindDrawable("s");
    ASSERT_EQ(scene->GetDrawableCount(), 1);
    s->SetVisible(true);
    EXPECT_EQ(scene->GetDrawableCount(), 1);
    s->SetVisible(false);
    s->SetVisible(false);
    EXPECT_EQ(scene->GetDrawableCount(), 0);
    s->SetVisible(true);
    s->SetVisible(true);
    EXPECT_EQ(scene->GetDrawableCount(), 1);

    // Without a scene only the flag changes; a scene set later takes it only while visible.
    s->SetScene({});
    EXPECT_EQ(scene->GetDrawableCount(), 0);
    s->SetVisible(false);
    s->SetScene(THolder<IScene>(scene));
    EXPECT_EQ(scene->GetDrawableCount(), 0);
    s->SetVisible(true);
    EXPECT_EQ(scene->GetDrawableCount(), 1);
}

TEST_F(Drawable, PlaysOnlyWhileTheParentRuns) {
    build.Animation("a");
    build.Part("all", 0, 300);
    auto sprite = build.Sprite("s");
    AddKeys(sprite->GetOffset(), {{{0, 0}, 1, 1000}, {{1000, 0}, 0, 0}});
    TAnimationPtr a = scene->CreateAnimation("test.a");
    a->Play("all", 1, false);
    auto* s = Child<CSpriteObject>(a, "s");
    for (int i = 0; i < 4; ++i) Frame(100);  // the clock reaches 299, then finishes
    EXPECT_TRUE(a->IsFinished());
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_NEAR(s->GetTransform().x, 299, 1e-3);
    a->Play("all", 1, false);  // a stopped drawable holds its value for the frame it starts again in
    Frame(0);
    EXPECT_NEAR(s->GetTransform().x, 299, 1e-3);
    EXPECT_TRUE(s->IsPlaying());
    Frame(0);
    EXPECT_NEAR(s->GetTransform().x, 0, 1e-3);
}

TEST_F(Drawable, LayerChangeResortsTheScene) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    auto rising = build.Sprite("rising");
    AddKeys(rising->GetLayer(), {{0, 0, 100}, {10, 0, 100}});
    auto middle = build.Sprite("middle");
    AddKeys(middle->GetLayer(), {{5, 0, 200}});
    TAnimationPtr a = Show("a");
    auto order = [&] {
        std::string names;
        for (const TDrawablePtr& d : scene->GetDrawables())
            names += TObjectAnimationPtr(d.Get())->GetName() + " ";
        return names;
    };
    Frame(0);
    Frame(0);  // the first update's layers are sorted on the next one
    EXPECT_EQ(order(), "rising middle ");
    Frame(100);
    Frame(0);
    EXPECT_EQ(order(), "middle rising ");
}

// The substituted animation "glow" of module "test" runs inside the drawable: it follows the
// drawable's transform, joins its scene and waits for the drawable's commands.
class Substitution : public Drawable {
protected:
    Substitution() {
        build.Animation("glow");
        build.Part("all", 0, 1000).Part("pulse", 0, 500).Part("fade", 500, 1000);
        auto light = build.Sprite("light");
        AddKeys(light->GetOffset(), {{{5, 0}, 0, 1000}});
        build.Animation("button");
        build.Part("all", 0, 1000);
        face = build.Sprite("face");
        face->AddSubstAnimation(MakeHolder<CSubstAnimationDescription>("test", "glow"));
        AddKeys(face->GetOffset(), {{{100, 50}, 0, 1000}});
    }
    THolder<CSpriteObjectData> face;
};

TEST_F(Substitution, CommandsPlayPartsOfTheSubstitutedAnimationOnEntry) {
    // The command track lasts as long as its last key: past that, the last key is in force.
    AddKeys(face->GetCommandSubstAnimations(), {{100, "glow.pulse"}, {200, "glow.fade"}, {1000, "glow"}});
    TAnimationPtr button = Show("button");
    auto* sprite = Child<CSpriteObject>(button, "face");
    TAnimationPtr glow = sprite->FindSubstituted("glow");
    ASSERT_TRUE(glow);
    EXPECT_EQ(sprite->GetSubstituted(0), glow);
    EXPECT_FALSE(sprite->GetSubstituted(1));
    EXPECT_FALSE(sprite->GetSubstituted(-1));
    EXPECT_FALSE(glow->IsActive());           // waiting for its command
    EXPECT_EQ(scene->GetDrawableCount(), 2);  // the face and the glow's light

    struct Step {
        float dt;
        float start, end;  // of the part the glow plays
    };
    const Step steps[] = {{0, 0, 499}, {50, 0, 499}, {50, 500, 999}, {100, 500, 999}, {150, 0, 999}};
    // (the times are 0, 50, 100, 200 and 350)
    for (const Step& s : steps) {
        Frame(s.dt);
        EXPECT_TRUE(glow->IsActive()) << button->GetTime();
        EXPECT_EQ(glow->GetStartTime(), s.start) << button->GetTime();
        EXPECT_EQ(glow->GetEndTime(), s.end) << button->GetTime();
    }
    auto* light = Child<CSpriteObject>(glow, "light");
    EXPECT_NEAR(light->GetTransform().x, 105, 1e-4);
    EXPECT_NEAR(light->GetTransform().y, 50, 1e-4);
}

TEST_F(Substitution, RemovedAnimationsLeaveTheSceneAndTheCommands) {
    AddKeys(face->GetCommandSubstAnimations(), {{100, "glow"}, {100, "missing"}, {100, "glow.a.b"}});
    TAnimationPtr button = Show("button");
    EXPECT_TRUE(engine.HasLog("Still No Implement Substituted Included"));
    auto* sprite = Child<CSpriteObject>(button, "face");
    EXPECT_EQ(scene->GetDrawableCount(), 2);
    EXPECT_FALSE(sprite->RemoveSubstituted("missing"));
    EXPECT_TRUE(sprite->RemoveSubstituted("glow"));
    EXPECT_FALSE(sprite->FindSubstituted("glow"));
    EXPECT_EQ(scene->GetDrawableCount(), 1);
    Frame(0);  // no command is left to fire
    EXPECT_EQ(sprite->GetSubstituted(0), TAnimationPtr());

    // Substituted by hand: hosted, on the drawable's scene, playing "all".
    TAnimationPtr hand = sprite->Substitute("test.glow");
    ASSERT_TRUE(hand);
    EXPECT_FALSE(hand->IsFinished());
    EXPECT_EQ(scene->GetDrawableCount(), 2);
    button->Reset();  // the drawable's Detach stops what it hosts
    EXPECT_EQ(scene->GetDrawableCount(), 0);
}

}  // namespace
