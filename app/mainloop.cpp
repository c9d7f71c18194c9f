// Start-up, the save folder and the main loop.
#include "app/mainloop.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/screens.h"
#include "app/sound.h"
#include "app/startpics.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/languages.h"
#include "persist/profile.h"

std::string gInstanceLockName = "ZWH";
int gSavesBesideProgram = 1;

namespace {
const char* const kFallbackSaveDir = "data/saves/";
} // namespace

int chooseSaveFolder() {
    int firstRun = 0;
    gSaveDir = SharedAppDataFolder() + "tellgrave/Varnoka/";
    if (!IsFolder(gSaveDir)) {
        MakeFolder(gSaveDir, 1);
        firstRun = 1;
    }
    // A folder that exists but cannot take files is no save folder either:
    // every save there would be lost. An installed game never falls back to
    // its installation folder: that belongs to the system, not to the player.
    if (!IsWritableFolder(gSaveDir) && gSavesBesideProgram == 1) {
        gSaveDir = kFallbackSaveDir;
        firstRun = 0;
        if (!IsFolder(gSaveDir)) {
            MakeFolder(gSaveDir, 1);
            firstRun = 1;
        }
    }
    // When neither folder exists now, gSaveDir still names the fallback: every
    // save then gets no stream and skips its write.
    return firstRun;
}

int saveFolderUsable() { return IsFolder(gSaveDir); }

void openGraphics() {
    // Any value but 1 means a window (a damaged settings file must not leave
    // the game without a display); the setting then says so too.
    if (gConfig.fullscreen == 1) {
        OpenDisplay(1024, 768, 32, 60, 0);
    } else {
        gConfig.fullscreen = 0;
        OpenDisplay(1024, 768, 0, 60, 0);
        AddMinimiseButton();
    }
    SetWindowIcon("icon32.ico");
}

int startUp() {
    SetAppTitle("Varnoka");
    if (!AcquireInstanceLock(gInstanceLockName)) return 1;

    SeedRandom(static_cast<uint32_t>(ClockMillis()));
    gCurPl = -1;
    gFrameTimer = NewTickTimer(40);
    gLevelClock = NewTickTimer(1);
    gFpsTimer = NewTickTimer(1);

    const int firstRun = chooseSaveFolder();
    // Saves cut short by a crash leave temporary files; this copy is the only
    // one running, so none of them is being written.
    RemoveUnfinishedWrites(gSaveDir);
    gConfig.setUrl(gSaveDir + "settings.txt");
    for (int i = 0; i <= 9; ++i) gPlayers[i].setUrl(gSaveDir + "players" + std::to_string(i) + ".ppp");
    if (firstRun) {
        gConfig.Reset();
        gConfig.sprache = languageOfLocale(UserLocaleName());
        gConfig.SaveToDisk();
        gConfig.LoadFromDisk();
        for (int i = 1; i <= 9; ++i) gPlayers[i].Reset();
        resetBestTimes();
        saveBestTimes();
    } else {
        gConfig.LoadFromDisk();
        for (int i = 1; i <= 9; ++i) gPlayers[i].LoadFromDisk();
        loadBestTimes();
    }
    loadLanguage(gConfig.sprache);

    gPaused = -1;
    gFrameCount = 0;
    gInputEnabled = 0;
    SeedRandom(static_cast<uint32_t>(ClockMillis()));
    openGraphics();
    resetFpsMeter();
    screenLoadscreenLoad();
    runScreenPrepare(SCREEN_BRANDING, 1);
    return 0;
}

void runOneFrame() {
    Cls();
    frameUpdate();
    frameDraw();
    if (gTextTestMode == 1) gFontText24.DrawText("Babelfish! F6 = Texte neu laden", 0, 0, 1, 0);
    Flip(1);
    WaitNextTick(gFrameTimer);
}

namespace {

bool playOneFrame() {
    if (gQuit == 1) return false;
    runOneFrame();
    return true;
}

void endGame() {
    stopMusic();
    CloseDisplay();
    ReleaseInstanceLock();
}

} // namespace

int runGame() {
    gSavesBesideProgram = ChangeToInstallationFolder() == INSTALL_BESIDE_PROGRAM ? 1 : 0;
    if (startUp() != 0) return 0; // another copy runs: end silently
    if (!DisplayIsOpen()) {
        // Neither a window nor full screen could be opened: there is nothing
        // the player could see or close, so do not run an invisible loop.
        ReleaseInstanceLock();
        return 1;
    }
    RunMainLoop(gFrameTimer, playOneFrame, endGame);
    return 0;
}
