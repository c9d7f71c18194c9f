// The 3 x 3 demonstration boards of the help pages.
#pragma once

// Cells 1..9 row by row from the top left are entries 0..8; gaps 1..12 are
// entries 0..11. piece: piece picture index (0 none); mark: 1 = selection mark;
// overlay: 1 = moss, above 1 = that flash picture; arrow: arrow picture 1..4
// (right, left, down, up) in the gap; pointer: cell 1..9 pointed at, 0 none.
struct HelpBoard {
    int piece[9];
    int mark[9];
    int overlay[9];
    int arrow[12];
    int pointer;
};

// Centre of cell n (1..9) of a board centred on (x, y); cell 5 is (x, y).
void helpBoardCell(int x, int y, int n, int& cx, int& cy);
// Point half-way between the two cells of gap g (1..12).
void helpBoardGap(int x, int y, int g, int& gx, int& gy);
// Draws the board centred on (x, y) in the drawing state in force (no blend
// mode of its own); the caller's alpha is restored afterwards.
int drawHelpBoard(int x, int y, const HelpBoard& board);
