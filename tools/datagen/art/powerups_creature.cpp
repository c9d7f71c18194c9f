#include "art/powerups_creature.h"

#include "art/beetle.h"

#include <cmath>

namespace art::gp {

namespace {

constexpr double kCx = kCreatureW / 2.0;

Rgb dull(Rgb c) {
    double g = 0.3 * c.r + 0.55 * c.g + 0.15 * c.b;
    return mix(Rgb{g, g, g}, Rgb{0.55, 0.56, 0.60}, 0.5);
}

// Each creature has its own head ornament, hinting at its power.
void ornament(cairo_t* cr, int k, double cx, double top, Rgb c, bool colour) {
    Rgb line = pal::outline;
    switch (k) {
    case 1: // a horn: the targeted shot
        cairo_move_to(cr, cx - 7, top + 8);
        cairo_curve_to(cr, cx - 6, top - 6, cx + 2, top - 16, cx + 6, top - 18);
        cairo_curve_to(cr, cx + 4, top - 8, cx + 8, top + 2, cx + 7, top + 8);
        cairo_close_path(cr);
        glossyFill(cr, cx, top - 4, 12, colour ? Rgb{0.98, 0.88, 0.70} : dull({0.98, 0.88, 0.7}), 1.8);
        break;
    case 2: // antennae with crystal tips: the beam
        for (int s = -1; s <= 1; s += 2) {
            setColor(cr, line);
            cairo_set_line_width(cr, 2.4);
            cairo_move_to(cr, cx + s * 8, top + 6);
            cairo_curve_to(cr, cx + s * 10, top - 6, cx + s * 16, top - 10, cx + s * 18, top - 16);
            cairo_stroke(cr);
            roundedPolygon(cr, {{cx + s * 18, top - 25}, {cx + s * 23, top - 16}, {cx + s * 18, top - 9}, {cx + s * 13, top - 16}}, 1.5);
            glossyFill(cr, cx + s * 18, top - 17, 7, colour ? Rgb{0.65, 0.90, 1.0} : dull({0.65, 0.9, 1.0}), 1.5);
        }
        break;
    case 3: // a leafy sprout: the moss shots
        setColor(cr, line);
        cairo_set_line_width(cr, 2.4);
        cairo_move_to(cr, cx, top + 6);
        cairo_curve_to(cr, cx, top - 2, cx + 1, top - 6, cx, top - 10);
        cairo_stroke(cr);
        for (int s = -1; s <= 1; s += 2) {
            ellipsePath(cr, cx + s * 8, top - 13, 9, 5, s * 0.5);
            glossyFill(cr, cx + s * 8, top - 13, 9, colour ? pal::leaf : dull(pal::leaf), 1.5);
        }
        break;
    default: // a curly fuse with an ember: the dynamite
        setColor(cr, line);
        cairo_set_line_width(cr, 3.2);
        cairo_move_to(cr, cx + 2, top + 6);
        cairo_curve_to(cr, cx + 4, top - 6, cx - 10, top - 8, cx - 4, top - 16);
        cairo_stroke(cr);
        setColor(cr, colour ? Rgb{0.85, 0.70, 0.45} : dull({0.85, 0.7, 0.45}));
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, cx + 2, top + 6);
        cairo_curve_to(cr, cx + 4, top - 6, cx - 10, top - 8, cx - 4, top - 16);
        cairo_stroke(cr);
        if (colour) {
            glow(cr, cx - 4, top - 17, 8, {1.0, 0.7, 0.2}, 0.9);
            sparkle(cr, cx - 4, top - 17, 6, {1, 1, 0.8}, 1);
        } else {
            cairo_arc(cr, cx - 4, top - 17, 2.5, 0, 2 * M_PI);
            setColor(cr, {0.4, 0.4, 0.42});
            cairo_fill(cr);
        }
        break;
    }
}

void eye(cairo_t* cr, double x, double y, Eyes e, Rgb lid, bool lidsOnly) {
    const double rx = 8.5, ry = 10.5;
    auto oval = [&] {
        ellipsePath(cr, x, y, rx, ry);
    };
    if (!lidsOnly || e == Eyes::Open) {
        oval();
        setColor(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        if (e == Eyes::Open) {
            cairo_arc(cr, x + 1.5, y + 2, 5, 0, 2 * M_PI);
            setColor(cr, {0.16, 0.12, 0.12});
            cairo_fill(cr);
            cairo_arc(cr, x + 3, y - 0.5, 1.8, 0, 2 * M_PI);
            setColor(cr, {1, 1, 1});
            cairo_fill(cr);
        }
    }
    if (e == Eyes::Open) return;
    // Eyelid from the top down to `cut` (half or all of the eye).
    double cut = e == Eyes::Half ? y + 1 : y + ry + 1;
    cairo_save(cr);
    cairo_rectangle(cr, x - rx - 3, y - ry - 3, 2 * rx + 6, cut - (y - ry - 3));
    cairo_clip(cr);
    ellipsePath(cr, x, y, rx + 1, ry + 1);
    setColor(cr, lid);
    cairo_fill(cr);
    cairo_restore(cr);
    setColor(cr, pal::outline);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (e == Eyes::Half) {
        cairo_move_to(cr, x - rx, cut);
        cairo_line_to(cr, x + rx, cut);
    } else {
        // A closed, content eye: a downward arc with lashes.
        cairo_arc(cr, x, y + 1, rx * 0.8, 0.15 * M_PI, 0.85 * M_PI);
    }
    cairo_stroke(cr);
}

} // namespace

void drawCreature(cairo_t* cr, int k, const CreatureLook& look) {
    Rgb c = beetleColour(k);
    Rgb body = look.colour ? c : dull(c);
    Rgb belly = look.colour ? lighter(c, 0.55) : lighter(dull(c), 0.35);
    double sx = 1 + look.squash, sy = 1 - look.squash;
    double feet = kCreatureH - 17 - look.lift;
    double bodyH = 62 * sy, bodyW = 72 * sx;
    double cy = feet - bodyH / 2 - 4; // body centre
    double top = cy - bodyH / 2;
    cairo_save(cr);
    if (look.aura > 0) glow(cr, kCx, cy - 4, 56, lighter(c, 0.3), look.aura);
    if (!look.eyesOnly) {
        if (look.lift < 1) shadowEllipse(cr, kCx, kCreatureH - 15, 30, 6, 0.35);
        // Feet.
        for (int s = -1; s <= 1; s += 2) {
            ellipsePath(cr, kCx + s * 15, feet - 2, 10, 6);
            glossyFill(cr, kCx + s * 15, feet - 2, 10, darker(body, 0.45), 1.8);
        }
        ornament(cr, k, kCx, top, c, look.colour);
        // Body: a round shell, the wing-case seam at the back shows as two lobes.
        ellipsePath(cr, kCx, cy, bodyW / 2, bodyH / 2);
        glossyFill(cr, kCx, cy, std::max(bodyW, bodyH) / 2, body, 2.4);
        // Spots on the shell's shoulders.
        for (int s = -1; s <= 1; s += 2) {
            cairo_arc(cr, kCx + s * bodyW * 0.36, cy - bodyH * 0.18, 4.2, 0, 2 * M_PI);
            setColor(cr, darker(body, 0.55), 0.7);
            cairo_fill(cr);
            cairo_arc(cr, kCx + s * bodyW * 0.40, cy + bodyH * 0.12, 3.2, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        // Face: a light belly patch.
        ellipsePath(cr, kCx, cy + bodyH * 0.08, bodyW * 0.31, bodyH * 0.36);
        setColor(cr, belly, 0.9);
        cairo_fill(cr);
        shine(cr, kCx - bodyW * 0.22, cy - bodyH * 0.3, 9, 5, -0.5, 0.75);
        // Cheeks and mouth.
        for (int s = -1; s <= 1; s += 2) {
            cairo_arc(cr, kCx + s * 17, cy + 9, 4.5, 0, 2 * M_PI);
            setColor(cr, {1.0, 0.5, 0.5}, look.colour ? 0.45 : 0.15);
            cairo_fill(cr);
        }
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 2.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        if (look.mouth > 0.05) {
            ellipsePath(cr, kCx, cy + 13, 4 + 2 * look.mouth, 1.5 + 5 * look.mouth);
            setColor(cr, {0.45, 0.12, 0.12});
            cairo_fill_preserve(cr);
            setColor(cr, pal::outline);
            cairo_stroke(cr);
        } else {
            cairo_arc(cr, kCx, cy + 9, 5, 0.2 * M_PI, 0.8 * M_PI);
            cairo_stroke(cr);
        }
    }
    Eyes e = look.eyes == Eyes::Asleep ? Eyes::Closed : look.eyes;
    for (int s = -1; s <= 1; s += 2) eye(cr, kCx + s * 12, cy - 6, e, body, look.eyesOnly);
    cairo_restore(cr);
}

} // namespace art::gp
