// The board cursor moves from cell to cell over the board's cells, jumping gaps
// in a row or column; the focus layer puts the pointer on its cell, so a press
// there acts exactly as a click there (groups, bombs, jokers, doors, stones,
// the aimed power-up). In swap play an arrow from the marked piece swaps it
// with that neighbour.
#include "game/boardcursor.h"

#include <cstdlib>

#include "app/focus.h"
#include "app/globals.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"

namespace {

constexpr int kCell = 48;
constexpr int kSearchCells = 20; // a row or column is never longer

int gCursorCell = 0;

bool activeCell(int c) { return c >= 1 && c <= kCells && cellActive[c] > 0; }

int nearestCell(int x, int y) {
    int best = 0;
    long bestDist = 0;
    for (int c = 1; c <= kCells; ++c) {
        if (!activeCell(c)) continue;
        const long dx = cellX[c] - x, dy = cellY[c] - y;
        const long d = dx * dx + dy * dy;
        if (best == 0 || d < bestDist) {
            best = c;
            bestDist = d;
        }
    }
    return best;
}

// The board's bounds over its active cells; false when it has none.
bool boardBounds(int& left, int& top, int& right, int& bottom) {
    bool any = false;
    for (int c = 1; c <= kCells; ++c) {
        if (!activeCell(c)) continue;
        if (!any || cellX[c] - kCell / 2 < left) left = cellX[c] - kCell / 2;
        if (!any || cellX[c] + kCell / 2 > right) right = cellX[c] + kCell / 2;
        if (!any || cellY[c] - kCell / 2 < top) top = cellY[c] - kCell / 2;
        if (!any || cellY[c] + kCell / 2 > bottom) bottom = cellY[c] + kCell / 2;
        any = true;
    }
    return any;
}

// A new level may have no cell where the cursor was: it starts in the middle.
void keepOnBoard() {
    if (activeCell(gCursorCell)) return;
    int l = 0, t = 0, r = 0, b = 0;
    gCursorCell = boardBounds(l, t, r, b) ? nearestCell((l + r) / 2, (t + b) / 2) : 0;
}

// The piece marked for a swap lies in the cursor's cell.
bool swapMarkUnderCursor() {
    if (curPlayer().gtGameType != 3 || swapFirst <= 0 || swapProgress != 0) return false;
    return itemX[swapFirst] == cellX[gCursorCell] && itemY[swapFirst] == cellY[gCursorCell];
}

int step(int dx, int dy) {
    keepOnBoard();
    if (gCursorCell == 0) return 0;
    const int c = boardCursorNeighbour(gCursorCell, dx, dy);
    if (c == 0) return 0;
    const bool next = cellX[c] == cellX[gCursorCell] + dx * kCell && cellY[c] == cellY[gCursorCell] + dy * kCell;
    const bool swapNow = next && swapMarkUnderCursor();
    gCursorCell = c;
    return swapNow ? 2 : 1;
}

void place(int x, int y) { gCursorCell = nearestCell(x, y); }

bool point(int& x, int& y) {
    keepOnBoard();
    if (gCursorCell == 0) return false;
    x = cellX[gCursorCell];
    y = cellY[gCursorCell];
    return true;
}

} // namespace

void boardCursorFrame() {
    if (gameFrame <= 150 || winCounter != 0 || gRunPopup != 0 || gPaused == 1 || shuffleRadius != 0) return;
    int l = 0, t = 0, r = 0, b = 0;
    if (!boardBounds(l, t, r, b)) return;
    focusCursorArea(l, t, r, b, FocusCursor{step, place, point});
}

void boardCursorReset() { gCursorCell = 0; }

int boardCellAt(int x, int y) {
    for (int c = 1; c <= kCells; ++c)
        if (activeCell(c) && cellX[c] == x && cellY[c] == y) return c;
    return 0;
}

int boardCursorNeighbour(int cell, int dx, int dy) {
    if (!activeCell(cell)) return 0;
    for (int n = 1; n <= kSearchCells; ++n) {
        const int c = boardCellAt(cellX[cell] + n * dx * kCell, cellY[cell] + n * dy * kCell);
        if (c != 0) return c;
    }
    return 0;
}

int boardCursorCell() {
    keepOnBoard();
    return gCursorCell;
}
