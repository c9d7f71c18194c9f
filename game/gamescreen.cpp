// The game screen: entering a level and the frame routine that interleaves the
// rules with the drawing in one fixed order.
#include "game/gamescreen.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "app/startpics.h"
#include "app/ui.h"
#include "game/boardcursor.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups.h"
#include "game/rulesframe.h"
#include "game/score.h"
#include "game/winscreen.h"
#include "match3/rules.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "screens/roadmap.h"

TBild imgLevelBG;

namespace {

bool running() { return gPaused != 1; }

// Alpha of the board this frame: the fade-in of the opening (quicker for a
// resumed level), the fade-out of the win screen.
float boardAlphaNow() {
    float a = (gameFrame - 52) * 0.025f;
    if (curPlayer().resumeLevel > 7) a = gameFrame * 0.025f;
    if (winCounter > 0) a = 1 - winCounter * 0.0125f;
    if (a < 0) a = 0;
    if (a > 1) a = 1;
    return a;
}

void resetPowerUpSlots() {
    TSpieler& pl = curPlayer();
    for (int k = 1; k <= 4; k++) {
        puVisible[k] = 0;
        pl.pu[k] = 0;
        puY[k] = 838;
        puState[k] = 0;
    }
}

void frameEndSounds() {
    if (stoneSoundX > -1) {
        playSfx(35, stoneSoundX);
        playSfx(25, stoneSoundX);
    }
    if (mossSoundX > -1) playSfx(40, mossSoundX);
}

} // namespace

int gamestuff_load_dynamic() {
    imgLevelBG.LoadFromDisk(getCurrentBG(curPlayer().Level), -1);
    if (imgLevelBG.data) imgLevelBG.setHandleTopLeft();
    return 0;
}

int deletegamestuff_dynamic() { return imgLevelBG.Unload(); }

int game_predrawings() {
    Cls();
    predraw_level();
    return 0;
}

int screenGamePrepare() {
    DebugLog("-> screenGamePrepare()");
    gPrevScreen = gScreen;
    menustuff_delete_dynamic();
    if (gPrevScreen == SCREEN_ROADMAP) screenRoadmapResetGfx();
    deletegamestuff_dynamic();
    gamestuff_load_dynamic();

    idleFrames = 0;
    boardCursorReset();
    hintPiece1 = 0;
    shuffleRadius = 0;
    puShotAnim = 0;
    helpBrowse = 0;

    // A level that is not resumed starts from nothing: points, clock and
    // counters of a dropped snapshot must not be carried into it.
    if (curPlayer().isResume != 1) {
        TSpieler& pl = curPlayer();
        pl.LevelPoints = 0;
        pl.time = 0;
        pl.anzItems = pl.anzMoss = pl.anzKaefer = 0;
        for (int k = 1; k <= 5; k++) pl.itemsDestroyed[k] = 0;
    }
    Match3_LoadLevelFromDisk();
    clearFloatTexts();
    clearParticles();
    resetPowerUpSlots();
    resetLevelClock();

    sweepX = -496;
    gStatePopup = 0;
    gRunPopup = 0;
    gPaused = -1;

    game_predrawings();

    gConfig.musiklaut = 0;
    playMusic("ingame" + std::to_string(RandomInt(1, 3)) + ".ogg");
    gScreen = SCREEN_GAME;
    fadeIn();
    DebugLog("<- screenGamePrepare()");
    return 0;
}

int gameScreenFrame() {
    paintIfLoaded(imgLevelBG, 0, 0);
    stoneSoundX = mossSoundX = -1;
    if (gRunPopup == 0 && running()) gameFrame++;
    gButtonGroup = 1;
    itemScanBound = 259;
    openingEvents();
    if (gameFrame > 150 && running() && gRunPopup == 0 && winCounter == 0) tickLevelTime();
    if (gStatePopup > 0) gButtonGroup = 2;
    gameDevKeys();

    SetViewport(0, 0, 1024, 768);
    SetColor(gFadeLevel, gFadeLevel, gFadeLevel);
    SetDrawScale(1, 1);
    SetBlend(BLEND_ALPHA);
    for (int k = 1; k <= 4; k++) paintIfLoaded(imgPuShell[k], puX[k], puY[k] + 12);

    boardAlpha = boardAlphaNow();
    SetAlpha(boardAlpha);
    if (winCounter >= 0 && winCounter <= 80 && running()) {
        runRulesFrame();
        if (gRunPopup < 1 && winCounter <= 80) {
            drawBoardUnderlay();
            drawPieces();
            drawSwapPieces();
        }
        boardCursorFrame();
        powerUpBar();
    }
    sweepX += 24;
    if (sweepX > 5000) sweepX = -256 - 24 * RandomInt(20, 190);

    SetAlpha(1);
    paintIfLoaded(imgTopBar, 512, 44);
    screenWin();
    drawGameOnBanner();
    updateDrawParticles();
    drawHudTop();
    paintIfLoaded(gPicBarLong, 512, 758);
    paintIfLoaded(gPicBarDown, 512, 726);
    gameTypeButtons();
    drawFloatTexts();
    if (gameFrame > 150 && winCounter == 0) drawItemsToDestroy();
    if (gRunPopup == 0 && gPaused == 1) {
        SetAlpha(1);
        if (gMouseHit == 1) {
            gPaused = -1;
            curPlayer().isResume = 0;
        }
    }
    SetAlpha(1);
    popupDriver();
    frameEndSounds();
    return 0;
}
