#include <algorithm>
#include <array>
#include <cmath>

#include "tools/texturegen/Pictures.h"

void Steam(cairo_t* cr, double s, double x, double y) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = -1; i <= 1; ++i) {
        const double cx = x + i * s * 0.14;
        cairo_move_to(cr, cx, y);
        cairo_curve_to(cr, cx - s * 0.06, y - s * 0.07, cx + s * 0.06, y - s * 0.12, cx, y - s * 0.2);
    }
    Outline(cr, Rgb(255, 255, 255, 0.8), s * 0.045);
}

namespace {

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
            Fill(cr, Rgb(250, 200, 80));
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
            Fill(cr, Rgb(250, 215, 80));
            for (int i = 0; i < 5; ++i) {
                const double a = i * 2 * kPi / 5 + 0.3;
                const double x = s * (0.5 + 0.18 * std::cos(a)), y = s * (0.55 + 0.18 * std::sin(a));
                cairo_arc(cr, x, y, s * 0.06, 0, 2 * kPi);
                Fill(cr, Rgb(200, 40, 35));
            }
            cairo_arc(cr, s * 0.5, s * 0.55, s * 0.05, 0, 2 * kPi);
            Fill(cr, Rgb(60, 140, 50));
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
            Fill(cr, Rgb(170, 100, 45));
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
            Fill(cr, Rgb(220, 50, 40));
            Bowl(cr, s, Rgb(90, 180, 70), Rgb(240, 235, 220));
            break;
        case EItem::Cheese:
            Polygon(cr, {{s * 0.1, s * 0.72}, {s * 0.9, s * 0.72}, {s * 0.9, s * 0.45}, {s * 0.3, s * 0.28}});
            FillVertical(cr, s * 0.28, s * 0.72, Rgb(255, 230, 90), Rgb(240, 190, 50));
            Outline(cr, kInk, 1.2 * w);
            for (const auto& [x, y, r] : {std::array<double, 3>{0.45, 0.58, 0.06},
                                          {0.7, 0.6, 0.05},
                                          {0.6, 0.47, 0.035},
                                          {0.28, 0.63, 0.035}}) {
                cairo_arc(cr, s * x, s * y, s * r, 0, 2 * kPi);
                Fill(cr, Rgb(215, 160, 40));
            }
            break;
        case EItem::Cup:
            Polygon(cr,
                    {{s * 0.22, s * 0.22}, {s * 0.72, s * 0.22}, {s * 0.66, s * 0.85}, {s * 0.28, s * 0.85}});
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

// An ingredient place: a wooden crate with its item on it, as the icon shows it.
void CrateBox(cairo_t* cr, double w, double h) {
    RoundRect(cr, w * 0.04, h * 0.45, w * 0.92, h * 0.5, 3);
    FillVertical(cr, h * 0.45, h * 0.95, Rgb(200, 145, 85), Rgb(150, 100, 55));
    Outline(cr, kInk, 1.5);
    cairo_move_to(cr, w * 0.06, h * 0.7);
    cairo_line_to(cr, w * 0.94, h * 0.7);
    Outline(cr, Rgb(120, 80, 45), 1.2);
}

}  // namespace

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

void Dish(cairo_t* cr, double w, double h, EItem item) {
    Ellipse(cr, w / 2, h * 0.72, w * 0.48, h * 0.26);
    FillOutline(cr, Rgb(250, 250, 245), Rgb(150, 150, 160), 1.0);
    const double s = h * 1.0;
    cairo_save(cr);
    cairo_translate(cr, (w - s) / 2, -h * 0.05);
    DrawItem(cr, item, s);
    cairo_restore(cr);
}

void DrawIconCells(cairo_t* cr, bool grey) {
    for (int cell = 0; cell < 8; ++cell) {
        cairo_save(cr);
        cairo_translate(cr, (cell % 4) * kIconCell, (cell / 4) * kIconCell);
        cairo_rectangle(cr, 0, 0, kIconCell, kIconCell);
        cairo_clip(cr);
        DrawItem(cr, static_cast<EItem>(cell), kIconCell);
        if (grey) Desaturate(cr, kIconCell, kIconCell);
        cairo_restore(cr);
    }
}
