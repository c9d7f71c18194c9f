// A game screen put together from the generated pictures at the places the game
// draws them: background, board underlay, moss, pieces, selection, arrows, the
// power-up bar, the HUD bars and buttons.
#include "art/game_paint.h"
#include "sheets/level_sheet.h"
#include "sheets/picture_io.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace sheets {

namespace {

struct Drawer {
    cairo_t* cr;
    std::filesystem::path data;
    std::map<std::string, cairo_surface_t*> pics;
    cairo_surface_t* get(const std::string& rel) {
        auto it = pics.find(rel);
        if (it != pics.end()) return it->second;
        return pics[rel] = loadPicture(data / rel);
    }
    // Draws a picture centred at (x, y) with scale and alpha; additive when `light`.
    void centred(const std::string& rel, double x, double y, double scale = 1, double alpha = 1, bool light = false) {
        cairo_surface_t* s = get(rel);
        if (!s) return;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, s, -cairo_image_surface_get_width(s) / 2.0, -cairo_image_surface_get_height(s) / 2.0);
        if (light) cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
    }
    ~Drawer() {
        for (auto& [n, s] : pics)
            if (s) cairo_surface_destroy(s);
    }
};

} // namespace

void renderGameMockup(const std::filesystem::path& dataDir, const std::filesystem::path& out) {
    const char* rows[kRows] = {
        "....................", "....................", "...######..######...", "...################.",
        "...################.", "...################.", "...################.", "...################.",
        "...################.", "...################.", "...#####..#########.", "...#####...########.",
        "....................",
    };
    Shape shape = shapeFromRows(rows);
    cairo_surface_t* background = loadPicture(dataDir / "data/bg/bg3.jpg");
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    Drawer d{cairo_create(screen), dataDir, {}};
    // Shells first, then the board.
    const double puX[5] = {0, 106, 268, 756, 918};
    composeLevel(dataDir, shape, screen, nullptr, background);
    // The game draws the shells before the board; they sit below it, so drawing
    // them after it shows the same.
    for (int k = 1; k <= 4; ++k) d.centred("data/pu/pushell" + std::to_string(k) + ".png", puX[k], 701 + 12);
    art::gp::Rng rng(5);
    int n = 0;
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k) {
            if (!shape.has(j, k)) continue;
            double x = 48 * k - 16, y = 48 * j - 20;
            ++n;
            if ((j * 7 + k * 3) % 5 == 0 || (j > 9 && k < 8)) d.centred("data/match3/moss.png", x, y);
            if (j == 4 && k >= 5 && k <= 8) d.centred("data/match3/cellmark.png", x, y);
            if (j == 9 && k == 12) d.centred("data/match3/cell.png", x, y, 1, 0.9, true);
            int kind = 1 + static_cast<int>(rng.uniform() * 5);
            if (n % 37 == 5) kind = 10;
            if (n % 41 == 7) kind = 12;
            if (j == 7 && k == 15) kind = 7;
            if (j == 4 && k >= 5 && k <= 8) kind = 3;
            if (n % 29 == 3) {
                d.centred("data/effects/logoglow.png", x, y, 0.25);
                d.centred("data/pu/puitem" + std::to_string(1 + n % 4) + ".png", x, y + 1, 0.8);
                continue;
            }
            if (kind == 10) d.centred("data/effects/logoglow.png", x, y, 0.25);
            d.centred("data/match3/item1-" + std::to_string(kind) + ".png", x, y);
        }
    for (int k = 5; k < 8; ++k) d.centred("data/match3/arrow1.png", 48 * k - 16 + 24, 48 * 4 - 20, 1, 0.75);
    // A few particles.
    d.centred("data/effects/glo9.png", 600, 420, 1.2, 0.8);
    d.centred("data/effects/glb9.png", 620, 400, 0.6);
    d.centred("data/effects/glb1.png", 585, 440, 0.5);
    d.centred("data/effects/dirt2.png", 300, 500, 1, 0.7);
    // Power-up bar: slot 1 ready, slot 2 charging, slot 3 asleep, slot 4 in action.
    d.centred("data/pu/puholder1.png", puX[1], 701);
    d.centred("data/pu/pu1eyes1.png", puX[1], 701);
    d.centred("data/pu/puholder2off.png", puX[2], 701);
    cairo_save(d.cr);
    cairo_rectangle(d.cr, puX[2] - 100, 701 + 50 - 60, 200, 400);
    cairo_clip(d.cr);
    d.centred("data/pu/puholder2.png", puX[2], 701);
    cairo_restore(d.cr);
    d.centred("data/pu/pudisabled3.png", puX[3], 701 + 20);
    d.centred("data/pu/pu4/m3.png", puX[4] - 5, 701 - 5);
    // Top bar and HUD.
    d.centred("data/match3/m3uiup.png", 512, 44);
    d.centred("data/match3/menu.png", 967, 29);
    for (int i = 1; i <= 5; ++i) d.centred("data/match3/item1-" + std::to_string(i) + ".png", 50 * i + 362, 24, 0.8);
    d.centred("data/match3/m3uilongbar.png", 512, 758);
    d.centred("data/match3/m3uidown.png", 512, 726);
    d.centred("data/match3/gtbutt1.png", 402, 726);
    d.centred("data/match3/gtbutt2.png", 514, 726);
    d.centred("data/match3/gtbutt3.png", 626, 726);
    d.centred("data/match3/gtbutt2.png", 514, 726, 1, 0.45, true);
    // HUD numbers stand-ins (the game draws them with its bitmap font).
    art::setFont(d.cr, art::gp::kFontText, 20);
    art::gp::outlinedText(d.cr, "23", 130, 32, {1, 1, 0.9}, art::pal::outline, 2);
    art::gp::outlinedText(d.cr, "00:01:42", 282, 32, {1, 1, 0.9}, art::pal::outline, 2);
    art::gp::outlinedText(d.cr, "12450", 840, 32, {1, 1, 0.9}, art::pal::outline, 2);
    art::setFont(d.cr, art::gp::kFontText, 15);
    for (int i = 1; i <= 5; ++i) art::gp::outlinedText(d.cr, std::to_string(i * 7), 50 * i + 362, 54, {1, 1, 0.9}, art::pal::outline, 1.6);
    cairo_destroy(d.cr);
    d.cr = nullptr;
    cairo_surface_write_to_png(screen, (out / "game-screen.png").c_str());
    // The opening banner over the same screen, at scale 1.
    cairo_t* cr = cairo_create(screen);
    d.cr = cr;
    d.centred("data/texts/gameon.png", 512, 384);
    cairo_destroy(cr);
    d.cr = nullptr;
    cairo_surface_write_to_png(screen, (out / "game-screen-banner.png").c_str());
    cairo_surface_destroy(screen);
    if (background) cairo_surface_destroy(background);
}

} // namespace sheets
