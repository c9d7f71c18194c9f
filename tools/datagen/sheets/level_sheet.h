// The level picture as the game composes it (border pictures and strips pasted,
// live borders drawn under it), for the review sheets and the frame check.
#pragma once
#include <cairo.h>

#include <array>
#include <filesystem>
#include <string>

namespace sheets {

constexpr int kRows = 13, kCols = 20;

// A level shape: cell[j][k] for file rows j = 1..13 and columns k = 1..20.
struct Shape {
    std::array<std::array<bool, kCols + 2>, kRows + 2> cell{};
    bool has(int j, int k) const { return j >= 1 && j <= kRows && k >= 1 && k <= kCols && cell[j][k]; }
};

// A shape from 13 rows of 20 characters, '#' for a cell.
Shape shapeFromRows(const char* const rows[kRows]);
// Whether every column's cells form one run (the strip of a column covers its
// cells from the top cell down, gaps included).
bool columnsContiguous(const Shape& s);
// Open sides of cells that the cell's border picture does not cover: holes in the
// frame, where the neighbour rules have no code for the cell's surroundings.
int openSides(const Shape& s);
// A shape that uses all 24 border codes (found by a deterministic search).
Shape borderTestShape();
// The border code of every cell of the live board (cells need row and column >= 2).
int cellCode(const Shape& s, int j, int k);

struct FrameCheck {
    long framePixels = 0; // pixels outside the cells where the ideal frame shows
    long wrong = 0;       // of those, pixels the composed picture gets visibly wrong
};

// Draws the game screen's board underlay for the shape onto a 1024 x 768 surface:
// the background (a plain colour unless given), the live borders, then the level picture (alpha blend).
// When `ideal` is given, it receives the ideal frame over the same background,
// and the result reports how far the composition is from it.
FrameCheck composeLevel(const std::filesystem::path& dataDir, const Shape& s, cairo_surface_t* screen,
                        cairo_surface_t* ideal = nullptr, cairo_surface_t* background = nullptr);

// Renders the test level sheet (composed, ideal, differences) into `out`; prints
// the frame check over many random level shapes.
// A whole game screen as a player sees it in play, from the generated pictures.
void renderGameMockup(const std::filesystem::path& dataDir, const std::filesystem::path& out);

// Every level of the data folder as its board frame, moss and specials, on a few
// pages; prints the levels whose frame has holes or whose columns are split.
void renderLevelsOverview(const std::filesystem::path& dataDir, const std::filesystem::path& out);

void renderLevelSheet(const std::filesystem::path& dataDir, const std::filesystem::path& out);

// The frames of the scripted session of every language (<code>-<step>.png in
// `frames`), five per language, on one sheet written to `file`.
void renderLanguageSheet(const std::filesystem::path& frames, const std::filesystem::path& file);

} // namespace sheets
