// The shuffle wave: a ring 50 pixels wide leaves the screen centre at 15 pixels
// per frame and re-rolls every colour piece it passes over.
#include "app/globals.h"
#include "app/sound.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "platform/platform.h"

#include <cmath>

int shuffleRadius = 0;

int shuffleWave() {
    if (shuffleRadius <= 0) return 0;
    if (shuffleRadius < 30) playSfx(8, 512);
    const int last = itemScanBound < kItems ? itemScanBound : kItems;
    for (int i = 1; i <= last; i++) {
        const int k = itemKind[i];
        if (!isBoardPiece(k) || k == KIND_BEETLE || k == KIND_STONE || k == KIND_BOMB || k == KIND_JOKER ||
            k == KIND_DOOR)
            continue;
        const double dx = itemX[i] - 512.0, dy = itemY[i] - 384.0;
        const int d = static_cast<int>(std::sqrt(dx * dx + dy * dy));
        if (!(d - 50 < shuffleRadius && shuffleRadius < d)) continue;
        itemKind[i] = randomItemKind();
        const float x = static_cast<float>(itemX[i]), y = static_cast<float>(itemY[i]);
        if (gFPS > 30)
            spawnParticle(x, y, 100 + RandomInt(1, 9), static_cast<float>(RandomInt(-10, 10)),
                          static_cast<float>(RandomInt(-10, 10)));
        spawnParticle(x, y, 1300 + RandomInt(1, 9), 0, 0);
    }
    shuffleRadius += 15;
    if (shuffleRadius > 600) shuffleRadius = 0;
    return 0;
}
