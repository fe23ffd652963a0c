#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/texturegen/Pictures.h"

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

void Arrow(cairo_t* cr, double w, double h) {
    Polygon(cr, {{1, 1},
                 {1, h - 3},
                 {w * 0.35, h * 0.7},
                 {w * 0.6, h - 1},
                 {w * 0.8, h * 0.9},
                 {w * 0.55, h * 0.62},
                 {w - 1, h * 0.6}});
    FillOutline(cr, Rgb(255, 255, 255), Rgb(20, 20, 30), 1.2);
}

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
    Fill(cr, Shade(metal, 0.8));
    RoundRect(cr, w * 0.28, h * 0.78, w * 0.44, h * 0.16, 2);
    FillOutline(cr, Rgb(90, 60, 40), kInk, 1.0);
}

namespace {

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

}  // namespace

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

void PlaceRibbon(cairo_t* cr, double w, double h, TColour metal, int place) {
    const double top = h * 0.3, bottom = h * 0.72, notch = h * 0.16;
    Polygon(cr, {{1, top},
                 {w - 1, top},
                 {w - 1 - notch, (top + bottom) / 2},
                 {w - 1, bottom},
                 {1, bottom},
                 {1 + notch, (top + bottom) / 2}});
    FillVertical(cr, top, bottom, Shade(metal, 1.15), Shade(metal, 0.75));
    Outline(cr, kInk, 1.2);
    PlaceRosette(cr, w / 2, h / 2, h / 2 - 1, metal, place);
}

void Card(cairo_t* cr, double w, double h) {
    RoundRect(cr, 1, 1, w - 2, h - 2, 6);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(215, 215, 210));
    Outline(cr, Rgb(120, 115, 110), 1.5);
    RoundRect(cr, 3.5, 3.5, w - 7, h - 7, 4);
    Outline(cr, Rgb(255, 255, 255, 0.7), 1.0);
}

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
    Fill(cr, Rgb(255, 255, 210));
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
    Polygon(cr, {{-5, 9}, {5, 9}, {0, 4}});
    Polygon(cr, {{-4, -7}, {4, -7}, {0, -2}});
    Fill(cr, Rgb(240, 200, 90));
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
