#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/GameSound.h"
#include "framework/app/Music.h"
#include "framework/gui/Button.h"
#include "framework/gui/Screen.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

class CPlainScreen : public CScreenAbstract {};

// The yes/no layout of the sample script with its "yes" button, the sound table of the game data
// giving keys 2 and 3 their sounds, and frames of 16 ms that step the screen and the sound manager.
class GameSoundsTest : public CGuiFixture {
protected:
    GameSoundsTest() {
        engine.AddResource("Sound\\button_click.ogg", "x");
        engine.AddResource("Sound\\button_hover.ogg", "x");
        GetGameData().sounds = {{2, {"button_click", 2}}, {3, {"button_hover", 3}}};
        screen->Initialize("main_menu.confirm_screen", {}, "");
        yes = screen->CreateButton("yes");
        AttachControlSounds(yes);
        screen->OnTop();
        for (int i = 0; i < 5; ++i) screen->Update(100.0f);
    }
    ~GameSoundsTest() override {
        screen->Destroy();
        for (const char* name : {"", "button_click", "button_hover"}) CGameSound::Instance()->StopSound(name);
        GetGameData() = m_saved;
    }

    // One frame with the mouse there; "c" when it asked for the click sound, "h" for the hover
    // sound, "-" for neither.
    std::string Frame(int x, int y, int buttons) {
        const int clicks = engine.CountCalls("Stream_Load Sound/button_click.ogg");
        const int hovers = engine.CountCalls("Stream_Load Sound/button_hover.ogg");
        SetMouse(x, y, buttons);
        screen->Update(16.0f);
        CGameSound::Instance()->Update(16.0f);
        std::string word;
        if (engine.CountCalls("Stream_Load Sound/button_click.ogg") > clicks) word += "c";
        if (engine.CountCalls("Stream_Load Sound/button_hover.ogg") > hovers) word += "h";
        return word.empty() ? "-" : word;
    }

    const CGameData m_saved = GetGameData();
    THolder<CPlainScreen> screen = MakeHolder<CPlainScreen>();
    THolder<CButtonControl> yes;
};

TEST_F(GameSoundsTest, AButtonAsksForTheClickSoundPerCompletedClickAndTheHoverSoundPerEntry) {
    const TRect hit = yes->GetHitRect();
    const int x = (hit.left + hit.right) / 2, y = (hit.top + hit.bottom) / 2;
    // Outside, enter, a completed click, a press dragged out and released outside, enter, a click.
    const struct {
        bool over;
        int buttons;
    } steps[] = {{false, 0}, {true, 0},  {true, 1}, {true, 0}, {true, 1},
                 {false, 1}, {false, 0}, {true, 0}, {true, 1}, {true, 0}};
    std::string heard;
    for (const auto& step : steps) heard += Frame(step.over ? x : 20, step.over ? y : 20, step.buttons);
    EXPECT_EQ(heard, "-h-c---h-c");
}

TEST_F(GameSoundsTest, AKeyMissingFromTheTableGetsAnEmptyEntryAndPlaysNothing) {
    engine.ClearRecord();
    PlayGameSound(41);
    CGameSound::Instance()->Update(16.0f);
    ASSERT_EQ(GetGameData().sounds.count(41), 1u);
    EXPECT_EQ(GetGameData().sounds.at(41), (CSoundKeyInfo{"", 41}));
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    EXPECT_TRUE(engine.HasLog("NOT FOUND"));
}

// The music switch over the process-wide music player, with the recording engine's channels.
class GameMusicTest : public testing::Test {
protected:
    GameMusicTest() {
        engine.AddResource("Sound\\music_main_menu.ogg", "x");
        engine.AddResource("Sound\\music_game_menu.ogg", "x");
        GetGameProperties()->SetInt("MusicVolume", 60);
    }
    ~GameMusicTest() override {
        StopMusic();
        Step(1000.0f);  // the fade ends and the player forgets the tracks while this engine serves
    }

    void Step(float ms) {
        for (float done = 0.0f; done < ms; done += 100.0f) GetMusic()->Update(100.0f);
    }
    HCHANNEL LastChannel() const { return engine.channels.empty() ? 0 : engine.channels.rbegin()->first; }

    CRecordingEngine engine;
};

TEST_F(GameMusicTest, OnlyANewNameSwitchesTheMusicAndATrackAskedForAgainKeepsPlaying) {
    const std::string menu = "music_main_menu", game = "music_game_menu";
    PlayMusic(menu);
    const HCHANNEL first = LastChannel();
    PlayMusic(menu);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 1);

    // menu, game, menu within the second: menu ends at the music volume, game silenced and forgotten.
    Step(1000.0f);
    PlayMusic(game);
    const HCHANNEL second = LastChannel();
    Step(300.0f);
    PlayMusic(menu);
    Step(1000.0f);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 2);
    EXPECT_TRUE(engine.channels[first].playing);
    EXPECT_EQ(engine.channels[first].volume, 60);
    EXPECT_EQ(engine.channels[second].volume, 0);
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);

    // Stopped and asked for again within the fade: it rises again on its own channel.
    StopMusic();
    Step(300.0f);
    PlayMusic(menu);
    Step(1000.0f);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 2);
    EXPECT_EQ(engine.channels[first].volume, 60);

    // After a whole fade-out it starts from the beginning.
    StopMusic();
    Step(1000.0f);
    PlayMusic(menu);
    Step(1000.0f);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 3);
    EXPECT_EQ(engine.channels[LastChannel()].volume, 60);
}

}  // namespace
