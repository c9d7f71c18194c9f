// Level grids: the readable source form of a level (13 rows of 20 characters, one
// character per cell code) and the checks that keep a board within the limits of
// the game's tables and playable in all three game types.
#pragma once
#include <array>
#include <string>

namespace levels {

constexpr int kRows = 13;
constexpr int kCols = 20;
constexpr int kMaxItems = 150; // item slots the board may fill: cells plus floor markers
// The board picture starts at screen y 74, so a cell of row 2 (top edge at y 52)
// would be cut off: boards use rows 3..13, at most 11 cells a column, which is
// also the tallest background strip the board has.
constexpr int kTopRow = 3;

// Cell codes of the level file.
constexpr int kNone = -1;
constexpr int kPlain = 0;
constexpr int kBeetle = 2;
constexpr int kMoss = 3;
constexpr int kStone = 4;
constexpr int kDoor = 5;

// codes[(row - 1) * 20 + (col - 1)], rows 1..13 top to bottom, columns 1..20.
using Grid = std::array<int, kRows * kCols>;

// Cell code of a legend character ('.' none, 'o' plain, 'b' beetle start,
// 'm' moss, 'S' stone, 'D' door); -2 for any other character.
int codeOfChar(char c);

// Parses a grid text. Lines starting with '#' are comments; trailing blanks and
// carriage returns are ignored. Throws std::runtime_error (naming `where`) on a
// wrong number of rows, a row that is not 20 characters or an unknown character.
Grid parseGrid(const std::string& text, const std::string& where);

struct GridStats {
    int cells = 0, segments = 0, moss = 0, beetles = 0, stones = 0, doors = 0;
    int items() const { return cells + segments; }
};
GridStats statsOf(const Grid& g);

// Throws std::runtime_error (naming `where`) when the board breaks a rule: a cell
// in row 1 or column 1 (the game never creates those) or in row 2 (see kTopRow),
// no cells at all, more than 150 cells plus column segments, a column broken into
// separate runs (the board draws one background strip per column, from its top
// cell down over as many cells as the column has), a cell no straight line of three
// cells passes through (swap mode could never clear it), moss where it would be
// trapped (a strip or a column segment narrower than three cells, or the lowest
// cell of a segment), a beetle, stone or door
// lying below a stone or door in its column segment (set-up would swallow it), a
// beetle on the lowest cell of its segment (it would leave before play starts),
// or a stone or door that no selection can ever touch.
void checkGrid(const Grid& g, const std::string& where);

// Appends v as a 32-bit signed little-endian integer (the game's binary files).
void appendLE32(std::string& out, int v);

// The 1040-byte level file: 260 little-endian 32-bit integers, row by row.
std::string encodeLevelFile(const Grid& g);

} // namespace levels
