#include "art/beetle.h"

#include <cmath>

namespace art::gp {

Rgb beetleColour(int k) {
    switch (k) {
    case 1: return {0.90, 0.25, 0.22}; // poppy red
    case 2: return {0.22, 0.55, 0.95}; // sky blue
    case 3: return {0.35, 0.78, 0.28}; // leaf green
    default: return {0.98, 0.64, 0.15}; // amber
    }
}

void beetleTop(cairo_t* cr, double cx, double cy, double size, Rgb c, uint32_t seed) {
    double s = size / 40.0;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s, s);
    shadowEllipse(cr, 1.5, 3, 17, 19, 0.35);
    // Legs: three pairs of little bent strokes.
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double y = -5 + i * 8;
            cairo_move_to(cr, side * 10, y);
            cairo_line_to(cr, side * 17, y - 3 + i * 3);
            cairo_line_to(cr, side * 19.5, y + 1 + i * 4);
            cairo_stroke(cr);
        }
    // Antennae.
    cairo_set_line_width(cr, 1.6);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 3, -15);
        cairo_curve_to(cr, side * 5, -19, side * 8, -19, side * 9, -20.5);
        cairo_stroke(cr);
        cairo_arc(cr, side * 9, -20.5, 1.6, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // Head.
    cairo_arc(cr, 0, -12.5, 6.5, 0, 2 * M_PI);
    glossyFill(cr, 0, -12.5, 6.5, {0.22, 0.18, 0.16}, 1.4);
    // Eyes.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, side * 3.2, -14.5, 1.6, 0, 2 * M_PI);
        setColor(cr, {1, 1, 1});
        cairo_fill(cr);
    }
    // Shell: two wing cases with a seam, spots.
    cairo_save(cr);
    cairo_scale(cr, 1.0, 1.12);
    cairo_arc(cr, 0, 3, 14.5, 0, 2 * M_PI);
    cairo_restore(cr);
    glossyFill(cr, 0, 3, 16, c, 1.8);
    setColor(cr, darker(c, 0.55), 0.8);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, 0, -12.5);
    cairo_line_to(cr, 0, 19);
    cairo_stroke(cr);
    Rng rng(seed);
    for (int i = 0; i < 3; ++i)
        for (int side = -1; side <= 1; side += 2) {
            double x = side * (5.5 + (i == 1 ? 3.5 : 0)) + rng.range(-0.6, 0.6), y = -3 + i * 7.5;
            cairo_arc(cr, x, y, 2.3 - i * 0.25, 0, 2 * M_PI);
            setColor(cr, darker(c, 0.6), 0.75);
            cairo_fill(cr);
        }
    shine(cr, -5, -3, 4.5, 7, 0.5, 0.75);
    cairo_restore(cr);
}

} // namespace art::gp
