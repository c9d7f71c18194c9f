// Geometry of the board frame: the 24 border codes a cell gets from which of its
// eight neighbours exist, where each border picture is placed relative to the
// cell's 48 x 48 field, and the ideal frame around any set of cells, from which
// every border picture is cut.
#pragma once
#include "art/game_paint.h"

#include <array>
#include <vector>

namespace art::board {
using namespace art::gp;

constexpr int kCell = 48;  // a cell field is kCell x kCell
constexpr int kRim = 16;   // the frame reaches this far out of the board
constexpr int kCodes = 24; // border codes 1..24

// Neighbour bits.
enum : int { N = 1, S = 2, W = 4, E = 8, NE = 16, NW = 32, SE = 64, SW = 128 };
// Field offset (in cells) of each neighbour bit, in bit order.
constexpr std::array<std::array<int, 2>, 8> kNeighbour{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}}};

// Border code of a cell whose existing neighbours are `mask`: every rule that
// matches overwrites the code, so the highest matching rule decides; 0 = none.
int borderCode(int mask);

// Where a border picture lies: top-left at the cell field's top-left + (dx, dy),
// w x h pixels. Live codes are drawn every frame under the level picture.
struct Placement {
    int dx, dy, w, h;
    bool live;
};
Placement borderPlacement(int code);
bool isLiveCode(int code);

// The ideal frame at the pixel centre (x + 0.5, y + 0.5), x and y relative to the
// top-left of cell C's field, where C exists and its neighbours are `mask`.
// Returns false when the point lies inside an existing cell (the strips cover it).
bool idealFrame(int x, int y, int mask, Rgba& out);
// The same frame at point (px, py) around the cells whose fields have their
// top-left corners at `cells` (all on one 48 px grid); false inside a cell.
bool frameAt(double px, double py, const std::vector<std::array<int, 2>>& cells, Rgba& out);

// The border picture of a code (borderPlacement(code).w x .h).
void paintBorder(Canvas& canvas, int code);
// Strip n: the background of a column of n cells, 48 x 48n, opaque.
void paintStrip(Canvas& canvas, int n);

} // namespace art::board
