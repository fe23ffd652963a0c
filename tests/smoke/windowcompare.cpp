// Compares a capture of the game's X window (an XWD file) with the picture the game drew (a PNG):
// the picture is expected whole in the window, scaled by one factor and centred, with black bars on
// the sides left over. Both are reduced to 80x60 and compared channel by channel; the bars must be
// black. Prints the figures; exits 1 when they differ by more than the limits, 2 on unreadable files.
// Usage: windowcompare PICTURE.png WINDOW.xwd [MAX_PERCENT]
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/PictureFit.h"

namespace {

constexpr int kReducedWidth = 80;
constexpr int kReducedHeight = 60;
// The bars' mean brightness may not pass this share of white.
constexpr double kBarLimit = 0.02;

struct tagImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const {
        return rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

bool LoadPng(const char* path, tagImage& image) {
    SDL_Surface* loaded = IMG_Load(path);
    if (!loaded) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return false;
    image.width = argb->w;
    image.height = argb->h;
    image.rgb.resize(static_cast<size_t>(argb->w) * static_cast<size_t>(argb->h));
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            image.rgb[static_cast<size_t>(y) * static_cast<size_t>(argb->w) + static_cast<size_t>(x)] =
                row[x] & 0xFFFFFF;
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

uint32_t Word(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
           static_cast<uint8_t>(bytes[at + 3]);
}

uint32_t Channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const uint32_t value = (pixel & mask) >> shift;
    const uint32_t top = mask >> shift;
    return top == 255 ? value : value * 255 / top;
}

// A true-colour ZPixmap of 24 or 32 bits a pixel, as xwd writes the windows of a 24-bit server.
bool LoadXwd(const char* path, tagImage& image, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 100) return (why = "too short"), false;
    const uint32_t headerSize = Word(bytes, 0), format = Word(bytes, 8), width = Word(bytes, 16),
                   height = Word(bytes, 20), byteOrder = Word(bytes, 28), bits = Word(bytes, 44),
                   rowBytes = Word(bytes, 48), red = Word(bytes, 56), green = Word(bytes, 60),
                   blue = Word(bytes, 64), colours = Word(bytes, 76);
    if (format != 2 || (bits != 32 && bits != 24) || width == 0 || height == 0 || width > 16384 ||
        height > 16384)
        return (why = "not a 24- or 32-bit ZPixmap"), false;
    const size_t start = static_cast<size_t>(headerSize) + static_cast<size_t>(colours) * 12;
    if (start + static_cast<size_t>(rowBytes) * height > bytes.size()) return (why = "cut short"), false;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<size_t>(width) * height);
    const size_t step = bits / 8;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = start + static_cast<size_t>(y) * rowBytes + x * step;
            uint32_t pixel = 0;
            for (size_t k = 0; k < step; ++k) {
                const uint32_t byte = static_cast<uint8_t>(bytes[at + k]);
                pixel |= byteOrder == 0 ? byte << (8 * k) : byte << (8 * (step - 1 - k));
            }
            image.rgb[static_cast<size_t>(y) * width + x] =
                Channel(pixel, red) << 16 | Channel(pixel, green) << 8 | Channel(pixel, blue);
        }
    }
    return true;
}

// The mean colour of each of the 80x60 cells of the rectangle, as three doubles per cell.
std::vector<double> Reduce(const tagImage& image, int left, int top, int width, int height) {
    std::vector<double> cells(kReducedWidth * kReducedHeight * 3, 0.0);
    for (int cy = 0; cy < kReducedHeight; ++cy) {
        for (int cx = 0; cx < kReducedWidth; ++cx) {
            const int x0 = left + cx * width / kReducedWidth, x1 = left + (cx + 1) * width / kReducedWidth;
            const int y0 = top + cy * height / kReducedHeight, y1 = top + (cy + 1) * height / kReducedHeight;
            double sum[3] = {};
            int count = 0;
            for (int y = y0; y < std::max(y1, y0 + 1); ++y)
                for (int x = x0; x < std::max(x1, x0 + 1); ++x, ++count) {
                    const uint32_t pixel =
                        image.At(std::min(x, image.width - 1), std::min(y, image.height - 1));
                    sum[0] += pixel >> 16 & 0xFF, sum[1] += pixel >> 8 & 0xFF, sum[2] += pixel & 0xFF;
                }
            for (int c = 0; c < 3; ++c) cells[(cy * kReducedWidth + cx) * 3 + c] = sum[c] / count;
        }
    }
    return cells;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: windowcompare PICTURE.png WINDOW.xwd [MAX_PERCENT]\n");
        return 2;
    }
    const double limit = argc > 3 ? std::atof(argv[3]) / 100.0 : 0.04;
    tagImage picture, window;
    std::string why;
    if (!LoadPng(argv[1], picture)) {
        std::fprintf(stderr, "windowcompare: can't read %s: %s\n", argv[1], IMG_GetError());
        return 2;
    }
    if (!LoadXwd(argv[2], window, why)) {
        std::fprintf(stderr, "windowcompare: can't read %s: %s\n", argv[2], why.c_str());
        return 2;
    }
    const Engine::tagPictureFit fit =
        Engine::FitPicture(picture.width, picture.height, window.width, window.height);
    const std::vector<double> drawn = Reduce(picture, 0, 0, picture.width, picture.height);
    const std::vector<double> shown = Reduce(window, fit.x, fit.y, fit.width, fit.height);
    double difference[3] = {};
    for (size_t i = 0; i < drawn.size(); ++i) difference[i % 3] += std::fabs(drawn[i] - shown[i]);
    double worst = 0;
    for (double& channel : difference) {
        channel /= (drawn.size() / 3) * 255.0;
        worst = std::max(worst, channel);
    }
    double bars = 0;
    long barPixels = 0;
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x) {
            if (x >= fit.x && x < fit.x + fit.width && y >= fit.y && y < fit.y + fit.height) continue;
            const uint32_t pixel = window.At(x, y);
            bars += ((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF)) / (3 * 255.0);
            ++barPixels;
        }
    if (barPixels) bars /= static_cast<double>(barPixels);
    std::printf("picture %dx%d, window %dx%d, picture at %d,%d %dx%d, difference R %.2f%% G %.2f%% B %.2f%%",
                picture.width, picture.height, window.width, window.height, fit.x, fit.y, fit.width,
                fit.height, 100 * difference[0], 100 * difference[1], 100 * difference[2]);
    if (barPixels) std::printf(", bars %ld pixels at %.2f%% brightness", barPixels, 100 * bars);
    std::printf("\n");
    return worst <= limit && bars <= kBarLimit ? 0 : 1;
}
