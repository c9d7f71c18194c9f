// Swap mode: marking and swapping two neighbours, the animation that moves them,
// the line check that commits or rejects a swap, and the drawing of the pair.
#include "app/globals.h"
#include "app/sound.h"
#include "game/gamestate.h"
#include "game/pieceimage.h"
#include "match3/posindex.h"
#include "match3/rules.h"
#include "platform/platform.h"

#include <utility>

int swapFirst = 0, swapSecond = 0;
int swapProgress = 0;
int swapPhase = 0;
int swapFirstDX = 0, swapFirstDY = 0, swapSecondDX = 0, swapSecondDY = 0;
int swapFirstScale = 0, swapSecondScale = 0;

namespace {

bool validItem(int s) { return s >= 1 && s <= kItems; }

// A quick click on a piece that is no neighbour of the marked one: the piece
// becomes the new mark on the next frame, as it does while a click is held.
int gMarkNext = 0;

void startSwap(int i, int d) {
    swapSecond = i;
    swapSecondScale = 0;
    swapProgress = 6;
    swapPhase = 1;
    playSfx(5, itemX[swapFirst]);
    swapFirstDX = swapFirstDY = swapSecondDX = swapSecondDY = 0;
    switch (d) {
    case 1: swapFirstDX = 6; swapSecondDX = -6; break;
    case 2: swapFirstDX = -6; swapSecondDX = 6; break;
    case 3: swapFirstDY = 6; swapSecondDY = -6; break;
    default: swapFirstDY = -6; swapSecondDY = 6; break;
    }
}

void swapPiece(int i) {
    const int kind = itemKind[i];
    idleFrames = 0;
    if (isColourKind(kind) || (kind == KIND_BOMB && swapFirst > 0)) {
        if (swapFirst == 0) {
            swapFirst = i;
            swapFirstScale = 0;
        } else {
            const int d = itemDirection(swapFirst, i);
            if (d > 0 && kind == KIND_BOMB) {
                selectBombAlone(i);
                swapFirst = 0;
                swapFirstScale = 0;
            } else if (d > 0) {
                startSwap(i, d);
            } else if (i != swapFirst || gMouseHeldFrames == 1) {
                if (i != swapFirst && gMouseHeldFrames == 1) gMarkNext = i;
                swapFirst = 0;
                swapFirstScale = 0;
            }
        }
    }
    if (kind == KIND_BOMB && swapFirst == 0) selectBombAlone(i);
}

// Both pieces of the pair are still colour pieces at rest, side by side.
bool swapPairIntact(int last) {
    const auto resting = [last](int s) {
        return validItem(s) && s <= last && isColourKind(itemKind[s]) && itemFalling[s] == 0;
    };
    return resting(swapFirst) && resting(swapSecond) && itemDirection(swapFirst, swapSecond) != 0;
}

int growAway(int v) { return v > 0 ? v + 6 : (v < 0 ? v - 6 : 0); }
int shrinkBack(int v) { return v > 0 ? v - 6 : (v < 0 ? v + 6 : 0); }

// The frame's board as the line check sees it, with the swapped pair exchanged.
int snapKind[kItems + 1], snapX[kItems + 1], snapY[kItems + 1], snapFalling[kItems + 1];
XBuckets gSnapByX;
int gFound[kItems + 1];

bool lineKind(int k) { return isBoardPiece(k) && k != KIND_BEETLE && k != KIND_STONE && k != KIND_DOOR; }

// Last item in slot order of `kind`, at rest, at (x, y); 0 when none.
int lastRestingAt(int kind, int x, int y) {
    int found = 0;
    for (const int* p = gSnapByX.begin(x); p != gSnapByX.end(x); ++p) {
        const int k = *p;
        if (snapKind[k] == kind && snapX[k] == x && snapY[k] == y && snapFalling[k] == 0) found = k;
    }
    return found;
}

void drawSwapPiece(int slot, int& scaleCounter, int dx, int dy) {
    if (!validItem(slot) || itemKind[slot] <= 0 || itemKind[slot] >= 100) return;
    if (swapPhase < 2) {
        if (scaleCounter < 10) scaleCounter++;
    } else if (scaleCounter > 0) {
        scaleCounter--;
    }
    const float scale = 1.0f + scaleCounter * 0.02f;
    SetDrawScale(scale, scale);
    const int kind = itemKind[slot];
    const float x = static_cast<float>(itemX[slot] + dx), y = static_cast<float>(itemY[slot] + dy);
    drawPiecePicture(kind, x, y);
    const float a = ReadAlpha();
    SetBlend(BLEND_LIGHT);
    SetAlpha(a * (0.4f + 0.2f * SinDeg(gFrameCount * 10.0f)));
    drawPiecePicture(kind, x, y);
    SetBlend(BLEND_ALPHA);
    SetAlpha(a);
}

} // namespace

void resetSwap() {
    gMarkNext = 0;
    swapFirst = swapSecond = 0;
    swapProgress = 0;
    swapPhase = 0;
    swapFirstDX = swapFirstDY = swapSecondDX = swapSecondDY = 0;
    swapFirstScale = swapSecondScale = 0;
}

int inputSwap() {
    selReady = 0;
    const int markNext = gMarkNext;
    gMarkNext = 0;
    if (!inputGateOpen() || swapProgress != 0) return 0;
    const int last = itemScanBound < kItems ? itemScanBound : kItems;
    for (int i = 1; i <= last; i++) {
        const int kind = itemKind[i];
        if (!(isColourKind(kind) || kind == KIND_BOMB) || !pointerOverItem(i)) continue;
        const int c = itemCell[i];
        if (c >= 1 && c <= kCells) cellHover[c] = 9;
        if (gMouseDown && swapProgress == 0) {
            swapPiece(i);
        } else if (!gMouseDown && i == markNext && swapFirst == 0 && isColourKind(kind)) {
            swapFirst = i;
            swapFirstScale = 0;
        }
    }
    return 0;
}

int swapAnimation() {
    if (swapProgress > 0) {
        if (swapPhase == 1) {
            swapProgress += 6;
            swapFirstDX = growAway(swapFirstDX);
            swapFirstDY = growAway(swapFirstDY);
            swapSecondDX = growAway(swapSecondDX);
            swapSecondDY = growAway(swapSecondDY);
        } else if (swapPhase == 2) {
            swapProgress += 6;
            swapFirstDX = shrinkBack(swapFirstDX);
            swapFirstDY = shrinkBack(swapFirstDY);
            swapSecondDX = shrinkBack(swapSecondDX);
            swapSecondDY = shrinkBack(swapSecondDY);
            if (swapProgress >= 96) {
                swapProgress = 0;
                swapPhase = 0;
                swapFirst = swapSecond = 0;
            }
        }
    }
    if (gameFrame > 150 && winCounter < 30) swapLineCheck();
    return 0;
}

int swapLineCheck() {
    const int last = itemScanBound < kItems ? itemScanBound : kItems;
    for (int i = 1; i <= last; i++) {
        snapKind[i] = itemKind[i];
        snapX[i] = itemX[i];
        snapY[i] = itemY[i];
        snapFalling[i] = itemFalling[i];
        gFound[i] = 0;
    }
    // A cascade, a blast or a power-up may have taken a piece of the pair while
    // it travelled: then there is nothing left to exchange and the swap is
    // dropped.
    if (swapProgress == 48 && !swapPairIntact(last)) resetSwap();
    const bool deciding = swapProgress == 48;
    if (deciding) std::swap(snapKind[swapFirst], snapKind[swapSecond]);
    gSnapByX.build(snapKind, snapX, last);

    bool any = false;
    for (int i = 1; i <= last; i++) {
        if (!lineKind(snapKind[i]) || snapFalling[i] != 0) continue;
        const int k = snapKind[i], x = snapX[i], y = snapY[i];
        const int below = lastRestingAt(k, x, y + 48);
        const int above = below ? lastRestingAt(k, x, y - 48) : 0;
        if (below && above) {
            gFound[i] = gFound[below] = gFound[above] = 1;
            any = true;
        }
    }
    for (int i = 1; i <= last; i++) {
        if (!lineKind(snapKind[i]) || snapFalling[i] != 0) continue;
        const int k = snapKind[i], x = snapX[i], y = snapY[i];
        const int left = lastRestingAt(k, x - 48, y);
        const int right = left ? lastRestingAt(k, x + 48, y) : 0;
        if (left && right) {
            gFound[i] = gFound[left] = gFound[right] = 1;
            any = true;
        }
    }

    if (any) {
        selCount = 0;
        for (int i = 1; i <= last; i++)
            if (gFound[i]) addToSelection(i);
        selReady = 1;
        if (swapProgress == 48) {
            swapProgress = 0;
            swapPhase = 0;
            swapFirstDX = swapFirstDY = swapSecondDX = swapSecondDY = 0;
            std::swap(itemKind[swapFirst], itemKind[swapSecond]);
            swapFirst = swapSecond = 0;
        }
    } else if (swapProgress == 48) {
        swapPhase = 2;
        const int x = validItem(swapFirst) ? itemX[swapFirst] : 512;
        playSfx(45, x);
        playSfx(6, x);
    }
    return 0;
}

int removeReadyLines() {
    // Each pass re-rolls the middle piece of every line of three; a board that
    // keeps producing lines is given up after many passes rather than hanging.
    for (int pass = 0; pass < 10000; pass++) {
        bool changed = false;
        for (int dir = 0; dir < 2; dir++) {
            const int dx = dir == 0 ? 0 : 48, dy = dir == 0 ? 48 : 0;
            for (int i = 1; i <= kItems; i++) {
                const int k = itemKind[i];
                if (!lineKind(k)) continue;
                bool after = false, before = false;
                for (int j = 1; j <= kItems && !(after && before); j++) {
                    if (itemKind[j] != k) continue;
                    if (itemX[j] == itemX[i] + dx && itemY[j] == itemY[i] + dy) after = true;
                    if (itemX[j] == itemX[i] - dx && itemY[j] == itemY[i] - dy) before = true;
                }
                if (after && before) {
                    itemKind[i] = randomItemKind();
                    changed = true;
                }
            }
        }
        if (!changed) break;
    }
    return 0;
}

int drawSwapPieces() {
    drawSwapPiece(swapFirst, swapFirstScale, swapFirstDX, swapFirstDY);
    drawSwapPiece(swapSecond, swapSecondScale, swapSecondDX, swapSecondDY);
    SetDrawScale(1, 1);
    return 0;
}
