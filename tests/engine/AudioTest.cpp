#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/Audio.h"
#include "tests/support/SoundWriter.h"

namespace {

std::vector<float> Tone(int rate, float seconds) {
    std::vector<float> samples(static_cast<std::size_t>(rate * seconds));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.5f * std::sin(static_cast<float>(i) * 0.1f);
    return samples;
}

// The real mixer on SDL's silent driver: wav and ogg are told apart by their content, and both play
// at once on channels of their own.
TEST(Audio, AWavAndAnOggPlayTogetherPauseResumeAndStop) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Engine::CLog log;
    Engine::CAudio audio(log);
    audio.Open();
    ASSERT_TRUE(audio.IsOpen());

    const std::vector<unsigned char> wav = WriteWav(Tone(22050, 0.5f), 22050);
    const std::vector<unsigned char> ogg = WriteOgg(Tone(22050, 0.5f), 22050);
    ASSERT_FALSE(ogg.empty());
    const uintptr_t wavStream = audio.Load(wav.data(), wav.size(), "tone.wav");
    const uintptr_t oggStream = audio.Load(ogg.data(), ogg.size(), "tone.ogg");
    ASSERT_NE(wavStream, 0u);
    ASSERT_NE(oggStream, 0u);
    const std::vector<unsigned char> junk(64, 0x5A);
    EXPECT_EQ(audio.Load(junk.data(), junk.size(), "junk"), 0u);

    const uintptr_t wavChannel = audio.Play(wavStream, true, 100);
    const uintptr_t oggChannel = audio.Play(oggStream, true, 60);
    ASSERT_NE(wavChannel, 0u);
    ASSERT_NE(oggChannel, 0u);
    EXPECT_NE(wavChannel, oggChannel);

    for (uintptr_t channel : {wavChannel, oggChannel}) {
        audio.Pause(channel);
        EXPECT_TRUE(audio.IsPlaying(channel));  // a paused channel is alive
        audio.Resume(channel);
        EXPECT_TRUE(audio.IsPlaying(channel));
    }
    audio.Stop(oggChannel);
    EXPECT_FALSE(audio.IsPlaying(oggChannel));
    EXPECT_TRUE(audio.IsPlaying(wavChannel));

    // The stopped ogg's handle is stale once its channel plays something else.
    const uintptr_t again = audio.Play(oggStream, false, 100);
    ASSERT_NE(again, 0u);
    audio.Pause(oggChannel);
    audio.Stop(oggChannel);
    EXPECT_TRUE(audio.IsPlaying(again));

    audio.StopAll();
    EXPECT_FALSE(audio.IsPlaying(wavChannel));
    EXPECT_FALSE(audio.IsPlaying(again));
    audio.Free(wavStream);
    audio.Free(oggStream);
}

}  // namespace
