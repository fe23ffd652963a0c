#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/core/Holder.h"
#include "framework/scene/HgeSprite.h"
#include "tests/support/RecordingEngine.h"

using GF::HGENS::CHGESprite;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

struct Corners {
    float x[4], y[4];
};

void ExpectCorners(const hgeQuad& q, const Corners& want, const char* what) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(q.v[i].x, want.x[i], 1e-4f) << what << " corner " << i;
        EXPECT_NEAR(q.v[i].y, want.y[i], 1e-4f) << what << " corner " << i;
    }
}

}  // namespace

TEST(HgeSprite, TextureCoordinatesComeFromTheTextureSizeOrThePixelsWithoutOne) {
    CRecordingEngine engine;
    const HTEXTURE tex = engine.Texture_Create(64, 32);

    hgeSprite textured(tex, 16, 8, 32, 16);
    EXPECT_FLOAT_EQ(textured.texWidth, 64);
    const float want[4][2] = {{0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.75f}, {0.25f, 0.75f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(textured.quad.v[i].tx, want[i][0]) << i;
        EXPECT_FLOAT_EQ(textured.quad.v[i].ty, want[i][1]) << i;
        EXPECT_EQ(textured.quad.v[i].col, 0xFFFFFFFF);
        EXPECT_FLOAT_EQ(textured.quad.v[i].z, 0.5f);
    }
    EXPECT_EQ(textured.quad.blend, 2);
    EXPECT_EQ(textured.quad.tex, tex);

    hgeSprite bare(0, 3, 4, 10, 20);
    EXPECT_FLOAT_EQ(bare.quad.v[2].tx, 13);
    EXPECT_FLOAT_EQ(bare.quad.v[2].ty, 24);

    // A handle the engine does not know must not divide by a zero size.
    hgeSprite stale(9999, 3, 4, 10, 20);
    EXPECT_TRUE(std::isfinite(stale.quad.v[2].tx));
    EXPECT_FLOAT_EQ(stale.texWidth, 1);
}

TEST(HgeSprite, RenderPlacesTheCornersAroundTheHotspot) {
    CRecordingEngine engine;
    hgeSprite s(0, 0, 0, 40, 20);
    s.SetHotSpot(10, 5);
    s.Render(100, 50);
    ASSERT_EQ(engine.quads.size(), 1u);
    ExpectCorners(engine.quads[0], {{90, 130, 130, 90}, {45, 45, 65, 65}}, "Render");

    s.Render4V(1, 2, 3, 4, 5, 6, 7, 8);
    ExpectCorners(engine.quads[1], {{1, 3, 5, 7}, {2, 4, 6, 8}}, "Render4V");
}

TEST(HgeSprite, RenderExScalesAndRotatesAboutTheHotspot) {
    struct Case {
        const char* what;
        float hotX, hotY, rot, hscale, vscale;
        Corners want;
    };
    // A 40 x 20 sprite drawn at (100, 50).
    const Case cases[] = {
        {"plain", 0, 0, 0, 1, 1, {{100, 140, 140, 100}, {50, 50, 70, 70}}},
        {"vscale 0 takes hscale", 0, 0, 0, 2, 0, {{100, 180, 180, 100}, {50, 50, 90, 90}}},
        {"hotspot and non-uniform scale", 20, 10, 0, 2, 3, {{60, 140, 140, 60}, {20, 20, 80, 80}}},
        // Rotated a quarter turn clockwise (y down) about the centre: the top-left corner goes to
        // the top-right of the turned box.
        {"quarter turn about the centre", 20, 10, kHalfPi, 1, 1, {{110, 110, 90, 90}, {30, 70, 70, 30}}},
        {"half turn about the top-left", 0, 0, 2 * kHalfPi, 1, 1, {{100, 60, 60, 100}, {50, 50, 30, 30}}},
    };
    for (const Case& c : cases) {
        CRecordingEngine engine;
        hgeSprite s(0, 0, 0, 40, 20);
        s.SetHotSpot(c.hotX, c.hotY);
        s.RenderEx(100, 50, c.rot, c.hscale, c.vscale);
        ASSERT_EQ(engine.quads.size(), 1u) << c.what;
        ExpectCorners(engine.quads[0], c.want, c.what);
    }
}

TEST(HgeSprite, FlipSwapsTextureCoordinatesAndNotTheHotspot) {
    CRecordingEngine engine;
    hgeSprite s(0, 0, 0, 4, 2);  // no texture: coordinates are the pixel corners
    s.SetHotSpot(1, 0);
    const hgeQuad before = s.quad;

    s.SetFlip(true, false);
    EXPECT_TRUE(s.flipX);
    EXPECT_FLOAT_EQ(s.quad.v[0].tx, before.v[1].tx);
    EXPECT_FLOAT_EQ(s.quad.v[3].tx, before.v[2].tx);
    s.SetFlip(false, false);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(s.quad.v[i].tx, before.v[i].tx) << i;
        EXPECT_FLOAT_EQ(s.quad.v[i].ty, before.v[i].ty) << i;
    }

    // Both axes: the picture turns by half a circle in texture space.
    s.SetFlip(true, true);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(s.quad.v[i].tx, before.v[(i + 2) % 4].tx) << i;
        EXPECT_FLOAT_EQ(s.quad.v[i].ty, before.v[(i + 2) % 4].ty) << i;
    }
    s.Render(10, 10);
    ExpectCorners(engine.quads.back(), {{9, 13, 13, 9}, {10, 10, 12, 12}}, "flipped, hotspot kept");
}

TEST(HgeSprite, BoundingBoxFollowsRotationAndScale) {
    CRecordingEngine engine;
    hgeSprite s(0, 0, 0, 40, 20);
    s.SetHotSpot(20, 10);
    hgeRect box(-500, -500, 500, 500);  // Clear must drop what it held

    s.GetBoundingBoxEx(100, 50, kHalfPi, 1, 1, &box);
    EXPECT_NEAR(box.x1, 90, 1e-4f);  // centred on (100, 50), width and height exchanged
    EXPECT_NEAR(box.x2, 110, 1e-4f);
    EXPECT_NEAR(box.y1, 30, 1e-4f);
    EXPECT_NEAR(box.y2, 70, 1e-4f);

    s.GetBoundingBoxEx(100, 50, 0, 2, 0, &box);  // vscale taken as given: a flat box
    EXPECT_FLOAT_EQ(box.x1, 60);
    EXPECT_FLOAT_EQ(box.x2, 140);
    EXPECT_FLOAT_EQ(box.y1, 50);
    EXPECT_FLOAT_EQ(box.y2, 50);
    EXPECT_TRUE(engine.quads.empty());
}

TEST(HgeSprite, ColourSetsOneCornerOrAllAndIgnoresOtherIndexes) {
    CRecordingEngine engine;
    GF::THolder<CHGESprite> s(new CHGESprite(0, 0, 0, 8, 8));
    s->SetColor(0x80112233);
    s->SetColor(0xFF000000, 2);
    s->SetColor(0x12345678, 4);
    s->SetColor(0x12345678, -2);
    EXPECT_EQ(s->GetColor(0), 0x80112233u);
    EXPECT_EQ(s->GetColor(1), 0x80112233u);
    EXPECT_EQ(s->GetColor(2), 0xFF000000u);
    EXPECT_EQ(s->GetColor(3), 0x80112233u);
    EXPECT_EQ(s->GetColor(7), 0u);

    GF::THolder<CHGESprite> copy(new CHGESprite(*s));
    EXPECT_EQ(copy->GetRefCount(), 1);
    EXPECT_EQ(copy->GetColor(2), 0xFF000000u);
}
