#include "tools/autoplay/board.h"

#include "match3/board.h"

namespace autoplay {

int colOfX(int x) {
    return (x + 16) % 48 == 0 && x >= 32 && x <= xOfCol(kCols) ? (x + 16) / 48 : 0;
}

int rowOfY(int y) {
    return (y + 20) % 48 == 0 && y >= 28 && y <= yOfRow(kRows) ? (y + 20) / 48 : 0;
}

bool isFixed(int kind) { return kind == KIND_STONE || kind == KIND_DOOR; }
bool isWild(int kind) { return kind == KIND_BOMB || kind == KIND_JOKER; }
bool isPickable(int kind) { return isColourKind(kind) || isWild(kind); }
bool isLinePiece(int kind) { return isBoardPiece(kind) && kind != KIND_BEETLE && !isFixed(kind); }

void Board::read() {
    *this = Board();
    for (int c = 1; c <= kCells; c++) {
        if (!cellActive[c]) continue;
        const int k = colOfX(cellX[c]), j = rowOfY(cellY[c]);
        if (!k || !j) continue;
        cell[k][j] = c;
        moss[k][j] = cellMoss[c] == 1;
        if (moss[k][j]) mossCells.push_back({k, j});
    }
    for (int s = 1; s <= kItems; s++) {
        if (!isBoardPiece(itemKind[s]) || !itemCell[s]) continue;
        const int k = colOfX(itemX[s]), j = rowOfY(itemY[s]);
        if (!k || !j) continue;
        piece[k][j] = s;
        kind[k][j] = itemKind[s];
        if (isFixed(itemKind[s]))
            for (int h = 1; h < itemHeight[s] && j + h <= kRows; h++) covered[k][j + h] = true;
    }
}

} // namespace autoplay
