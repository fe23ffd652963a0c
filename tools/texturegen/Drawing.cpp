#include "tools/texturegen/Drawing.h"

#include <cstdio>
#include <filesystem>

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

void Polygon(cairo_t* cr, std::initializer_list<std::array<double, 2>> points) {
    cairo_new_sub_path(cr);  // so that the first point starts the path
    for (const auto& [x, y] : points) cairo_line_to(cr, x, y);
    cairo_close_path(cr);
}

namespace {

// Fills the current path with a gradient from (x0, y0) to (x1, y1) through the stops; keeps the path.
void FillGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                  std::initializer_list<std::pair<double, TColour>> stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const auto& [at, c] : stops) cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, c.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

}  // namespace

void FillVertical(cairo_t* cr, double y0, double y1, TColour top, TColour bottom) {
    FillGradient(cr, 0, y0, 0, y1, {{0, top}, {1, bottom}});
}

void FillShine(cairo_t* cr, double w, TColour edge, TColour light, TColour far) {
    FillGradient(cr, 0, 0, w, 0, {{0, edge}, {0.35, light}, {1, far}});
}

void Outline(cairo_t* cr, TColour c, double width) {
    Set(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Fill(cairo_t* cr, TColour c) {
    Set(cr, c);
    cairo_fill(cr);
}

void FillOutline(cairo_t* cr, TColour fill, TColour line, double width) {
    Set(cr, fill);
    cairo_fill_preserve(cr);
    Outline(cr, line, width);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, TColour c) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

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

void Darken(cairo_t* cr, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Desaturate(cairo_t* cr, double w, double h) {
    ForEachPixel(cr, w, h, [](int, int, uint32_t& px) {
        const uint32_t v = px;
        const int r = v >> 16 & 0xFF, g = v >> 8 & 0xFF, b = v & 0xFF;
        const int grey = (r * 3 + g * 5 + b * 2) / 10;
        px = (v & 0xFF000000u) | static_cast<uint32_t>(grey) << 16 | static_cast<uint32_t>(grey) << 8 |
             static_cast<uint32_t>(grey);
    });
}

int WritePng(cairo_surface_t* surface, const std::string& out) {
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
