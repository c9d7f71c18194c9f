// The four power-ups in action: the targeted shot, the shuffle beam, the moss
// shots and the dynamite.
#include "app/focus.h"
#include "app/globals.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups.h"
#include "game/powerups_slot.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <algorithm>

namespace {

bool isBeetleKind(int kind) { return kind == 6 || (kind >= 13 && kind <= 16); }

// The cell under a piece. While slot 1 aims, the falling pass stands still and
// leaves the pieces unlinked from their cells, so the cell is found by position.
int cellUnder(int i) {
    if (itemCell[i] > 0 && itemCell[i] <= kCells) return itemCell[i];
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] > 0 && cellX[c] == itemX[i] && cellY[c] == itemY[i]) return c;
    return 0;
}

float randomScale(float factor) { return factor * static_cast<float>(RandomInt(-10, 10)); }

// Slot 1 in action: the holder clicked again cancels, state 1 aims, from state 2
// the creature shoots.
void targetShot(int, const PuSlotView& v) {
    // While aiming, the holder (or its key) cancels.
    if (winCounter == 0 && gRunPopup == 0 && puState[1] == 1) focusTarget(static_cast<int>(v.x), static_cast<int>(v.y - 5), 100, 110, '4');
    if (winCounter == 0 && gRunPopup == 0 && gMouseHit == 1) {
        Picture* holder = pictureOf(imgPuHolder[1]);
        Picture* probe = pictureOf(imgPointerProbe);
        if (holder && probe &&
            PicturesOverlap(holder, static_cast<float>(static_cast<int>(v.x)), static_cast<float>(static_cast<int>(v.y)),
                            0, probe, static_cast<float>(gMouseX), static_cast<float>(gMouseY), 0)) {
            puState[1] = 0; // the charge stays: pu remains ready
            gMouseHit = 0;
            return;
        }
    }
    if (puState[1] == 1) {
        SetDrawScale(0.8f + 0.04f * RandomInt(-10, 10), 0.8f + 0.04f * RandomInt(-10, 10));
        paintIfLoaded(imgSpark[4], v.x - 18, v.y + v.bob - 39);
        paintIfLoaded(imgSpark[4], v.x - 6, v.y + v.bob - 41);
        SetDrawScale(1, 1);
        for (int i = 1; i <= kItems; i++) {
            const int kind = itemKind[i];
            if (kind <= 0 || kind >= 999 || isBeetleKind(kind)) continue;
            if (!pointerOverPoint(static_cast<float>(itemX[i]), static_cast<float>(itemY[i]))) continue;
            const int cell = cellUnder(i);
            if (cell > 0) cellHover[cell] = 9;
            SetDrawScale(randomScale(0.35f), randomScale(0.35f));
            paintIfLoaded(imgSpark[4], static_cast<float>(itemX[i]), static_cast<float>(itemY[i]));
            SetDrawScale(1, 1);
            if (gMouseHit == 1) {
                spawnParticle(v.x, v.y, 22001, 0, 0);
                const int p = spawnParticle(v.x, v.y, 13004, (itemX[i] - v.x) * 0.02f, (itemY[i] - v.y) * 0.02f);
                if (p > 0) pTarget[p] = i;
                puState[1] = 2;
                gMouseHit = 0;
            }
        }
    }
    if (puState[1] > 1) {
        if (puState[1] == 2) playSfx(34, static_cast<int>(v.x));
        const int s = ++puState[1];
        paintPuAnim(1, s >= 4 && s <= 25 ? std::min(7, (s - 1) / 3) : 0, v);
        if (s >= 25) puEmptySlot(1);
    }
}

// Slot 2 in action: the creature rears up, then a comet of sparks climbs to the
// board centre and starts the shuffle wave.
void shuffleBeam(int, const PuSlotView& v) {
    int s = puState[2];
    if (s > 200 && s < 210) playSfx(34, static_cast<int>(v.x));
    const int d = s / 10;
    paintPuAnim(2, d >= 4 && d <= 21 ? (d - 1) / 3 : 7, v);
    s += 10;
    puState[2] = s;
    if (s > 200) {
        const int n = s - 200;
        const int y0 = static_cast<int>(v.y + 20);
        const float rows = static_cast<float>(y0 + 20 - 384);
        const float dx = rows != 0 ? (v.x + 20 - 512) / rows : 0;
        float bx = v.x + 20, by = static_cast<float>(y0);
        for (int i = 1;; i++) {
            by -= 1;
            bx -= dx;
            float scale = 0;
            if (i == n) {
                scale = 2;
                spawnParticle(bx - 5, by, 2, 0.02f * RandomInt(-100, 100), 0.02f * RandomInt(-100, 100));
            } else if (i == n - 8) scale = 1.2f;
            else if (i == n - 16) scale = 0.8f;
            else if (i == n - 24) scale = 0.6f;
            else if (i == n - 32) scale = 0.5f;
            else if (i == n - 42) scale = 0.4f;
            else if (i == n - 52) scale = 0.3f;
            else if (i == n - 66) scale = 0.2f;
            if (scale > 0) {
                SetDrawScale(scale, scale);
                paintIfLoaded(imgSpark[2], bx - 5, by);
                paintIfLoaded(imgSpark[2], bx + 5, by);
            }
            if (by < 379) break;
        }
        SetDrawScale(1, 1);
    }
    if (s - 200 >= v.y - 384) {
        shuffleRadius = 1;
        puEmptySlot(2);
        spawnParticle(512, 384, 302, 0, 0);
        for (int b = 1; b <= 60; b++)
            spawnParticle(512, 384, 152, RandomInt(4, 8) * CosDeg(6.0f * b), RandomInt(4, 8) * SinDeg(6.0f * b));
    }
}

// Slot 3 in action: a sweep from left to right shoots at the moss cells of each
// column it passes.
void mossShots(int, const PuSlotView& v) {
    const int state = ++puState[3];
    if (puShotAnim > 0 && ++puShotAnim >= 24) puShotAnim = 0;
    const int f = puShotAnim / 3;
    paintPuAnim(3, f >= 1 && f <= 7 ? f : 7, v);
    const int sx = state * 12 + 44;
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0 || cellMoss[c] != 1 || cellX[c] != sx) continue;
        const bool coin = RandomInt(1, 2) == 1;
        if (!coin && mossLeft >= 8) continue;
        if (puShotAnim == 0) puShotAnim = 1;
        const float y0 = v.y - 20;
        const int p = spawnParticle(v.x, y0, 13003, (cellX[c] - v.x) * 0.02f, (cellY[c] - y0) * 0.02f);
        if (p > 0) pTarget[p] = c;
        playSfx(34, static_cast<int>(v.x));
    }
    if (state >= 120) puEmptySlot(3);
}

// Slot 4 in action: the creature lights a stick of dynamite and throws it at a
// random piece.
void dynamite(int, const PuSlotView& v) {
    const int state = ++puState[4];
    const int f = state / 2;
    paintPuAnim(4, f >= 1 && f <= 6 ? f : 6, v);
    if (state == 15) {
        const int target = puPickDynamiteTarget();
        if (target > 0) {
            const float x0 = v.x + 20, y0 = v.y - 15;
            const int p = spawnParticle(x0, y0, 13205, (itemX[target] - x0) * 0.03f, (itemY[target] - y0) * 0.03f);
            if (p > 0) pTarget[p] = target;
            playSfx(5, static_cast<int>(v.x));
        }
    }
    if (state >= 50) puEmptySlot(4);
}

bool dynamiteCandidate(int i) {
    const int kind = itemKind[i];
    return kind > 0 && kind < 999 && kind != KIND_STONE && itemX[i] > 30 && itemY[i] > 50 && itemCell[i] > 0;
}

} // namespace

int puPickDynamiteTarget() {
    int candidates = 0;
    for (int i = 1; i <= kItems; i++) candidates += dynamiteCandidate(i);
    if (candidates == 0) return 0;
    // Each candidate is taken with chance 1/150 per scan, a later one replacing an
    // earlier one. A long run of empty scans is practically impossible; after
    // 2000 of them a candidate is drawn directly so the choice always ends.
    for (int scan = 0; scan < 2000; scan++) {
        int pick = 0;
        for (int i = 1; i <= kItems; i++)
            if (dynamiteCandidate(i) && RandomInt(1, 150) == 1) pick = i;
        if (pick > 0) return pick;
    }
    int nth = RandomInt(1, candidates);
    for (int i = 1; i <= kItems; i++)
        if (dynamiteCandidate(i) && --nth == 0) return i;
    return 0;
}

int puTargetShot() { return puRunSlot(1, targetShot); }
int puShuffleBeam() { return puRunSlot(2, shuffleBeam); }
int puMossShots() { return puRunSlot(3, mossShots); }
int puDynamite() { return puRunSlot(4, dynamite); }
