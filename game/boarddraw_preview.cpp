// The half-size preview of a level's board in the level-information popup.
#include "app/globals.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/pieceimage.h"
#include "game/powerups.h"
#include "match3/board.h"
#include "platform/platform.h"

namespace {

constexpr int kOriginX = 250, kOriginY = 150;

float half(int v, int origin) { return static_cast<float>(v / 2 + origin); }

bool previewCell(const PreviewBoard& b, int c) { return b.cellValue[c] > 0 && b.cellValue[c] < 99; }

} // namespace

int drawLevelPreview(int level, int pictureLevel) {
    if (level < 1 || level > kPreviewLevels) return 0;
    const PreviewBoard& b = gPreview[level];

    SetDrawScale(0.5f, 0.5f);
    SetBlend(BLEND_ALPHA);
    for (int c = 1; c <= kCells; c++) {
        const int code = b.cellBorder[c];
        if (!previewCell(b, c) || code < 1 || code > 24) continue;
        int dx = -18, dy = -18;
        borderOffset(code, dx, dy); // the live codes keep (-18, -18)
        imgBorder[code].PaintXY(half(b.cellX[c], kOriginX) + dx / 2 - 12, half(b.cellY[c], kOriginY) + dy / 2 - 12);
    }

    SetBlend(BLEND_SOLID);
    for (int k = 1; k <= kColumns; k++) {
        const int n = b.columnCount[k];
        if (n < 1 || n > 11) continue;
        imgStrip[n].PaintXY(half(b.columnX[k], kOriginX) - 12, half(b.columnTop[k], kOriginY) - 12);
    }
    for (int c = 1; c <= kCells; c++) {
        if (previewCell(b, c) && b.cellMoss[c] == 1)
            imgMoss.PaintXY(half(b.cellX[c], kOriginX), half(b.cellY[c], kOriginY));
    }

    SetBlend(BLEND_ALPHA);
    for (int i = 1; i <= kItems; i++) {
        if (b.itemKind[i] != KIND_BEETLE) continue;
        SetDrawScale(0.125f, 0.125f);
        SetDrawRotation(gFrameCount * 2.0f);
        paintIfLoaded(gPicLogoGlow, half(b.itemX[i], kOriginX), half(b.itemY[i], kOriginY));
        SetDrawRotation(0);
        SetDrawScale(1, 1);
    }
    for (int i = 1; i <= kItems; i++) {
        const float x = half(b.itemX[i], kOriginX), y = half(b.itemY[i], kOriginY);
        SetDrawScale(0.5f, 0.5f);
        if (b.itemKind[i] > 0 && b.itemKaefCol[i] == -1) {
            const int n = pieceImageIndex(pictureLevel, b.itemKind[i]);
            if (n >= 1 && n <= 15) paintIfLoaded(imgPiece[n], x, y);
        }
        if (b.itemKaefCol[i] >= 1 && b.itemKaefCol[i] <= 4) {
            SetDrawScale(0.4f, 0.4f);
            paintIfLoaded(imgPuItem[b.itemKaefCol[i]], x, y);
            SetDrawRotation(0);
            SetBlend(BLEND_ALPHA);
            SetDrawScale(1, 1);
        }
    }
    SetBlend(BLEND_ALPHA);
    SetDrawScale(1, 1);
    return 0;
}
