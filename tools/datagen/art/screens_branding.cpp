// The branding pages named by data/branding/splashconfig.txt: the studio's
// page and the game's title page, both full-screen and fully opaque.
#include "art/screens_kit.h"
#include "family.h"
#include "texts/picturewords.h"

#include <cmath>

namespace art::scr {
namespace {

// The studio's emblem: a round standing stone with a sprouting seedling.
void studioEmblem(cairo_t* cr, double cx, double cy) {
    glow(cr, cx, cy, 150, pal::gold, 0.45);
    cairo_arc(cr, cx + 5, cy + 8, 72, 0, 2 * M_PI);
    setColor(cr, pal::outline, 0.25);
    cairo_fill(cr);
    shadedEllipse(cr, cx, cy, 72, 72, pal::stone, 4);
    shadedEllipse(cr, cx, cy + 8, 50, 50, pal::stoneLight, 2.5);
    mossCushion(cr, cx - 10, cy + 46, 40, 14, 801);
    // The seedling: a stem and two round leaves.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx, cy + 40);
    cairo_curve_to(cr, cx - 4, cy + 10, cx + 6, cy - 10, cx, cy - 26);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    setColor(cr, pal::moss);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        auto leaf = [&] {
            cairo_save(cr);
            cairo_translate(cr, cx + side * 20, cy - 32);
            cairo_rotate(cr, side * 0.5);
            cairo_scale(cr, 22, 12);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
        };
        leaf();
        fillVertical(cr, cy - 46, cy - 20, lighter(pal::leaf, 0.3), pal::moss);
        leaf();
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
}

void studioPage(const datagen::Context& ctx) {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, 0, 1024, 768);
    fillVertical(cr, 0, 768, {0.99, 0.96, 0.86}, {0.93, 0.86, 0.70});
    cairo_pattern_t* p = cairo_pattern_create_radial(512, 384, 200, 512, 384, 700);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, pal::earth.r, pal::earth.g, pal::earth.b, 0.35);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    paintGrain(cr, 0, 0, 1024, 768, pal::earth, 0.05, 802);
    studioEmblem(cr, 512, 300);
    setFont(cr, kFontRound, 78);
    gradientText(cr, "Tellgrave", 512, 500, lighter(pal::wood, 0.3), darker(pal::wood, 0.2), pal::outline, 4,
                 4);
    setFont(cr, kFontText, 30);
    const char* games = "G  A  M  E  S";
    cairo_move_to(cr, 512 - textWidth(cr, games) / 2, 552);
    setColor(cr, darker(pal::moss, 0.2));
    cairo_show_text(cr, games);
    Rgb petals[] = {{0.98, 0.80, 0.35}, {0.95, 0.55, 0.65}, {0.98, 0.92, 0.95}};
    for (int i = 0; i < 3; ++i) {
        sprig(cr, 360 - i * 14, 570 + i * 6, 40, 3.4 + i * 0.2, pal::leaf, 803 + i);
        sprig(cr, 664 + i * 14, 570 + i * 6, 40, -0.25 - i * 0.2, pal::leaf, 806 + i);
        flower(cr, 400 + i * 112, 600, 7, petals[i], pal::gold);
    }
    liftBlacks(c, 12);
    c.savePng(ctx.file("data/branding/studio.png"));
}

void titlePage(const datagen::Context& ctx, const texts::PictureWords& language, const std::string& tagline) {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    Scene s;
    s.seed = 811;
    s.season = 0.18;
    s.horizon = 390;
    s.terraces = 2;
    s.waterfall = true;
    paintLandscape(c, s);
    gameLogo(cr, 512, 220, 1.55);
    setFont(cr, kFontText, 30);
    outlinedText(cr, tagline, 512, 420, pal::cream, pal::outline, 3, 3);
    for (int k = 1; k <= 4; ++k)
        beetle(cr, 300 + (k - 1) * 140, 560 + (k % 2) * 30, 56, k, (k - 2.5) * 0.15);
    liftBlacks(c, 12);
    c.savePng(ctx.file(language.file("data/branding/title.png")));
}

void branding(const datagen::Context& ctx) {
    studioPage(ctx);
    texts::forEachLanguage(ctx, {"tagline"}, [&](const texts::PictureWords& language,
                                                 const std::vector<std::string>& words) {
        titlePage(ctx, language, words[0]);
    });
}

} // namespace

DATAGEN_FAMILY("screens-branding", branding);

} // namespace art::scr
