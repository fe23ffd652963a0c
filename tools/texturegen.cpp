// Builds the sample script's textures where its sprite infos cut them out:
// - "interface" (Texture/0.png, 256 x 256): the panel, the button and its lit variant, the soft spark
//   the particle systems draw, the speech balloon and the hider's hole (64 x 64 at 192, 192: dark,
//   with a clear round middle that turns dark over its last few pixels);
// - "cloth" (Texture/1.png, 256 x 512): the window shades' curtain, pleated red cloth with a gold
//   fringe along its bottom;
// - "gray" (Texture/2.png, 128 x 64): the grey filter sheet, eight cells of 32 x 32 in two rows, each
//   its own grey (cell n is 40 + 20 n) and marked with n + 1 dots;
// - "particles", "particles_2", "particles_3" (32 x 32): the soft dots the particle systems draw as
//   points: warm for the stoves' fire, white for sparkles, gold for rewards;
// - "icons" (Texture/6.png, 128 x 64): the item icons, laid out as the grey sheet's cells, each a
//   round dish in its own colour marked with the same dots;
// - "map_fon" (Texture/7.png, 256 x 256): the progress map's tileable parchment;
// - "page" (Texture/8.png, 334 x 494): the recipe book's page shape as alpha, white paper with its
//   outer corners rounded off (transparent) on the side away from the spine;
// - "swatches" (Texture/9.png, 128 x 160): the pictures the game adds glows to, as flat blocks of
//   32 x 32 in their own colours, whose middle 16 x 16 the sprite infos cut out (the rest keeps the
//   filtered edges from taking the next block's colour): a row of the kitchen's four devices at rest,
//   one of them working, one closed (half as bright), one of the four ingredient places, and one of
//   the gold, silver and bronze cups (and a white block). A glow is added to the picture, so its
//   colour must be the picture's, not a colour the picture is multiplied by.
//
//   texturegen <output png> [cloth | gray | particles | particles_2 | particles_3 | icons | map_fon | page |
//                            swatches]

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

// A light balloon with a dark rim and round corners, filling the rectangle (w x h) it is drawn in.
Uint32 Balloon(int x, int y, int w, int h) {
    const int radius = 8;
    const int cx = std::clamp(x, radius, w - 1 - radius);
    const int cy = std::clamp(y, radius, h - 1 - radius);
    const float d = std::hypot(static_cast<float>(x - cx), static_cast<float>(y - cy));
    if (d > radius) return 0;
    const bool rim = d > radius - 1.5f || x < 1 || y < 1 || x >= w - 1 || y >= h - 1;
    return rim ? Argb(255, 40, 40, 60) : Argb(255, 250, 250, 240);
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
    if (y >= 176 && y < 200 && x < 64) return Balloon(x, y - 176, 64, 24);  // balloon
    if (y >= 192 && x >= 192) {                                             // hider's hole
        const float d = std::hypot(x - 223.5f, y - 223.5f);
        const int a = static_cast<int>(std::clamp((d - 20.0f) * 32.0f, 0.0f, 250.0f));
        return Argb(a, 4, 4, 12);
    }
    return 0;
}

constexpr int kGrayWidth = 128, kGrayHeight = 64, kGrayCell = 32;

Uint32 GrayPixel(int x, int y) {
    const int column = x / kGrayCell, row = y / kGrayCell;
    const int cell = row * (kGrayWidth / kGrayCell) + column;
    const int cx = x % kGrayCell, cy = y % kGrayCell;
    // Dots of 2 x 2 pixels, 4 apart, along the cell's top: as many as the cell's number + 1.
    const bool dot = cy >= 2 && cy < 4 && cx >= 2 && cx % 4 < 2 && (cx - 2) / 4 <= cell;
    const int grey = dot ? 0 : 40 + 20 * cell;
    return Argb(255, grey, grey, grey);
}

// The icon sheet's dishes, by cell: soup, steak, pizza, tea, bread, salad, cheese, cup.
constexpr int kIconColours[8][3] = {{220, 80, 40},  {150, 70, 40}, {240, 180, 60}, {190, 120, 60},
                                    {210, 160, 90}, {80, 190, 70}, {250, 220, 70}, {120, 170, 240}};

Uint32 IconPixel(int x, int y) {
    const int column = x / kGrayCell, row = y / kGrayCell;
    const int cell = row * (kGrayWidth / kGrayCell) + column;
    const int cx = x % kGrayCell, cy = y % kGrayCell;
    const bool dot = cy >= 2 && cy < 4 && cx >= 2 && cx % 4 < 2 && (cx - 2) / 4 <= cell;
    if (dot) return Argb(255, 0, 0, 0);
    const float d = std::hypot(cx - 15.5f, cy - 17.5f);
    if (d > 13.0f) return 0;
    const int* colour = kIconColours[cell];
    const float light = d > 11.0f ? 0.55f : 1.0f;
    return Argb(255, static_cast<int>(colour[0] * light), static_cast<int>(colour[1] * light),
                static_cast<int>(colour[2] * light));
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

constexpr int kDotSize = 32;

struct TDotTint {
    const char* kind;
    int r, g, b;
};
constexpr TDotTint kDots[] = {
    {"particles", 255, 190, 90}, {"particles_2", 255, 255, 255}, {"particles_3", 255, 220, 110}};

// A round dot, opaque at its centre and fading to nothing at its rim.
Uint32 Dot(int x, int y, const TDotTint& tint) {
    const float half = kDotSize * 0.5f;
    const float d = std::hypot(x + 0.5f - half, y + 0.5f - half) / half;
    const float a = std::max(0.0f, 1.0f - d);
    return Argb(static_cast<int>(255.0f * a * a), tint.r, tint.g, tint.b);
}

const TDotTint* FindDot(const std::string& kind) {
    for (const TDotTint& dot : kDots)
        if (kind == dot.kind) return &dot;
    return nullptr;
}

// The progress map's background: a tileable parchment of soft waves and a faint grid of paths, its
// pattern periodic over the whole square so that a drifting, wrapped texture shows no seam.
constexpr int kMapSize = 256;

Uint32 MapGround(int x, int y) {
    const float pi = 3.14159265f;
    const float u = 2.0f * pi * static_cast<float>(x) / kMapSize;
    const float v = 2.0f * pi * static_cast<float>(y) / kMapSize;
    const float wave =
        0.5f + 0.25f * std::sin(3.0f * u + std::cos(2.0f * v)) + 0.25f * std::cos(2.0f * v - u);
    const bool path = x % 64 < 2 || y % 64 < 2;
    const float light = path ? 0.55f : 0.75f + 0.25f * wave;
    return Argb(255, static_cast<int>(235 * light), static_cast<int>(205 * light),
                static_cast<int>(150 * light));
}

constexpr int kPageWidth = 334, kPageHeight = 494, kPageCorner = 24;

// The spine is the page's left edge as it is drawn into a leaf's texture.
Uint32 PageMask(int x, int y) {
    const int cx = x - (kPageWidth - kPageCorner);
    const int cy = y < kPageCorner ? kPageCorner - y : y - (kPageHeight - 1 - kPageCorner);
    if (cx > 0 && cy > 0 && cx * cx + cy * cy > kPageCorner * kPageCorner) return 0;
    return Argb(255, 255, 255, 255);
}

// The swatches, row by row: the saucepan, griddle, microwave and electric stove at rest, the same
// working, the same closed; the bread, salad, cheese and cup places; the cups of places 1 to 3.
constexpr int kCell = 32;
constexpr int kSwatchWidth = 4 * kCell;
constexpr int kSwatchHeight = 5 * kCell;
constexpr int kDeviceRest[4][3] = {{90, 110, 160}, {70, 70, 80}, {220, 220, 210}, {40, 40, 50}};
constexpr int kDeviceWork[4][3] = {{255, 200, 120}, {255, 120, 60}, {255, 255, 150}, {255, 60, 20}};
constexpr int kPlaces[4][3] = {{200, 160, 90}, {90, 200, 80}, {240, 220, 80}, {230, 230, 240}};
constexpr int kCups[4][3] = {{240, 200, 40}, {200, 200, 210}, {200, 120, 60}, {255, 255, 255}};

Uint32 SwatchPixel(int x, int y) {
    const int column = x / kCell;
    const int row = y / kCell;
    const int* c = row == 0 || row == 2 ? kDeviceRest[column]
                   : row == 1           ? kDeviceWork[column]
                   : row == 3           ? kPlaces[column]
                                        : kCups[column];
    const int divisor = row == 2 ? 2 : 1;
    return Argb(255, c[0] / divisor, c[1] / divisor, c[2] / divisor);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 3 ? argv[2] : "";
    const bool gray = kind == "gray";
    const bool cloth = kind == "cloth";
    const bool icons = kind == "icons";
    const TDotTint* dot = FindDot(kind);
    const bool map = kind == "map_fon";
    const bool page = kind == "page";
    const bool swatches = kind == "swatches";
    if (argc != 2 && !gray && !cloth && !dot && !icons && !map && !page && !swatches) {
        std::fprintf(stderr,
                     "usage: texturegen <output png> [cloth | gray | particles | particles_2 | particles_3 | "
                     "icons | map_fon | page | swatches]\n");
        return 2;
    }
    const int width = dot             ? kDotSize
                      : gray || icons ? kGrayWidth
                      : cloth         ? kClothWidth
                      : map           ? kMapSize
                      : page          ? kPageWidth
                      : swatches      ? kSwatchWidth
                                      : kSize;
    const int height = dot             ? kDotSize
                       : gray || icons ? kGrayHeight
                       : cloth         ? kClothHeight
                       : map           ? kMapSize
                       : page          ? kPageHeight
                       : swatches      ? kSwatchHeight
                                       : kSize;
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
        for (int x = 0; x < width; ++x)
            pixels[y * pitch + x] = dot     ? Dot(x, y, *dot)
                                    : gray  ? GrayPixel(x, y)
                                    : icons ? IconPixel(x, y)
                                    : cloth ? Cloth(x, y)
                                    : map   ? MapGround(x, y)
                                    : page     ? PageMask(x, y)
                                    : swatches ? SwatchPixel(x, y)
                                               : Pixel(x, y);
    const bool saved = IMG_SavePNG(surface, out.string().c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) std::fprintf(stderr, "texturegen: %s: %s\n", out.string().c_str(), IMG_GetError());
    return saved ? 0 : 1;
}
