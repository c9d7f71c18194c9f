// The power-up bar: slot placement, the charge gauge, and the part every slot
// routine shares (ready state, activation, hover highlight, in-action pulse).
#include "game/powerups.h"

#include "app/focus.h"
#include "app/globals.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups_slot.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <algorithm>

TBild imgPuAnim[5][8];
TBild imgPuEyes[5][3];
TBild imgPuItem[5];
TBild imgPuDisabled[5];
TBild imgPuShell[5];
TBild imgPuHolderGlow[5];

namespace {

constexpr float kSlotX[5] = {0, 106, 268, 756, 918};
constexpr float kBarY = 701;

void wholeScreen() { SetViewport(0, 0, 1024, 768); }

void setAlphaClamped(float a) { SetAlpha(std::clamp(a, 0.0f, 1.0f)); }

// Starts slot k's power-up on a click; slot 3 refuses while no moss is left.
void activate(int k, const PuSlotView& v) {
    if (k == 1) {
        idleFrames = 0;
        puState[1] = 1;
        playSfx(5, gMouseX);
        gMouseHit = 0;
        return;
    }
    if (puState[1] == 1) puState[1] = 0; // another power-up ends the aim
    spawnParticle(v.x, v.y, 22000 + k, 0, 0);
    if (k == 3 && mossLeft <= 0) {
        playSfx(45, static_cast<int>(v.x));
        spawnFloatText(static_cast<int>(v.x), static_cast<int>(v.y - 20), gLang.getValue(""));
        return;
    }
    idleFrames = 0;
    puState[k] = 1;
    gMouseHit = 0;
    if (k != 4) playSfx(5, static_cast<int>(v.x));
    if (k == 3) puShotAnim = 1;
}

bool slotAnswers(int k) {
    return winCounter == 0 && gRunPopup == 0 && puState[k] == 0 && shuffleRadius == 0;
}

bool activationAllowed(int k, const PuSlotView& v) {
    if (!slotAnswers(k)) return false;
    return v.x - 50 < gMouseX && gMouseX < v.x + 50 && v.y - 60 < gMouseY && gMouseY < v.y + 50;
}

} // namespace

PuSlotView puSlotView(int k) {
    return {puX[k], puY[k], ReadAlpha(), 3.0f * SinDeg(gFrameCount * 3.0f + 45.0f * k)};
}

void paintPuAnim(int k, int f, const PuSlotView& v) {
    if (f >= 1 && f <= 7) paintIfLoaded(imgPuAnim[k][f], v.x - 5, v.y + v.bob - 5);
}

int puGauge(int k) {
    const PuSlotView v = puSlotView(k);
    const float hy = v.y + v.bob;
    TSpieler& pl = curPlayer();
    int& pu = pl.pu[k];
    SetDrawScale(1, 1);
    if (pu < kPuReady) {
        if (pu < pl.pusoll[k]) pu++;
        else if (pu > pl.pusoll[k]) pu--;
        if (pu < 20) {
            setAlphaClamped(v.a0 * (1 - 0.05f * pu));
            paintIfLoaded(imgPuDisabled[k], v.x, hy + 20);
        }
        if (pu > 0) {
            setAlphaClamped(v.a0 * 0.05f * pu);
            if (puState[k] < 2) paintIfLoaded(imgPuHolderOff[k], v.x, hy);
            // The holder shows from the fill line downwards, with a bright edge.
            const float t = v.y + 50 - pu + v.bob;
            if (pu > 1000) wholeScreen();
            else SetViewport(static_cast<int>(v.x - 100), static_cast<int>(t), 200, 400);
            paintIfLoaded(imgPuHolder[k], v.x, hy);
            SetBlend(BLEND_LIGHT);
            static constexpr float kEdge[5] = {1.0f, 0.7f, 0.5f, 0.3f, 0.1f};
            for (int j = 0; j < 5; j++) {
                SetViewport(static_cast<int>(v.x - 100), static_cast<int>(t + j), 200, 1);
                setAlphaClamped(v.a0 * kEdge[j]);
                paintIfLoaded(imgPuHolder[k], v.x, hy);
            }
        }
        SetAlpha(v.a0);
    }
    if (pu >= kPuReady && puState[k] < 2) {
        paintIfLoaded(imgPuHolder[k], v.x, hy);
        if (pu == kPuReady && RandomInt(1, 200) == 3) pu = kPuReady + 1;
        if (pu > kPuReady) {
            pu++;
            if (pu >= kPuReady + 50) pu = kPuReady;
        }
        const int e = pu - kPuReady;
        if ((e >= 1 && e <= 4) || (e >= 9 && e <= 12)) paintIfLoaded(imgPuEyes[k][1], v.x, hy);
        else if (e >= 5 && e <= 8) paintIfLoaded(imgPuEyes[k][2], v.x, hy);
        else paintIfLoaded(imgPuHolder[k], v.x, hy);
        setAlphaClamped(v.a0 * 0.2f * SinDeg(gameFrame * 5.0f));
        wholeScreen();
        paintIfLoaded(imgPuHolder[k], v.x, hy);
    }
    SetBlend(BLEND_ALPHA);
    SetAlpha(v.a0);
    wholeScreen();
    return 0;
}

int puRunSlot(int k, void (*action)(int, const PuSlotView&)) {
    if (puVisible[k] == 0) return 0;
    puGauge(k);
    const PuSlotView v = puSlotView(k);
    int& pu = curPlayer().pu[k];
    if (pu >= kPuCharged) {
        if (pu < kPuReady) {
            pu = kPuReady;
            if (k == 3) puShotAnim = 0;
        }
        // Reachable by the focus, and by its own key: 4, 5, 6, 7 from left to right.
        if (slotAnswers(k)) focusTarget(static_cast<int>(v.x), static_cast<int>(v.y - 5), 100, 110, '3' + k);
        if (activationAllowed(k, v)) {
            SetBlend(BLEND_LIGHT);
            setAlphaClamped(0.7f * v.a0);
            paintIfLoaded(imgPuHolder[k], v.x, v.y + v.bob);
            SetBlend(BLEND_ALPHA);
            SetAlpha(v.a0);
            if (gMouseHit == 1) activate(k, v);
        }
        if (puState[k] > 0) {
            SetBlend(BLEND_LIGHT);
            setAlphaClamped(v.a0 * (0.5f + 0.5f * SinDeg(gameFrame * 10.0f)));
            paintIfLoaded(imgPuHolder[k], v.x, k == 1 ? v.y : v.y + v.bob);
            SetBlend(BLEND_ALPHA);
            SetAlpha(v.a0);
        }
    }
    SetAlpha(v.a0);
    wholeScreen();
    if (puState[k] > 0) {
        powerUpBusy = 1;
        action(k, v);
        SetDrawScale(1, 1);
    }
    return 0;
}

void puEmptySlot(int k) {
    TSpieler& pl = curPlayer();
    pl.pusoll[k] = 0;
    pl.pu[k] = 0;
    puState[k] = 0;
}

int powerUpBar() {
    for (int k = 1; k <= 4; k++) {
        puX[k] = kSlotX[k];
        puY[k] -= (puY[k] - kBarY) * 0.1f;
        puVisible[k] = 1;
    }
    if (gDebugMode == 1 && gKeyF2 == 1)
        for (int k = 1; k <= 4; k++) curPlayer().pu[k] = kPuReady;
    powerUpBusy = 0;
    puDynamite();
    puMossShots();
    puTargetShot();
    puShuffleBeam();
    return 0;
}
