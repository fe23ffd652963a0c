// Builds the sample script's textures where its sprite infos cut them out:
// - "sheet" (Texture/0.png): every picture the menus, the kitchen, the mini-games and the result screens
//   draw, packed on one sheet so that a frame draws from it in few calls (see SheetPictures for what is
//   on it). The pictures are drawn with cairo and packed by stb_rect_pack beside and under the item
//   icons, which keep the sheet's top left as cells of the grey sheet's layout. `--script` prints the
//   sprite infos that address the pictures; `--places <listing>` writes where they lie beside the sheet,
//   so that scriptcheck refuses a script whose sprite infos cut the sheet anywhere else;
// - "cloth" (Texture/1.png, 256 x 512): the window shades' curtain, pleated red cloth with a gold
//   fringe along its bottom;
// - "gray" (Texture/2.png, 128 x 64): the grey filter sheet, the item icons greyed in the cells where
//   they lie on the picture sheet;
// - "particles", "particles_2", "particles_3" (32 x 32): the soft dots the particle systems draw as
//   points: warm for the stoves' fire, white for sparkles, gold for rewards;
// - "map_fon" (256 x 256): the progress map's tileable parchment;
// - "page" (334 x 494): the recipe book's page shape as alpha, white paper with its outer corners
//   rounded off (transparent) on the side away from the spine.
//
// A glow is added to the picture it lights, so a picture that glows (the devices, the places, the
// cups, the mini-games' objects) is drawn in its own colours and shown in white, never as a grey the
// script multiplies by a colour.
//
//   texturegen <output png> sheet [--script | --places <listing>]
//   texturegen <output png> cloth | gray | particles | particles_2 | particles_3 | map_fon | page

#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>

#define STB_RECT_PACK_IMPLEMENTATION
#include <stb/stb_rect_pack.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979;

// ---- drawing helpers (cairo) ----

struct TColour {
    double r, g, b, a = 1.0;
};

TColour Rgb(int r, int g, int b, double a = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
}

TColour Shade(TColour c, double f) {
    return {std::min(1.0, c.r * f), std::min(1.0, c.g * f), std::min(1.0, c.b * f), c.a};
}

void Set(cairo_t* cr, TColour c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// Fills the current path with a top-to-bottom gradient from `top` to `bottom`, keeps the path.
void FillVertical(cairo_t* cr, double y0, double y1, TColour top, TColour bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

// Fills the current path with a left-to-right shine over `w`: `edge` at the left, `light` a third
// of the way in, `far` at the right. Keeps the path.
void FillShine(cairo_t* cr, double w, TColour edge, TColour light, TColour far) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, edge.r, edge.g, edge.b, edge.a);
    cairo_pattern_add_color_stop_rgba(p, 0.35, light.r, light.g, light.b, light.a);
    cairo_pattern_add_color_stop_rgba(p, 1, far.r, far.g, far.b, far.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

void Outline(cairo_t* cr, TColour c, double width) {
    Set(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillOutline(cairo_t* cr, TColour fill, TColour line, double width) {
    Set(cr, fill);
    cairo_fill_preserve(cr);
    Outline(cr, line, width);
}

// A soft radial glow about (cx, cy).
void Glow(cairo_t* cr, double cx, double cy, double radius, TColour c) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Rewrites each pixel of the picture's w x h area (from the current origin) on the target surface,
// given its position in the picture; the pixels are cairo's premultiplied ARGB words.
void ForEachPixel(cairo_t* cr, double w, double h, const std::function<void(int, int, uint32_t&)>& change) {
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    double ox = 0, oy = 0;
    cairo_user_to_device(cr, &ox, &oy);
    for (int y = 0; y < static_cast<int>(h); ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(data + (static_cast<int>(oy) + y) * stride) + static_cast<int>(ox);
        for (int x = 0; x < static_cast<int>(w); ++x) change(x, y, row[x]);
    }
    cairo_surface_mark_dirty(target);
}

const TColour kInk = Rgb(50, 35, 30);

// ---- the item icons: one drawing per item, in a box of `s` pixels ----

enum class EItem { Soup, Steak, Pizza, Tea, Bread, Salad, Cheese, Cup };

void Steam(cairo_t* cr, double s, double x, double y) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = -1; i <= 1; ++i) {
        const double cx = x + i * s * 0.14;
        cairo_move_to(cr, cx, y);
        cairo_curve_to(cr, cx - s * 0.06, y - s * 0.07, cx + s * 0.06, y - s * 0.12, cx, y - s * 0.2);
    }
    Outline(cr, Rgb(255, 255, 255, 0.8), s * 0.045);
}

void Bowl(cairo_t* cr, double s, TColour inside, TColour bowl) {
    const double w = s / 32.0;
    cairo_move_to(cr, s * 0.1, s * 0.5);
    cairo_curve_to(cr, s * 0.12, s * 0.82, s * 0.88, s * 0.82, s * 0.9, s * 0.5);
    cairo_close_path(cr);
    FillOutline(cr, bowl, kInk, 1.2 * w);
    Ellipse(cr, s * 0.5, s * 0.5, s * 0.4, s * 0.12);
    FillOutline(cr, inside, kInk, 1.0 * w);
}

void DrawItem(cairo_t* cr, EItem item, double s) {
    const double w = s / 32.0;  // a line's width at 32 pixels
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (item) {
        case EItem::Soup:
            Bowl(cr, s, Rgb(225, 90, 40), Rgb(245, 240, 225));
            Ellipse(cr, s * 0.4, s * 0.48, s * 0.06, s * 0.03);
            Set(cr, Rgb(250, 200, 80));
            cairo_fill(cr);
            Steam(cr, s, s * 0.5, s * 0.34);
            break;
        case EItem::Steak:
            cairo_move_to(cr, s * 0.15, s * 0.55);
            cairo_curve_to(cr, s * 0.1, s * 0.25, s * 0.6, s * 0.15, s * 0.85, s * 0.35);
            cairo_curve_to(cr, s * 0.98, s * 0.5, s * 0.8, s * 0.85, s * 0.5, s * 0.8);
            cairo_curve_to(cr, s * 0.3, s * 0.78, s * 0.18, s * 0.72, s * 0.15, s * 0.55);
            cairo_close_path(cr);
            FillVertical(cr, s * 0.2, s * 0.8, Rgb(175, 80, 50), Rgb(120, 50, 30));
            Outline(cr, kInk, 1.2 * w);
            Ellipse(cr, s * 0.66, s * 0.45, s * 0.09, s * 0.08);
            FillOutline(cr, Rgb(250, 240, 220), kInk, 0.8 * w);
            for (int i = 0; i < 3; ++i) {
                cairo_move_to(cr, s * (0.25 + 0.12 * i), s * 0.68);
                cairo_line_to(cr, s * (0.38 + 0.12 * i), s * 0.4);
            }
            Outline(cr, Rgb(70, 30, 20), 1.4 * w);
            break;
        case EItem::Pizza:
            cairo_arc(cr, s * 0.5, s * 0.55, s * 0.4, 0, 2 * kPi);
            FillOutline(cr, Rgb(225, 160, 70), kInk, 1.2 * w);
            cairo_arc(cr, s * 0.5, s * 0.55, s * 0.32, 0, 2 * kPi);
            Set(cr, Rgb(250, 215, 80));
            cairo_fill(cr);
            for (int i = 0; i < 5; ++i) {
                const double a = i * 2 * kPi / 5 + 0.3;
                const double x = s * (0.5 + 0.18 * std::cos(a)), y = s * (0.55 + 0.18 * std::sin(a));
                cairo_arc(cr, x, y, s * 0.06, 0, 2 * kPi);
                Set(cr, Rgb(200, 40, 35));
                cairo_fill(cr);
            }
            cairo_arc(cr, s * 0.5, s * 0.55, s * 0.05, 0, 2 * kPi);
            Set(cr, Rgb(60, 140, 50));
            cairo_fill(cr);
            break;
        case EItem::Tea:
            Ellipse(cr, s * 0.48, s * 0.8, s * 0.4, s * 0.09);
            FillOutline(cr, Rgb(240, 240, 235), kInk, 1.0 * w);
            cairo_arc(cr, s * 0.78, s * 0.55, s * 0.11, -kPi / 2, kPi / 2);
            Outline(cr, kInk, 3.0 * w);
            cairo_move_to(cr, s * 0.2, s * 0.38);
            cairo_line_to(cr, s * 0.76, s * 0.38);
            cairo_curve_to(cr, s * 0.74, s * 0.7, s * 0.66, s * 0.78, s * 0.48, s * 0.78);
            cairo_curve_to(cr, s * 0.3, s * 0.78, s * 0.22, s * 0.7, s * 0.2, s * 0.38);
            cairo_close_path(cr);
            FillOutline(cr, Rgb(250, 250, 245), kInk, 1.2 * w);
            Ellipse(cr, s * 0.48, s * 0.4, s * 0.26, s * 0.06);
            Set(cr, Rgb(170, 100, 45));
            cairo_fill(cr);
            Steam(cr, s, s * 0.48, s * 0.3);
            break;
        case EItem::Bread:
            cairo_move_to(cr, s * 0.1, s * 0.72);
            cairo_curve_to(cr, s * 0.05, s * 0.3, s * 0.95, s * 0.3, s * 0.9, s * 0.72);
            cairo_close_path(cr);
            FillVertical(cr, s * 0.3, s * 0.72, Rgb(225, 165, 85), Rgb(180, 115, 50));
            Outline(cr, kInk, 1.2 * w);
            for (int i = 0; i < 3; ++i) {
                cairo_move_to(cr, s * (0.28 + 0.17 * i), s * 0.58);
                cairo_line_to(cr, s * (0.38 + 0.17 * i), s * 0.42);
            }
            Outline(cr, Rgb(250, 220, 160), 1.6 * w);
            break;
        case EItem::Salad:
            for (int i = 0; i < 5; ++i) {
                const double cx = s * (0.25 + 0.125 * i), cy = s * (0.42 - 0.06 * (i % 2));
                Ellipse(cr, cx, cy, s * 0.12, s * 0.09);
                FillOutline(cr, i % 2 ? Rgb(120, 200, 70) : Rgb(70, 165, 60), Rgb(30, 80, 30), 0.8 * w);
            }
            cairo_arc(cr, s * 0.62, s * 0.4, s * 0.06, 0, 2 * kPi);
            Set(cr, Rgb(220, 50, 40));
            cairo_fill(cr);
            Bowl(cr, s, Rgb(90, 180, 70), Rgb(240, 235, 220));
            break;
        case EItem::Cheese:
            cairo_move_to(cr, s * 0.1, s * 0.72);
            cairo_line_to(cr, s * 0.9, s * 0.72);
            cairo_line_to(cr, s * 0.9, s * 0.45);
            cairo_line_to(cr, s * 0.3, s * 0.28);
            cairo_close_path(cr);
            FillVertical(cr, s * 0.28, s * 0.72, Rgb(255, 230, 90), Rgb(240, 190, 50));
            Outline(cr, kInk, 1.2 * w);
            for (const auto& [x, y, r] : {std::array<double, 3>{0.45, 0.58, 0.06},
                                          {0.7, 0.6, 0.05},
                                          {0.6, 0.47, 0.035},
                                          {0.28, 0.63, 0.035}}) {
                cairo_arc(cr, s * x, s * y, s * r, 0, 2 * kPi);
                Set(cr, Rgb(215, 160, 40));
                cairo_fill(cr);
            }
            break;
        case EItem::Cup:
            cairo_move_to(cr, s * 0.22, s * 0.22);
            cairo_line_to(cr, s * 0.72, s * 0.22);
            cairo_line_to(cr, s * 0.66, s * 0.85);
            cairo_line_to(cr, s * 0.28, s * 0.85);
            cairo_close_path(cr);
            FillVertical(cr, s * 0.22, s * 0.85, Rgb(150, 195, 250), Rgb(80, 130, 220));
            Outline(cr, kInk, 1.2 * w);
            cairo_arc(cr, s * 0.74, s * 0.5, s * 0.12, -kPi / 2, kPi / 2);
            Outline(cr, kInk, 2.6 * w);
            Ellipse(cr, s * 0.47, s * 0.22, s * 0.25, s * 0.05);
            FillOutline(cr, Rgb(210, 230, 255), kInk, 0.8 * w);
            cairo_move_to(cr, s * 0.33, s * 0.35);
            cairo_line_to(cr, s * 0.36, s * 0.75);
            Outline(cr, Rgb(255, 255, 255, 0.7), 1.6 * w);
            break;
    }
    cairo_restore(cr);
}

// The icons' order on the sheet's grey cells: soup, steak, pizza, tea, bread, salad, cheese, cup.
constexpr const char* kIconNames[8] = {"soup", "steak", "pizza", "tea", "bread", "salad", "cheese", "cup"};
EItem IconItem(int n) {
    return static_cast<EItem>(n);
}

// ---- the pictures of the sheet ----

struct TPicture {
    std::string name;
    int w, h;
    std::function<void(cairo_t*, double w, double h)> draw;
    int pad = 2;  // transparent (or, for flat fills, same-coloured) margin around the picture
};

// A rounded plate with a light rim and a soft gradient: the panel and the buttons.
void Plate(cairo_t* cr, double w, double h, TColour c) {
    const double r = std::min(12.0, h / 3);
    RoundRect(cr, 1, 1, w - 2, h - 2, r);
    FillVertical(cr, 0, h, Shade(c, 1.15), Shade(c, 0.7));
    Outline(cr, Rgb(240, 236, 224), 2.0);
}

void Balloon(cairo_t* cr, double w, double h) {
    RoundRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 8);
    FillOutline(cr, Rgb(250, 250, 240), Rgb(40, 40, 60), 1.5);
}

void Hole(cairo_t* cr, double w, double h) {
    // The hole's edge is soft: drawn per pixel about the centre, as the hider's darkness joins it.
    ForEachPixel(cr, w, h, [](int x, int y, uint32_t& px) {
        const double d = std::hypot(x - 31.5, y - 31.5);
        const int a = static_cast<int>(std::clamp((d - 20.0) * 32.0, 0.0, 250.0));
        // premultiplied ARGB
        px = static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(4 * a / 255) << 16 |
             static_cast<uint32_t>(4 * a / 255) << 8 | static_cast<uint32_t>(12 * a / 255);
    });
}

// The devices, each in its rest, work and closed look (the closed one half as bright), in mid tones:
// the glow under the mouse lifts a device half-way to white, which a light picture would hardly show.
enum class ELook { Rest, Work, Closed };

void Saucepan(cairo_t* cr, double w, double h, ELook look) {
    const bool work = look == ELook::Work;
    if (work) Glow(cr, w / 2, h * 0.9, w * 0.45, Rgb(255, 140, 40, 0.9));
    // handles
    RoundRect(cr, w * 0.02, h * 0.42, w * 0.16, h * 0.08, 3);
    RoundRect(cr, w * 0.82, h * 0.42, w * 0.16, h * 0.08, 3);
    FillOutline(cr, Rgb(60, 60, 70), kInk, 1.2);
    // body
    cairo_move_to(cr, w * 0.14, h * 0.36);
    cairo_line_to(cr, w * 0.86, h * 0.36);
    cairo_line_to(cr, w * 0.82, h * 0.86);
    cairo_curve_to(cr, w * 0.7, h * 0.93, w * 0.3, h * 0.93, w * 0.18, h * 0.86);
    cairo_close_path(cr);
    FillShine(cr, w, {0.35, 0.42, 0.6}, {0.75, 0.8, 0.92}, {0.3, 0.36, 0.52});
    Outline(cr, kInk, 1.5);
    // rim and what is inside
    Ellipse(cr, w / 2, h * 0.36, w * 0.36, h * 0.08);
    FillOutline(cr, work ? Rgb(230, 100, 40) : Rgb(60, 70, 90), kInk, 1.5);
    if (work) {
        for (const double x : {0.38, 0.55, 0.66}) {
            cairo_arc(cr, w * x, h * 0.35, w * 0.03, 0, 2 * kPi);
            Set(cr, Rgb(255, 200, 120));
            cairo_fill(cr);
        }
        Steam(cr, w, w * 0.5, h * 0.24);
    }
}

void Griddle(cairo_t* cr, double w, double h, ELook look) {
    const bool work = look == ELook::Work;
    // legs
    for (const double x : {0.12, 0.82}) {
        cairo_rectangle(cr, w * x, h * 0.6, w * 0.06, h * 0.36);
        FillOutline(cr, Rgb(50, 50, 55), kInk, 1.0);
    }
    // the plate seen from above: a slanted dark slab with grill bars
    cairo_move_to(cr, w * 0.12, h * 0.18);
    cairo_line_to(cr, w * 0.88, h * 0.18);
    cairo_line_to(cr, w * 0.97, h * 0.62);
    cairo_line_to(cr, w * 0.03, h * 0.62);
    cairo_close_path(cr);
    FillVertical(cr, h * 0.18, h * 0.62, Rgb(90, 90, 100), Rgb(45, 45, 52));
    Outline(cr, kInk, 1.5);
    cairo_rectangle(cr, w * 0.03, h * 0.62, w * 0.94, h * 0.1);
    FillOutline(cr, Rgb(35, 35, 40), kInk, 1.2);
    for (int i = 1; i < 6; ++i) {
        const double t = i / 6.0;
        cairo_move_to(cr, w * (0.12 + 0.76 * t - 0.09 * (1 - t) * 0), h * 0.21);
        cairo_line_to(cr, w * (0.05 + 0.9 * t), h * 0.59);
    }
    Outline(cr, work ? Rgb(255, 110, 40) : Rgb(120, 120, 130), work ? 2.0 : 1.2);
    if (work) {
        Ellipse(cr, w * 0.5, h * 0.4, w * 0.2, h * 0.1);
        FillOutline(cr, Rgb(150, 65, 40), kInk, 1.0);
        Steam(cr, w, w * 0.5, h * 0.3);
    }
    // the knob
    cairo_arc(cr, w * 0.5, h * 0.67, h * 0.035, 0, 2 * kPi);
    Set(cr, work ? Rgb(255, 80, 40) : Rgb(150, 150, 160));
    cairo_fill(cr);
}

void Microwave(cairo_t* cr, double w, double h, ELook look) {
    const bool work = look == ELook::Work;
    RoundRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 3);
    FillVertical(cr, 0, h, Rgb(80, 160, 155), Rgb(50, 115, 115));
    Outline(cr, kInk, 1.5);
    // the window
    RoundRect(cr, w * 0.1, h * 0.2, w * 0.6, h * 0.6, 3);
    if (work)
        FillVertical(cr, h * 0.2, h * 0.8, Rgb(255, 240, 150), Rgb(250, 190, 70));
    else
        FillVertical(cr, h * 0.2, h * 0.8, Rgb(70, 80, 90), Rgb(30, 35, 40));
    Outline(cr, kInk, 1.2);
    if (work) {
        Ellipse(cr, w * 0.4, h * 0.66, w * 0.2, h * 0.06);
        FillOutline(cr, Rgb(255, 255, 255), kInk, 0.8);
    } else {
        cairo_move_to(cr, w * 0.16, h * 0.3);
        cairo_line_to(cr, w * 0.3, h * 0.3);
        Outline(cr, Rgb(255, 255, 255, 0.5), 1.5);
    }
    // the panel: a display and two knobs
    cairo_rectangle(cr, w * 0.75, h * 0.2, w * 0.15, h * 0.12);
    Set(cr, work ? Rgb(80, 230, 90) : Rgb(40, 60, 40));
    cairo_fill(cr);
    for (const double y : {0.48, 0.68}) {
        cairo_arc(cr, w * 0.825, h * y, w * 0.05, 0, 2 * kPi);
        FillOutline(cr, Rgb(120, 120, 130), kInk, 1.0);
    }
}

void Stove(cairo_t* cr, double w, double h, ELook look) {
    const bool work = look == ELook::Work;
    // the oven front
    cairo_rectangle(cr, w * 0.06, h * 0.42, w * 0.88, h * 0.54);
    FillVertical(cr, h * 0.42, h * 0.96, Rgb(200, 85, 60), Rgb(150, 55, 40));
    Outline(cr, kInk, 1.5);
    RoundRect(cr, w * 0.16, h * 0.6, w * 0.68, h * 0.3, 3);
    FillOutline(cr, work ? Rgb(120, 50, 30) : Rgb(60, 60, 70), kInk, 1.2);
    cairo_move_to(cr, w * 0.25, h * 0.56);
    cairo_line_to(cr, w * 0.75, h * 0.56);
    Outline(cr, Rgb(110, 110, 120), 2.0);
    // the top with four burners
    cairo_move_to(cr, w * 0.12, h * 0.06);
    cairo_line_to(cr, w * 0.88, h * 0.06);
    cairo_line_to(cr, w * 0.94, h * 0.42);
    cairo_line_to(cr, w * 0.06, h * 0.42);
    cairo_close_path(cr);
    FillOutline(cr, Rgb(40, 40, 48), kInk, 1.5);
    for (const auto& [x, y] : {std::array<double, 2>{0.3, 0.15}, {0.7, 0.15}, {0.28, 0.32}, {0.72, 0.32}}) {
        Ellipse(cr, w * x, h * y, w * 0.13, h * 0.055);
        if (work) {
            Set(cr, Rgb(255, 70, 25));
            cairo_fill_preserve(cr);
            Outline(cr, Rgb(255, 190, 80), 1.5);
        } else {
            FillOutline(cr, Rgb(70, 70, 80), Rgb(120, 120, 130), 1.2);
        }
    }
}

void DrawDevice(cairo_t* cr, int device, double w, double h, ELook look) {
    switch (device) {
        case 0:
            Saucepan(cr, w, h, look);
            break;
        case 1:
            Griddle(cr, w, h, look);
            break;
        case 2:
            Microwave(cr, w, h, look);
            break;
        default:
            Stove(cr, w, h, look);
            break;
    }
}

// Halves the colour of everything drawn so far in the picture: the closed look.
void Darken(cairo_t* cr, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Turns everything drawn in the picture grey, keeping its lightness: the greyed item icons.
void Desaturate(cairo_t* cr, double w, double h) {
    ForEachPixel(cr, w, h, [](int, int, uint32_t& px) {
        const uint32_t v = px;
        const int r = v >> 16 & 0xFF, g = v >> 8 & 0xFF, b = v & 0xFF;
        const int grey = (r * 3 + g * 5 + b * 2) / 10;
        px = (v & 0xFF000000u) | static_cast<uint32_t>(grey) << 16 | static_cast<uint32_t>(grey) << 8 |
             static_cast<uint32_t>(grey);
    });
}

// An ingredient place: a wooden crate with its item on it, as the icon shows it.
void CrateBox(cairo_t* cr, double w, double h) {
    RoundRect(cr, w * 0.04, h * 0.45, w * 0.92, h * 0.5, 3);
    FillVertical(cr, h * 0.45, h * 0.95, Rgb(200, 145, 85), Rgb(150, 100, 55));
    Outline(cr, kInk, 1.5);
    cairo_move_to(cr, w * 0.06, h * 0.7);
    cairo_line_to(cr, w * 0.94, h * 0.7);
    Outline(cr, Rgb(120, 80, 45), 1.2);
}

// A crate heaped with lumps of brown cane sugar.
void SugarCrate(cairo_t* cr, double w, double h) {
    const double lump = w * 0.16;
    const double rows[][3] = {{0.2, 0.32, 4}, {0.28, 0.18, 3}, {0.36, 0.05, 2}};
    for (const auto& row : rows)
        for (int i = 0; i < static_cast<int>(row[2]); ++i) {
            RoundRect(cr, w * row[0] + i * lump * 1.05, h * row[1] + lump * 0.2, lump, lump, 1.5);
            FillOutline(cr, i % 2 ? Rgb(180, 120, 60) : Rgb(200, 140, 75), kInk, 1.0);
        }
    CrateBox(cr, w, h);
}

void Crate(cairo_t* cr, double w, double h, EItem item) {
    CrateBox(cr, w, h);
    const double s = std::min(w, h) * 0.78;
    cairo_save(cr);
    cairo_translate(cr, (w - s) / 2, h * 0.02);
    DrawItem(cr, item, s);
    cairo_restore(cr);
}

// The heroine's figure without her dress: hair, face, arms, legs and shoes, 64 x 224, from the top of
// her hair to her soles the whole height of the picture.
void HeroineBody(cairo_t* cr, double w, double h) {
    const TColour skin = Rgb(245, 205, 170), hair = Rgb(120, 70, 40);
    // legs and shoes
    for (const double x : {0.36, 0.56}) {
        cairo_rectangle(cr, w * x, h * 0.7, w * 0.09, h * 0.24);
        FillOutline(cr, skin, kInk, 1.2);
        Ellipse(cr, w * (x + 0.05), h * 0.975, w * 0.1, h * 0.022);
        FillOutline(cr, Rgb(90, 40, 40), kInk, 1.0);
    }
    // arms
    for (const double x : {0.14, 0.76}) {
        RoundRect(cr, w * x, h * 0.26, w * 0.1, h * 0.3, 4);
        FillOutline(cr, skin, kInk, 1.2);
    }
    // neck, head, hair with its bun
    cairo_rectangle(cr, w * 0.44, h * 0.17, w * 0.12, h * 0.05);
    FillOutline(cr, skin, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.035, w * 0.12, 0, 2 * kPi);
    FillOutline(cr, hair, kInk, 1.2);
    Ellipse(cr, w * 0.5, h * 0.11, w * 0.2, h * 0.065);
    FillOutline(cr, skin, kInk, 1.2);
    cairo_move_to(cr, w * 0.29, h * 0.1);
    cairo_curve_to(cr, w * 0.3, h * 0.035, w * 0.7, h * 0.035, w * 0.71, h * 0.1);
    cairo_curve_to(cr, w * 0.6, h * 0.07, w * 0.4, h * 0.07, w * 0.29, h * 0.1);
    FillOutline(cr, hair, kInk, 1.0);
    for (const double x : {0.42, 0.58}) {
        cairo_arc(cr, w * x, h * 0.11, w * 0.025, 0, 2 * kPi);
        Set(cr, kInk);
        cairo_fill(cr);
    }
    cairo_arc(cr, w * 0.5, h * 0.125, w * 0.06, 0.2 * kPi, 0.8 * kPi);
    Outline(cr, Rgb(190, 60, 60), 1.2);
}

// Her dress in white and light greys: the script gives it the colour of her state and appearance.
void HeroineDress(cairo_t* cr, double w, double h) {
    cairo_move_to(cr, w * 0.3, h * 0.22);
    cairo_line_to(cr, w * 0.7, h * 0.22);
    cairo_line_to(cr, w * 0.76, h * 0.34);
    cairo_line_to(cr, w * 0.68, h * 0.4);
    cairo_line_to(cr, w * 0.9, h * 0.72);
    cairo_line_to(cr, w * 0.1, h * 0.72);
    cairo_line_to(cr, w * 0.32, h * 0.4);
    cairo_line_to(cr, w * 0.24, h * 0.34);
    cairo_close_path(cr);
    FillVertical(cr, h * 0.22, h * 0.72, Rgb(255, 255, 255), Rgb(200, 200, 200));
    Outline(cr, Rgb(60, 60, 60), 1.5);
    // a white apron and a belt
    cairo_move_to(cr, w * 0.36, h * 0.42);
    cairo_line_to(cr, w * 0.64, h * 0.42);
    cairo_line_to(cr, w * 0.7, h * 0.66);
    cairo_line_to(cr, w * 0.3, h * 0.66);
    cairo_close_path(cr);
    FillOutline(cr, Rgb(255, 255, 255), Rgb(150, 150, 150), 1.0);
    cairo_move_to(cr, w * 0.32, h * 0.4);
    cairo_line_to(cr, w * 0.68, h * 0.4);
    Outline(cr, Rgb(110, 110, 110), 2.0);
}

// The customers, each its own: shirt, hair and skin.
struct TCustomerLook {
    TColour shirt, hair, skin;
};
// The last two are the duel's: the player's customer and the rival's.
constexpr int kCustomerCount = 7;
const TCustomerLook kCustomers[kCustomerCount] = {{Rgb(70, 110, 170), Rgb(60, 45, 35), Rgb(245, 210, 175)},
                                                  {Rgb(80, 160, 80), Rgb(230, 190, 90), Rgb(250, 215, 185)},
                                                  {Rgb(190, 60, 60), Rgb(30, 30, 35), Rgb(200, 150, 110)},
                                                  {Rgb(130, 80, 160), Rgb(180, 180, 185), Rgb(240, 205, 175)},
                                                  {Rgb(230, 140, 50), Rgb(170, 70, 30), Rgb(250, 220, 190)},
                                                  {Rgb(40, 130, 140), Rgb(120, 70, 40), Rgb(225, 180, 140)},
                                                  {Rgb(60, 60, 70), Rgb(200, 60, 40), Rgb(250, 225, 200)}};

// A customer's head and shoulders in one of three moods: 0 glad, 1 calm, 2 cross (flushed).
void Customer(cairo_t* cr, double w, double h, int mood, int who = 0) {
    const TCustomerLook& look = kCustomers[who];
    const TColour skin = mood == 2 ? Shade(look.skin, 0.85) : look.skin;
    cairo_move_to(cr, w * 0.08, h);
    cairo_curve_to(cr, w * 0.1, h * 0.7, w * 0.9, h * 0.7, w * 0.92, h);
    cairo_close_path(cr);
    FillOutline(cr, look.shirt, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.42, w * 0.26, 0, 2 * kPi);
    FillOutline(cr, mood == 2 ? TColour{skin.r, skin.g * 0.8, skin.b * 0.8, 1.0} : skin, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.36, w * 0.27, kPi, 2 * kPi);
    Set(cr, look.hair);
    cairo_fill(cr);
    for (const double x : {0.41, 0.59}) {
        cairo_arc(cr, w * x, h * 0.43, w * 0.035, 0, 2 * kPi);
        Set(cr, kInk);
        cairo_fill(cr);
    }
    if (mood == 0)
        cairo_arc(cr, w * 0.5, h * 0.5, w * 0.1, 0.15 * kPi, 0.85 * kPi);
    else if (mood == 1) {
        cairo_move_to(cr, w * 0.42, h * 0.56);
        cairo_line_to(cr, w * 0.58, h * 0.56);
    } else
        cairo_arc(cr, w * 0.5, h * 0.62, w * 0.09, 1.15 * kPi, 1.85 * kPi);
    Outline(cr, Rgb(120, 40, 40), 1.2);
}

// A participant's portrait in light tones, which the script tints in the participant's colour.
void Portrait(cairo_t* cr, double w, double h) {
    RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 4);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(190, 190, 190));
    cairo_move_to(cr, w * 0.12, h);
    cairo_curve_to(cr, w * 0.14, h * 0.68, w * 0.86, h * 0.68, w * 0.88, h);
    cairo_close_path(cr);
    Set(cr, Rgb(120, 120, 120));
    cairo_fill(cr);
    cairo_arc(cr, w * 0.5, h * 0.42, w * 0.22, 0, 2 * kPi);
    FillOutline(cr, Rgb(250, 250, 250), Rgb(60, 60, 60), 1.0);
    for (const double x : {0.42, 0.58}) {
        cairo_arc(cr, w * x, h * 0.42, w * 0.03, 0, 2 * kPi);
        Set(cr, Rgb(40, 40, 40));
        cairo_fill(cr);
    }
}

// A dish served on a plate: the recipe's icon on a white plate.
void Dish(cairo_t* cr, double w, double h, EItem item) {
    Ellipse(cr, w / 2, h * 0.72, w * 0.48, h * 0.26);
    FillOutline(cr, Rgb(250, 250, 245), Rgb(150, 150, 160), 1.0);
    const double s = h * 1.0;
    cairo_save(cr);
    cairo_translate(cr, (w - s) / 2, -h * 0.05);
    DrawItem(cr, item, s);
    cairo_restore(cr);
}

// A covered dish of the mini-games' recipe: a silver cloche.
void Cloche(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h * 0.82, w * 0.48, h * 0.16);
    FillOutline(cr, Rgb(250, 250, 245), Rgb(150, 150, 160), 1.0);
    cairo_move_to(cr, w * 0.12, h * 0.8);
    cairo_curve_to(cr, w * 0.14, h * 0.1, w * 0.86, h * 0.1, w * 0.88, h * 0.8);
    cairo_close_path(cr);
    FillVertical(cr, h * 0.1, h * 0.8, Rgb(235, 235, 245), Rgb(160, 160, 175));
    Outline(cr, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.18, w * 0.05, 0, 2 * kPi);
    FillOutline(cr, Rgb(200, 200, 210), kInk, 0.8);
}

// The serving plate the heroine sets dishes on.
void ServingPlate(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h / 2, w * 0.48, h * 0.45);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(215, 215, 220));
    Outline(cr, Rgb(120, 120, 135), 1.5);
    Ellipse(cr, w / 2, h / 2, w * 0.32, h * 0.28);
    Outline(cr, Rgb(190, 190, 200), 1.2);
}

// The serving point beside the plate: a counter bell.
void Bell(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h * 0.82, w * 0.46, h * 0.12);
    FillOutline(cr, Rgb(90, 60, 40), kInk, 1.2);
    cairo_move_to(cr, w * 0.14, h * 0.78);
    cairo_curve_to(cr, w * 0.16, h * 0.22, w * 0.84, h * 0.22, w * 0.86, h * 0.78);
    cairo_close_path(cr);
    FillShine(cr, w, {0.75, 0.55, 0.15}, {1.0, 0.92, 0.55}, {0.65, 0.45, 0.1});
    Outline(cr, kInk, 1.2);
    cairo_rectangle(cr, w * 0.46, h * 0.12, w * 0.08, h * 0.14);
    FillOutline(cr, Rgb(200, 170, 80), kInk, 1.0);
}

// A clock face with its hour marks.
void ClockFace(cairo_t* cr, double w, double h, TColour rim) {
    const double r = std::min(w, h) / 2 - 1.5;
    cairo_arc(cr, w / 2, h / 2, r, 0, 2 * kPi);
    FillOutline(cr, Rgb(250, 248, 238), rim, r * 0.12);
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        const double r0 = i % 3 == 0 ? r * 0.7 : r * 0.78;
        cairo_move_to(cr, w / 2 + r0 * std::cos(a), h / 2 + r0 * std::sin(a));
        cairo_line_to(cr, w / 2 + r * 0.86 * std::cos(a), h / 2 + r * 0.86 * std::sin(a));
    }
    Outline(cr, kInk, std::max(1.0, r * 0.05));
    cairo_arc(cr, w / 2, h / 2, r * 0.07, 0, 2 * kPi);
    Set(cr, kInk);
    cairo_fill(cr);
}

// The kitchen's window: a frame, sky, a cloud and curtains.
void Window(cairo_t* cr, double w, double h) {
    RoundRect(cr, 4, 4, w - 8, h - 8, 4);
    FillVertical(cr, 0, h, Rgb(140, 200, 250), Rgb(210, 235, 255));
    Outline(cr, Rgb(245, 240, 230), 8);
    cairo_move_to(cr, w / 2, 4);
    cairo_line_to(cr, w / 2, h - 4);
    cairo_move_to(cr, 4, h / 2);
    cairo_line_to(cr, w - 4, h / 2);
    Outline(cr, Rgb(245, 240, 230), 5);
    for (const double x : {0.3, 0.36, 0.42}) {
        cairo_arc(cr, w * x, h * 0.3, h * 0.08, 0, 2 * kPi);
        Set(cr, Rgb(255, 255, 255, 0.9));
        cairo_fill(cr);
    }
    for (const int side : {0, 1}) {
        const double x0 = side ? w : 0, x1 = side ? w * 0.82 : w * 0.18;
        cairo_move_to(cr, x0, 0);
        cairo_line_to(cr, x1, 0);
        cairo_curve_to(cr, (x0 + x1) / 2, h * 0.4, x1, h * 0.7, (x0 + x1) / 2, h);
        cairo_line_to(cr, x0, h);
        cairo_close_path(cr);
        FillOutline(cr, Rgb(220, 80, 80), Rgb(150, 40, 40), 1.5);
    }
}

void Plant(cairo_t* cr, double w, double h) {
    for (int i = 0; i < 7; ++i) {
        const double a = kPi * (0.15 + 0.7 * i / 6.0);
        const double x = w / 2 - w * 0.45 * std::cos(a), y = h * 0.62 - h * 0.55 * std::sin(a);
        cairo_move_to(cr, w / 2, h * 0.66);
        cairo_curve_to(cr, w / 2, h * 0.4, x, y + h * 0.1, x, y);
        cairo_curve_to(cr, x + w * 0.12, y + h * 0.12, w / 2 + w * 0.08, h * 0.45, w / 2, h * 0.66);
        FillOutline(cr, i % 2 ? Rgb(80, 170, 70) : Rgb(50, 135, 60), Rgb(20, 70, 30), 1.0);
    }
    cairo_move_to(cr, w * 0.2, h * 0.64);
    cairo_line_to(cr, w * 0.8, h * 0.64);
    cairo_line_to(cr, w * 0.7, h * 0.98);
    cairo_line_to(cr, w * 0.3, h * 0.98);
    cairo_close_path(cr);
    FillVertical(cr, h * 0.64, h, Rgb(210, 110, 60), Rgb(160, 75, 40));
    Outline(cr, kInk, 1.5);
}

// The mini-games' objects.
void Vase(cairo_t* cr, double w, double h) {
    cairo_move_to(cr, w * 0.35, h * 0.05);
    cairo_line_to(cr, w * 0.65, h * 0.05);
    cairo_curve_to(cr, w * 0.6, h * 0.3, w * 1.0, h * 0.45, w * 0.8, h * 0.95);
    cairo_line_to(cr, w * 0.2, h * 0.95);
    cairo_curve_to(cr, w * 0.0, h * 0.45, w * 0.4, h * 0.3, w * 0.35, h * 0.05);
    cairo_close_path(cr);
    FillVertical(cr, 0, h, Rgb(110, 150, 240), Rgb(50, 80, 180));
    Outline(cr, kInk, 1.5);
    cairo_move_to(cr, w * 0.18, h * 0.62);
    cairo_curve_to(cr, w * 0.4, h * 0.55, w * 0.6, h * 0.7, w * 0.82, h * 0.62);
    Outline(cr, Rgb(250, 230, 120), 2.5);
}

// A table lamp whose orange shade fills its middle.
void Lamp(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, w * 0.46, h * 0.6, w * 0.08, h * 0.3);
    FillOutline(cr, Rgb(120, 90, 60), kInk, 1.0);
    Ellipse(cr, w / 2, h * 0.92, w * 0.34, h * 0.05);
    FillOutline(cr, Rgb(100, 75, 50), kInk, 1.2);
    cairo_move_to(cr, w * 0.3, h * 0.05);
    cairo_line_to(cr, w * 0.7, h * 0.05);
    cairo_line_to(cr, w * 0.97, h * 0.7);
    cairo_line_to(cr, w * 0.03, h * 0.7);
    cairo_close_path(cr);
    FillVertical(cr, h * 0.05, h * 0.7, Rgb(255, 160, 50), Rgb(235, 100, 30));
    Outline(cr, kInk, 1.5);
}

void Book(cairo_t* cr, double w, double h) {
    RoundRect(cr, w * 0.08, h * 0.12, w * 0.84, h * 0.76, 3);
    FillVertical(cr, 0, h, Rgb(80, 190, 110), Rgb(40, 130, 70));
    Outline(cr, kInk, 1.5);
    cairo_rectangle(cr, w * 0.08, h * 0.12, w * 0.12, h * 0.76);
    Set(cr, Rgb(30, 100, 50));
    cairo_fill(cr);
    cairo_rectangle(cr, w * 0.35, h * 0.3, w * 0.45, h * 0.14);
    FillOutline(cr, Rgb(250, 235, 170), kInk, 1.0);
}

void Hat(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h * 0.78, w * 0.48, h * 0.14);
    FillOutline(cr, Rgb(150, 50, 160), kInk, 1.5);
    cairo_move_to(cr, w * 0.24, h * 0.78);
    cairo_line_to(cr, w * 0.3, h * 0.15);
    cairo_curve_to(cr, w * 0.4, h * 0.08, w * 0.6, h * 0.08, w * 0.7, h * 0.15);
    cairo_line_to(cr, w * 0.76, h * 0.78);
    cairo_close_path(cr);
    FillVertical(cr, 0, h, Rgb(190, 80, 200), Rgb(130, 40, 140));
    Outline(cr, kInk, 1.5);
    cairo_rectangle(cr, w * 0.255, h * 0.58, w * 0.49, h * 0.1);
    Set(cr, Rgb(250, 220, 80));
    cairo_fill(cr);
}

void Shelf(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, 2, h * 0.55, w - 4, h * 0.25);
    FillVertical(cr, h * 0.55, h * 0.8, Rgb(190, 130, 75), Rgb(140, 90, 50));
    Outline(cr, kInk, 1.5);
    for (const double x : {0.15, 0.85}) {
        cairo_move_to(cr, w * x, h * 0.8);
        cairo_line_to(cr, w * x, h * 0.98);
        Outline(cr, Rgb(110, 70, 40), 3);
    }
    for (int i = 0; i < 5; ++i) {  // jars on it
        RoundRect(cr, w * (0.3 + 0.09 * i), h * 0.12, w * 0.07, h * 0.43, 2);
        FillOutline(cr, i % 2 ? Rgb(240, 200, 120) : Rgb(200, 230, 240), kInk, 1.0);
    }
}

void Rug(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h / 2, w * 0.48, h * 0.45);
    FillOutline(cr, Rgb(180, 60, 60), kInk, 1.5);
    Ellipse(cr, w / 2, h / 2, w * 0.36, h * 0.32);
    Outline(cr, Rgb(250, 210, 110), 3);
    Ellipse(cr, w / 2, h / 2, w * 0.2, h * 0.16);
    FillOutline(cr, Rgb(90, 120, 190), Rgb(250, 210, 110), 2);
}

// The mouse's arrow, its tip at the top left: white with a dark outline (the mirror tints it).
void Arrow(cairo_t* cr, double w, double h) {
    cairo_move_to(cr, 1, 1);
    cairo_line_to(cr, 1, h - 3);
    cairo_line_to(cr, w * 0.35, h * 0.7);
    cairo_line_to(cr, w * 0.6, h - 1);
    cairo_line_to(cr, w * 0.8, h * 0.9);
    cairo_line_to(cr, w * 0.55, h * 0.62);
    cairo_line_to(cr, w - 1, h * 0.6);
    cairo_close_path(cr);
    FillOutline(cr, Rgb(255, 255, 255), Rgb(20, 20, 30), 1.2);
}

// The flat colours of the pictures that glow but have no drawing of their own: devices at rest,
// working and closed, the places, and the gold, silver and bronze cups (and white).
constexpr int kDeviceRest[4][3] = {{90, 110, 160}, {70, 70, 80}, {220, 220, 210}, {40, 40, 50}};
constexpr int kDeviceWork[4][3] = {{255, 200, 120}, {255, 120, 60}, {255, 255, 150}, {255, 60, 20}};
constexpr int kPlaces[4][3] = {{200, 160, 90}, {90, 200, 80}, {240, 220, 80}, {230, 230, 240}};
constexpr int kCups[4][3] = {{240, 200, 40}, {200, 200, 210}, {200, 120, 60}, {255, 255, 255}};

TColour SwatchColour(int n) {
    const int column = n % 4, row = n / 4;
    const int* c = row == 0 || row == 2 ? kDeviceRest[column]
                   : row == 1           ? kDeviceWork[column]
                   : row == 3           ? kPlaces[column]
                                        : kCups[column];
    const int divisor = row == 2 ? 2 : 1;
    return Rgb(c[0] / divisor, c[1] / divisor, c[2] / divisor);
}

// A cup of the stage results: a trophy in its metal's colours.
void Trophy(cairo_t* cr, double w, double h, TColour metal) {
    cairo_move_to(cr, w * 0.2, h * 0.08);
    cairo_line_to(cr, w * 0.8, h * 0.08);
    cairo_curve_to(cr, w * 0.8, h * 0.5, w * 0.6, h * 0.6, w * 0.5, h * 0.62);
    cairo_curve_to(cr, w * 0.4, h * 0.6, w * 0.2, h * 0.5, w * 0.2, h * 0.08);
    cairo_close_path(cr);
    FillVertical(cr, 0, h * 0.6, Shade(metal, 1.2), Shade(metal, 0.75));
    Outline(cr, kInk, 1.2);
    for (const int side : {-1, 1}) {
        cairo_arc(cr, w * (0.5 + side * 0.32), h * 0.25, w * 0.12, 0, 2 * kPi);
        Outline(cr, Shade(metal, 0.8), 2.0);
    }
    cairo_rectangle(cr, w * 0.45, h * 0.6, w * 0.1, h * 0.18);
    Set(cr, Shade(metal, 0.8));
    cairo_fill(cr);
    RoundRect(cr, w * 0.28, h * 0.78, w * 0.44, h * 0.16, 2);
    FillOutline(cr, Rgb(90, 60, 40), kInk, 1.0);
}

// The place a ribbon stands for, in ink strokes about (cx, cy) in a box of 12 x 20: 1, 2 or 3, or
// for a lost level (0) a cross.
void PlaceDigit(cairo_t* cr, double cx, double cy, int place) {
    cairo_new_path(cr);
    if (place == 1) {
        cairo_move_to(cr, cx - 4, cy - 6);
        cairo_line_to(cr, cx + 1, cy - 10);
        cairo_line_to(cr, cx + 1, cy + 10);
        cairo_move_to(cr, cx - 4, cy + 10);
        cairo_line_to(cr, cx + 6, cy + 10);
    } else if (place == 2) {
        cairo_arc(cr, cx, cy - 4.5, 5.5, kPi * 1.1, kPi * 2.15);
        cairo_line_to(cr, cx - 6, cy + 10);
        cairo_line_to(cr, cx + 6, cy + 10);
    } else if (place == 3) {
        cairo_arc(cr, cx, cy - 5, 5, kPi * 1.15, kPi * 2.5);
        cairo_arc(cr, cx, cy + 5, 5, -kPi / 2, kPi * 0.85);
    } else {
        // No place: a cross.
        cairo_move_to(cr, cx - 6, cy - 6);
        cairo_line_to(cr, cx + 6, cy + 6);
        cairo_move_to(cr, cx + 6, cy - 6);
        cairo_line_to(cr, cx - 6, cy + 6);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Outline(cr, kInk, 3.5);
}

// A badge of the kitchen's countdown: a disc of its colour bearing the count (3 to 1), or a tick for
// the start (0).
void CountBadge(cairo_t* cr, double w, double h, TColour c, int count) {
    cairo_arc(cr, w / 2, h / 2, w / 2 - 2, 0, 2 * kPi);
    FillShine(cr, w, Shade(c, 0.8), Shade(c, 1.2), Shade(c, 0.7));
    Outline(cr, kInk, 2.0);
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, w / 40.0, h / 40.0);
    if (count > 0) {
        PlaceDigit(cr, 0, 0, count);
    } else {
        cairo_move_to(cr, -9, 0);
        cairo_line_to(cr, -2, 8);
        cairo_line_to(cr, 10, -8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Outline(cr, kInk, 4.0);
    }
    cairo_restore(cr);
}

// A pleated rosette of radius outer about (cx, cy) in the place's metal, the place on it: the middle
// of a place ribbon, and on its own the progress map's medal of a level won.
void PlaceRosette(cairo_t* cr, double cx, double cy, double outer, TColour metal, int place) {
    constexpr int kPleats = 18;
    cairo_new_path(cr);
    for (int i = 0; i < kPleats; ++i) {
        const double a0 = 2 * kPi * i / kPleats, a1 = 2 * kPi * (i + 1) / kPleats;
        const double mid = (a0 + a1) / 2;
        if (i == 0) cairo_move_to(cr, cx + outer * 0.86 * std::cos(a0), cy + outer * 0.86 * std::sin(a0));
        cairo_curve_to(cr, cx + outer * std::cos(a0 + 0.05), cy + outer * std::sin(a0 + 0.05),
                       cx + outer * std::cos(mid), cy + outer * std::sin(mid),
                       cx + outer * 0.86 * std::cos(a1), cy + outer * 0.86 * std::sin(a1));
    }
    cairo_close_path(cr);
    FillOutline(cr, Shade(metal, 0.85), kInk, 1.2);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, outer * 0.66, 0, 2 * kPi);
    FillVertical(cr, cy - outer, cy + outer, Shade(metal, 1.3), Shade(metal, 0.9));
    Outline(cr, Shade(metal, 0.6), 1.5);
    PlaceDigit(cr, cx, cy, place);
}

// A place ribbon of the level results: a band with swallow-tailed ends across the picture and a
// pleated rosette in its middle in the place's metal, the place (1 to 3) on the rosette; place 0 is
// the grey ribbon of a lost level, crossed.
void PlaceRibbon(cairo_t* cr, double w, double h, TColour metal, int place) {
    const double top = h * 0.3, bottom = h * 0.72, notch = h * 0.16;
    cairo_move_to(cr, 1, top);
    cairo_line_to(cr, w - 1, top);
    cairo_line_to(cr, w - 1 - notch, (top + bottom) / 2);
    cairo_line_to(cr, w - 1, bottom);
    cairo_line_to(cr, 1, bottom);
    cairo_line_to(cr, 1 + notch, (top + bottom) / 2);
    cairo_close_path(cr);
    FillVertical(cr, top, bottom, Shade(metal, 1.15), Shade(metal, 0.75));
    Outline(cr, kInk, 1.2);
    PlaceRosette(cr, w / 2, h / 2, h / 2 - 1, metal, place);
}

// ---- the order signs' and the bonuses' pictures ----

// A card in light tones with rounded corners and a rim, which the script stretches and tints: the
// order signs, their tabs and labels, the mood behind a face, a check box, a points plate.
void Card(cairo_t* cr, double w, double h) {
    RoundRect(cr, 1, 1, w - 2, h - 2, 6);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(215, 215, 210));
    Outline(cr, Rgb(120, 115, 110), 1.5);
    RoundRect(cr, 3.5, 3.5, w - 7, h - 7, 4);
    Outline(cr, Rgb(255, 255, 255, 0.7), 1.0);
}

// A bonus's badge: a shining disc in its colour, rimmed, bearing its sign (drawn by `sign` in a box of
// 32 x 32 about the middle, shown at four fifths so that a ring of the colour shows around it).
void Badge(cairo_t* cr, double w, double h, TColour c, const std::function<void(cairo_t*)>& sign) {
    cairo_arc(cr, w / 2, h / 2, w / 2 - 1.5, 0, 2 * kPi);
    FillShine(cr, w, Shade(c, 0.75), Shade(c, 1.25), Shade(c, 0.6));
    Outline(cr, kInk, 1.5);
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, w / 40.0, h / 40.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    sign(cr);
    cairo_restore(cr);
}

// The signs, about (0, 0) in a box of 32: a snowflake (the clock frozen), a flame (quicker cooking),
// an hourglass (patience stopped), a star (double quality), a light bulb (the next object lit), a
// question mark (any of them).
void Snowflake(cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
        const double a = i * kPi / 3 + kPi / 2;
        const double dx = 10 * std::cos(a), dy = 10 * std::sin(a);
        cairo_move_to(cr, -dx, -dy);
        cairo_line_to(cr, dx, dy);
        for (const int end : {-1, 1})
            for (const int side : {-1, 1}) {
                const double bx = end * dx * 0.6, by = end * dy * 0.6;
                const double b = a + (end > 0 ? 0 : kPi) + side * 0.7;
                cairo_move_to(cr, bx, by);
                cairo_line_to(cr, bx + 4 * std::cos(b), by + 4 * std::sin(b));
            }
    }
    Outline(cr, Rgb(255, 255, 255), 2.2);
}

void Flame(cairo_t* cr) {
    cairo_move_to(cr, 0, -12);
    cairo_curve_to(cr, 9, -3, 10, 4, 7, 8);
    cairo_curve_to(cr, 4, 12, -4, 12, -7, 8);
    cairo_curve_to(cr, -10, 3, -5, -2, -3, -6);
    cairo_curve_to(cr, -2, -2, 0, -1, 0, -12);
    cairo_close_path(cr);
    FillVertical(cr, -12, 12, Rgb(255, 240, 120), Rgb(255, 120, 30));
    Outline(cr, kInk, 1.3);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 4, 4, 3, 9, 0, 9);
    cairo_curve_to(cr, -3, 9, -4, 5, 0, 0);
    Set(cr, Rgb(255, 255, 210));
    cairo_fill(cr);
}

void Hourglass(cairo_t* cr) {
    cairo_move_to(cr, -7, -10);
    cairo_line_to(cr, 7, -10);
    cairo_curve_to(cr, 7, -3, 1.5, -2, 1.5, 0);
    cairo_curve_to(cr, 1.5, 2, 7, 3, 7, 10);
    cairo_line_to(cr, -7, 10);
    cairo_curve_to(cr, -7, 3, -1.5, 2, -1.5, 0);
    cairo_curve_to(cr, -1.5, -2, -7, -3, -7, -10);
    cairo_close_path(cr);
    FillOutline(cr, Rgb(235, 245, 255), kInk, 1.3);
    cairo_move_to(cr, -5, 9);
    cairo_line_to(cr, 5, 9);
    cairo_line_to(cr, 0, 4);
    cairo_close_path(cr);
    cairo_move_to(cr, -4, -7);
    cairo_line_to(cr, 4, -7);
    cairo_line_to(cr, 0, -2);
    cairo_close_path(cr);
    Set(cr, Rgb(240, 200, 90));
    cairo_fill(cr);
    for (const int y : {-11, 11}) {
        cairo_move_to(cr, -9, y);
        cairo_line_to(cr, 9, y);
    }
    Outline(cr, Rgb(120, 70, 40), 2.5);
}

void Star(cairo_t* cr) {
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5;
        const double r = i % 2 == 0 ? 12.0 : 5.0;
        if (i == 0)
            cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
        else
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    FillVertical(cr, -12, 12, Rgb(255, 250, 190), Rgb(240, 170, 30));
    Outline(cr, kInk, 1.3);
}

void Bulb(cairo_t* cr) {
    Glow(cr, 0, -3, 13, Rgb(255, 255, 200, 0.8));
    cairo_arc(cr, 0, -3, 7.5, kPi * 0.8, kPi * 2.2);
    cairo_line_to(cr, 3.5, 6);
    cairo_line_to(cr, -3.5, 6);
    cairo_close_path(cr);
    FillOutline(cr, Rgb(255, 250, 170), kInk, 1.3);
    cairo_rectangle(cr, -3.5, 6, 7, 5);
    FillOutline(cr, Rgb(170, 170, 180), kInk, 1.0);
    cairo_move_to(cr, -2, 0);
    cairo_line_to(cr, 0, -3);
    cairo_line_to(cr, 2, 0);
    Outline(cr, Rgb(200, 120, 30), 1.0);
}

void Question(cairo_t* cr) {
    cairo_arc(cr, 0, -4, 6, kPi * 1.05, kPi * 2.35);
    cairo_line_to(cr, 0, 4);
    cairo_set_line_width(cr, 5.5);
    Set(cr, kInk);
    cairo_stroke_preserve(cr);
    Outline(cr, Rgb(255, 255, 255), 3.0);
    cairo_arc(cr, 0, 10, 2.5, 0, 2 * kPi);
    FillOutline(cr, Rgb(255, 255, 255), kInk, 1.0);
}

// Frost: pale ice with crystals, half clear, which the script lays over the dial and its hand.
void Frost(cairo_t* cr, double w, double h) {
    RoundRect(cr, 1, 1, w - 2, h - 2, std::min(w, h) / 3);
    FillVertical(cr, 0, h, Rgb(235, 250, 255, 0.85), Rgb(150, 210, 245, 0.7));
    Outline(cr, Rgb(255, 255, 255, 0.9), 1.2);
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, w / 40.0, h / 40.0);
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3 + 0.3;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 15 * std::cos(a), 15 * std::sin(a));
        cairo_move_to(cr, 8 * std::cos(a), 8 * std::sin(a));
        cairo_line_to(cr, 8 * std::cos(a) + 5 * std::cos(a + 0.8), 8 * std::sin(a) + 5 * std::sin(a + 0.8));
    }
    cairo_restore(cr);
    Outline(cr, Rgb(255, 255, 255, 0.95), 1.0);
}

// A chain of oval links across the picture, steel grey: the patience bonus's chain over an order.
void Chain(cairo_t* cr, double w, double h) {
    const int links = 5;
    const double step = (w - 4) / links;
    for (int i = 0; i < links; ++i) {
        const double cx = 2 + step * (i + 0.5);
        if (i % 2 == 0)
            Ellipse(cr, cx, h / 2, step * 0.62, h / 2 - 1.5);
        else
            Ellipse(cr, cx, h / 2, step * 0.6, h / 5);
        cairo_set_line_width(cr, 3.0);
        Set(cr, kInk);
        cairo_stroke_preserve(cr);
        Outline(cr, Rgb(200, 205, 215), 1.6);
    }
}

// The bonus customer's gift where an ordinary customer's face stands: a wrapped box with a bow.
void Gift(cairo_t* cr, double w, double h) {
    const double top = h * 0.38;
    cairo_rectangle(cr, w * 0.1, top, w * 0.8, h * 0.58);
    FillVertical(cr, top, h, Rgb(90, 170, 230), Rgb(40, 100, 170));
    Outline(cr, kInk, 1.2);
    cairo_rectangle(cr, w * 0.04, top - h * 0.08, w * 0.92, h * 0.12);
    FillOutline(cr, Rgb(110, 190, 245), kInk, 1.2);
    cairo_rectangle(cr, w * 0.43, top - h * 0.08, w * 0.14, h * 0.66);
    FillOutline(cr, Rgb(240, 70, 80), kInk, 1.0);
    for (const int side : {-1, 1}) {
        cairo_move_to(cr, w / 2, top - h * 0.08);
        cairo_curve_to(cr, w / 2 + side * w * 0.45, top - h * 0.4, w / 2 + side * w * 0.4, top - h * 0.02,
                       w / 2, top - h * 0.08);
        FillOutline(cr, Rgb(240, 70, 80), kInk, 1.0);
    }
}

// A gilded frame of a duel's customer's portrait, clear in its middle.
void PortraitFrame(cairo_t* cr, double w, double h) {
    RoundRect(cr, 1, 1, w - 2, h - 2, 4);
    RoundRect(cr, 6, 6, w - 12, h - 12, 2);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillShine(cr, w, Rgb(170, 120, 40), Rgb(250, 215, 120), Rgb(150, 100, 30));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
    RoundRect(cr, 1, 1, w - 2, h - 2, 4);
    Outline(cr, kInk, 1.2);
    RoundRect(cr, 6, 6, w - 12, h - 12, 2);
    Outline(cr, Rgb(110, 70, 20), 1.0);
}

// A chapter tab of the recipe book: a leather tab in light tones, rounded at its free (right) end,
// with a stitched seam; the script tints it.
void BookTab(cairo_t* cr, double w, double h) {
    cairo_move_to(cr, 0, 1);
    cairo_line_to(cr, w - h / 3, 1);
    cairo_arc(cr, w - h / 3, h / 3 + 1, h / 3, -kPi / 2, 0);
    cairo_line_to(cr, w - 1, h - h / 3 - 1);
    cairo_arc(cr, w - h / 3, h - h / 3 - 1, h / 3, 0, kPi / 2);
    cairo_line_to(cr, 0, h - 1);
    cairo_close_path(cr);
    FillVertical(cr, 0, h, Rgb(255, 255, 250), Rgb(200, 195, 185));
    Outline(cr, Rgb(90, 70, 50), 1.4);
    cairo_move_to(cr, 2, 5);
    cairo_line_to(cr, w - h / 3, 5);
    cairo_arc(cr, w - h / 3, h / 3 + 1, h / 3 - 4, -kPi / 2, 0);
    cairo_line_to(cr, w - 5, h - h / 3 - 1);
    cairo_arc(cr, w - h / 3, h - h / 3 - 1, h / 3 - 4, 0, kPi / 2);
    cairo_line_to(cr, 2, h - 5);
    const double dash[] = {2.5, 2.0};
    cairo_set_dash(cr, dash, 2, 0);
    Outline(cr, Rgb(120, 100, 80, 0.8), 1.0);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// The day's sun: a warm disc with a soft glow and its rays, in its own colours.
void Sun(cairo_t* cr, double w, double h) {
    const double cx = w / 2, cy = h / 2, r = w * 0.22;
    Glow(cr, cx, cy, w / 2, Rgb(255, 230, 120, 0.7));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        const double a0 = a - 0.13, a1 = a + 0.13;
        cairo_move_to(cr, cx + r * 1.15 * std::cos(a0), cy + r * 1.15 * std::sin(a0));
        cairo_line_to(cr, cx + w * 0.46 * std::cos(a), cy + w * 0.46 * std::sin(a));
        cairo_line_to(cr, cx + r * 1.15 * std::cos(a1), cy + r * 1.15 * std::sin(a1));
        cairo_close_path(cr);
    }
    Set(cr, Rgb(255, 190, 50));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 1.0, 0.85);
    cairo_pattern_add_color_stop_rgb(p, 1, 1.0, 0.75, 0.2);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Outline(cr, Rgb(230, 140, 30), 1.2);
}

// The kitchen's backdrop in light tones, which the level's layout tints: a tiled back wall with a
// shelf rail and, in perspective, the floor's tiles from the wall's foot (half-way down) to the front.
void KitchenRoom(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, 0, 0, w, h / 2);
    FillVertical(cr, 0, h / 2, Rgb(255, 250, 240), Rgb(225, 215, 200));
    cairo_new_path(cr);
    for (double x = 0; x <= w; x += w / 20) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, h / 2);
    }
    for (double y = 0; y <= h / 2; y += w / 20) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, w, y);
    }
    Outline(cr, Rgb(200, 195, 185), 0.6);
    cairo_rectangle(cr, 0, h * 0.44, w, h * 0.06);
    FillVertical(cr, h * 0.44, h * 0.5, Rgb(190, 160, 120), Rgb(150, 120, 90));
    cairo_new_path(cr);
    // The floor: the wall's foot runs from a fifth to four fifths of the width, as the walk grid's
    // far corners do.
    cairo_rectangle(cr, 0, h / 2, w, h / 2);
    FillVertical(cr, h / 2, h, Rgb(215, 205, 190), Rgb(250, 245, 235));
    cairo_new_path(cr);
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        cairo_move_to(cr, w * (0.2 + 0.6 * t), h / 2);
        cairo_line_to(cr, w * t, h);
    }
    for (int i = 1; i <= 6; ++i) {
        const double t = (i / 6.0) * (i / 6.0);
        cairo_move_to(cr, 0, h / 2 + t * h / 2);
        cairo_line_to(cr, w, h / 2 + t * h / 2);
    }
    Outline(cr, Rgb(170, 160, 150), 0.8);
}

// A room for the spot-the-difference pictures, in light tones the layout tints: a striped wall, a
// skirting board and a light tiled floor from two thirds down.
void Room(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, 0, 0, w, h * 0.66);
    FillVertical(cr, 0, h * 0.66, Rgb(255, 255, 255), Rgb(235, 235, 230));
    cairo_new_path(cr);
    for (double x = w / 16; x < w; x += w / 8) {
        cairo_rectangle(cr, x, 0, w / 16, h * 0.66);
    }
    Set(cr, Rgb(240, 240, 250));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, h * 0.64, w, h * 0.03);
    Set(cr, Rgb(200, 190, 180));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, h * 0.67, w, h * 0.33);
    FillVertical(cr, h * 0.67, h, Rgb(235, 230, 220), Rgb(250, 248, 240));
    cairo_new_path(cr);
    for (double x = 0; x <= w; x += w / 8) {
        cairo_move_to(cr, x, h * 0.67);
        cairo_line_to(cr, x, h);
    }
    for (double y = h * 0.67; y <= h; y += h * 0.066) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, w, y);
    }
    Outline(cr, Rgb(215, 210, 200), 0.8);
}

std::vector<TPicture> SheetPictures() {
    std::vector<TPicture> p;
    const auto add = [&p](std::string name, int w, int h, std::function<void(cairo_t*, double, double)> draw,
                          int pad = 2) {
        p.push_back({std::move(name), w, h, std::move(draw), pad});
    };
    // The interface: the panel, buttons, a spark, the speech balloon, the hider's hole, the arrow.
    add("panel", 256, 128, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(60, 90, 150)); });
    add("button", 128, 32, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(180, 90, 40)); });
    add("button_over", 128, 32, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(240, 150, 60)); });
    add("spark", 16, 16,
        [](cairo_t* cr, double w, double h) { Glow(cr, w / 2, h / 2, w / 2, Rgb(255, 255, 255)); });
    add("balloon", 64, 24, Balloon);
    add("hole", 64, 64, Hole);
    add("arrow", 12, 18, Arrow);
    // Flat white, whose colour the script gives: "block" and the invisible hit areas cut from it.
    add(
        "white", 96, 24,
        [](cairo_t* cr, double, double) {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_paint(cr);
        },
        0);
    add("disc", 32, 32, [](cairo_t* cr, double w, double h) {
        cairo_arc(cr, w / 2, h / 2, w / 2 - 0.5, 0, 2 * kPi);
        Set(cr, Rgb(255, 255, 255));
        cairo_fill(cr);
    });
    // The devices in their three looks.
    const char* devices[4] = {"saucepan", "griddle", "micro_wave", "electric_stove_4"};
    const char* looks[3] = {"_idle", "_work", "_closed"};
    for (int d = 0; d < 4; ++d)
        for (int l = 0; l < 3; ++l) {
            const int w = d == 0 ? 64 : 64, h = d == 0 ? 64 : 48;
            add(std::string(devices[d]) + looks[l], w, h, [d, l](cairo_t* cr, double w, double h) {
                DrawDevice(cr, d, w, h, static_cast<ELook>(l));
                if (l == 2) Darken(cr, w, h);
            });
        }
    // The ingredient places.
    add("place_bread", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Bread); });
    add("place_salad", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Salad); });
    add("place_cheese", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Cheese); });
    add("place_cup", 32, 40, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Cup); });
    add("place_sugar", 32, 32, SugarCrate);
    // The kitchen's countdown before play: three, two, one, go, red to green.
    const TColour counts[4] = {Rgb(230, 70, 50), Rgb(230, 150, 50), Rgb(230, 220, 60), Rgb(80, 210, 90)};
    for (int n = 3; n >= 0; --n)
        add(n ? "count_" + std::to_string(n) : std::string("count_go"), 24, 24,
            [n, c = counts[3 - n]](cairo_t* cr, double w, double h) { CountBadge(cr, w, h, c, n); });
    // People: the heroine's figure and dress, the customers' moods, the participants' portrait.
    add("heroine", 64, 224, HeroineBody);
    add("heroine_dress", 64, 224, HeroineDress);
    add("customer_glad", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 0); });
    add("customer_calm", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 1); });
    add("customer_cross", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 2); });
    add("portrait", 32, 32, Portrait);
    // The dishes (shown at half size on the plate, twice as large in the recipe book), the serving
    // plate and its bell, the clocks and their hand.
    add("dish_soup", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Soup); });
    add("dish_steak", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Steak); });
    add("dish_pizza", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Pizza); });
    add("dish_tea", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Tea); });
    add("dish_covered", 80, 48, Cloche);
    add("serving_plate", 64, 32, ServingPlate);
    add("bell", 48, 48, Bell);
    add("clock_face", 80, 80, [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(150, 90, 50)); });
    add("dial", 48, 48, [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(60, 90, 150)); });
    add("clock_hand", 6, 36, [](cairo_t* cr, double w, double h) {
        RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 2);
        Set(cr, Rgb(255, 255, 255));
        cairo_fill(cr);
    });
    // The scenery and the mini-games' objects.
    add("window", 256, 128, Window);
    add("plant", 64, 128, Plant);
    add("vase", 48, 64, Vase);
    add("wall_clock", 64, 64,
        [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(200, 150, 40)); });
    add("lamp", 48, 80, Lamp);
    add("book", 64, 48, Book);
    add("hat", 48, 48, Hat);
    add("shelf", 128, 32, Shelf);
    add("rug", 128, 64, Rug);
    add("cup_gold", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, SwatchColour(16)); });
    add("cup_silver", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, SwatchColour(17)); });
    add("cup_bronze", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, SwatchColour(18)); });
    // The level results' place ribbons: gold, silver and bronze, and the grey one of a lost level.
    const TColour ribbons[4] = {SwatchColour(16), SwatchColour(17), SwatchColour(18), Rgb(150, 150, 160)};
    for (int place = 1; place <= 4; ++place)
        add("ribbon_" + std::to_string(place), 180, 48,
            [place, metal = ribbons[place - 1]](cairo_t* cr, double w, double h) {
                PlaceRibbon(cr, w, h, metal, place < 4 ? place : 0);
            });
    // The progress map's medals of the levels won: the ribbons' rosettes on their own.
    for (int place = 1; place <= 3; ++place)
        add("medal_" + std::to_string(place), 48, 48,
            [place, metal = ribbons[place - 1]](cairo_t* cr, double w, double h) {
                PlaceRosette(cr, w / 2, h / 2, h / 2 - 1, metal, place);
            });
    // The other customers' moods (the first's are above).
    const char* moods[3] = {"_glad", "_calm", "_cross"};
    for (int who = 1; who < kCustomerCount; ++who)
        for (int mood = 0; mood < 3; ++mood)
            add("customer_" + std::to_string(who + 1) + moods[mood], 28, 28,
                [who, mood](cairo_t* cr, double w, double h) { Customer(cr, w, h, mood, who); });
    // The order signs' card, the bonus customer's gift, the duel's portrait frame; the bonuses' badges,
    // the frost and the chain; the recipe book's chapter tab; the day's sun.
    add("card", 64, 40, Card);
    add("gift", 36, 44, Gift);
    add("portrait_frame", 38, 56, PortraitFrame);
    const std::array<std::pair<const char*, TColour>, 6> badges = {{{"freeze", Rgb(90, 160, 230)},
                                                                    {"cook", Rgb(220, 80, 50)},
                                                                    {"patience", Rgb(140, 90, 200)},
                                                                    {"quality", Rgb(230, 180, 40)},
                                                                    {"highlight", Rgb(240, 220, 110)},
                                                                    {"random", Rgb(80, 180, 120)}}};
    const std::array<void (*)(cairo_t*), 6> signs = {Snowflake, Flame, Hourglass, Star, Bulb, Question};
    for (size_t i = 0; i < badges.size(); ++i)
        add(std::string("badge_") + badges[i].first, 32, 32,
            [c = badges[i].second, sign = signs[i]](cairo_t* cr, double w, double h) {
                Badge(cr, w, h, c, sign);
            });
    add("frost", 40, 40, Frost);
    add("chain", 40, 12, Chain);
    add("book_tab", 32, 40, BookTab);
    add("sun", 48, 48, Sun);
    // The backdrops: the kitchen (shown four times as large) and the mini-games' room (twice).
    add("kitchen_room", 200, 150, KitchenRoom, 0);
    add("room", 200, 300, Room, 0);
    return p;
}

// The item icons: eight cells of 32 x 32 in two rows at the sheet's top left. The order signs find an
// icon's greyed picture on the grey sheet where the icon lies on its own, so the grey sheet ("gray",
// a texture of its own) holds the same drawings, greyed, in the same cells.
constexpr int kIconsWidth = 128, kIconsHeight = 64, kIconCell = 32;

void DrawIconCells(cairo_t* cr, bool grey) {
    for (int cell = 0; cell < 8; ++cell) {
        cairo_save(cr);
        cairo_translate(cr, (cell % 4) * kIconCell, (cell / 4) * kIconCell);
        cairo_rectangle(cr, 0, 0, kIconCell, kIconCell);
        cairo_clip(cr);
        DrawItem(cr, IconItem(cell), kIconCell);
        if (grey) Desaturate(cr, kIconCell, kIconCell);
        cairo_restore(cr);
    }
}

struct TRect {
    int x, y, w, h;
};

// Sprite infos cut from a packed picture: (name, picture, x, y, w, h within it).
struct TCut {
    const char* name;
    const char* picture;
    int x, y, w, h;
};
constexpr TCut kCuts[] = {{"block", "white", 40, 4, 16, 16}, {"hit_area", "white", 0, 0, 96, 24}};

struct TSheet {
    int width = 0, height = 0;
    std::vector<TPicture> pictures;
    std::vector<TRect> places;  // where each picture's own pixels lie
};

// Packs the rects not yet packed into the area (x, y, w, h) of the sheet; true when all of them are.
bool PackInto(std::vector<stbrp_rect>& rects, int x, int y, int w, int h) {
    std::vector<stbrp_rect> left;
    for (const stbrp_rect& r : rects)
        if (!r.was_packed) left.push_back(r);
    if (left.empty()) return true;
    std::vector<stbrp_node> nodes(static_cast<size_t>(w));
    stbrp_context context;
    stbrp_init_target(&context, w, h, nodes.data(), static_cast<int>(nodes.size()));
    const bool all = stbrp_pack_rects(&context, left.data(), static_cast<int>(left.size())) != 0;
    for (const stbrp_rect& r : left) {
        if (!r.was_packed) continue;
        stbrp_rect& placed = rects[static_cast<size_t>(r.id)];
        placed = r;
        placed.x += x;
        placed.y += y;
    }
    return all;
}

bool Pack(TSheet& sheet) {
    sheet.pictures = SheetPictures();
    // The icons take the top left corner; the pictures are packed beside them and under them, on the
    // smallest sheet that holds them (the textures need not be powers of two, but every pixel is
    // decoded and uploaded at each start).
    for (const auto& [w, h] :
         {std::array<int, 2>{512, 512}, {1024, 512}, {1024, 640}, {1024, 768}, {1024, 1024}, {2048, 1024}}) {
        std::vector<stbrp_rect> rects;
        for (size_t i = 0; i < sheet.pictures.size(); ++i) {
            const TPicture& p = sheet.pictures[i];
            stbrp_rect r{};
            r.id = static_cast<int>(i);
            r.w = p.w + 2 * std::max(p.pad, 2);
            r.h = p.h + 2 * std::max(p.pad, 2);
            rects.push_back(r);
        }
        PackInto(rects, kIconsWidth, 0, w - kIconsWidth, kIconsHeight);
        if (!PackInto(rects, 0, kIconsHeight, w, h - kIconsHeight)) continue;
        sheet.width = w;
        sheet.height = h;
        sheet.places.assign(rects.size(), {});
        for (const stbrp_rect& r : rects) {
            const TPicture& p = sheet.pictures[static_cast<size_t>(r.id)];
            const int margin = std::max(p.pad, 2);
            sheet.places[static_cast<size_t>(r.id)] = {r.x + margin, r.y + margin, p.w, p.h};
        }
        return true;
    }
    return false;
}

// The sprite infos the script gives the sheet's pictures, by name.
std::map<std::string, TRect> SpriteRects(const TSheet& sheet) {
    std::map<std::string, TRect> rects;
    for (int n = 0; n < 8; ++n)
        rects[std::string("icon_") + kIconNames[n]] = {(n % 4) * kIconCell, (n / 4) * kIconCell, kIconCell,
                                                       kIconCell};
    for (size_t i = 0; i < sheet.pictures.size(); ++i) rects[sheet.pictures[i].name] = sheet.places[i];
    for (const TCut& cut : kCuts) {
        const TRect& in = rects[cut.picture];
        rects[cut.name] = {in.x + cut.x, in.y + cut.y, cut.w, cut.h};
    }
    return rects;
}

int DrawSheet(const TSheet& sheet, const std::string& out) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheet.width, sheet.height);
    cairo_t* cr = cairo_create(surface);
    DrawIconCells(cr, false);
    for (size_t i = 0; i < sheet.pictures.size(); ++i) {
        const TPicture& p = sheet.pictures[i];
        const TRect& at = sheet.places[i];
        cairo_save(cr);
        if (p.pad == 0) {
            // A flat fill reaches over its margin, so that the filtered edges keep its colour.
            cairo_rectangle(cr, at.x - 2, at.y - 2, at.w + 4, at.h + 4);
            cairo_clip(cr);
            cairo_translate(cr, at.x, at.y);
            p.draw(cr, p.w, p.h);
        } else {
            cairo_translate(cr, at.x, at.y);
            cairo_rectangle(cr, 0, 0, p.w, p.h);
            cairo_clip(cr);
            p.draw(cr, p.w, p.h);
        }
        cairo_restore(cr);
    }
    // A flat fill or a backdrop repeats its edge over its margin, so that the filtered edges of a
    // picture drawn large keep its colour instead of fading.
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const auto at = [&](int x, int y) -> uint32_t& {
        return reinterpret_cast<uint32_t*>(data + y * stride)[x];
    };
    for (size_t i = 0; i < sheet.pictures.size(); ++i) {
        if (sheet.pictures[i].pad != 0) continue;
        const TRect& r = sheet.places[i];
        for (int y = r.y - 2; y < r.y + r.h + 2; ++y)
            for (int x = r.x - 2; x < r.x + r.w + 2; ++x)
                at(x, y) = at(std::clamp(x, r.x, r.x + r.w - 1), std::clamp(y, r.y, r.y + r.h - 1));
    }
    cairo_surface_mark_dirty(surface);
    cairo_destroy(cr);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), error);
    const cairo_status_t status = cairo_surface_write_to_png(surface, out.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "texturegen: %s: %s\n", out.c_str(), cairo_status_to_string(status));
        return 1;
    }
    return 0;
}

// Writes where the sprite infos of the sheet must cut it, one "name x y w h" a line, for scriptcheck to
// compare with the script's own.
int WritePlaces(const TSheet& sheet, const std::string& listing) {
    std::ofstream out(listing);
    for (const auto& [name, r] : SpriteRects(sheet))
        out << name << ' ' << r.x << ' ' << r.y << ' ' << r.w << ' ' << r.h << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "texturegen: can't write %s\n", listing.c_str());
        return 1;
    }
    return 0;
}

void PrintScript(const TSheet& sheet) {
    for (const auto& [name, r] : SpriteRects(sheet))
        std::printf("    r.AddHGESpriteInfo(\"%s\", 0, %d, %d, %d, %d);\n", name.c_str(), r.x, r.y, r.w, r.h);
    std::printf("// sheet %d x %d\n", sheet.width, sheet.height);
}

// ---- the textures that are not on the sheet (per pixel) ----

Uint32 Argb(int a, int r, int g, int b) {
    return static_cast<Uint32>(a) << 24 | static_cast<Uint32>(r) << 16 | static_cast<Uint32>(g) << 8 |
           static_cast<Uint32>(b);
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

int WritePixels(const std::string& out, int width, int height, const std::function<Uint32(int, int)>& pixel) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), error);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) {
        std::fprintf(stderr, "texturegen: %s\n", SDL_GetError());
        return 1;
    }
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * pitch + x] = pixel(x, y);
    const bool saved = IMG_SavePNG(surface, out.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) std::fprintf(stderr, "texturegen: %s: %s\n", out.c_str(), IMG_GetError());
    return saved ? 0 : 1;
}

// The grey sheet: the icons' cells, greyed.
int DrawGraySheet(const std::string& out) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconsWidth, kIconsHeight);
    cairo_t* cr = cairo_create(surface);
    DrawIconCells(cr, true);
    cairo_destroy(cr);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), error);
    const cairo_status_t status = cairo_surface_write_to_png(surface, out.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "texturegen: %s: %s\n", out.c_str(), cairo_status_to_string(status));
        return 1;
    }
    return 0;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: texturegen <output png> sheet [--script | --places <listing>]\n"
        "       texturegen <output png> cloth | gray | particles | particles_2 | particles_3 | map_fon | "
        "page\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string out = argv[1], kind = argv[2];
    if (kind == "sheet") {
        TSheet sheet;
        if (!Pack(sheet)) {
            std::fprintf(stderr, "texturegen: the pictures do not fit on one sheet\n");
            return 1;
        }
        if (argc == 4 && std::string(argv[3]) == "--script") {
            PrintScript(sheet);
            return 0;
        }
        if (argc == 5 && std::string(argv[3]) == "--places") {
            if (WritePlaces(sheet, argv[4]) != 0) return 1;
        } else if (argc != 3) {
            return Usage();
        }
        return DrawSheet(sheet, out);
    }
    if (argc != 3) return Usage();
    if (const TDotTint* dot = FindDot(kind))
        return WritePixels(out, kDotSize, kDotSize, [dot](int x, int y) { return Dot(x, y, *dot); });
    if (kind == "cloth") return WritePixels(out, kClothWidth, kClothHeight, Cloth);
    if (kind == "gray") return DrawGraySheet(out);
    if (kind == "map_fon") return WritePixels(out, kMapSize, kMapSize, MapGround);
    if (kind == "page") return WritePixels(out, kPageWidth, kPageHeight, PageMask);
    return Usage();
}
