// Panels and buttons of the menus and popups: the three popup panels, the
// player list with its bar and name box, the champions table, the two kinds of
// text button, the chain holding the menu signs and the menu's borders.
#include "art/screens_kit.h"
#include "family.h"

#include <cmath>

namespace art::scr {
namespace {

// A popup panel: mossy stone rim around a sandstone writing surface. The
// picture is centred on the screen by the game, so everything is symmetric.
void popupPanel(const datagen::Context& ctx, const char* file, int w, int h, uint32_t seed) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    const double m = 8, rim = 16;
    softShadow(cr, m + 2, m + 4, w - 2 * m - 4, h - 2 * m - 4, 26, 7, 0.45);
    stoneSlab(cr, m, m, w - 2 * m, h - 2 * m - 4, 26, pal::stone, seed);
    const double ix = m + rim, iy = m + rim, iw = w - 2 * (m + rim), ih = h - 2 * (m + rim) - 4;
    sandInset(cr, ix, iy, iw, ih, 16, seed + 1);
    // An engraved line around the writing surface and faint leaves carved
    // into its corners.
    strokeRounded(cr, ix + 9, iy + 9, iw - 18, ih - 18, 10, {0.55, 0.42, 0.26}, 0.45, 1.5);
    strokeRounded(cr, ix + 10.5, iy + 10.5, iw - 18, ih - 18, 10, {1.0, 0.95, 0.82}, 0.35, 1);
    cairo_push_group(cr);
    sprig(cr, ix + 14, iy + 14, 40, 0.75, {0.55, 0.42, 0.26}, seed + 7);
    sprig(cr, ix + iw - 14, iy + 14, 40, M_PI - 0.75, {0.55, 0.42, 0.26}, seed + 8);
    sprig(cr, ix + 14, iy + ih - 14, 40, -0.75, {0.55, 0.42, 0.26}, seed + 9);
    sprig(cr, ix + iw - 14, iy + ih - 14, 40, M_PI + 0.75, {0.55, 0.42, 0.26}, seed + 10);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    // Moss over the upper rim and in the corners, with a sprig and flowers.
    mossEdge(cr, m + 30, w - m - 30, m + 3, 9, seed + 2, 0.55);
    mossCushion(cr, m + 18, m + 14, 22, 13, seed + 3);
    mossCushion(cr, w - m - 20, h - m - 18, 24, 13, seed + 4);
    sprig(cr, m + 10, m + 26, 34, 1.9, pal::leaf, seed + 5);
    sprig(cr, w - m - 14, h - m - 26, 30, -1.3, pal::leaf, seed + 6);
    flower(cr, m + 30, m + 8, 5, {0.98, 0.92, 0.95}, pal::gold);
    flower(cr, w - m - 40, h - m - 12, 5, {0.98, 0.80, 0.35}, pal::gold);
    c.savePng(ctx.file(std::string("data/UI/") + file));
}

// Text button of the popups and menus (style 3): a rounded mossy-green stone
// with a thick lower edge. The label sits on the face, whose middle lies a
// little above the picture's centre. The face is 156 px wide: the player
// manager places its buttons 159 px apart, and a label such as "NEW PLAYER"
// in the button font (about 145 px) still fits.
void smallButton(const datagen::Context& ctx) {
    const int w = 172, h = 60;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    const double x = 8, y = 4, bw = w - 16, face = 44, edge = 7;
    roundedRect(cr, x + 2, y + 6, bw, face + edge, 18);
    setColor(cr, pal::outline, 0.35);
    cairo_fill(cr);
    roundedRect(cr, x, y, bw, face + edge, 18);
    setColor(cr, darker(pal::mossDark, 0.2));
    cairo_fill(cr);
    roundedRect(cr, x, y, bw, face, 18);
    fillVertical(cr, y, y + face, lighter(pal::moss, 0.25), darker(pal::moss, 0.1));
    cairo_save(cr);
    roundedRect(cr, x, y, bw, face, 18);
    cairo_clip(cr);
    paintGrain(cr, x, y, bw, face, pal::mossDark, 0.15, 311);
    roundedRect(cr, x + 8, y + 3, bw - 16, face * 0.38, 12);
    setColor(cr, {1, 1, 0.9}, 0.22);
    cairo_fill(cr);
    cairo_restore(cr);
    strokeRounded(cr, x, y, bw, face + edge, 18, pal::outline, 1.0, 2.5);
    strokeRounded(cr, x + 3, y + 3, bw - 6, face - 5, 15, lighter(pal::leaf, 0.3), 0.5, 1.2);
    c.savePng(ctx.file("data/UI/buttonsmall.png"));
}

// The two big signs of the main menu (style 1): a wooden board hanging by two
// rings at 75 px left and right of its centre, where the chains end.
void largeButton(const datagen::Context& ctx) {
    const int w = 300, h = 104;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    softShadow(cr, 14, 18, w - 24, h - 26, 16, 5, 0.4);
    for (int side = -1; side <= 1; side += 2) { // rings
        cairo_arc(cr, w / 2.0 + side * 75, 9, 6, 0, 2 * M_PI);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 4.5);
        cairo_stroke_preserve(cr);
        setColor(cr, {0.62, 0.60, 0.58});
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    }
    woodPlank(cr, 8, 13, w - 16, h - 22, 16, 321);
    // A carved frame line, moss on the top edge and a sprig at the corner.
    strokeRounded(cr, 16, 20, w - 32, h - 36, 10, darker(pal::wood, 0.45), 0.5, 2);
    mossEdge(cr, 30, 110, 15, 9, 322, 0.8);
    mossEdge(cr, 200, 270, 15, 8, 323, 0.7);
    sprig(cr, w - 20, h - 20, 30, -2.4, pal::leaf, 324);
    flower(cr, 24, h - 16, 5, {0.98, 0.80, 0.35}, pal::gold);
    c.savePng(ctx.file("data/UI/buttonlarge.png"));
}

// The chains the two signs hang from. Drawn from its top-left corner at
// x 610: sign 1 (centre 690, 190) has its rings at x 615 and 765, sign 2
// (centre 700, 325) at 625 and 775, both rings about 44 px above the centre.
// Taller than the screen part it covers, so that the slide-in starts with
// both signs out of sight.
void chainPanel(const datagen::Context& ctx) {
    const int w = 200, h = 420;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    const double left1 = 5, right1 = 155, left2 = 15, right2 = 165;
    const double ring1 = 190 - 52 + 9 - 4, ring2 = 325 - 52 + 9 - 4;
    chain(cr, left1, -6, left1, ring1, 14);
    chain(cr, right1, -6, right1, ring1, 14);
    chain(cr, left1, ring1 + 4, left2, ring2, 14);
    chain(cr, right1, ring1 + 4, right2, ring2, 14);
    // Ivy climbing down the upper chains.
    for (int i = 0; i < 5; ++i) {
        double y = 18 + i * 24;
        sprig(cr, left1 + 1, y, 18, (i % 2) ? 0.5 : 2.6, pal::leaf, 330 + i);
        sprig(cr, right1 - 1, y + 10, 18, (i % 2) ? 2.6 : 0.5, pal::leaf, 340 + i);
    }
    c.savePng(ctx.file("data/UI/kette.png"));
}

// Top border of the main menu: a ledge of stones with a wide plaque in the
// middle for the welcome line (title font, top at y 0).
void borderUp(const datagen::Context& ctx) {
    const int w = 1024, h = 72;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(351);
    cairo_rectangle(cr, 0, 0, w, 22);
    fillVertical(cr, 0, 22, pal::stone, pal::stoneDark);
    for (double x = -10; x < w; x += 44) {
        double bw = rng.range(38, 48);
        stoneSlab(cr, x, -8, bw, 30, 8, mix(pal::stone, pal::stoneLight, rng.uniform() * 0.5), rng.next());
    }
    mossEdge(cr, 0, w, 22, 8, 352, 0.7);
    softShadow(cr, 196, 0, 632, 60, 22, 6, 0.4);
    stoneSlab(cr, 192, -30, 640, 92, 24, pal::stone, 353);
    roundedRect(cr, 208, -20, 608, 72, 16);
    fillVertical(cr, -20, 52, {0.42, 0.56, 0.30}, {0.26, 0.40, 0.20});
    strokeRounded(cr, 208, -20, 608, 72, 16, pal::outline, 0.7, 1.5);
    mossCushion(cr, 200, 56, 26, 12, 354);
    mossCushion(cr, 826, 54, 22, 11, 355);
    sprig(cr, 196, 50, 28, 2.2, pal::leaf, 356);
    sprig(cr, 830, 48, 30, 0.9, pal::leaf, 357);
    c.savePng(ctx.file("data/UI/menuborderup.png"));
}

// Bottom border of the main menu: a mossy stone ledge the four small buttons
// (y 740) stand on, drawn at y 768 - height.
void borderDown(const datagen::Context& ctx) {
    const int w = 1024, h = 100;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(361);
    cairo_rectangle(cr, 0, 30, w, h - 30);
    fillVertical(cr, 30, h, pal::stone, pal::stoneDark);
    for (int row = 0; row < 2; ++row)
        for (double x = -20 + row * 24; x < w; x += 52) {
            double bw = rng.range(46, 56);
            stoneSlab(cr, x, 30 + row * 34, bw, 34, 9, mix(pal::stone, pal::stoneLight, rng.uniform() * 0.4),
                      rng.next());
        }
    mossEdge(cr, 0, w, 32, 11, 362, 0.9);
    for (int i = 0; i < 14; ++i) {
        double x = rng.range(0, w);
        sprig(cr, x, 34, rng.range(18, 30), -M_PI / 2 + rng.range(-0.8, 0.8), pal::leaf, rng.next());
    }
    Rgb petals[] = {{0.98, 0.92, 0.95}, {0.98, 0.80, 0.35}, {0.95, 0.55, 0.65}};
    for (int i = 0; i < 18; ++i)
        flower(cr, rng.range(0, w), rng.range(22, 36), rng.range(3, 5), petals[i % 3], pal::gold);
    c.savePng(ctx.file("data/UI/menuborderdown.png"));
}

// Player list of the player manager, drawn at (512, 364); its rows are laid
// out from y 384 - height / 2, so the header band for the column headings
// (dialog font, top at 8 px above that) fills the upper part of the picture.
void playerList(const datagen::Context& ctx) {
    const int w = 480, h = 360;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    roundedRect(cr, 2, 2, w - 4, h - 4, 14);
    fillVertical(cr, 2, h - 2, {0.60, 0.50, 0.33}, {0.54, 0.44, 0.28});
    roundedRect(cr, 2, 2, w - 4, 46, 14);
    fillVertical(cr, 2, 48, {0.42, 0.56, 0.30}, {0.30, 0.44, 0.22});
    cairo_move_to(cr, 12, 48);
    cairo_line_to(cr, w - 12, 48);
    setColor(cr, pal::outline, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 12, 50);
    cairo_line_to(cr, w - 12, 50);
    setColor(cr, pal::cream, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_save(cr);
    roundedRect(cr, 2, 2, w - 4, h - 4, 14);
    cairo_clip(cr);
    paintGrain(cr, 0, 0, w, h, {0.35, 0.26, 0.15}, 0.10, 371);
    cairo_restore(cr);
    strokeRounded(cr, 2, 2, w - 4, h - 4, 14, pal::outline, 0.85, 2.5);
    c.savePng(ctx.file("data/UI/playermenu.png"));
}

// Selection bar behind the current player's row.
void selectionBar(const datagen::Context& ctx) {
    const int w = 448, h = 32;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    roundedRect(cr, 2, 2, w - 4, h - 4, 13);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, pal::gold.r, pal::gold.g, pal::gold.b, 0.15);
    cairo_pattern_add_color_stop_rgba(p, 0.15, pal::gold.r, pal::gold.g, pal::gold.b, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 0.85, pal::gold.r, pal::gold.g, pal::gold.b, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, pal::gold.r, pal::gold.g, pal::gold.b, 0.15);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    roundedRect(cr, 8, 4, w - 16, 10, 5);
    setColor(cr, {1, 1, 0.9}, 0.3);
    cairo_fill(cr);
    strokeRounded(cr, 2, 2, w - 4, h - 4, 13, {0.98, 0.92, 0.6}, 0.9, 2);
    c.savePng(ctx.file("data/UI/bar.png"));
}

// Name box of the new-player popup at (512, 384); the typed name is drawn in
// the button font with its top at y 363.
void nameBox(const datagen::Context& ctx) {
    const int w = 300, h = 72;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    stoneSlab(cr, 2, 2, w - 4, h - 4, 18, pal::stone, 381);
    roundedRect(cr, 12, 11, w - 24, h - 22, 12);
    fillVertical(cr, 11, h - 11, {0.20, 0.24, 0.16}, {0.30, 0.34, 0.22});
    strokeRounded(cr, 12, 11, w - 24, h - 22, 12, pal::outline, 1.0, 2);
    roundedRect(cr, 14, 13, w - 28, 8, 4);
    setColor(cr, pal::outline, 0.35);
    cairo_fill(cr);
    mossCushion(cr, 24, 6, 18, 8, 382);
    c.savePng(ctx.file("data/UI/createplayer.png"));
}

// Champions table, drawn at (512, 392): seven rows of 46 px whose text lines
// start at y 238 + 46 (r - 1); columns rank (x 323), name (from 368), points
// (right edge 654) and level (697).
void championsTable(const datagen::Context& ctx) {
    const int w = 440, h = 336, left = 292, top = 392 - h / 2;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    roundedRect(cr, 2, 2, w - 4, h - 4, 14);
    fillVertical(cr, 2, h - 2, {0.58, 0.48, 0.31}, {0.52, 0.42, 0.27});
    cairo_save(cr);
    roundedRect(cr, 2, 2, w - 4, h - 4, 14);
    cairo_clip(cr);
    for (int r = 1; r <= 7; ++r) {
        double y = 230 + 46 * (r - 1) - top;
        cairo_rectangle(cr, 0, y, w, 46);
        if (r <= 3) { // gold, silver and bronze for the first three
            Rgb medal = r == 1 ? pal::gold : r == 2 ? Rgb{0.85, 0.86, 0.90} : Rgb{0.86, 0.55, 0.30};
            setColor(cr, medal, 0.28);
        } else {
            setColor(cr, r % 2 ? Rgb{1, 1, 1} : pal::outline, r % 2 ? 0.06 : 0.06);
        }
        cairo_fill(cr);
        cairo_move_to(cr, 8, y + 46);
        cairo_line_to(cr, w - 8, y + 46);
        setColor(cr, pal::outline, 0.25);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    paintGrain(cr, 0, 0, w, h, {0.35, 0.26, 0.15}, 0.08, 391);
    for (double x : {347.0, 560.0, 664.0}) {
        cairo_move_to(cr, x - left, 10);
        cairo_line_to(cr, x - left, h - 10);
        setColor(cr, pal::outline, 0.35);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_move_to(cr, x - left + 1.5, 10);
        cairo_line_to(cr, x - left + 1.5, h - 10);
        setColor(cr, pal::cream, 0.25);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    strokeRounded(cr, 2, 2, w - 4, h - 4, 14, pal::outline, 0.85, 2.5);
    c.savePng(ctx.file("data/UI/scores.png"));
}

void panels(const datagen::Context& ctx) {
    // Small: new player, delete, resume, new game, exit (stretched 1.3 wide).
    popupPanel(ctx, "popupsmall.png", 480, 360, 301);
    // Medium: options, credits, champions, player manager, roadmap help, level info.
    popupPanel(ctx, "popupmedium.png", 640, 580, 302);
    // Big: the help pages with their demonstration boards at x 192 .. 832.
    popupPanel(ctx, "popupbig.png", 900, 650, 303);
    smallButton(ctx);
    largeButton(ctx);
    chainPanel(ctx);
    borderUp(ctx);
    borderDown(ctx);
    playerList(ctx);
    selectionBar(ctx);
    nameBox(ctx);
    championsTable(ctx);
}

} // namespace

DATAGEN_FAMILY("screens-panels", panels);

} // namespace art::scr
