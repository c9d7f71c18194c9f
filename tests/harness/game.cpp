#include "tests/harness/game.h"

#include "app/focus.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/sound.h"
#include "app/startpics.h"
#include "match3/board.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/harness/harness.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace game {

bool start() {
    gInstanceLockName = "ZWH-test-" + std::to_string(getpid());
    gQuit = 0;
    if (startUp() != 0) return false;
    // Start-up seeds from the clock; runs under test repeat themselves.
    SeedRandom(harness::kSeed);
    return true;
}

int step(int n) {
    int ran = 0;
    while (ran < n && gQuit != 1) {
        runOneFrame();
        ++ran;
    }
    return ran;
}

void clickAt(int x, int y) {
    harness::mouseMove(x, y);
    step(1);
    harness::mousePress();
    step(1);
    harness::mouseRelease();
    step(1);
}

void keyAt(int vk) {
    harness::keyDown(vk);
    step(1);
    harness::keyUp(vk);
    step(1);
}

bool stepUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); i++)
        if (step(1) == 0) break;
    return done();
}

bool popupOpen(int id) { return gStatePopup == id && gRunPopup == 16; }

bool noPopup() { return gStatePopup == 0 && gRunPopup == 0; }

bool onScreen(int screen) { return gScreen == screen && gFadeDir == 1 && gFadeLevel >= 255; }

void stop() {
    stopMusic();
    ReleaseInstanceLock();
    for (TBild* pic : {&gPicPointer, &gPicLogo, &gPicLoadBg, &gPicBarDown, &gPicBarLong, &gPicLoadBar,
                       &gPicLoadFill, &gPicLogoGlow, &gPicRays}) {
        pic->Unload();
        pic->url.clear();
    }
    gScreen = gPrevScreen = gNextScreen = gNextScreenArg = 0;
    gFadeLevel = 0;
    gFadeDir = 1;
    gQuit = 0;
    gPaused = -1;
    gSuspendState = 0;
    gInputEnabled = 0;
    gMouseX = gMouseY = gMouseHeldFrames = 0;
    gFPS = gFrameCount = 0;
    gDebugMode = gTextTestMode = 0;
    gStatePopup = gRunPopup = gPopupDir = 0;
    gButtonGroup = 1;
    gSaveDir.clear();
    gConfig = TConfig();
    for (TSpieler& p : gPlayers) p = TSpieler();
    gCurPl = -1;
    for (int i = 0; i < kSfxSlots; ++i) {
        gSounds[i].reset();
        gSfxPlayed[i] = 0;
    }
    gMusicSound.reset();
    gMusicChannel = 0;
    focusReset();
}

bool findThreeLinked(int xs[3], int ys[3]) {
    const auto resting = [](int s) {
        return itemKind[s] >= 1 && itemKind[s] <= 5 && itemFalling[s] == 0 && itemY[s] > 0;
    };
    const auto linked = [](int a, int b) {
        const int dx = std::abs(itemX[a] - itemX[b]), dy = std::abs(itemY[a] - itemY[b]);
        return a != b && itemKind[a] == itemKind[b] && dx + dy == 48 && (dx == 0 || dy == 0);
    };
    for (int a = 1; a <= kItemsUsed; ++a) {
        if (!resting(a)) continue;
        for (int b = 1; b <= kItemsUsed; ++b) {
            if (!resting(b) || !linked(a, b)) continue;
            for (int c = 1; c <= kItemsUsed; ++c) {
                if (c == a || !resting(c) || !linked(b, c)) continue;
                const int slots[3] = {a, b, c};
                for (int i = 0; i < 3; ++i) {
                    xs[i] = itemX[slots[i]];
                    ys[i] = itemY[slots[i]];
                }
                return true;
            }
        }
    }
    return false;
}

InstallFolder::InstallFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "varnoka-install-XXXXXX").generic_string();
    if (mkdtemp(tmpl.data())) path_ = tmpl + "/";
    oldCwd_ = std::filesystem::current_path().string();
    if (!path_.empty()) std::filesystem::current_path(path_);
}

InstallFolder::~InstallFolder() {
    std::error_code ec;
    std::filesystem::current_path(oldCwd_, ec);
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

} // namespace game
