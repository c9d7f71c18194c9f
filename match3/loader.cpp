// Level files: reading the 260 cell codes, setting up the live board of the
// level about to be played, and the per-level preview boards.
#include "game/gamestate.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

#include <algorithm>

int readLevelCodes(int level, int codes[kCells + 1]) {
    for (int i = 1; i <= kCells; i++) codes[i] = 0; // value -1: no cell
    const std::string path = levelFileName(level);
    StreamPtr in = OpenRead(path);
    const bool opened = (in != nullptr);
    int got = 0, strange = 0;
    if (opened) {
        try {
            while (got < kCells) {
                const int32_t v = ReadInt(in.get());
                got++;
                if (v < -1 || v > 97) strange++;
                // Kept as c = value + 1 without overflowing on extreme values; any
                // value outside 0..97 makes no cell either way.
                codes[got] = (v >= 1000) ? 1000 : (v <= -1000 ? -1000 : v + 1);
            }
        } catch (const StreamError&) {
        }
        Close(in);
    }
    if (!opened)
        DebugLog("Level file missing: " + path + " (board left without cells)");
    else if (got < kCells)
        DebugLog("Level file short: " + path + " holds " + std::to_string(got) + " of 260 values");
    // The level compiler writes only -1..97; anything else is a damaged file,
    // read as no cell.
    if (strange > 0)
        DebugLog("Level file damaged: " + path + " holds " + std::to_string(strange) +
                 " values that are no cell code");
    return got;
}

namespace {

void resetColumns(int count[], int x[], int top[]) {
    for (int k = 1; k <= kColumns; k++) {
        count[k] = 0;
        x[k] = 0;
        top[k] = 1000;
    }
}

void noteColumn(int count[], int colX[], int top[], int k, int x, int y) {
    count[k] += 1;
    colX[k] = x;
    if (y < top[k]) top[k] = y;
}

// Frees the pieces below a freshly placed stone or door down to the end of its
// column segment; returns how many it swallowed.
int absorbBelow(int slot, int scanTo, int kind[], const int x[], const int y[]) {
    int swallowed = 0;
    for (int k = 1; k <= scanTo; k++) {
        if (kind[k] <= 0 || x[k] != x[slot] || y[k] <= y[slot]) continue;
        if (kind[k] == KIND_FLOOR || kind[k] == KIND_STONE || kind[k] == KIND_DOOR) break;
        kind[k] = KIND_NONE;
        swallowed++;
    }
    return swallowed;
}

bool cellAtPosition(int x, int y) {
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] > 0 && cellX[c] == x && cellY[c] == y) return true;
    return false;
}

// Cells a stone or door at (x, y) covers: its own and those below it down to
// the end of the column segment.
int coveredCells(int x, int y) {
    int n = 1;
    while (n < 13 && cellAtPosition(x, y + 48 * n)) n++;
    return n;
}

// A restored snapshot is taken as it is, except where a value would lead the
// rules or the drawing outside a table: unknown kinds become a fresh random
// piece, beetle colours are kept within 1..4 (and -1 for everything else),
// positions are held within a range where no distance or fall overflows, and a
// stone or door whose slot carries no sensible height gets the height of the
// cells it covers (its refill count when it breaks).
void sanitizeRestoredBoard() {
    for (int i = 1; i <= kItems; i++) {
        if (itemKind[i] == KIND_NONE) continue;
        if (!isKnownItemKind(itemKind[i])) {
            DebugLog("Resume: item " + std::to_string(i) + " had unknown kind " + std::to_string(itemKind[i]));
            itemKind[i] = randomItemKind();
        }
        if (itemKind[i] == KIND_BEETLE) {
            if (itemKaefCol[i] < 1 || itemKaefCol[i] > 4) itemKaefCol[i] = std::clamp(itemKaefCol[i], 1, 4);
        } else {
            itemKaefCol[i] = -1;
        }
        itemX[i] = std::clamp(itemX[i], -2000, 4000);
        itemY[i] = std::clamp(itemY[i], -2000, 4000);
        if ((itemKind[i] == KIND_STONE || itemKind[i] == KIND_DOOR) && (itemHeight[i] < 1 || itemHeight[i] > 12))
            itemHeight[i] = coveredCells(itemX[i], itemY[i]);
    }
}

} // namespace

int Match3_LoadLevelFromDisk() {
    TSpieler& pl = curPlayer();
    rescueBombMade = 0;
    gameFrame = 0;
    for (int i = 1; i <= kCells; i++) cellActive[i] = 0;
    for (int i = 1; i <= kItems; i++) {
        itemKind[i] = KIND_NONE;
        itemFadeIn[i] = 0;
    }
    resetColumns(columnCount, columnX, columnTop);

    int codes[kCells + 1];
    readLevelCodes(pl.Level, codes);

    // Cells, top row first, left to right.
    for (int j = 1; j <= 13; j++) {
        for (int k = 1; k <= 20; k++) {
            const int c = codes[(j - 1) * 20 + k];
            if (c <= 0 || c >= 99) continue;
            const int x = 48 * k - 16, y = 48 * j - 20;
            if (x <= 50 || y <= 50) continue;
            addCell(x, y, 1, c == 4, (c == 3 && pl.isResume == 0) ? 1 : 0, c == 5, c == 6);
            noteColumn(columnCount, columnX, columnTop, k, x, y);
        }
    }

    // Floor markers below every cell; the fill keeps only the lowest of each run.
    for (int i = 1; i <= kCells; i++)
        if (cellActive[i] != 0 && cellX[i] > 0) addItem(cellX[i], cellY[i] + 48, KIND_FLOOR);

    computeBorderCodes(cellActive, cellX, cellY, cellBorder);

    for (int i = 1; i <= kCells; i++) {
        if (cellActive[i] == 0) continue;
        for (int k = 1; k <= kItems; k++)
            if (itemKind[k] == KIND_FLOOR && itemX[k] == cellX[i] && itemY[k] == cellY[i]) itemKind[k] = KIND_NONE;
        addItem(cellX[i], cellY[i], randomItemKind());
    }

    // Beetles, stones and doors take over the piece of their cell.
    for (int i = 1; i <= kCells; i++) {
        if (cellActive[i] == 0) continue;
        for (int k = 1; k <= kItems; k++) {
            if (itemKind[k] <= 0 || itemX[k] != cellX[i] || itemY[k] != cellY[i]) continue;
            if (cellBeetleStart[i] == 1) {
                itemKind[k] = KIND_BEETLE;
                int col = RandomInt(1, 4);
                if (pl.Level < 6) col = 3;
                if (pl.Level < 5) col = 2;
                if (pl.Level < 4) col = 1;
                itemKaefCol[k] = col;
            }
            if (cellStone[i] == 1) {
                itemKind[k] = KIND_STONE;
                itemHeight[k] = 1 + absorbBelow(k, kItems, itemKind, itemX, itemY);
            }
            if (cellDoor[i] == 1) {
                itemKind[k] = KIND_DOOR;
                itemHeight[k] = 1 + absorbBelow(k, kItems, itemKind, itemX, itemY);
            }
        }
    }

    if (pl.isResume == 1) {
        for (int i = 1; i <= kItems; i++) itemKind[i] = KIND_NONE;
        pl.ContinueLevel();
        sanitizeRestoredBoard();
    }

    winCounter = 0;
    resetSelection();
    for (int i = 1; i <= kCells; i++) cellItem[i] = 0;
    for (int i = 1; i <= kItems; i++) itemCell[i] = 0;
    resetSwap();
    pl.isResume = 0;
    gameFrame = 0;
    return 0;
}

namespace {

void loadPreviewLevel(int L) {
    PreviewBoard& p = gPreview[L];
    for (int i = 1; i <= kCells; i++) p.cellValue[i] = 0;
    for (int i = 1; i <= kItems; i++) p.itemKind[i] = 0;
    resetColumns(p.columnCount, p.columnX, p.columnTop);

    int codes[kCells + 1];
    readLevelCodes(L, codes);

    int nextCell = 1;
    for (int j = 1; j <= 13; j++) {
        for (int k = 1; k <= 20; k++) {
            const int c = codes[(j - 1) * 20 + k];
            if (c <= 0) continue;
            const int x = 48 * k, y = 48 * j;
            if (x <= 50 || y <= 50 || nextCell > kCells) continue;
            const int s = nextCell++;
            p.cellValue[s] = c;
            p.cellX[s] = x;
            p.cellY[s] = y;
            p.cellMoss[s] = (c == 4);
            p.cellBeetleStart[s] = (c == 3);
            p.cellStone[s] = (c == 5);
            p.cellDoor[s] = 0;
            p.cellBorder[s] = 0;
            if (c < 100) noteColumn(p.columnCount, p.columnX, p.columnTop, k, x, y);
        }
    }

    computeBorderCodes(p.cellValue, p.cellX, p.cellY, p.cellBorder);

    int nextItem = 1;
    for (int i = 1; i <= kCells; i++) {
        if (p.cellValue[i] <= 0 || p.cellValue[i] >= 99 || nextItem > kItemsUsed) continue;
        const int s = nextItem++;
        p.itemX[s] = p.cellX[i];
        p.itemY[s] = p.cellY[i];
        p.itemKind[s] = RandomInt(1, 5);
        p.itemKaefCol[s] = -1;
    }

    for (int i = 1; i <= kCells; i++) {
        if (p.cellValue[i] <= 0) continue;
        for (int k = 1; k <= kItems; k++) {
            if (p.itemKind[k] <= 0 || p.itemX[k] != p.cellX[i] || p.itemY[k] != p.cellY[i]) continue;
            if (p.cellBeetleStart[i] == 1) {
                p.itemKind[k] = KIND_BEETLE;
                p.itemKaefCol[k] = RandomInt(1, 4);
                if (L < 6) p.itemKaefCol[k] = RandomInt(1, 3);
                if (L < 5) p.itemKaefCol[k] = RandomInt(1, 2);
                if (L < 4) p.itemKaefCol[k] = RandomInt(1, 1);
            }
            if (p.cellStone[i] == 1) {
                p.itemKind[k] = KIND_STONE;
                absorbBelow(k, 200, p.itemKind, p.itemX, p.itemY);
            }
        }
    }
}

} // namespace

int load_for_preview_match3() {
    for (int L = 1; L <= 100; L++) loadPreviewLevel(L);
    return 0;
}
