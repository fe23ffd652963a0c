#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/gui/Transition.h"
#include "tests/app/RecordingScreen.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/SceneDoubles.h"

using GF::THolder;
using GF::HGENS::CNoneEffect;
using GF::HGENS::CSmoothShow;

namespace {

// Notes its drawing in the engine's call list, so it shows where in a frame it was drawn.
class CDrawnScene : public CTestScene {
public:
    explicit CDrawnScene(std::vector<std::string>& calls) : m_calls(calls) {}
    void Render() override { m_calls.push_back("scene:Render"); }

private:
    std::vector<std::string>& m_calls;
};

// The recording engine that also keeps the view transforms it is given and can refuse targets.
class CTransformEngine : public CRecordingEngine {
public:
    void Gfx_SetTransform(float x, float y, float dx, float dy, float rot, float hscale,
                          float vscale) override {
        transforms.push_back({x, y, dx, dy, rot, hscale, vscale});
        CRecordingEngine::Gfx_SetTransform(x, y, dx, dy, rot, hscale, vscale);
    }
    HTARGET Target_Create(int width, int height, bool zbuffer) override {
        return failTargets ? 0 : CRecordingEngine::Target_Create(width, height, zbuffer);
    }

    std::vector<std::vector<float>> transforms;
    bool failTargets = false;
};

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.System_Initiate();
        CRecordingScreen::journal = &engine.calls;
        m_savedSize = {properties->m_screenWidth, properties->m_screenHeight};
        properties->m_screenWidth = 800;
        properties->m_screenHeight = 600;
        manager = GF::GetGameManager();
        manager->RegisterScreenFactory("menu", CRecordingScreen::Create);
    }
    void TearDown() override {
        manager->Shutdown();
        manager.Reset();
        CRecordingScreen::journal = nullptr;
        properties->m_screenWidth = m_savedSize.first;
        properties->m_screenHeight = m_savedSize.second;
    }

    THolder<CSmoothShow> Started(float duration) {
        THolder<CSmoothShow> effect(new CSmoothShow);
        effect->Start(THolder<GF::IScene>(new CDrawnScene(engine.calls)), duration);
        return effect;
    }
    // The alpha of the old picture drawn over the frame, or -1 when it was not drawn.
    int DrawnAlpha(CSmoothShow& effect) {
        engine.quads.clear();
        effect.BeginRender();
        effect.EndRender();
        return engine.quads.empty() ? -1 : static_cast<int>(engine.quads.back().v[0].col >> 24);
    }

    CTransformEngine engine;
    THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    THolder<GF::HGENS::CGameManager> manager;

private:
    std::pair<int, int> m_savedSize;
};

TEST_F(TransitionTest, TheCapturedOldSceneFadesOutOverTheNewScreenFrameByFrame) {
    manager->ShowScreen("menu", "menu", {}, "");
    engine.ClearRecord();
    manager->SetScreenEffect(THolder<GF::HGENS::IGfxEffect>(Started(2000.0f)));
    // The old scene drew itself once, into the off-screen picture.
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"Gfx_BeginScene 1", "scene:Render", "Gfx_EndScene"}));
    EXPECT_TRUE(engine.HasLog("CSmoothShow::CSmoothShow()"));

    // 2000 ms: 1500 left is 191.25, 1000 is 127.5, 500 is 63.75 (truncated); then the frame of 700 ms
    // runs past the end, the fade is over and the manager opens its frames itself.
    const struct {
        float dt;
        int alpha;
    } frames[] = {{500.0f, 191}, {500.0f, 127}, {500.0f, 63}, {700.0f, -1}, {16.0f, -1}};
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.dt);
        engine.quads.clear();
        engine.ClearRecord();
        ASSERT_TRUE(manager->Update(frame.dt));
        if (frame.alpha < 0) {
            EXPECT_TRUE(engine.quads.empty());
            EXPECT_TRUE(engine.HasCall("Gfx_SetTransform"));
            continue;
        }
        // The screen's frame without a transform; the new screen, then the old picture over it.
        EXPECT_EQ(engine.calls,
                  (std::vector<std::string>{"menu:Update", "Gfx_BeginScene 0", "menu:Draw", "Gfx_EndScene"}));
        ASSERT_EQ(engine.quads.size(), 1u);
        const hgeQuad& quad = engine.quads[0];
        EXPECT_EQ(static_cast<int>(quad.v[0].col >> 24), frame.alpha);
        EXPECT_EQ(quad.v[0].col & 0xFFFFFF, 0xFFFFFFu);  // red, green and blue kept
        EXPECT_EQ(quad.tex, engine.Target_GetTexture(1));
        EXPECT_EQ(quad.v[2].x, 800.0f);  // the game picture's size
        EXPECT_EQ(quad.v[2].y, 600.0f);
    }
}

TEST_F(TransitionTest, TheFadeEndsAtZeroOnALongFrameOnTheFocusAndAtOnceWithoutLength) {
    const struct {
        float duration;
        float dt;
        bool focus;
        int alpha;  // -1: the old picture is no longer drawn
    } cases[] = {
        {2000.0f, 500.0f, false, 191},
        {100.0f, 250.0f, false, -1},
        {2000.0f, 500.0f, true, -1},  // regaining the focus ends it in the same frame
        // A fade of no length is over before it starts; its level is never 0 / 0.
        {0.0f, 16.0f, false, -1},
        {0.0f, 0.0f, false, -1},
        {-5.0f, 16.0f, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.duration << " ms fade, " << c.dt << " ms frame");
        THolder<CSmoothShow> effect = Started(c.duration);
        effect->Update(c.dt);
        if (c.focus) manager->RaiseActivate();
        EXPECT_EQ(effect->IsFinished(), c.alpha < 0);
        EXPECT_EQ(DrawnAlpha(*effect), c.alpha);
    }
}

TEST_F(TransitionTest, ThePictureGoesWithTheEffectAndWithoutOneTheEffectIsFinishedAtOnce) {
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail);
        engine.failTargets = fail;
        engine.ClearRecord();
        THolder<CSmoothShow> effect = Started(2000.0f);
        EXPECT_EQ(effect->IsFinished(), fail);
        EXPECT_EQ(engine.CountCalls("Gfx_BeginScene"), fail ? 0 : 1);
        effect->Update(0.0f);
        EXPECT_EQ(DrawnAlpha(*effect), fail ? -1 : 255);
        effect.Reset();
        EXPECT_TRUE(engine.HasLog("CSmoothShow::~CSmoothShow()"));
        EXPECT_EQ(engine.CountCalls("Texture_Free"), fail ? 0 : 1);
        manager->RaiseActivate();  // no delegate of the gone effect is left to call
    }
}

TEST_F(TransitionTest, TheNoneEffectOpensEachFrameWithTheViewTransformOfThatFrame) {
    GF::tagViewTransform& view = GF::DefaultViewTransform();
    const GF::tagViewTransform saved = view;
    manager->ShowScreen("menu", "menu", {}, "");
    manager->SetNoneEffect();

    ASSERT_TRUE(manager->Update(16.0f));
    view.x = 12.0f;
    view.hscale = 2.0f;
    ASSERT_TRUE(manager->Update(16.0f));
    view = saved;

    ASSERT_EQ(engine.transforms.size(), 2u);
    EXPECT_EQ(engine.transforms[0], (std::vector<float>{0, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(engine.transforms[1], (std::vector<float>{12, 0, 0, 0, 0, 2, 1}));
    EXPECT_EQ(engine.CountCalls("Gfx_BeginScene 0"), 2);

    CNoneEffect none;
    none.Update(1000.0f);
    EXPECT_FALSE(none.IsFinished());
}

}  // namespace
