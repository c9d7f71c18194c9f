// The game screen's head-up display: the top bar behind the HUD numbers and the
// list of items to destroy, the bottom panel that holds the game-type buttons,
// the long ledge along the bottom edge, and the menu button.
#include "art/game_paint.h"
#include "family.h"
#include "texts/picturewords.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace art;
using namespace art::gp;

const Rgb kSand{0.86, 0.78, 0.62}, kSandDark{0.62, 0.52, 0.38}, kInset{0.30, 0.25, 0.19};

// A stone beam with a rounded outline, lit from above.
void stoneBand(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed) {
    roundedRect(cr, x, y, w, h, r);
    cairo_path_t* path = cairo_copy_path(cr);
    fillVertical(cr, y, y + h, lighter(kSand, 0.2), kSandDark);
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    paintGrain(cr, x, y, w, h, kSandDark, 0.25, seed);
    // Highlight along the top edge, shade along the bottom.
    cairo_rectangle(cr, x, y + 1, w, 3);
    setColor(cr, {1, 0.97, 0.9}, 0.45);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y + h - 4, w, 4);
    setColor(cr, {0.2, 0.15, 0.1}, 0.3);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_append_path(cr, path);
    setColor(cr, pal::outline, 0.9);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_path_destroy(path);
}

// A sunken dark plate where light text sits.
void inset(cairo_t* cr, double x, double y, double w, double h, double r) {
    roundedRect(cr, x, y, w, h, r);
    fillVertical(cr, y, y + h, darker(kInset, 0.3), kInset, 0.92);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    setColor(cr, {1, 0.95, 0.85}, 0.35);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    roundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r);
    setColor(cr, {0, 0, 0}, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Moss cushions hanging over an edge from x0 to x1, in clumps with gaps.
void mossFringe(cairo_t* cr, double x0, double x1, double y, double size, uint32_t seed) {
    Rng rng(seed);
    for (double x = x0 + rng.range(0, size * 3); x < x1;) {
        int n = 2 + static_cast<int>(rng.uniform() * 5);
        std::vector<std::array<double, 3>> clump;
        for (int i = 0; i < n && x < x1; ++i, x += size * rng.range(0.45, 0.75)) {
            double r = size * rng.range(0.3, 0.6) * (i == 0 || i == n - 1 ? 0.75 : 1.0);
            clump.push_back({x, y + rng.range(-1.5, 2.5), r});
        }
        for (auto& [cx, cy, r] : clump) {
            cairo_arc(cr, cx + 0.8, cy + 1.2, r + 1.1, 0, 2 * M_PI);
            setColor(cr, {0.12, 0.24, 0.06}, 0.85);
            cairo_fill(cr);
        }
        for (auto& [cx, cy, r] : clump) mossCushion(cr, cx, cy, r, rng);
        if (rng.uniform() < 0.4) { // a hanging strand
            auto& [cx, cy, r] = clump[clump.size() / 2];
            double len = rng.range(6, 14);
            setColor(cr, pal::mossDark);
            cairo_set_line_width(cr, 1.8);
            cairo_move_to(cr, cx, cy + r - 1);
            cairo_curve_to(cr, cx + 2, cy + r + len * 0.4, cx - 2, cy + r + len * 0.7, cx, cy + r + len);
            cairo_stroke(cr);
            cairo_arc(cr, cx, cy + r + len, 2.0, 0, 2 * M_PI);
            setColor(cr, pal::leaf);
            cairo_fill(cr);
        }
        x += size * rng.range(1.5, 5.0);
    }
}

// Small icons beside the HUD numbers.
void mossIcon(cairo_t* cr, double x, double y) {
    for (int i = 0; i < 3; ++i) {
        double cx = x - 5 + i * 5, cy = y + (i == 1 ? -3 : 1);
        cairo_arc(cr, cx, cy, 6 - (i == 1 ? 0 : 1.5), 0, 2 * M_PI);
        glossyFill(cr, cx, cy, 6, i == 1 ? pal::leaf : pal::moss, 1.3);
    }
}
void clockIcon(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 8.5, 0, 2 * M_PI);
    glossyFill(cr, x, y, 9, pal::cream, 1.6);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y - 5.5);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 4, y + 1.5);
    cairo_stroke(cr);
}
void starIcon(cairo_t* cr, double x, double y) {
    starPath(cr, x, y + 1, 5, 10, 4.6, 0);
    glossyFill(cr, x, y, 10, pal::gold, 1.6);
}

void paintTopBar(Canvas& c) {
    cairo_t* cr = c.cr();
    // Drop shadow under the beam.
    for (int i = 0; i < 8; ++i) {
        cairo_rectangle(cr, 0, 44 + i, 1024, 1);
        setColor(cr, {0.1, 0.08, 0.05}, 0.3 * (1 - i / 8.0));
        cairo_fill(cr);
    }
    stoneBand(cr, -4, -6, 1032, 50, 10, 3);
    // The hanging plate under the list of items to destroy: deep enough for the
    // icons at y 24 and the counts drawn below them from y 39.
    stoneBand(cr, 376, -6, 272, 90, 18, 4);
    mossFringe(cr, 6, 370, 44, 11, 5);
    mossFringe(cr, 654, 1020, 44, 11, 6);
    mossFringe(cr, 392, 632, 84, 9, 7);
    // Plates of the moss count, the clock, the points and the menu button.
    inset(cr, 70, 8, 112, 30, 9);
    mossIcon(cr, 90, 24);
    inset(cr, 200, 8, 150, 30, 9);
    clockIcon(cr, 221, 23);
    inset(cr, 758, 8, 160, 30, 9);
    starIcon(cr, 774, 22);
    inset(cr, 386, 4, 252, 74, 14);
}

void paintBottomPanel(Canvas& c) {
    cairo_t* cr = c.cr();
    double w = c.width(), h = c.height();
    stoneBand(cr, 3, 3, w - 6, h + 20, 20, 8);
    mossFringe(cr, 22, w - 22, 6, 10, 9);
    // Sockets of the three buttons (at 402, 514 and 626 on the screen).
    for (int i = 0; i < 3; ++i) inset(cr, w / 2 - 110 - 52 + i * 112, 8, 104, 62, 14);
}

void paintLongBar(Canvas& c) {
    cairo_t* cr = c.cr();
    stoneBand(cr, -4, 4, c.width() + 8, c.height(), 8, 10);
    mossFringe(cr, 0, c.width(), 6, 12, 11);
}

void paintMenuButton(Canvas& c, bool hover, const std::string& word) {
    cairo_t* cr = c.cr();
    double w = c.width(), h = c.height();
    if (hover) glow(cr, w / 2, h / 2, w / 2, {1.0, 0.9, 0.5}, 0.6);
    roundedRect(cr, 6, 5, w - 12, h - 10, (h - 10) / 2);
    glossyFill(cr, w / 2, h / 2, w / 2, hover ? Rgb{0.55, 0.80, 0.30} : Rgb{0.40, 0.64, 0.22}, 2.2);
    // Three bars and the word.
    setColor(cr, pal::outline, 0.8);
    for (int i = 0; i < 3; ++i) {
        roundedRect(cr, 17, h / 2 - 8 + i * 6, 15, 3.6, 1.8);
        cairo_fill(cr);
    }
    setColor(cr, pal::cream);
    for (int i = 0; i < 3; ++i) {
        roundedRect(cr, 16, h / 2 - 9 + i * 6, 15, 3.2, 1.6);
        cairo_fill(cr);
    }
    setFont(cr, kFontRound, 17);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, word.c_str(), &ext);
    // Centred at w / 2 + 11, right of the bars (which end at x 32), 4 pixels clear of them.
    if (ext.x_advance > 2 * (w / 2 + 11 - 36))
        throw std::runtime_error("\"" + word + "\" is too wide for the menu button");
    outlinedText(cr, word, w / 2 + 11, h / 2 + 6, hover ? Rgb{1, 1, 0.9} : pal::cream, pal::outline, 1.8);
}

void makeHud(const datagen::Context& ctx) {
    auto out = [&](const std::string& name) { return ctx.file("data/match3/" + name + ".png"); };
    renderPicture(out("m3uiup"), 1024, 88, paintTopBar);
    renderPicture(out("m3uidown"), 372, 78, paintBottomPanel);
    renderPicture(out("m3uilongbar"), 1024, 26, paintLongBar);
    texts::forEachLanguage(ctx, {"menubutton"}, [&](const texts::PictureWords& language,
                                                    const std::vector<std::string>& words) {
        for (bool hover : {false, true})
            renderPicture(ctx.file(language.file(hover ? "data/match3/menuhover.png" : "data/match3/menu.png")), 104,
                          44, [&](Canvas& c) { paintMenuButton(c, hover, words[0]); });
    });
}

} // namespace

DATAGEN_FAMILY("hud", makeHud);
