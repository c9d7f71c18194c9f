#include "game/playdriver.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "game/boardpictures.h"
#include "game/gamescreen.h"
#include "persist/profile.h"
#include "platform/platform.h"

bool playLoadData() {
    loadBoardPictures();
    UseVirtualClock(true);
    if (!gLevelClock) gLevelClock = NewTickTimer(1);
    if (gCurPl < 1 || gCurPl > 9) {
        gCurPl = 1;
        gPlayers[1] = TSpieler();
        gPlayers[1].NewVarnoka();
    }
    curPlayer().loadAllItemsToDestroyFromDisk("data/levels/lvla000.lvl");
    return imgCellMask.isLoaded && imgPointerProbe.isLoaded;
}

void playStartLevel(int level, int type) {
    TSpieler& pl = curPlayer();
    pl.Level = level;
    if (pl.StoryLevel < level) pl.StoryLevel = level;
    pl.isResume = 0;
    pl.gtGameType = type;
    gPaused = -1;
    gSuspendState = 0;
    screenGamePrepare();
}

void playFrame(const PlayInput& in) {
    takeMouseSnapshot(in.x, in.y, in.hits, in.down, in.wheel);
    gKeyEsc = in.esc;
    gKeyEnter = in.enter;
    int* fKeys[] = {&gKeyF1, &gKeyF2, &gKeyF3, &gKeyF4, &gKeyF5, &gKeyF6};
    for (int k = 0; k < 6; k++)
        *fKeys[k] = (in.fKeys >> k) & 1;
    gFPS = 40;
    ++gFrameCount;
    gameScreenFrame();
    AdvanceVirtualClock(25);
}
