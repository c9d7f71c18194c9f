// The board pieces item1-1 .. item1-15. The five colour kinds differ by shape as
// well as colour (round, star, drop, clover, diamond), so they can be told apart
// without colour; the variants 11, 14, 13 and 15 of kinds 1, 2, 3 and 5 keep the
// shape and hue and change the decoration.
#include "art/beetle.h"
#include "family.h"

#include <cmath>
#include <string>

namespace {

using namespace art;
using namespace art::gp;

constexpr int kSize = 48;
constexpr double C = kSize / 2.0;

const Rgb kRed{0.92, 0.20, 0.18}, kYellow{1.0, 0.80, 0.12}, kBlue{0.20, 0.52, 0.95}, kGreen{0.42, 0.84, 0.24},
    kPurple{0.66, 0.32, 0.88};

void circlePath(cairo_t* cr) { cairo_arc(cr, C, C, 19.5, 0, 2 * M_PI); }
void starShape(cairo_t* cr) {
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5, r = (i % 2) ? 10.5 : 22.5;
        pts.push_back({C + r * std::cos(a), C + 1.5 + r * std::sin(a)});
    }
    roundedPolygon(cr, pts, 3.2);
}
void dropShape(cairo_t* cr) {
    cairo_move_to(cr, C, C - 22);
    cairo_curve_to(cr, C + 6, C - 12, C + 17, C - 3, C + 17, C + 7);
    cairo_curve_to(cr, C + 17, C + 17, C + 9, C + 21.5, C, C + 21.5);
    cairo_curve_to(cr, C - 9, C + 21.5, C - 17, C + 17, C - 17, C + 7);
    cairo_curve_to(cr, C - 17, C - 3, C - 6, C - 12, C, C - 22);
    cairo_close_path(cr);
}
void cloverShape(cairo_t* cr) {
    // Four round leaves with deep notches between them.
    for (int i = 0; i < 4; ++i) {
        double a = M_PI / 4 + i * M_PI / 2;
        cairo_new_sub_path(cr);
        cairo_arc(cr, C + 13.2 * std::cos(a), C - 1 + 13.2 * std::sin(a), 9.4, 0, 2 * M_PI);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, C, C - 1, 5, 0, 2 * M_PI);
}
void diamondShape(cairo_t* cr) { roundedPolygon(cr, {{C, C - 22}, {C + 20, C}, {C, C + 22}, {C - 20, C}}, 5); }

// A body: shadow, glossy fill of the path, shine.
template <class Path>
void body(cairo_t* cr, Path path, Rgb colour, double shineX, double shineY) {
    shadowEllipse(cr, C + 1.5, C + 4, 19, 18, 0.30);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    path(cr);
    glossyFill(cr, C, C, 21, colour, 2.0);
    shine(cr, shineX, shineY, 6.5, 4.2, -0.6, 0.8);
}

void piece1(cairo_t* cr) {
    body(cr, circlePath, kRed, C - 7, C - 8);
    sparkle(cr, C + 9, C - 9, 3.5, {1, 1, 1}, 0.9);
}
void piece2(cairo_t* cr) { body(cr, starShape, kYellow, C - 4, C - 6); }
void piece3(cairo_t* cr) { body(cr, dropShape, kBlue, C - 6, C + 2); }
void piece4(cairo_t* cr) {
    // The leaves overlap, so the outline goes underneath as one thick stroke.
    shadowEllipse(cr, C + 1.5, C + 4, 19, 18, 0.30);
    // The stem, between the two lower leaves.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, C, C + 4);
        cairo_curve_to(cr, C + 1, C + 12, C + 4, C + 17, C + 8, C + 21);
        setColor(cr, pass ? darker(kGreen, 0.15) : mix(darker(kGreen, 0.6), pal::outline, 0.5));
        cairo_set_line_width(cr, pass ? 2.6 : 5.4);
        cairo_stroke(cr);
    }
    cloverShape(cr);
    setColor(cr, mix(darker(kGreen, 0.7), pal::outline, 0.6), 0.95);
    cairo_set_line_width(cr, 4.4);
    cairo_stroke(cr);
    cloverShape(cr);
    glossyFill(cr, C, C, 21, kGreen, 0.0);
    shine(cr, C - 9, C - 9, 6.5, 4.2, -0.6, 0.8);
    setColor(cr, darker(kGreen, 0.5), 0.6);
    cairo_set_line_width(cr, 1.3);
    for (int i = 0; i < 4; ++i) {
        double a = M_PI / 4 + i * M_PI / 2;
        cairo_move_to(cr, C + 3 * std::cos(a), C - 1 + 3 * std::sin(a));
        cairo_line_to(cr, C + 15 * std::cos(a), C - 1 + 15 * std::sin(a));
        cairo_stroke(cr);
    }
}
void piece5(cairo_t* cr) {
    body(cr, diamondShape, kPurple, C - 7, C - 7);
    setColor(cr, {1, 1, 1}, 0.22);
    cairo_move_to(cr, C, C - 20);
    cairo_line_to(cr, C + 8, C);
    cairo_line_to(cr, C, C + 20);
    cairo_line_to(cr, C - 8, C);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// Variants: the same silhouettes in shifted hues with an inner motif.
void piece11(cairo_t* cr) {
    Rgb c{0.95, 0.33, 0.12};
    body(cr, circlePath, c, C - 7, C - 8);
    cairo_set_line_width(cr, 2.4);
    setColor(cr, lighter(c, 0.7), 0.9);
    cairo_arc(cr, C, C, 11, 0, 2 * M_PI);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5 - M_PI / 2;
        cairo_arc(cr, C + 5 * std::cos(a), C + 5 * std::sin(a), 3.2, 0, 2 * M_PI);
        setColor(cr, {1.0, 0.9, 0.5}, 0.95);
        cairo_fill(cr);
    }
    cairo_arc(cr, C, C, 2.6, 0, 2 * M_PI);
    setColor(cr, {0.85, 0.45, 0.05});
    cairo_fill(cr);
}
void piece14(cairo_t* cr) {
    Rgb c{1.0, 0.66, 0.10};
    body(cr, starShape, c, C - 4, C - 6);
    starPath(cr, C, C + 1.5, 5, 9.5, 4.5, 0);
    setColor(cr, {1.0, 0.97, 0.75}, 0.9);
    cairo_fill(cr);
}
void piece13(cairo_t* cr) {
    Rgb c{0.12, 0.66, 0.88};
    body(cr, dropShape, c, C - 6, C + 2);
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, C + 3 - i * 2.5, C + 12 - i * 8, 3.4 - i * 0.7, 0, 2 * M_PI);
        setColor(cr, {1, 1, 1}, 0.75);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}
void piece15(cairo_t* cr) {
    Rgb c{0.85, 0.30, 0.75};
    body(cr, diamondShape, c, C - 7, C - 7);
    setColor(cr, lighter(c, 0.75), 0.85);
    cairo_set_line_width(cr, 1.6);
    roundedPolygon(cr, {{C, C - 11}, {C + 10, C}, {C, C + 11}, {C - 10, C}}, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, C - 10, C);
    cairo_line_to(cr, C + 10, C);
    cairo_move_to(cr, C, C - 11);
    cairo_line_to(cr, C, C + 11);
    cairo_stroke(cr);
}

// The joker: a sun-shaped flower with petals of all five colours.
void piece12(cairo_t* cr) {
    shadowEllipse(cr, C + 1.5, C + 4, 19, 18, 0.30);
    const Rgb petals[5] = {kRed, kYellow, kBlue, kGreen, kPurple};
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5;
        ellipsePath(cr, C + 13 * std::cos(a), C + 13 * std::sin(a), 9.5, 6.5, a);
        glossyFill(cr, C + 13 * std::cos(a), C + 13 * std::sin(a), 8, petals[i % 5], 1.5);
    }
    cairo_arc(cr, C, C, 10, 0, 2 * M_PI);
    glossyFill(cr, C, C, 10, {1.0, 0.95, 0.80}, 1.6);
    starPath(cr, C, C, 4, 7, 2.3, 0);
    setColor(cr, {0.98, 0.72, 0.15});
    cairo_fill(cr);
    shine(cr, C - 3, C - 4, 3.5, 2.2, -0.6, 0.9);
}

// The bomb: a round dark shell with a brass cap and a burning fuse.
void piece10(cairo_t* cr) {
    cairo_translate(cr, -1, 2);
    shadowEllipse(cr, C + 1.5, C + 5, 18, 16, 0.35);
    cairo_arc(cr, C - 1, C + 3, 17, 0, 2 * M_PI);
    glossyFill(cr, C - 1, C + 3, 18, {0.22, 0.24, 0.34}, 2.0);
    shine(cr, C - 8, C - 4, 6, 4, -0.7, 0.7);
    cairo_save(cr);
    cairo_translate(cr, C + 8, C - 10);
    cairo_rotate(cr, 0.7);
    art::roundedRect(cr, -5, -4, 10, 7, 2);
    cairo_restore(cr);
    glossyFill(cr, C + 8, C - 10, 6, {0.85, 0.65, 0.25}, 1.4);
    setColor(cr, {0.45, 0.32, 0.18});
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, C + 11, C - 13);
    cairo_curve_to(cr, C + 14, C - 17, C + 17, C - 16, C + 16, C - 19);
    cairo_stroke(cr);
    glow(cr, C + 16, C - 19, 5.5, {1.0, 0.75, 0.2}, 0.95);
    sparkle(cr, C + 16, C - 19, 4.5, {1, 1, 0.8}, 1);
}

// The stone: a mossy boulder.
void piece7(cairo_t* cr) {
    shadowEllipse(cr, C + 1.5, C + 6, 21, 15, 0.4);
    roundedPolygon(cr, {{C - 20, C + 8}, {C - 17, C - 9}, {C - 6, C - 19}, {C + 10, C - 17}, {C + 20, C - 5},
                        {C + 21, C + 11}, {C + 8, C + 20}, {C - 12, C + 19}},
                   7);
    glossyFill(cr, C, C, 24, {0.64, 0.60, 0.54}, 2.2);
    setColor(cr, {0.30, 0.27, 0.24}, 0.6);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, C + 3, C - 6);
    cairo_line_to(cr, C + 8, C + 2);
    cairo_line_to(cr, C + 6, C + 10);
    cairo_move_to(cr, C + 8, C + 2);
    cairo_line_to(cr, C + 14, C + 4);
    cairo_stroke(cr);
    // Moss cap.
    cairo_new_path(cr);
    cairo_move_to(cr, C - 17, C - 7);
    cairo_curve_to(cr, C - 12, C - 18, C + 4, C - 22, C + 13, C - 14);
    cairo_curve_to(cr, C + 8, C - 9, C + 3, C - 12, C - 2, C - 8);
    cairo_curve_to(cr, C - 7, C - 4, C - 12, C - 6, C - 17, C - 7);
    cairo_close_path(cr);
    glossyFill(cr, C - 3, C - 14, 12, {0.42, 0.70, 0.22}, 1.2);
}

void piece6(cairo_t* cr) { beetleTop(cr, C, C, 40, {0.72, 0.52, 0.30}, 6); }

// Two small spare pictures: a pebble and an acorn.
void piece8(cairo_t* cr) {
    shadowEllipse(cr, C + 1, C + 4, 14, 10, 0.3);
    cairo_save(cr);
    cairo_translate(cr, C, C);
    cairo_scale(cr, 1.0, 0.78);
    cairo_arc(cr, 0, 0, 14, 0, 2 * M_PI);
    cairo_restore(cr);
    glossyFill(cr, C, C, 15, {0.70, 0.66, 0.60}, 1.6);
}
void piece9(cairo_t* cr) {
    shadowEllipse(cr, C + 1, C + 6, 12, 9, 0.3);
    cairo_save(cr);
    cairo_translate(cr, C, C + 4);
    cairo_scale(cr, 0.85, 1.0);
    cairo_arc(cr, 0, 0, 13, 0, 2 * M_PI);
    cairo_restore(cr);
    glossyFill(cr, C, C + 4, 13, {0.78, 0.52, 0.25}, 1.6);
    art::roundedRect(cr, C - 13, C - 12, 26, 11, 5);
    glossyFill(cr, C, C - 7, 13, {0.50, 0.36, 0.22}, 1.6);
    setColor(cr, {0.35, 0.24, 0.14});
    cairo_set_line_width(cr, 2.4);
    cairo_move_to(cr, C, C - 12);
    cairo_line_to(cr, C + 2, C - 17);
    cairo_stroke(cr);
}

using Painter = void (*)(cairo_t*);
constexpr Painter kPainters[16] = {nullptr, piece1,  piece2,  piece3,  piece4,  piece5,  piece6,  piece7,
                                   piece8,  piece9,  piece10, piece11, piece12, piece13, piece14, piece15};

void makePieces(const datagen::Context& ctx) {
    for (int n = 1; n <= 15; ++n) {
        Canvas c(kSize, kSize);
        kPainters[n](c.cr());
        c.savePng(ctx.file("data/match3/item1-" + std::to_string(n) + ".png"));
    }
}

} // namespace

DATAGEN_FAMILY("pieces", makePieces);
