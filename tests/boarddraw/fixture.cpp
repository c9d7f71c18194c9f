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

#include <algorithm>
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
    gFPS = 40;
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

namespace bdtest {

void setSolidPicture(TBild& img, int w, int h, int r, int g, int b, bool centred) {
    Pixmap px;
    px.width = w;
    px.height = h;
    px.pitch = w * 4;
    px.storage.assign(static_cast<size_t>(w) * h * 4, 255);
    px.pixels = px.storage.data();
    for (int i = 0; i < w * h; i++) {
        px.storage[i * 4 + 0] = static_cast<uint8_t>(r);
        px.storage[i * 4 + 1] = static_cast<uint8_t>(g);
        px.storage[i * 4 + 2] = static_cast<uint8_t>(b);
    }
    img.Unload();
    img.data = PictureFromPixmap(px, 0);
    img.isLoaded = img.data ? 1 : 0;
    img.url = "made by the test";
    if (centred) img.Center();
    else img.setHandleTopLeft();
}

bool litBox(const harness::Frame& f, int& x0, int& y0, int& x1, int& y1) {
    x0 = y0 = 1 << 30;
    x1 = y1 = -1;
    for (int y = 0; y < f.height; y++)
        for (int x = 0; x < f.width; x++) {
            const uint8_t* p = f.at(x, y);
            if (p[0] + p[1] + p[2] == 0) continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    return x1 >= 0;
}

} // namespace bdtest
