// Keeps every column of the live board refilling, for the benchmarks of busy
// frames.
#pragma once

#include "match3/rules.h"

// A column with no piece entering loses its lowest falling piece and a new one
// enters above it.
inline void refillEveryColumn() {
    for (int k = 1; k <= kColumns; k++) {
        if (columnCount[k] == 0) continue;
        const int x = columnX[k];
        int lowest = 0;
        bool entering = false;
        for (int s = 1; s <= kItems; s++) {
            if (!isBoardPiece(itemKind[s]) || itemX[s] != x) continue;
            if (itemKind[s] == KIND_STONE || itemKind[s] == KIND_DOOR || itemKind[s] == KIND_BEETLE) continue;
            if (itemY[s] < columnTop[k]) entering = true;
            if (lowest == 0 || itemY[s] > itemY[lowest]) lowest = s;
        }
        if (!entering && lowest) {
            freeItem(lowest);
            addItem(x, -20, randomItemKind());
        }
    }
}
