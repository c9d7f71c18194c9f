// All levels of the data folder at a quarter of their size: board frame, strips,
// moss, stones, doors and beetle starts, as the level file lays them out.
#include "art/game_paint.h"
#include "sheets/level_sheet.h"
#include "sheets/picture_io.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

namespace sheets {

namespace {

constexpr int kThumbW = 256, kThumbH = 192, kPerRow = 10, kPerPage = 50;

// The 260 codes of a level file (value + 1), or false when it cannot be read.
bool readLevel(const std::filesystem::path& file, std::array<int, 261>& code) {
    std::ifstream in(file, std::ios::binary);
    for (int i = 1; i <= 260; ++i) {
        unsigned char b[4];
        if (!in.read(reinterpret_cast<char*>(b), 4)) return false;
        code[i] = static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24)) + 1;
    }
    return true;
}

void marker(cairo_t* cr, cairo_surface_t* pic, double x, double y, double scale) {
    if (!pic) return;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, pic, -cairo_image_surface_get_width(pic) / 2.0, -cairo_image_surface_get_height(pic) / 2.0);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace

void renderLevelsOverview(const std::filesystem::path& dataDir, const std::filesystem::path& out) {
    cairo_surface_t* moss = loadPicture(dataDir / "data/match3/moss.png");
    cairo_surface_t* stone = loadPicture(dataDir / "data/match3/item1-7.png");
    cairo_surface_t* beetle = loadPicture(dataDir / "data/pu/puitem1.png");
    cairo_surface_t* door = loadPicture(dataDir / "data/match3/item1-10.png");
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    cairo_surface_t* page = nullptr;
    cairo_t* pc = nullptr;
    int shown = 0;
    auto flush = [&](int last) {
        if (!page) return;
        cairo_destroy(pc);
        char name[64];
        std::snprintf(name, sizeof name, "levels-%03d-%03d.png", last - kPerPage + 1, last);
        cairo_surface_write_to_png(page, (out / name).c_str());
        cairo_surface_destroy(page);
        page = nullptr;
    };
    for (int level = 1; level <= 100; ++level) {
        char file[64];
        std::snprintf(file, sizeof file, "data/levels/lvla%03d.lvl", level);
        std::array<int, 261> code{};
        if (!readLevel(dataDir / file, code)) continue;
        Shape s;
        for (int j = 2; j <= kRows; ++j)
            for (int k = 2; k <= kCols; ++k) {
                int c = code[(j - 1) * kCols + k];
                s.cell[j][k] = c > 0 && c < 99;
            }
        int holes = openSides(s);
        bool split = !columnsContiguous(s);
        if (holes || split)
            std::printf("contact-sheet: level %d: %d open frame sides%s\n", level, holes,
                        split ? ", a column in several runs (its strip covers the gap)" : "");
        composeLevel(dataDir, s, screen, nullptr);
        cairo_t* cr = cairo_create(screen);
        for (int j = 2; j <= kRows; ++j)
            for (int k = 2; k <= kCols; ++k) {
                int c = code[(j - 1) * kCols + k];
                double x = 48 * k - 16, y = 48 * j - 20;
                if (c == 4) marker(cr, moss, x, y, 1);
                if (c == 5) marker(cr, stone, x, y, 1);
                if (c == 6) marker(cr, door, x, y, 0.8);
                if (c == 3) marker(cr, beetle, x, y, 0.9);
            }
        cairo_destroy(cr);
        if (!page) {
            page = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPerRow * kThumbW,
                                              (kPerPage / kPerRow) * (kThumbH + 20));
            pc = cairo_create(page);
            cairo_set_source_rgb(pc, 0.16, 0.16, 0.17);
            cairo_paint(pc);
        }
        int slot = (level - 1) % kPerPage;
        double px = (slot % kPerRow) * kThumbW, py = (slot / kPerRow) * (kThumbH + 20);
        cairo_save(pc);
        cairo_translate(pc, px, py + 20);
        cairo_scale(pc, 0.25, 0.25);
        cairo_set_source_surface(pc, screen, 0, 0);
        cairo_paint(pc);
        cairo_restore(pc);
        art::setFont(pc, art::gp::kFontText, 13);
        cairo_set_source_rgb(pc, holes || split ? 1.0 : 0.9, holes || split ? 0.5 : 0.9, holes || split ? 0.4 : 0.85);
        cairo_move_to(pc, px + 4, py + 15);
        std::string label = "level " + std::to_string(level) + (holes ? "  open sides: " + std::to_string(holes) : "");
        cairo_show_text(pc, label.c_str());
        ++shown;
        if (level % kPerPage == 0) flush(level);
    }
    flush(100);
    std::printf("contact-sheet: %d levels on the level pages\n", shown);
    cairo_surface_destroy(screen);
    for (auto* p : {moss, stone, beetle, door})
        if (p) cairo_surface_destroy(p);
}

} // namespace sheets
