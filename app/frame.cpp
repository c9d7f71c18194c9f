// The two halves of a frame: the input snapshot with the activation handling,
// and the drawing with the fade switch, the pause overlay and the pointer.
#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/popup.h"
#include "app/screens.h"
#include "app/sound.h"
#include "app/startpics.h"
#include "app/tbild.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/profile.h"

namespace {

constexpr int kAppSuspended = 257;
constexpr int kAppResumed = 258;

int gFpsLastTick = 0;
int gFpsFrames = 0;

void countFpsFrame() {
    ++gFpsFrames;
    int now = TickCount(gFpsTimer);
    if (now != gFpsLastTick) {
        gFPS = gFpsFrames;
        gFpsFrames = 0;
        gFpsLastTick = now;
    }
}

// Activation lost while running: keep the player's progress safe, then stand
// still until the player clicks the pause overlay away.
void handleActivationLoss() {
    gSuspendState = 2;
    gPaused = 1;
    if (gScreen > 0) {
        if (gScreen == SCREEN_GAME && gCurPl > -1) savePlayer(gCurPl);
    } else if (gCurPl > -1) {
        savePlayer(gCurPl);
    }
    gConfig.SaveToDisk();
    MinimiseWindow();
    if (gMusicChannel) ChannelPause(gMusicChannel);
}

void drawPauseOverlay() {
    SetDrawScale(2.5f, 2.5f);
    gPicLogoGlow.PaintXY(512, 384);
    SetDrawScale(1, 1);
    const std::string pause = gLang.getValue("pause");
    gFontTitle.DrawText(pause, 512 - gFontTitle.GetTxtWidth(pause) / 2, 384 - gFontTitle.GetFontHeight(), 1, 0);
    const std::string click = gLang.getValue("clicktocontinue");
    gFontText.DrawText(click, 512 - gFontText.GetTxtWidth(click) / 2, 384 + 2 * gFontText.GetFontHeight(), 1, 0);
    if (gMouseHit == 1) gPaused = -1;
}

void drawDeveloperOverlay() {
    gFontText.DrawText("Memory: " + std::to_string(ProcessMemoryBytes()), 50, 50, 1, 0);
    gFontText.DrawText(std::to_string(gFPS) + " fps", 50, 70, 1, 0);
    gFontText.DrawText("gRunPopup: " + std::to_string(gRunPopup), 50, 90, 1, 0);
    gFontText.DrawText("gStatePopup: " + std::to_string(gStatePopup), 50, 110, 1, 0);
}

bool isStartScreen(int screen) { return screen == SCREEN_LOADING || screen == SCREEN_BRANDING; }

} // namespace

void resetFpsMeter() {
    gFpsLastTick = TickCount(gFpsTimer);
    gFpsFrames = 0;
}

void gotoScreen(int target, int arg) {
    gNextScreen = target;
    gNextScreenArg = arg;
    gFadeDir = 2;
    gFadeLevel = 256;
    gMouseHit = 0;
    ClearKeys();
}

void fadeIn() {
    gFadeLevel = 0;
    gFadeDir = 1;
}

void screenFade() {
    if (gFadeDir == 2) {
        if (gFadeLevel > -32) gFadeLevel -= 32;
        if (gFadeLevel == -32) {
            if (gNextScreen == SCREEN_QUIT) {
                // The exit question saved when it was answered; the frames of the
                // fade-out since then may have changed the player (a game type
                // switched, pieces counted) or the settings.
                if (gCurPl > -1) savePlayer(gCurPl);
                gConfig.SaveToDisk();
                gQuit = 1;
            } else {
                runScreenPrepare(gNextScreen, gNextScreenArg);
                // Every prepare ends with fadeIn; should one not, the switch
                // must still happen once only instead of on every frame.
                if (gFadeDir == 2) fadeIn();
            }
        }
    } else if (gFadeLevel < 255) {
        gFadeLevel += 32;
    }
    SetColor(gFadeLevel, gFadeLevel, gFadeLevel);
}

int savePlayer(int slot) {
    if (slot < 0 || slot > 9) return 0;
    if (gScreen == SCREEN_GAME && winCounter == 0 && slot == gCurPl) gPlayers[slot].SuspendLevel();
    gPlayers[slot].SaveToDisk();
    return 0;
}

void takeMouseSnapshot(int x, int y, int hits, int down, int wheel) {
    gMouseX = x;
    gMouseY = y;
    gMouseHit = hits;
    gMouseDown = down;
    gMouseZSpeed = wheel;
    // A new press starts a new hold, even when the button was also down on the
    // previous frame (released and pressed again in between).
    if (!down)
        gMouseHeldFrames = 0;
    else
        gMouseHeldFrames = hits > 0 ? 1 : gMouseHeldFrames + 1;
}

void frameUpdate() {
    gMouseHit = gMouseDown = gMouseZSpeed = 0;
    gKeyEnter = gKeyEsc = 0;
    gKeyF1 = gKeyF2 = gKeyF3 = gKeyF4 = gKeyF5 = gKeyF6 = 0;

    if (gInputEnabled == 1) {
        // Held before hits: a press arriving between the two queries then shows
        // as a hit now and as held on the next frame, never as two presses.
        int down = ButtonHeld(1);
        int hits = ButtonHits(1);
        int x = PointerX(), y = PointerY();
        // The keys and the controller steer the pointer while the focus shows.
        focusApply(readNavInput(x, y, hits), x, y, hits, down);
        takeMouseSnapshot(x, y, hits, down, WheelDelta());
    }
    gKeyEnter = KeyHeld(13);
    gKeyEsc = KeyHits(27);
    // Controller B, and Start of the first controller, are Escape.
    if (KeyHits(PAD_B) + KeyHits(PAD_START) > 0 && gKeyEsc == 0) gKeyEsc = 1;
    int* fKeys[] = {&gKeyF1, &gKeyF2, &gKeyF3, &gKeyF4, &gKeyF5, &gKeyF6};
    for (int i = 0; i < 6; ++i) *fKeys[i] = KeyHeld(112 + i);

    // The window never closes by itself: the exit question decides.
    if (CloseRequested()) openPopup(99);

    while (PeekAppEvent() != 0) {
        TakeAppEvent();
        int id = AppEventId();
        if (id == kAppSuspended) gSuspendState = 1;
        if (id == kAppResumed) gSuspendState = 0;
    }
    if (gSuspendState == 1 && gPaused == -1) handleActivationLoss();
}

void frameDraw() {
    countFpsFrame();
    ++gFrameCount;
    screenFade();
    // The fade-out to the end saved the game last; the screen must not run on
    // (a key on this frame would change what was saved).
    if (gQuit == 1) return;
    followLanguagePictures();
    runScreenFrame(gScreen);
    if (gFrameCount > 30) musicUpdate();

    if (gSuspendState == 0 && gPaused == 1 && !isStartScreen(gScreen)) drawPauseOverlay();

    if (!isStartScreen(gScreen)) focusDraw();
    // The pointer hides while the focus shows (the keys steer it then).
    if (gPicPointer.isLoaded && !focusShown()) {
        SetAlpha(1);
        if (!isStartScreen(gScreen)) gPicPointer.PaintXY(gMouseX + 27, gMouseY + 37);
    }
    if (!isStartScreen(gScreen) && gKeyF1 == 1 && gDebugMode == 1) drawDeveloperOverlay();
    if (gTextTestMode == 1 && gKeyF6 == 1) gLang.reload();
}
