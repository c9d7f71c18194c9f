// Hints for an idle player and the rescue bomb for a board without moves.
#include "app/globals.h"
#include "app/sound.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/posindex.h"
#include "match3/rules.h"
#include "platform/platform.h"

int idleFrames = 0;
int hintPiece1 = 0, hintPiece2 = 0, hintPiece3 = 0;
int hintDir = 0;
int rescueBombMade = 0;

namespace {

int scanLast() { return itemScanBound < kItems ? itemScanBound : kItems; }

// The board is examined every 150th frame while play runs undisturbed.
bool examinationFrame() {
    return gameFrame % 150 == 1 && winCounter == 0 && powerUpBusy == 0 && gRunPopup == 0 && !gamePaused();
}

bool hintable(int kind) { return isBoardPiece(kind) && kind != KIND_BEETLE && kind != KIND_STONE && kind != KIND_DOOR; }

void findChainGroupMove() {
    const int last = scanLast();
    for (int c = 1; c <= last; c++) {
        if (!hintable(itemKind[c])) continue;
        int f = 0;
        for (int b = 1; b <= last; b++) {
            if (itemKind[b] != itemKind[c] || itemDirection(c, b) == 0) continue;
            if (f > 0 && b != f) {
                hintPiece1 = c;
                hintPiece2 = b;
                hintPiece3 = f;
            }
            if (f == 0) f = b;
        }
    }
}

void lightUpGroup() {
    const int last = scanLast();
    for (int pass = 0; pass < 7; pass++)
        for (int c = 1; c <= last; c++) {
            if (itemHint[c] <= 0 || itemKind[c] <= 0) continue;
            for (int d = 1; d <= last; d++)
                if (itemKind[d] == itemKind[c] && itemDirection(c, d) != 0) itemHint[d] = 1;
        }
}

// Swap-mode search: b would move one cell in direction d into j's place.
XBuckets gHintByX;
int gMovedJ = 0, gMovedB = 0;

// Only colour pieces can be picked up and swapped: a move that needs a joker,
// a door or a beetle to move is none the player could make.
bool swappable(int kind) { return isColourKind(kind); }

int kindAfterSwap(int k) {
    if (k == gMovedJ) return itemKind[gMovedB];
    if (k == gMovedB) return itemKind[gMovedJ];
    return itemKind[k];
}

// First item in slot order at (x, y) whose kind (after the trial swap) passes test.
template <class Test> int firstAt(int x, int y, Test test) {
    const int last = scanLast();
    for (const int* p = gHintByX.begin(x); p != gHintByX.end(x); ++p) {
        const int k = *p;
        if (k <= last && itemX[k] == x && itemY[k] == y && test(kindAfterSwap(k))) return k;
    }
    return 0;
}

bool completesLine(int j, int K) {
    auto isK = [K](int kind) { return kind == K; };
    const int x = itemX[j], y = itemY[j];
    if (firstAt(x, y + 48, isK) && (firstAt(x, y - 48, isK) || firstAt(x, y + 96, isK))) return true;
    return firstAt(x + 48, y, isK) && (firstAt(x - 48, y, isK) || firstAt(x + 96, y, isK));
}

void findSwapMove() {
    const int last = scanLast();
    gHintByX.build(itemKind, itemX, last);
    static const int kFromX[5] = {0, -48, 48, 0, 0};
    static const int kFromY[5] = {0, 0, 0, -48, 48};
    for (int d = 1; d <= 4; d++) {
        for (int j = 1; j <= last; j++) {
            if (!swappable(itemKind[j])) continue;
            gMovedJ = gMovedB = 0;
            const int b = firstAt(itemX[j] + kFromX[d], itemY[j] + kFromY[d], swappable);
            if (b == 0) continue;
            gMovedJ = j;
            gMovedB = b;
            const bool line = completesLine(j, itemKind[b]);
            gMovedJ = gMovedB = 0;
            if (line) {
                hintPiece1 = b;
                hintPiece2 = j;
                hintDir = d;
                return;
            }
        }
    }
}

void rescueIfStuck(bool examine) {
    if (rescueBombMade == 0 && hintPiece1 == 0 && examine && idleFrames > 100) makeRescueBomb();
}

} // namespace

int hintChainGroup() {
    hintPiece1 = 0;
    const bool examine = examinationFrame();
    if (examine) findChainGroupMove();
    idleFrames += 1;
    if (hintPiece1 > 0 && idleFrames > 400 && shuffleRadius == 0 && examine) {
        idleFrames = 0;
        itemHint[hintPiece1] = 1;
        itemHint[hintPiece2] = 1;
        itemHint[hintPiece3] = 1;
        lightUpGroup();
        playSfx(9, itemX[hintPiece1]);
    }
    rescueIfStuck(examine);
    return 0;
}

int hintSwap() {
    hintPiece1 = 0;
    const bool examine = examinationFrame();
    if (examine) findSwapMove();
    idleFrames += 1;
    if (hintPiece1 > 0 && idleFrames > 400 && shuffleRadius == 0 && examine) {
        idleFrames = 0;
        itemHint[hintPiece1] = 1;
        const int c = itemCell[hintPiece1];
        if (c >= 1 && c <= kCells) cellArrow[c] = hintDir;
        itemHint[hintPiece2] = 1;
        playSfx(9, itemX[hintPiece1]);
    }
    rescueIfStuck(examine);
    return 0;
}

int makeRescueBomb() {
    const int last = scanLast();
    if (last < 1) return 0;
    for (int n = 0; n < 259; n++) {
        const int s = RandomInt(1, last);
        const int k = itemKind[s];
        if (!isBoardPiece(k) || k == KIND_BEETLE || k == KIND_STONE || k == KIND_BOMB || k == KIND_JOKER ||
            k == KIND_DOOR)
            continue;
        itemKind[s] = KIND_BOMB;
        playSfx(16, itemX[s]);
        rescueBombMade = 1;
        for (int p = 0; p < 50; p++)
            spawnParticle(itemX[s], itemY[s], 109, static_cast<float>(RandomInt(-7, 7)), static_cast<float>(RandomInt(-7, 7)));
        spawnParticle(itemX[s], itemY[s], 309, 0, 0);
        return 0;
    }
    return 0;
}
