// The gravity pass: pieces fall 12 pixels per frame until something lies at most
// one cell below them, then they are linked to the cell they rest in.
#include "game/gamestate.h"
#include "match3/posindex.h"
#include "match3/rules.h"

#include <climits>

namespace {

XBuckets gItemsByX;
XBuckets gCellsByX;

bool fallsWithGravity(int kind) { return isBoardPiece(kind) && kind != KIND_STONE && kind != KIND_DOOR; }

// Lowest y of another item in i's column lying below i, INT_MAX when none.
int nearestBelow(int i) {
    const int x = itemX[i], y = itemY[i];
    int m = INT_MAX;
    for (const int* p = gItemsByX.begin(x); p != gItemsByX.end(x); ++p) {
        const int k = *p;
        if (k != i && itemKind[k] > 0 && itemX[k] == x && itemY[k] > y && itemY[k] < m) m = itemY[k];
    }
    return m;
}

// True when a floor marker lies within one cell below i.
bool restsOnFloorMarker(int i) {
    const int x = itemX[i], y = itemY[i];
    for (const int* p = gItemsByX.begin(x); p != gItemsByX.end(x); ++p) {
        const int k = *p;
        if (k != i && itemKind[k] == KIND_FLOOR && itemX[k] == x && itemY[k] > y && itemY[k] <= y + 48) return true;
    }
    return false;
}

// Moves item i by up to 12 one-pixel steps; a step is taken only while nothing
// lies within 48 pixels below it.
void moveItem(int i) {
    const int m = nearestBelow(i);
    const long long gap = (m == INT_MAX) ? 12 : static_cast<long long>(m) - itemY[i] - 48;
    const int steps = gap <= 0 ? 0 : (gap >= 12 ? 12 : static_cast<int>(gap));
    if (steps > 0) {
        itemY[i] += steps;
        itemBounce[i] = -1;
    }
    if (gap >= 12) return; // still falling after 12 steps
    itemFalling[i] = 0;
    if (itemBounce[i] == -1) itemBounce[i] = 6;
    if (itemKind[i] == KIND_BEETLE && restsOnFloorMarker(i)) {
        beetleLeaves(i);
        gItemsByX.build(itemKind, itemX, kItems); // the beetle's replacement entered
    }
}

} // namespace

int gravityPass() {
    for (int s = 1; s <= kCells; s++) cellItem[s] = 0;
    for (int s = 1; s <= kItems; s++) itemCell[s] = 0;

    if (gameFrame > 50)
        for (int s = 1; s <= kItems; s++)
            if (fallsWithGravity(itemKind[s])) itemFalling[s] = 1;

    if (puState[1] == 0 && gameFrame > 50) {
        gItemsByX.build(itemKind, itemX, kItems);
        const int last = itemScanBound < kItems ? itemScanBound : kItems;
        for (int i = 1; i <= last; i++)
            if (fallsWithGravity(itemKind[i])) moveItem(i);
    }

    gCellsByX.build(cellActive, cellX, kCells);
    for (int i = 1; i <= kItems; i++) {
        if (!isBoardPiece(itemKind[i]) || itemFalling[i] != 0) continue;
        const int x = itemX[i], y = itemY[i];
        for (const int* p = gCellsByX.begin(x); p != gCellsByX.end(x); ++p) {
            const int c = *p;
            if (cellActive[c] > 0 && cellX[c] == x && cellY[c] == y) {
                itemCell[i] = c;
                cellItem[c] = i;
            }
        }
    }
    return 0;
}
