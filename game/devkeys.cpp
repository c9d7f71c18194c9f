// Developer keys of the game screen (developer mode only): F3 wins the level,
// F4 jumps the profile to level 99 and wins it. F2 belongs to the power-up bar.
#include "app/globals.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "persist/profile.h"

int gameDevKeys() {
    if (gDebugMode != 1 || winCounter != 0) return 0;
    if (gKeyF3 == 1) winCounter = 1;
    if (gKeyF4 == 1) {
        TSpieler& pl = curPlayer();
        pl.StoryLevel = 99;
        pl.Level = 99;
        winCounter = 1;
    }
    return 0;
}
