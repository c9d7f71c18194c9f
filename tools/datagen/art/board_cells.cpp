// Pictures drawn on single cells: the moss cover, the cell flash, the selection
// mark, the pick mask and the chain arrows.
#include "art/board_geometry.h"
#include "family.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace art;
using namespace art::gp;

constexpr int kCell = board::kCell;

// Moss: drawn opaque over a cell (the game may draw it without blending), so it is
// the cell's slab grown over by soft cushions of moss, the grout still showing at
// the corners.
void paintMoss(Canvas& c) {
    board::paintStrip(c, 1);
    cairo_t* cr = c.cr();
    Rng rng(4711);
    struct Cushion {
        double x, y, r;
    };
    std::vector<Cushion> cushions;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) {
            double x = 7 + i * 8.5 + rng.range(-2, 2), y = 7 + j * 8.5 + rng.range(-2, 2);
            double edge = std::fmin(std::fmin(x, kCell - x), std::fmin(y, kCell - y));
            bool corner = (i == 0 || i == 4) && (j == 0 || j == 4);
            if (corner && rng.uniform() < 0.6) continue;
            cushions.push_back({x, y, std::fmin(rng.range(4.8, 8.0), edge + 0.5)});
        }
    // Dark undergrowth first, then each cushion lit from the upper left.
    for (auto& m : cushions) {
        cairo_arc(cr, m.x + 1, m.y + 1.5, m.r + 1.2, 0, 2 * M_PI);
        setColor(cr, {0.12, 0.24, 0.06}, 0.9);
        cairo_fill(cr);
    }
    for (auto& m : cushions) mossCushion(cr, m.x, m.y, m.r, rng);
    // A couple of tiny pale flowers.
    for (int i = 0; i < 2; ++i) {
        double x = rng.range(9, kCell - 9), y = rng.range(9, kCell - 9);
        for (int p = 0; p < 5; ++p) {
            double a = p * 2 * M_PI / 5;
            cairo_arc(cr, x + 1.6 * std::cos(a), y + 1.6 * std::sin(a), 1.2, 0, 2 * M_PI);
            setColor(cr, {1.0, 0.97, 0.85});
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, 0.9, 0, 2 * M_PI);
        setColor(cr, {0.98, 0.78, 0.2});
        cairo_fill(cr);
    }
}

// Cell flash (drawn additively): a warm glow filling the cell with a brighter rim.
void paintFlash(Canvas& c) {
    double cx = c.width() / 2.0, cy = c.height() / 2.0;
    paintPixels(c, [&](int x, int y) {
        double dx = std::fabs(x + 0.5 - cx), dy = std::fabs(y + 0.5 - cy);
        double r = 10, half = 22;
        double ox = std::fmax(0.0, dx - (half - r)), oy = std::fmax(0.0, dy - (half - r));
        double d = std::hypot(ox, oy) - r; // signed distance to a rounded square of 44
        double fill = 0.45 * (1 - smoothstep(-14, 0, d)) + 0.2;
        double rim = std::exp(-(d * d) / 6.0) * 0.7;
        double halo = d > 0 ? std::exp(-d / 2.5) * 0.35 : 0;
        double a = d < 0 ? std::fmin(1.0, fill + rim) : rim + halo;
        return Rgba{1.0, 0.93, 0.65, clamp01(a)};
    });
}

// Selection mark: a golden rounded frame with a soft light inside.
void paintMark(Canvas& c) {
    cairo_t* cr = c.cr();
    double cx = c.width() / 2.0, cy = c.height() / 2.0;
    roundedRect(cr, cx - 22, cy - 22, 44, 44, 10);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 4, cx, cy, 30);
    cairo_pattern_add_color_stop_rgba(p, 0, 1.0, 0.95, 0.7, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 1.0, 0.85, 0.4, 0.2);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int i = 3; i >= 1; --i) {
        roundedRect(cr, cx - 21.5, cy - 21.5, 43, 43, 10);
        setColor(cr, {1.0, 0.82, 0.25}, 0.25);
        cairo_set_line_width(cr, 2.0 * i + 1);
        cairo_stroke(cr);
    }
    roundedRect(cr, cx - 21.5, cy - 21.5, 43, 43, 10);
    setColor(cr, {1.0, 0.93, 0.55});
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // Corner sparkles.
    for (int i = 0; i < 4; ++i)
        sparkle(cr, cx + ((i & 1) ? 19 : -19), cy + ((i & 2) ? 19 : -19), 4.5, {1, 1, 0.9}, 0.95);
}

// The solid pick area of a piece: a rounded square a little smaller than the cell,
// so a pointer on the gap between two cells picks neither.
void paintMask(Canvas& c) {
    cairo_t* cr = c.cr();
    roundedRect(cr, 4, 4, 40, 40, 12);
    setColor(cr, {1, 1, 1});
    cairo_fill(cr);
}

// Chain arrow pointing right; the others are turned copies.
void paintArrow(Canvas& c, int dir) {
    cairo_t* cr = c.cr();
    double angle = dir == 1 ? 0 : dir == 2 ? M_PI : dir == 3 ? M_PI / 2 : -M_PI / 2;
    cairo_translate(cr, c.width() / 2.0, c.height() / 2.0);
    cairo_rotate(cr, angle);
    glow(cr, 0, 0, 14, {1.0, 0.85, 0.4}, 0.5);
    std::vector<std::pair<double, double>> pts{{-10, -4}, {0, -4}, {0, -10}, {11, 0}, {0, 10}, {0, 4}, {-10, 4}};
    roundedPolygon(cr, pts, 2.0);
    setColor(cr, pal::outline, 0.9);
    cairo_set_line_width(cr, 3.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -10, 0, 10);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.98, 0.85);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.98, 0.75, 0.25);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void makeCells(const datagen::Context& ctx) {
    auto out = [&](const std::string& name) { return ctx.file("data/match3/" + name + ".png"); };
    renderPicture(out("moss"), kCell, kCell, paintMoss);
    renderPicture(out("cell"), 60, 60, paintFlash);
    renderPicture(out("cellmark"), 56, 56, paintMark);
    renderPicture(out("cellmask"), kCell, kCell, paintMask);
    for (int d = 1; d <= 4; ++d)
        renderPicture(out("arrow" + std::to_string(d)), 30, 30, [d](Canvas& c) { paintArrow(c, d); });
}

} // namespace

DATAGEN_FAMILY("boardcells", makeCells);
