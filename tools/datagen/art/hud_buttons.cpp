// The three game-type buttons (swap, chain, group: icons only) and the opening
// banner.
#include "art/beetle.h"
#include "family.h"
#include "texts/picturewords.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

using namespace art;
using namespace art::gp;

constexpr int kButtonW = 100, kButtonH = 58;
const Rgb kRed{0.92, 0.20, 0.18}, kYellow{1.0, 0.80, 0.12}, kBlue{0.20, 0.52, 0.95};

void buttonFace(cairo_t* cr) {
    roundedRect(cr, 3, 3, kButtonW - 6, kButtonH - 6, 14);
    cairo_path_t* path = cairo_copy_path(cr);
    fillVertical(cr, 3, kButtonH - 3, {0.93, 0.87, 0.72}, {0.70, 0.60, 0.44});
    cairo_append_path(cr, path);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_path_destroy(path);
    roundedRect(cr, 6, 6, kButtonW - 12, 14, 8);
    setColor(cr, {1, 1, 1}, 0.35);
    cairo_fill(cr);
}

void ball(cairo_t* cr, double x, double y, double r, Rgb c) {
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    glossyFill(cr, x, y, r, c, 1.6);
    shine(cr, x - r * 0.35, y - r * 0.4, r * 0.35, r * 0.22, -0.6, 0.8);
}

void arrowHead(cairo_t* cr, double x, double y, double angle, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, size, 0);
    cairo_line_to(cr, -size * 0.6, -size * 0.75);
    cairo_line_to(cr, -size * 0.6, size * 0.75);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_fill(cr);
}

// Swap: two pieces changing places along two curved arrows.
void iconSwap(cairo_t* cr) {
    double cy = kButtonH / 2.0 + 1;
    ball(cr, 30, cy, 11, kRed);
    ball(cr, 70, cy, 11, kBlue);
    cairo_set_line_width(cr, 3);
    setColor(cr, pal::outline);
    cairo_arc(cr, 50, cy + 4, 18, -M_PI * 0.82, -M_PI * 0.18);
    cairo_stroke(cr);
    arrowHead(cr, 50 + 18 * std::cos(-M_PI * 0.18), cy + 4 + 18 * std::sin(-M_PI * 0.18), 0.9, 5.5);
    cairo_arc(cr, 50, cy - 4, 18, M_PI * 0.18, M_PI * 0.82);
    cairo_stroke(cr);
    arrowHead(cr, 50 + 18 * std::cos(M_PI * 0.82), cy - 4 + 18 * std::sin(M_PI * 0.82), M_PI + 0.9, 5.5);
}

// Chain: a path drawn through three pieces of one colour.
void iconChain(cairo_t* cr) {
    const double pts[3][2] = {{25, 38}, {50, 20}, {75, 38}};
    setColor(cr, {1.0, 0.93, 0.55});
    cairo_set_line_width(cr, 7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, pts[0][0], pts[0][1]);
    for (auto& p : pts) cairo_line_to(cr, p[0], p[1]);
    cairo_stroke(cr);
    for (auto& p : pts) ball(cr, p[0], p[1], 9, kYellow);
    setColor(cr, pal::outline);
    arrowHead(cr, 64, 30, std::atan2(18, 25), 5);
}

// Group: a cluster of touching pieces of one colour with a ring around it.
void iconGroup(cairo_t* cr) {
    double cx = 50, cy = kButtonH / 2.0 + 1;
    ellipsePath(cr, cx, cy, 34, 22);
    setColor(cr, {1.0, 0.93, 0.55}, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    const double pts[4][2] = {{-10, -8}, {10, -8}, {-10, 10}, {10, 10}};
    for (auto& p : pts) ball(cr, cx + p[0] * 1.1, cy + p[1] * 0.95, 9.5, kBlue);
}

// A leaf on a short stalk, pointing along `angle`.
void leaf(cairo_t* cr, double x, double y, double length, double angle, Rgb c) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.35, length * 0.75, -length * 0.3, length, 0);
    cairo_curve_to(cr, length * 0.75, length * 0.3, length * 0.3, length * 0.35, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    glossyFill(cr, x + length * 0.4 * std::cos(angle), y + length * 0.4 * std::sin(angle), length * 0.5, c, 1.6);
    setColor(cr, darker(c, 0.45), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + length * 0.85 * std::cos(angle), y + length * 0.85 * std::sin(angle));
    cairo_stroke(cr);
}

void paintBanner(Canvas& c, const std::string& words) {
    cairo_t* cr = c.cr();
    double w = c.width(), h = c.height(), cy = h / 2.0 + 6;
    // Soft shadow so the banner stands off the board.
    for (int i = 6; i >= 1; --i) {
        roundedRect(cr, 62 - i * 2, cy - 30 - i, w - 124 + i * 4, 64 + i * 3, 16 + i);
        setColor(cr, {0.05, 0.08, 0.02}, 0.06);
        cairo_fill(cr);
    }
    // A ribbon with folded ends.
    for (int s = -1; s <= 1; s += 2) {
        double x0 = w / 2 + s * (w / 2 - 8), x1 = w / 2 + s * (w / 2 - 80);
        cairo_move_to(cr, x0, cy - 18);
        cairo_line_to(cr, x1, cy - 18);
        cairo_line_to(cr, x1, cy + 34);
        cairo_line_to(cr, x0, cy + 34);
        cairo_line_to(cr, x0 - s * 22, cy + 8);
        cairo_close_path(cr);
        glossyFill(cr, x1, cy + 8, 60, darker(pal::moss, 0.15), 2.4);
        // The fold's shadow where the end tucks under the middle.
        cairo_move_to(cr, x1, cy + 26);
        cairo_line_to(cr, x1 - s * 18, cy + 34);
        cairo_line_to(cr, x1, cy + 34);
        cairo_close_path(cr);
        setColor(cr, darker(pal::moss, 0.6));
        cairo_fill(cr);
    }
    // Leaves tucked behind the ribbon's corners.
    leaf(cr, 74, cy - 30, 34, -2.5, pal::leaf);
    leaf(cr, 80, cy - 34, 28, -1.9, darker(pal::leaf, 0.1));
    leaf(cr, w - 74, cy + 22, 34, 0.55, pal::leaf);
    leaf(cr, w - 82, cy + 26, 26, 1.2, darker(pal::leaf, 0.1));
    roundedRect(cr, 62, cy - 36, w - 124, 62, 14);
    glossyFill(cr, w / 2, cy - 5, w / 2, pal::moss, 2.6);
    roundedRect(cr, 70, cy - 30, w - 140, 10, 5);
    setColor(cr, {1, 1, 1}, 0.25);
    cairo_fill(cr);
    // Stitching along the ribbon's edges.
    cairo_set_line_width(cr, 1.6);
    const double dash[] = {6, 5};
    cairo_set_dash(cr, dash, 2, 0);
    setColor(cr, lighter(pal::leaf, 0.5), 0.7);
    roundedRect(cr, 68, cy - 31, w - 136, 52, 10);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    setFont(cr, kFontRound, 64);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, words.c_str(), &ext);
    if (ext.x_advance > w - 140) // the ribbon's face, less its rounded ends
        throw std::runtime_error("\"" + words + "\" is " + std::to_string(static_cast<int>(ext.x_advance - (w - 140))) +
                                 " pixels too wide for the game-on banner");
    outlinedText(cr, words, w / 2, cy + 16, {1.0, 0.85, 0.3}, pal::outline, 4.5);
    // A beetle taking a ride on the ribbon, and a few sparkles.
    beetleTop(cr, w - 122, cy - 38, 30, beetleColour(1), 3);
    sparkle(cr, 120, cy - 42, 12, {1, 1, 0.85}, 0.95);
    sparkle(cr, w - 160, cy + 30, 10, {1, 1, 0.85}, 0.95);
    sparkle(cr, 150, cy + 34, 7, {1, 1, 0.85}, 0.9);
}

void makeButtons(const datagen::Context& ctx) {
    void (*icons[3])(cairo_t*) = {iconSwap, iconChain, iconGroup};
    for (int i = 0; i < 3; ++i)
        renderPicture(ctx.file("data/match3/gtbutt" + std::to_string(i + 1) + ".png"), kButtonW, kButtonH, [&](Canvas& c) {
            buttonFace(c.cr());
            icons[i](c.cr());
        });
    texts::forEachLanguage(ctx, {"gameon"}, [&](const texts::PictureWords& language, const std::vector<std::string>& words) {
        renderPicture(ctx.file(language.file("data/texts/gameon.png")), 620, 170,
                      [&](Canvas& c) { paintBanner(c, words[0]); });
    });
}

} // namespace

DATAGEN_FAMILY("hudbuttons", makeButtons);
