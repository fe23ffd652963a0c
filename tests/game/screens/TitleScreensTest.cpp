#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/ListBoxControl.h"
#include "framework/scene/IDrawable.h"
#include "game/app/LevelsData.h"
#include "game/app/Progress.h"
#include "game/screens/CheatClass.h"
#include "game/screens/MainMenuScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

const char* const kTitleButtons[] = {"options", "help", "hight_score", "play", "new_player", "quit"};

class TitleScreensTest : public CMenuScreensFixture {
protected:
    // The title's player button is drawn: its item and the button it hosts are visible.
    static bool PlayerButtonShown() {
        const GF::TAnimationPtr layout = Top()->GetAnimation();
        const GF::TDrawablePtr item = layout ? layout->FindDrawable("_item_new_player") : GF::TDrawablePtr();
        const GF::TAnimationPtr button = GF::HGENS::HostedAnimation(layout, "_item_new_player");
        return item && item->IsVisible() && button && button->IsVisible();
    }
    // A saved player who has seen the first comic, made current.
    void AddNamedPlayer(const GF::WString& name) {
        CPlayerProfile player = data.players.players[u""];
        player.name = name;
        player.flags["comics_1"] = true;
        data.players.players[name] = player;
        data.players.currentName = name;
    }
};

}  // namespace

// A fresh installation: the title sends the nameless player to the name screen at once; the typed
// name comes back trimmed, current and on the player button; the first "play" gives the first comic,
// and the way from it through the map reaches the main menu. A name that is taken is refused.
TEST_F(TitleScreensTest, FirstStartMakesAPlayerWhoseFirstPlayIsTheComic) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachTop("SplashScreen"));
    for (const char* button : kTitleButtons) EXPECT_FALSE(Control(button)->IsEnabled()) << button;
    // The title stays on while its shades open and close: no blank name button is seen meanwhile.
    int titleFrames = 0;
    for (; titleFrames < 100 && TopName() == "SplashScreen"; ++titleFrames) {
        EXPECT_FALSE(PlayerButtonShown()) << "frame " << titleFrames;
        ASSERT_NE(Frame(), "end");
    }
    EXPECT_GT(titleFrames, 10);
    ASSERT_TRUE(ReachTop("new_player_screen"));
    ASSERT_TRUE(ReachIdle("new_player_screen"));
    EXPECT_FALSE(Control("ok")->IsEnabled());
    Type(u"   ");
    EXPECT_FALSE(Control("ok")->IsEnabled());
    Type(u"Ann ");
    EXPECT_TRUE(Control("ok")->IsEnabled());
    Press(GF::CKeyset::kKeyEnter);

    ASSERT_TRUE(ReachIdle("SplashScreen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Ann");
    EXPECT_EQ(SavedStore().currentName, u"Ann");
    EXPECT_EQ(ItemText("_item_new_player"), u"Ann");
    EXPECT_TRUE(PlayerButtonShown());
    for (const char* button : kTitleButtons) EXPECT_TRUE(Control(button)->IsEnabled()) << button;

    Click("play");
    ASSERT_TRUE(ReachIdle("ComicsScreen"));
    GetCurrentPlayer().flags["comics_1"] = true;  // as the comic does when it ends
    Finish("back");
    ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
    Finish("main_menu");
    ASSERT_TRUE(ReachIdle("MainMenuScreen"));
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    Click("play");
    ASSERT_TRUE(ReachTop("ProgressMapScreen"));

    // Through the player list to the name screen again, with a name that is taken.
    Finish("main_menu");
    ASSERT_TRUE(ReachIdle("MainMenuScreen"));
    Finish("back");
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    Click("new_player");
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    Click("new");
    ASSERT_TRUE(ReachIdle("new_player_screen"));
    Type(u" Ann");
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_TRUE(ReachTop("message_screen"));
    // The message only tells: its one button, the screen's "yes", says "OK".
    const GF::TAnimationPtr button = GF::HGENS::FindLayoutItem(Top()->GetAnimation(), "yes");
    ASSERT_TRUE(button);
    const GF::WChar* caption = button->GetText("_caption");
    EXPECT_EQ(std::u16string(caption ? caption : u""), u"OK");
    EXPECT_EQ(GetCurrentPlayer().name, u"Ann");
    EXPECT_EQ(SavedStore().players.size(), 2u);  // Ann and the default player
}

// Three saved players: Enter takes the chosen one and its volume, Escape keeps the current one, a
// removal answered "no" brings the former player back and "yes" deletes the chosen one; a player
// made after that stays current.
TEST_F(TitleScreensTest, PlayerListChoosesRemovesAndMakesPlayers) {
    for (const auto& [name, volume] : {std::pair{u"Ann", 10.0f}, {u"Bob", 20.0f}, {u"Cy", 30.0f}}) {
        AddNamedPlayer(name);
        data.players.players[name].floatVars[7] = volume;
    }
    data.players.currentName = u"Bob";
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    Click("new_player");
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    auto list = [] { return GF::HolderCast<GF::HGENS::CListBoxControl>(Top()->FindControl("listbox")); };
    ASSERT_EQ(list()->GetItemCount(), 3);
    EXPECT_EQ(list()->GetSelectedItem(), 1);

    list()->SelectItem(2);
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Cy");
    EXPECT_EQ(properties->GetInt("MusicVolume"), 30);

    Click("new_player");
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    list()->SelectItem(0);
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Cy");

    Click("new_player");
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    list()->SelectItem(0);
    Click("remove");
    ASSERT_TRUE(ReachIdle("confirm_screen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Ann");
    Press(GF::CKeyset::kKeyEscape);  // "no"
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Cy");
    EXPECT_EQ(list()->GetItemCount(), 3);

    list()->SelectItem(0);
    Click("remove");
    ASSERT_TRUE(ReachIdle("confirm_screen"));
    Press(GF::CKeyset::kKeyEnter);  // "yes"
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    EXPECT_EQ(list()->GetItemCount(), 2);
    EXPECT_EQ(FindPlayer(u"Ann"), nullptr);
    EXPECT_EQ(SavedStore().players.count(u"Ann"), 0u);
    EXPECT_EQ(GetCurrentPlayer().name, u"Bob");

    Click("new");
    ASSERT_TRUE(ReachIdle("new_player_screen"));
    Type(u"Dan");
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_TRUE(ReachIdle("ChangePlayerScreen"));
    EXPECT_EQ(GetCurrentPlayer().name, u"Dan");
    EXPECT_EQ(list()->GetItemCount(), 3);
    EXPECT_EQ(SavedStore().currentName, u"Dan");
}

// The code typed on the title opens the first stages, or all of them; a broken code and characters
// typed over another screen do nothing; the digit 0 starts again from the defaults with the profiles put
// aside.
TEST_F(TitleScreensTest, CodeOnTheTitleOpensStagesAndDigitZeroStartsAfresh) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("new_player_screen"));
    Type(u"Ann");
    Press(GF::CKeyset::kKeyEnter);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    const bool unlocked = GetCheatListener().IsUnlocked();

    Type(u"xvvokrd3");
    EXPECT_EQ(Variable(1), 1.0f);
    Type(u"vokrd3");
    EXPECT_EQ(GetCheatListener().IsUnlocked(), !unlocked);
    EXPECT_EQ(Variable(1), 4.0f);
    EXPECT_EQ(Variable(0), 1.0f);
    EXPECT_EQ(Variable(32), 0.0f);
    CPlayerProfile& ann = GetCurrentPlayer();
    EXPECT_EQ(ann.stageName, "stage4");
    for (const char* stage : {"stage1", "stage2", "stage3"}) EXPECT_EQ(ann.stages[stage].best, 4) << stage;
    EXPECT_EQ(ann.stages.count("stage4"), 0u);
    for (const auto& [name, level] : GetLevelsData().Levels) {
        const int stage = GetStageNumber(level.StageName);
        const auto record = ann.levels.find(name);
        if (stage >= 1 && stage <= 3) {
            ASSERT_NE(record, ann.levels.end()) << name;
            EXPECT_EQ(record->second.place, 1) << name;
            for (const COrderInfo& order : level.Orders)
                EXPECT_TRUE(ann.flags2[order.Recept]) << order.Recept;
        } else {
            EXPECT_EQ(record, ann.levels.end()) << name;
        }
    }
    EXPECT_TRUE(ann.flags["comics_49"]);
    EXPECT_EQ(ann.hintShows[49], 10);

    Click("options");
    ASSERT_TRUE(ReachIdle("OptionsScreen"));
    Type(u"vokrd7");
    EXPECT_EQ(Variable(1), 4.0f);
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    // Every stage opened: the last one over, at its ninth level, which the game has to play again.
    Type(u"vokrd7");
    EXPECT_EQ(Variable(1), 7.0f);
    EXPECT_EQ(Variable(0), 9.0f);
    EXPECT_EQ(Variable(32), 1.0f);
    EXPECT_EQ(ann.stageName, "stage7");
    EXPECT_TRUE(GetLevelsData().FindLevel(GetStageSummaryName())) << GetStageSummaryName();

    Press(GF::CKeyset::kKeyDigit0);
    ASSERT_TRUE(ReachTop("new_player_screen"));
    EXPECT_TRUE(GetCurrentPlayer().name.empty());
    EXPECT_EQ(FindPlayer(u"Ann"), nullptr);
    std::ifstream aside(SettingsPath() + ".bak", std::ios::binary);
    const std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(aside), {});
    ASSERT_GT(bytes.size(), 16u);
    GF::CMemoryInputStream in(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
    CPlayerStore kept;
    kept.version = GetGameData().players.version;
    std::string why;
    ASSERT_EQ(LoadSettingsPart(in, kept, why), ESettingsPart::Loaded) << why;
    ASSERT_EQ(kept.players.count(u"Ann"), 1u);
    EXPECT_EQ(kept.players[u"Ann"].stages["stage3"].best, 4);
    EXPECT_EQ(kept.players[u"Ann"].floatVars[1], 7.0f);
}

// The main menu's selector glides to the middle height of a button the mouse enters, in 100 ms,
// keeping its x; "back" does not move it.
TEST_F(TitleScreensTest, MainMenuSelectorGlidesToTheEnteredButton) {
    AddNamedPlayer(u"Ann");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    Click("play");
    ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
    Finish("main_menu");
    ASSERT_TRUE(ReachIdle("MainMenuScreen"));
    const GF::TAnimationPtr selector = GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_select");
    ASSERT_TRUE(selector);
    const GF::TPoint<float> start = selector->GetPosition();

    auto hover = [&](const std::string& name) {
        const GF::TRect& rect = Control(name)->GetHitRect();
        GF::GetMouse()->SetPosition(static_cast<float>((rect.left + rect.right) / 2),
                                    static_cast<float>((rect.top + rect.bottom) / 2));
        Frame();  // the mouse enters
        return static_cast<float>((rect.top + rect.bottom) / 2);
    };
    const float credits = hover("credits");
    Frame();  // 100 ms
    EXPECT_EQ(selector->GetPosition().x, start.x);
    EXPECT_EQ(selector->GetPosition().y, credits);

    hover("back");
    Frame();
    Frame();
    EXPECT_EQ(selector->GetPosition().y, credits);
}

// Screens on a layout that lacks their parts (the bare placeholder panel) say so in the log and go on
// without them.
TEST_F(TitleScreensTest, ScreensOnALayoutWithoutTheirPartsLogThemAndGoOn) {
    AddNamedPlayer(u"Ann");
    for (CFlowRule& rule : data.flowRules)
        if (rule.target == "SplashScreen") rule.switchName = "interfaces.placeholder";
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    EXPECT_TRUE(engine.HasLog("\"SplashScreen\": the layout lacks \"_item_new_player\""));
    EXPECT_TRUE(engine.HasLog("\"SplashScreen\": the layout lacks \"lenta\""));

    GF::GetGameManager()->ShowScreen("MainMenuScreen", "interfaces.placeholder", {}, "");
    ASSERT_TRUE(ReachIdle("MainMenuScreen"));
    EXPECT_TRUE(engine.HasLog("\"MainMenuScreen\": the layout lacks \"_select\""));
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));

    GF::GetGameManager()->ShowScreen("OptionsScreen", "interfaces.placeholder", {}, "");
    ASSERT_TRUE(ReachIdle("OptionsScreen"));
    EXPECT_TRUE(engine.HasLog("\"OptionsScreen\": the layout lacks \"_item_slider_musik/_cursor\""));
    engine.System_SetStateBool(HGE_WINDOWED, false);  // no box to follow it
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
}
