// Builds the sample start-up pictures that the publisher screen shows, splash_1.png and
// splash_2.png, and the window's icon, icon.png, in the output folder: plain drawings made of
// colour fields, frames and rings.
//
//   splashgen <output folder>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "tools/OutputFiles.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 270;

using TPaint = std::function<uint32_t(int x, int y)>;

uint32_t Mix(uint32_t a, uint32_t b, float t) {
    auto channel = [&](int shift) {
        const float ca = static_cast<float>((a >> shift) & 0xFF);
        const float cb = static_cast<float>((b >> shift) & 0xFF);
        return static_cast<uint32_t>(ca + (cb - ca) * t) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

bool Frame(int x, int y, int width) {
    return x < width || y < width || x >= kWidth - width || y >= kHeight - width;
}

// The publisher screen writes the game's title, in light letters, across every picture a little
// above its middle: from below the pictures' top band down to kTitleBottom they keep a plain dark
// ground for it to be read on.
constexpr int kTitleBottom = 150;

// A plate on a blue table, below the title's band: a light ring around a warm centre inside a white
// frame.
uint32_t Plate(int x, int y) {
    if (Frame(x, y, 6)) return 0xFFFFFFFF;
    const float dx = static_cast<float>(x - kWidth / 2);
    const float dy = static_cast<float>(y - (kTitleBottom + 56));
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r < 36.0f) return Mix(0xFFF0A030, 0xFFC05020, r / 36.0f);
    if (r < 52.0f) return 0xFFF4F0E8;
    return Mix(0xFF14305A, 0xFF1E6A8C, static_cast<float>(y) / kHeight);
}

// A check band above the title's band and three coloured bars below it, on a dark green field.
uint32_t Bars(int x, int y) {
    if (Frame(x, y, 6)) return 0xFFFFFFFF;
    if (y >= 40 && y < 72) return ((x / 16 + y / 16) % 2) ? 0xFFE8E8E8 : 0xFF303030;
    static const uint32_t kBars[] = {0xFFD83A3A, 0xFFF2C12E, 0xFF3AA655};
    if (y >= kTitleBottom + 10 && y < kHeight - 30 && x >= 60 && x < kWidth - 60) {
        const int bar = (x - 60) * 3 / (kWidth - 120);
        if ((x - 60) % ((kWidth - 120) / 3) >= 12) return kBars[bar];
    }
    return 0xFF123820;
}

// The icon: a warm plate with a light rim on a transparent ground, 32 x 32.
constexpr int kIconSize = 32;
uint32_t Icon(int x, int y) {
    const float dx = static_cast<float>(x) - 15.5f;
    const float dy = static_cast<float>(y) - 15.5f;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r < 10.0f) return Mix(0xFFF0A030, 0xFFC05020, r / 10.0f);
    if (r < 15.0f) return 0xFFF4F0E8;
    return 0x00000000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: splashgen <output folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const bool saved = WritePixelFile("splashgen", out / "splash_1.png", kWidth, kHeight, Plate) &&
                       WritePixelFile("splashgen", out / "splash_2.png", kWidth, kHeight, Bars) &&
                       WritePixelFile("splashgen", out / "icon.png", kIconSize, kIconSize, Icon);
    return saved ? 0 : 1;
}
