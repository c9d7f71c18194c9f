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

// Animation frame f of n: a hop with squash and stretch, mouth open, glowing,
// and the sparks of the slot's power around the ornament.
void paintFrame(Canvas& c, int k, int f, int n) {
    cairo_t* cr = c.cr();
    double t = (f - 1) / double(n - 1); // 0 .. 1
    CreatureLook look;
    look.squash = 0.12 * std::cos(t * 2 * M_PI) * (1 - t * 0.5);
    look.lift = 8 * std::sin(t * M_PI);
    look.mouth = std::sin(std::min(1.0, t * 1.4) * M_PI);
    look.aura = 0.35 + 0.45 * std::sin(t * M_PI);
    look.eyes = (f == 1 || f == n) ? Eyes::Half : Eyes::Open;
    drawCreature(cr, k, look);
    Rgb spark = lighter(beetleColour(k), 0.5);
    Rng rng(k * 100 + f);
    int count = 2 + static_cast<int>(4 * std::sin(t * M_PI));
    for (int i = 0; i < count; ++i) {
        double a = -M_PI / 2 + rng.range(-1.2, 1.2), d = 30 + 22 * t + rng.range(0, 10);
        sparkle(cr, kCreatureW / 2.0 + d * std::cos(a), 58 + d * std::sin(a), rng.range(3, 6), spark, 0.95);
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
            renderPicture(out("pu" + ks + "/m" + std::to_string(f)), kCreatureW, kCreatureH,
                          [&](Canvas& c) { paintFrame(c, k, f, frames); });
    }
}

} // namespace

DATAGEN_FAMILY("powerups", makePowerUps);
