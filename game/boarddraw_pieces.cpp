// The pieces of the board with their small animations (shake, landing bounce,
// glow and pulse, hint wobble, fade-in), the beetles, and the chain arrows.
#include "app/globals.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/pieceimage.h"
#include "game/powerups.h"
#include "match3/rules.h"
#include "platform/platform.h"

namespace {

bool beingSwapped(int i) { return (swapFirst > 0 && i == swapFirst) || (swapSecond > 0 && i == swapSecond); }

// Steps the shake counter and returns the jitter of one axis.
int shakeJitter(int s) {
    const int lo = static_cast<int>(-0.2f * s), hi = static_cast<int>(0.2f * s);
    return RandomInt(lo, hi);
}

void drawOnePiece(int i) {
    int sx = 0, sy = 0;
    if (itemShake[i] > 0) {
        itemShake[i]--;
        sx = shakeJitter(itemShake[i]);
        sy = shakeJitter(itemShake[i]);
    }
    if (itemBounce[i] > 0) itemBounce[i]--;
    const float px = static_cast<float>(itemX[i] + sx);
    const float py = static_cast<float>(itemY[i] + itemBounce[i] + sy);

    const int kind = itemKind[i];
    if (kind == KIND_BEETLE || kind == KIND_BOMB) {
        SetDrawScale(0.25f, 0.25f);
        SetDrawRotation(gameFrame * 2.0f);
        SetAlpha(boardAlpha);
        paintIfLoaded(gPicLogoGlow, px, py);
        SetDrawRotation(0);
        if (kind == KIND_BEETLE) {
            SetDrawScale(1, 1);
        } else {
            const float theta = gFrameCount * 10.0f + i * 80.0f;
            SetDrawScale(1 + 0.02f * SinDeg(theta), 1 + 0.02f * CosDeg(theta));
        }
    }

    if (itemHint[i] > 0) {
        itemHint[i]++;
        if (itemHint[i] >= 72) itemHint[i] = 0;
    }
    SetDrawRotation(itemHint[i] > 0 ? 10.0f * SinDeg(itemHint[i] * 10.0f) : 0.0f);

    if (itemFadeIn[i] < 20) itemFadeIn[i]++;
    SetAlpha(itemFadeIn[i] * 0.05f * boardAlpha);

    const int colour = itemKaefCol[i];
    if (colour == -1 || colour == 0) {
        drawPiecePicture(kind, px, py);
    } else if (colour >= 1 && colour <= 4) {
        SetDrawScale(0.8f, 0.8f);
        paintIfLoaded(imgPuItem[colour], px, py + 1);
    }
    SetAlpha(boardAlpha);
    SetDrawRotation(0);
    SetDrawScale(1, 1);
}

} // namespace

int drawPieces() {
    for (int i = 1; i <= kItems; i++) {
        if (!isBoardPiece(itemKind[i]) || beingSwapped(i)) continue;
        drawOnePiece(i);
    }

    SetAlpha(0.75f * boardAlpha);
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0) continue;
        const float x = static_cast<float>(cellX[c]), y = static_cast<float>(cellY[c]);
        switch (cellArrow[c]) {
        case 1: imgArrow[1].PaintXY(x + 24, y); break;
        case 2: imgArrow[2].PaintXY(x - 24, y); break;
        case 3: imgArrow[3].PaintXY(x, y + 24); break;
        case 4: imgArrow[4].PaintXY(x, y - 24); break;
        default: break;
        }
    }
    SetAlpha(boardAlpha);
    return 0;
}
