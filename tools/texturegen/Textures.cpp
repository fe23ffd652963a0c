#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "tools/OutputFiles.h"
#include "tools/texturegen/Pictures.h"

namespace {

uint32_t Argb(int a, int r, int g, int b) {
    return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b);
}

constexpr int kClothWidth = 256;
constexpr int kClothHeight = 512;
constexpr int kFringe = 24;
constexpr float kPleat = 32.0f;  // pixels from one fold to the next

uint32_t Cloth(int x, int y) {
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
uint32_t Dot(int x, int y, const TDotTint& tint) {
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

uint32_t MapGround(int x, int y) {
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
uint32_t PageMask(int x, int y) {
    const int cx = x - (kPageWidth - kPageCorner);
    const int cy = y < kPageCorner ? kPageCorner - y : y - (kPageHeight - 1 - kPageCorner);
    if (cx > 0 && cy > 0 && cx * cx + cy * cy > kPageCorner * kPageCorner) return 0;
    return Argb(255, 255, 255, 255);
}

int Write(const std::string& out, int width, int height, const std::function<uint32_t(int, int)>& pixel) {
    return WritePixelFile("texturegen", out, width, height, pixel) ? 0 : 1;
}

// The grey sheet: the icons' cells, greyed.
int DrawGraySheet(const std::string& out) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconsWidth, kIconsHeight);
    cairo_t* cr = cairo_create(surface);
    DrawIconCells(cr, true);
    cairo_destroy(cr);
    return WritePng(surface, out);
}

}  // namespace

int WriteTexture(const std::string& out, const std::string& kind) {
    if (const TDotTint* dot = FindDot(kind))
        return Write(out, kDotSize, kDotSize, [dot](int x, int y) { return Dot(x, y, *dot); });
    if (kind == "cloth") return Write(out, kClothWidth, kClothHeight, Cloth);
    if (kind == "gray") return DrawGraySheet(out);
    if (kind == "map_fon") return Write(out, kMapSize, kMapSize, MapGround);
    if (kind == "page") return Write(out, kPageWidth, kPageHeight, PageMask);
    return -1;
}
