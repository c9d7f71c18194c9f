// The board cursor: the cell the keys and the controller point at on the
// board, one focus place of the game screen.
#pragma once

// Registers the board with the focus while the board takes input this frame.
void boardCursorFrame();
// A new level: the cursor starts in the middle of the board.
void boardCursorReset();
// The cell under the cursor (0 when the board has none).
int boardCursorCell();
// The active cell whose centre is (x, y), 0 none.
int boardCellAt(int x, int y);
// The cell one cursor step from `cell` in direction (dx, dy) lands on: the
// next active cell that way in its row or column (gaps are jumped), 0 none.
int boardCursorNeighbour(int cell, int dx, int dy);
