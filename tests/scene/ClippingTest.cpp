#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/GameProperties.h"
#include "framework/scene/Clipping.h"
#include "tests/scene/SceneFixture.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// The recording engine with one list of what was drawn and clipped, in order: "quad <x>" for each
// quad (its left edge) and "clip <x> <y> <w> <h>".
class COrderEngine : public CRecordingEngine {
public:
    void Gfx_RenderQuad(const hgeQuad* quad) override {
        events.push_back("quad " + std::to_string(static_cast<int>(quad->v[0].x)));
        CRecordingEngine::Gfx_RenderQuad(quad);
    }
    void Gfx_SetClipping(int x, int y, int w, int h) override {
        events.push_back("clip " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) +
                         " " + std::to_string(h));
        CRecordingEngine::Gfx_SetClipping(x, y, w, h);
    }
    std::vector<std::string> events;
};

// The screen is 640 x 480.
class Clipping : public TSceneFixture<COrderEngine> {
protected:
    Clipping() {
        properties->m_screenWidth = 640;
        properties->m_screenHeight = 480;
        build.SpriteInfo("dot", 99, 0, 0, 4, 4);
    }

    // A clipping of `scale` (units of 100 pixels) with its hotspot at `hotspot` and placed at `at`.
    THolder<CClippingObjectData> AddClipping(TPoint<float> at, TPoint<float> hotspot, TPoint<float> scale,
                                             int layer = 0) {
        auto clipping = build.Clipping();
        AddKeys(clipping->GetOffset(), {{at, 0, 1000}});
        AddKeys(clipping->GetHotspot(), {{hotspot, 0, 1000}});
        AddKeys(clipping->GetScale(), {{scale, 0, 1000}});
        AddKeys(clipping->GetLayer(), {{layer, 0, 1000}});
        return clipping;
    }
    // A 4 x 4 sprite at (x, 0) on the layer.
    void AddDot(const std::string& name, float x, int layer) {
        auto sprite = build.Sprite(name);
        AddKeys(sprite->GetIDResource(), {{0, 0, 1000}});
        AddKeys(sprite->GetOffset(), {{{x, 0}, 0, 1000}});
        AddKeys(sprite->GetLayer(), {{layer, 0, 1000}});
    }

    THolder<CGameProperties> properties = GetGameProperties();
};

TEST_F(Clipping, RectangleFromPositionHotspotAndScaleCutToTheScreen) {
    struct Case {
        const char* what;
        TPoint<float> at, hotspot, scale;
        TRect rect;
    };
    const Case cases[] = {
        {"centred", {320, 240}, {5000, 5000}, {2, 1}, {220, 190, 420, 290}},
        {"top-left", {10.5f, 20.9f}, {0, 0}, {0.5f, 0.25f}, {10, 20, 60, 45}},
        {"partly off", {600, -30}, {0, 0}, {1, 1}, {600, 0, 640, 70}},
        {"wholly off", {700, 500}, {0, 0}, {1, 1}, {0, 0, 1, 1}},
        {"no size", {100, 100}, {0, 0}, {0, 0}, {0, 0, 1, 1}},
    };
    int i = 0;
    for (const Case& c : cases) {
        const std::string name = "clip" + std::to_string(i++);
        build.Animation(name);
        build.Part("all", 0, 1000);
        AddClipping(c.at, c.hotspot, c.scale);
        TAnimationPtr a = Show(name);
        engine.events.clear();
        Frame();
        auto* clipping = dynamic_cast<CClipping*>(a->GetDrawable(0).Get());
        ASSERT_TRUE(clipping) << c.what;
        EXPECT_EQ(clipping->GetBoundingBox(), c.rect) << c.what;
        // Never a zero width or height: that would switch clipping off instead of hiding.
        const std::string expected =
            "clip " + std::to_string(c.rect.left) + " " + std::to_string(c.rect.top) + " " +
            std::to_string(c.rect.right - c.rect.left) + " " + std::to_string(c.rect.bottom - c.rect.top);
        EXPECT_EQ(engine.events, (std::vector<std::string>{expected, "clip 0 0 0 0"})) << c.what;
        a->Reset();
    }
}

// Clipping objects do not combine: each holds for what is drawn after it in layer order, until the
// next one, and the scene switches clipping off after its last drawable.
TEST_F(Clipping, CallsSurroundTheDrawablesTheyClip) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    AddDot("over", 250, 25);
    AddClipping({0, 0}, {0, 0}, {2, 2}, 20);
    AddDot("under", 150, 15);
    AddClipping({100, 0}, {0, 0}, {1, 1}, 10);
    AddDot("first", 50, 5);
    AddDot("same", 120, 10);  // on the clipping's own layer, added after it: clipped
    Show("a");
    Frame();
    Frame();
    const std::vector<std::string> expected = {"quad 50",     "clip 100 0 100 100", "quad 120",
                                               "quad 150",    "clip 0 0 200 200",   "quad 250",
                                               "clip 0 0 0 0"};
    const std::vector<std::string> second(engine.events.begin() + static_cast<long>(expected.size()),
                                          engine.events.end());
    EXPECT_EQ(second, expected);
}

TEST_F(Clipping, InvisibleClippingStaysListedAndLeavesTheClippingAlone) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    AddClipping({0, 0}, {0, 0}, {1, 1}, 10);
    AddDot("dot", 50, 20);
    TAnimationPtr a = Show("a");
    TDrawablePtr clipping = a->GetDrawable(0);
    clipping->SetVisible(false);
    EXPECT_FALSE(clipping->IsVisible());
    EXPECT_EQ(scene->GetDrawableCount(), 2);
    Frame();
    EXPECT_EQ(engine.events, (std::vector<std::string>{"quad 50", "clip 0 0 0 0"}));

    // Taken off the scene and put back while invisible, it is listed again.
    clipping->SetScene({});
    EXPECT_EQ(scene->GetDrawableCount(), 1);
    clipping->SetScene(THolder<IScene>(scene));
    EXPECT_EQ(scene->GetDrawableCount(), 2);
    a->Reset();
    EXPECT_EQ(scene->GetDrawableCount(), 0);
}

TEST_F(Clipping, FollowsTheParentAndItsModifier) {
    build.Animation("a");
    build.Part("all", 0, 1000);
    auto clipping = AddClipping({10, 10}, {0, 0}, {1, 1});
    AddKeys(clipping->GetParamModifiers(), {{2, 1, 1, 5, 5, 1, 1}, {3, 1, 1, 7, 7, 1, 1}});
    TAnimationPtr a = Show("a");
    a->SetPosition(100, 50);
    a->SetScale(2, 1);
    Frame(16);
    // At (10, 10) under a parent at (100, 50) of scale (2, 1): (120, 60), 200 x 100, then moved by
    // the modifier's (5, 7).
    EXPECT_EQ(a->GetDrawable(0)->GetBoundingBox(), (TRect{125, 67, 325, 167}));
}

}  // namespace
