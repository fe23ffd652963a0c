#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/app/Players.h"
#include "tests/game/GameFixture.h"

namespace {

// The flow of these tests: the start shows the main menu; its results reach the rules below.
class FlowRulesTest : public CGameFixture {
protected:
    FlowRulesTest() {
        std::vector<CFlowRule>& rules = data.flowRules;
        rules.push_back(Rule("None", "show_publisher", "MainMenuScreen"));
        // Or-groups: [A, 7, B], [A, 7], [7] and [A, B] with A: f1 == 1, B: f2 == 1.
        rules.push_back(Rule("MainMenuScreen", "go", "None"));
        rules.back().conditions = {If(1, 0, 1), Or(), If(2, 0, 1)};
        rules.back().actions = {Set(10, 1, 6)};
        rules.push_back(Rule("MainMenuScreen", "go", "None"));
        rules.back().conditions = {If(1, 0, 1), Or()};
        rules.back().actions = {Set(11, 1, 6)};
        rules.push_back(Rule("MainMenuScreen", "go", "None"));
        rules.back().conditions = {Or()};
        rules.back().actions = {Set(12, 1, 6)};
        rules.push_back(Rule("MainMenuScreen", "go", "None"));
        rules.back().conditions = {If(1, 0, 1), If(2, 0, 1)};
        rules.back().actions = {Set(13, 1, 6)};
        // Two rules on one result: both act in table order, the later target is carried out.
        rules.push_back(Rule("MainMenuScreen", "go", "OptionsScreen"));
        rules.back().actions = {Set(14, 1)};
        rules.push_back(Rule("None", "go", "HighScoreScreen"));
        rules.back().actions = {Set(14, 2)};
        rules.push_back(Rule("HighScoreScreen", "back", "MainMenuScreen"));
        rules.push_back(Rule("OptionsScreen", "force_quit", "MainMenuScreen"));
        // The question over the main menu; its "no" wants the main menu as the last main screen.
        rules.push_back(Rule("MainMenuScreen", "quit", "confirm_exit_screen", true));
        rules.push_back(Rule("confirm_exit_screen", "no", "message_screen", true));
        rules.back().event = "MainMenuScreen";
        rules.push_back(Rule("confirm_exit_screen", "no", "None"));
        rules.back().event = "OptionsScreen";
        rules.back().actions = {Set(20, 1)};
        // Re-entry through string variable 25, and a rule that would re-enter without end.
        rules.push_back(Rule("MainMenuScreen", "again", "None"));
        rules.back().actions = {SetText(25, "twice"), Set(30, 1, 6)};
        rules.push_back(Rule("MainMenuScreen", "twice", "None"));
        rules.back().actions = {Set(31, 1, 6)};
        rules.push_back(Rule("MainMenuScreen", "none", "None"));
        rules.back().conditions = {If(32, 0, 1)};
        rules.back().actions = {Set(33, 1, 6), SetText(25, "loop")};

        GF::GetGameManager()->GetScreenCreatedEvent().Add(
            GF::CreateDelegate(this, &FlowRulesTest::OnCreated));
    }
    ~FlowRulesTest() override {
        GF::GetGameManager()->GetScreenCreatedEvent().Remove(
            GF::CreateDelegate(this, &FlowRulesTest::OnCreated));
    }

    void OnCreated(GF::THolder<GF::IScreen> screen) {
        screen->GetActivateEvent().Add(GF::CreateDelegate(this, &FlowRulesTest::OnActivated));
    }
    void OnActivated(GF::THolder<GF::IScreen> screen) { activated.push_back(screen->GetName()); }

    static float Number(int32_t id) { return GetCurrentPlayer().floatVars[id]; }

    std::vector<std::string> activated;
};

}  // namespace

TEST_F(FlowRulesTest, ConditionGroupsAndTwoRulesOnOneResult) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(TopName(), "MainMenuScreen");
    EXPECT_EQ(activated, std::vector<std::string>{"MainMenuScreen"});

    const struct {
        float a, b;
        float orOfTwo, trailingSeparator, separatorAlone, both;
    } cases[] = {{0, 0, 0, 1, 1, 0}, {1, 0, 1, 1, 1, 0}, {0, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1}};
    for (const auto& c : cases) {
        CPlayerProfile& player = GetCurrentPlayer();
        player.floatVars[1] = c.a;
        player.floatVars[2] = c.b;
        for (int id = 10; id <= 14; ++id) player.floatVars[id] = 0.0f;
        Finish("go");
        EXPECT_EQ(Number(10), c.orOfTwo) << c.a << " " << c.b;
        EXPECT_EQ(Number(11), c.trailingSeparator);
        EXPECT_EQ(Number(12), c.separatorAlone);
        EXPECT_EQ(Number(13), c.both);
        EXPECT_EQ(Number(14), 2.0f);
    }
    EXPECT_EQ(Next(), "HighScoreScreen");
    EXPECT_EQ(GetCurrentPlayer().stringVars[35], "MainMenuScreen");
    EXPECT_FALSE(GF::GetGameManager()->FindScreen("MainMenuScreen"));

    // A rule pending for "back" wins over its fixed meaning: the main menu replaces the screen.
    Finish("back");
    EXPECT_EQ(Next(), "MainMenuScreen");
    EXPECT_EQ(GetCurrentPlayer().stringVars[35], "HighScoreScreen");
    EXPECT_EQ(activated, (std::vector<std::string>{"MainMenuScreen", "HighScoreScreen", "MainMenuScreen"}));
}

TEST_F(FlowRulesTest, DialogsLeaveTheLastMainScreenAndAShownTargetIsActivatedOnce) {
    ASSERT_TRUE(Start());
    Finish("go");
    EXPECT_EQ(Next(), "HighScoreScreen");
    Finish("back");
    EXPECT_EQ(Next(), "MainMenuScreen");
    ASSERT_EQ(GetCurrentPlayer().stringVars[35], "HighScoreScreen");
    activated.clear();

    // The window's close: "quit" makes the question pending, so no "force_quit" follows.
    EXPECT_FALSE(app->OnExit());
    EXPECT_EQ(Top()->GetResult(), "quit");
    EXPECT_EQ(Next(), "confirm_exit_screen");
    EXPECT_TRUE(GF::GetGameManager()->FindScreen("MainMenuScreen"));
    EXPECT_EQ(GetCurrentPlayer().stringVars[35], "MainMenuScreen");
    // A close while the question is up does nothing.
    EXPECT_FALSE(app->OnExit());
    EXPECT_EQ(Top()->GetResult(), "");

    // "no" is matched against the last main screen: the rule for the main menu shows the message
    // box over it; the one for the options screen does not act. The dialog's finish changes
    // neither the last main screen nor variable 35.
    GF::GetKeyset()->SetDown(GF::CKeyset::kKeyEscape, true);
    EXPECT_EQ(Next(), "message_screen");
    EXPECT_EQ(Number(20), 0.0f);
    EXPECT_EQ(GetCurrentPlayer().stringVars[35], "MainMenuScreen");
    EXPECT_FALSE(GF::GetGameManager()->FindScreen("confirm_exit_screen"));
    EXPECT_EQ(activated, (std::vector<std::string>{"confirm_exit_screen", "message_screen"}));

    // Its answer takes it off (a popup), and the main menu comes back.
    GF::GetKeyset()->SetDown(GF::CKeyset::kKeyEnter, true);
    EXPECT_EQ(Next(), "MainMenuScreen");
    EXPECT_EQ(activated.back(), "MainMenuScreen");
}

TEST_F(FlowRulesTest, APendingRuleIsDroppedWhenAnotherScreenFinishesFirst) {
    ASSERT_TRUE(Start());
    Finish("go");
    // A placeholder over the main menu ends with "back" before it: the rule is dropped, and "back"
    // takes off only the top screen.
    GF::GetGameManager()->ShowScreen("HintScreen", "interfaces.placeholder", {}, "");
    GF::GetKeyset()->SetDown(GF::CKeyset::kKeyEnter, true);
    EXPECT_EQ(Next(), "MainMenuScreen");
    for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(Frame(), "MainMenuScreen");

    // "force_quit" with a rule pending switches; without one it ends the program.
    Finish("go");
    EXPECT_EQ(Next(), "HighScoreScreen");
    Finish("back");
    EXPECT_EQ(Next(), "MainMenuScreen");
    GF::GetGameManager()->DestroyAllScreens();
    GF::GetGameManager()->CreateScreen("OptionsScreen", "interfaces.placeholder", {}, "");
    Top()->OnTop();
    Finish("force_quit");
    EXPECT_EQ(Next(), "MainMenuScreen");
    Finish("force_quit");
    EXPECT_EQ(Next(), "end");
}

TEST_F(FlowRulesTest, ReloadingSavesRereadsAndStartsTheFlowAgain) {
    ASSERT_TRUE(Start());
    for (int frame = 0; frame < 5; ++frame) Frame();  // open: a result given earlier is cleared
    GetCurrentPlayer().floatVars[40] = 5.0f;
    data.flowRules.front().target = "CreditsScreen";
    PutGameData();
    Finish("reloadgamedata");
    EXPECT_EQ(Next(), "CreditsScreen");
    EXPECT_EQ(Number(40), 5.0f);  // saved before the reread, loaded after it
    EXPECT_FALSE(ReadSettings().empty());
    EXPECT_EQ(activated, (std::vector<std::string>{"MainMenuScreen", "CreditsScreen"}));
}

TEST_F(FlowRulesTest, AnActionOnVariable25FinishesTheScreenAgainButNotWithoutEnd) {
    ASSERT_TRUE(Start());
    Finish("again");
    EXPECT_EQ(Number(30), 1.0f);
    EXPECT_EQ(Number(31), 1.0f);
    EXPECT_EQ(Top()->GetResult(), "twice");
    EXPECT_EQ(GetCurrentPlayer().stringVars[25], "twice");

    GetCurrentPlayer().floatVars[32] = 1.0f;
    Finish("loop");
    EXPECT_EQ(Number(33), static_cast<float>(CApplication::kMaxFlowNesting));
    EXPECT_TRUE(engine.HasLog("nested more than 8 deep: refused"));
}

TEST_F(FlowRulesTest, AStartUpRuleThatShowsOverAScreenReplacesAndAnUnknownTargetLeavesNone) {
    data.flowRules.front().switchKind = true;
    ASSERT_TRUE(Start());
    EXPECT_EQ(TopName(), "MainMenuScreen");
    EXPECT_EQ(activated, std::vector<std::string>{"MainMenuScreen"});
    EXPECT_TRUE(engine.HasLog("The rule to \"MainMenuScreen\" shows it over a screen, but none finished"));

    // A target nobody registered: the start makes no screen, and the window's close has none to ask.
    app->End();
    app.reset();
    data.flowRules.front().target = "NoSuchScreen";
    ASSERT_TRUE(Start());
    EXPECT_EQ(TopName(), "end");
    EXPECT_FALSE(app->OnExit());
    EXPECT_EQ(Frame(), "end");
}
