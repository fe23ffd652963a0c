#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/resources/Resource.h"
#include "framework/scene/AnimationObject.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/SoundObject.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

using TIds = std::initializer_list<TKindParam<EParamKind::IDResource>>;
using TActions = std::initializer_list<TKindParam<EParamKind::ActionSound>>;
using TFrames = std::vector<std::vector<std::string>>;

// Sound objects made from a description under a real animation playing 0..999, on the recording
// engine, where the sound files "Sound\0" and "Sound\1" exist.
class SoundObjectTest : public testing::Test {
protected:
    SoundObjectTest() {
        InstallSceneObjectMakers();
        engine.AddResource("Sound\\0", "wav");
        engine.AddResource("Sound\\1", "wav");
        builder.Module("test");
    }
    ~SoundObjectTest() override {
        if (animation) animation->Reset();  // the children hold their parent back
    }

    // An animation with one sound "bell" of the given keys, playing its part once.
    CSoundObject* Make(TIds ids, TActions actions) {
        builder.Animation("ring");
        builder.Part("all", 0, 1000);
        THolder<CSoundObjectData> sound = builder.Sound("bell");
        AddKeys(sound->GetIDResource(), ids);
        AddKeys(sound->GetActionSound(), actions);
        animation = resource->GetAnimationData("test", "ring")->CreateAnimation();
        animation->Play("all", 1, false);
        TObjectAnimationPtr child = animation->FindObject("bell");
        return child ? dynamic_cast<CSoundObject*>(child.Get()) : nullptr;
    }

    // The engine calls of each of `count` frames of `dt` ms.
    TFrames Frames(int count, float dt = 100.0f) {
        TFrames frames;
        for (int i = 0; i < count; ++i) {
            const auto from = static_cast<std::ptrdiff_t>(engine.calls.size());
            animation->Update(dt);
            frames.emplace_back(engine.calls.begin() + from, engine.calls.end());
        }
        return frames;
    }

    HCHANNEL LastChannel() const { return engine.channels.empty() ? 0 : engine.channels.rbegin()->first; }

    CRecordingEngine engine;
    CObjectMakersScope makersScope;
    THolder<CResource> resource = MakeHolder<CResource>();
    CResourceBuilder builder{*resource};
    THolder<IAnimation> animation;
};

TEST_F(SoundObjectTest, AnswersAsASoundAndJoinsTheSoundList) {
    CSoundObject* sound = Make({}, {});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(animation->GetDrawableCount(), 0);
    EXPECT_EQ(sound->GetName(), "bell");
    const int ids[] = {kIdBase, kIdObjectAnimation, kIdSound};
    for (int id : ids) {
        void* out = nullptr;
        EXPECT_TRUE(sound->QueryInterface(id, &out)) << id;
        EXPECT_NE(out, nullptr);
        sound->Release();
    }
    void* out = &out;
    EXPECT_FALSE(sound->QueryInterface(kIdDrawable, &out));
    EXPECT_EQ(out, nullptr);
}

TEST_F(SoundObjectTest, CommandsActInTheFrameTheClockEntersTheirKey) {
    Make({{0, 0, 1000}}, {{1, 0, 500}, {4, 0, 500}});
    const TFrames frames = Frames(6);
    const std::string channel = std::to_string(LastChannel());
    EXPECT_EQ(frames[0], (std::vector<std::string>{"Stream_Load Sound/0", "Stream_Play 1 0 100"}));
    for (int i : {1, 2, 3}) EXPECT_TRUE(frames[i].empty()) << i;
    EXPECT_EQ(frames[4], std::vector<std::string>{"Channel_Stop " + channel});  // the clock reads 500
    EXPECT_TRUE(frames[5].empty());
}

TEST_F(SoundObjectTest, ALoopedSoundStartsAgainWhenItEndsUntilTheAnimationHasFinished) {
    Make({{0, 0, 1000}}, {{2, 0, 1000}});
    Frames(2);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 1);
    engine.SetChannelPlaying(LastChannel(), false);  // the stream ran out
    TFrames frames = Frames(1);
    EXPECT_EQ(frames[0], std::vector<std::string>{"Stream_Play 1 0 100"});

    Frames(20);  // the part ends and the animation finishes
    ASSERT_TRUE(animation->IsFinished());
    engine.SetChannelPlaying(LastChannel(), false);
    frames = Frames(3);
    for (const auto& frame : frames) EXPECT_TRUE(frame.empty());
}

TEST_F(SoundObjectTest, PauseThenPlayResumesTheSameChannel) {
    Make({{0, 0, 1000}}, {{1, 0, 200}, {3, 0, 200}, {1, 0, 600}});
    const TFrames frames = Frames(5);
    const std::string channel = std::to_string(LastChannel());
    EXPECT_EQ(engine.channels.size(), 1u);
    EXPECT_EQ(frames[1], std::vector<std::string>{"Channel_Pause " + channel});   // 200
    EXPECT_EQ(frames[3], std::vector<std::string>{"Channel_Resume " + channel});  // 400
}

TEST_F(SoundObjectTest, ANewSoundResourceStopsTheOldSoundAndWaitsForTheNextCommand) {
    Make({{0, 0, 300}, {1, 0, 700}}, {{1, 0, 1000}});
    const TFrames frames = Frames(4);
    const std::string channel = std::to_string(LastChannel());
    EXPECT_EQ(frames[2],
              (std::vector<std::string>{"Channel_Stop " + channel, "Stream_Load Sound/1", "Stream_Free 1"}));
    EXPECT_TRUE(frames[3].empty());
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 1);  // the first sound's only
}

TEST_F(SoundObjectTest, TheAnimationPausesKeepsAndResumesOnlyWhatItPaused) {
    Make({{0, 0, 1000}}, {{2, 0, 1000}});
    Frames(1);
    const HCHANNEL channel = LastChannel();
    engine.ClearRecord();
    animation->PauseSounds();
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Channel_Pause " + std::to_string(channel)});

    // An engine may report a paused channel as silent: the looped sound must not start again under
    // the paused one.
    engine.SetChannelPlaying(channel, false);
    Frames(3);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);

    engine.ClearRecord();
    animation->ResumeSounds();
    animation->ResumeSounds();
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Channel_Resume " + std::to_string(channel)});
}

TEST_F(SoundObjectTest, AnUnknownSoundPlaysNothing) {
    Make({{7, 0, 1000}}, {{2, 0, 1000}});
    Frames(3);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 0);
    EXPECT_TRUE(engine.HasLog("SOUND Sound\\7 NOT FOUND"));
}

}  // namespace
