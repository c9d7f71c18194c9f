// Pictures of the power-up bar: for each slot k = 1..4 the creature (holder), its
// empty look (holder-off), its sleeping look (disabled), the blink overlays, the
// shell it sits in, its glow, the beetle of its colour and the animation frames
// it plays while its power is in action.
#include "art/beetle.h"
#include "art/powerups_creature.h"
#include "family.h"

#include <cmath>
#include <string>

namespace {

using namespace art;
using namespace art::gp;

// The shell behind each creature: a scallop fan on a mossy stone base.
void paintShell(Canvas& c, int k) {
    cairo_t* cr = c.cr();
    Rgb tint = mix(beetleColour(k), pal::cream, 0.65);
    double cx = c.width() / 2.0, base = c.height() - 22.0;
    // The fan: ribs from the hinge at the bottom.
    const int ribs = 9;
    const double R = 62;
    cairo_move_to(cr, cx, base);
    for (int i = 0; i <= ribs * 4; ++i) {
        double a = M_PI + i * M_PI / (ribs * 4);
        double r = R - 3.5 * (1 - std::cos(i * M_PI * 2 / 4));
        cairo_line_to(cr, cx + r * std::cos(a), base + 4 + r * std::sin(a) * 0.95);
    }
    cairo_close_path(cr);
    glossyFill(cr, cx, base - 30, 60, tint, 2.2);
    setColor(cr, darker(tint, 0.35), 0.55);
    cairo_set_line_width(cr, 1.6);
    for (int i = 1; i < ribs; ++i) {
        double a = M_PI + i * M_PI / ribs;
        cairo_move_to(cr, cx, base);
        cairo_line_to(cr, cx + (R - 6) * std::cos(a), base + 4 + (R - 6) * std::sin(a) * 0.95);
        cairo_stroke(cr);
    }
    // Stone base with moss.
    roundedRect(cr, cx - 46, base - 6, 92, 24, 11);
    glossyFill(cr, cx, base + 6, 46, pal::stone, 2.0);
    Rng rng(k * 13);
    for (int i = 0; i < 7; ++i) {
        double x = cx - 38 + i * 12.5 + rng.range(-2, 2);
        cairo_arc(cr, x, base - 4 + rng.range(-1, 1.5), rng.range(4.5, 6.5), 0, 2 * M_PI);
        glossyFill(cr, x, base - 4, 6, mix(pal::moss, pal::leaf, rng.uniform()), 1.2);
    }
    // A gem of the slot colour set into the base.
    roundedPolygon(cr, {{cx, base + 1}, {cx + 7, base + 7}, {cx, base + 13}, {cx - 7, base + 7}}, 1.5);
    glossyFill(cr, cx, base + 7, 7, beetleColour(k), 1.4);
}

// Sleeping look of an empty slot: smaller, dull, eyes shut, a little "z".
void paintDisabled(Canvas& c, int k) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    // The game draws this picture 20 px lower than the creature: lift it back so
    // the sleeper rests on the same ground.
    const double ground = kCreatureH - 17;
    cairo_translate(cr, kCreatureW / 2.0, ground - 18);
    cairo_scale(cr, 0.82, 0.82);
    cairo_translate(cr, -kCreatureW / 2.0, -ground);
    CreatureLook look;
    look.colour = false;
    look.eyes = Eyes::Asleep;
    look.squash = 0.1;
    drawCreature(cr, k, look);
    cairo_restore(cr);
    setFont(cr, kFontRound, 15);
    outlinedText(cr, "z", 84, 30, {0.85, 0.88, 0.95}, pal::outline, 1.6);
    setFont(cr, kFontRound, 11);
    outlinedText(cr, "z", 95, 18, {0.85, 0.88, 0.95}, pal::outline, 1.3);
}

constexpr int kFrameMargin = 24;

// Animation frame f of n: a hop with squash and stretch, mouth open, glowing,
// and the slot's own power showing at its head ornament: the horn flashes (the
// shot), the crystals send up light (the beam), leaves whirl off the sprout (the
// moss shots), the fuse flares and smokes (the dynamite).
void paintFrame(Canvas& c, int k, int f, int n) {
    cairo_t* cr = c.cr();
    // The frames are taller than the creature's other pictures, by the same margin
    // above and below (they are drawn centred), so the effects above the head fit.
    cairo_translate(cr, 0, (c.height() - kCreatureH) / 2.0);
    double t = (f - 1) / double(n - 1); // 0 .. 1
    double power = std::sin(t * M_PI);
    CreatureLook look;
    look.squash = 0.12 * std::cos(t * 2 * M_PI) * (1 - t * 0.5);
    look.lift = 8 * power;
    look.mouth = std::sin(std::min(1.0, t * 1.4) * M_PI);
    look.aura = 0.35 + 0.45 * power;
    look.eyes = (f == 1 || f == n) ? Eyes::Half : Eyes::Open;
    // Where the creature's head ornament is in this pose (as drawCreature places it).
    double feet = kCreatureH - 17 - look.lift, bodyH = 62 * (1 - look.squash);
    double top = feet - bodyH - 4, cx = kCreatureW / 2.0;
    Rgb colour = beetleColour(k), light = lighter(colour, 0.5);
    Rng rng(k * 100 + f);
    if (k == 2) { // a column of light rising from between the crystals
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top - 10, 0, 0);
        cairo_pattern_add_color_stop_rgba(p, 0, light.r, light.g, light.b, 0.7 * power);
        cairo_pattern_add_color_stop_rgba(p, 1, light.r, light.g, light.b, 0);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, cx - 14, 0, 28, top - 10);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    drawCreature(cr, k, look);
    switch (k) {
    case 1:
        glow(cr, cx + 6, top - 18, 8 + 14 * power, light, 0.9);
        sparkle(cr, cx + 6, top - 18, 5 + 9 * power, {1, 1, 0.9}, 1);
        break;
    case 2:
        for (int s = -1; s <= 1; s += 2) {
            glow(cr, cx + s * 18, top - 17, 7 + 9 * power, light, 0.9);
            sparkle(cr, cx + s * 18, top - 17, 4 + 6 * power, {1, 1, 1}, 0.9);
        }
        break;
    case 3:
        for (int i = 0; i < 5; ++i) {
            double a = -M_PI / 2 + (i - 2) * 0.55 + t * 1.2, d = 10 + 30 * t + i * 2;
            double x = cx + d * std::cos(a), y = top - 12 + d * std::sin(a);
            ellipsePath(cr, x, y, 5, 2.6, a + t * 3);
            glossyFill(cr, x, y, 5, mix(pal::leaf, pal::moss, i / 5.0), 1.0);
        }
        break;
    default:
        for (int i = 0; i < 3; ++i) { // smoke puffs drifting up
            double y = top - 22 - 10 * i - 14 * t, x = cx - 4 + rng.range(-5, 5);
            cairo_arc(cr, x, y, 3 + 2 * i + 3 * t, 0, 2 * M_PI);
            setColor(cr, {0.85, 0.85, 0.85}, 0.5 * (1 - i * 0.25) * (0.3 + power));
            cairo_fill(cr);
        }
        glow(cr, cx - 4, top - 17, 9 + 12 * power, {1.0, 0.7, 0.2}, 1);
        sparkle(cr, cx - 4, top - 17, 6 + 8 * power, {1, 1, 0.85}, 1);
        break;
    }
    int count = 1 + static_cast<int>(3 * power);
    for (int i = 0; i < count; ++i) {
        double a = -M_PI / 2 + rng.range(-1.3, 1.3), d = 34 + 20 * t + rng.range(0, 10);
        sparkle(cr, cx + d * std::cos(a), top + 24 + d * std::sin(a), rng.range(3, 5.5), light, 0.95);
    }
}

void makePowerUps(const datagen::Context& ctx) {
    for (int k = 1; k <= 4; ++k) {
        std::string ks = std::to_string(k);
        auto out = [&](const std::string& name) { return ctx.file("data/pu/" + name + ".png"); };
        auto creature = [&](const std::string& name, CreatureLook look) {
            renderPicture(out(name), kCreatureW, kCreatureH, [&](Canvas& c) { drawCreature(c.cr(), k, look); });
        };
        creature("puholder" + ks, {});
        CreatureLook off;
        off.colour = false;
        creature("puholder" + ks + "off", off);
        for (int e = 1; e <= 2; ++e) {
            CreatureLook lids;
            lids.eyesOnly = true;
            lids.eyes = e == 1 ? Eyes::Half : Eyes::Closed;
            creature("pu" + ks + "eyes" + std::to_string(e), lids);
        }
        renderPicture(out("puholder" + ks + "glow"), kCreatureW, kCreatureH, [&](Canvas& c) {
            glow(c.cr(), kCreatureW / 2.0, kCreatureH / 2.0 + 10, 56, lighter(beetleColour(k), 0.3), 0.9);
        });
        renderPicture(out("pudisabled" + ks), kCreatureW, kCreatureH, [&](Canvas& c) { paintDisabled(c, k); });
        renderPicture(out("pushell" + ks), 140, 100, [&](Canvas& c) { paintShell(c, k); });
        renderPicture(out("puitem" + ks), 44, 44, [&](Canvas& c) { beetleTop(c.cr(), 22, 22, 40, beetleColour(k), k); });
        int frames = (k == 1 || k == 3) ? 7 : 6;
        for (int f = 1; f <= frames; ++f)
            renderPicture(out("pu" + ks + "/m" + std::to_string(f)), kCreatureW, kCreatureH + 2 * kFrameMargin,
                          [&](Canvas& c) { paintFrame(c, k, f, frames); });
    }
}

} // namespace

DATAGEN_FAMILY("powerups", makePowerUps);
