// Small interface pictures: the mouse pointer and the two hit probes, the
// options popup's slider and check box, the loading bar, the game logo and
// the pictures of the help pages.
#include "art/screens_kit.h"
#include "family.h"

#include <cmath>

namespace art::scr {
namespace {

void save(const Canvas& c, const datagen::Context& ctx, const char* name) {
    c.savePng(ctx.file(std::string("data/UI/") + name));
}

// The only visible mouse pointer. The game draws it centred at the mouse
// position + (27, 37); with a 64 x 80 picture its centre is (32, 40), so the
// pointer's tip must sit at (32 - 27, 40 - 37) = (5, 3).
void cursor(const datagen::Context& ctx) {
    Canvas c(64, 80);
    cairo_t* cr = c.cr();
    const double tx = 5, ty = 3;
    auto arrow = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, tx + dx, ty + dy);
        cairo_line_to(cr, tx + dx, ty + dy + 40);
        cairo_line_to(cr, tx + dx + 10, ty + dy + 31);
        cairo_line_to(cr, tx + dx + 17, ty + dy + 46);
        cairo_line_to(cr, tx + dx + 24, ty + dy + 43);
        cairo_line_to(cr, tx + dx + 17, ty + dy + 28);
        cairo_line_to(cr, tx + dx + 30, ty + dy + 28);
        cairo_close_path(cr);
    };
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    arrow(3, 4); // shadow
    setColor(cr, pal::outline, 0.35);
    cairo_fill(cr);
    arrow(0, 0);
    fillVertical(cr, ty, ty + 46, pal::cream, pal::gold);
    arrow(0, 0);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // A small leaf on the pointer's back.
    sprig(cr, tx + 20, ty + 36, 16, -0.6, pal::leaf, 401);
    cairo_move_to(cr, tx + 3, ty + 8);
    cairo_line_to(cr, tx + 3, ty + 28);
    setColor(cr, {1, 1, 1}, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    save(c, ctx, "cursor.png");
}

// Hit probes: never seen, only tested for overlap. coll.png is placed by its
// top-left corner at the mouse, coll3.png centred on it.
void probes(const datagen::Context& ctx) {
    {
        Canvas c(3, 3);
        cairo_set_source_rgb(c.cr(), 1, 1, 1);
        cairo_paint(c.cr());
        save(c, ctx, "coll.png");
    }
    {
        Canvas c(5, 5);
        cairo_set_source_rgb(c.cr(), 1, 1, 1);
        cairo_paint(c.cr());
        save(c, ctx, "coll3.png");
    }
}

// Options popup: the track spans the knob's centres x 372..652.
void slider(const datagen::Context& ctx) {
    {
        const int w = 304, h = 26; // centred at 512: x 360..664
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        roundedRect(cr, 2, 3, w - 4, h - 6, 10);
        fillVertical(cr, 3, h - 3, pal::stoneDark, pal::stone);
        roundedRect(cr, 9, 8, w - 18, h - 16, 5);
        fillStops(cr, cairo_pattern_create_linear(9, 0, w - 9, 0), {{0, pal::mossDark}, {1, pal::leaf}});
        roundedRect(cr, 9, 8, w - 18, 3, 1.5);
        setColor(cr, pal::outline, 0.4);
        cairo_fill(cr);
        for (int i = 0; i <= 4; ++i) { // ticks at 0, 70, 140, 210, 280
            double x = 12 + i * 70;
            cairo_arc(cr, x, h / 2.0, 1.8, 0, 2 * M_PI);
            setColor(cr, pal::cream, 0.8);
            cairo_fill(cr);
        }
        strokeRounded(cr, 2, 3, w - 4, h - 6, 10, pal::outline, 1.0, 2);
        save(c, ctx, "optionstrack.png");
    }
    { // knob: a golden pebble, its whole shape is the hit area
        const int w = 34, h = 46;
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        roundedRect(cr, 4, 5, w - 6, h - 7, 12);
        setColor(cr, pal::outline, 0.3);
        cairo_fill(cr);
        roundedRect(cr, 2, 2, w - 6, h - 7, 12);
        Rgb hi = lighter(pal::gold, 0.5), lo = darker(pal::gold, 0.35);
        fillStops(cr, cairo_pattern_create_radial(10, 10, 2, 15, 20, 26),
                  {{0, hi}, {0.5, pal::gold}, {1, lo}}, true);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int i = -1; i <= 1; ++i) { // grip ridges
            cairo_move_to(cr, 15 + i * 6, 13);
            cairo_line_to(cr, 15 + i * 6, 28);
            setColor(cr, darker(pal::gold, 0.45), 0.8);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
        save(c, ctx, "bnmove2.png");
    }
}

// Options popup: the arrows either side of the language's name, centred at
// (372, y) and (652, y) over the slider tracks' ends; the whole pebble is the
// hit area. langright.png is langleft.png mirrored.
void languageArrows(const datagen::Context& ctx) {
    const int w = 40, h = 40;
    for (int right = 0; right <= 1; ++right) {
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        if (right) {
            cairo_translate(cr, w, 0);
            cairo_scale(cr, -1, 1);
        }
        cairo_arc(cr, 21, 22, 17, 0, 2 * M_PI);
        setColor(cr, pal::outline, 0.3);
        cairo_fill(cr);
        cairo_arc(cr, 19, 19, 17, 0, 2 * M_PI);
        fillStops(cr, cairo_pattern_create_radial(13, 12, 2, 19, 19, 20),
                  {{0, lighter(pal::gold, 0.5)}, {0.5, pal::gold}, {1, darker(pal::gold, 0.35)}}, true);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_move_to(cr, 11, 19);
        cairo_line_to(cr, 24, 10);
        cairo_line_to(cr, 24, 28);
        cairo_close_path(cr);
        setColor(cr, pal::outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        save(c, ctx, right ? "langright.png" : "langleft.png");
    }
}

// Full-screen check box at (442, 480) (its hover area is 40 x 40) and its
// mark, drawn at (448, 474): a tick that springs out of the box's upper right.
void checkBox(const datagen::Context& ctx) {
    {
        Canvas c(40, 40);
        cairo_t* cr = c.cr();
        stoneSlab(cr, 2, 2, 36, 36, 8, pal::stone, 411);
        roundedRect(cr, 8, 8, 24, 24, 5);
        fillVertical(cr, 8, 32, {0.22, 0.26, 0.18}, {0.34, 0.38, 0.26});
        strokeRounded(cr, 8, 8, 24, 24, 5, pal::outline, 1.0, 1.5);
        save(c, ctx, "cb.png");
    }
    {
        Canvas c(48, 48);
        cairo_t* cr = c.cr();
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        auto tick = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, 9, 27);
            cairo_line_to(cr, 19, 37);
            cairo_curve_to(cr, 24, 24, 32, 14, 42, 6);
        };
        tick();
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 10);
        cairo_stroke(cr);
        tick();
        setColor(cr, pal::leaf);
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
        tick();
        setColor(cr, {1, 1, 0.85}, 0.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        save(c, ctx, "h.png");
    }
}

// Loading screen: the frame at (512, y + 3) holds the word "loading" (dialog
// font, top y - 14) above a channel at y + 13 in which the fill grows from
// x 335 to 703.
void loadingBar(const datagen::Context& ctx) {
    {
        const int w = 440, h = 52; // x 292..732, centre row 26 = y + 3
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        softShadow(cr, 4, 6, w - 8, h - 10, 20, 5, 0.4);
        stoneSlab(cr, 2, 2, w - 4, h - 6, 20, pal::stone, 421);
        mossEdge(cr, 30, w - 30, 4, 6, 422, 0.5);
        // Channel: centred on y + 13 = picture row 36, below the word.
        roundedRect(cr, 34, 30, w - 68, 12, 6);
        fillVertical(cr, 30, 42, {0.16, 0.18, 0.12}, {0.30, 0.32, 0.22});
        strokeRounded(cr, 34, 30, w - 68, 12, 6, pal::outline, 1.0, 1.8);
        save(c, ctx, "loadbar.png");
    }
    {
        const int w = 368, h = 8; // x 328..696
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        roundedRect(cr, 6, 0.5, w - 12, h - 1, 3.5);
        fillVertical(cr, 0, h, lighter(pal::leaf, 0.35), pal::moss);
        roundedRect(cr, 10, 1.5, w - 20, 2, 1);
        setColor(cr, {1, 1, 0.9}, 0.6);
        cairo_fill(cr);
        save(c, ctx, "loadfill.png");
    }
}

// The game's logo, centred at (250, 270) on the menu and the loading screen.
void logo(const datagen::Context& ctx) {
    const int w = 460, h = 230;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    gameLogo(cr, w / 2.0, h / 2.0, 1.0);
    save(c, ctx, "logo3.png");
}

// The 3 x 3 board of the help pages: cells of 48 px centred at -48, 0, 48.
void helpBoard(const datagen::Context& ctx) {
    const int w = 168, h = 168;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    stoneSlab(cr, 1, 1, w - 2, h - 2, 14, pal::stone, 441);
    Rng rng(442);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) {
            double x = 12 + 48 * k, y = 12 + 48 * r;
            Rgb tile = mix({0.80, 0.72, 0.55}, {0.72, 0.64, 0.48}, (r + k) % 2 * 0.8);
            roundedRect(cr, x + 1, y + 1, 46, 46, 6);
            fillVertical(cr, y, y + 48, lighter(tile, 0.1), darker(tile, 0.08));
            cairo_save(cr);
            roundedRect(cr, x + 1, y + 1, 46, 46, 6);
            cairo_clip(cr);
            paintGrain(cr, x, y, 48, 48, darker(tile, 0.3), 0.12, rng.next());
            cairo_restore(cr);
            strokeRounded(cr, x + 1, y + 1, 46, 46, 6, pal::outline, 0.45, 1.2);
        }
    mossCushion(cr, 20, 4, 16, 7, 443);
    save(c, ctx, "niner.png");
}

// Help page 1, on the board's lower middle cell: a golden ring with sparkles
// showing where the chain ends and the moss is swept away.
void helpTile(const datagen::Context& ctx) {
    Canvas c(96, 96);
    cairo_t* cr = c.cr();
    glow(cr, 48, 48, 46, pal::gold, 0.35);
    strokeRounded(cr, 22, 22, 52, 52, 10, pal::outline, 0.8, 5);
    strokeRounded(cr, 22, 22, 52, 52, 10, pal::gold, 1.0, 3);
    for (int i = 0; i < 4; ++i) { // four-point sparkles at the corners
        double x = i % 2 ? 78 : 18, y = i / 2 ? 78 : 18, s = 9 - i;
        cairo_move_to(cr, x, y - s);
        cairo_curve_to(cr, x, y, x, y, x + s, y);
        cairo_curve_to(cr, x, y, x, y, x, y + s);
        cairo_curve_to(cr, x, y, x, y, x - s, y);
        cairo_curve_to(cr, x, y, x, y, x, y - s);
        setColor(cr, {1, 1, 0.85});
        cairo_fill(cr);
    }
    save(c, ctx, "helptileexpl.png");
}

// Help page 5, over the cell where a stone stood: shards bursting outwards.
void helpStone(const datagen::Context& ctx) {
    Canvas c(140, 140);
    cairo_t* cr = c.cr();
    Rng rng(451);
    glow(cr, 70, 70, 50, pal::cream, 0.5);
    for (int i = 0; i < 8; ++i) {
        double a = i * 2 * M_PI / 8 + rng.range(-0.2, 0.2), d = rng.range(34, 52);
        double x = 70 + std::cos(a) * d, y = 70 + std::sin(a) * d, s = rng.range(7, 12);
        cairo_move_to(cr, 70 + std::cos(a) * 16, 70 + std::sin(a) * 16);
        cairo_line_to(cr, x - std::cos(a) * s, y - std::sin(a) * s);
        setColor(cr, pal::cream, 0.7);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        double turn = a + rng.range(0, 3);
        auto shard = [&] {
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, turn);
            cairo_move_to(cr, -s, -s * 0.4);
            cairo_line_to(cr, s * 0.2, -s * 0.8);
            cairo_line_to(cr, s, s * 0.3);
            cairo_line_to(cr, -s * 0.3, s * 0.7);
            cairo_close_path(cr);
            cairo_restore(cr);
        };
        shard();
        fillVertical(cr, y - s, y + s, pal::stoneLight, pal::stoneDark);
        shard();
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    save(c, ctx, "helpstoneexpl.png");
}

// A small copy of a piece for the quota icons, in the piece's own shape: ball,
// star, drop, clover, diamond.
void pieceIcon(cairo_t* cr, double x, double y, double r, int kind) {
    static const Rgb colours[] = {pal::piece1, pal::piece2, pal::piece3, pal::piece4, pal::piece5};
    Rgb c = colours[kind - 1];
    cairo_new_path(cr);
    switch (kind) {
    case 1:
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        break;
    case 2:
        for (int k = 0; k < 10; ++k) {
            double a = -M_PI / 2 + k * M_PI / 5, rr = k % 2 ? r * 0.48 : r * 1.1;
            cairo_line_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
        }
        cairo_close_path(cr);
        break;
    case 3:
        cairo_move_to(cr, x, y - r * 1.15);
        cairo_curve_to(cr, x + r * 0.4, y - r * 0.5, x + r * 0.9, y, x + r * 0.8, y + r * 0.35);
        cairo_arc(cr, x, y + r * 0.25, r * 0.8, 0.12, M_PI - 0.12);
        cairo_curve_to(cr, x - r * 0.9, y, x - r * 0.4, y - r * 0.5, x, y - r * 1.15);
        cairo_close_path(cr);
        break;
    case 4:
        for (int k = 0; k < 4; ++k) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + std::cos(k * M_PI / 2) * r * 0.45, y + std::sin(k * M_PI / 2) * r * 0.45,
                      r * 0.55, 0, 2 * M_PI);
        }
        break;
    default:
        cairo_move_to(cr, x, y - r * 1.1);
        cairo_line_to(cr, x + r * 0.85, y);
        cairo_line_to(cr, x, y + r * 1.1);
        cairo_line_to(cr, x - r * 0.85, y);
        cairo_close_path(cr);
    }
    fillStops(cr, cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, r * 0.1, x, y, r * 1.2),
              {{0, lighter(c, 0.5)}, {0.5, c}, {1, darker(c, 0.25)}}, true);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// Help page 1: the middle of the game's top bar, drawn at (512, 234): the moss
// counter and the five quota icons 50 px apart like in the game. The page draws
// a trail of shrinking blue pieces (kind 3) ending at (537, 234), so the icon
// of kind 3 sits there, 25 px right of the centre.
void hudTop(const datagen::Context& ctx) {
    const int w = 330, h = 64, cy = 30; // icons on picture row 30 = screen y 234 (+ 2)
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    softShadow(cr, 6, 8, w - 12, h - 14, 18, 5, 0.35);
    stoneSlab(cr, 4, 4, w - 8, h - 12, 18, pal::stone, 461);
    mossEdge(cr, 40, w - 30, 6, 6, 462, 0.6);
    // Moss counter on the left.
    mossCushion(cr, 26, cy + 2, 13, 9, 463);
    setFont(cr, kFontTextBlack, 16);
    outlinedText(cr, "7", 47, cy + 8, pal::cream, pal::outline, 2, 0);
    Rgb kinds[] = {pal::piece1, pal::piece2, pal::piece3, pal::piece4, pal::piece5};
    const char* counts[] = {"12", "8", "6", "5", "9"};
    for (int i = 0; i < 5; ++i) {
        double x = w / 2.0 + 25 + (i - 2) * 50;
        cairo_arc(cr, x, cy, 16, 0, 2 * M_PI);
        setColor(cr, {0.22, 0.26, 0.18});
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        glow(cr, x - 3, cy - 3, 14, lighter(kinds[i], 0.4), 0.9);
        pieceIcon(cr, x, cy, 10, i + 1);
        setFont(cr, kFontTextBlack, 14);
        outlinedText(cr, counts[i], x + 15, cy + 19, pal::cream, pal::outline, 2, 0);
    }
    save(c, ctx, "uitopfull.png");
}

void widgets(const datagen::Context& ctx) {
    cursor(ctx);
    probes(ctx);
    slider(ctx);
    languageArrows(ctx);
    checkBox(ctx);
    loadingBar(ctx);
    logo(ctx);
    helpBoard(ctx);
    helpTile(ctx);
    helpStone(ctx);
    hudTop(ctx);
}

} // namespace

DATAGEN_FAMILY("screens-widgets", widgets);

} // namespace art::scr
