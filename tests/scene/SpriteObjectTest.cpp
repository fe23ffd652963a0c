#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/SpriteObject.h"
#include "tests/scene/SceneFixture.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

constexpr float kPi = 3.1415927f;

// Sprites of the 64 x 32 picture "pic" (sprite info 0; its texture is not loaded, which the
// recording engine does not need).
class SpriteObject : public TSceneFixture<> {
protected:
    SpriteObject() { build.SpriteInfo("pic", 99, 0, 0, 64, 32); }

    // A new animation "name" (part "all" of 1000 ms) with one sprite "s" showing the picture.
    THolder<CSpriteObjectData> Describe(const std::string& name) {
        build.Animation(name);
        build.Part("all", 0, 1000);
        auto sprite = build.Sprite("s");
        AddKeys(sprite->GetIDResource(), {{0, 0, 1000}});
        return sprite;
    }

    // The four drawn corners of the last quad, top-left first.
    static void ExpectCorners(const hgeQuad& quad, const float (&corners)[8], const std::string& what) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(quad.v[i].x, corners[2 * i], 1e-3) << what << " corner " << i;
            EXPECT_NEAR(quad.v[i].y, corners[2 * i + 1], 1e-3) << what << " corner " << i;
        }
    }
};

TEST_F(SpriteObject, CornersFollowOffsetHotspotRotationAndScale) {
    struct Case {
        const char* name;
        TPoint<float> hotspot;
        float angle;
        TPoint<float> scale;
        float corners[8];
    };
    const Case cases[] = {
        {"plain", {0, 0}, 0, {1, 1}, {100, 100, 164, 100, 164, 132, 100, 132}},
        // (5000, 10000) of 64 x 32 is the hotspot (32, 32).
        {"hotspot", {5000, 10000}, 0, {1, 1}, {68, 68, 132, 68, 132, 100, 68, 100}},
        {"scaled", {5000, 10000}, 0, {2, 0.5f}, {36, 84, 164, 84, 164, 100, 36, 100}},
        {"turned", {5000, 10000}, kPi / 2, {2, 2}, {164, 36, 164, 164, 100, 164, 100, 36}},
    };
    for (const Case& c : cases) {
        auto sprite = Describe(c.name);
        AddKeys(sprite->GetOffset(), {{{100, 100}, 0, 1000}});
        AddKeys(sprite->GetHotspot(), {{c.hotspot, 0, 1000}});
        AddKeys(sprite->GetRotate(), {{c.angle, 0, 1000}});
        AddKeys(sprite->GetScale(), {{c.scale, 0, 1000}});
        TAnimationPtr a = Show(c.name);
        engine.quads.clear();
        Frame();
        ASSERT_EQ(engine.quads.size(), 1u) << c.name;
        ExpectCorners(engine.quads.back(), c.corners, c.name);
        a->Reset();
    }
}

// Blend keys 1 to 4 pick the engine blend and take the Color track's red, green and blue; key 0 is
// plain white. The alpha is the opacity's, never the colour's; an opacity past 0..1 (a key above
// 255) is held to the byte instead of spilling past it and wrapping to nearly transparent.
TEST_F(SpriteObject, ColourAndBlendForEachBlendKey) {
    struct Case {
        int blendKey;
        float opacity;
        DWORD color;
        int blend;
    };
    const Case cases[] = {
        {0, 0.5f, 0x7FFFFFFF, BLEND_COLORMUL | BLEND_ALPHABLEND},
        {1, 0.5f, 0x7FFF0000, BLEND_COLORADD | BLEND_ALPHABLEND},
        {2, 0.5f, 0x7FFF0000, BLEND_COLORMUL | BLEND_ALPHABLEND},
        {3, 0.5f, 0x7FFF0000, BLEND_COLORADD | BLEND_ALPHAADD},
        {4, 0.5f, 0x7FFF0000, BLEND_COLORMUL | BLEND_ALPHAADD},
        {2, 1.5f, 0xFFFF0000, BLEND_COLORMUL | BLEND_ALPHABLEND},
        {2, -0.5f, 0x00FF0000, BLEND_COLORMUL | BLEND_ALPHABLEND},
    };
    int i = 0;
    for (const Case& c : cases) {
        const std::string name = "case" + std::to_string(i++);
        auto sprite = Describe(name);
        AddKeys(sprite->GetBlend(), {{c.blendKey, 0, 1000}});
        AddKeys(sprite->GetColor(), {{hgeColor(1, 0, 0, 0.5f), 0, 1000}});
        AddKeys(sprite->GetOpaque(), {{c.opacity, 0, 1000}});
        TAnimationPtr a = Show(name);
        engine.quads.clear();
        Frame();
        ASSERT_EQ(engine.quads.size(), 1u) << name;
        for (const hgeVertex& v : engine.quads[0].v) EXPECT_EQ(v.col, c.color) << name;
        EXPECT_EQ(engine.quads[0].blend, c.blend) << name;
        a->Reset();
    }

    // Key 5 keeps the blend of the frame before; without Blend keys the sprite is white.
    auto sprite = Describe("kept");
    AddKeys(sprite->GetBlend(), {{3, 0, 100}, {5, 0, 900}});
    AddKeys(sprite->GetColor(), {{hgeColor(0, 0, 1, 1), 0, 100}, {hgeColor(0, 1, 0, 1), 0, 900}});
    auto white = Describe("white");
    AddKeys(white->GetColor(), {{hgeColor(0, 0, 1, 1), 0, 1000}});
    Show("kept");
    Show("white");
    engine.quads.clear();
    Frame(0);
    Frame(100);
    ASSERT_EQ(engine.quads.size(), 4u);
    EXPECT_EQ(engine.quads[2].blend, BLEND_COLORADD | BLEND_ALPHAADD);
    EXPECT_EQ(engine.quads[2].v[0].col, 0xFF00FF00);
    EXPECT_EQ(engine.quads[3].v[0].col, 0xFFFFFFFF);
}

TEST_F(SpriteObject, CodeColourAndBlendOutlastFramesAndOpacityUntilCleared) {
    auto sprite = Describe("s");
    AddKeys(sprite->GetBlend(), {{2, 0, 1000}});
    AddKeys(sprite->GetColor(),
            {{hgeColor(1, 0, 0, 1), 0, 100}, {hgeColor(0, 0, 1, 1), 0, 100}, {hgeColor(0, 1, 0, 1), 0, 800}});
    TAnimationPtr a = Show("s");
    auto* s = Child<CSpriteObject>(a, "s");
    EXPECT_EQ(s->GetColor(), 0xFFFFFFFFu);  // no frame yet
    Frame(0);
    EXPECT_EQ(s->GetColor(), 0xFFFF0000u);
    s->SetColorAndBlend(0x80FFFF00, BLEND_COLORADD);
    EXPECT_EQ(s->GetColor(), 0x80FFFF00u);
    EXPECT_EQ(s->GetSprite()->quad.blend, BLEND_COLORADD);
    Frame(100);  // the track's next colour and its blend stay overridden
    EXPECT_EQ(s->GetColor(), 0x80FFFF00u);
    EXPECT_EQ(s->GetSprite()->quad.blend, BLEND_COLORADD);
    a->SetOpacity(0.5f);  // the colour's alpha times the opacity
    Frame(0);
    EXPECT_EQ(s->GetColor(), 0x40FFFF00u);
    s->SetColorAndBlend(0xFFFFFFFF, BLEND_COLORADD);  // white is a colour, not "none"
    EXPECT_EQ(s->GetColor(), 0x7FFFFFFFu);
}

// Hit tests compare the screen point, brought into the sprite's frame, with the picture's rectangle
// about its hotspot.
TEST_F(SpriteObject, HitTestsOnTurnedAndScaledSprites) {
    auto sprite = Describe("s");
    AddKeys(sprite->GetOffset(), {{{200, 100}, 0, 1000}});
    AddKeys(sprite->GetHotspot(), {{{5000, 5000}, 0, 1000}});
    AddKeys(sprite->GetRotate(), {{kPi / 2, 0, 1000}});
    AddKeys(sprite->GetScale(), {{{2, 1}, 0, 1000}});
    TAnimationPtr a = Show("s");
    auto* s = Child<CSpriteObject>(a, "s");
    Frame();
    const CHGESprite& picture = *s->GetSprite();
    auto hits = [&](float x, float y) {
        const TPoint<float> p = InverseTransformPoint(s->GetTransform(), {x, y});
        return p.x >= -picture.hotX && p.x < picture.width - picture.hotX && p.y >= -picture.hotY &&
               p.y < picture.height - picture.hotY;
    };
    // Turned by a quarter, the 128 x 32 picture stands 32 wide and 128 high about (200, 100).
    struct Case {
        float x, y;
        bool hit;
    };
    const Case cases[] = {{200, 100, true},  {210, 160, true},  {185, 37, true}, {230, 100, false},
                          {260, 100, false}, {200, 170, false}, {200, 30, false}};
    for (const Case& c : cases) EXPECT_EQ(hits(c.x, c.y), c.hit) << c.x << ", " << c.y;
    EXPECT_EQ(s->GetBoundingBox(), (TRect{184, 36, 216, 164}));
    TTransform flat = s->GetTransform();
    flat.scaleX = 0;  // no extent: the point lies at infinity, never a hit
    EXPECT_TRUE(std::isinf(InverseTransformPoint(flat, {200, 100}).x));

    // Moving the parent moves the hit area with it.
    a->SetPosition(100, 0);
    Frame();
    EXPECT_TRUE(hits(300, 100));
    EXPECT_FALSE(hits(200, 100));
}

TEST_F(SpriteObject, BoundingBoxIsOrderedAndTruncatedTowardZero) {
    auto sprite = Describe("s");
    AddKeys(sprite->GetOffset(), {{{10.7f, -5.5f}, 0, 1000}});
    AddKeys(sprite->GetRotate(), {{0, 0, 500}, {kPi, 0, 500}});
    TAnimationPtr a = Show("s");
    auto* s = Child<CSpriteObject>(a, "s");
    Frame(0);
    EXPECT_EQ(s->GetBoundingBox(), (TRect{10, -5, 74, 26}));
    Frame(500);  // half a turn about the top-left corner
    EXPECT_EQ(s->GetBoundingBox(), (TRect{-53, -37, 10, -5}));
}

TEST_F(SpriteObject, UnknownPictureDrawsNothingAndTracksPlayOn) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    auto sprite = build.Sprite("s");
    AddKeys(sprite->GetIDResource(), {{7, 0, 500}, {0, 0, 500}});
    AddKeys(sprite->GetOffset(), {{{0, 0}, 1, 1000}, {{1000, 0}, 0, 0}});
    AddKeys(sprite->GetColor(), {{hgeColor(1, 0, 0, 1), 0, 100}, {hgeColor(0, 1, 0, 1), 0, 100}});
    TAnimationPtr a = Show("a");
    auto* s = Child<CSpriteObject>(a, "s");
    Frame(0);
    Frame(200);
    EXPECT_TRUE(engine.quads.empty());
    EXPECT_FALSE(s->GetSprite());
    EXPECT_EQ(s->GetBoundingBox(), TRect{});
    EXPECT_NEAR(s->GetTransform().x, 200, 1e-3);
    Frame(300);  // the picture comes with the second key, at the place the track has reached
    ASSERT_EQ(engine.quads.size(), 1u);
    EXPECT_NEAR(engine.quads[0].v[0].x, 500, 1e-3);
}

TEST_F(SpriteObject, ParameterModifierMovesAndTurnsTheSprite) {
    auto sprite = Describe("s");
    AddKeys(sprite->GetOffset(), {{{100, 100}, 0, 1000}});
    // One component each, min = max: constant values once the modifier has had a frame.
    AddKeys(sprite->GetParamModifiers(),
            {{2, 1, 1, 10, 10, 1, 1}, {3, 1, 1, -5, -5, 1, 1}, {1, 1, 1, 0.5f, 0.5f, 1, 1}});
    TAnimationPtr a = Show("s");
    auto* s = Child<CSpriteObject>(a, "s");
    Frame(16);
    EXPECT_NEAR(s->GetTransform().x, 110, 1e-4);
    EXPECT_NEAR(s->GetTransform().y, 95, 1e-4);
    EXPECT_NEAR(s->GetTransform().angle, 0.5f, 1e-6);
    EXPECT_NEAR(s->GetTransform().sin, std::sin(0.5f), 1e-6);
    EXPECT_NEAR(engine.quads.back().v[0].x, 110, 1e-3);
}

}  // namespace
