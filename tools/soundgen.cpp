// Makes the sample sounds: a short click (a 16-bit wav) and a music loop (Ogg Vorbis).
//
//   soundgen click <file.wav>
//   soundgen music <file.ogg>

#include <algorithm>
#include <cmath>
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

// Eight notes of half a second on a pentatonic scale with a quiet fifth above; every note fades in
// and out, so the loop joins without a click.
std::vector<float> Music(int rate) {
    const float notes[] = {261.63f, 293.66f, 329.63f, 392.00f, 440.00f, 392.00f, 329.63f, 293.66f};
    const int noteLength = rate / 2;
    const int ramp = rate / 50;
    std::vector<float> samples;
    samples.reserve(static_cast<std::size_t>(noteLength) * std::size(notes));
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "click") != 0 && std::strcmp(argv[1], "music") != 0)) {
        std::fprintf(stderr, "usage: soundgen click <file.wav> | soundgen music <file.ogg>\n");
        return 2;
    }
    const bool click = std::strcmp(argv[1], "click") == 0;
    const std::vector<unsigned char> bytes =
        click ? WriteWav(Click(22050), 22050) : WriteOgg(Music(22050), 22050);
    if (bytes.empty()) {
        std::fprintf(stderr, "soundgen: the encoder refused the %s\n", argv[1]);
        return 1;
    }
    const std::filesystem::path path = argv[2];
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "soundgen: can't write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
