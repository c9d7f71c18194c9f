// Points of a level, the floating numbers that show them, and the win check.
#include "game/score.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "game/gamestate.h"
#include "persist/profile.h"
#include "platform/platform.h"

int floatTextX[kFloatTexts + 1], floatTextY[kFloatTexts + 1];
std::string floatTextText[kFloatTexts + 1];
int floatTextAge[kFloatTexts + 1];

int addPoints(int x, int y, int points) {
    TSpieler& pl = curPlayer();
    pl.LevelPoints += points;
    if (pl.LevelPoints < 0) pl.LevelPoints = 0;
    if (x >= 0) spawnFloatText(x, y, std::to_string(points));
    return 0;
}

int spawnFloatText(int x, int y, const std::string& text) {
    int slot = kFloatTexts; // all taken: the last slot is reused
    for (int s = 1; s <= kFloatTexts; s++)
        if (floatTextAge[s] == 0) {
            slot = s;
            break;
        }
    floatTextAge[slot] = 1;
    floatTextText[slot] = text;
    floatTextX[slot] = x;
    floatTextY[slot] = y;
    return 0;
}

int drawFloatTexts() {
    const float a0 = ReadAlpha();
    for (int s = 1; s <= kFloatTexts; s++) {
        if (floatTextAge[s] <= 0) continue;
        floatTextAge[s] += 1;
        floatTextY[s] -= 1;
        SetAlpha(a0 * CosDeg(4.0f * floatTextAge[s]));
        gFontText.DrawText(floatTextText[s], static_cast<float>(floatTextX[s]), static_cast<float>(floatTextY[s]), 1, 0);
        if (floatTextAge[s] >= 45) floatTextAge[s] = 0;
    }
    SetAlpha(a0);
    return 0;
}

int clearFloatTexts() {
    for (int s = 1; s <= kFloatTexts; s++) floatTextAge[s] = 0;
    return 0;
}

int checkLevelWon() {
    TSpieler& pl = curPlayer();
    if (mossLeft == 0 && winCounter == 0 && gScreen == SCREEN_GAME && pl.isAllItemsDestroyed(pl.Level) == 1)
        winCounter = 1;
    return 0;
}
