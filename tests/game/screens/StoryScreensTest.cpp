#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/Players.h"
#include "game/screens/HelpScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

// The comics, help, credits, hint and high-score screens on the sample game, reached through the
// title and the main menu as a player would.
class StoryScreensTest : public CMenuScreensFixture {
protected:
    StoryScreensTest() {
        for (const char* sound : {"face_fadein", "face_fadeout"})
            engine.AddResource(std::string("Sound\\") + sound + ".ogg",
                               std::vector<unsigned char>{1, 2, 3, 4});
    }

    // A saved player, current, who has seen the first comic when `seen`.
    void AddPlayer(const GF::WString& name, bool seen) {
        CPlayerProfile player = data.players.players[u""];
        player.name = name;
        player.flags["comics_1"] = seen;
        data.players.players[name] = player;
        data.players.currentName = name;
    }

    // The comic's clock: panel n plays from 800 (n - 1) to 800 n ms.
    static float ComicTime() { return Top()->GetAnimation()->GetTime(); }
    static int Panel() { return 1 + static_cast<int>(ComicTime() / 800.0f); }
    // A left click as the frame callback reports it to the key table, then a frame.
    void ClickComic() {
        GF::GetKeyset()->RaiseKeyDown(GF::CKeyset::kKeyMouseLeft);
        Frame();
    }
    // Clicks once a frame until the comic moves on or ends (at most 40); the clicks it took.
    int ClickUntilItMoves() {
        const int before = Panel();
        const std::size_t reported = results.size();
        for (int frame = 1; frame <= 40; ++frame) {
            ClickComic();
            if (TopName() != "ComicsScreen" || Panel() != before || results.size() != reported) return frame;
        }
        return -1;
    }
    // The comic screen shown directly on a layout, as a rule naming it would.
    void ShowComic(const std::string& layout) {
        app->SwitchScreen({}, "ComicsScreen", layout, false);
        Top()->OnTop();
    }

    static GF::TAnimationPtr HelpPage() {
        return GF::HGENS::HostedAnimation(Top()->GetAnimation(), CHelpScreen::kPlace);
    }
    std::vector<std::string> EnabledButtons() {
        std::vector<std::string> enabled;
        for (const char* name : {"prev", "next", "next_2", "skip"})
            if (Control(name)->IsEnabled()) enabled.push_back(name);
        return enabled;
    }

    // Test comics beside the sample's: one without a first panel, one with a gap after it.
    static std::string ScriptWithTestComics() {
        std::string script = ReadSampleScript();
        script += R"(
void TestComics(CResourceReader@ r)
{
    r.CreateModule("comics");
    r.CreateAnimationData("comics_late");
    r.AddNamedPart("_part_2", 0, 500, 1);
    r.CreateAnimationData("comics_gap");
    r.AddNamedPart("_part_1", 0, 500, 1);
    r.AddNamedPart("_part_3", 500, 1000, 1);
}
)";
        const std::string fill = "    GameMenus(r);\n";
        script.replace(script.find(fill), fill.size(), fill + "    TestComics(r);\n");
        return script;
    }
};

}  // namespace

// A new player's first "play" is the first comic: panel 1 plays by itself, clicks during a panel
// or its pause do nothing, three clicks show panels 2 and 3 and end it with "ok", which leads to
// the map; the saved player has seen it, and the next "play" goes straight to the map. A click
// after the comic reaches nothing.
TEST_F(StoryScreensTest, FirstPlayShowsTheFirstComicPanelByPanel) {
    AddPlayer(u"Ann", false);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open("SplashScreen"));
    Click("play");
    ASSERT_TRUE(ReachIdle("ComicsScreen"));
    EXPECT_EQ(Top()->GetAnimation()->GetAnimationData()->GetName(), std::string("comics_1"));
    EXPECT_FLOAT_EQ(ComicTime(), 799.0f);  // panel 1 shown in full, without a click

    ClickComic();  // during the pause after panel 1
    EXPECT_FLOAT_EQ(ComicTime(), 799.0f);
    EXPECT_GT(ClickUntilItMoves(), 1);
    EXPECT_EQ(Panel(), 2);
    // Panel 2 (800 ms) and its pause (1000 ms): 18 frames of clicks that change nothing.
    EXPECT_GE(ClickUntilItMoves(), 18);
    EXPECT_EQ(Panel(), 3);
    EXPECT_FALSE(GetCurrentPlayer().flags["comics_1"]);
    EXPECT_GE(ClickUntilItMoves(), 18);  // the click after panel 3 ends the comic
    EXPECT_EQ(LastResult(), "ok");
    EXPECT_TRUE(SavedStore().players[u"Ann"].flags["comics_1"]);
    ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
    GF::GetKeyset()->RaiseKeyDown(GF::CKeyset::kKeyMouseLeft);  // no handler of the comic is left

    Finish("main_menu");
    ASSERT_TRUE(Open("MainMenuScreen"));
    Finish("back");
    ASSERT_TRUE(Open("SplashScreen"));
    Click("play");
    EXPECT_EQ(LastResult(), "play");
    ASSERT_TRUE(ReachTop("ProgressMapScreen"));
}

// A comic without its first panel ends by itself once its shades are open, seen; one with a gap
// ends after panel 1; one the tables lack ends too, unseen. Screens destroyed without being
// deactivated leave no handler on the key table.
TEST_F(StoryScreensTest, ComicsWithoutPanelsEndByThemselves) {
    engine.AddResource("Animation\\effects.as", ScriptWithTestComics());
    AddPlayer(u"Ann", true);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open("SplashScreen"));

    ShowComic("comics.comics_late");
    ASSERT_TRUE(ReachTop("ProgressMapScreen"));
    EXPECT_EQ(results.back(), std::make_pair(std::string("ComicsScreen"), std::string("ok")));
    EXPECT_TRUE(SavedStore().players[u"Ann"].flags["comics_late"]);

    ShowComic("comics.comics_gap");
    ASSERT_TRUE(ReachIdle("ComicsScreen"));
    EXPECT_GT(ClickUntilItMoves(), 0);
    EXPECT_EQ(LastResult(), "ok");
    EXPECT_LT(ComicTime(), 500.0f);  // panel 3 never shows
    EXPECT_TRUE(SavedStore().players[u"Ann"].flags["comics_gap"]);
    ASSERT_TRUE(ReachTop("ProgressMapScreen"));

    ShowComic("comics.comics_missing");
    ASSERT_TRUE(ReachTop("ProgressMapScreen"));
    EXPECT_EQ(LastResult(), "ok");
    EXPECT_EQ(GetCurrentPlayer().flags.count("comics_missing"), 0u);

    ShowComic("comics.comics_1");
    ASSERT_TRUE(ReachIdle("ComicsScreen"));
    GF::GetGameManager()->DestroyAllScreens();
    GF::GetKeyset()->RaiseKeyDown(GF::CKeyset::kKeyMouseLeft);
}

// The help from the title pages through the rules, each page over the title with its buttons
// enabled by page; "next" on the last page ends it with "exit", back to the title.
TEST_F(StoryScreensTest, HelpPagesThroughTheRules) {
    AddPlayer(u"Ann", true);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open("SplashScreen"));
    Click("help");
    ASSERT_TRUE(Open("HelpScreen"));
    EXPECT_EQ(Variable(CHelpScreen::kPageVariable), 1.0f);
    EXPECT_EQ(HelpPage()->GetName(), std::string("help_1"));
    EXPECT_EQ(EnabledButtons(), (std::vector<std::string>{"next_2", "skip"}));

    Click("next_2");
    ASSERT_TRUE(Open("HelpScreen"));
    EXPECT_EQ(HelpPage()->GetName(), std::string("help_2"));
    EXPECT_EQ(EnabledButtons(), (std::vector<std::string>{"prev", "next", "skip"}));
    Click("prev");
    ASSERT_TRUE(Open("HelpScreen"));
    EXPECT_EQ(HelpPage()->GetName(), std::string("help_1"));
    Click("next_2");
    ASSERT_TRUE(Open("HelpScreen"));
    Click("next");
    ASSERT_TRUE(Open("HelpScreen"));
    EXPECT_EQ(HelpPage()->GetName(), std::string("help_3"));
    EXPECT_EQ(EnabledButtons(), (std::vector<std::string>{"prev", "next"}));
    // Each page replaced the one before over the title.
    EXPECT_TRUE(GF::GetGameManager()->FindScreen("SplashScreen"));

    Click("next");
    const auto reported = [this](const std::string& screen, const std::string& result) {
        return std::count(results.begin(), results.end(), std::make_pair(screen, result));
    };
    EXPECT_EQ(reported("SplashScreen", "help"), 1);
    EXPECT_EQ(reported("HelpScreen", "next"), 3);
    EXPECT_EQ(reported("HelpScreen", "prev"), 1);
    EXPECT_EQ(reported("HelpScreen", "exit"), 1);
    ASSERT_TRUE(Open("SplashScreen"));
    EXPECT_EQ(Variable(CHelpScreen::kPageVariable), 3.0f);
}

// The credits over the main menu and a hint's page over the title give "back" for Enter, Escape,
// "ok" and "back", and return to the screen below; the hint lies on the screen layer.
TEST_F(StoryScreensTest, CreditsAndHintGiveBackForEnterEscapeOkAndBack) {
    AddPlayer(u"Ann", true);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open("SplashScreen"));
    Click("play");
    ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
    Finish("main_menu");
    ASSERT_TRUE(Open("MainMenuScreen"));

    const std::vector<std::function<void()>> answers = {[this] { Press(GF::CKeyset::kKeyEnter); },
                                                        [this] { Press(GF::CKeyset::kKeyEscape); },
                                                        [this] { Click("ok"); }, [this] { Click("back"); }};
    for (std::size_t answer = 0; answer < answers.size(); ++answer) {
        SCOPED_TRACE(answer);
        Click("credits");
        ASSERT_TRUE(Open("CreditsScreen"));
        answers[answer]();
        EXPECT_EQ(results.back(), std::make_pair(std::string("CreditsScreen"), std::string("back")));
        ASSERT_TRUE(Open("MainMenuScreen"));
    }

    Finish("back");
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    for (std::size_t answer = 0; answer < answers.size(); ++answer) {
        SCOPED_TRACE(answer);
        GF::GetGameManager()->ShowScreen("HintScreen", "interfaces.hint_screen", Top()->GetScene(), "");
        ASSERT_TRUE(Open("HintScreen"));
        EXPECT_EQ(Top()->GetAnimation()->GetLayer(), GetGameData().overlayLayer);
        answers[answer]();
        EXPECT_EQ(results.back(), std::make_pair(std::string("HintScreen"), std::string("back")));
        ASSERT_TRUE(Open("SplashScreen"));
    }
}

// The high scores of a player without progress: the player first, then 0 to 5 and 7, all 0.
// With scores: a tie goes to the smaller identifier, the player's head start wins a tie, an
// identifier beyond 7 joins, 12.9 shows 12, -0.5 shows 0 and the ninth is left out. The faces
// sound once each.
TEST_F(StoryScreensTest, HighScoresListTheParticipantsBestFirst) {
    AddPlayer(u"Ann", true);
    AddPlayer(u"Bob", true);
    CPlayerProfile& bob = data.players.players[u"Bob"];
    bob.levels["stage1_1"].scores = {{9, 12.9f}, {6, 5.0f}, {3, 5.0f}, {0, 5.0f}};
    bob.levels["stage1_2"].scores = {{2, 3.0f}, {1, 2.0f}, {4, 1.0f}, {7, -0.5f}, {5, -1.0f}};
    data.players.currentName = u"Ann";
    ASSERT_TRUE(Start());

    using TRows = std::vector<std::tuple<std::string, std::u16string, std::u16string>>;
    const auto rows = [] {
        const GF::TAnimationPtr table = GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_text");
        TRows shown;
        for (int row = 1; row <= 8; ++row) {
            const std::string r = std::to_string(row);
            const GF::TAnimationPtr icon = GF::HGENS::HostedAnimation(table, "_icon_" + r);
            const auto text = [&](const std::string& part) {
                const GF::WChar* found = table->GetText(part + r);
                return std::u16string(found ? found : u"");
            };
            shown.emplace_back(icon ? icon->GetName() : "", text("_text_"), text("_num_"));
        }
        return shown;
    };
    const auto open = [this] {
        ASSERT_TRUE(Open("SplashScreen"));
        Click("hight_score");
        ASSERT_TRUE(Open("HighScoreScreen"));
    };

    open();
    EXPECT_EQ(rows(), (TRows{{"pers_6", u"You", u"0"},
                             {"pers_0", u"Bella", u"0"},
                             {"pers_1", u"Chen", u"0"},
                             {"pers_2", u"Dora", u"0"},
                             {"pers_3", u"Emil", u"0"},
                             {"pers_4", u"Faye", u"0"},
                             {"pers_5", u"Gus", u"0"},
                             {"pers_7", u"Hugo", u"0"}}));
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/face_fadein.ogg"), 1);
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/face_fadeout.ogg"), 0);
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(Open("SplashScreen"));
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/face_fadein.ogg"), 1);
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/face_fadeout.ogg"), 1);

    ASSERT_TRUE(SetCurrentPlayer(u"Bob"));
    open();
    EXPECT_EQ(rows(), (TRows{{"", u"", u"12"},
                             {"pers_6", u"You", u"5"},
                             {"pers_0", u"Bella", u"5"},
                             {"pers_3", u"Emil", u"5"},
                             {"pers_2", u"Dora", u"3"},
                             {"pers_1", u"Chen", u"2"},
                             {"pers_4", u"Faye", u"1"},
                             {"pers_7", u"Hugo", u"0"}}));
    Click("back");
    EXPECT_EQ(results.back(), std::make_pair(std::string("HighScoreScreen"), std::string("back")));
    ASSERT_TRUE(ReachIdle("SplashScreen"));
}
