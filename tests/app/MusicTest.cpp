#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/Music.h"
#include "framework/core/GameProperties.h"
#include "tests/support/RecordingEngine.h"

using GF::THolder;

namespace {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.AddResource("Sound\\menu.ogg", "x");
        engine.AddResource("Sound\\level.ogg", "x");
        GF::GetGameProperties()->SetInt("MusicVolume", 60);
    }

    // The volumes set on a channel, one per call, from the record.
    std::vector<int> VolumesOf(HCHANNEL channel) const {
        const std::string prefix = "Channel_SetVolume " + std::to_string(channel) + " ";
        std::vector<int> out;
        for (const std::string& call : engine.calls)
            if (call.rfind(prefix, 0) == 0) out.push_back(std::stoi(call.substr(prefix.size())));
        return out;
    }

    HCHANNEL LastChannel() const { return engine.channels.empty() ? 0 : engine.channels.rbegin()->first; }

    void Step(float ms, int frames) {
        for (int i = 0; i < frames; ++i) music->Update(ms);
    }

    CRecordingEngine engine;
    THolder<GF::IMusic> music = THolder<GF::IMusic>(new GF::HGENS::CMusic);
};

TEST_F(MusicTest, AFadeInRampsFromSilenceToTheMusicVolumeInOneSecondAndEndsThere) {
    struct Case {
        int volume;
        std::vector<float> frames;
        std::vector<int> volumes;
    };
    const Case cases[] = {
        {60, {250, 250, 250, 250, 250}, {15, 30, 45, 60}},  // the ramp is gone after its last step
        {60, {500, 300, 400}, {30, 48, 60}},                // the last step lands on the end, not past it
        {100, {600, 600}, {60, 100}},
        {250, {500, 500}, {50, 100}},  // a volume out of range is held to 0..100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        music = new GF::HGENS::CMusic;
        engine.ClearRecord();
        GF::GetGameProperties()->SetInt("MusicVolume", c.volume);
        music->PlayWithFade("menu", true);
        const HCHANNEL channel = LastChannel();
        ASSERT_NE(channel, 0u);
        EXPECT_TRUE(engine.channels[channel].loop);
        EXPECT_EQ(engine.channels[channel].volume, 0);
        for (float ms : c.frames) music->Update(ms);
        EXPECT_EQ(VolumesOf(channel), c.volumes);
    }
}

TEST_F(MusicTest, ACrossFadeLowersTheOldTrackRaisesTheNewAndThenDropsTheOld) {
    music->PlayWithFade("menu", false);
    const HCHANNEL menu = LastChannel();
    EXPECT_EQ(VolumesOf(menu), std::vector<int>{60});
    engine.ClearRecord();

    music->Stop("menu", true);
    music->PlayWithFade("level", true);
    const HCHANNEL level = LastChannel();
    ASSERT_NE(level, menu);
    Step(250, 3);
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 0);
    Step(250, 2);
    EXPECT_EQ(VolumesOf(menu), (std::vector<int>{45, 30, 15, 0}));
    EXPECT_EQ(VolumesOf(level), (std::vector<int>{15, 30, 45, 60}));
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);  // "menu" is forgotten with its stream
    EXPECT_EQ(engine.CountCalls("Channel_Stop"), 0);

    engine.ClearRecord();
    music->PlayWithFade("menu", false);  // starts from a new load
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/menu.ogg"), 1);
}

TEST_F(MusicTest, ARequestReplacesTheTracksRunningFadeWhichStartsFromThePresentLevel) {
    music->PlayWithFade("menu", false);
    const HCHANNEL menu = LastChannel();
    engine.ClearRecord();

    // Asked for again while fading out: it rises from where it stood and is not forgotten.
    music->Stop("menu", true);
    Step(250, 2);
    music->PlayWithFade("menu", true);
    Step(250, 6);
    EXPECT_EQ(VolumesOf(menu), (std::vector<int>{45, 30, 37, 45, 52, 60}));
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 0);

    // menu, level, menu in quick succession: the fade-in of "level" turns into its fade-out.
    engine.ClearRecord();
    music->Stop("menu", true);
    music->PlayWithFade("level", true);
    const HCHANNEL level = LastChannel();
    Step(250, 1);
    music->Stop("level", true);
    music->PlayWithFade("menu", true);
    Step(250, 5);
    EXPECT_EQ(VolumesOf(menu), (std::vector<int>{45, 48, 52, 56, 60}));
    EXPECT_EQ(VolumesOf(level), (std::vector<int>{15, 11, 7, 3, 0}));
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);  // "level" only
    EXPECT_TRUE(engine.channels[menu].playing);
}

TEST_F(MusicTest, APlayingTrackOnlyGetsItsVolumeAndAStoppedOneStartsAgain) {
    music->PlayWithFade("menu", false);
    const HCHANNEL first = LastChannel();
    GF::GetGameProperties()->SetInt("MusicVolume", 40);
    engine.ClearRecord();

    music->PlayWithFade("menu", true);  // playing: no ramp even with fade
    music->Update(250);
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Channel_SetVolume " + std::to_string(first) + " 40"});

    music->Stop("menu", false);
    music->PlayWithFade("menu", false);
    const HCHANNEL second = LastChannel();
    EXPECT_NE(second, first);
    EXPECT_EQ(engine.CountCalls("Stream_Load"), 0);  // the track kept its stream
    EXPECT_EQ(VolumesOf(second), std::vector<int>{40});
}

TEST_F(MusicTest, ApplyVolumeReachesPlayingTracksAndRampsKeepTheVolumeTheyWereMadeWith) {
    music->PlayWithFade("menu", false);
    const HCHANNEL menu = LastChannel();
    music->PlayWithFade("level", true);
    const HCHANNEL level = LastChannel();
    engine.ClearRecord();

    GF::GetGameProperties()->SetInt("MusicVolume", 80);
    music->ApplyVolume();
    music->Update(500);
    EXPECT_EQ(VolumesOf(menu), std::vector<int>{80});
    EXPECT_EQ(VolumesOf(level), (std::vector<int>{80, 30}));

    engine.ClearRecord();
    music->Stop("menu", false);
    music->ApplyVolume();
    EXPECT_TRUE(VolumesOf(menu).empty());
}

TEST_F(MusicTest, FocusLossPausesThePlayingTracksAndRegainResumesOnlyThose) {
    music->PlayWithFade("menu", false);
    const HCHANNEL menu = LastChannel();
    music->PlayWithFade("level", false);
    const HCHANNEL level = LastChannel();
    music->Stop("level", false);
    engine.ClearRecord();

    music->Pause("menu");  // only the empty name means every track
    EXPECT_TRUE(engine.calls.empty());
    music->Pause("");
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Channel_Pause " + std::to_string(menu)});

    // An engine may report a paused channel as silent: asking for the track again must not start
    // a second copy of it under the paused one.
    engine.SetChannelPlaying(menu, false);
    music->PlayWithFade("menu", false);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    engine.ClearRecord();

    music->Resume("level");
    EXPECT_TRUE(engine.calls.empty());
    music->Resume("");
    music->Resume("");
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Channel_Resume " + std::to_string(menu)});
    EXPECT_FALSE(engine.HasCall("Channel_Resume " + std::to_string(level)));
}

TEST_F(MusicTest, AMissingTrackGetsNoVolumeNoRampAndTheEndStopsEverything) {
    music->PlayWithFade("nothing", true);
    music->Stop("unknown", true);
    music->Update(500);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    EXPECT_EQ(engine.CountCalls("Channel_SetVolume"), 0);

    music.Reset();
    EXPECT_TRUE(engine.HasCall("Channel_StopAll"));
}

}  // namespace
