#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/Audio.h"
#include "tests/support/MemoryWatch.h"
#include "tests/support/SoundWriter.h"
#include "tests/support/TempFolder.h"

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

// The Ogg with its last page claiming `frames` in all, its checksum made good again.
std::vector<unsigned char> WithLastGranule(std::vector<unsigned char> ogg, uint64_t frames) {
    std::size_t last = ogg.size() - 27;
    while (last > 0 && std::memcmp(ogg.data() + last, "OggS", 4) != 0) --last;
    for (int i = 0; i < 8; ++i) ogg[last + 6 + i] = static_cast<unsigned char>(frames >> (8 * i));
    const uint32_t crc = OggCrc(ogg.data() + last, ogg.size() - last);
    for (int i = 0; i < 4; ++i) ogg[last + 22 + i] = static_cast<unsigned char>(crc >> (8 * i));
    return ogg;
}

// The mixer's output as it goes: bytes mixed since the count began, and, past the first
// `g_countFrom` bytes, buffers mixed and those with a loud sample among them.
std::atomic<long> g_mixedBytes{0};
std::atomic<long> g_lateBuffers{0};
std::atomic<long> g_loudBuffers{0};
long g_countFrom = 0;

void CountLoud(void*, Uint8* stream, int bytes) {
    if (g_mixedBytes.fetch_add(bytes) < g_countFrom) return;
    ++g_lateBuffers;
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    for (int i = 0; i < bytes / 2; ++i)
        if (std::abs(samples[i]) > 1000) {
            ++g_loudBuffers;
            return;
        }
}

}  // namespace

// Music is streamed from the file's bytes, whatever its length, and goes on sounding past its end;
// an effect longer than the bound is refused by name, cheaply when the header tells, by a stop
// in the decoding when the Ogg's last page lies; so are a WAV cut short, one at a rate below a
// sound's, and a chained Ogg.
TEST(Audio, ALongOggStreamsAsMusicAndEveryLongEffectIsRefusedByName) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CTempFolder folder;
    Engine::CLog log;
    log.SetFile(folder / "log.txt");
    Engine::CAudio audio(log);
    audio.Open();
    ASSERT_TRUE(audio.IsOpen());

    const std::vector<unsigned char> hour = WriteSilentOgg(3600, 8000);
    const std::vector<unsigned char> wav = WriteSilentWav8(50u << 20, 4000);
    const std::vector<unsigned char> lying = WithLastGranule(WriteOgg(Tone(8000, 40.0f), 8000), 8000);
    const std::vector<unsigned char> tone = WriteOgg(Tone(22050, 0.1f), 22050);
    // A tenth of a second whose data chunk claims 4 GB: a reader believing it takes the 4 GB.
    std::vector<unsigned char> claim = WriteWav(Tone(22050, 0.1f), 22050);
    const auto data = std::search(claim.begin(), claim.end(), std::begin("data"), std::end("data") - 1);
    ASSERT_NE(data, claim.end());
    std::fill(data + 4, data + 8, 0xFF);
    // Two tracks chained: the decoder would read and keep every link's set-up as it opens it.
    const std::vector<unsigned char> medley = WriteChainedOgg(tone, 2);
    // A WAV below the lowest rate a sound may have.
    const std::vector<unsigned char> low = WriteWav(Tone(800, 0.1f), 800);

    CMemoryWatch watch;
    const uintptr_t music = audio.Load(hour.data(), hour.size(), "Sound/hour.ogg");
    ASSERT_NE(music, 0u);
    const uintptr_t channel = audio.Play(music, true, 100);
    EXPECT_TRUE(audio.IsPlaying(channel));
    EXPECT_EQ(audio.Play(music, false, 100), 0u);
    EXPECT_EQ(audio.Load(wav.data(), wav.size(), "Sound/0"), 0u);
    EXPECT_EQ(audio.Load(claim.data(), claim.size(), "Sound/claim"), 0u);
    const uintptr_t liar = audio.Load(lying.data(), lying.size(), "Sound/liar.ogg");
    ASSERT_NE(liar, 0u);
    EXPECT_EQ(audio.Play(liar, false, 100), 0u);
    EXPECT_EQ(audio.Load(medley.data(), medley.size(), "Sound/medley.ogg"), 0u);
    EXPECT_EQ(audio.Load(low.data(), low.size(), "Sound/low"), 0u);
    watch.Stop();
    // Neither the hour nor the lie decoded whole: a generous bound on the processor time tells work on
    // a whole file from work on its header.
    EXPECT_LT(watch.Seconds(), 10.0);
    EXPECT_LT(watch.AddedPeakMegabytes(), 40);
    audio.Free(music);
    EXPECT_FALSE(audio.IsPlaying(channel));

    // A tenth of a second of tone, looped: still sounding in the mixer's output after five times its
    // length. Counted in what the mixer wrote, at its own pace, however slowly a busy machine mixes.
    int rate = 0, outputs = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &outputs), 0);
    ASSERT_EQ(format, AUDIO_S16SYS);
    const long second = static_cast<long>(rate) * outputs * 2;
    g_countFrom = second / 2;
    Mix_SetPostMix(CountLoud, nullptr);
    const uintptr_t loop = audio.Load(tone.data(), tone.size(), "Sound/tone.ogg");
    const uintptr_t looping = audio.Play(loop, true, 100);
    ASSERT_NE(looping, 0u);
    // A stalled mixer is told from a slow one after a minute.
    for (int i = 0; i < 6000 && g_mixedBytes < second; ++i) SDL_Delay(10);
    Mix_SetPostMix(nullptr, nullptr);
    ASSERT_GE(g_mixedBytes.load(), second) << "the mixer wrote less than a second in a minute";
    EXPECT_GT(g_lateBuffers.load(), 2);
    EXPECT_EQ(g_loudBuffers.load(), g_lateBuffers.load()) << "buffers of silence in the loop";
    audio.Close();

    std::ifstream in(log.File());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const char* name : {"Sound/hour.ogg", "Sound/0", "Sound/liar.ogg"})
        EXPECT_NE(text.find(std::string("Sound ") + name + " is longer than 30 s"), std::string::npos)
            << text;
    for (const char* refusal :
         {"Sound/claim: its data is cut short", "Sound/medley.ogg: an Ogg chained of more than one link",
          "Sound/low: 1 channels at 800 Hz"})
        EXPECT_NE(text.find(std::string("Can't decode sound ") + refusal), std::string::npos) << text;
}
