// Builds the sample script's textures: the interface texture (Texture/0.png, 256 x 256) with the
// panel, the button and its lit variant, and the soft spark the particle systems draw, where the
// sprite infos of the sample script cut them out; and, with "cloth", the window shades' curtain
// (Texture/1.png, 256 x 512): pleated red cloth with a gold fringe along its bottom.
//
//   texturegen <output png> [cloth]

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kSize = 256;

Uint32 Argb(int a, int r, int g, int b) {
    return static_cast<Uint32>(a) << 24 | static_cast<Uint32>(r) << 16 | static_cast<Uint32>(g) << 8 |
           static_cast<Uint32>(b);
}

// A rounded plate with a light rim, filling the rectangle (w x h) it is drawn in.
Uint32 Plate(int x, int y, int w, int h, int r, int g, int b) {
    const int radius = std::min(12, h / 3);
    const int cx = std::clamp(x, radius, w - 1 - radius);
    const int cy = std::clamp(y, radius, h - 1 - radius);
    const float d = std::hypot(static_cast<float>(x - cx), static_cast<float>(y - cy));
    if (d > radius) return 0;
    const bool rim = d > radius - 2 || x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
    if (rim) return Argb(255, 240, 236, 224);
    const float shade = 1.0f - 0.35f * static_cast<float>(y) / static_cast<float>(h);
    return Argb(255, static_cast<int>(r * shade), static_cast<int>(g * shade), static_cast<int>(b * shade));
}

Uint32 Pixel(int x, int y) {
    if (y < 128) return Plate(x, y, 256, 128, 60, 90, 150);                  // panel
    if (y < 160 && x < 128) return Plate(x, y - 128, 128, 32, 180, 90, 40);  // button
    if (y < 160) return Plate(x - 128, y - 128, 128, 32, 240, 150, 60);      // button, lit
    if (y < 176 && x < 16) {                                                 // spark
        const float d = std::hypot(x - 7.5f, y - 167.5f) / 8.0f;
        const int a = static_cast<int>(255.0f * std::max(0.0f, 1.0f - d));
        return Argb(a, 255, 255, 255);
    }
    return 0;
}

constexpr int kClothWidth = 256;
constexpr int kClothHeight = 512;
constexpr int kFringe = 24;
constexpr float kPleat = 32.0f;  // pixels from one fold to the next

Uint32 Cloth(int x, int y) {
    const float pi = 3.14159265f;
    const float fold = 0.5f + 0.5f * std::sin(2.0f * pi * static_cast<float>(x) / kPleat);
    const float light = 0.45f + 0.55f * fold;
    if (y >= kClothHeight - kFringe) {
        const bool tassel = (x / 8) % 2 == 0 || y < kClothHeight - kFringe / 2;
        if (!tassel) return 0;
        return Argb(255, static_cast<int>(230 * light), static_cast<int>(180 * light),
                    static_cast<int>(60 * light));
    }
    return Argb(255, static_cast<int>(170 * light), static_cast<int>(28 * light),
                static_cast<int>(40 * light));
}

}  // namespace

int main(int argc, char** argv) {
    const bool cloth = argc == 3 && std::string(argv[2]) == "cloth";
    if (argc != 2 && !cloth) {
        std::fprintf(stderr, "usage: texturegen <output png> [cloth]\n");
        return 2;
    }
    const int width = cloth ? kClothWidth : kSize;
    const int height = cloth ? kClothHeight : kSize;
    const std::filesystem::path out = argv[1];
    std::error_code error;
    std::filesystem::create_directories(out.parent_path(), error);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) {
        std::fprintf(stderr, "texturegen: %s\n", SDL_GetError());
        return 1;
    }
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * pitch + x] = cloth ? Cloth(x, y) : Pixel(x, y);
    const bool saved = IMG_SavePNG(surface, out.string().c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) std::fprintf(stderr, "texturegen: %s: %s\n", out.string().c_str(), IMG_GetError());
    return saved ? 0 : 1;
}
