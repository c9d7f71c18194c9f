#include "game/playdriver.h"

#include "app/focus.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "game/boardpictures.h"
#include "game/gamescreen.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <algorithm>

namespace {

std::vector<int> gKeysHeld; // keys down since an earlier frame

bool holds(const std::vector<int>& keys, int key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Posts the presses and releases that take the held keys to `keys`.
void pressKeys(const std::vector<int>& keys) {
    for (const int k : gKeysHeld)
        if (!holds(keys, k)) PostKeyEvent(k, 0);
    for (const int k : keys)
        if (!holds(gKeysHeld, k)) PostKeyEvent(k, 1);
    gKeysHeld = keys;
}

} // namespace

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
    // A run starts with no key down and the focus as at start-up, so it
    // plays the same whatever ran before it.
    pressKeys({});
    focusReset();
    gPaused = -1;
    gSuspendState = 0;
    screenGamePrepare();
}

void playFrame(const PlayInput& in) {
    pressKeys(in.keyboard ? in.keys : std::vector<int>{});
    int x = in.x, y = in.y, hits = in.hits, down = in.down;
    focusApply(in.keyboard ? readNavInput(x, y, hits) : NavInput{}, x, y, hits, down);
    takeMouseSnapshot(x, y, hits, down, in.wheel);
    gKeyEsc = in.keyboard ? KeyHits(27) : in.esc;
    gKeyEnter = in.keyboard ? KeyHeld(13) : in.enter;
    int* fKeys[] = {&gKeyF1, &gKeyF2, &gKeyF3, &gKeyF4, &gKeyF5, &gKeyF6};
    for (int k = 0; k < 6; k++)
        *fKeys[k] = (in.fKeys >> k) & 1;
    gFPS = 40;
    ++gFrameCount;
    gameScreenFrame();
    AdvanceVirtualClock(25);
}
