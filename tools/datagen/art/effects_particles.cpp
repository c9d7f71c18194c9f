// Effect pictures of the particles: nine sparks, nine flashes, nine dirt flakes,
// the bomb flare, the glow star, the dynamite stick, the logo glow and the rays.
// Sparks and flashes carry their own soft halo in the alpha channel, so they read
// well blended normally and glow when drawn additively.
#include "art/game_paint.h"
#include "family.h"

#include <cmath>
#include <string>

namespace {

using namespace art;
using namespace art::gp;

void halo(cairo_t* cr, double cx, double cy, double r, Rgb c, double a) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(p, 0.25, c.r, c.g, c.b, a * 0.55);
    cairo_pattern_add_color_stop_rgba(p, 0.6, c.r, c.g, c.b, a * 0.15);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Rays from the centre: n wedges of random length.
void rays(cairo_t* cr, double cx, double cy, int n, double r0, double r1, double width, Rgb c, double a, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < n; ++i) {
        double ang = i * 2 * M_PI / n + rng.range(-0.1, 0.1), len = rng.range(r0, r1), w = width * rng.range(0.6, 1.2);
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, len);
        cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a);
        cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, p);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + len * std::cos(ang - w), cy + len * std::sin(ang - w));
        cairo_line_to(cr, cx + len * std::cos(ang + w), cy + len * std::sin(ang + w));
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void spark(Canvas& c, int n) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0;
    const Rgb tint[10] = {{}, {1.0, 0.85, 0.3}, {0.45, 0.85, 1.0}, {0.55, 0.95, 0.35}, {1.0, 0.45, 0.25},
                          {1.0, 0.55, 0.8},  {1.0, 1.0, 0.95},  {0.75, 0.5, 1.0},  {1.0, 0.6, 0.15},  {1.0, 0.9, 0.45}};
    Rgb t = tint[n];
    halo(cr, cx, cy, 15, t, 0.8);
    switch (n) {
    case 1: sparkle(cr, cx, cy, 13, lighter(t, 0.5), 1); break;
    case 2:
        sparkle(cr, cx, cy, 14, lighter(t, 0.6), 1);
        sparkle(cr, cx, cy, 8, {1, 1, 1}, 1);
        break;
    case 3: // a small glowing leaf
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, -0.6);
        cairo_move_to(cr, 0, -10);
        cairo_curve_to(cr, 7, -5, 7, 5, 0, 10);
        cairo_curve_to(cr, -7, 5, -7, -5, 0, -10);
        cairo_restore(cr);
        setColor(cr, lighter(t, 0.35));
        cairo_fill(cr);
        break;
    case 4:
        starPath(cr, cx, cy, 5, 11, 4.5, 0.2);
        setColor(cr, lighter(t, 0.45));
        cairo_fill(cr);
        halo(cr, cx, cy, 5, {1, 1, 0.9}, 1);
        break;
    case 5: // petals
        for (int i = 0; i < 5; ++i) {
            double a = i * 2 * M_PI / 5;
            ellipsePath(cr, cx + 5 * std::cos(a), cy + 5 * std::sin(a), 5, 3, a);
            setColor(cr, lighter(t, 0.4), 0.95);
            cairo_fill(cr);
        }
        break;
    case 6:
        starPath(cr, cx, cy, 6, 12, 3.5, 0);
        setColor(cr, {1, 1, 1});
        cairo_fill(cr);
        break;
    case 7:
        roundedPolygon(cr, {{cx, cy - 12}, {cx + 6, cy}, {cx, cy + 12}, {cx - 6, cy}}, 1.5);
        setColor(cr, lighter(t, 0.5));
        cairo_fill(cr);
        break;
    case 8:
        halo(cr, cx, cy, 8, {1.0, 0.9, 0.5}, 1);
        cairo_arc(cr, cx, cy, 4, 0, 2 * M_PI);
        setColor(cr, {1, 0.97, 0.8});
        cairo_fill(cr);
        break;
    default:
        starPath(cr, cx, cy, 4, 13, 3, M_PI / 4);
        setColor(cr, lighter(t, 0.5));
        cairo_fill(cr);
        sparkle(cr, cx, cy, 9, {1, 1, 1}, 1);
        break;
    }
}

void flash(Canvas& c, int n) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0, R = c.width() / 2.0;
    const Rgb tint[10] = {{}, {1.0, 1.0, 0.95}, {0.75, 1.0, 0.45}, {0.6, 0.95, 0.5}, {1.0, 0.92, 0.6}, {0.5, 0.8, 1.0},
                          {0.92, 0.86, 0.72}, {1.0, 0.7, 0.35}, {1.0, 0.6, 0.85}, {1.0, 0.97, 0.8}};
    Rgb t = tint[n];
    switch (n) {
    case 1: halo(cr, cx, cy, R, t, 0.75); break;
    case 2:
        halo(cr, cx, cy, R, t, 0.8);
        for (int i = 0; i < 6; ++i)
            sparkle(cr, cx + R * 0.5 * std::cos(i * M_PI / 3), cy + R * 0.5 * std::sin(i * M_PI / 3), 5, {1, 1, 0.9}, 0.8);
        break;
    case 3: // ring
        halo(cr, cx, cy, R * 0.6, t, 0.6);
        cairo_arc(cr, cx, cy, R * 0.62, 0, 2 * M_PI);
        setColor(cr, lighter(t, 0.4), 0.7);
        cairo_set_line_width(cr, R * 0.18);
        cairo_stroke(cr);
        break;
    case 4: // starburst
        rays(cr, cx, cy, 12, R * 0.6, R, 0.12, t, 0.7, 4);
        halo(cr, cx, cy, R * 0.7, t, 0.75);
        break;
    case 5:
        halo(cr, cx, cy, R, t, 0.7);
        sparkle(cr, cx, cy, R * 0.7, {0.9, 0.97, 1.0}, 0.6);
        break;
    case 6: // dust cloud of a broken stone
    case 7: {
        Rng rng(n * 11);
        for (int i = 0; i < 9; ++i) {
            double a = rng.range(0, 2 * M_PI), d = rng.range(0, R * 0.45);
            halo(cr, cx + d * std::cos(a), cy + d * std::sin(a), R * rng.range(0.35, 0.55), t, 0.5);
        }
        break;
    }
    case 8: // petal burst
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            ellipsePath(cr, cx + R * 0.4 * std::cos(a), cy + R * 0.4 * std::sin(a), R * 0.4, R * 0.2, a);
            setColor(cr, t, 0.45);
            cairo_fill(cr);
        }
        halo(cr, cx, cy, R * 0.6, {1, 0.9, 0.95}, 0.9);
        break;
    default:
        rays(cr, cx, cy, 16, R * 0.5, R * 0.95, 0.08, t, 0.6, 9);
        halo(cr, cx, cy, R * 0.8, t, 0.75);
        sparkle(cr, cx, cy, R * 0.5, {1, 1, 1}, 0.7);
        break;
    }
}

void dirt(Canvas& c, int n) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0;
    Rng rng(n * 7 + 1);
    auto blob = [&](double r, Rgb col, int corners) {
        std::vector<std::pair<double, double>> pts;
        for (int i = 0; i < corners; ++i) {
            double a = i * 2 * M_PI / corners + rng.range(-0.2, 0.2), rr = r * rng.range(0.7, 1.1);
            pts.push_back({cx + rr * std::cos(a), cy + rr * 0.85 * std::sin(a)});
        }
        roundedPolygon(cr, pts, r * 0.25);
        glossyFill(cr, cx, cy, r, col, 1.2);
    };
    switch (n) {
    case 1: blob(7, {0.45, 0.32, 0.2}, 7); break;
    case 2: // moss clump
        for (int i = 0; i < 4; ++i) {
            cairo_arc(cr, cx + rng.range(-4, 4), cy + rng.range(-3, 3), rng.range(3.5, 5), 0, 2 * M_PI);
            glossyFill(cr, cx, cy, 7, mix(pal::moss, pal::leaf, rng.uniform()), 1.0);
        }
        break;
    case 3: // grass blade
        cairo_move_to(cr, cx - 6, cy + 7);
        cairo_curve_to(cr, cx - 2, cy, cx + 2, cy - 5, cx + 7, cy - 8);
        cairo_curve_to(cr, cx + 3, cy - 3, cx, cy + 2, cx - 3, cy + 8);
        cairo_close_path(cr);
        glossyFill(cr, cx, cy, 8, pal::leaf, 1.0);
        break;
    case 4: blob(5, {0.55, 0.40, 0.25}, 6); break;
    case 5: // twig
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 4);
        cairo_move_to(cr, cx - 8, cy + 4);
        cairo_line_to(cr, cx + 8, cy - 4);
        cairo_stroke(cr);
        setColor(cr, pal::wood);
        cairo_set_line_width(cr, 2.2);
        cairo_move_to(cr, cx - 8, cy + 4);
        cairo_line_to(cr, cx + 8, cy - 4);
        cairo_stroke(cr);
        break;
    case 6: blob(7, {0.56, 0.53, 0.50}, 5); break;
    case 7: blob(6, {0.78, 0.74, 0.66}, 4); break;
    case 8: // leaf
        cairo_move_to(cr, cx, cy - 8);
        cairo_curve_to(cr, cx + 7, cy - 3, cx + 5, cy + 6, cx, cy + 8);
        cairo_curve_to(cr, cx - 5, cy + 6, cx - 7, cy - 3, cx, cy - 8);
        cairo_close_path(cr);
        glossyFill(cr, cx, cy, 8, {0.75, 0.65, 0.2}, 1.0);
        break;
    default: blob(4.5, {0.66, 0.62, 0.58}, 8); break;
    }
}

void bombFlare(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0, R = c.width() / 2.0;
    rays(cr, cx, cy, 18, R * 0.55, R, 0.07, {1.0, 0.65, 0.2}, 0.8, 77);
    rays(cr, cx, cy, 10, R * 0.4, R * 0.8, 0.05, {1.0, 0.95, 0.6}, 0.9, 78);
    halo(cr, cx, cy, R * 0.7, {1.0, 0.6, 0.15}, 0.9);
    halo(cr, cx, cy, R * 0.35, {1.0, 0.97, 0.8}, 1.0);
}

void glowStar(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0;
    halo(cr, cx, cy, cx, {1.0, 0.9, 0.5}, 0.8);
    sparkle(cr, cx, cy, cx * 0.9, {1.0, 0.97, 0.8}, 0.95);
    sparkle(cr, cx, cy, cx * 0.5, {1, 1, 1}, 1);
}

void dynamite(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0 + 3;
    shadowEllipse(cr, cx + 2, cy + 4, 16, 9, 0.3);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.5);
    roundedRect(cr, -17, -6.5, 34, 13, 5);
    cairo_restore(cr);
    glossyFill(cr, cx, cy, 16, {0.88, 0.18, 0.15}, 2.0);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.5);
    for (int s = -1; s <= 1; s += 2) {
        cairo_rectangle(cr, s * 9 - 2, -6.5, 4, 13);
        setColor(cr, {0.95, 0.85, 0.55}, 0.9);
        cairo_fill(cr);
    }
    setColor(cr, {0.3, 0.22, 0.14});
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 17, 0);
    cairo_curve_to(cr, 21, -2, 22, -6, 20, -9);
    cairo_stroke(cr);
    glow(cr, 20, -9, 7, {1.0, 0.75, 0.2}, 1);
    sparkle(cr, 20, -9, 6, {1, 1, 0.85}, 1);
    cairo_restore(cr);
}

void logoGlow(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0, R = c.width() / 2.0;
    rays(cr, cx, cy, 24, R * 0.6, R * 0.95, 0.05, {1.0, 0.95, 0.7}, 0.35, 31);
    halo(cr, cx, cy, R, {1.0, 0.93, 0.65}, 0.85);
}

void rays2(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0, R = c.width() / 2.0;
    rays(cr, cx, cy, 20, R * 0.85, R, 0.06, {1.0, 0.92, 0.6}, 0.75, 55);
    halo(cr, cx, cy, R * 0.3, {1.0, 0.97, 0.85}, 0.6);
}

void makeEffects(const datagen::Context& ctx) {
    auto save = [&](Canvas& c, const std::string& name) { c.savePng(ctx.file("data/effects/" + name + ".png")); };
    for (int n = 1; n <= 9; ++n) {
        Canvas s(32, 32), f(64, 64), d(22, 22);
        spark(s, n);
        flash(f, n);
        dirt(d, n);
        save(s, "glb" + std::to_string(n));
        save(f, "glo" + std::to_string(n));
        save(d, "dirt" + std::to_string(n));
    }
    Canvas bf(256, 256), gs(96, 96), dy(48, 48), lg(256, 256), r2(256, 256);
    bombFlare(bf);
    glowStar(gs);
    dynamite(dy);
    logoGlow(lg);
    rays2(r2);
    save(bf, "bombflare");
    save(gs, "glowstar");
    save(dy, "dynamite");
    save(lg, "logoglow");
    save(r2, "rays2");
}

} // namespace

DATAGEN_FAMILY("effects", makeEffects);
