// The level picture and the underlay of the board: live borders, the level
// picture, moss with the light sweep, cell flashes and selection marks.
#include "game/boarddraw.h"

#include "game/gamestate.h"
#include "match3/board.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

TBild imgStrip[12];
TBild imgBorder[25];
TBild imgCellFlash;
TBild imgMoss;
TBild imgCellMark;
TBild imgArrow[5];
TBild imgLevel;

namespace {

// Offsets of the pasted frame pieces from the top-left corner of the cell field;
// {0, 0, false} marks the live codes and unused entries.
struct BorderOffset {
    int dx, dy;
    bool pasted;
};
constexpr BorderOffset kBorderOffsets[25] = {
    {0, 0, false},                                                        // 0: none
    {0, -18, true},  {0, 46, true},   {-18, 0, true},  {46, 0, true},     // 1..4
    {-18, -18, true}, {0, -18, true}, {0, 0, true},    {-18, 0, true},    // 5..8
    {46, 0, true},   {-18, 0, true},  {0, 0, false},   {0, 0, false},     // 9..12
    {46, -1, true},  {-18, -1, true}, {0, 0, false},   {0, 0, false},     // 13..16
    {-18, -2, true}, {0, -2, true},   {0, -18, true},  {-18, -18, true},  // 17..20
    {0, 0, false},   {0, 0, false},   {0, 0, false},   {0, 0, false},     // 21..24
};

Pixmap* lockForReading(TBild& img) { return img.isLoaded ? LockFrame(img.data.get(), 0, 1, 0) : nullptr; }

void unlock(TBild& img) {
    if (img.isLoaded) UnlockFrame(img.data.get(), 0);
}

} // namespace

bool borderOffset(int code, int& dx, int& dy) {
    if (code < 1 || code > 24 || !kBorderOffsets[code].pasted) return false;
    dx = kBorderOffsets[code].dx;
    dy = kBorderOffsets[code].dy;
    return true;
}

bool isLiveBorder(int code) {
    return code == 11 || code == 12 || code == 15 || code == 16 || (code >= 21 && code <= 24);
}

int predraw_level() {
    DebugLog("-> predraw_level()");
    imgLevel.Unload();
    imgLevel.data = NewBlankPicture(kLevelPicW, kLevelPicH, 1, -1);
    if (imgLevel.data) {
        SetPictureHandle(imgLevel.data.get(), 0, 0);
        imgLevel.W = kLevelPicW;
        imgLevel.H = kLevelPicH;
    }
    imgLevel.isLoaded = 1;
    Pixmap* target = imgLevel.data ? LockFrame(imgLevel.data.get(), 0, 1, 1) : nullptr;
    Pixmap* borders[25] = {};
    Pixmap* strips[12] = {};
    for (int n = 1; n <= 24; n++) borders[n] = lockForReading(imgBorder[n]);
    for (int n = 1; n <= 11; n++) strips[n] = lockForReading(imgStrip[n]);

    // The screen position (cell x - 24 + dx, cell y - 24 + dy) moved into the
    // picture by (-32, -74).
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0 || cellActive[c] >= 100 || cellBorder[c] <= 0) continue;
        int dx, dy;
        if (!borderOffset(cellBorder[c], dx, dy)) continue;
        Paste(target, borders[cellBorder[c]], cellX[c] - 56 + dx, cellY[c] - 98 + dy);
    }
    // Strips go on after every border and cover them where they meet.
    for (int k = 1; k <= kColumns; k++) {
        const int n = columnCount[k];
        if (n < 1 || n > 11) continue;
        Paste(target, strips[n], columnX[k] - 56, columnTop[k] - 98);
    }

    if (target) UnlockFrame(imgLevel.data.get(), 0);
    for (int n = 1; n <= 24; n++) unlock(imgBorder[n]);
    for (int n = 1; n <= 11; n++) unlock(imgStrip[n]);
    DebugLog("<- predraw_level()");
    return 0;
}

int drawBoardUnderlay() {
    const float a0 = ReadAlpha();
    mossLeft = 0;
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0 || !isLiveBorder(cellBorder[c])) continue;
        imgBorder[cellBorder[c]].PaintXY(static_cast<float>(cellX[c] - 42), static_cast<float>(cellY[c] - 42));
    }

    // The level picture is transparent around the board's shape and between the
    // frame pieces. Drawn solid, those pixels would paint a black rectangle over
    // the level background and the live borders once the board is fully shown,
    // so it is always blended.
    imgLevel.label = "Dynamische Imagemap imgLevel";
    SetBlend(BLEND_ALPHA);
    imgLevel.PaintXY(kLevelPicX, kLevelPicY);

    for (int c = 1; c <= kCells; c++) {
        if (cellMoss[c] != 1 || cellActive[c] <= 0) continue;
        imgMoss.PaintXY(static_cast<float>(cellX[c]), static_cast<float>(cellY[c]));
        if (cellX[c] == sweepX) cellHover[c] = 18;
        mossLeft++;
    }

    SetBlend(BLEND_ALPHA);
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0) continue;
        const float x = static_cast<float>(cellX[c]), y = static_cast<float>(cellY[c]);
        if (cellHover[c] > 0) {
            cellHover[c]--;
            SetBlend(BLEND_LIGHT);
            SetAlpha(a0 * SinDeg(cellHover[c] * 10.0f));
            imgCellFlash.PaintXY(x, y);
            SetAlpha(a0);
            SetBlend(BLEND_ALPHA);
        }
        if (cellMarked[c] > 0) {
            if (cellMarked[c] < 5) cellMarked[c]++;
            SetAlpha(a0 * cellMarked[c] * 0.2f);
            imgCellMark.PaintXY(x, y);
            SetAlpha(a0);
        }
    }
    return 0;
}
