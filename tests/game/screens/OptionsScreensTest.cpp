#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/CustomCursor.h"
#include "framework/scene/IDrawable.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

class OptionsScreensTest : public CMenuScreensFixture {
protected:
    OptionsScreensTest() {
        CPlayerProfile player = data.players.players[u""];
        player.name = u"Ann";
        player.floatVars[7] = 60.0f;
        data.players.players[u"Ann"] = player;
        data.players.currentName = u"Ann";
    }
    bool Visible(const char* part) {
        const GF::TDrawablePtr drawable = Top()->GetAnimation()->FindDrawable(part);
        return drawable && drawable->IsVisible();
    }
    bool Checked(const char* box) {
        return GF::HolderCast<GF::HGENS::CCheckBoxControl>(Control(box))->m_checked;
    }
};

}  // namespace

// Every change shows at once in the player's variables and the engine, the box follows a window
// mode changed elsewhere, and leaving writes the settings file.
TEST_F(OptionsScreensTest, ChangesTakeEffectAtOnceAndLeavingSavesThem) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    Click("options");
    ASSERT_TRUE(ReachIdle("OptionsScreen"));
    EXPECT_TRUE(Visible("_item_ok"));
    for (const char* item : {"_item_continue", "_item_main_menu", "_item_map", "_item_replay"})
        EXPECT_FALSE(Visible(item)) << item;
    EXPECT_EQ(Top()->GetAnimation()->GetText("label_music"), std::u16string(u"Music"));

    // A click a quarter along the music slider's track, which runs 200 pixels from its origin.
    const GF::TAnimationPtr slider = GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_item_slider_musik");
    ASSERT_TRUE(slider);
    const GF::TPoint<float> origin = slider->GetPosition();
    ClickAt(origin.x + 50.0f, origin.y);
    EXPECT_EQ(properties->GetInt("MusicVolume"), 25);
    EXPECT_EQ(Variable(7), 25.0f);
    // Then pressed on its cursor and dragged three quarters along: the volume follows in that frame.
    Frame();
    engine.SetKeyState(HGEK_LBUTTON, true);
    Frame();
    GF::GetMouse()->SetPosition(origin.x + 150.0f, origin.y);
    Frame();
    EXPECT_EQ(properties->GetInt("MusicVolume"), 75);
    EXPECT_EQ(Variable(7), 75.0f);
    engine.SetKeyState(HGEK_LBUTTON, false);
    Frame();
    GF::GetMouse()->SetPosition(0.0f, 0.0f);

    // The drawn cursor follows variable 10, whatever the box shows.
    EXPECT_FALSE(Checked("custom_cursor"));
    Click("custom_cursor");
    EXPECT_EQ(Variable(10), 1.0f);
    EXPECT_TRUE(GF::HGENS::GetCustomCursor()->GetAnimation());
    GetCurrentPlayer().floatVars[10] = 0.0f;
    Click("custom_cursor");
    EXPECT_EQ(Variable(10), 1.0f);
    EXPECT_TRUE(GF::HGENS::GetCustomCursor()->GetAnimation());

    // Alt+Enter elsewhere: full screen shows in the box at the next idle frame.
    EXPECT_FALSE(Checked("full_screen"));
    GF::GetGameManager()->SetFullScreen(true);  // what Alt+Enter does
    app->OnDisplayModeChanged();
    Frame();
    EXPECT_TRUE(Checked("full_screen"));
    EXPECT_EQ(Variable(9), 1.0f);
    Click("full_screen");
    EXPECT_TRUE(engine.System_GetStateBool(HGE_WINDOWED));
    EXPECT_EQ(Variable(9), 0.0f);
    // Full screen chosen where the window can't have it (the engine falls back to a window): the box
    // shows the window, the player's choice stays.
    Click("full_screen");
    engine.System_SetStateBool(HGE_WINDOWED, true);
    Frame();
    EXPECT_FALSE(Checked("full_screen"));
    EXPECT_EQ(Variable(9), 1.0f);

    std::filesystem::remove(SettingsPath());
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    CPlayerStore saved = SavedStore();
    EXPECT_EQ(saved.players[u"Ann"].floatVars[7], 75.0f);
    EXPECT_EQ(saved.players[u"Ann"].floatVars[10], 1.0f);
    EXPECT_EQ(saved.players[u"Ann"].floatVars[9], 1.0f);
    EXPECT_EQ(ReadSettings()[15], 1);  // the framework's full-screen value
}

// The pause menu on the same layout shows only its own four items; Escape and "continue" go back.
TEST_F(OptionsScreensTest, InGameMenuShowsItsFourItems) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    GF::GetGameManager()->ShowScreen("InGameMenuScreen", "main_menu.OptionsScreen", {}, "");
    ASSERT_TRUE(ReachIdle("InGameMenuScreen"));
    EXPECT_FALSE(Visible("_item_ok"));
    for (const char* item : {"_item_continue", "_item_main_menu", "_item_map", "_item_replay"})
        EXPECT_TRUE(Visible(item)) << item;
    Press(GF::CKeyset::kKeyEscape);
    ASSERT_TRUE(ReachIdle("SplashScreen"));
    GF::GetGameManager()->ShowScreen("InGameMenuScreen", "main_menu.OptionsScreen", {}, "");
    ASSERT_TRUE(ReachIdle("InGameMenuScreen"));
    Click("main_menu");
    ASSERT_TRUE(ReachIdle("MainMenuScreen"));
}
