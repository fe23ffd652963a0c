#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/GameManager.h"
#include "framework/app/GameSound.h"
#include "framework/app/Music.h"
#include "framework/core/GameProperties.h"
#include "tests/support/RecordingEngine.h"

using GF::THolder;
using GF::HGENS::CGameSound;

namespace {

class GameSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"click", "ding", "bell"})
            engine.AddResource(std::string("Sound\\") + name + ".ogg", "x");
        GF::GetGameProperties()->SetInt("SoundVolume", 70);
    }

    void Step(float ms, int frames = 1) {
        for (int i = 0; i < frames; ++i) sound->Update(ms);
    }

    // Every channel the engine opened, in the order they were opened.
    std::vector<HCHANNEL> Channels() const {
        std::vector<HCHANNEL> out;
        for (const auto& [channel, state] : engine.channels) out.push_back(channel);
        return out;
    }

    std::string Call(const char* what, HCHANNEL channel) const {
        return what + (" " + std::to_string(channel));
    }

    CRecordingEngine engine;
    THolder<CGameSound> sound = GF::MakeHolder<CGameSound>();
};

TEST_F(GameSoundTest, ARequestIsRefusedWhileAnEarlierOneStartedOrIsDueWithinTheInterval) {
    struct Case {
        const char* what;
        float delay1, delay2, interval, gap;  // gap: milliseconds of frames between the two requests
        int accepted;
    };
    const Case cases[] = {
        {"two requests in one frame", 0, 0, 0, 0, 1},
        {"the first has started", 0, 0, 0, 20, 2},
        {"300 ms apart, interval 500", 0, 0, 500, 300, 1},
        {"600 ms apart, interval 500", 0, 0, 500, 600, 2},
        {"the first is still delayed", 200, 0, 0, 100, 1},
        {"the second is delayed past the interval", 0, 400, 500, 200, 2},
        {"negative delay and interval count as 0", -100, 0, -100, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sound = GF::MakeHolder<CGameSound>();
        engine.ClearRecord();
        sound->PlaySound("ding", c.delay1, c.interval);
        for (float t = 0; t < c.gap; t += 20) Step(20);
        sound->PlaySound("ding", c.delay2, c.interval);
        EXPECT_EQ(engine.CountCalls("Stream_Load"), c.accepted);
    }
}

TEST_F(GameSoundTest, OtherNamesAndAStoppedNameAreAcceptedAtOnce) {
    sound->PlaySound("click", 0, 0);
    sound->PlaySound("bell", 0, 0);
    EXPECT_EQ(engine.CountCalls("Stream_Load"), 2);

    sound->StopSound("click");
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);  // the queued instance is gone with its stream
    sound->PlaySound("click", 0, 0);
    EXPECT_EQ(engine.CountCalls("Stream_Load"), 3);
    sound->StopSound("never played");
}

TEST_F(GameSoundTest, ADelayedSoundStartsOnceTheSummedFrameTimesExceedTheDelay) {
    sound->PlaySound("ding", 200, 0);
    Step(50, 4);  // exactly 200: not yet
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    Step(50);
    ASSERT_EQ(engine.CountCalls("Stream_Play"), 1);
    EXPECT_FALSE(engine.channels.begin()->second.loop);
    EXPECT_EQ(engine.channels.begin()->second.volume, 70);
}

TEST_F(GameSoundTest, TheVolumeOfTheFrameAppliesToSoundsStartingThenNotToThosePlaying) {
    sound->PlaySound("click", 0, 0);
    Step(16);
    GF::GetGameProperties()->SetInt("SoundVolume", 30);
    sound->PlaySound("bell", 0, 0);
    Step(16);
    const std::vector<HCHANNEL> channels = Channels();
    ASSERT_EQ(channels.size(), 2u);
    EXPECT_EQ(engine.channels[channels[0]].volume, 70);
    EXPECT_EQ(engine.channels[channels[1]].volume, 30);
    EXPECT_EQ(engine.CountCalls("Channel_SetVolume"), 0);
}

TEST_F(GameSoundTest, AFinishedSoundIsDroppedOnTheNextStepAndStopAllEndsTheRest) {
    sound->PlaySound("click", 0, 0);
    sound->PlaySound("bell", 0, 0);
    Step(16, 3);
    const std::vector<HCHANNEL> channels = Channels();
    ASSERT_EQ(channels.size(), 2u);  // each played once, not restarted while it plays
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 0);

    engine.SetChannelPlaying(channels[0], false);
    Step(16);
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 2);

    engine.ClearRecord();
    sound.Reset();  // the manager's end stops what still plays
    EXPECT_TRUE(engine.HasCall(Call("Channel_Stop", channels[1])));
    EXPECT_FALSE(engine.HasCall(Call("Channel_Stop", channels[0])));
}

TEST_F(GameSoundTest, FocusLossPausesThePlayingSoundsKeepsThemAndResumesOnlyThose) {
    sound->PlaySound("click", 0, 0);
    sound->PlaySound("bell", 0, 0);
    Step(16);
    sound->PlaySound("ding", 100, 0);
    const std::vector<HCHANNEL> before = Channels();
    ASSERT_EQ(before.size(), 2u);

    sound->PauseAll();
    EXPECT_EQ(engine.CountCalls("Channel_Pause"), 2);
    // An engine may report a paused channel as silent: the frames that run without the focus must
    // not take the paused sounds for finished.
    for (HCHANNEL channel : before) engine.SetChannelPlaying(channel, false);
    Step(50, 4);  // "ding" comes due and starts meanwhile
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 0);
    ASSERT_EQ(engine.CountCalls("Stream_Play"), 3);
    const HCHANNEL started = Channels().back();

    engine.ClearRecord();
    sound->ResumeAll();
    for (HCHANNEL channel : before) engine.SetChannelPlaying(channel, true);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{Call("Channel_Resume", before[0]),
                                                      Call("Channel_Resume", before[1])}));
    EXPECT_FALSE(engine.HasCall(Call("Channel_Resume", started)));

    sound->ResumeAll();  // nothing is paused any more
    Step(16);
    EXPECT_EQ(engine.CountCalls("Channel_Resume"), 2);
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 0);
}

// The window's focus handlers reach the process-wide music player and sound-effect manager.
TEST_F(GameSoundTest, TheFocusHandlersPauseAndResumeMusicAndSounds) {
    engine.AddResource("Sound\\menu.ogg", "x");
    THolder<CGameSound> effects = CGameSound::Instance();
    THolder<GF::IMusic> music = GF::GetMusic();
    music->PlayWithFade("menu", false);
    effects->PlaySound("click", 0, 0);
    effects->Update(16);
    const std::vector<HCHANNEL> channels = Channels();
    ASSERT_EQ(channels.size(), 2u);
    engine.ClearRecord();

    GF::HGENS::FocusLostFunction();
    EXPECT_EQ(engine.calls, (std::vector<std::string>{Call("Channel_Pause", channels[0]),
                                                      Call("Channel_Pause", channels[1])}));
    engine.ClearRecord();
    GF::HGENS::FocusGainedFunction();
    EXPECT_EQ(engine.calls, (std::vector<std::string>{Call("Channel_Resume", channels[0]),
                                                      Call("Channel_Resume", channels[1])}));

    // Leave the process-wide objects as they were: nothing playing, no manager.
    effects->StopSound("click");
    music->Stop("menu", true);
    music->Update(1000);
    GF::GetGameManager()->Shutdown();
}

}  // namespace
