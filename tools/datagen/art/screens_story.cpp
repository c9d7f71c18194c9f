// The twelve story pages: the valley lost under moss, the four beetles who set
// out to help, the sleeping guardians waking one by one, the seasons passing,
// and the valley restored. Each page is a landscape of the valley with the
// characters and two lines on a parchment ribbon at the top; the lower right
// corner stays quiet for the game's "continue" button.
#include "art/screens_kit.h"
#include "family.h"
#include "texts/picturewords.h"

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace art::scr {
namespace {

struct Page {
    Scene scene;
    std::function<void(cairo_t*)> characters;
};

Scene scene(double season, double moss, uint32_t seed) {
    Scene s;
    s.season = season;
    s.moss = moss;
    s.seed = seed;
    s.horizon = 360;
    return s;
}

void beetleRow(cairo_t* cr, double x, double y, double size, double dx, double dy, double angle) {
    for (int k = 1; k <= 4; ++k)
        beetle(cr, x + dx * (k - 1), y + dy * (k - 1), size, k, angle);
}

void guardianRow(cairo_t* cr, double x, double y, double size, double dx, bool awake) {
    for (int k = 1; k <= 4; ++k)
        guardian(cr, x + dx * (k - 1), y + (k % 2) * 14, size, k, awake);
}

// A big stone split by the guardians' yawn, its shards flying.
void crackedStone(cairo_t* cr, double x, double y, double s) {
    glow(cr, x, y - s * 0.5, s * 1.4, pal::cream, 0.6);
    for (int side = -1; side <= 1; side += 2) {
        auto half = [&] {
            cairo_save(cr);
            cairo_translate(cr, x + side * s * 0.22, y);
            cairo_rotate(cr, side * 0.18);
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, side * s * 0.5, 0);
            cairo_curve_to(cr, side * s * 0.55, -s * 0.6, side * s * 0.3, -s * 0.9, side * s * 0.05,
                           -s * 0.95);
            cairo_line_to(cr, side * s * 0.12, -s * 0.6);
            cairo_line_to(cr, -side * s * 0.02, -s * 0.35);
            cairo_close_path(cr);
            cairo_restore(cr);
        };
        half();
        fillVertical(cr, y - s, y, pal::stoneLight, pal::stoneDark);
        half();
        setColor(cr, pal::outline);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    Rng rng(601);
    for (int i = 0; i < 9; ++i) {
        double a = -M_PI / 2 + rng.range(-1.3, 1.3), d = s * rng.range(0.7, 1.2);
        double px = x + std::cos(a) * d, py = y - s * 0.5 + std::sin(a) * d, r = rng.range(4, 9);
        shadedEllipse(cr, px, py, r, r * 0.8, pal::stone, 1.5);
        cairo_move_to(cr, x + std::cos(a) * s * 0.4, y - s * 0.5 + std::sin(a) * s * 0.4);
        cairo_line_to(cr, px - std::cos(a) * r * 1.5, py - std::sin(a) * r * 1.5);
        setColor(cr, {1, 1, 1}, 0.7);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

void confetti(cairo_t* cr, uint32_t seed) {
    Rng rng(seed);
    Rgb petals[] = {
        {0.98, 0.92, 0.95}, {0.98, 0.80, 0.35}, {0.95, 0.55, 0.65}, {0.70, 0.62, 0.95}, pal::leaf};
    for (int i = 0; i < 70; ++i)
        flower(cr, rng.range(40, 980), rng.range(170, 480), rng.range(4, 8), petals[rng.pick(5)], pal::gold);
}

std::vector<Page> pages() {
    std::vector<Page> p(12);
    p[0].scene = scene(0.2, 0.95, 701);
    p[0].scene.arches = true;
    p[1].scene = scene(0.15, 0.55, 702);
    p[1].characters = [](cairo_t* cr) {
        beetle(cr, 300, 560, 70, 1, -0.2);
        beetle(cr, 440, 600, 70, 2, -0.05);
        beetle(cr, 580, 600, 70, 3, 0.05);
        beetle(cr, 720, 560, 70, 4, 0.2);
    };
    p[2].scene = scene(0.2, 0.6, 703);
    p[2].scene.dusk = 0.3;
    p[2].characters = [](cairo_t* cr) { guardianRow(cr, 230, 560, 62, 190, false); };
    p[3].scene = scene(0.3, 0.15, 704);
    p[3].scene.pond = true;
    p[3].characters = [](cairo_t* cr) {
        Rng rng(714);
        for (int i = 0; i < 40; ++i)
            flower(cr, rng.range(60, 760), rng.range(560, 740), rng.range(6, 12), {0.98, 0.80, 0.35},
                   {0.95, 0.45, 0.2});
        beetle(cr, 520, 600, 60, 2, 0.4);
    };
    p[4].scene = scene(0.4, 0.3, 705);
    p[4].characters = [](cairo_t* cr) {
        guardian(cr, 430, 540, 130, 1, true);
        beetle(cr, 482, 562, 32, 1, -1.9); // on the guardian's nose
    };
    p[5].scene = scene(0.5, 0.05, 706);
    p[5].scene.pond = true;
    p[5].scene.waterfall = true;
    p[5].characters = [](cairo_t* cr) { beetleRow(cr, 250, 520, 44, 150, 20, 0.3); };
    p[6].scene = scene(0.6, 0.1, 707);
    p[6].scene.arches = true;
    p[6].characters = [](cairo_t* cr) { beetleRow(cr, 620, 640, 40, -80, -40, -1.1); };
    p[7].scene = scene(0.68, 0.05, 708);
    p[7].characters = [](cairo_t* cr) {
        crackedStone(cr, 512, 520, 130);
        guardian(cr, 200, 560, 60, 1, true);
        guardian(cr, 340, 600, 60, 2, true);
        guardian(cr, 690, 600, 60, 3, true);
        guardian(cr, 830, 560, 60, 4, true);
    };
    p[8].scene = scene(0.8, 0.05, 709);
    p[8].scene.dusk = 0.35;
    p[8].characters = [](cairo_t* cr) {
        guardian(cr, 300, 600, 56, 3, true);
        guardian(cr, 440, 620, 56, 4, true);
        beetleRow(cr, 560, 640, 34, 50, -6, 0.0);
    };
    p[9].scene = scene(0.84, 0.0, 710);
    p[9].scene.night = 1.0;
    p[9].characters = [](cairo_t* cr) {
        glow(cr, 512, 600, 260, pal::gold, 0.35);
        guardianRow(cr, 250, 580, 50, 170, false);
        for (int k = 1; k <= 4; ++k)
            beetle(cr, 300 + k * 85, 680, 26, k, 1.57);
    };
    p[10].scene = scene(0.95, 0.35, 711);
    p[10].scene.gate = true;
    p[10].characters = [](cairo_t* cr) { beetleRow(cr, 360, 600, 48, 100, 0, 0.0); };
    p[11].scene = scene(0.3, 0.0, 712);
    p[11].scene.waterfall = true;
    p[11].scene.arches = true;
    p[11].characters = [](cairo_t* cr) {
        confetti(cr, 720);
        guardianRow(cr, 200, 560, 58, 200, true);
        beetleRow(cr, 290, 660, 36, 200, 0, 0.0);
    };
    return p;
}

// Each page's picture is painted once; every language gets it with its own
// two lines (keys story<n>a and story<n>b of the picture words) on the ribbon.
void storyPages(const datagen::Context& ctx) {
    auto list = pages();
    for (size_t i = 0; i < list.size(); ++i) {
        Canvas scene(1024, 768);
        paintLandscape(scene, list[i].scene);
        if (list[i].characters) list[i].characters(scene.cr());
        canvasTexture(scene, 0.07, list[i].scene.seed);
        const std::string page = "story" + std::to_string(i + 1);
        texts::forEachLanguage(ctx, {page + "a", page + "b"}, [&](const texts::PictureWords& language,
                                                                 const std::vector<std::string>& lines) {
            Canvas c(1024, 768);
            cairo_set_source_surface(c.cr(), scene.surface(), 0, 0);
            cairo_paint(c.cr());
            try {
                storyBanner(c.cr(), 78, lines);
            } catch (const std::exception& e) {
                const std::string source = language.code.empty() ? "" : language.code + "/";
                throw std::runtime_error("texts/" + source + "pictures.txt: " + page + ": " + e.what());
            }
            liftBlacks(c, 12);
            c.saveJpeg(ctx.file(language.file("data/story/" + page + ".jpg")), 85);
        });
    }
}

} // namespace

DATAGEN_FAMILY("screens-story", storyPages);

} // namespace art::scr
