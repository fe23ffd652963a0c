// Makes the sample sounds: a short click, a hover tick, a chime, a low tone, two menu music loops and
// one music loop for each stage, each written as a 16-bit wav or as Ogg Vorbis after the file's
// extension.
//
//   soundgen click|tick|chime|tone|swish|music|music_game|stage1..stage7 <file.wav|file.ogg>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <numbers>
#include <vector>

#include "tests/support/SoundWriter.h"
#include "tools/OutputFiles.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// Two bright ticks a few milliseconds apart, each dying away quickly.
std::vector<float> Click(int rate) {
    std::vector<float> samples(static_cast<std::size_t>(rate * 30 / 1000), 0.0f);
    for (int start : {0, rate * 12 / 1000}) {
        const int length = rate * 4 / 1000;
        for (int i = 0; i < length && start + i < static_cast<int>(samples.size()); ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(rate);
            samples[static_cast<std::size_t>(start + i)] +=
                0.8f * std::exp(-t * 1500.0f) * std::sin(kTwoPi * 1800.0f * t);
        }
    }
    return samples;
}

// One bright tick, shorter and quieter than the click.
std::vector<float> Tick(int rate) {
    std::vector<float> samples(static_cast<std::size_t>(rate * 15 / 1000), 0.0f);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rate);
        samples[i] = 0.5f * std::exp(-t * 2500.0f) * std::sin(kTwoPi * 3200.0f * t);
    }
    return samples;
}

// A bell note at `frequency` with its octave, struck at `start` seconds and dying away at `decay`.
void AddBell(std::vector<float>& samples, int rate, float start, float frequency, float decay) {
    const std::size_t first = static_cast<std::size_t>(start * static_cast<float>(rate));
    for (std::size_t i = first; i < samples.size(); ++i) {
        const float t = static_cast<float>(i - first) / static_cast<float>(rate);
        const float attack = std::min(1.0f, t * 500.0f);
        samples[i] += 0.35f * attack * std::exp(-t * decay) *
                      (std::sin(kTwoPi * frequency * t) + 0.4f * std::sin(kTwoPi * 2.0f * frequency * t));
    }
}

// Two bell notes a fifth apart, for announcements and rewards.
std::vector<float> Chime(int rate) {
    std::vector<float> samples(static_cast<std::size_t>(rate * 8 / 10), 0.0f);
    AddBell(samples, rate, 0.0f, 1318.5f, 6.0f);
    AddBell(samples, rate, 0.12f, 1975.5f, 6.0f);
    return samples;
}

// A low, soft tone that swells and fades: clocks running out, losing, a useless click.
std::vector<float> Tone(int rate) {
    const std::size_t length = static_cast<std::size_t>(rate * 4 / 10);
    std::vector<float> samples(length, 0.0f);
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rate);
        const float envelope =
            std::sin(std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(length));
        samples[i] = 0.5f * envelope * (std::sin(kTwoPi * 110.0f * t) + 0.2f * std::sin(kTwoPi * 220.0f * t));
    }
    return samples;
}

// Soft noise that swells and fades over half a second, its brightness falling: cloth sweeping past.
std::vector<float> Swish(int rate) {
    const std::size_t length = static_cast<std::size_t>(rate / 2);
    std::vector<float> samples(length, 0.0f);
    uint32_t seed = 12345u;
    float low = 0.0f;
    for (std::size_t i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const float noise = static_cast<float>(seed >> 8) / static_cast<float>(1u << 24) * 2.0f - 1.0f;
        const float share = static_cast<float>(i) / static_cast<float>(length);
        low += (0.35f - 0.3f * share) * (noise - low);  // a one-pole filter closing as it goes
        samples[i] = 0.6f * std::sin(std::numbers::pi_v<float> * share) * low;
    }
    return samples;
}

// Notes of `noteLength` samples with a quiet fifth above; every note fades in and out, so the loop
// joins without a click.
std::vector<float> Melody(int rate, const std::vector<float>& notes, int noteLength) {
    const int ramp = rate / 50;
    std::vector<float> samples;
    samples.reserve(static_cast<std::size_t>(noteLength) * notes.size());
    for (float frequency : notes) {
        for (int i = 0; i < noteLength; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(rate);
            const float edge = static_cast<float>(std::min(i, noteLength - 1 - i));
            const float envelope = std::min(1.0f, edge / static_cast<float>(ramp));
            const float tone =
                std::sin(kTwoPi * frequency * t) + 0.3f * std::sin(kTwoPi * frequency * 1.5f * t);
            samples.push_back(0.4f * envelope * tone);
        }
    }
    return samples;
}

// The main menu's loop: eight half-second notes on a pentatonic scale.
std::vector<float> Music(int rate) {
    return Melody(rate, {261.63f, 293.66f, 329.63f, 392.00f, 440.00f, 392.00f, 329.63f, 293.66f}, rate / 2);
}

// The game menu's loop: a slower walk a fourth lower, so the two are told apart at once.
std::vector<float> MusicGame(int rate) {
    return Melody(rate, {196.00f, 220.00f, 246.94f, 293.66f, 246.94f, 220.00f}, rate * 2 / 3);
}

// A stage's tune: a melody over a bass line of four chords, one chord a bar of four steps. Each stage
// has its own key, tempo, scale and melody, so a player hears at once that the stage changed.
struct TStageTune {
    float root;        // the key's tonic, in Hz
    int stepMs;        // one melody step
    int scale[7];      // semitones of the scale's degrees above the tonic
    int chords[4];     // the degree each bar's bass plays
    int melody[16];    // scale degrees (7 and up an octave higher); kRest is silence
    float brightness;  // the share of the octave overtone in the melody's voice
};

constexpr int kRest = -1;

constexpr TStageTune kStageTunes[] = {
    // 1: a bright, easy walk in C major.
    {261.63f,
     250,
     {0, 2, 4, 5, 7, 9, 11},
     {0, 4, 5, 3},
     {0, 2, 4, 2, 4, 6, 4, kRest, 5, 4, 2, 4, 3, 2, 1, kRest},
     0.3f},
    // 2: a lively D mixolydian dance, quicker.
    {293.66f,
     190,
     {0, 2, 4, 5, 7, 9, 10},
     {0, 6, 3, 0},
     {4, 4, 7, 6, 4, 2, 4, kRest, 6, 4, 3, 1, 2, 4, 0, kRest},
     0.45f},
    // 3: a calm A minor evening, slow.
    {220.00f,
     320,
     {0, 2, 3, 5, 7, 8, 10},
     {0, 5, 2, 6},
     {7, 6, 4, 2, 4, kRest, 5, 4, 2, 0, 2, 3, 4, kRest, 2, kRest},
     0.2f},
    // 4: a bouncing F major tune.
    {349.23f,
     210,
     {0, 2, 4, 5, 7, 9, 11},
     {0, 3, 4, 0},
     {0, 4, 7, 4, 5, 4, 2, 0, 1, 3, 5, 3, 4, 1, 0, kRest},
     0.35f},
    // 5: an E dorian stroll with a lifted sixth.
    {329.63f,
     260,
     {0, 2, 3, 5, 7, 9, 10},
     {0, 3, 0, 4},
     {0, 2, 3, 5, 4, 2, 3, kRest, 5, 6, 7, 5, 4, 3, 2, kRest},
     0.25f},
    // 6: a G major march, firm and even.
    {196.00f,
     230,
     {0, 2, 4, 5, 7, 9, 11},
     {0, 4, 0, 5},
     {4, 4, 7, 7, 6, 4, 5, kRest, 4, 2, 3, 1, 2, 1, 0, kRest},
     0.5f},
    // 7: the finale, a B flat tune climbing over a wide bass.
    {233.08f,
     200,
     {0, 2, 4, 5, 7, 9, 11},
     {0, 5, 3, 4},
     {0, 2, 4, 7, 6, 4, 5, 7, 9, 7, 6, 4, 5, 4, 2, kRest},
     0.4f},
};

// The frequency of a scale degree of the tune, degrees past the seventh an octave higher.
float DegreeFrequency(const TStageTune& tune, int degree, float octave) {
    const int semitones = tune.scale[degree % 7] + 12 * (degree / 7);
    return tune.root * octave * std::pow(2.0f, static_cast<float>(semitones) / 12.0f);
}

// A plucked note: a quick attack, an exponential decay and a short release before `length`, so
// that notes and the loop's ends meet without a click.
void AddNote(std::vector<float>& samples, int rate, std::size_t first, std::size_t length, float frequency,
             float loudness, float decay, float overtone) {
    const std::size_t release = static_cast<std::size_t>(rate / 100);
    for (std::size_t i = 0; i < length && first + i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rate);
        const float attack = std::min(1.0f, t * 200.0f);
        const float tail = std::min(1.0f, static_cast<float>(length - i) / static_cast<float>(release));
        samples[first + i] +=
            loudness * attack * tail * std::exp(-t * decay) *
            (std::sin(kTwoPi * frequency * t) + overtone * std::sin(kTwoPi * 2.0f * frequency * t));
    }
}

std::vector<float> StageMusic(int rate, const TStageTune& tune) {
    const std::size_t step = static_cast<std::size_t>(rate) * static_cast<std::size_t>(tune.stepMs) / 1000;
    std::vector<float> samples(step * std::size(tune.melody), 0.0f);
    for (std::size_t n = 0; n < std::size(tune.melody); ++n) {
        if (tune.melody[n] != kRest)
            AddNote(samples, rate, n * step, step, DegreeFrequency(tune, tune.melody[n], 1.0f), 0.3f, 4.0f,
                    tune.brightness);
    }
    // The bass: each bar's chord root two octaves down on its first step and its fifth on the third.
    const std::size_t bar = step * 4;
    for (std::size_t b = 0; b < std::size(tune.chords); ++b) {
        const int chord = tune.chords[b];
        AddNote(samples, rate, b * bar, step * 2, DegreeFrequency(tune, chord, 0.25f), 0.35f, 2.0f, 0.1f);
        AddNote(samples, rate, b * bar + step * 2, step * 2, DegreeFrequency(tune, chord + 4, 0.25f), 0.25f,
                2.0f, 0.1f);
    }
    return samples;
}

template <int Stage>
std::vector<float> StageMusic(int rate) {
    return StageMusic(rate, kStageTunes[Stage - 1]);
}

struct TKind {
    const char* name;
    std::vector<float> (*make)(int rate);
};
constexpr TKind kKinds[] = {{"click", Click},          {"tick", Tick},
                            {"chime", Chime},          {"tone", Tone},
                            {"music", Music},          {"music_game", MusicGame},
                            {"swish", Swish},          {"stage1", StageMusic<1>},
                            {"stage2", StageMusic<2>}, {"stage3", StageMusic<3>},
                            {"stage4", StageMusic<4>}, {"stage5", StageMusic<5>},
                            {"stage6", StageMusic<6>}, {"stage7", StageMusic<7>}};

}  // namespace

int main(int argc, char** argv) {
    const TKind* kind = nullptr;
    for (const TKind& k : kKinds)
        if (argc == 3 && std::strcmp(argv[1], k.name) == 0) kind = &k;
    if (!kind) {
        std::fprintf(stderr,
                     "usage: soundgen click|tick|chime|tone|swish|music|music_game|stage1..stage7 "
                     "<file.wav|file.ogg>\n");
        return 2;
    }
    const std::filesystem::path path = argv[2];
    const std::vector<float> samples = kind->make(22050);
    const std::vector<unsigned char> bytes =
        path.extension() == ".ogg" ? WriteOgg(samples, 22050) : WriteWav(samples, 22050);
    if (bytes.empty()) {
        std::fprintf(stderr, "soundgen: the encoder refused the %s\n", argv[1]);
        return 1;
    }
    return WriteOutputFile("soundgen", path, bytes) ? 0 : 1;
}
