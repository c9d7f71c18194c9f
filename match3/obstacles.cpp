// Moss, stones, doors, bombs and beetles: what happens when play touches them.
#include "app/globals.h"
#include "app/sound.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <cmath>

namespace {

// n particles of one type in a ring of ten directions with random speeds 1..7.
void ringBurst(float x, float y, int type, int n) {
    for (int k = 1; k <= n; k++) {
        const float speedX = static_cast<float>(RandomInt(1, 7));
        const float speedY = static_cast<float>(RandomInt(1, 7));
        spawnParticle(x, y, type, speedX * CosDeg(36.0f * k), speedY * SinDeg(36.0f * k));
    }
}

void mossCleared(int cell, int x, int y) {
    mossSoundX = x;
    curPlayer().anzMoss += 1;
    spawnParticle(x, y, 302, 0, 0);
    const int n = gFPS >= 35 ? gFPS / 4 : gFPS / 7;
    ringBurst(x, y, 1002, n);
    cellMoss[cell] = 0;
}

} // namespace

int itemDistance(int a, int b) {
    const double dx = static_cast<double>(itemX[a]) - itemX[b];
    const double dy = static_cast<double>(itemY[a]) - itemY[b];
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

void clearMossUnder(int slot) {
    if (slot < 1 || slot > kItems) return;
    const int c = itemCell[slot];
    if (c < 1 || c > kCells || cellMoss[c] != 1) return;
    mossCleared(c, itemX[slot], itemY[slot]);
}

void clearMossAt(int cell) {
    if (cell < 1 || cell > kCells || cellMoss[cell] != 1) return;
    mossCleared(cell, cellX[cell], cellY[cell]);
}

int breakStoneOrDoor(int i) {
    if (i < 1 || i > kItems) return 0;
    const int c = itemCell[i];
    if (c < 1 || c > kCells) return 0;
    const int x = itemX[i], y = itemY[i];
    TSpieler& pl = curPlayer();
    if (cellStone[c] == 1 && itemKind[i] == KIND_STONE) {
        stoneSoundX = x;
        cellStone[c] = 0;
        cellDoor[c] = 0;
        spawnParticle(x, y, 307, 0, 0);
        ringBurst(x, y, 1007, 20);
        const int missing = addRefills(x, y, itemHeight[i]); // one for every cell it covered
        spawnParticle(x, y, 10000 + KIND_STONE, 0, 0);
        addPoints(x - 5, y - 7, 500);
        freeReplacedItem(i, missing);
        pl.anzItems += 1;
        return 0;
    }
    if (cellDoor[c] == 1 && itemKind[i] == KIND_DOOR) {
        cellDoor[c] = 0;
        cellStone[c] = 0;
        spawnParticle(x, y, 306, 0, 0);
        ringBurst(x, y, 1006, 20);
        addRefills(x, y, itemHeight[i] - 1);
        spawnParticle(x, y, 10000 + KIND_DOOR, 0, 0);
        addPoints(x - 5, y - 7, 500);
        const bool bomb = RandomInt(1, 2) == 1 || pl.Level > 81;
        itemKind[i] = bomb ? KIND_BOMB : KIND_JOKER;
        pl.anzItems += 1;
        return 1;
    }
    return 0;
}

void explodeBomb(int s) {
    if (s < 1 || s > kItems || itemKind[s] != KIND_BOMB) return;
    rescueBombMade = 0;
    itemExploded[s] = 1;
    playSfx(14, itemX[s]);
    spawnParticle(itemX[s], itemY[s], 2000, 0, 0);
    const int n = gFPS >= 35 ? 30 : gFPS / 3;
    for (int k = 0; k < n; k++)
        spawnParticle(itemX[s], itemY[s], 109, static_cast<float>(RandomInt(-7, 7)), static_cast<float>(RandomInt(-7, 7)));

    const int last = itemScanBound < kItems ? itemScanBound : kItems;
    for (int k = 1; k <= last && itemKind[s] == KIND_BOMB; k++) {
        if (itemExploded[k] != 0 || !isBoardPiece(itemKind[k]) || itemKind[k] == KIND_BEETLE || k == s) continue;
        if (itemMarked[k] != 0 || itemX[k] <= 30 || itemY[k] <= 60) continue;
        const int d = itemDistance(s, k);
        const bool fixed = itemKind[k] == KIND_STONE || itemKind[k] == KIND_DOOR;
        if (!fixed) {
            const int shake = static_cast<int>(30 - d * 0.05);
            itemShake[k] = shake < 0 ? 0 : (shake > 30 ? 30 : shake);
        }
        if (d >= 110) continue;
        clearMossUnder(k);
        explodeBomb(k);
        if (itemKind[k] == KIND_STONE || itemKind[k] == KIND_DOOR) {
            breakStoneOrDoor(k);
            continue;
        }
        if (itemKind[k] > 0) removePiece(k, 30, true);
    }
}

void beetleLeaves(int i) {
    if (i < 1 || i > kItems) return;
    const int c = itemKaefCol[i];
    const int x = itemX[i], y = itemY[i];
    TSpieler& pl = curPlayer();
    const int missing = addRefills(x, y, 1);
    playSfx(36, x);
    static const int kChargeFlash[5] = {0, 204, 202, 206, 205};
    static const int kColourPicture[5] = {1, 4, 2, 6, 5};
    if (c >= 1 && c <= 4 && puVisible[c] == 1) {
        spawnParticle(x, y, kChargeFlash[c], 0, 0);
        if (pl.pu[c] < 10000) pl.pusoll[c] = 120;
    }
    const int b = (c >= 1 && c <= 4) ? kColourPicture[c] : 1;
    spawnParticle(x, y, 300 + b, 0, 0);
    for (int k = 0; k < 20; k++)
        spawnParticle(x, y, 100 + b, RandomInt(-100, 100) * 0.04f, RandomInt(-100, 100) * 0.04f);
    addPoints(x - 5, y - 7, 500);
    freeReplacedItem(i, missing);
    pl.anzKaefer += 1;
}
