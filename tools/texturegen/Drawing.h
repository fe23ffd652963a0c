#pragma once
// The drawing helpers every picture of texturegen uses: colours, cairo shapes and fills, and
// changes made pixel by pixel to what a picture has drawn.
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

constexpr double kPi = 3.14159265358979;

struct TColour {
    double r, g, b, a = 1.0;
};

inline TColour Rgb(int r, int g, int b, double a = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
}

inline TColour Shade(TColour c, double f) {
    return {std::min(1.0, c.r * f), std::min(1.0, c.g * f), std::min(1.0, c.b * f), c.a};
}

void Set(cairo_t* cr, TColour c);

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double radius);

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// A closed path through the points, in their order.
void Polygon(cairo_t* cr, std::initializer_list<std::array<double, 2>> points);

// Fills the current path with a top-to-bottom gradient from `top` to `bottom`, keeps the path.
void FillVertical(cairo_t* cr, double y0, double y1, TColour top, TColour bottom);

// Fills the current path with a left-to-right shine over `w`: `edge` at the left, `light` a third
// of the way in, `far` at the right. Keeps the path.
void FillShine(cairo_t* cr, double w, TColour edge, TColour light, TColour far);

void Outline(cairo_t* cr, TColour c, double width);

// Fills the current path in one colour; the path is used up.
void Fill(cairo_t* cr, TColour c);

void FillOutline(cairo_t* cr, TColour fill, TColour line, double width);

// A soft radial glow about (cx, cy).
void Glow(cairo_t* cr, double cx, double cy, double radius, TColour c);

// Rewrites each pixel of the picture's w x h area (from the current origin) on the target surface,
// given its position in the picture; the pixels are cairo's premultiplied ARGB words.
void ForEachPixel(cairo_t* cr, double w, double h, const std::function<void(int, int, uint32_t&)>& change);

inline const TColour kInk = Rgb(50, 35, 30);

// Halves the colour of everything drawn so far in the picture: the closed look.
void Darken(cairo_t* cr, double w, double h);

// Turns everything drawn in the picture grey, keeping its lightness: the greyed item icons.
void Desaturate(cairo_t* cr, double w, double h);

// Writes the surface as a PNG file (making its folder) and destroys it; 1 with a message on failure.
int WritePng(cairo_surface_t* surface, const std::string& out);
