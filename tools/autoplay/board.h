// The board as a player sees it at rest, by file column and row: the piece
// resting in each cell, the moss, and the cells a stone or door covers. Read
// from the live tables, never written back.
#pragma once

#include <vector>

namespace autoplay {

constexpr int kCols = 20, kRows = 13; // file columns and rows, both from 1

struct Pos {
    int col = 0, row = 0;
    bool operator==(const Pos&) const = default;
};

// Screen centre of a file position, and back (0 when x or y is off the grid).
inline int xOfCol(int col) { return 48 * col - 16; }
inline int yOfRow(int row) { return 48 * row - 20; }
int colOfX(int x);
int rowOfY(int y);

// The four orthogonal steps: right, left, down, up.
constexpr Pos kSteps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
inline Pos step(Pos p, Pos d) { return {p.col + d.col, p.row + d.row}; }

struct Board {
    // Indexed [col][row] with a margin of one, so neighbours of any position on
    // the grid can be looked up without bounds checks.
    int piece[kCols + 2][kRows + 2] = {}; // item slot resting here, 0 none
    int kind[kCols + 2][kRows + 2] = {};  // its kind, 0 none
    int cell[kCols + 2][kRows + 2] = {};  // cell slot, 0 none
    bool moss[kCols + 2][kRows + 2] = {};
    bool covered[kCols + 2][kRows + 2] = {}; // under a stone or door, below its own cell
    std::vector<Pos> mossCells;              // every cell with moss, covered or not

    // Reads the live tables. Only pieces linked to a cell count.
    void read();

    bool inside(Pos p) const { return p.col >= 1 && p.col <= kCols && p.row >= 1 && p.row <= kRows; }
    int kindAt(Pos p) const { return inside(p) ? kind[p.col][p.row] : 0; }
    int slotAt(Pos p) const { return inside(p) ? piece[p.col][p.row] : 0; }
    bool isCell(Pos p) const { return inside(p) && cell[p.col][p.row] != 0; }
    bool mossAt(Pos p) const { return inside(p) && moss[p.col][p.row]; }
    bool coveredAt(Pos p) const { return inside(p) && covered[p.col][p.row]; }
};

// Kinds by what a player can do with them.
bool isFixed(int kind);      // stone or door
bool isWild(int kind);       // bomb or joker: fits a chain of any colour
bool isPickable(int kind);   // chain and group mode take it: colours, bombs, jokers
bool isLinePiece(int kind);  // counts in a line of swap mode: any piece but beetles, stones, doors

} // namespace autoplay
