#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(TransitionTest, StartDrawsTheOldSceneOnceIntoAPictureOfTheGameSize) {
    THolder<CSmoothShow> effect = Started(2000.0f);
    const std::vector<std::string> expected = {"Gfx_BeginScene 1", "scene:Render", "Gfx_EndScene"};
    ASSERT_GE(engine.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(engine.calls.end() - 3, engine.calls.end()), expected);
    EXPECT_TRUE(engine.HasLog("CSmoothShow::CSmoothShow()"));

    engine.ClearRecord();
    ASSERT_EQ(DrawnAlpha(*effect), 255);
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Gfx_BeginScene 0"});  // the screen, no transform
    const hgeQuad& quad = engine.quads.back();
    EXPECT_EQ(quad.v[0].x, 0.0f);
    EXPECT_EQ(quad.v[2].x, 800.0f);
    EXPECT_EQ(quad.v[2].y, 600.0f);
    EXPECT_EQ(quad.tex, engine.Target_GetTexture(1));
}

TEST_F(TransitionTest, TheOldPictureFadesOutFrameByFrameAndTheManagerDropsTheEffect) {
    manager->ShowScreen("menu", "menu", {}, "");
    manager->SetScreenEffect(THolder<GF::HGENS::IGfxEffect>(Started(2000.0f)));

    // 2000 ms: 1500 left is 191.25, 1000 is 127.5, 500 is 63.75 (truncated); then the frame of 700 ms
    // runs past the end, the fade is over and the manager draws the frame itself.
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
            EXPECT_TRUE(engine.HasCall("Gfx_SetTransform"));  // the manager's own frame
        } else {
            ASSERT_EQ(engine.quads.size(), 1u);
            EXPECT_EQ(static_cast<int>(engine.quads[0].v[0].col >> 24), frame.alpha);
            EXPECT_EQ(engine.quads[0].v[0].col & 0xFFFFFF, 0xFFFFFFu);  // red, green and blue kept
            // Over the new screen: drawn after it, inside the same frame.
            const auto draw = std::find(engine.calls.begin(), engine.calls.end(), "menu:Draw");
            EXPECT_NE(draw, engine.calls.end());
            EXPECT_EQ(engine.calls.back(), "Gfx_EndScene");
        }
    }
}

TEST_F(TransitionTest, AFrameLongerThanTheRestEndsTheFadeAtZero) {
    const struct {
        float duration;
        float dt;
        int alpha;
        bool finished;
    } cases[] = {
        {2000.0f, 500.0f, 191, false},
        {100.0f, 250.0f, -1, true},
        // A fade of no length is over before it starts; its level is never 0 / 0.
        {0.0f, 16.0f, -1, true},
        {0.0f, 0.0f, -1, true},
        {-5.0f, 16.0f, -1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.duration << " ms fade, " << c.dt << " ms frame");
        THolder<CSmoothShow> effect = Started(c.duration);
        effect->Update(c.dt);
        EXPECT_EQ(effect->IsFinished(), c.finished);
        EXPECT_EQ(DrawnAlpha(*effect), c.alpha);
    }
}

TEST_F(TransitionTest, RegainingTheFocusEndsTheFadeInTheSameFrame) {
    THolder<CSmoothShow> effect = Started(2000.0f);
    effect->Update(500.0f);
    ASSERT_EQ(DrawnAlpha(*effect), 191);
    manager->RaiseActivate();
    EXPECT_TRUE(effect->IsFinished());
    EXPECT_EQ(DrawnAlpha(*effect), -1);
}

TEST_F(TransitionTest, WithoutAPictureTheEffectIsFinishedAtOnce) {
    engine.failTargets = true;
    THolder<CSmoothShow> effect = Started(2000.0f);
    EXPECT_TRUE(effect->IsFinished());
    EXPECT_EQ(engine.CountCalls("Gfx_BeginScene"), 0);  // nothing was captured
    effect->Update(16.0f);                              // nothing to fade
    EXPECT_EQ(DrawnAlpha(*effect), -1);
    effect.Reset();
    EXPECT_EQ(engine.CountCalls("Texture_Free"), 0);
}

TEST_F(TransitionTest, DestructionFreesThePictureAndLeavesTheActivateEvent) {
    THolder<CSmoothShow> effect = Started(2000.0f);
    const HTEXTURE picture = engine.Target_GetTexture(1);
    ASSERT_NE(picture, 0u);
    effect.Reset();
    EXPECT_TRUE(engine.HasLog("CSmoothShow::~CSmoothShow()"));
    EXPECT_EQ(engine.Target_GetTexture(1), 0u);
    manager->RaiseActivate();  // no delegate of the gone effect is left to call
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
