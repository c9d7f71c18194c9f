// The selection: picking pieces under the pointer, chain mode, group mode, and
// the resolution of a finished selection that scores and removes its pieces.
#include "app/globals.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

int selCount = 0;
int selList[kItems + 1];
int selLast = 0;
int selColour = 0;
int selReady = 0;

namespace {

int scanLast() { return itemScanBound < kItems ? itemScanBound : kItems; }

bool validCell(int c) { return c >= 1 && c <= kCells; }

// Whether a piece's place in the selection is marked: by its cell when it rests
// in one, by the piece itself while it is still falling.
bool pieceMarked(int i) {
    const int c = itemCell[i];
    return validCell(c) ? cellMarked[c] > 0 : itemMarked[i] != 0;
}

void setCellArrow(int item, int dir) {
    if (item < 1 || item > kItems) return;
    const int c = itemCell[item];
    if (validCell(c)) cellArrow[c] = dir;
}

void markHover(int i) {
    const int c = itemCell[i];
    if (validCell(c)) cellHover[c] = 9;
}

// Takes the chain back to list position n, dropping every piece after it.
void cutChainBack(int n) {
    for (int p = n + 1; p <= selCount && p <= kItems; p++) {
        const int e = selList[p];
        if (e >= 1 && e <= kItems) {
            itemMarked[e] = 0;
            const int c = itemCell[e];
            if (validCell(c)) {
                cellArrow[c] = 0;
                cellMarked[c] = 0;
            }
        }
        selList[p] = 0;
    }
    selCount = n;
    selLast = selList[n];
    setCellArrow(selLast, 0);
}

void chainPiece(int i) {
    const int kind = itemKind[i];
    if (kind == KIND_BOMB && selCount == 0) {
        selectBombAlone(i);
        return;
    }
    idleFrames = 0;
    const int d = selLast > 0 ? itemDirection(selLast, i) : 99;
    const bool wild = kind == KIND_BOMB || kind == KIND_JOKER;
    if (!pieceMarked(i)) {
        if (d > 0 && (selColour == 0 || kind == selColour || wild)) {
            if (selColour == 0 && !wild) selColour = kind;
            if (d < 7) setCellArrow(selLast, d);
            selLast = i;
            addToSelection(i);
            playSfx(4, itemX[i]);
        }
    } else if (i != selLast) {
        playSfx(3, itemX[i]);
        int n = 0;
        for (int p = 1; p <= selCount && p <= kItems; p++)
            if (selList[p] == i) n = p;
        if (n > 0) cutChainBack(n);
    }
}

void growGroup() {
    const int last = scanLast();
    for (int pass = 0; pass < 7; pass++) {
        for (int c = 1; c <= last; c++) {
            if (itemMarked[c] <= 0 || itemKind[c] <= 0) continue;
            for (int d = 1; d <= last; d++) {
                if (itemKind[d] <= 0 || itemKind[d] != itemKind[c] || itemMarked[d] != 0) continue;
                if (itemDirection(c, d) != 0) addToSelection(d);
            }
        }
    }
}

void hitFixedNeighbours(int s) {
    const int last = scanLast();
    for (int k = 1; k <= last; k++) {
        if (itemKind[k] != KIND_STONE && itemKind[k] != KIND_DOOR) continue;
        if (itemDirection(s, k) != 0) breakStoneOrDoor(k);
    }
}

// Five or more pieces of kind 4 leave their first kind-4 piece behind as a bomb.
bool forgeBomb(int s) {
    const int k1 = selList[1] >= 1 && selList[1] <= kItems ? itemKind[selList[1]] : 0;
    const int k2 = selList[2] >= 1 && selList[2] <= kItems ? itemKind[selList[2]] : 0;
    if (itemKind[s] != 4 || selCount < 5) return false;
    if ((k1 != 4 && k1 != KIND_BOMB) || (k2 != 4 && k2 != KIND_BOMB)) return false;
    itemKind[s] = KIND_BOMB;
    playSfx(16, itemX[s]);
    const int n = gFPS > 35 ? gFPS : gFPS / 2;
    for (int k = 0; k < n; k++)
        spawnParticle(itemX[s], itemY[s], 109, static_cast<float>(RandomInt(-7, 7)), static_cast<float>(RandomInt(-7, 7)));
    spawnParticle(itemX[s], itemY[s], 309, 0, 0);
    return true;
}

} // namespace

void resetSelection() {
    selCount = 0;
    selLast = 0;
    selColour = 0;
    selReady = 0;
    for (int p = 0; p <= kItems; p++) selList[p] = 0;
}

bool gamePaused() { return gPaused == 1; }

int itemDirection(int from, int to) {
    if (itemY[to] == itemY[from]) {
        if (itemX[to] == itemX[from] + 48) return 1;
        if (itemX[to] == itemX[from] - 48) return 2;
    }
    if (itemX[to] == itemX[from]) {
        if (itemY[to] == itemY[from] + 48) return 3;
        if (itemY[to] == itemY[from] - 48) return 4;
    }
    return 0;
}

bool inputGateOpen() { return winCounter == 0 && powerUpBusy == 0 && gRunPopup == 0 && shuffleRadius == 0; }

bool pointerOverItem(int slot) {
    if (gameFrame <= 150) return false;
    return pointerOverPoint(static_cast<float>(itemX[slot]), static_cast<float>(itemY[slot]));
}

bool isSelectableChainGroup(int kind) {
    return isBoardPiece(kind) && kind != KIND_BEETLE && kind != KIND_STONE && kind != KIND_DOOR;
}

void addToSelection(int slot) {
    if (selCount >= kItems) return;
    selCount += 1;
    selList[selCount] = slot;
    itemMarked[slot] = 1;
    const int c = itemCell[slot];
    if (validCell(c)) cellMarked[c] = 1;
}

void selectBombAlone(int slot) {
    selCount = 3;
    selList[3] = slot;
    itemMarked[slot] = 1;
    const int c = itemCell[slot];
    if (validCell(c)) cellMarked[c] = 1;
    selReady = 1;
}

int inputChain() {
    selReady = 0;
    if (inputGateOpen()) {
        const int last = scanLast();
        for (int i = 1; i <= last; i++) {
            if (!isSelectableChainGroup(itemKind[i]) || !pointerOverItem(i)) continue;
            markHover(i);
            if (gMouseDown) chainPiece(i);
        }
    }
    if (!gMouseDown) selReady = 1;
    return 0;
}

int inputGroup() {
    selReady = 0;
    if (!inputGateOpen()) return 0;
    const int last = scanLast();
    for (int i = 1; i <= last; i++) {
        if (!isSelectableChainGroup(itemKind[i]) || !pointerOverItem(i)) continue;
        markHover(i);
        if (!gMouseDown || gMouseHeldFrames != 1) continue;
        idleFrames = 0;
        if (itemKind[i] == KIND_BOMB) {
            selectBombAlone(i);
        } else {
            addToSelection(i);
            growGroup();
        }
        selReady = 1;
    }
    return 0;
}

int removePiece(int s, int points, bool vanish) {
    if (s < 1 || s > kItems) return 0;
    TSpieler& pl = curPlayer();
    const int kind = itemKind[s];
    const float x = static_cast<float>(itemX[s]), y = static_cast<float>(itemY[s]);
    const int missing = addRefills(itemX[s], itemY[s], 1);
    const int left = isColourKind(kind) ? pl.getItemsLeftToDestroy(pl.Level, kind) : 0;
    if (left > 0) {
        // The piece counts when its flight reaches the counter; with the
        // particle table full there is no flight, so it counts at once.
        if (spawnParticle(x, y, kind + 95700, 0, 0) == 0 && kind <= pl.maxItemsToDestroy)
            pl.itemsDestroyed[kind] += 1;
    } else
        spawnParticle(x, y, kind + 95800, 0, -15);
    pl.anzItems += 1;
    addPoints(itemX[s] - 5, itemY[s] - 7, points);
    if (vanish) spawnParticle(x, y, kind + 10000, 0, 0);
    freeReplacedItem(s, missing);
    return 0;
}

int resolveSelection() {
    if (selReady != 1) return 0;
    const int last = scanLast();
    for (int i = 1; i <= last; i++)
        if (isBoardPiece(itemKind[i])) itemMarked[i] = 0;
    // Marks and arrows go from every cell, also from cells whose piece is not
    // linked this frame, so no stale mark or hint arrow stays behind.
    for (int c = 1; c <= kCells; c++) {
        cellArrow[c] = 0;
        cellMarked[c] = 0;
    }
    if (selCount >= 3) {
        TSpieler& pl = curPlayer();
        pl.skipfill += 1;
        int firstX = 512;
        for (int p = 1; p <= kItems; p++)
            if (selList[p] >= 1 && selList[p] <= kItems) {
                firstX = itemX[selList[p]];
                break;
            }
        playSfx(5, firstX);
        playSfx(20, firstX);
        const int points = selCount * 5 + 30;
        bool forged = false;
        for (int p = 1; p <= kItems; p++) {
            const int s = selList[p];
            if (s < 1 || s > kItems || itemKind[s] <= 0) continue; // blasted away meanwhile
            hitFixedNeighbours(s);
            clearMossUnder(s);
            explodeBomb(s);
            if (!forged && forgeBomb(s)) {
                forged = true;
                continue;
            }
            if (itemKind[s] > 0) removePiece(s, points);
        }
    }
    selLast = 0;
    selCount = 0;
    selColour = 0;
    for (int p = 1; p <= kItems; p++) selList[p] = 0;
    selReady = 0;
    return 0;
}
