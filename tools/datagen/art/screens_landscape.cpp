// Landscapes of the valley: sky, far hills, stone-walled terraces, trees,
// boulders and flowers, in the colours of the season.
#include "art/screens_kit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art::scr {

namespace {

constexpr int W = 1024, H = 768;

struct Key {
    double t;
    Rgb c;
};

Rgb keyed(const Key* keys, int n, double t) {
    if (t <= keys[0].t) return keys[0].c;
    for (int i = 1; i < n; ++i)
        if (t <= keys[i].t)
            return mix(keys[i - 1].c, keys[i].c, (t - keys[i - 1].t) / (keys[i].t - keys[i - 1].t));
    return keys[n - 1].c;
}

double smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

bool winter(const Scene& s) {
    return s.season > 0.88;
}

// The sky's zenith and horizon colours for the scene's time of day.
void skyColours(const Scene& s, Rgb& top, Rgb& low) {
    top = {0.42, 0.68, 0.93};
    low = {0.93, 0.95, 0.84};
    top = mix(top, {0.50, 0.48, 0.78}, s.dusk);
    low = mix(low, {1.0, 0.70, 0.42}, s.dusk);
    top = mix(top, {0.10, 0.12, 0.30}, s.night);
    low = mix(low, {0.30, 0.30, 0.48}, s.night);
    top = mix(top, {0.56, 0.62, 0.62}, s.moss * 0.6);
    low = mix(low, {0.74, 0.78, 0.70}, s.moss * 0.6);
}

Rgb atmosphere(const Scene& s) {
    Rgb top, low;
    skyColours(s, top, low);
    return low;
}

void paintSky(cairo_t* cr, const Scene& s, Rng& rng) {
    Rgb top, low;
    skyColours(s, top, low);
    cairo_rectangle(cr, 0, 0, W, s.horizon + 120);
    fillVertical(cr, 0, s.horizon + 40, top, low);
    // Sun or moon, with a warm halo.
    double sx = 180 + rng.range(0, 660), sy = 110 + s.dusk * 150;
    if (s.night > 0.5) {
        glow(cr, sx, sy, 120, {0.85, 0.88, 1.0}, 0.35);
        cairo_arc(cr, sx, sy, 30, 0, 2 * M_PI);
        setColor(cr, {0.97, 0.96, 0.86});
        cairo_fill(cr);
        cairo_arc(cr, sx + 12, sy - 6, 27, 0, 2 * M_PI);
        setColor(cr, mix(top, low, 0.3));
        cairo_fill(cr);
        for (int i = 0; i < 90; ++i) {
            double x = rng.range(0, W), y = rng.range(0, s.horizon - 20);
            cairo_arc(cr, x, y, rng.range(0.6, 1.8), 0, 2 * M_PI);
            setColor(cr, {1, 1, 0.9}, rng.range(0.4, 0.95));
            cairo_fill(cr);
        }
    } else if (s.moss < 0.7) {
        glow(cr, sx, sy, 260, mix({1.0, 0.95, 0.70}, {1.0, 0.70, 0.40}, s.dusk), 0.55);
        cairo_arc(cr, sx, sy, 36, 0, 2 * M_PI);
        setColor(cr, mix({1.0, 0.97, 0.78}, {1.0, 0.82, 0.50}, s.dusk));
        cairo_fill(cr);
    }
    // Clouds: clusters of soft puffs with shaded bellies.
    int clouds = 4 + rng.pick(3) + static_cast<int>(s.moss * 4);
    Rgb cloud = mix({1, 1, 1}, {1.0, 0.85, 0.75}, s.dusk);
    cloud = mix(cloud, {0.45, 0.48, 0.62}, s.night);
    cloud = mix(cloud, {0.80, 0.82, 0.80}, s.moss);
    for (int c = 0; c < clouds; ++c) {
        double cx = rng.range(-50, W + 50), cy = rng.range(50, s.horizon - 90), cw = rng.range(100, 230);
        // One dome of puffs with a flat base, shaded as a whole from its lit top
        // to its belly, so the puffs merge into one cloud.
        Rng puff(c * 97 + s.seed);
        int n = 6 + puff.pick(3);
        cairo_save(cr);
        cairo_rectangle(cr, cx - cw, cy - cw, 2 * cw, cw + cw * 0.06);
        cairo_clip(cr);
        cairo_new_path(cr);
        for (int i = 0; i < n; ++i) {
            double a = (i + 0.5) / n - 0.5;
            double r = cw * (0.22 - 0.16 * std::abs(a)) * puff.range(0.85, 1.15);
            double px = cx + a * cw * 1.1, py = cy - (0.25 - a * a) * cw * 0.45 + r * 0.3;
            cairo_new_sub_path(cr);
            cairo_arc(cr, px, py, r, 0, 2 * M_PI);
        }
        Rgb belly = darker(mix(cloud, top, 0.4), 0.06);
        fillVertical(cr, cy - cw * 0.3, cy + cw * 0.06, cloud, belly, 0.92);
        cairo_restore(cr);
    }
}

double ridge(double x, double base, double amp, int layer, uint32_t seed) {
    return base - amp * (0.65 * noise2(x / 230.0, layer * 3.1, seed) +
                         0.35 * noise2(x / 85.0, layer * 5.7 + 2, seed));
}

// Round canopy tree standing at (x, y), height h.
void tree(cairo_t* cr, double x, double y, double h, Rgb leaves, bool snow, Rng& rng) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x - h * 0.03, y - h * 0.25, x + h * 0.04, y - h * 0.4, x, y - h * 0.55);
    setColor(cr, pal::outline, 0.9);
    cairo_set_line_width(cr, h * 0.11 + 2);
    cairo_stroke_preserve(cr);
    setColor(cr, darker(pal::wood, 0.15));
    cairo_set_line_width(cr, h * 0.11);
    cairo_stroke(cr);
    int blobs = 4 + rng.pick(3);
    double px[8], py[8], pr[8];
    for (int i = 0; i < blobs; ++i) {
        double a = i * 2 * M_PI / blobs + rng.range(-0.3, 0.3);
        px[i] = x + std::cos(a) * h * 0.2;
        py[i] = y - h * 0.66 + std::sin(a) * h * 0.14;
        pr[i] = h * rng.range(0.2, 0.28);
    }
    for (int i = 0; i < blobs; ++i) {
        cairo_arc(cr, px[i], py[i], pr[i] + 1.6, 0, 2 * M_PI);
        setColor(cr, pal::outline, 0.85);
        cairo_fill(cr);
    }
    for (int i = 0; i < blobs; ++i) {
        cairo_arc(cr, px[i], py[i], pr[i], 0, 2 * M_PI);
        fillStops(cr,
                  cairo_pattern_create_radial(px[i] - pr[i] * 0.4, py[i] - pr[i] * 0.5, pr[i] * 0.1, px[i],
                                              py[i], pr[i]),
                  {{0, lighter(leaves, 0.3)}, {0.6, leaves}, {1, darker(leaves, 0.25)}});
        if (snow) {
            cairo_arc(cr, px[i], py[i] - pr[i] * 0.3, pr[i] * 0.75, M_PI * 1.05, M_PI * 1.95);
            cairo_close_path(cr);
            setColor(cr, {0.97, 0.97, 1.0}, 0.9);
            cairo_fill(cr);
        }
    }
}

// A fir: three stacked, rounded triangles on a short trunk.
void fir(cairo_t* cr, double x, double y, double h, bool snow, Rng& rng) {
    Rgb green = mix({0.18, 0.40, 0.26}, {0.26, 0.48, 0.30}, rng.uniform());
    cairo_rectangle(cr, x - h * 0.04, y - h * 0.18, h * 0.08, h * 0.18);
    setColor(cr, darker(pal::wood, 0.2));
    cairo_fill(cr);
    for (int k = 0; k < 3; ++k) {
        double top = y - h * (0.55 + k * 0.2) - h * 0.25, base = y - h * (0.12 + k * 0.22),
               half = h * (0.3 - k * 0.07);
        auto layer = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, x, top);
            cairo_curve_to(cr, x + half * 0.4, top + (base - top) * 0.5, x + half, base - 4, x + half, base);
            cairo_curve_to(cr, x + half * 0.3, base + 5, x - half * 0.3, base + 5, x - half, base);
            cairo_curve_to(cr, x - half, base - 4, x - half * 0.4, top + (base - top) * 0.5, x, top);
            cairo_close_path(cr);
        };
        layer();
        fillVertical(cr, top, base, lighter(green, 0.2), darker(green, 0.15));
        layer();
        setColor(cr, pal::outline, 0.85);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        if (snow) {
            cairo_move_to(cr, x, top);
            cairo_line_to(cr, x + half * 0.45, top + (base - top) * 0.45);
            cairo_line_to(cr, x - half * 0.45, top + (base - top) * 0.45);
            cairo_close_path(cr);
            setColor(cr, {0.97, 0.97, 1.0}, 0.95);
            cairo_fill(cr);
        }
    }
}

// The columns of an old temple, some broken, one lintel still in place.
void columns(cairo_t* cr, double x, double y, double sc, const Scene& s, Rng& rng) {
    double heights[] = {1.0, 0.62, 0.95, 0.4};
    for (int i = 0; i < 4; ++i) {
        double cx = x + i * 42 * sc, h = 110 * sc * heights[i], w = 16 * sc;
        cairo_new_path(cr);
        cairo_move_to(cr, cx - w / 2, y);
        cairo_line_to(cr, cx - w / 2, y - h);
        if (heights[i] < 0.9) { // broken top
            cairo_line_to(cr, cx - w * 0.1, y - h - 6 * sc);
            cairo_line_to(cr, cx + w * 0.2, y - h + 3 * sc);
        }
        cairo_line_to(cr, cx + w / 2, y - h + (heights[i] < 0.9 ? -4 * sc : 0));
        cairo_line_to(cr, cx + w / 2, y);
        cairo_close_path(cr);
        fillVertical(cr, y - h, y, pal::stoneLight, pal::stone);
        cairo_new_path(cr);
        cairo_rectangle(cr, cx - w / 2, y - h, w, h);
        setColor(cr, pal::outline, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        for (int k = 1; k < 3; ++k) { // flutes
            cairo_move_to(cr, cx - w / 2 + k * w / 3, y - h + 4);
            cairo_line_to(cr, cx - w / 2 + k * w / 3, y - 3);
            setColor(cr, pal::stoneDark, 0.4);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        cairo_rectangle(cr, cx - w * 0.7, y - 6 * sc, w * 1.4, 6 * sc);
        fillVertical(cr, y - 6 * sc, y, pal::stoneLight, pal::stoneDark);
    }
    roundedRect(cr, x - 14 * sc, y - 122 * sc, 130 * sc, 14 * sc, 3);
    fillVertical(cr, y - 122 * sc, y - 108 * sc, pal::stoneLight, pal::stone);
    strokeRounded(cr, x - 14 * sc, y - 122 * sc, 130 * sc, 14 * sc, 3, pal::outline, 0.8, 1.5);
    if (!winter(s)) mossCushion(cr, x + 30 * sc, y - 122 * sc, 40 * sc, 8 * sc, rng.next());
}

// A ring of standing stones seen from the side: the far stones first.
void stoneRing(cairo_t* cr, double cx, double cy, double rx, double ry, const Scene& s, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, winter(s) ? Rgb{0.92, 0.94, 0.96} : pal::mossDark, 0.35);
    cairo_fill(cr);
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k < 9; ++k) {
            double a = k * 2 * M_PI / 9 + 0.2;
            bool front = std::sin(a) > 0;
            if (front != (pass == 1)) continue;
            double x = cx + std::cos(a) * rx, y = cy + std::sin(a) * ry;
            double depth = 0.75 + 0.25 * std::sin(a), h = rx * 0.32 * depth * rng.range(0.8, 1.15),
                   w = h * 0.42;
            roundedRect(cr, x - w / 2, y - h, w, h, w * 0.4);
            fillVertical(cr, y - h, y, pal::stoneLight, pal::stoneDark);
            strokeRounded(cr, x - w / 2, y - h, w, h, w * 0.4, pal::outline, 0.85, 1.5);
            if (!winter(s)) mossCushion(cr, x, y - h + 2, w * 0.6, w * 0.3, rng.next());
        }
}

// A stone lantern with a warm light in its window.
void lantern(cairo_t* cr, double x, double y, double sc) {
    glow(cr, x, y - 30 * sc, 60 * sc, {1.0, 0.85, 0.45}, 0.7);
    roundedRect(cr, x - 4 * sc, y - 24 * sc, 8 * sc, 24 * sc, 2);
    fillVertical(cr, y - 24 * sc, y, pal::stoneLight, pal::stoneDark);
    roundedRect(cr, x - 10 * sc, y - 40 * sc, 20 * sc, 17 * sc, 3);
    fillVertical(cr, y - 40 * sc, y - 23 * sc, pal::stoneLight, pal::stone);
    strokeRounded(cr, x - 10 * sc, y - 40 * sc, 20 * sc, 17 * sc, 3, pal::outline, 0.9, 1.5);
    roundedRect(cr, x - 5 * sc, y - 36 * sc, 10 * sc, 9 * sc, 2);
    setColor(cr, {1.0, 0.88, 0.45});
    cairo_fill(cr);
    cairo_move_to(cr, x - 14 * sc, y - 40 * sc);
    cairo_line_to(cr, x, y - 50 * sc);
    cairo_line_to(cr, x + 14 * sc, y - 40 * sc);
    cairo_close_path(cr);
    fillVertical(cr, y - 50 * sc, y - 40 * sc, pal::stoneLight, pal::stoneDark);
}

// Rounded boulder with moss on top.
void boulder(cairo_t* cr, double x, double y, double w, double h, const Scene& s, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_move_to(cr, -w / 2, 0);
    cairo_curve_to(cr, -w / 2, -h * 0.7, -w * 0.25, -h, w * 0.05, -h);
    cairo_curve_to(cr, w * 0.35, -h, w / 2, -h * 0.6, w / 2, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    Rgb hi = pal::stoneLight, lo = pal::stoneDark;
    fillStops(cr, cairo_pattern_create_linear(x - w / 2, y - h, x + w / 2, y),
              {{0, hi}, {0.55, pal::stone}, {1, lo}}, true);
    setColor(cr, pal::outline, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    if (winter(s)) {
        cairo_save(cr);
        cairo_translate(cr, x + w * 0.02, y - h * 0.82);
        cairo_scale(cr, w * 0.4, h * 0.2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColor(cr, {0.97, 0.97, 1.0});
        cairo_fill(cr);
    } else {
        mossCushion(cr, x - w * 0.05, y - h * 0.9, w * 0.32, h * 0.22, rng.next());
    }
}

// A terrace wall of rounded stones following the curve y(x) from x0 to x1,
// with moss on top.
template <typename Curve>
void stoneWall(cairo_t* cr, double x0, double x1, Curve y, double size, const Scene& s, Rng& rng) {
    for (int row = 0; row < 2; ++row) {
        double x = x0 - (row ? size * 0.5 : 0);
        while (x < x1) {
            double w = size * rng.range(1.2, 1.8), h = size * rng.range(0.7, 0.9);
            double sy = y(x + w / 2) + row * size * 0.75;
            roundedRect(cr, x, sy, w - 2, h, h * 0.4);
            Rgb base = mix(pal::stone, pal::stoneLight, rng.range(0, 0.5));
            fillVertical(cr, sy, sy + h, lighter(base, 0.15), darker(base, 0.2));
            strokeRounded(cr, x, sy, w - 2, h, h * 0.4, pal::outline, 0.75, 1.5);
            x += w;
        }
    }
    double step = size * 1.7;
    for (double x = x0 + rng.range(0, step); x < x1; x += step * rng.range(0.8, 2.2)) {
        if (winter(s)) {
            cairo_save(cr);
            cairo_translate(cr, x, y(x) + 1);
            cairo_scale(cr, size * 0.9, size * 0.28);
            cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
            cairo_restore(cr);
            setColor(cr, {0.97, 0.97, 1.0}, 0.95);
            cairo_fill(cr);
        } else {
            mossCushion(cr, x, y(x) + 2, size * rng.range(0.6, 1.1), size * 0.4, rng.next());
        }
    }
}

void grassTuft(cairo_t* cr, double x, double y, double h, Rgb c, Rng& rng) {
    int blades = 4 + rng.pick(4);
    for (int i = 0; i < blades; ++i) {
        double a = -M_PI / 2 + rng.range(-0.6, 0.6);
        double l = h * rng.range(0.6, 1.0);
        cairo_move_to(cr, x - 2, y);
        double qx = x + std::cos(a) * l * 0.5, qy = y + std::sin(a) * l * 0.6;
        cairo_curve_to(cr, qx, qy, qx, qy, x + std::cos(a) * l, y + std::sin(a) * l);
        cairo_line_to(cr, x + 2, y);
        cairo_close_path(cr);
        setColor(cr, mix(c, darker(c, 0.3), rng.uniform()));
        cairo_fill(cr);
    }
}

// Stone arch ruin standing on (x, y).
void arch(cairo_t* cr, double x, double y, double w, double h, const Scene& s, Rng& rng) {
    double pw = w * 0.22;
    for (int side = -1; side <= 1; side += 2) {
        double px = x + side * (w / 2 - pw / 2) - pw / 2;
        roundedRect(cr, px, y - h * 0.75, pw, h * 0.75, 3);
        fillVertical(cr, y - h, y, pal::stoneLight, pal::stone);
        strokeRounded(cr, px, y - h * 0.75, pw, h * 0.75, 3, pal::outline, 0.8, 1.6);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y - h * 0.72, w / 2, M_PI, 2 * M_PI);
    cairo_arc_negative(cr, x, y - h * 0.72, w / 2 - pw, 2 * M_PI, M_PI);
    cairo_close_path(cr);
    fillVertical(cr, y - h * 1.3, y - h * 0.7, pal::stoneLight, pal::stone);
    cairo_new_path(cr);
    cairo_arc(cr, x, y - h * 0.72, w / 2, M_PI, 2 * M_PI);
    cairo_arc_negative(cr, x, y - h * 0.72, w / 2 - pw, 2 * M_PI, M_PI);
    cairo_close_path(cr);
    setColor(cr, pal::outline, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (!winter(s)) mossCushion(cr, x - w * 0.2, y - h * 0.72 - w / 2 + 3, w * 0.25, w * 0.1, rng.next());
}

} // namespace

Rgb grassColour(double season) {
    static const Key keys[] = {{0.0, {0.58, 0.80, 0.32}},  {0.3, {0.44, 0.72, 0.25}},
                               {0.55, {0.56, 0.70, 0.26}}, {0.72, {0.70, 0.62, 0.28}},
                               {0.86, {0.62, 0.54, 0.30}}, {0.92, {0.84, 0.87, 0.84}},
                               {1.0, {0.90, 0.92, 0.92}}};
    return keyed(keys, 7, season);
}

Rgb foliageColour(double season, double v) {
    if (season > 0.88) return mix({0.40, 0.50, 0.38}, {0.55, 0.45, 0.30}, v);
    if (season > 0.6) {
        static const Key autumn[] = {
            {0.0, {0.92, 0.62, 0.18}}, {0.5, {0.85, 0.36, 0.16}}, {1.0, {0.95, 0.80, 0.28}}};
        Rgb a = keyed(autumn, 3, v);
        return mix({0.42, 0.62, 0.22}, a, smooth(0.6, 0.78, season));
    }
    if (season < 0.2 && v > 0.7) return {0.98, 0.72, 0.80}; // blossoms
    return mix(mix({0.50, 0.76, 0.30}, {0.30, 0.58, 0.20}, season * 2.5 > 1 ? 1 : season * 2.5),
               {0.45, 0.68, 0.22}, v * 0.5);
}

void paintLandscape(Canvas& canvas, const Scene& s) {
    cairo_t* cr = canvas.cr();
    Rng rng(s.seed);
    paintSky(cr, s, rng);
    Rgb air = atmosphere(s);
    Rgb grass = grassColour(s.season);
    // Three far hill layers, fading into the air.
    for (int layer = 0; layer < 3; ++layer) {
        double base = s.horizon - 60 + layer * 38, amp = 120 - layer * 35;
        Rgb c = mix(darker(mix(grass, pal::moss, 0.4), 0.1), air, 0.55 - layer * 0.2);
        cairo_move_to(cr, 0, H);
        for (int x = 0; x <= W; x += 8)
            cairo_line_to(cr, x, ridge(x, base, amp, layer, s.seed));
        cairo_line_to(cr, W, H);
        cairo_close_path(cr);
        fillVertical(cr, base - amp, base + 120, lighter(c, 0.08), darker(c, 0.08));
        if (winter(s) && layer == 0) { // snowy caps
            cairo_save(cr);
            cairo_move_to(cr, 0, H);
            for (int x = 0; x <= W; x += 8)
                cairo_line_to(cr, x, ridge(x, base, amp, layer, s.seed));
            cairo_line_to(cr, W, H);
            cairo_close_path(cr);
            cairo_clip(cr);
            cairo_rectangle(cr, 0, 0, W, base - amp * 0.55);
            setColor(cr, {0.97, 0.97, 1.0}, 0.8);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        if (layer == 0 && s.waterfall) {
            double wx = 300 + rng.range(0, 400), wy = ridge(wx, base, amp, layer, s.seed);
            roundedRect(cr, wx - 9, wy + 14, 18, s.horizon + 60 - wy, 8);
            fillVertical(cr, wy, s.horizon + 60, {0.85, 0.95, 1.0}, {0.55, 0.80, 0.95}, 0.85);
            glow(cr, wx, s.horizon + 55, 40, {1, 1, 1}, 0.6);
        }
        // Little trees and ruins along the nearest far ridge.
        if (layer == 2) {
            for (int i = 0; i < 14; ++i) {
                double x = rng.range(0, W), y = ridge(x, base, amp, layer, s.seed) + 6;
                tree(cr, x, y, rng.range(24, 40), mix(foliageColour(s.season, rng.uniform()), air, 0.3),
                     winter(s), rng);
            }
            if (s.arches) {
                double ax = 150 + rng.range(0, 700);
                arch(cr, ax, ridge(ax, base, amp, layer, s.seed) + 8, 60, 70, s, rng);
            }
            if (s.gate) {
                double gx = 512 + rng.range(-120, 120), gy = ridge(gx, base, amp, layer, s.seed) + 6;
                arch(cr, gx, gy, 110, 130, s, rng);
                glow(cr, gx, gy - 80, 80, pal::gold, 0.5);
            }
        }
    }
    // Middle ground: terraces held by mossy stone walls, a path winding up.
    double top = s.horizon + 40;
    double pathX = 512 + rng.range(-160, 160);
    for (int t = 0; t <= s.terraces; ++t) {
        double y = top + t * (H - top) / (s.terraces + 1.0);
        double tilt = rng.range(-25, 25), wave = rng.range(8, 22), phase = rng.range(0, 6);
        auto edge = [=](double x) {
            return y + tilt * (1 - 2.0 * x / W) + wave * std::sin(x * 0.006 + phase);
        };
        Rgb g = mix(grass, air, std::max(0.0, 0.25 - t * 0.1));
        g = darker(g, t * 0.04);
        cairo_move_to(cr, 0, edge(0));
        for (int x = 0; x <= W; x += 16)
            cairo_line_to(cr, x, edge(x));
        cairo_line_to(cr, W, H);
        cairo_line_to(cr, 0, H);
        cairo_close_path(cr);
        fillVertical(cr, y - 40, H, lighter(g, 0.08), darker(g, 0.15));
        paintGrain(cr, 0, y, W, std::min(200.0, H - y), darker(g, 0.3), 0.08, s.seed + t);
        // The path across this terrace: a sandy band narrowing with distance.
        double y0 = edge(pathX),
               y1 = t < s.terraces ? top + (t + 1) * (H - top) / (s.terraces + 1.0) : H + 20;
        double nx = pathX + rng.range(-140, 140), w0 = 10 + t * 14, w1 = 24 + t * 22;
        cairo_move_to(cr, pathX - w0, y0);
        cairo_curve_to(cr, pathX - w0, (y0 + y1) / 2, nx - w1, (y0 + y1) / 2, nx - w1, y1);
        cairo_line_to(cr, nx + w1, y1);
        cairo_curve_to(cr, nx + w1, (y0 + y1) / 2, pathX + w0, (y0 + y1) / 2, pathX + w0, y0);
        cairo_close_path(cr);
        Rgb sand = winter(s) ? Rgb{0.86, 0.86, 0.88} : mix({0.86, 0.74, 0.52}, g, 0.2);
        fillVertical(cr, y0, y1, mix(sand, air, 0.2), darker(sand, 0.08));
        pathX = nx;
        // Flowers in the grass of this terrace (under its trees and walls).
        if (!winter(s)) {
            Rgb petals[] = {{0.98, 0.92, 0.95}, {0.98, 0.80, 0.35}, {0.95, 0.55, 0.65}, {0.70, 0.62, 0.95}};
            int flowers = s.season > 0.7 ? 5 : 16;
            for (int i = 0; i < flowers; ++i) {
                double x = rng.range(0, W), fy = edge(x) + rng.range(10, (H - top) / (s.terraces + 1.0));
                flower(cr, x, fy, rng.range(3, 6) * (0.6 + (fy - s.horizon) / 500), petals[rng.pick(4)],
                       pal::gold);
            }
        }
        if (t > 0) {
            double x0 = rng.range(-40, 160), x1 = rng.range(760, 1060);
            stoneWall(
                cr, x0, x1, [&](double x) { return edge(x) - 8; }, 10 + t * 4, s, rng);
        }
        if (t == 1 && s.columns) columns(cr, rng.range(80, 300), edge(200) + 30, 0.9, s, rng);
        if (t == 1 && s.stoneCircle) stoneRing(cr, rng.range(600, 820), edge(700) + 50, 110, 26, s, rng);
        if (s.lanterns && t > 0) {
            lantern(cr, pathX - (20 + t * 22) - 16, edge(pathX) + 40, 0.7 + t * 0.3);
            lantern(cr, pathX + (20 + t * 22) + 16, edge(pathX) + 40, 0.7 + t * 0.3);
        }
        // Trees, standing stones and boulders on the terrace.
        int trees = 2 + rng.pick(4);
        for (int i = 0; i < trees; ++i) {
            double x = rng.range(0, W);
            double th = rng.range(60, 110) * (0.7 + t * 0.25);
            if (s.conifers && rng.uniform() < (winter(s) ? 0.8 : 0.45))
                fir(cr, x, edge(x) + rng.range(10, 40), th * 1.2, winter(s), rng);
            else
                tree(cr, x, edge(x) + rng.range(10, 40), th, foliageColour(s.season, rng.uniform()),
                     winter(s), rng);
        }
        int stones = 2 + rng.pick(3);
        for (int i = 0; i < stones; ++i) {
            double x = rng.range(0, W), by = edge(x) + rng.range(20, 60);
            double sz = rng.range(18, 34) * (0.8 + t * 0.3);
            if (rng.uniform() < 0.5) { // a standing stone
                roundedRect(cr, x - sz * 0.3, by - sz * 1.6, sz * 0.6, sz * 1.6, sz * 0.25);
                fillVertical(cr, by - sz * 1.6, by, pal::stoneLight, pal::stoneDark);
                strokeRounded(cr, x - sz * 0.3, by - sz * 1.6, sz * 0.6, sz * 1.6, sz * 0.25, pal::outline,
                              0.8, 1.5);
                if (!winter(s)) mossCushion(cr, x, by - sz * 1.55, sz * 0.35, sz * 0.18, rng.next());
            } else {
                boulder(cr, x, by, sz * 1.6, sz, s, rng);
            }
        }
        for (int i = 0; i < 30; ++i) {
            double x = rng.range(0, W), gy = edge(x) + rng.range(4, 100);
            grassTuft(cr, x, gy, rng.range(6, 14) * (1 + t * 0.3), darker(g, 0.2), rng);
        }
    }
    // Two tall trees frame the scene at the sides (firs in the snow).
    for (int side = 0; side < 2; ++side) {
        double x = side ? W - rng.range(-30, 40) : rng.range(-30, 40), y = H - rng.range(60, 120);
        double h = rng.range(300, 380);
        if (winter(s))
            fir(cr, x, y + 40, h * 1.15, true, rng);
        else
            tree(cr, x, y, h, foliageColour(s.season, rng.uniform()), false, rng);
    }
    if (s.pond) {
        double px = 512 + rng.range(-250, 250), py = H - 120;
        cairo_save(cr);
        cairo_translate(cr, px, py);
        cairo_scale(cr, 170, 45);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        fillVertical(cr, py - 45, py + 45, mix({0.55, 0.80, 0.92}, air, 0.3), {0.25, 0.50, 0.62});
        for (int i = 0; i < 5; ++i) {
            cairo_move_to(cr, px - rng.range(40, 140), py + rng.range(-20, 25));
            cairo_rel_line_to(cr, rng.range(30, 80), 0);
            setColor(cr, {1, 1, 1}, 0.45);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        }
        for (int i = 0; i < 4; ++i) { // lily pads
            double lx = px + rng.range(-120, 120), ly = py + rng.range(-20, 20);
            cairo_save(cr);
            cairo_translate(cr, lx, ly);
            cairo_scale(cr, 14, 6);
            cairo_arc(cr, 0, 0, 1, 0.3, 2 * M_PI);
            cairo_line_to(cr, 0, 0);
            cairo_restore(cr);
            setColor(cr, pal::moss);
            cairo_fill(cr);
        }
    }
    // Foreground: large mossy boulders framing the corners, ferns and flowers.
    boulder(cr, rng.range(20, 90), H + 10, rng.range(180, 240), rng.range(90, 130), s, rng);
    boulder(cr, W - rng.range(20, 90), H + 10, rng.range(180, 240), rng.range(90, 130), s, rng);
    for (int i = 0; i < 10; ++i) {
        double x = (i < 5) ? rng.range(0, 220) : rng.range(W - 220, W);
        sprig(cr, x, H - rng.range(0, 70), rng.range(30, 60), -M_PI / 2 + rng.range(-0.7, 0.7),
              winter(s) ? Rgb{0.55, 0.62, 0.52} : mix(pal::leaf, foliageColour(s.season, 0.3), 0.5),
              rng.next());
    }
    if (winter(s)) {
        for (int i = 0; i < 160; ++i) { // falling snow
            cairo_arc(cr, rng.range(0, W), rng.range(0, H), rng.range(1.0, 3.0), 0, 2 * M_PI);
            setColor(cr, {1, 1, 1}, rng.range(0.5, 0.9));
            cairo_fill(cr);
        }
    }
    // Overgrowth: a dim green veil and heavy moss over everything.
    if (s.moss > 0) {
        cairo_rectangle(cr, 0, 0, W, H);
        setColor(cr, {0.16, 0.26, 0.14}, 0.35 * s.moss);
        cairo_fill(cr);
        // Flat carpets hugging the ground, with a few heavy cushions on top.
        int blobs = static_cast<int>(90 * s.moss);
        for (int i = 0; i < blobs; ++i) {
            double y = rng.range(s.horizon + 10, H + 10), x = rng.range(-20, W + 20);
            double sz = rng.range(14, 36) * (0.5 + (y - s.horizon) / 420);
            bool carpet = rng.uniform() < 0.7;
            mossCushion(cr, x, y, sz * (carpet ? 2.4 : 1.3), sz * (carpet ? 0.38 : 0.6), rng.next(), 0.45);
        }
    }
    if (s.night > 0) {
        // Night falls softly: deeper towards the ground, no edge in the sky.
        cairo_pattern_t* dark = cairo_pattern_create_linear(0, s.horizon - 160, 0, H);
        cairo_pattern_add_color_stop_rgba(dark, 0, 0.05, 0.07, 0.22, 0.0);
        cairo_pattern_add_color_stop_rgba(dark, 0.35, 0.05, 0.07, 0.22, 0.4 * s.night);
        cairo_pattern_add_color_stop_rgba(dark, 1, 0.05, 0.07, 0.22, 0.5 * s.night);
        cairo_set_source(cr, dark);
        cairo_paint(cr);
        cairo_pattern_destroy(dark);
        for (int i = 0; i < 40; ++i) // fireflies
            glow(cr, rng.range(0, W), rng.range(s.horizon, H), rng.range(6, 14), {1.0, 0.95, 0.5},
                 0.9 * s.night);
    }
    // Warm light from the sun side: a gentle wash over the whole scene.
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, W, H);
    Rgb warm = mix({1.0, 0.92, 0.6}, {1.0, 0.6, 0.3}, s.dusk);
    cairo_pattern_add_color_stop_rgba(p, 0, warm.r, warm.g, warm.b, 0.10 * (1 - s.night));
    cairo_pattern_add_color_stop_rgba(p, 1, warm.r, warm.g, warm.b, 0.0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void calmBoardArea(Canvas& canvas, double darken, double desaturate) {
    // A soft rounded falloff centred on the board (x 32..991, y 74..693): full
    // strength in the middle, nothing at the screen's edges.
    const double cx = 511.5, cy = 383.5, hx = 560, hy = 400;
    canvas.editPixels([&](int x, int y, uint32_t& p) {
        double nx = (x - cx) / hx, ny = (y - cy) / hy;
        double d = std::pow(std::pow(std::abs(nx), 4) + std::pow(std::abs(ny), 4), 0.25);
        double m = 1 - smooth(0.45, 1.05, d);
        if (m <= 0) return;
        double r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        double lum = 0.3 * r + 0.59 * g + 0.11 * b;
        double k = desaturate * m, f = 1 - darken * m;
        r = (r + (lum - r) * k) * f;
        g = (g + (lum - g) * k) * f;
        b = (b + (lum - b) * k) * f;
        p = (p & 0xFF000000u) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    });
}

void canvasTexture(Canvas& canvas, double strength, uint32_t seed) {
    canvas.editPixels([&](int x, int y, uint32_t& p) {
        double blotch = noise2(x / 38.0 + y / 90.0, y / 22.0, seed) - 0.5;
        double weave = noise2(x / 1.7, y / 1.7, seed + 1) - 0.5;
        double f = 1 + strength * (0.7 * blotch + 0.5 * weave);
        auto chan = [&](int shift) {
            return static_cast<uint32_t>(std::clamp(((p >> shift) & 255) * f, 0.0, 255.0)) << shift;
        };
        p = (p & 0xFF000000u) | chan(16) | chan(8) | chan(0);
    });
}

void liftBlacks(Canvas& canvas, int floor) {
    canvas.editPixels([&](int, int, uint32_t& p) {
        const uint32_t o = p | 0xFF000000u; // these pictures are opaque
        uint32_t r = std::max<uint32_t>((o >> 16) & 255, floor), g = std::max<uint32_t>((o >> 8) & 255, floor),
                 b = std::max<uint32_t>(o & 255, floor);
        p = 0xFF000000u | (r << 16) | (g << 8) | b;
    });
}

void storyBanner(cairo_t* cr, double cy, const std::vector<std::string>& lines) {
    setFont(cr, kFontText, 30);
    double w = 0;
    std::string widest;
    for (auto& l : lines)
        if (textWidth(cr, l) > w) {
            w = textWidth(cr, l);
            widest = l;
        }
    w += 90;
    // The curled ends reach 34 pixels out on either side; keep 10 clear of the edge.
    if (w + 2 * 34 > 1024 - 2 * 10)
        throw std::runtime_error("story ribbon " + std::to_string(static_cast<int>(w + 68 - 1004)) +
                                 " pixels too wide for \"" + widest + "\"");
    double h = 30 + 40.0 * lines.size();
    double x = 512 - w / 2, y = cy - h / 2;
    // Curled ribbon ends behind the banner.
    for (int side = -1; side <= 1; side += 2) {
        double ex = side < 0 ? x - 34 : x + w + 34, ix = side < 0 ? x + 20 : x + w - 20;
        cairo_move_to(cr, ix, y + 14);
        cairo_line_to(cr, ex, y + 14);
        cairo_line_to(cr, ex - side * 18, y + h / 2 + 14);
        cairo_line_to(cr, ex, y + h + 14);
        cairo_line_to(cr, ix, y + h + 14);
        cairo_close_path(cr);
        setColor(cr, {0.80, 0.66, 0.42});
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline, 0.85);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    softShadow(cr, x + 4, y + 6, w, h, 16, 8, 0.35);
    roundedRect(cr, x, y, w, h, 16);
    fillVertical(cr, y, y + h, {0.99, 0.95, 0.84}, {0.93, 0.84, 0.66});
    strokeRounded(cr, x, y, w, h, 16, pal::outline, 0.9, 2.5);
    strokeRounded(cr, x + 7, y + 7, w - 14, h - 14, 11, {0.70, 0.55, 0.32}, 0.7, 1.2);
    mossEdge(cr, x + 10, x + 70, y + 2, 9, 5);
    mossEdge(cr, x + w - 80, x + w - 10, y + 2, 9, 6);
    setFont(cr, kFontText, 30);
    for (size_t i = 0; i < lines.size(); ++i) {
        double ty = y + 15 + 40 * i + 30;
        cairo_move_to(cr, 512 - textWidth(cr, lines[i]) / 2, ty);
        setColor(cr, {0.30, 0.20, 0.12});
        cairo_show_text(cr, lines[i].c_str());
    }
}

} // namespace art::scr
