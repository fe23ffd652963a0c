// Makes the sample sounds: a short click, a hover tick, a chime, a low tone and two music loops, each
// written as a 16-bit wav or as Ogg Vorbis after the file's extension.
//
//   soundgen click|tick|chime|tone|music|music_game <file.wav|file.ogg>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

#include "tests/support/SoundWriter.h"

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

struct TKind {
    const char* name;
    std::vector<float> (*make)(int rate);
};
constexpr TKind kKinds[] = {{"click", Click}, {"tick", Tick},   {"chime", Chime},
                            {"tone", Tone},   {"music", Music}, {"music_game", MusicGame},
                            {"swish", Swish}};

}  // namespace

int main(int argc, char** argv) {
    const TKind* kind = nullptr;
    for (const TKind& k : kKinds)
        if (argc == 3 && std::strcmp(argv[1], k.name) == 0) kind = &k;
    if (!kind) {
        std::fprintf(stderr,
                     "usage: soundgen click|tick|chime|tone|swish|music|music_game <file.wav|file.ogg>\n");
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
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "soundgen: can't write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
