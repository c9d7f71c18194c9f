#include "art/screens_kit.h"


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace art::scr {

const char* const kFontRound = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
const char* const kFontText = "/usr/share/fonts/truetype/lato/Lato-Bold.ttf";
const char* const kFontTextBlack = "/usr/share/fonts/truetype/lato/Lato-Black.ttf";

uint32_t Rng::next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

// --- Text -------------------------------------------------------------------

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

static void textPath(cairo_t* cr, const std::string& text, double cx, double y) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - textWidth(cr, text) / 2, y);
    cairo_text_path(cr, text.c_str());
}

static void textShadowAndLine(cairo_t* cr, const std::string& text, double cx, double y, Rgb line,
                              double lineWidth, double shadow) {
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (shadow > 0) {
        textPath(cr, text, cx + shadow * 0.5, y + shadow);
        cairo_set_line_width(cr, lineWidth * 2 + shadow * 0.6);
        setColor(cr, pal::outline, 0.30);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    textPath(cr, text, cx, y);
    cairo_set_line_width(cr, lineWidth * 2);
    setColor(cr, line);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void outlinedText(cairo_t* cr, const std::string& text, double cx, double y, Rgb fill, Rgb line,
                  double lineWidth, double shadow) {
    textShadowAndLine(cr, text, cx, y, line, lineWidth, shadow);
    textPath(cr, text, cx, y);
    setColor(cr, fill);
    cairo_fill(cr);
}

void gradientText(cairo_t* cr, const std::string& text, double cx, double y, Rgb top, Rgb bottom, Rgb line,
                  double lineWidth, double shadow) {
    textShadowAndLine(cr, text, cx, y, line, lineWidth, shadow);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    textPath(cr, text, cx, y);
    fillStops(cr, cairo_pattern_create_linear(0, y - fe.ascent * 0.8, 0, y), {{0, top}, {1, bottom}});
    // A soft gloss on the upper half of the letters.
    cairo_save(cr);
    textPath(cr, text, cx, y);
    cairo_clip(cr);
    cairo_rectangle(cr, cx - 2000, y - fe.ascent, 4000, fe.ascent * 0.42);
    setColor(cr, {1, 1, 1}, 0.22);
    cairo_fill(cr);
    cairo_restore(cr);
}

// --- Surfaces and ornaments -------------------------------------------------

void fillStops(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops, bool preserve) {
    for (const Stop& s : stops)
        cairo_pattern_add_color_stop_rgb(p, s.at, s.c.r, s.c.g, s.c.b);
    cairo_set_source(cr, p);
    if (preserve)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void strokeRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c, double alpha,
                   double width) {
    roundedRect(cr, x, y, w, h, r);
    setColor(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void shadedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c, double lineWidth) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    double r = std::max(rx, ry);
    Rgb hi = lighter(c, 0.42), lo = darker(c, 0.3);
    fillStops(cr, cairo_pattern_create_radial(cx - rx * 0.35, cy - ry * 0.42, r * 0.08, cx, cy, r * 1.15),
              {{0, hi}, {0.52, c}, {1, lo}}, true);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

void softShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha) {
    const int steps = 8;
    for (int i = steps; i >= 1; --i) {
        double g = spread * i / steps;
        roundedRect(cr, x - g, y - g, w + 2 * g, h + 2 * g, r + g);
        setColor(cr, pal::outline, alpha / steps);
        cairo_fill(cr);
    }
}

void stoneSlab(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base, uint32_t seed) {
    roundedRect(cr, x, y, w, h, r);
    fillVertical(cr, y, y + h, lighter(base, 0.25), darker(base, 0.18));
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    // Weathered speckles and a few cracks.
    paintGrain(cr, x, y, w, h, darker(base, 0.35), 0.18, seed);
    paintGrain(cr, x, y, w, h, lighter(base, 0.45), 0.10, seed + 17);
    Rng rng(seed);
    int cracks = static_cast<int>((w + h) / 160) + 1;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < cracks; ++i) {
        double cx = x + rng.range(0.1, 0.9) * w, cy = y + rng.range(0.1, 0.9) * h;
        cairo_move_to(cr, cx, cy);
        for (int k = 0; k < 3; ++k) {
            cx += rng.range(-14, 14);
            cy += rng.range(4, 14);
            cairo_line_to(cr, cx, cy);
        }
        setColor(cr, darker(base, 0.45), 0.35);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Bevel: light upper edge, shaded lower edge.
    roundedRect(cr, x + 2, y + 2, w - 4, h - 4, r - 2);
    cairo_set_line_width(cr, 3);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.30);
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    strokeRounded(cr, x, y, w, h, r, pal::outline, 0.85, 2.5);
}

void sandInset(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed) {
    Rgb top{0.80, 0.70, 0.50}, bottom{0.68, 0.56, 0.37};
    roundedRect(cr, x, y, w, h, r);
    fillVertical(cr, y, y + h, top, bottom);
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    paintGrain(cr, x, y, w, h, {0.55, 0.42, 0.26}, 0.10, seed);
    paintGrain(cr, x, y, w, h, {1.0, 0.95, 0.80}, 0.08, seed + 3);
    // Inner shadow along the upper edge: the surface sits below the rim.
    for (int i = 0; i < 6; ++i) {
        strokeRounded(cr, x + i, y + i, w - 2 * i, h - 2 * i, r - i, pal::outline, 0.10 - i * 0.015, 2);
    }
    cairo_restore(cr);
    strokeRounded(cr, x, y, w, h, r, pal::outline, 0.6, 1.5);
}

void mossCushion(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed, double shade) {
    Rng rng(seed);
    // Wide cushions need more lobes so that they overlap into one carpet.
    int lobes = std::min(20, 5 + rng.pick(4) + static_cast<int>(rx / std::max(ry, 0.5) * 1.6));
    double lx[20], ly[20], lr[20];
    for (int i = 0; i < lobes; ++i) {
        lx[i] = cx + ((i + rng.uniform()) / lobes * 1.2 - 0.6) * rx;
        ly[i] = cy + rng.range(-0.3, 0.25) * ry + std::abs(lx[i] - cx) / rx * ry * 0.3;
        lr[i] = std::min(rx * 0.55, ry) * rng.range(0.5, 0.8) * (1.1 - std::abs(lx[i] - cx) / rx * 0.5);
    }
    auto blob = [&](double grow) {
        cairo_new_path(cr);
        for (int i = 0; i < lobes; ++i) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, lx[i], ly[i], lr[i] + grow, 0, 2 * M_PI);
        }
    };
    // Outline first, then one fill over all lobes, so they merge into one cushion.
    blob(1.3);
    setColor(cr, darker(pal::mossDark, 0.35), 0.85);
    cairo_fill(cr);
    blob(0);
    double rr = std::max(rx, ry) * 1.1;
    Rgb hi = darker(lighter(pal::leaf, 0.2), shade * 0.45), mid = darker(pal::moss, shade * 0.4),
        lo = darker(pal::mossDark, shade * 0.3);
    fillStops(cr, cairo_pattern_create_radial(cx - rx * 0.25, cy - ry * 0.6, rr * 0.05, cx, cy, rr),
              {{0, hi}, {0.55, mid}, {1, lo}});
    // Fuzzy texture: the moss's tiny leaves, light on top and dark below.
    cairo_save(cr);
    blob(0);
    cairo_clip(cr);
    int dots = std::min(160, static_cast<int>(rx * ry / 5) + 6);
    double dr = std::max(0.7, ry * 0.09);
    for (int i = 0; i < dots; ++i) {
        double px = cx + rng.range(-1, 1) * rx, py = cy + rng.range(-1, 1) * ry;
        bool top = py < cy;
        cairo_arc(cr, px, py, dr * rng.range(0.6, 1.3), 0, 2 * M_PI);
        setColor(cr, top ? darker(lighter(pal::leaf, 0.35), shade * 0.4) : darker(pal::mossDark, 0.2),
                 top ? 0.45 : 0.3);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void mossEdge(cairo_t* cr, double x0, double x1, double y, double size, uint32_t seed, double density) {
    Rng rng(seed);
    double x = x0 + rng.range(0, size);
    int i = 0;
    while (x < x1) {
        double w = size * rng.range(0.8, 1.6);
        if (rng.uniform() < density)
            mossCushion(cr, x, y + rng.range(-1, 2), w, size * rng.range(0.45, 0.7), seed + i * 7);
        x += w * rng.range(1.2, 2.6) / density;
        ++i;
    }
}

void sprig(cairo_t* cr, double x, double y, double length, double angle, Rgb leafColour, uint32_t seed) {
    Rng rng(seed);
    double ex = x + std::cos(angle) * length, ey = y + std::sin(angle) * length;
    double bend = rng.range(-0.3, 0.3) * length;
    double mx = (x + ex) / 2 - std::sin(angle) * bend, my = (y + ey) / 2 + std::cos(angle) * bend;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, mx, my, mx, my, ex, ey);
    setColor(cr, darker(leafColour, 0.4));
    cairo_set_line_width(cr, std::max(1.0, length * 0.06));
    cairo_stroke(cr);
    int leaves = 2 + rng.pick(3);
    for (int i = 0; i < leaves; ++i) {
        double t = 0.35 + 0.65 * (i + 1) / leaves;
        double u = 1 - t;
        double px = u * u * x + 2 * u * t * mx + t * t * ex, py = u * u * y + 2 * u * t * my + t * t * ey;
        double side = (i % 2 == 0) ? 1 : -1;
        double la = angle + side * rng.range(0.6, 1.0);
        double ll = length * rng.range(0.28, 0.4);
        cairo_save(cr);
        cairo_translate(cr, px, py);
        cairo_rotate(cr, la);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, ll * 0.3, -ll * 0.35, ll * 0.8, -ll * 0.3, ll, 0);
        cairo_curve_to(cr, ll * 0.8, ll * 0.3, ll * 0.3, ll * 0.35, 0, 0);
        cairo_restore(cr);
        Rgb hi = lighter(leafColour, 0.25);
        fillStops(cr, cairo_pattern_create_radial(px, py, 0, px, py, ll), {{0, leafColour}, {1, hi}}, true);
        setColor(cr, darker(leafColour, 0.5), 0.7);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
}

void flower(cairo_t* cr, double x, double y, double r, Rgb petals, Rgb heart) {
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5 - M_PI / 2;
        cairo_new_path(cr);
        cairo_arc(cr, x + std::cos(a) * r * 0.6, y + std::sin(a) * r * 0.6, r * 0.5, 0, 2 * M_PI);
        setColor(cr, petals);
        cairo_fill_preserve(cr);
        setColor(cr, darker(petals, 0.45), 0.6);
        cairo_set_line_width(cr, std::max(0.6, r * 0.08));
        cairo_stroke(cr);
    }
    cairo_arc(cr, x, y, r * 0.32, 0, 2 * M_PI);
    setColor(cr, heart);
    cairo_fill(cr);
}

void woodPlank(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed) {
    roundedRect(cr, x, y, w, h, r);
    fillVertical(cr, y, y + h, lighter(pal::wood, 0.18), darker(pal::wood, 0.15));
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    Rng rng(seed);
    int lines = static_cast<int>(h / 7) + 2;
    for (int i = 0; i < lines; ++i) {
        double ly = y + (i + 0.5) * h / lines + rng.range(-2, 2);
        cairo_move_to(cr, x, ly);
        for (double lx = x; lx <= x + w; lx += 20)
            cairo_line_to(cr, lx, ly + 2.5 * std::sin(lx * 0.035 + i * 1.7) + rng.range(-0.6, 0.6));
        setColor(cr, darker(pal::wood, 0.35), 0.35);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // A knot or two.
    for (int i = 0; i < 2; ++i) {
        double kx = x + rng.range(0.15, 0.85) * w, ky = y + rng.range(0.3, 0.7) * h;
        cairo_save(cr);
        cairo_translate(cr, kx, ky);
        cairo_scale(cr, 1.8, 1);
        cairo_arc(cr, 0, 0, 3, 0, 2 * M_PI);
        cairo_restore(cr);
        setColor(cr, darker(pal::wood, 0.45), 0.5);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    roundedRect(cr, x + 2, y + 2, w - 4, h * 0.4, r);
    setColor(cr, {1, 1, 1}, 0.10);
    cairo_fill(cr);
    cairo_restore(cr);
    strokeRounded(cr, x, y, w, h, r, pal::outline, 0.9, 2.5);
}

void chain(cairo_t* cr, double x0, double y0, double x1, double y1, double link) {
    double len = std::hypot(x1 - x0, y1 - y0);
    double ang = std::atan2(y1 - y0, x1 - x0);
    int n = std::max(1, static_cast<int>(len / (link * 0.78)));
    for (int i = 0; i < n; ++i) {
        double t = (i + 0.5) / n;
        double cx = x0 + (x1 - x0) * t, cy = y0 + (y1 - y0) * t;
        bool flat = i % 2 == 0;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, ang);
        double lw = link * 0.5, lh = flat ? link * 0.34 : link * 0.12;
        roundedRect(cr, -lw, -lh, 2 * lw, 2 * lh, lh);
        cairo_restore(cr);
        setColor(cr, pal::outline, 0.9);
        cairo_set_line_width(cr, flat ? link * 0.26 : link * 0.3);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, flat ? link * 0.14 : link * 0.16);
        setColor(cr, flat ? Rgb{0.62, 0.60, 0.58} : Rgb{0.48, 0.46, 0.45});
        cairo_stroke(cr);
        if (flat) { // a glint on the flat links
            cairo_arc(cr, cx - std::sin(ang) * link * 0.1, cy - link * 0.1, link * 0.06, 0, 2 * M_PI);
            setColor(cr, {1, 1, 1}, 0.6);
            cairo_fill(cr);
        }
    }
}

// --- Characters ---------------------------------------------------------------

Rgb beetleColour(int kind) {
    // The same four colours as the beetles and creatures of the power-up bar.
    switch (kind) {
    case 1:
        return pal::piece1; // red
    case 2:
        return pal::piece3; // blue
    case 3:
        return pal::piece4; // green
    default:
        return {0.98, 0.60, 0.18}; // orange
    }
}

void beetle(cairo_t* cr, double x, double y, double s, int kind, double angle, bool happy) {
    Rgb c = beetleColour(kind);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Shadow.
    cairo_save(cr);
    cairo_translate(cr, s * 0.08, s * 0.12);
    cairo_scale(cr, 0.55 * s, 0.7 * s);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, pal::outline, 0.25);
    cairo_fill(cr);
    // Six legs.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double ly = -s * 0.25 + i * s * 0.28;
            cairo_move_to(cr, side * s * 0.3, ly);
            cairo_line_to(cr, side * s * 0.62, ly + (i - 1) * s * 0.18 - s * 0.05);
            cairo_line_to(cr, side * s * 0.7, ly + (i - 1) * s * 0.3);
            setColor(cr, pal::outline);
            cairo_set_line_width(cr, s * 0.07);
            cairo_stroke(cr);
        }
    // Antennae.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * s * 0.1, -s * 0.75);
        cairo_curve_to(cr, side * s * 0.15, -s * 0.95, side * s * 0.3, -s * 1.0, side * s * 0.38, -s * 1.05);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, s * 0.05);
        cairo_stroke(cr);
        cairo_arc(cr, side * s * 0.38, -s * 1.05, s * 0.07, 0, 2 * M_PI);
        setColor(cr, c);
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, s * 0.03);
        cairo_stroke(cr);
    }
    // Head.
    cairo_arc(cr, 0, -s * 0.58, s * 0.28, 0, 2 * M_PI);
    setColor(cr, {0.22, 0.18, 0.16});
    cairo_fill_preserve(cr);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, s * 0.05);
    cairo_stroke(cr);
    // Shell.
    shadedEllipse(cr, 0, s * 0.06, 0.5 * s, 0.62 * s, c, s * 0.06);
    // The split of the wing cases and the spots (each kind its own pattern).
    cairo_move_to(cr, 0, -s * 0.5);
    cairo_line_to(cr, 0, s * 0.7);
    setColor(cr, pal::outline, 0.8);
    cairo_set_line_width(cr, s * 0.04);
    cairo_stroke(cr);
    int spots = 1 + kind;
    for (int i = 0; i < spots; ++i) {
        double side = (i % 2 == 0) ? -1 : 1;
        double sy = -s * 0.2 + (i / 2) * s * 0.3;
        cairo_arc(cr, side * s * 0.22, sy, s * (0.09 - 0.008 * kind), 0, 2 * M_PI);
        setColor(cr, darker(c, 0.6), 0.85);
        cairo_fill(cr);
    }
    // Shine.
    cairo_save(cr);
    cairo_translate(cr, -s * 0.2, -s * 0.25);
    cairo_rotate(cr, -0.5);
    cairo_scale(cr, s * 0.12, s * 0.06);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, {1, 1, 1}, 0.75);
    cairo_fill(cr);
    // Big friendly eyes on the head.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, side * s * 0.12, -s * 0.64, s * 0.1, 0, 2 * M_PI);
        setColor(cr, {1, 1, 1});
        cairo_fill(cr);
        cairo_arc(cr, side * s * 0.12, -s * (happy ? 0.67 : 0.64), s * 0.05, 0, 2 * M_PI);
        setColor(cr, pal::outline);
        cairo_fill(cr);
        cairo_arc(cr, side * s * 0.12 + s * 0.02, -s * 0.69, s * 0.018, 0, 2 * M_PI);
        setColor(cr, {1, 1, 1});
        cairo_fill(cr);
    }
    if (happy) {
        cairo_arc(cr, 0, -s * 0.53, s * 0.08, 0.2, M_PI - 0.2);
        setColor(cr, {1, 0.85, 0.75});
        cairo_set_line_width(cr, s * 0.03);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void guardian(cairo_t* cr, double x, double y, double s, int kind, bool awake) {
    Rgb body = mix(beetleColour(kind), pal::stone, 0.2);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Shadow on the ground.
    cairo_save(cr);
    cairo_translate(cr, 0, s * 0.92);
    cairo_scale(cr, s * 0.95, s * 0.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, pal::outline, 0.3);
    cairo_fill(cr);
    // Feet.
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * s * 0.45, s * 0.85);
        cairo_scale(cr, s * 0.25, s * 0.14);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColor(cr, darker(body, 0.2));
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, s * 0.04);
        cairo_stroke(cr);
    }
    // On the head, one mark per kind: a horn, two crystal feelers, a sprout,
    // a curly feeler.
    cairo_set_line_width(cr, s * 0.05);
    if (kind == 1) {
        cairo_move_to(cr, -s * 0.16, -s * 0.8);
        cairo_curve_to(cr, -s * 0.05, -s * 1.1, s * 0.1, -s * 1.2, s * 0.18, -s * 1.3);
        cairo_curve_to(cr, s * 0.16, -s * 1.05, s * 0.14, -s * 0.9, s * 0.16, -s * 0.8);
        cairo_close_path(cr);
        setColor(cr, {0.96, 0.90, 0.76});
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline);
        cairo_stroke(cr);
    } else if (kind == 2) {
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, side * s * 0.25, -s * 0.82);
            cairo_line_to(cr, side * s * 0.38, -s * 1.1);
            setColor(cr, pal::outline);
            cairo_stroke(cr);
            cairo_move_to(cr, side * s * 0.38, -s * 1.32);
            cairo_line_to(cr, side * s * 0.46, -s * 1.16);
            cairo_line_to(cr, side * s * 0.38, -s * 1.04);
            cairo_line_to(cr, side * s * 0.3, -s * 1.16);
            cairo_close_path(cr);
            setColor(cr, {0.80, 0.95, 1.0});
            cairo_fill_preserve(cr);
            setColor(cr, pal::outline);
            cairo_stroke(cr);
        }
    } else if (kind == 3) {
        cairo_move_to(cr, 0, -s * 0.88);
        cairo_line_to(cr, 0, -s * 1.05);
        setColor(cr, pal::outline);
        cairo_stroke(cr);
        for (int side = -1; side <= 1; side += 2) {
            cairo_save(cr);
            cairo_translate(cr, side * s * 0.17, -s * 1.1);
            cairo_rotate(cr, side * 0.4);
            cairo_scale(cr, s * 0.18, s * 0.09);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            setColor(cr, pal::leaf);
            cairo_fill_preserve(cr);
            setColor(cr, pal::outline);
            cairo_stroke(cr);
        }
    } else {
        cairo_move_to(cr, 0, -s * 0.88);
        cairo_curve_to(cr, s * 0.05, -s * 1.2, s * 0.35, -s * 1.2, s * 0.3, -s * 1.05);
        cairo_curve_to(cr, s * 0.26, -s * 0.96, s * 0.14, -s * 1.0, s * 0.18, -s * 1.08);
        setColor(cr, pal::outline);
        cairo_stroke(cr);
    }
    // Round body.
    shadedEllipse(cr, 0, 0, s, s * 0.92, body, s * 0.06);
    // Belly patch.
    cairo_save(cr);
    cairo_translate(cr, 0, s * 0.35);
    cairo_scale(cr, s * 0.55, s * 0.45);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, lighter(body, 0.5), 0.6);
    cairo_fill(cr);
    // Spots on the back, and moss on the head while it sleeps.
    for (int i = 0; i < 5; ++i) {
        double a = 0.9 + i * 0.33;
        cairo_arc(cr, std::cos(a + M_PI) * s * 0.72, std::sin(a + M_PI) * s * 0.55 + s * 0.1, s * 0.07, 0,
                  2 * M_PI);
        cairo_arc(cr, -std::cos(a + M_PI) * s * 0.72, std::sin(a + M_PI) * s * 0.55 + s * 0.1, s * 0.07, 0,
                  2 * M_PI);
        setColor(cr, darker(body, 0.3), 0.55);
        cairo_fill(cr);
    }
    if (!awake) mossCushion(cr, -s * 0.1, -s * 0.78, s * 0.45, s * 0.3, 40 + kind);
    // Face.
    for (int side = -1; side <= 1; side += 2) {
        double ex = side * s * 0.33, ey = -s * 0.12;
        if (awake) {
            cairo_arc(cr, ex, ey, s * 0.2, 0, 2 * M_PI);
            setColor(cr, {1, 1, 1});
            cairo_fill_preserve(cr);
            setColor(cr, pal::outline);
            cairo_set_line_width(cr, s * 0.035);
            cairo_stroke(cr);
            cairo_arc(cr, ex + side * s * 0.02, ey + s * 0.02, s * 0.11, 0, 2 * M_PI);
            setColor(cr, pal::outline);
            cairo_fill(cr);
            cairo_arc(cr, ex + s * 0.05, ey - s * 0.04, s * 0.04, 0, 2 * M_PI);
            setColor(cr, {1, 1, 1});
            cairo_fill(cr);
        } else {
            cairo_arc(cr, ex, ey - s * 0.04, s * 0.16, 0.25 * M_PI, 0.75 * M_PI);
            setColor(cr, pal::outline);
            cairo_set_line_width(cr, s * 0.06);
            cairo_stroke(cr);
        }
        cairo_arc(cr, side * s * 0.58, s * 0.16, s * 0.12, 0, 2 * M_PI);
        setColor(cr, {0.98, 0.5, 0.5}, 0.45);
        cairo_fill(cr);
    }
    if (awake) {
        cairo_arc(cr, 0, s * 0.12, s * 0.2, 0.15 * M_PI, 0.85 * M_PI);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, s * 0.05);
        cairo_stroke(cr);
    } else {
        cairo_arc(cr, 0, s * 0.2, s * 0.07, 0, 2 * M_PI);
        setColor(cr, pal::outline, 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    if (!awake) { // Z z z
        setFont(cr, kFontRound, s * 0.45);
        outlinedText(cr, "z", x + s * 0.9, y - s * 0.8, pal::cream, pal::outline, 2, 0);
        setFont(cr, kFontRound, s * 0.6);
        outlinedText(cr, "Z", x + s * 1.25, y - s * 1.2, pal::cream, pal::outline, 2.5, 0);
    }
}

} // namespace art::scr

namespace art::scr {

void gameLogo(cairo_t* cr, double cx, double cy, double scale) {
    cairo_save(cr);
    cairo_translate(cr, cx - 230 * scale, cy - 115 * scale);
    cairo_scale(cr, scale, scale);
    cairo_save(cr); // an oval halo that fades out inside the picture
    cairo_scale(cr, 1, 0.5);
    glow(cr, 230, 240, 205, pal::cream, 0.35);
    cairo_restore(cr);
    // A mossy stone plinth under the word.
    softShadow(cr, 70, 142, 320, 46, 22, 6, 0.35);
    stoneSlab(cr, 66, 138, 328, 48, 22, pal::stone, 431);
    mossEdge(cr, 80, 380, 140, 8, 432, 0.8);
    setFont(cr, kFontRound, 96);
    gradientText(cr, "Varnoka", 230, 150, lighter(pal::leaf, 0.35), darker(pal::moss, 0.1), pal::outline, 6,
                 6);
    // Leaves sprouting from the V and a beetle climbing the k.
    sprig(cr, 52, 78, 46, -2.2, pal::leaf, 433);
    sprig(cr, 60, 74, 38, -1.2, lighter(pal::leaf, 0.1), 434);
    beetle(cr, 360, 62, 26, 1, 0.5);
    flower(cr, 420, 150, 8, {0.98, 0.80, 0.35}, pal::gold);
    flower(cr, 60, 170, 7, {0.98, 0.92, 0.95}, pal::gold);
    cairo_restore(cr);
}

} // namespace art::scr
