#include "fixture.h"

#include "app/globals.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <unistd.h>

#include <filesystem>

namespace bdtest {

std::string gameFolder() { return VARNOKA_GAME_DIR; }

void BoardDrawTest::SetUp() {
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldDir_ = buf;
    ASSERT_EQ(chdir(gameFolder().c_str()), 0);
    ASSERT_TRUE(std::filesystem::exists("data/match3/cellrow1.png")) << "generated data missing in " << gameFolder();
    gCurPl = 1;
    gPlayers[1] = TSpieler();
    gPlayers[1].Level = 1;
    loadGamePictures();
    gamestuff_load();
    loadEffectPictures();
    gPicLogoGlow.LoadFromDisk("data/effects/logoglow.png", -1);
    gPicLogoGlow.Center();
    clearParticles();
    clearFloatTexts();
    gameFrame = 200;
    winCounter = 0;
    boardAlpha = 1;
    gRunPopup = 0;
    gStatePopup = 0;
    gMouseHit = 0;
    gMouseX = gMouseY = 0;
    shuffleRadius = 0;
    sweepX = -496;
    for (int k = 1; k <= 4; k++) {
        puVisible[k] = 0;
        puState[k] = 0;
        puY[k] = 838;
    }
}

void BoardDrawTest::TearDown() {
    gCurPl = -1;
    ASSERT_EQ(chdir(oldDir_.c_str()), 0);
}

void BoardDrawTest::loadLevel(int level) {
    gPlayers[1].Level = level;
    gPlayers[1].isResume = 0;
    Match3_LoadLevelFromDisk();
    predraw_level();
    for (int f = 0; f < 120; f++) gravityPass();
    gameFrame = 200;
}

void BoardDrawTest::clearBoard() {
    for (int c = 1; c <= kCells; c++) {
        cellActive[c] = 0;
        cellMoss[c] = cellBorder[c] = cellHover[c] = cellMarked[c] = cellArrow[c] = cellItem[c] = 0;
    }
    for (int i = 1; i <= kItems; i++) {
        itemKind[i] = 0;
        itemCell[i] = 0;
        itemKaefCol[i] = -1;
        itemBounce[i] = itemShake[i] = itemHint[i] = 0;
        itemFadeIn[i] = 20;
    }
    for (int k = 1; k <= kColumns; k++) columnCount[k] = columnX[k] = columnTop[k] = 0;
}

void BoardDrawTest::drawBoard(float alpha) {
    Cls();
    SetViewport(0, 0, 1024, 768);
    SetColor(255, 255, 255);
    SetBlend(BLEND_ALPHA);
    SetDrawScale(1, 1);
    boardAlpha = alpha;
    SetAlpha(alpha);
    drawBoardUnderlay();
    drawPieces();
    Flip(0);
}

void BoardDrawTest::gameFrameStep() {
    Cls();
    SetViewport(0, 0, 1024, 768);
    SetBlend(BLEND_ALPHA);
    SetAlpha(boardAlpha);
    gameFrame++;
    gFrameCount++;
    for (int k = 1; k <= 4; k++)
        if (imgPuShell[k].isLoaded) imgPuShell[k].PaintXY(puX[k], puY[k] + 12);
    gravityPass();
    shuffleWave();
    if (gRunPopup < 1) {
        drawBoardUnderlay();
        drawPieces();
    }
    powerUpBar();
    updateDrawParticles();
    drawFloatTexts();
    Flip(0);
}

void BoardDrawTest::gameFrames(int n) {
    for (int f = 0; f < n; f++) gameFrameStep();
}

void BoardDrawTest::saveFrame(const std::string& name) {
    const std::string dir = gameFolder() + "/../frames";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(harness::saveFramePng(dir + "/" + name + ".png"));
}

} // namespace bdtest
