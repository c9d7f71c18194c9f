#include "sheets/level_sheet.h"

#include "art/board_geometry.h"
#include "art/game_paint.h"
#include "sheets/picture_io.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace sheets {

using namespace art::board;

namespace {

// Field top-left of cell (j, k) on the screen: the cell centre is (48k - 16, 48j - 20).
int fieldX(int k) { return 48 * k - 40; }
int fieldY(int j) { return 48 * j - 44; }

bool liveCell(int j, int k) { return j >= 2 && k >= 2; }

struct Pictures {
    std::map<std::string, cairo_surface_t*> cache;
    std::filesystem::path dir;
    cairo_surface_t* get(const std::string& name) {
        auto it = cache.find(name);
        if (it != cache.end()) return it->second;
        cairo_surface_t* s = loadPicture(dir / "data" / "match3" / name);
        if (!s) throw std::runtime_error("cannot load " + name);
        return cache[name] = s;
    }
    ~Pictures() {
        for (auto& [n, s] : cache) cairo_surface_destroy(s);
    }
};

// Copies the source's pixels into the target, transparent pixels included.
void paste(cairo_t* cr, cairo_surface_t* src, int x, int y) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, x, y, cairo_image_surface_get_width(src), cairo_image_surface_get_height(src));
    cairo_clip(cr);
    cairo_set_source_surface(cr, src, x, y);
    cairo_paint(cr);
    cairo_restore(cr);
}

const art::Rgb kBackground{0.46, 0.62, 0.36};


std::set<int> codesOf(const Shape& s) {
    std::set<int> codes;
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k)
            if (s.has(j, k)) codes.insert(cellCode(s, j, k));
    codes.erase(0);
    return codes;
}

} // namespace

Shape shapeFromRows(const char* const rows[kRows]) {
    Shape s;
    for (int j = 1; j <= kRows; ++j)
        for (int k = 1; k <= kCols; ++k) s.cell[j][k] = rows[j - 1][k - 1] == '#';
    return s;
}

int cellCode(const Shape& s, int j, int k) {
    int mask = 0;
    for (int b = 0; b < 8; ++b) {
        int nj = j + kNeighbour[b][1], nk = k + kNeighbour[b][0];
        if (s.has(nj, nk) && liveCell(nj, nk)) mask |= 1 << b;
    }
    return borderCode(mask);
}

bool columnsContiguous(const Shape& s) {
    for (int k = 1; k <= kCols; ++k) {
        int runs = 0;
        for (int j = 1; j <= kRows; ++j)
            if (s.has(j, k) && !s.has(j - 1, k)) ++runs;
        if (runs > 1) return false;
    }
    return true;
}
int openSides(const Shape& s) {
    auto covers = [](int code, int x0, int y0, int x1, int y1) {
        Placement p = borderPlacement(code);
        return code > 0 && p.dx <= x0 && p.dy <= y0 && p.dx + p.w >= x1 && p.dy + p.h >= y1;
    };
    int holes = 0;
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k) {
            if (!s.has(j, k)) continue;
            int code = cellCode(s, j, k);
            if (!s.has(j - 1, k) && !covers(code, 0, -kRim, kCell, 0)) ++holes;
            if (!s.has(j + 1, k) && !covers(code, 0, kCell, kCell, kCell + kRim)) ++holes;
            if (!s.has(j, k - 1) && !covers(code, -kRim, 0, 0, kCell)) ++holes;
            if (!s.has(j, k + 1) && !covers(code, kCell, 0, kCell + kRim, kCell)) ++holes;
        }
    return holes;
}

Shape borderTestShape() {
    // Hill climbing from a plain block: toggle cells, keep changes that reach more
    // codes (ties broken towards fewer cells); columns stay in one piece.
    art::gp::Rng rng(2024);
    Shape best;
    for (int j = 3; j <= 11; ++j)
        for (int k = 3; k <= 18; ++k) best.cell[j][k] = true;
    auto score = [](const Shape& s) {
        int cells = 0;
        for (int j = 1; j <= kRows; ++j)
            for (int k = 1; k <= kCols; ++k) cells += s.cell[j][k];
        return static_cast<int>(codesOf(s).size()) * 1000 - openSides(s) * 300 - cells;
    };
    int bestScore = score(best);
    for (int it = 0; it < 40000; ++it) {
        Shape t = best;
        int j = 3 + static_cast<int>(rng.uniform() * (kRows - 2)), k = 2 + static_cast<int>(rng.uniform() * (kCols - 1));
        t.cell[j][k] = !t.cell[j][k];
        if (rng.uniform() < 0.3) {
            int j2 = 3 + static_cast<int>(rng.uniform() * (kRows - 2)), k2 = 2 + static_cast<int>(rng.uniform() * (kCols - 1));
            t.cell[j2][k2] = !t.cell[j2][k2];
        }
        if (!columnsContiguous(t)) continue;
        int sc = score(t);
        if (sc >= bestScore) best = t, bestScore = sc;
    }
    return best;
}

FrameCheck composeLevel(const std::filesystem::path& dataDir, const Shape& s, cairo_surface_t* screen,
                        cairo_surface_t* ideal, cairo_surface_t* background) {
    Pictures pics;
    pics.dir = dataDir;
    // The level picture: borders pasted in cell order, then one strip per column.
    cairo_surface_t* level = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 960, 620);
    cairo_t* lc = cairo_create(level);
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k) {
            if (!s.has(j, k)) continue;
            int code = cellCode(s, j, k);
            if (code == 0 || isLiveCode(code)) continue;
            Placement p = borderPlacement(code);
            paste(lc, pics.get("border" + std::to_string(code) + ".png"), fieldX(k) + p.dx - 32, fieldY(j) + p.dy - 74);
        }
    for (int k = 2; k <= kCols; ++k) {
        int count = 0, top = 0;
        for (int j = 2; j <= kRows; ++j)
            if (s.has(j, k)) {
                if (!count) top = j;
                ++count;
            }
        if (count >= 1 && count <= 11)
            paste(lc, pics.get("cellrow" + std::to_string(count) + ".png"), fieldX(k) - 32, fieldY(top) - 74);
    }
    cairo_destroy(lc);

    cairo_t* cr = cairo_create(screen);
    if (background) cairo_set_source_surface(cr, background, 0, 0);
    else art::setColor(cr, kBackground);
    cairo_paint(cr);
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k) {
            if (!s.has(j, k)) continue;
            int code = cellCode(s, j, k);
            if (!isLiveCode(code)) continue;
            cairo_set_source_surface(cr, pics.get("border" + std::to_string(code) + ".png"), fieldX(k) - 18, fieldY(j) - 18);
            cairo_paint(cr);
        }
    cairo_set_source_surface(cr, level, 32, 74);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(level);

    FrameCheck check;
    if (!ideal) return check;
    cairo_surface_flush(screen);
    cairo_t* ic = cairo_create(ideal);
    cairo_set_source_surface(ic, screen, 0, 0);
    cairo_paint(ic);
    cairo_destroy(ic);
    cairo_surface_flush(ideal);
    unsigned char* id = cairo_image_surface_get_data(ideal);
    const unsigned char* sd = cairo_image_surface_get_data(screen);
    int stride = cairo_image_surface_get_stride(ideal);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            // Grid coordinates: the field of cell (j, k) starts at (48k, 48j).
            double gx = x + 40.5, gy = y + 44.5;
            int k0 = static_cast<int>(gx / 48), j0 = static_cast<int>(gy / 48);
            std::vector<std::array<int, 2>> cells;
            for (int j = j0 - 2; j <= j0 + 2; ++j)
                for (int k = k0 - 2; k <= k0 + 2; ++k)
                    if (s.has(j, k) && liveCell(j, k)) cells.push_back({48 * k, 48 * j});
            if (cells.empty()) continue;
            art::gp::Rgba f;
            if (!art::board::frameAt(gx, gy, cells, f)) continue; // inside a cell: the strip
            double r = kBackground.r * (1 - f.a) + f.r * f.a, g = kBackground.g * (1 - f.a) + f.g * f.a,
                   b = kBackground.b * (1 - f.a) + f.b * f.a;
            auto* ip = reinterpret_cast<uint32_t*>(id + y * stride) + x;
            const auto* sp = reinterpret_cast<const uint32_t*>(sd + y * stride) + x;
            uint32_t want = 0xFF000000u | (static_cast<uint32_t>(std::lround(r * 255)) << 16) |
                            (static_cast<uint32_t>(std::lround(g * 255)) << 8) | static_cast<uint32_t>(std::lround(b * 255));
            *ip = want;
            if (f.a < 0.02) continue;
            ++check.framePixels;
            int diff = 0;
            for (int c = 0; c < 3; ++c)
                diff = std::max(diff, std::abs(static_cast<int>((want >> (8 * c)) & 255) - static_cast<int>((*sp >> (8 * c)) & 255)));
            if (diff > 40) ++check.wrong;
        }
    cairo_surface_mark_dirty(ideal);
    return check;
}

void renderLevelSheet(const std::filesystem::path& dataDir, const std::filesystem::path& out) {
    Shape shape = borderTestShape();
    std::set<int> codes = codesOf(shape);
    std::printf("contact-sheet: the test level uses %zu of the 24 border codes\n", codes.size());
    for (int j = 1; j <= kRows; ++j) {
        std::printf("  ");
        for (int k = 1; k <= kCols; ++k) std::printf("%c", shape.has(j, k) ? '#' : '.');
        std::printf("\n");
    }
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    cairo_surface_t* ideal = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    FrameCheck check = composeLevel(dataDir, shape, screen, ideal);
    std::printf("contact-sheet: test level frame: %ld of %ld frame pixels differ from the ideal frame\n", check.wrong,
                check.framePixels);

    // Sheet: the composed level with each cell's code, and beside it the ideal frame.
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2048 + 30, 768 + 60);
    cairo_t* cr = cairo_create(sheet);
    art::setColor(cr, {0.15, 0.15, 0.15});
    cairo_paint(cr);
    cairo_set_source_surface(cr, screen, 10, 50);
    cairo_paint(cr);
    cairo_set_source_surface(cr, ideal, 1044, 50);
    cairo_paint(cr);
    art::setFont(cr, art::gp::kFontText, 22);
    art::setColor(cr, {1, 1, 1});
    cairo_move_to(cr, 10, 32);
    cairo_show_text(cr, "Level picture as the game composes it (codes in the cells)");
    cairo_move_to(cr, 1044, 32);
    char line[160];
    std::snprintf(line, sizeof line, "Ideal frame  (%ld of %ld frame pixels differ)", check.wrong, check.framePixels);
    cairo_show_text(cr, line);
    art::setFont(cr, art::gp::kFontText, 13);
    for (int j = 2; j <= kRows; ++j)
        for (int k = 2; k <= kCols; ++k)
            if (shape.has(j, k)) {
                int code = cellCode(shape, j, k);
                if (!code) continue;
                std::string t = std::to_string(code);
                art::setColor(cr, isLiveCode(code) ? art::Rgb{1, 0.8, 0.3} : art::Rgb{1, 1, 1});
                cairo_move_to(cr, 10 + fieldX(k) + 16, 50 + fieldY(j) + 30);
                cairo_show_text(cr, t.c_str());
            }
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet, (out / "level-borders.png").c_str());
    cairo_surface_destroy(sheet);

    // A board of the usual kind: notches, a staircase, a hole, a narrow bay.
    {
        const char* rows[kRows] = {
            "....................", "....................", "...#####..######....", "...#####..######....",
            "...################.", "...################.", "...###########..###.", "...###########..###.",
            "...###############..", "...#####.....#####..", "...#####.....#####..", "...####.......####..",
            "....................",
        };
        Shape usual = shapeFromRows(rows);
        FrameCheck c = composeLevel(dataDir, usual, screen, ideal);
        std::printf("contact-sheet: usual board: %ld of %ld frame pixels differ from the ideal frame\n", c.wrong,
                    c.framePixels);
        cairo_surface_write_to_png(screen, (out / "level-usual.png").c_str());
    }
    // Random blobby shapes: how often the composed frame differs from the ideal one.
    art::gp::Rng rng(99);
    long wrong = 0, total = 0;
    for (int n = 0; n < 40; ++n) {
        Shape s;
        int rects = 2 + static_cast<int>(rng.uniform() * 4);
        for (int r = 0; r < rects; ++r) {
            int h = 2 + static_cast<int>(rng.uniform() * 6), w = 2 + static_cast<int>(rng.uniform() * 8);
            int j0 = 2 + static_cast<int>(rng.uniform() * (kRows - h)), k0 = 2 + static_cast<int>(rng.uniform() * (kCols - w));
            for (int j = j0; j < j0 + h && j <= kRows; ++j)
                for (int k = k0; k < k0 + w && k <= kCols; ++k) s.cell[j][k] = true;
        }
        if (!columnsContiguous(s)) continue;
        FrameCheck c = composeLevel(dataDir, s, screen, ideal);
        wrong += c.wrong;
        total += c.framePixels;
        if (n < 3) cairo_surface_write_to_png(screen, (out / ("level-random" + std::to_string(n) + ".png")).c_str());
    }
    std::printf("contact-sheet: random shapes: %ld of %ld frame pixels differ from the ideal frame\n", wrong, total);
    cairo_surface_destroy(screen);
    cairo_surface_destroy(ideal);
}

} // namespace sheets
