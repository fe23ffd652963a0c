#include "tools/texturegen/Pictures.h"

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
        Fill(cr, kInk);
    }
    cairo_arc(cr, w * 0.5, h * 0.125, w * 0.06, 0.2 * kPi, 0.8 * kPi);
    Outline(cr, Rgb(190, 60, 60), 1.2);
}

void HeroineDress(cairo_t* cr, double w, double h) {
    Polygon(cr, {{w * 0.3, h * 0.22},
                 {w * 0.7, h * 0.22},
                 {w * 0.76, h * 0.34},
                 {w * 0.68, h * 0.4},
                 {w * 0.9, h * 0.72},
                 {w * 0.1, h * 0.72},
                 {w * 0.32, h * 0.4},
                 {w * 0.24, h * 0.34}});
    FillVertical(cr, h * 0.22, h * 0.72, Rgb(255, 255, 255), Rgb(200, 200, 200));
    Outline(cr, Rgb(60, 60, 60), 1.5);
    // a white apron and a belt
    Polygon(cr, {{w * 0.36, h * 0.42}, {w * 0.64, h * 0.42}, {w * 0.7, h * 0.66}, {w * 0.3, h * 0.66}});
    FillOutline(cr, Rgb(255, 255, 255), Rgb(150, 150, 150), 1.0);
    cairo_move_to(cr, w * 0.32, h * 0.4);
    cairo_line_to(cr, w * 0.68, h * 0.4);
    Outline(cr, Rgb(110, 110, 110), 2.0);
}

namespace {

// The customers, each its own: shirt, hair and skin.
struct TCustomerLook {
    TColour shirt, hair, skin;
};
const TCustomerLook kCustomers[kCustomerCount] = {{Rgb(70, 110, 170), Rgb(60, 45, 35), Rgb(245, 210, 175)},
                                                  {Rgb(80, 160, 80), Rgb(230, 190, 90), Rgb(250, 215, 185)},
                                                  {Rgb(190, 60, 60), Rgb(30, 30, 35), Rgb(200, 150, 110)},
                                                  {Rgb(130, 80, 160), Rgb(180, 180, 185), Rgb(240, 205, 175)},
                                                  {Rgb(230, 140, 50), Rgb(170, 70, 30), Rgb(250, 220, 190)},
                                                  {Rgb(40, 130, 140), Rgb(120, 70, 40), Rgb(225, 180, 140)},
                                                  {Rgb(60, 60, 70), Rgb(200, 60, 40), Rgb(250, 225, 200)}};

}  // namespace

void Customer(cairo_t* cr, double w, double h, int mood, int who) {
    const TCustomerLook& look = kCustomers[who];
    const TColour skin = mood == 2 ? Shade(look.skin, 0.85) : look.skin;
    cairo_move_to(cr, w * 0.08, h);
    cairo_curve_to(cr, w * 0.1, h * 0.7, w * 0.9, h * 0.7, w * 0.92, h);
    cairo_close_path(cr);
    FillOutline(cr, look.shirt, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.42, w * 0.26, 0, 2 * kPi);
    FillOutline(cr, mood == 2 ? TColour{skin.r, skin.g * 0.8, skin.b * 0.8, 1.0} : skin, kInk, 1.0);
    cairo_arc(cr, w * 0.5, h * 0.36, w * 0.27, kPi, 2 * kPi);
    Fill(cr, look.hair);
    for (const double x : {0.41, 0.59}) {
        cairo_arc(cr, w * x, h * 0.43, w * 0.035, 0, 2 * kPi);
        Fill(cr, kInk);
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

void Portrait(cairo_t* cr, double w, double h) {
    RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 4);
    FillVertical(cr, 0, h, Rgb(255, 255, 255), Rgb(190, 190, 190));
    cairo_move_to(cr, w * 0.12, h);
    cairo_curve_to(cr, w * 0.14, h * 0.68, w * 0.86, h * 0.68, w * 0.88, h);
    cairo_close_path(cr);
    Fill(cr, Rgb(120, 120, 120));
    cairo_arc(cr, w * 0.5, h * 0.42, w * 0.22, 0, 2 * kPi);
    FillOutline(cr, Rgb(250, 250, 250), Rgb(60, 60, 60), 1.0);
    for (const double x : {0.42, 0.58}) {
        cairo_arc(cr, w * x, h * 0.42, w * 0.03, 0, 2 * kPi);
        Fill(cr, Rgb(40, 40, 40));
    }
}

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
