#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/resources/Resource.h"
#include "framework/scene/AnimationObject.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"
#include "tests/support/SceneDoubles.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

constexpr float kPi = 3.1415927f;

// Animations made from descriptions of a resource manager's tables, with test doubles for every
// child kind. Every animation made here is reset at the end: its children hold it back.
class AnimationObjectTest : public testing::Test {
protected:
    AnimationObjectTest() {
        TObjectMakers& makers = GetObjectMakers();
        makers.animation = &CAnimationObject::Make;
        makers.sprite = &CTestDrawable::MakeSprite;
        makers.textSprite = &CTestDrawable::MakeTextSprite;
        makers.particle = &CTestDrawable::MakeParticle;
        makers.sound = &CTestSound::Make;
        builder.Module("test");
    }
    ~AnimationObjectTest() override {
        for (auto& animation : m_made) animation->Reset();
    }

    // A new animation of the description "test.<name>", made the way the scene makes it.
    CAnimationObject* Make(const std::string& name) {
        THolder<IAnimationData> data = resource->GetAnimationData("test", name);
        EXPECT_TRUE(data) << name;
        if (!data) return nullptr;
        THolder<IAnimation> made = data->CreateAnimation();
        EXPECT_TRUE(made);
        m_made.push_back(made);
        return static_cast<CAnimationObject*>(made.Get());
    }

    // An animation "clock" with one part and one sprite "sprite".
    CAnimationObject* MakeClock(float start, float end, int playMode = 0) {
        builder.Animation("clock");
        builder.Part("part", start, end, playMode);
        builder.Sprite("sprite");
        return Make("clock");
    }

    template <class T>
    static T* Child(CAnimationObject* animation, const std::string& name) {
        TObjectAnimationPtr child = animation->FindObject(name);
        return child ? dynamic_cast<T*>(child.Get()) : nullptr;
    }

    CRecordingEngine engine;
    CObjectMakersScope makersScope;
    THolder<CResource> resource = MakeHolder<CResource>();
    CResourceBuilder builder{*resource};

private:
    std::vector<THolder<IAnimation>> m_made;
};

// Counts end events and remembers what they carried.
struct EndCounter {
    void OnEnd(TAnimationPtr animation) {
        ++count;
        last = animation;
    }
    int count = 0;
    TAnimationPtr last;
};

TEST_F(AnimationObjectTest, ClockOverFramesOfFixedLength) {
    struct Case {
        const char* what;
        float start, end;
        int playMode, repeat;
        float speed, dt;
        std::vector<float> times;  // after each frame
        int endFrame;              // 1-based frame of the end event; 0 = none in these frames
    };
    const Case cases[] = {
        {"once", 100, 400, 0, 1, 1, 100, {200, 300, 399, 399, 399}, 4},
        {"twice", 100, 400, 0, 2, 1, 100, {200, 300, 399, 100, 200, 300, 399, 399}, 8},
        {"for ever", 100, 400, 0, -1, 1, 100, {200, 300, 399, 100, 200, 300, 399, 100}, 0},
        {"the part's own count, 0", 100, 400, 0, 0, 1, 100, {200, 300, 399, 100, 200, 300, 399, 100}, 0},
        {"the part's own count, 2", 100, 400, 2, 0, 1, 100, {200, 300, 399, 100, 200, 300, 399, 399}, 8},
        {"double speed", 100, 400, 0, 1, 2, 50, {200, 300, 399, 399}, 4},
        {"half speed", 0, 100, 0, 1, 0.5f, 100, {50, 99, 99}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CAnimationObject* animation = MakeClock(c.start, c.end, c.playMode);
        EndCounter ends;
        animation->GetEndEvent().Add(CreateDelegate(&ends, &EndCounter::OnEnd));
        animation->SetSpeed(c.speed);
        ASSERT_TRUE(animation->Play("part", c.repeat, false));
        EXPECT_FLOAT_EQ(animation->GetTime(), c.start);
        EXPECT_FLOAT_EQ(animation->GetEndTime(), c.end - 1);
        int endFrame = 0;
        for (std::size_t frame = 0; frame < c.times.size(); ++frame) {
            const bool keep = animation->Update(c.dt);
            EXPECT_TRUE(keep);
            EXPECT_FLOAT_EQ(animation->GetTime(), c.times[frame]) << "frame " << frame + 1;
            if (ends.count == 1 && endFrame == 0) endFrame = static_cast<int>(frame) + 1;
            EXPECT_EQ(animation->IsFinished(), endFrame != 0) << "frame " << frame + 1;
        }
        EXPECT_EQ(endFrame, c.endFrame);
        EXPECT_LE(ends.count, 1);
        if (ends.count) {
            EXPECT_EQ(ends.last.Get(), static_cast<IAnimation*>(animation));
        }
        // The children get the frame time, not the scaled step.
        auto* sprite = Child<CTestDrawable>(animation, "sprite");
        EXPECT_FLOAT_EQ(sprite->lastDt, c.dt);
        if (c.endFrame) {  // a finished animation still updates its drawables, at its last time
            const int updates = sprite->updates;
            animation->Update(c.dt);
            EXPECT_EQ(sprite->updates, updates + 1);
            EXPECT_FLOAT_EQ(sprite->timesSeen.back(), c.times.back());
        }
    }
}

TEST_F(AnimationObjectTest, DelayHoldsOrStopsTheClock) {
    struct Case {
        bool waitFirst;
        std::vector<float> times;
        std::vector<bool> active;
    };
    const Case cases[] = {
        // Stands for 500 ms; the frame in which the delay runs out moves nothing.
        {true, {0, 0, 0, 0, 0, 100, 200}, {false, false, false, false, true, true, true}},
        // Runs for 500 ms, then stops.
        {false, {100, 200, 300, 400, 400, 400, 400}, {true, true, true, true, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.waitFirst ? "wait first" : "run first");
        CAnimationObject* animation = MakeClock(0, 1000);
        ASSERT_TRUE(animation->Play("part", 1, false));
        animation->SetDelay(500, c.waitFirst);
        EXPECT_EQ(animation->IsActive(), !c.waitFirst);
        for (std::size_t frame = 0; frame < c.times.size(); ++frame) {
            animation->Update(100.0f);
            EXPECT_FLOAT_EQ(animation->GetTime(), c.times[frame]) << "frame " << frame + 1;
            EXPECT_EQ(animation->IsActive(), c.active[frame]) << "frame " << frame + 1;
        }
    }
    // A delay of 0 clears a delay that was set.
    CAnimationObject* animation = MakeClock(0, 1000);
    animation->Play("part", 1, false);
    animation->SetDelay(500, true);
    animation->SetDelay(0, true);
    animation->SetActive(true);
    animation->Update(100.0f);
    EXPECT_FLOAT_EQ(animation->GetTime(), 100.0f);
}

TEST_F(AnimationObjectTest, EndOfThePartDropsOrDeactivates) {
    CAnimationObject* dropped = MakeClock(0, 200);
    ASSERT_TRUE(dropped->Play("part", 1, true));
    std::vector<bool> kept;
    for (int frame = 0; frame < 3; ++frame) kept.push_back(dropped->Update(100.0f));
    EXPECT_EQ(kept, (std::vector<bool>{true, true, false}));  // 100, 199, then the end
    EXPECT_TRUE(dropped->IsDone());

    CAnimationObject* deactivated = MakeClock(0, 200);
    deactivated->DeactivateOnEnd();
    ASSERT_TRUE(deactivated->Play("part", 1, false));
    for (int frame = 0; frame < 3; ++frame) deactivated->Update(100.0f);
    EXPECT_TRUE(deactivated->IsFinished());
    EXPECT_FALSE(deactivated->IsActive());
    EXPECT_FALSE(deactivated->IsDone());
    // Play switches it on again.
    ASSERT_TRUE(deactivated->Play("part", 1, false));
    EXPECT_TRUE(deactivated->IsActive());

    // A part the description lacks stops the object where it ends; with drop-at-end it is done.
    CAnimationObject* missing = MakeClock(0, 200);
    ASSERT_TRUE(missing->Play("part", 1, true));
    missing->Update(100.0f);
    EXPECT_FALSE(missing->Play("no such part", 1, false));
    EXPECT_TRUE(missing->IsFinished());
    EXPECT_FLOAT_EQ(missing->GetTime(), 199.0f);
    EXPECT_TRUE(missing->IsDone());
}

TEST_F(AnimationObjectTest, StopShowTimeAndRestarts) {
    builder.Animation("clock");
    builder.Part("part", 0, 1000);
    builder.Sprite("sprite");
    builder.Sound("sound");
    CAnimationObject* animation = Make("clock");
    auto* sprite = Child<CTestDrawable>(animation, "sprite");
    auto* sound = Child<CTestSound>(animation, "sound");
    EndCounter ends;
    animation->GetEndEvent().Add(CreateDelegate(&ends, &EndCounter::OnEnd));

    ASSERT_TRUE(animation->Play("part", -1, false));
    animation->Update(100.0f);
    animation->Stop();  // shows the end at once, without an end event
    EXPECT_TRUE(animation->IsFinished());
    EXPECT_FLOAT_EQ(animation->GetTime(), 999.0f);
    EXPECT_FLOAT_EQ(sprite->timesSeen.back(), 999.0f);
    EXPECT_FLOAT_EQ(sprite->lastDt, 0.0f);
    EXPECT_EQ(sound->stops, 1);
    EXPECT_EQ(ends.count, 0);
    const int soundUpdates = sound->updates;
    animation->Update(100.0f);
    EXPECT_EQ(sound->updates, soundUpdates) << "a finished animation's sounds rest";

    animation->ShowTime(250.0f);
    EXPECT_FLOAT_EQ(sprite->timesSeen.back(), 250.0f);
    EXPECT_FLOAT_EQ(animation->GetStartTime(), 250.0f);
    EXPECT_TRUE(animation->IsFinished());

    // PlayTo runs on from where the clock is; PlayFrom from a given time to the end it has.
    animation->PlayTo(450.0f);
    for (int frame = 0; frame < 2; ++frame) animation->Update(100.0f);
    EXPECT_FLOAT_EQ(animation->GetTime(), 450.0f);
    EXPECT_FALSE(animation->IsFinished());
    animation->Update(100.0f);
    EXPECT_TRUE(animation->IsFinished());
    EXPECT_EQ(ends.count, 1);
    animation->PlayFrom(100.0f);
    animation->Update(100.0f);
    EXPECT_FLOAT_EQ(animation->GetTime(), 200.0f);

    // StopLooping makes the running repetition the last.
    ASSERT_TRUE(animation->Play("part", -1, false));
    animation->StopLooping();
    for (int frame = 0; frame < 12; ++frame) animation->Update(100.0f);
    EXPECT_TRUE(animation->IsFinished());
}

TEST_F(AnimationObjectTest, ChildFollowsItsParentsMovesScalesAndTurns) {
    builder.Animation("parent");
    builder.Part("part", 0, 1000);
    AddKeys(builder.Sprite("child")->GetOffset(), {{{10, 0}, 0, 1000}});
    auto layered = builder.Sprite("layered");
    AddKeys(layered->GetLayer(), {{2, 0, 1000}});
    AddKeys(layered->GetOpaque(), {{0.5f, 0, 1000}});
    struct Case {
        const char* what;
        float x, y, angle, scale;
        float childX, childY, childAngle, childScale;
    };
    const Case cases[] = {
        {"moved", 100, 50, 0, 1, 110, 50, 0, 1},
        {"scaled about its position", 100, 50, 0, 2, 120, 50, 0, 2},
        {"turned about its position", 0, 0, kPi / 2, 1, 0, 10, kPi / 2, 1},
        {"all three", 100, 50, kPi / 2, 2, 100, 70, kPi / 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CAnimationObject* parent = Make("parent");
        ASSERT_TRUE(parent->Play("part", 1, false));
        parent->SetPosition(c.x, c.y);
        parent->SetRotation(c.angle);
        parent->SetScale(c.scale, c.scale);
        parent->SetLayer(5);
        parent->SetOpacity(0.5f);
        parent->Update(16.0f);
        const TTransform& child = Child<CTestDrawable>(parent, "child")->transform;
        EXPECT_NEAR(child.x, c.childX, 1e-4);
        EXPECT_NEAR(child.y, c.childY, 1e-4);
        EXPECT_NEAR(child.angle, c.childAngle, 1e-6);
        EXPECT_NEAR(std::atan2(child.sin, child.cos), c.childAngle, 1e-6);
        EXPECT_FLOAT_EQ(child.scaleX, c.childScale);
        EXPECT_FLOAT_EQ(child.scaleY, c.childScale);
        // The layer adds and the opacity multiplies (the sprites are found in description order).
        const TTransform& layeredChild = static_cast<CTestDrawable*>(parent->GetDrawable(1).Get())->transform;
        EXPECT_EQ(layeredChild.layer, 7);
        EXPECT_FLOAT_EQ(layeredChild.opacity, 0.25f);
    }
}

TEST_F(AnimationObjectTest, SettersMarkOnlyRealChangesUntilTheFrameEnds) {
    CAnimationObject* animation = MakeClock(0, 1000);
    const TTransform& world = animation->GetTransform();
    animation->Update(0.0f);
    EXPECT_EQ(world.dirty, 0);
    animation->SetX(10.0f);
    EXPECT_EQ(world.dirty, TTransform::kDirtyPosition);
    animation->Update(0.0f);
    EXPECT_EQ(world.dirty, 0);
    animation->SetX(10.0f);  // unchanged: no bit
    animation->SetLayer(0);
    animation->SetScale(1.0f, 1.0f);
    EXPECT_EQ(world.dirty, 0);
    animation->SetRotation(kPi);
    animation->SetOpacity(0.5f);
    animation->SetScaleY(3.0f);
    EXPECT_EQ(world.dirty, TTransform::kDirtyRotation | TTransform::kDirtyOpacity | TTransform::kDirtyScale);
    EXPECT_NEAR(world.sin, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(world.cos, -1.0f);
    animation->SetActive(true);
    EXPECT_EQ(world.dirty, TTransform::kDirtyAll);
}

TEST_F(AnimationObjectTest, ContainerKeepsThePlaceOnScreenAndThenLeads) {
    CAnimationObject* animation = MakeClock(0, 1000);
    animation->SetPosition(300.0f, 200.0f);
    animation->SetRotation(0.3f);
    animation->SetScale(1.5f, 1.5f);
    THolder<CTestDrawable> host(new CTestDrawable(CTestDrawable::kContainer));
    host->transform.x = 100.0f;
    host->transform.y = 80.0f;
    host->transform.angle = kPi / 2;
    host->transform.sin = 1.0f;
    host->transform.cos = 0.0f;
    host->transform.scaleX = host->transform.scaleY = 2.0f;
    TSubstitutedContainerPtr container(host);
    ASSERT_TRUE(container);

    animation->SetContainer(container, false);
    animation->ApplyTransform();
    EXPECT_NEAR(animation->GetPosition().x, 300.0f, 1e-3);
    EXPECT_NEAR(animation->GetPosition().y, 200.0f, 1e-3);
    EXPECT_NEAR(animation->GetRotation(), 0.3f, 1e-6);
    EXPECT_NEAR(animation->GetScale().x, 1.5f, 1e-6);

    host->transform.x += 10.0f;  // the container moves: the animation follows on the next frame
    animation->Update(16.0f);
    EXPECT_NEAR(animation->GetPosition().x, 310.0f, 1e-3);

    animation->SetContainer({}, false);
    EXPECT_FALSE(animation->GetContainer());
}

// A container shrunk to nothing or fully transparent cannot be divided out: the setters and the
// container change leave the relative fields finite instead of dividing by zero.
TEST_F(AnimationObjectTest, ContainerOfScaleZeroDividesNothing) {
    CAnimationObject* animation = MakeClock(0, 1000);
    animation->SetPosition(30.0f, 40.0f);
    animation->SetScale(2.0f, 2.0f);
    animation->SetOpacity(0.5f);
    THolder<CTestDrawable> host(new CTestDrawable(CTestDrawable::kContainer));
    host->transform.scaleX = 0.0f;
    host->transform.scaleY = 0.0f;
    host->transform.opacity = 0.0f;
    animation->SetContainer(TSubstitutedContainerPtr(host), false);
    animation->SetScaleX(4.0f);
    animation->SetScaleY(4.0f);
    animation->SetOpacity(0.25f);
    animation->Update(16.0f);
    const TTransform& world = animation->GetTransform();
    for (float value : {world.x, world.y, world.scaleX, world.scaleY, world.opacity})
        EXPECT_TRUE(std::isfinite(value));
}

TEST_F(AnimationObjectTest, ChildrenComeFromTheDescriptionInOrderAndAreFoundByName) {
    builder.Animation("menu");
    builder.Sprite("a");
    builder.Sound("voice");
    builder.TextSprite("label");
    builder.Particle();
    builder.Sprite("a");  // a second child of the same name
    CAnimationObject* menu = Make("menu");
    ASSERT_EQ(menu->GetDrawableCount(), 4);
    EXPECT_STREQ(menu->GetName(), "menu");
    EXPECT_EQ(menu->GetDrawable(0)->GetLayer(), 0);
    // Indexes past the list answer empty.
    EXPECT_FALSE(menu->GetDrawable(4));
    EXPECT_FALSE(menu->GetDrawable(0xFFFFFFFFu));

    TObjectAnimationPtr first = menu->FindObject("a");
    ASSERT_TRUE(first);
    EXPECT_EQ(static_cast<IDrawable*>(dynamic_cast<CTestDrawable*>(first.Get())), menu->GetDrawable(0).Get());
    EXPECT_EQ(menu->FindDrawable("a").Get(), menu->GetDrawable(0).Get());

    // A sound is found as an object only.
    EXPECT_TRUE(menu->FindObject("voice"));
    EXPECT_FALSE(menu->FindDrawable("voice"));
    EXPECT_EQ(menu->GetText("voice"), nullptr);
    EXPECT_FALSE(menu->SetText("voice", u"x"));
    EXPECT_FALSE(menu->FindObject("nobody"));

    // Texts reach text sprites only.
    EXPECT_EQ(menu->GetText("a"), nullptr);
    EXPECT_FALSE(menu->SetTextNumber("a", 1));
    EXPECT_TRUE(menu->SetText("label", u"Hello"));
    EXPECT_EQ(WString(menu->GetText("label")), u"Hello");
    EXPECT_TRUE(menu->SetTextNumber("label", -42));
    EXPECT_EQ(WString(menu->GetText("label")), u"-42");
}

TEST_F(AnimationObjectTest, OperationsPassedOnToTheChildren) {
    builder.Animation("menu");
    builder.Sprite("a");
    builder.Sound("voice");
    builder.Particle();
    CAnimationObject* menu = Make("menu");
    // Held here too, to be read after Reset lets go of them.
    THolder<CTestDrawable> sprite(Child<CTestDrawable>(menu, "a"));
    THolder<CTestDrawable> particle(static_cast<CTestDrawable*>(menu->GetDrawable(1).Get()));
    THolder<CTestSound> voice(Child<CTestSound>(menu, "voice"));

    menu->SetVisible(true);  // already visible: the children are not asked
    EXPECT_EQ(sprite->setVisibleCalls, 0);
    menu->SetVisible(false);
    menu->SetVisible(false);
    EXPECT_EQ(sprite->setVisibleCalls, 1);
    EXPECT_FALSE(particle->visible);
    menu->SetChildVisible("a", true);
    menu->SetChildVisible("nobody", true);
    menu->SetChildVisible(nullptr, true);
    EXPECT_TRUE(sprite->visible);

    menu->SetParticlesEmitting(false);
    EXPECT_FALSE(particle->emitting);
    EXPECT_TRUE(sprite->emitting);  // not a particle system: not asked

    menu->PauseSounds();
    menu->ResumeSounds();
    menu->StopSounds();
    EXPECT_EQ(voice->pauses, 1);
    EXPECT_EQ(voice->resumes, 1);
    EXPECT_EQ(voice->stops, 1);

    // Scene membership: the animation joins the animation list, its drawables the drawable list.
    THolder<CTestScene> scene(new CTestScene);
    menu->SetScene(scene);
    menu->SetScene(scene);  // the same scene again: nothing
    menu->SetDrawablesScene(scene);
    EXPECT_EQ(scene->animations.size(), 1u);
    EXPECT_EQ(scene->drawables.size(), 1u);  // the visible one
    EXPECT_EQ(menu->GetScene(), THolder<IScene>(scene));

    // Reset: children detached, scene left, lists empty.
    menu->Reset();
    EXPECT_EQ(sprite->detaches, 1);
    EXPECT_EQ(voice->detaches, 1);
    EXPECT_EQ(menu->GetDrawableCount(), 0);
    EXPECT_FALSE(menu->FindObject("voice"));
    EXPECT_TRUE(scene->animations.empty());
    EXPECT_TRUE(scene->drawables.empty());
    EXPECT_FALSE(menu->GetScene());

    // Destroy lets go of the scene without telling it.
    CAnimationObject* other = Make("menu");
    other->SetScene(scene);
    const int removed = scene->removedAnimations;
    other->Destroy();
    EXPECT_EQ(scene->removedAnimations, removed);
    EXPECT_FALSE(other->GetScene());
    scene->Clear();
}

// A child that is neither drawable nor sound.
struct CFaceless : IObjectAnimation, CRefCount {
    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override {
        *out = nullptr;
        if (id == kIdBase) *out = static_cast<IBase*>(this);
        if (id == kIdObjectAnimation) *out = static_cast<IObjectAnimation*>(this);
        if (*out) AddRef();
        return *out != nullptr;
    }
    bool IsPlaying() override { return true; }
    const std::string& GetName() override { return name; }
    THolder<IObjectData> GetObjectData() override { return {}; }
    TAnimationPtr GetParent() override { return {}; }
    void SetObjectData(const THolder<IObjectData>&) override {}
    void SetParent(const TAnimationPtr&) override {}
    void Detach() override {}
    void SetPlaying(bool) override {}
    bool Update(const float&) override { return true; }
    std::string name = "faceless";
};

TEST_F(AnimationObjectTest, AddingAndRemovingChildren) {
    CAnimationObject* animation = MakeClock(0, 100);
    THolder<CFaceless> faceless(new CFaceless);
    EXPECT_FALSE(animation->AddObject(TObjectAnimationPtr(faceless)));
    EXPECT_FALSE(animation->FindObject("faceless"));
    EXPECT_FALSE(animation->AddObject({}));

    THolder<CTestSound> sound(new CTestSound("extra"));
    TObjectAnimationPtr soundChild(sound);
    sound->SetParent(TAnimationPtr(static_cast<IAnimation*>(animation)));
    EXPECT_TRUE(animation->FindObject("extra"));
    EXPECT_TRUE(animation->RemoveObject(soundChild));
    EXPECT_EQ(sound->detaches, 1);
    EXPECT_FALSE(sound->parent);
    EXPECT_FALSE(animation->FindObject("extra"));
    EXPECT_FALSE(animation->RemoveObject(soundChild));

    // A child that moves to another parent leaves the first one's list.
    CAnimationObject* other = MakeClock(0, 100);
    TObjectAnimationPtr sprite = animation->FindObject("sprite");
    sprite->SetParent(TAnimationPtr(static_cast<IAnimation*>(other)));
    EXPECT_EQ(animation->GetDrawableCount(), 0);
    EXPECT_EQ(other->GetDrawableCount(), 2);
}

TEST_F(AnimationObjectTest, BoundingBoxJoinsDrawablesAndSubstitutedAnimations) {
    builder.Animation("inner");
    builder.Sprite("inner sprite");
    builder.Animation("outer");
    builder.Sprite("left");
    builder.Sprite("right");
    builder.Sprite("empty");
    CAnimationObject* inner = Make("inner");
    CAnimationObject* outer = Make("outer");
    EXPECT_EQ(outer->GetBoundingBox(), TRect{});
    static_cast<CTestDrawable*>(outer->GetDrawable(0).Get())->bounds = {0, 0, 10, 10};
    static_cast<CTestDrawable*>(outer->GetDrawable(1).Get())->bounds = {20, 5, 30, 12};
    EXPECT_EQ(outer->GetBoundingBox(), (TRect{0, 0, 30, 12}));

    // An animation substituted into a drawable counts with its own drawables.
    THolder<CTestDrawable> host(new CTestDrawable(CTestDrawable::kContainer, "host"));
    host->bounds = {0, 0, 0, 0};
    host->substituted.push_back(TAnimationPtr(static_cast<IAnimation*>(inner)));
    static_cast<CTestDrawable*>(inner->GetDrawable(0).Get())->bounds = {-5, 8, 2, 40};
    EXPECT_TRUE(outer->AddObject(TObjectAnimationPtr(host)));
    EXPECT_EQ(outer->GetBoundingBox(), (TRect{-5, 0, 30, 40}));
    host->substituted.clear();
}

TEST(Rect, UnionAndIntersection) {
    struct Case {
        TRect a, b;
        bool unionValid;
        TRect unionRect;
        bool intersectValid;
        TRect intersection;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, {10, 10, 20, 20}, true, {10, 10, 20, 20}, false, {}},
        {{10, 10, 20, 20}, {0, 0, 0, 0}, true, {10, 10, 20, 20}, false, {}},
        {{}, {5, 5, 5, 9}, false, {}, false, {}},                            // both empty
        {{0, 0, 10, 10}, {10, 0, 20, 10}, true, {0, 0, 20, 10}, false, {}},  // touching edges
        {{0, 0, 10, 10}, {5, -5, 15, 5}, true, {0, -5, 15, 10}, true, {5, 0, 10, 5}},
        {{0, 0, 10, 10}, {2, 2, 4, 4}, true, {0, 0, 10, 10}, true, {2, 2, 4, 4}},
        {{INT32_MIN, 0, INT32_MAX, 1}, {0, 0, 1, 1}, true, {INT32_MIN, 0, INT32_MAX, 1}, true, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        TRect out{1, 2, 3, 4};
        EXPECT_EQ(UnionRect(c.a, c.b, out), c.unionValid);
        EXPECT_EQ(out, c.unionRect);
        out = TRect{1, 2, 3, 4};
        EXPECT_EQ(TRectIntersect(c.a, c.b, out), c.intersectValid);
        EXPECT_EQ(out, c.intersection);
    }
}

TEST_F(AnimationObjectTest, DescriptionTracksPlayOnTheAnimationsClock) {
    builder.Animation("fade");
    builder.Part("part", 0, 400);
    auto sprite = builder.Sprite("sprite");
    AddKeys(sprite->GetOffset(), {{{0, 0}, 1, 100}, {{100, 50}, 0, 100}});
    AddKeys(sprite->GetLayer(), {{1, 0, 100}, {3, 0, 100}});
    AddKeys(sprite->GetColor(), {{hgeColor(1, 1, 1, 1), 1, 200}, {hgeColor(0, 0, 0, 0), 0, 100}});
    CAnimationObject* fade = Make("fade");
    auto* child = Child<CTestDrawable>(fade, "sprite");
    ASSERT_TRUE(fade->Play("part", 1, false));
    struct Step {
        float offsetX, offsetY;
        int layer;
        float alpha;
    };
    // Frames of 50 ms: the clock shows 50, 100, 150, 200 as the children see it.
    const Step steps[] = {{50, 25, 1, 0.75f}, {100, 50, 3, 0.5f}, {100, 50, 3, 0.25f}, {100, 50, 3, 0.0f}};
    for (const Step& step : steps) {
        fade->Update(50.0f);
        SCOPED_TRACE(testing::Message() << "t = " << fade->GetTime());
        EXPECT_FLOAT_EQ(child->offset.GetValue().x, step.offsetX);
        EXPECT_FLOAT_EQ(child->offset.GetValue().y, step.offsetY);
        EXPECT_EQ(child->layer.GetValue(), step.layer);
        EXPECT_FLOAT_EQ(child->color.GetValue().a, step.alpha);
    }
    // Two objects of one description share the key lists but play them on their own clocks.
    CAnimationObject* second = Make("fade");
    auto* secondChild = Child<CTestDrawable>(second, "sprite");
    EXPECT_EQ(secondChild->offset.GetKeys().Get(), child->offset.GetKeys().Get());
    ASSERT_TRUE(second->Play("part", 1, false));
    second->Update(50.0f);
    EXPECT_FLOAT_EQ(secondChild->offset.GetValue().x, 50.0f);
    EXPECT_FLOAT_EQ(child->offset.GetValue().x, 100.0f);
}

TEST_F(AnimationObjectTest, SoundCommandsFireOncePerKeyEntered) {
    builder.Animation("jingle");
    builder.Part("part", 0, 1000);
    AddKeys(builder.Sound("sound")->GetActionSound(), {{1, 0, 500}, {4, 0, 500}});
    CAnimationObject* jingle = Make("jingle");
    auto* sound = Child<CTestSound>(jingle, "sound");
    ASSERT_TRUE(jingle->Play("part", 2, false));
    for (int frame = 0; frame < 200 && !jingle->IsFinished(); ++frame) jingle->Update(16.0f);
    // Each repetition starts the sound once and stops it once, in the frame its key is entered.
    const std::vector<std::pair<float, int>> expected = {{16, 1}, {512, 4}, {0, 1}, {512, 4}};
    EXPECT_EQ(sound->commands, expected);
}

TEST_F(AnimationObjectTest, SubstitutionCommandPlaysItsPartOnceWithinTheRange) {
    builder.Animation("sparkle");
    builder.Part("_show", 0, 300);
    builder.Sprite("star");
    CAnimationObject* sparkle = Make("sparkle");
    using Key = TKindParam<EParamKind::CommandSubstAnimation>;
    auto keys = CreateParamList<EParamKind::CommandSubstAnimation>();
    keys->push_back(Key{{}, 0, 100});
    keys->push_back(Key{{THolder<IBase>(static_cast<IBase*>(sparkle)), "_show"}, 0, 100});
    TTrackPlayer<EParamKind::CommandSubstAnimation> track;
    track.Bind(keys);

    int fired = 0;
    for (float t = 0; t <= 400; t += 50) {
        track.Update(t);
        if (FireCommandSubst(track, t, 0, 399)) ++fired;
    }
    // Key 0 holds the empty command; key 1 fires once at 100 (held for every later time).
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(sparkle->IsFinished());
    EXPECT_FLOAT_EQ(sparkle->GetEndTime(), 299.0f);

    // Outside the owner's range the command does not fire; it fires again when re-entered inside.
    sparkle->Stop();
    track.Update(0);
    track.Update(150);
    EXPECT_FALSE(FireCommandSubst(track, 150, 0, 120));
    EXPECT_TRUE(sparkle->IsFinished());
    track.Update(0);
    track.Update(150);
    EXPECT_TRUE(FireCommandSubst(track, 150, 0, 399));
    keys->clear();
}

TEST_F(AnimationObjectTest, EndDelegateMayResetTheAnimationItIsCalledFor) {
    CAnimationObject* animation = MakeClock(0, 100);
    THolder<CTestScene> scene(new CTestScene);
    animation->SetScene(scene);
    struct Resetter {
        void OnEnd(TAnimationPtr finished) { finished->Reset(); }
    } resetter;
    animation->GetEndEvent().Add(CreateDelegate(&resetter, &Resetter::OnEnd));
    ASSERT_TRUE(animation->Play("part", 1, true));
    bool kept = true;
    for (int frame = 0; frame < 3; ++frame) kept = animation->Update(100.0f);
    EXPECT_FALSE(kept);
    EXPECT_TRUE(scene->animations.empty());
    EXPECT_EQ(animation->GetDrawableCount(), 0);
}

TEST(AnimationObject, AnswersItsTwoFacesOnly) {
    THolder<CAnimationObject> animation(new CAnimationObject);
    void* out = reinterpret_cast<void*>(1);
    for (int id : {1, 2, 3, 4, 5, 6, 13, 99}) {
        EXPECT_FALSE(animation->QueryInterface(id, &out)) << id;
        EXPECT_EQ(out, nullptr);
    }
    // A new object is finished and has nothing to play.
    EXPECT_TRUE(animation->IsFinished());
    EXPECT_FALSE(animation->Play("_show", 0, false));
    EXPECT_TRUE(animation->Update(16.0f));
}

}  // namespace
