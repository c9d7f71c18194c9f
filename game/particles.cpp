// The particle table: creation, and once per frame the motion, drawing, ageing
// and end of every particle, including the flying items that count destroyed
// pieces and the power-up projectiles that act on the board.
#include "game/particles.h"

#include "app/globals.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/pieceimage.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <cmath>
#include <string>

float pX[kParticles + 1], pY[kParticles + 1];
int pType[kParticles + 1];
int pAge[kParticles + 1];
float pVX[kParticles + 1], pVY[kParticles + 1];
int pTarget[kParticles + 1];

TBild imgBombFlare, imgGlowStar, imgDynamite;
TBild imgSpark[10];
TBild imgFlash[10];
TBild imgDirt[10];

namespace {

// How one particle is drawn; anything not set is drawn plainly.
struct Look {
    float sx = 1, sy = 1;
    float alpha = -1; // -1 = boardAlpha
    int blend = BLEND_ALPHA;
    float rotation = 0;
};

void restoreDrawState() {
    SetDrawScale(1, 1);
    SetAlpha(boardAlpha);
    SetBlend(BLEND_ALPHA);
    SetDrawRotation(0);
}

void applyLook(const Look& look) {
    SetDrawScale(look.sx, look.sy);
    SetAlpha(look.alpha < 0 ? boardAlpha : look.alpha);
    SetBlend(look.blend);
    SetDrawRotation(look.rotation);
}

void drawPicture(TBild& img, float x, float y, const Look& look) {
    applyLook(look);
    paintIfLoaded(img, x, y);
    restoreDrawState();
}

void drawPiece(int kind, float x, float y, const Look& look) {
    applyLook(look);
    drawPiecePicture(kind, x, y);
    restoreDrawState();
}

// Picture n of a numbered effect set; numbers outside 1..9 use picture 1.
TBild& effect(TBild* set, int n) { return set[(n >= 1 && n <= 9) ? n : 1]; }

Look scaled(float s) {
    Look l;
    l.sx = l.sy = s;
    return l;
}

void retire(int s) { pType[s] = 0; }

void ageStep(int s, int n) {
    pAge[s] += n;
    if (RandomInt(1, 10) < 4) pAge[s] += n;
}

void jitterStep(int s) {
    pVX[s] += RandomInt(-10, 10) * 0.05f;
    pX[s] += pVX[s];
    pVY[s] += RandomInt(-10, 10) * 0.05f;
    pY[s] += pVY[s];
}

bool trailAllowed() {
    if (gFPS > 30) return true;
    if (gFPS >= 26) return gFrameCount % 2 != 0;
    if (gFPS >= 21) return gFrameCount % 4 == 1;
    return false;
}

bool outOfScreen(int s) { return pY[s] > 868 || pY[s] < -100 || pX[s] > 1124 || pX[s] < -100; }

void endDebris(int s) {
    if (pAge[s] >= 100 || gFPS < 10) retire(s);
}

void sparkDebris(int s) {
    ageStep(s, 1);
    jitterStep(s);
    const float base = (1 - pAge[s] * 0.01f) * 0.7f;
    Look l;
    l.sx = base * (0.5f + RandomInt(-10, 10) * 0.05f);
    l.sy = base * (0.5f + RandomInt(-10, 10) * 0.05f);
    l.alpha = pAge[s] < 10 ? pAge[s] * 0.1f * boardAlpha : boardAlpha * (100 - pAge[s]) * 0.01f;
    drawPicture(effect(imgSpark, pType[s]), pX[s], pY[s], l);
    endDebris(s);
}

void fallingSparks(int s, int first, float size, bool fadeIn) {
    ageStep(s, 2);
    pVY[s] += 0.3f;
    jitterStep(s);
    Look l = scaled((1 - pAge[s] * 0.01f) * size);
    if (fadeIn && pAge[s] < 5) l.alpha = pAge[s] * 0.2f * boardAlpha;
    drawPicture(effect(imgSpark, pType[s] - first), pX[s], pY[s], l);
    endDebris(s);
}

void flash(int s, int first, float size) {
    pAge[s] += 4;
    drawPicture(effect(imgFlash, pType[s] - first), pX[s], pY[s], scaled((1 - pAge[s] * 0.01f) * size));
    if (pAge[s] >= 100) retire(s);
}

void dirt(int s) {
    ageStep(s, 1);
    pVX[s] *= 0.95f;
    pVY[s] += 0.23f;
    jitterStep(s);
    Look l = scaled(1 - pAge[s] * 0.01f);
    l.alpha = 0.7f * boardAlpha;
    l.rotation = static_cast<float>((pAge[s] + s) * (s % 4 + 4));
    drawPicture(effect(imgDirt, pType[s] - 1000), pX[s], pY[s], l);
    if (pAge[s] >= 100) retire(s);
}

void pulseFlash(int s) {
    pAge[s] += 1;
    Look l = scaled(SinDeg(pAge[s] * 9.0f) * 1.2f);
    l.alpha = 0.7f * boardAlpha;
    drawPicture(effect(imgFlash, pType[s] - 1300), pX[s], pY[s], l);
    if (pAge[s] >= 20) retire(s);
}

void bombFlare(int s) {
    pAge[s] += 5;
    Look l = scaled(0.4f + pAge[s] * 0.01f);
    l.alpha = (100 - pAge[s]) * 0.02f * boardAlpha;
    l.blend = BLEND_LIGHT;
    l.rotation = gFrameCount * 10.0f;
    drawPicture(imgBombFlare, pX[s], pY[s], l);
    if (pAge[s] >= 100) retire(s);
}

void vanishingPiece(int s) {
    pAge[s] += 1;
    drawPiece(pType[s] - 10000, pX[s], pY[s], scaled(1 - pAge[s] * 0.1f));
    if (pAge[s] >= 10) retire(s);
}

void risingPiece(int s) {
    pAge[s] += 1;
    pY[s] += pVY[s];
    Look l;
    l.alpha = 1 - pAge[s] * 0.1f;
    if (l.alpha < 0) l.alpha = 0;
    drawPiece(pType[s] - 95800, pX[s], pY[s], l);
    if (pAge[s] >= 60) retire(s);
}

// A removed piece flies to its icon in the list of items to destroy and counts
// there when it arrives, 40 frames later.
void flyingItem(int s) {
    pAge[s] += 1;
    const int k = pType[s] - 95700;
    const float age = static_cast<float>(pAge[s]);
    const float tx = 50.0f * k + 362, ty = 24;
    const float x0 = pX[s], y0 = pY[s];
    const float dx = std::fabs(tx - x0), dy = std::fabs(ty - y0);
    float x;
    if (x0 < tx) {
        x = x0 + dx / 40 * age;
    } else {
        x = x0 - dx / 40 * age;
        if (x < tx) x = tx;
    }
    const float y = y0 - dy / 40 * age;
    Look glow = scaled(SinDeg(age * 9) * 1.2f);
    glow.alpha = 0.7f * boardAlpha;
    glow.rotation = 360 - 6 * age;
    drawPicture(effect(imgFlash, 4), x, y, glow);
    Look piece;
    piece.rotation = 360 - 6 * age;
    drawPiece(k, x, y, piece);
    if (pAge[s] >= 40) {
        TSpieler& pl = curPlayer();
        if (k >= 1 && k <= pl.maxItemsToDestroy && k <= 5) pl.itemsDestroyed[k] += 1;
        retire(s);
    }
}

bool near(float px, float py, int x, int y, float r) {
    return px > x - r && px < x + r && py > y - r && py < y + r;
}

// Power-up 1's shot reaching its piece: the piece is destroyed as a blast would.
void shotHitsPiece(int p) {
    const int x = itemX[p], y = itemY[p];
    playSfx(5, x);
    playSfx(20, x);
    clearMossUnder(p);
    explodeBomb(p);
    const int opened = breakStoneOrDoor(p);
    const int kind = itemKind[p];
    if (kind <= 0 || opened) return;
    TSpieler& pl = curPlayer();
    if (kind >= 1 && kind <= pl.maxItemsToDestroy && kind <= 5) pl.itemsDestroyed[kind] += 1;
    addPoints(x - 5, y - 7, 30);
    const int missing = addRefills(x, y, 1);
    spawnParticle(static_cast<float>(x), static_cast<float>(y), 10000 + kind, 0, 0);
    pl.anzItems += 1;
    freeReplacedItem(p, missing);
}

void projectile(int s) {
    pX[s] += pVX[s];
    pY[s] += pVY[s];
    const int spark = pType[s] - 13000;
    if (trailAllowed()) spawnParticle(pX[s], pY[s], spark, 0, 0);
    Look l;
    l.sx = 0.9f + RandomInt(0, 5) * 0.3f;
    l.sy = 0.9f + RandomInt(0, 5) * 0.3f;
    drawPicture(effect(imgSpark, spark), pX[s], pY[s], l);
    const int t = pTarget[s];
    if (pType[s] == 13003 && t >= 1 && t <= kCells && near(pX[s], pY[s], cellX[t], cellY[t], 18)) {
        clearMossAt(t);
        retire(s);
        return;
    }
    if (pType[s] == 13004 && t >= 1 && t <= kItems && near(pX[s], pY[s], itemX[t], itemY[t], 18)) {
        shotHitsPiece(t);
        retire(s);
        return;
    }
    if (outOfScreen(s)) retire(s);
}

// Power-up 4's dynamite: turns its piece into a bomb that goes off at once.
void dynamite(int s) {
    pX[s] += pVX[s];
    pY[s] += pVY[s];
    Look l = scaled(0.5f + 0.5f * SinDeg(pAge[s] * 3.0f));
    l.rotation = static_cast<float>((pAge[s] + 2 * s) * 10);
    drawPicture(imgDynamite, pX[s], pY[s], l);
    const int p = pTarget[s];
    if (p < 1 || p > kItems || itemKind[p] <= 0) {
        retire(s);
        return;
    }
    if (near(pX[s], pY[s], itemX[p], itemY[p], 28)) {
        // A door hit by the dynamite opens first, as a hit next to it would, so
        // the cells it covered are refilled and no longer count as a door.
        if (itemKind[p] == KIND_DOOR) breakStoneOrDoor(p);
        itemKind[p] = KIND_BOMB;
        explodeBomb(p);
        freeReplacedItem(p, addRefills(itemX[p], itemY[p], 1));
        for (int i = 1; i <= 20; i++) {
            const float vx = RandomInt(1, 7) * CosDeg(36.0f * i);
            const float vy = RandomInt(1, 7) * SinDeg(36.0f * i);
            spawnParticle(pX[s], pY[s], 101, vx, vy);
        }
        retire(s);
        return;
    }
    pAge[s] += 1;
    if (outOfScreen(s)) retire(s);
}

void holderFlash(int s) {
    pAge[s] += 1;
    const int slot = pType[s] - 22000;
    Look l = scaled(1 + pAge[s] * 0.05f);
    l.alpha = boardAlpha * (1 - pAge[s] * 0.04f);
    l.blend = BLEND_LIGHT;
    if (slot >= 1 && slot <= 4) {
        drawPicture(imgPuHolderOff[slot], pX[s], pY[s], l);
        drawPicture(imgPuHolder[slot], pX[s], pY[s], l);
    }
    if (pAge[s] > 25) retire(s);
}

void runParticle(int s) {
    const int t = pType[s];
    if (t < 100) sparkDebris(s);
    else if (t < 150) fallingSparks(s, 100, 0.7f, true);
    else if (t < 200) fallingSparks(s, 150, 1.3f, false);
    else if (t < 300) flash(s, 200, 0.9f);
    else if (t < 400) flash(s, 300, 1.6f);
    else if (t >= 1000 && t < 1100) dirt(s);
    else if (t >= 1300 && t < 1400) pulseFlash(s);
    else if (t == 2000) bombFlare(s);
    else if (t >= 10000 && t < 10100) vanishingPiece(s);
    else if (t == 13003 || t == 13004) projectile(s);
    else if (t == 13205) dynamite(s);
    else if (t >= 22000 && t < 23000) holderFlash(s);
    else if (t >= 95700 && t < 95799) flyingItem(s);
    else if (t >= 95800 && t < 95899) risingPiece(s);
    else retire(s); // no behaviour: never left to linger
}

} // namespace

int spawnParticle(float x, float y, int type, float vx, float vy) {
    for (int s = 1; s < kParticles; s++) {
        if (pType[s] != 0) continue;
        pType[s] = type;
        pX[s] = x;
        pY[s] = y;
        pVX[s] = vx;
        pVY[s] = vy;
        pAge[s] = type < 200 ? RandomInt(0, 50) : 0;
        pTarget[s] = 0;
        return s;
    }
    return 0;
}

void clearParticles() {
    for (int s = 1; s <= kParticles; s++) pType[s] = 0;
}

void updateDrawParticles() {
    for (int s = 1; s <= kParticles; s++)
        if (pType[s] > 0) runParticle(s);
    restoreDrawState();
    SetViewport(0, 0, 1024, 768);
}

int countParticles() {
    int n = 0;
    for (int s = 1; s <= kParticles; s++)
        if (pType[s] > 0) n++;
    return n;
}

void loadEffectPictures() {
    auto load = [](TBild& img, const std::string& path) {
        img.LoadFromDisk(path, -1);
        img.Center();
    };
    load(imgBombFlare, "data/effects/bombflare.png");
    load(imgGlowStar, "data/effects/glowstar.png");
    load(imgDynamite, "data/effects/dynamite.png");
    for (int n = 1; n <= 9; n++) {
        load(imgSpark[n], "data/effects/glb" + std::to_string(n) + ".png");
        load(imgFlash[n], "data/effects/glo" + std::to_string(n) + ".png");
        load(imgDirt[n], "data/effects/dirt" + std::to_string(n) + ".png");
    }
}
