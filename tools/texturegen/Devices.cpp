#include <algorithm>
#include <array>
#include <cmath>

#include "tools/texturegen/Pictures.h"

namespace {

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
            Fill(cr, Rgb(255, 200, 120));
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
    Polygon(cr, {{w * 0.12, h * 0.18}, {w * 0.88, h * 0.18}, {w * 0.97, h * 0.62}, {w * 0.03, h * 0.62}});
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
    Fill(cr, work ? Rgb(255, 80, 40) : Rgb(150, 150, 160));
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
    Fill(cr, work ? Rgb(80, 230, 90) : Rgb(40, 60, 40));
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
    Polygon(cr, {{w * 0.12, h * 0.06}, {w * 0.88, h * 0.06}, {w * 0.94, h * 0.42}, {w * 0.06, h * 0.42}});
    FillOutline(cr, Rgb(40, 40, 48), kInk, 1.5);
    for (const auto& [x, y] : {std::array<double, 2>{0.3, 0.15}, {0.7, 0.15}, {0.28, 0.32}, {0.72, 0.32}}) {
        Ellipse(cr, w * x, h * y, w * 0.13, h * 0.055);
        if (work)
            FillOutline(cr, Rgb(255, 70, 25), Rgb(255, 190, 80), 1.5);
        else
            FillOutline(cr, Rgb(70, 70, 80), Rgb(120, 120, 130), 1.2);
    }
}

}  // namespace

void DrawDevice(cairo_t* cr, int device, double w, double h, ELook look) {
    constexpr void (*kDevices[])(cairo_t*, double, double, ELook) = {Saucepan, Griddle, Microwave, Stove};
    kDevices[std::clamp(device, 0, 3)](cr, w, h, look);
}

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

void ServingPlate(cairo_t* cr, double w, double h) {
    Ellipse(cr, w / 2, h / 2, w * 0.48, h * 0.45);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(215, 215, 220));
    Outline(cr, Rgb(120, 120, 135), 1.5);
    Ellipse(cr, w / 2, h / 2, w * 0.32, h * 0.28);
    Outline(cr, Rgb(190, 190, 200), 1.2);
}

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
    Fill(cr, kInk);
}

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
        Fill(cr, Rgb(255, 255, 255, 0.9));
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
    Polygon(cr, {{w * 0.2, h * 0.64}, {w * 0.8, h * 0.64}, {w * 0.7, h * 0.98}, {w * 0.3, h * 0.98}});
    FillVertical(cr, h * 0.64, h, Rgb(210, 110, 60), Rgb(160, 75, 40));
    Outline(cr, kInk, 1.5);
}

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

void Lamp(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, w * 0.46, h * 0.6, w * 0.08, h * 0.3);
    FillOutline(cr, Rgb(120, 90, 60), kInk, 1.0);
    Ellipse(cr, w / 2, h * 0.92, w * 0.34, h * 0.05);
    FillOutline(cr, Rgb(100, 75, 50), kInk, 1.2);
    Polygon(cr, {{w * 0.3, h * 0.05}, {w * 0.7, h * 0.05}, {w * 0.97, h * 0.7}, {w * 0.03, h * 0.7}});
    FillVertical(cr, h * 0.05, h * 0.7, Rgb(255, 160, 50), Rgb(235, 100, 30));
    Outline(cr, kInk, 1.5);
}

void Book(cairo_t* cr, double w, double h) {
    RoundRect(cr, w * 0.08, h * 0.12, w * 0.84, h * 0.76, 3);
    FillVertical(cr, 0, h, Rgb(80, 190, 110), Rgb(40, 130, 70));
    Outline(cr, kInk, 1.5);
    cairo_rectangle(cr, w * 0.08, h * 0.12, w * 0.12, h * 0.76);
    Fill(cr, Rgb(30, 100, 50));
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
    Fill(cr, Rgb(250, 220, 80));
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

void Sun(cairo_t* cr, double w, double h) {
    const double cx = w / 2, cy = h / 2, r = w * 0.22;
    Glow(cr, cx, cy, w / 2, Rgb(255, 230, 120, 0.7));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        const double a0 = a - 0.13, a1 = a + 0.13;
        Polygon(cr, {{cx + r * 1.15 * std::cos(a0), cy + r * 1.15 * std::sin(a0)},
                     {cx + w * 0.46 * std::cos(a), cy + w * 0.46 * std::sin(a)},
                     {cx + r * 1.15 * std::cos(a1), cy + r * 1.15 * std::sin(a1)}});
    }
    Fill(cr, Rgb(255, 190, 50));
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 1.0, 0.85);
    cairo_pattern_add_color_stop_rgb(p, 1, 1.0, 0.75, 0.2);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Outline(cr, Rgb(230, 140, 30), 1.2);
}

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

void Room(cairo_t* cr, double w, double h) {
    cairo_rectangle(cr, 0, 0, w, h * 0.66);
    FillVertical(cr, 0, h * 0.66, Rgb(255, 255, 255), Rgb(235, 235, 230));
    cairo_new_path(cr);
    for (double x = w / 16; x < w; x += w / 8) {
        cairo_rectangle(cr, x, 0, w / 16, h * 0.66);
    }
    Fill(cr, Rgb(240, 240, 250));
    cairo_rectangle(cr, 0, h * 0.64, w, h * 0.03);
    Fill(cr, Rgb(200, 190, 180));
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
