#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/GameSound.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/CheckBoxControl.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ShowHideEffectScreen.h"
#include "game/app/WindowShadesEffect.h"
#include "game/screens/CookConfirmMenuScreen.h"
#include "tests/game/GameFixture.h"
#include "tests/gui/GuiFixture.h"

namespace {

using TMenuBase = CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 1>;
using TPlayBase = CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 0>;

constexpr float kFrameMs = 25.0f;
constexpr int kOpeningFrames = 50;  // 1250 ms

// A screen like the play screen: the shades are hidden while it is open, and it opens them itself.
class CPlayLikeScreen : public TPlayBase {
public:
    CPlayLikeScreen() { m_noEffect = true; }
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CPlayLikeScreen); }
    void OnInitialize() override {
        TPlayBase::OnInitialize();
        BindControl("ok", "back", false, kScreenFinishFlags);
    }
    bool NoEffect() const { return m_noEffect; }
};

// A plain screen on the layout "interfaces.placeholder", whatever layout the flow names, left with
// "back" by its button "ok", Enter or Escape.
class CPlainScreen : public TMenuBase {
public:
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CPlainScreen); }
    void Initialize(const std::string&, GF::THolder<GF::IScene> scene, const char* phraseKey) override {
        TMenuBase::Initialize("interfaces.placeholder", std::move(scene), phraseKey);
    }
    void OnInitialize() override {
        TMenuBase::OnInitialize();
        constexpr int kBack = kPhaseIdle | kAutoShow | kHideBeforeFinish;
        BindControl("ok", "back", false, kBack);
        AddPhaseTask(GF::CKeyset::kKeyEnter, "back", false, kBack);
        AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kBack);
    }
};

// A menu with a button, a check box and a slider.
class CControlsScreen : public TMenuBase {
public:
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CControlsScreen); }
    void OnInitialize() override {
        TMenuBase::OnInitialize();
        box = CreateCheckBox("sound", false);
        BindControl("volume_up", "louder", false, kScreenFinishFlags);
    }
    GF::THolder<GF::HGENS::CCheckBoxControl> box;
};

// The game's application over the sample script with the sample's shade curves and a flow that
// names them on every result, frames of 25 ms, and the sounds counted by their loads.
class ShadesScreenTest : public CGameFixture {
protected:
    ShadesScreenTest() {
        engine.AddResource("Binary\\textdata.txt", WriteTextTable({{"confirm_exit_screen_01", u"Close?"},
                                                                   {"confirm_exit_screen_02", u"Sure?"},
                                                                   {"message_screen_01", u"Hi _name, _name!"},
                                                                   {"message_screen_02", u"Second"},
                                                                   {"item_ok", u"OK"}}));
        engine.AddResource("Texture\\1.png", "cloth");
        engine.SetTextureSize("Texture\\1.png", 256, 512);
        for (const char* sound : {"swish", "button_click", "button_hover"})
            engine.AddResource(std::string("Sound\\") + sound + ".ogg", "x");
        data.sounds = {{0, {"swish", 0}}, {2, {"button_click", 2}}, {3, {"button_hover", 3}}};
        data.flyPaths["shade_open"] = {"shade_open", {{0.0f, 0.0f}, {1.0f, 1.0f}}};
        data.flyPaths["shade_open_2"] = {"shade_open_2", {{0.0f, 1.0f}, {1.0f, 1.0f}}};
        data.flyPaths["shade_close"] = {"shade_close", {{0.0f, 1.0f}, {1.0f, 0.0f}}};
        data.flyPaths["shade_close_2"] = {"shade_close_2", {{0.0f, 1.0f}, {1.0f, 1.0f}}};
        std::vector<CFlowRule>& rules = data.flowRules;
        rules.push_back(Rule("None", "none", "None"));
        rules.back().actions = {SetText(21, "shade_close"), SetText(20, "shade_open")};
        GF::GetGameManager()->RegisterScreenFactory("PlainScreen", &CPlainScreen::Create);
        rules.push_back(Rule("None", "show_publisher", "PlainScreen"));
        rules.push_back(Rule("PlainScreen", "back", "CookingBookScreen"));
        rules.push_back(Rule("PlainScreen", "plain", "LoserScreen"));
        rules.back().actions = {SetText(20, "")};
        rules.push_back(Rule("PlainScreen", "quit", "confirm_exit_screen", true));
        engine.SetDelta(kFrameMs / 1000.0f);
        GF::GetGameManager()->GetScreenFinishedEvent().Add(
            GF::CreateDelegate(this, &ShadesScreenTest::OnFinished));
    }
    ~ShadesScreenTest() override {
        GF::GetGameManager()->GetScreenFinishedEvent().Remove(
            GF::CreateDelegate(this, &ShadesScreenTest::OnFinished));
        for (const char* sound : {"swish", "button_click", "button_hover"})
            GF::HGENS::CGameSound::Instance()->StopSound(sound);
    }

    void OnFinished(GF::THolder<GF::IScreen> screen) {
        if (screen) finished.push_back(screen->GetName() + " " + screen->GetResult());
    }

    // One frame; the top screen's name and the part its layout is playing (none before "_show" and
    // once "_hide" has played).
    std::string Step() {
        if (!GF::GetGameManager()->Update(kFrameMs)) return "end";
        const GF::TAnimationPtr layout = Top()->GetAnimation();
        return TopName() + (layout && !layout->IsFinished() ? PartOf(layout) : "");
    }
    // Frames until the top screen's layout plays the part (at most 200); how many it took.
    int Until(const std::string& what) {
        for (int frame = 1; frame <= 200; ++frame)
            if (Step() == what) return frame;
        return -1;
    }
    int Swishes() const { return engine.CountCalls("Stream_Load Sound/swish.ogg"); }
    // Presses and releases the left button over the control's hit area, one frame each.
    void Click(const std::string& control) {
        const GF::TRect rect = Top()->FindControl(control)->GetHitRect();
        GF::GetMouse()->SetPosition((rect.left + rect.right) / 2.0f, (rect.top + rect.bottom) / 2.0f);
        Step();
        engine.SetKeyState(HGEK_LBUTTON, true);
        Step();
        engine.SetKeyState(HGEK_LBUTTON, false);
        Step();
    }
    static void Press(int key) { GF::GetKeyset()->SetDown(key, true); }

    // Made by the first screen, once the resources are loaded.
    GF::THolder<CWindowShadesEffect> Shades() { return CWindowShadesEffect::GetInstance(); }

    std::vector<std::string> finished;
};

// A screen's life: the shades open over 1250 ms (the second over 1125 ms) with one swish, and
// "_show" starts only once they are open; a click plays "_hide", the shades close with a second
// swish, and the screen ends with the button's result only once they are closed.
TEST_F(ShadesScreenTest, PlaceholderOpensBehindTheShadesAndEndsWhenTheyHaveClosed) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(TopName(), "PlainScreen");
    ASSERT_EQ(Shades()->GetState(), CWindowShadesEffect::kOpen);
    for (int frame = 1; frame <= kOpeningFrames; ++frame) {
        EXPECT_EQ(Step(), "PlainScreen") << frame;  // no part played yet
        EXPECT_EQ(Shades()->GetSecondShade()->GetProgress() == 1.0f, frame >= 45) << frame;
        EXPECT_EQ(Shades()->GetProgress() == 1.0f, frame >= kOpeningFrames) << frame;
        if (frame == 10) Top()->Show();  // opening already: the run goes on
    }
    EXPECT_EQ(Step(), "PlainScreen_show");
    EXPECT_EQ(Swishes(), 1);
    ASSERT_GT(Until("PlainScreen_idle"), 0);

    const GF::THolder<GF::IScreen> menu = Top();
    const GF::THolder<GF::HGENS::CBaseControl> ok = menu->FindControl("ok");
    EXPECT_EQ(ok->m_clickEvent.Count(), 2u);  // the menu's binding and the click sound
    EXPECT_EQ(ok->m_mouseEnterEvent.Count(), 2u);
    Click("ok");
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/button_click.ogg"), 1);
    EXPECT_EQ(Step(), "PlainScreen_hide");
    ASSERT_GT(Until("PlainScreen"), 0);  // "_hide" has played
    Step();                              // the closing starts
    EXPECT_EQ(Shades()->GetState(), CWindowShadesEffect::kClose);
    EXPECT_EQ(Swishes(), 2);
    int closing = 0;
    while (TopName() == "PlainScreen" && closing < 100) {
        EXPECT_TRUE(finished.empty());
        const float progress = Shades()->GetProgress();
        Step();
        EXPECT_EQ(TopName() != "PlainScreen", progress == 1.0f) << closing;
        ++closing;
    }
    EXPECT_EQ(closing, kOpeningFrames);
    EXPECT_EQ(finished, std::vector<std::string>{"PlainScreen back"});
    EXPECT_EQ(TopName(), "CookingBookScreen");
}

// A result whose rule empties string variable 20 leaves the shades where they are: the next screen
// shows at once and float variable 22 is reset.
TEST_F(ShadesScreenTest, WithoutAnOpeningCurveTheNextScreenShowsAtOnce) {
    ASSERT_TRUE(Start());
    ASSERT_GT(Until("PlainScreen_idle"), 0);
    GetCurrentPlayer().floatVars[22] = 7.0f;
    Finish("plain");
    std::string first;
    for (int frame = 0; frame < 100 && first.rfind("LoserScreen", 0) != 0; ++frame) first = Step();
    EXPECT_EQ(first, "LoserScreen_show");  // in its first frame
    EXPECT_EQ(Swishes(), 2);               // the opening and the closing of the main menu
    EXPECT_EQ(Shades()->GetState(), CWindowShadesEffect::kClose);
    EXPECT_FLOAT_EQ(GetCurrentPlayer().floatVars[22], 0.0f);
    EXPECT_EQ(Swishes(), 2);
}

// Sounds go to plain buttons only, and once: not to check boxes, and not again after a pop-up.
// The pop-up is the message box.
TEST_F(ShadesScreenTest, ButtonsSoundOnceAndOtherControlsNever) {
    ASSERT_TRUE(Start());
    GF::GetGameManager()->RegisterScreenFactory("ControlsScreen", &CControlsScreen::Create);
    GF::GetGameManager()->DestroyAllScreens();
    GF::GetGameManager()->ShowScreen("ControlsScreen", "controls.sample", {}, "");
    auto* screen = static_cast<CControlsScreen*>(Top().Get());
    ASSERT_TRUE(screen->box);
    const std::size_t boxClicks = screen->box->m_clickEvent.Count();
    const std::size_t boxEnters = screen->box->m_mouseEnterEvent.Count();
    ASSERT_GT(Until("ControlsScreen_idle"), 0);
    const GF::THolder<GF::HGENS::CBaseControl> button = screen->FindControl("volume_up");
    EXPECT_EQ(button->m_clickEvent.Count(), 2u);
    EXPECT_EQ(screen->box->m_clickEvent.Count(), boxClicks);
    EXPECT_EQ(screen->box->m_mouseEnterEvent.Count(), boxEnters);

    // A message box over it and back: idle again, nothing attached again. The box shows a line for
    // each text its name has, whatever key the opener gives, the first "_name" of each replaced.
    GetCurrentPlayer().name = u"Ann";
    GF::GetGameManager()->ShowScreen("message_screen", "main_menu.message_screen", screen->GetScene(),
                                     "other");
    ASSERT_GT(Until("message_screen_idle"), 0);
    const GF::TAnimationPtr layout = Top()->GetAnimation();
    EXPECT_EQ(std::u16string(layout->GetText("_phrase_1")), u"Hi Ann, _name!");
    EXPECT_EQ(std::u16string(layout->GetText("_phrase_2")), u"Second");
    EXPECT_TRUE(layout->FindDrawable("_phrase_2")->IsVisible());
    EXPECT_FALSE(layout->FindDrawable("_phrase_3")->IsVisible());
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_GT(Until("ControlsScreen"), 0);
    GF::GetGameManager()->DestroyScreen("message_screen");
    ASSERT_GT(Until("ControlsScreen_idle"), 0);
    EXPECT_EQ(button->m_clickEvent.Count(), 2u);
    EXPECT_EQ(button->m_mouseEnterEvent.Count(), 2u);
}

// The play screen's kind: without an effect of its own it waits on the shades as the last effect
// left them; "show_manual" opens them and clears the flag; once open they are hidden, and they
// come back before closing.
TEST_F(ShadesScreenTest, PlayScreenHidesTheOpenShadesAndBringsThemBackToClose) {
    ASSERT_TRUE(Start());
    GF::GetGameManager()->RegisterScreenFactory("GameScreen", &CPlayLikeScreen::Create);
    ASSERT_GT(Until("PlainScreen_idle"), 0);
    EXPECT_FALSE(engine.HasLog("shows no picture"));

    // A closing that is still running holds the screen back.
    GetCurrentPlayer().stringVars[21] = "shade_close";
    Shades()->SetState(CWindowShadesEffect::kClose, 1250.0f);
    GF::GetGameManager()->ShowScreen("GameScreen", "interfaces.placeholder", {}, "");
    auto* play = static_cast<CPlayLikeScreen*>(Top().Get());
    const GF::THolder<GF::IScreen> kept(play);
    for (int frame = 0; frame < 20; ++frame) EXPECT_EQ(Step(), "GameScreen");
    GetCurrentPlayer().stringVars[20] = "shade_open";
    play->OnCommand("show_manual");
    EXPECT_FALSE(play->NoEffect());
    EXPECT_EQ(Shades()->GetState(), CWindowShadesEffect::kOpen);
    for (int frame = 1; frame < kOpeningFrames; ++frame) EXPECT_EQ(Step(), "GameScreen") << frame;
    EXPECT_TRUE(Shades()->GetFirstShade()->IsEnabled());
    const std::size_t drawnOpen = engine.quads.size();
    Step();
    EXPECT_EQ(Step(), "GameScreen_show");
    EXPECT_FALSE(Shades()->GetFirstShade()->IsEnabled());
    EXPECT_FALSE(Shades()->GetSecondShade()->IsEnabled());
    const std::size_t before = engine.quads.size();
    Step();
    EXPECT_LT(engine.quads.size() - before, 2u * 15u * 15u);  // no cloth drawn
    EXPECT_GT(before - drawnOpen, 2u * 15u * 15u);

    ASSERT_GT(Until("GameScreen_idle"), 0);
    Click("ok");
    ASSERT_GT(Until("GameScreen"), 0);  // "_hide" has played
    Step();                             // the closing starts
    EXPECT_TRUE(Shades()->GetFirstShade()->IsEnabled());
    EXPECT_TRUE(Shades()->GetSecondShade()->IsEnabled());
    EXPECT_EQ(Shades()->GetState(), CWindowShadesEffect::kClose);
}

// The close button asks through the shades: "no" brings the main menu back behind them, "yes"
// ends the program.
TEST_F(ShadesScreenTest, ClosingTheWindowAsksThroughTheShades) {
    ASSERT_TRUE(Start());
    ASSERT_GT(Until("PlainScreen_idle"), 0);
    app->OnExit();
    ASSERT_GT(Until("confirm_exit_screen"), kOpeningFrames);  // the main menu closes first
    for (int frame = 1; frame < kOpeningFrames; ++frame) EXPECT_EQ(Step(), "confirm_exit_screen") << frame;
    ASSERT_GT(Until("confirm_exit_screen_idle"), 0);
    const GF::TAnimationPtr layout = Top()->GetAnimation();
    EXPECT_EQ(std::u16string(layout->GetText("_phrase_1")), u"Close?");
    EXPECT_EQ(std::u16string(layout->GetText("_phrase_2")), u"Sure?");
    EXPECT_FALSE(layout->FindDrawable("_phrase_3")->IsVisible());

    Press(GF::CKeyset::kKeyEscape);
    ASSERT_GT(Until("PlainScreen"), kOpeningFrames);
    EXPECT_EQ(finished.back(), "confirm_exit_screen no");
    EXPECT_EQ(Step(), "PlainScreen");  // behind the opening shades again
    ASSERT_GT(Until("PlainScreen_show"), kOpeningFrames - 5);

    ASSERT_GT(Until("PlainScreen_idle"), 0);
    app->OnExit();
    ASSERT_GT(Until("confirm_exit_screen_idle"), 0);
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_GT(Until("end"), kOpeningFrames);
}

// A "yes" to a replay request names the current level as the one to play when its best place
// allows a replay in its stage; "show_manual" changes nothing on the box.
TEST_F(ShadesScreenTest, ReplayRuleNamesTheLevelByPlaceAndStage) {
    ASSERT_TRUE(Start());
    CLevelsData& levels = GetLevelsData();
    for (int number : {5, 6}) {
        CStageInfo stage;
        stage.Number = number;
        stage.Name = "stage" + std::to_string(number);
        levels.PutStage(stage);
        levels.GetLevel(stage.Name + "_1").StageName = stage.Name;
    }
    struct Case {
        const char* level;
        int place;
        const char* answer;
        const char* request;
        bool named;
    };
    const Case cases[] = {
        {"stage5_1", 3, "yes", "replay", true}, {"stage6_1", 3, "yes", "replay", false},
        {"stage6_1", 2, "yes", "replay", true}, {"stage5_1", 0, "yes", "replay", false},
        {"stage5_1", 1, "no", "replay", false}, {"stage5_1", 1, "yes", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.level) + " " + std::to_string(c.place) + " " + c.answer + " " + c.request);
        CPlayerProfile& player = GetCurrentPlayer();
        player.stringVars[11] = c.level;
        player.stringVars[28] = c.request;
        player.stringVars[29] = "";
        player.levels[c.level].place = c.place;
        const GF::THolder<GF::IScreen> box = CCookConfirmMenuScreen::Create();
        box->SetName("confirm_screen");
        box->Initialize("main_menu.confirm_screen", {}, "");
        player.stringVars[20] = "shade_open";
        box->OnCommand("show_manual");
        EXPECT_EQ(player.stringVars[20], "shade_open");  // not taken: the box opens nothing
        EXPECT_EQ(player.stringVars[29], "");
        box->Finish(c.answer, kScreenFinishFlags);
        EXPECT_EQ(player.stringVars[29], c.named ? c.level : "");
        box->Destroy();
    }
}

}  // namespace
