#include "game/helpboard.h"

#include "app/menupics.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/particles.h"
#include "platform/platform.h"

namespace {

// Gap g lies between two neighbouring cells: offsets from the board's centre.
constexpr int kGapDx[13] = {0, -24, 24, -48, 0, 48, -24, 24, -48, 0, 48, -24, 24};
constexpr int kGapDy[13] = {0, -48, -48, -24, -24, -24, 0, 0, 24, 24, 24, 48, 48};

void paintAt(TBild& img, int x, int y) {
    img.PaintXY(static_cast<float>(x), static_cast<float>(y));
}

} // namespace

void helpBoardCell(int x, int y, int n, int& cx, int& cy) {
    cx = x + 48 * (((n - 1) % 3) - 1);
    cy = y + 48 * (((n - 1) / 3) - 1);
}

void helpBoardGap(int x, int y, int g, int& gx, int& gy) {
    gx = x + kGapDx[g];
    gy = y + kGapDy[g];
}

int drawHelpBoard(int x, int y, const HelpBoard& b) {
    const float a0 = ReadAlpha();
    paintAt(gPicNiner, x, y);
    int cx = 0, cy = 0;
    for (int n = 1; n <= 9; ++n) {
        helpBoardCell(x, y, n, cx, cy);
        if (b.overlay[n - 1] == 1) paintAt(imgMoss, cx, cy);
    }
    SetDrawScale(0.5f, 0.5f);
    for (int n = 1; n <= 9; ++n) {
        const int f = b.overlay[n - 1];
        helpBoardCell(x, y, n, cx, cy);
        if (f > 1 && f <= 9) paintAt(imgFlash[f], cx, cy);
    }
    SetDrawScale(1, 1);
    for (int n = 1; n <= 9; ++n) {
        const int k = b.piece[n - 1];
        helpBoardCell(x, y, n, cx, cy);
        if (k > 0 && k <= 15) paintAt(imgPiece[k], cx, cy);
    }
    SetAlpha(a0 * 0.75f);
    for (int n = 1; n <= 9; ++n) {
        helpBoardCell(x, y, n, cx, cy);
        if (b.mark[n - 1] == 1) paintAt(imgCellMark, cx, cy);
    }
    SetAlpha(a0 * 0.75f);
    for (int g = 1; g <= 12; ++g) {
        const int a = b.arrow[g - 1];
        helpBoardGap(x, y, g, cx, cy);
        if (a >= 1 && a <= 4) paintAt(imgArrow[a], cx, cy);
    }
    SetAlpha(a0);
    if (b.pointer >= 1 && b.pointer <= 9) {
        helpBoardCell(x, y, b.pointer, cx, cy);
        paintAt(gPicPointer, cx + 38, cy + 38);
    }
    return 0;
}
