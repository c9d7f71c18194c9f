#include "art/game_paint.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art::gp {

const char* const kFontRound = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
const char* const kFontText = "/usr/share/fonts/truetype/lato/Lato-Black.ttf";

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double e0, double e1, double x) {
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

void paintPixels(Canvas& canvas, const std::function<Rgba(int x, int y)>& f) {
    canvas.editPixels([&](int x, int y, uint32_t& p) {
        Rgba c = f(x, y);
        double a = clamp01(c.a);
        auto q = [a](double v) { return static_cast<uint32_t>(std::lround(clamp01(v) * a * 255.0)); };
        p = (static_cast<uint32_t>(std::lround(a * 255.0)) << 24) | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    });
}

double tileNoise(double x, double y, int period, uint32_t seed) {
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    auto w = [period](int v) { return ((v % period) + period) % period; };
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = lattice(w(xi), w(yi), seed), b = lattice(w(xi + 1), w(yi), seed);
    double c = lattice(w(xi), w(yi + 1), seed), d = lattice(w(xi + 1), w(yi + 1), seed);
    double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

double tileFbm(double x, double y, double tile, uint32_t seed) {
    double v = 0, amp = 0.5, total = 0;
    for (int o = 0, period = 4; o < 3; ++o, period *= 2) {
        v += amp * tileNoise(x / tile * period, y / tile * period, period, seed + o * 101);
        total += amp;
        amp *= 0.5;
    }
    return v / total;
}

std::vector<uint8_t> pngBytes(const Canvas& canvas) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png encoding failed");
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            v->insert(v->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, canvas.width(), canvas.height(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    std::vector<uint8_t> row(canvas.width() * 4);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) canvas.pixel(x, y, &row[x * 4]);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void glossyFill(cairo_t* cr, double cx, double cy, double radius, Rgb base, double outlineWidth) {
    cairo_path_t* path = cairo_copy_path(cr);
    Rgb hi = lighter(base, 0.45), lo = darker(base, 0.35);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4, radius * 0.05, cx, cy,
                                                     radius * 1.15);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (outlineWidth <= 0) {
        cairo_new_path(cr);
        cairo_path_destroy(path);
        return;
    }
    // A thin bright reflected rim at the lower right.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    setColor(cr, lighter(base, 0.25), 0.35);
    cairo_set_line_width(cr, outlineWidth * 2.2);
    cairo_translate(cr, -outlineWidth * 0.8, -outlineWidth * 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    setColor(cr, mix(darker(base, 0.6), pal::outline, 0.5), 0.95);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_path_destroy(path);
}

namespace {

// Fills an ellipse with colour c fading from alpha a0 at the centre (moved up by
// `lift` of the radius) through a1 at 60 % to nothing at the rim.
void fadeEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle, Rgb c, double a0, double a1,
                 double lift) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, -lift, 0.05, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a0);
    cairo_pattern_add_color_stop_rgba(p, 0.6, c.r, c.g, c.b, a1);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

} // namespace

void shine(cairo_t* cr, double cx, double cy, double rx, double ry, double angle, double alpha) {
    fadeEllipse(cr, cx, cy, rx, ry, angle, {1, 1, 1}, alpha, alpha * 0.55, 0.2);
}

void shadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    fadeEllipse(cr, cx, cy, rx, ry, 0, {0.1, 0.08, 0.05}, alpha, alpha * 0.4, 0);
}

void renderPicture(const std::filesystem::path& path, int width, int height, const std::function<void(Canvas&)>& paint) {
    Canvas c(width, height);
    paint(c);
    c.savePng(path);
}

void outlinedText(cairo_t* cr, const std::string& text, double cx, double y, Rgb fill, Rgb line, double lineWidth) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double x = cx - e.x_advance / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x + lineWidth * 0.4, y + lineWidth * 0.6);
    cairo_text_path(cr, text.c_str());
    setColor(cr, pal::outline, 0.45);
    cairo_set_line_width(cr, lineWidth * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    setColor(cr, line);
    cairo_set_line_width(cr, lineWidth * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + e.y_bearing, 0, y);
    Rgb top = lighter(fill, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, fill.r, fill.g, fill.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_move_to(cr, 0, -r);
    cairo_curve_to(cr, r * 0.12, -r * 0.12, r * 0.12, -r * 0.12, r, 0);
    cairo_curve_to(cr, r * 0.12, r * 0.12, r * 0.12, r * 0.12, 0, r);
    cairo_curve_to(cr, -r * 0.12, r * 0.12, -r * 0.12, r * 0.12, -r, 0);
    cairo_curve_to(cr, -r * 0.12, -r * 0.12, -r * 0.12, -r * 0.12, 0, -r);
    cairo_close_path(cr);
    setColor(cr, c, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void mossCushion(cairo_t* cr, double x, double y, double r, Rng& rng) {
    const Rgb deep{0.13, 0.27, 0.08}, mid{0.25, 0.43, 0.13}, bright{0.43, 0.60, 0.20};
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, r * 0.1, x, y, r);
    Rgb top = mix(mid, bright, rng.range(0.3, 0.8));
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 0.6, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, deep.r, deep.g, deep.b);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Fine fronds: small light dots on the lit side.
    for (int f = 0; f < 5; ++f) {
        double a = rng.range(M_PI * 0.9, M_PI * 1.7), d = r * rng.range(0.2, 0.75);
        cairo_arc(cr, x + d * std::cos(a), y + d * std::sin(a), rng.range(0.7, 1.3) * std::fmin(1.5, r / 6), 0, 2 * M_PI);
        setColor(cr, lighter(bright, 0.35), 0.7);
        cairo_fill(cr);
    }
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void starPath(cairo_t* cr, double cx, double cy, int n, double r1, double r0, double rot) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * n; ++i) {
        double a = rot - M_PI / 2 + i * M_PI / n;
        double r = (i % 2) ? r0 : r1;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void roundedPolygon(cairo_t* cr, const std::vector<std::pair<double, double>>& pts, double radius) {
    size_t n = pts.size();
    cairo_new_sub_path(cr);
    for (size_t i = 0; i < n; ++i) {
        auto [px, py] = pts[(i + n - 1) % n];
        auto [x, y] = pts[i];
        auto [nx, ny] = pts[(i + 1) % n];
        double ax = px - x, ay = py - y, bx = nx - x, by = ny - y;
        double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
        double r = std::min({radius, la / 2, lb / 2});
        double x1 = x + ax / la * r, y1 = y + ay / la * r, x2 = x + bx / lb * r, y2 = y + by / lb * r;
        if (i == 0) cairo_move_to(cr, x1, y1);
        else cairo_line_to(cr, x1, y1);
        cairo_curve_to(cr, x, y, x, y, x2, y2);
    }
    cairo_close_path(cr);
}

} // namespace art::gp
