// The head-up display of the game screen: the opening timeline and banner, the
// level clock, the three numbers of the top bar, the game-type buttons with the
// wheel and keys, the menu button and the list of items still to destroy.
#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/popup.h"
#include "app/ui.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "game/pieceimage.h"
#include "match3/rules.h"
#include "persist/profile.h"

namespace {

int lastClockTick = 0;

// Game-type button styles and positions, in the order swap, chain, group.
struct TypeButton {
    int style, x, type;
};
constexpr TypeButton kTypeButtons[3] = {{5, 402, 3}, {6, 514, 1}, {7, 626, 2}};

bool typeButtonsEnabled() { return winCounter <= 0 && gameFrame >= 150; }

void wheelAndKeys() {
    if (gScreen != SCREEN_GAME) return;
    const int t = curPlayer().gtGameType;
    if (gMouseZSpeed > 0) setGameType(t + 1 > 3 ? 1 : t + 1);
    if (gMouseZSpeed < 0) setGameType(t - 1 < 1 ? 3 : t - 1);
    if (KeyHits(49)) setGameType(3);
    if (KeyHits(50)) setGameType(1);
    if (KeyHits(51)) setGameType(2);
    // The controller's shoulder buttons step through the types as the wheel does.
    if (KeyHits(PAD_RIGHT_SHOULDER)) setGameType(t + 1 > 3 ? 1 : t + 1);
    if (KeyHits(PAD_LEFT_SHOULDER)) setGameType(t - 1 < 1 ? 3 : t - 1);
}

// The current type's button glows: a pulse while play is open, a steady light
// while the buttons wait.
void highlight(const TypeButton& b) {
    TBild& pic = gButtonPics[b.style];
    if (!pic.data) return;
    const float a = ReadAlpha();
    const bool waiting = !typeButtonsEnabled() || gRunPopup > 0 || gStatePopup > 0;
    SetBlend(BLEND_LIGHT);
    SetAlpha(waiting ? a * 0.3f : a * (0.3f + 0.3f * SinDeg(gFrameCount * 7.0f)));
    DrawPicture(pic.data.get(), b.x, 726, 0);
    SetAlpha(a);
    SetBlend(BLEND_ALPHA);
}

void menuButtonAndEscape() {
    if (gKeyEsc == 1 && winCounter == 0 && gRunPopup == 0 && gameFrame > 140) {
        gKeyEsc = 0;
        openPopup(298);
        return;
    }
    if (gRunPopup != 0 || winCounter != 0 || gPaused == 1 || gameFrame <= 140 || !imgMenuHover.data) return;
    const float w = imgMenuHover.W, h = imgMenuHover.H;
    focusTarget(967, 29, static_cast<int>(w), static_cast<int>(h));
    if (gMouseX > 967 - w / 2 && gMouseX < 967 + w / 2 && gMouseY > 29 - h / 2 && gMouseY < 29 + h / 2) {
        imgMenuHover.PaintXY(967, 29);
        if (gMouseHit == 1) {
            gMouseHit = 0;
            openPopup(298);
        }
    }
}

} // namespace

int setGameType(int type) {
    TSpieler& pl = curPlayer();
    if (type == pl.gtGameType) return 0;
    pl.gtGameType = type;
    if (swapFirst > 0 && swapProgress == 0) {
        itemMarked[swapFirst] = 0;
        if (swapSecond > 0) itemMarked[swapSecond] = 0;
        resetSwap();
    }
    return 0;
}

int openingEvents() {
    TSpieler& pl = curPlayer();
    if (gameFrame == 5 && pl.gtGameType == 3) removeReadyLines();
    if (gameFrame == 35) {
        gameFrame = 36;
        static const int kHelpLevel[4] = {1, 2, 3, 7}, kHelpPage[4] = {1, 3, 4, 5};
        for (int i = 0; i < 4; i++) {
            if (pl.Level != kHelpLevel[i]) continue;
            helpPage = kHelpPage[i];
            openPopup(447);
        }
    }
    return 0;
}

int resetLevelClock() {
    lastClockTick = TickCount(gLevelClock);
    return 0;
}

int tickLevelTime() {
    const int now = TickCount(gLevelClock);
    if (now > lastClockTick) {
        lastClockTick = now;
        if (winCounter == 0) curPlayer().time++;
    }
    return 0;
}

int drawGameOnBanner() {
    if (!imgGameOn.data || gameFrame < 51 || gameFrame > 149) return 0;
    if (gameFrame <= 140) {
        float t = (gameFrame - 50) * 0.025f;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        SetDrawScale(2 - t, 2 - t);
        SetAlpha(t);
    } else {
        SetDrawScale(1, 1);
        SetAlpha((150 - gameFrame) * 0.1f);
    }
    imgGameOn.PaintXY(512, 384);
    SetAlpha(1);
    SetDrawScale(1, 1);
    return 0;
}

int drawHudTop() {
    const TSpieler& pl = curPlayer();
    SetAlpha(1);
    paintIfLoaded(imgMenuButton, 967, 29);
    gFontHeadbar.DrawText(std::to_string(mossLeft), 112, 13, 1, 0);
    const std::string score = std::to_string(pl.StoryPoints + pl.LevelPoints);
    gFontHeadbar.DrawText(score, 840 - gFontHeadbar.GetTxtWidth(score) / 2.0f, 13, 1, 0);
    gFontHeadbar.DrawText(formatClock(pl.time), 238, 13, 1, 0);
    return 0;
}

int gameTypeButtons() {
    wheelAndKeys();
    for (const TypeButton& b : kTypeButtons) {
        const int group = typeButtonsEnabled() ? 1 : 0;
        if (button(b.x, 726, b.style, group, "") == 3) setGameType(b.type);
        if (curPlayer().gtGameType == b.type) highlight(b);
    }
    menuButtonAndEscape();
    return 0;
}

int drawItemsToDestroy() {
    TSpieler& pl = curPlayer();
    for (int i = 1; i <= pl.maxItemsToDestroy && i <= 5; i++) {
        const int n = pl.getItemsLeftToDestroy(pl.Level, i);
        const int x = 50 * i + 362;
        SetDrawScale(0.8f, 0.8f);
        SetAlpha(n > 0 ? 1.0f : 0.4f);
        drawPiecePicture(i, x, 24);
        SetDrawScale(1, 1);
        std::string text = std::to_string(n);
        if (text == "0") text = "--";
        drawCenteredLines(text, gFontHeadbar, x, 39);
    }
    SetAlpha(1);
    return 0;
}
