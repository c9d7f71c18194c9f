// The live board tables, slot allocation and the random piece of a refill.
#include "match3/board.h"

#include "app/globals.h"
#include "persist/profile.h"
#include "platform/platform.h"

int cellActive[kCells + 1];
int cellX[kCells + 1], cellY[kCells + 1];
int cellMoss[kCells + 1];
int cellBeetleStart[kCells + 1];
int cellStone[kCells + 1];
int cellDoor[kCells + 1];
int cellBorder[kCells + 1];
int cellItem[kCells + 1];
int cellHover[kCells + 1];
int cellMarked[kCells + 1];
int cellArrow[kCells + 1];

int columnCount[kColumns + 1], columnX[kColumns + 1], columnTop[kColumns + 1];

int itemKind[kItems + 1];
int itemX[kItems + 1], itemY[kItems + 1];
int itemFalling[kItems + 1];
int itemCell[kItems + 1];
int itemKaefCol[kItems + 1];
int itemHeight[kItems + 1];
int itemMarked[kItems + 1];
int itemExploded[kItems + 1];
int itemHint[kItems + 1];
int itemBounce[kItems + 1];
int itemShake[kItems + 1];
int itemFadeIn[kItems + 1];

int itemScanBound = 259;

PreviewBoard gPreview[kPreviewLevels + 1];

int addCell(int x, int y, int active, int moss, int beetleStart, int stone, int door) {
    for (int s = 1; s <= kCells; s++) {
        if (cellActive[s] != 0) continue;
        cellActive[s] = active;
        cellX[s] = x;
        cellY[s] = y;
        cellMoss[s] = moss;
        cellBeetleStart[s] = beetleStart;
        cellStone[s] = stone;
        cellDoor[s] = door;
        cellHover[s] = 0;
        cellMarked[s] = 0;
        cellArrow[s] = 0;
        cellBorder[s] = 0;
        return s;
    }
    return kCells + 1;
}

int addItem(int x, int y, int kind) {
    for (int s = 1; s <= kItemsUsed; s++) {
        if (itemKind[s] != 0) continue;
        itemKind[s] = kind;
        itemX[s] = x;
        itemY[s] = y;
        itemKaefCol[s] = -1;
        itemFalling[s] = 0;
        itemMarked[s] = 0;
        itemExploded[s] = 0;
        itemHint[s] = 0;
        itemBounce[s] = 0;
        itemShake[s] = 0;
        itemFadeIn[s] = 0;
        return s;
    }
    return kItemsUsed + 1;
}

int randomItemKind() {
    const int level = curPlayer().Level;
    // One of colours 1 and 2 is left out, alternating every 100 frames; level 1
    // never gets colour 4.
    const int excluded = ((gFrameCount / 100) % 2 != 0) ? 1 : 2;
    int allowed[5];
    int n = 0;
    for (int c = 1; c <= 5; c++) {
        if (c == excluded) continue;
        if (level == 1 && c == 4) continue;
        allowed[n++] = c;
    }
    int kind = allowed[RandomInt(0, n - 1)];
    if (level > 2 && RandomInt(1, 300) == 2) kind = KIND_BOMB;
    return kind;
}

std::string levelFileName(int level) {
    std::string prefix;
    if (level < 10)
        prefix = "data/levels/lvla00";
    else if (level < 100)
        prefix = "data/levels/lvla0";
    else
        prefix = "data/levels/lvla";
    return prefix + std::to_string(level) + ".lvl";
}

int refillEntryY(int x, int y) {
    // A piece at a run's floor marker has left that run: it is on its way
    // through the gap into the run below, so it refills from that marker.
    int entry = -20;
    for (int s = 1; s <= kItems; s++)
        if (itemKind[s] == KIND_FLOOR && itemX[s] == x && itemY[s] <= y && itemY[s] > entry) entry = itemY[s];
    return entry;
}

int addRefill(int x, int y) { return addItem(x, refillEntryY(x, y), randomItemKind()); }

int addRefills(int x, int y, int count) {
    int missing = 0;
    for (int k = 0; k < count; k++)
        missing += addRefill(x, y) > kItemsUsed;
    return missing;
}

bool isKnownItemKind(int kind) {
    switch (kind) {
    case KIND_NONE:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case KIND_BEETLE:
    case KIND_STONE:
    case KIND_BOMB:
    case KIND_JOKER:
    case KIND_DOOR:
    case KIND_FLOOR:
        return true;
    default:
        return false;
    }
}

void freeItem(int slot) {
    if (slot < 1 || slot > kItems) return;
    const int c = itemCell[slot];
    if (c >= 1 && c <= kCells) cellItem[c] = 0;
    itemCell[slot] = 0;
    itemKind[slot] = KIND_NONE;
}

void freeReplacedItem(int slot, int missing) {
    if (slot < 1 || slot > kItems) return;
    const int x = itemX[slot], y = itemY[slot];
    freeItem(slot);
    addRefills(x, y, missing);
}
