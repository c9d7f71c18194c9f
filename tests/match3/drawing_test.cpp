// Particles and the swapped pair drawn on a real (headless) display.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tests/harness/harness.h"

using namespace m3test;

class DrawingTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        for (int n = 1; n <= 9; n++) {
            makeSolidPicture(imgSpark[n], 8, 8, true);
            makeSolidPicture(imgFlash[n], 16, 16, true);
            makeSolidPicture(imgDirt[n], 8, 8, true);
        }
        makeSolidPicture(imgBombFlare, 32, 32, true);
        makeSolidPicture(imgDynamite, 12, 12, true);
        for (int n = 1; n <= 15; n++) makeSolidPicture(imgPiece[n], 40, 40, true);
        for (int k = 1; k <= 4; k++) {
            makeSolidPicture(imgPuHolder[k], 30, 30, true);
            makeSolidPicture(imgPuHolderOff[k], 30, 30, true);
        }
        boardAlpha = 1;
        SetAlpha(1);
        SetColor(255, 255, 255);
    }
    void TearDown() override {
        for (int n = 1; n <= 9; n++) {
            imgSpark[n].Unload();
            imgFlash[n].Unload();
            imgDirt[n].Unload();
        }
        imgBombFlare.Unload();
        imgDynamite.Unload();
        for (int n = 1; n <= 15; n++) imgPiece[n].Unload();
        for (int k = 1; k <= 4; k++) {
            imgPuHolder[k].Unload();
            imgPuHolderOff[k].Unload();
        }
        BoardTest::TearDown();
    }
    harness::HeadlessEnv env;

    static int brightness(int x, int y) {
        const harness::Rgb c = harness::framePixel(x, y);
        return c.r + c.g + c.b;
    }
};

TEST_F(DrawingTest, EveryKindDrawsAndEnds) {
    const int types[] = {1, 5, 9, 12, 105, 149, 155, 205, 305, 399, 1005, 1099, 1305, 2000, 10001, 10012,
                         95701, 95712, 95801, 22001, 22004, 22009, 13003, 13004, 13205};
    for (int t : types) {
        const int s = spawnParticle(500, 300, t, t == 13003 || t == 13004 ? 40.0f : 1.0f, 2);
        ASSERT_GT(s, 0);
    }
    for (int f = 0; f < 200 && countParticles() > 0; f++) {
        Cls();
        updateDrawParticles();
        Flip(0);
    }
    EXPECT_EQ(countParticles(), 0);
}

TEST_F(DrawingTest, FlashShowsWhereItIs) {
    Cls();
    Flip(0);
    EXPECT_EQ(brightness(100, 100), 0);
    spawnParticle(100, 100, 305, 0, 0);
    Cls();
    updateDrawParticles();
    Flip(0);
    EXPECT_GT(brightness(100, 100), 300);
    EXPECT_EQ(brightness(200, 100), 0);
}

TEST_F(DrawingTest, SwappedPairIsDrawnAtItsOffsets) {
    load({"oo"}, 2, 3);
    setKinds({"12"});
    swapFirst = itemAt(0, 0);
    swapSecond = itemAt(0, 1);
    swapPhase = 1;
    swapProgress = 24;
    swapFirstDX = 24;
    swapSecondDX = -24;
    Cls();
    drawSwapPieces();
    Flip(0);
    EXPECT_EQ(swapFirstScale, 1);

    // Both pieces meet halfway, 24 pixels from their cells: the 40-pixel pieces
    // cover x + 4 .. x + 44 of the first cell and nothing left or right of that.
    EXPECT_GT(brightness(gridX(0) + 8, gridY(0)), 300);
    EXPECT_GT(brightness(gridX(0) + 40, gridY(0)), 300);
    EXPECT_EQ(brightness(gridX(0) - 10, gridY(0)), 0);
    EXPECT_EQ(brightness(gridX(1) + 10, gridY(0)), 0);
    float sx, sy;
    ReadScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
}

TEST_F(DrawingTest, FloatingTextsRiseAndFade) {
    clearFloatTexts();
    addPoints(300, 300, 135);
    for (int f = 0; f < 44; f++) drawFloatTexts();
    EXPECT_EQ(floatTextAge[1], 0);
    EXPECT_EQ(ReadAlpha(), 1.0f);
}
