// The power-up bar from charge to effect: charging by a beetle, the activation
// rules, and the four power-ups.
#include "fixture.h"

#include "app/globals.h"
#include "app/sound.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups.h"
#include "game/score.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/profile.h"

using namespace bdtest;

namespace {

class PowerUpTest : public BoardDrawTest {
  protected:
    void SetUp() override {
        BoardDrawTest::SetUp();
        loadLevel(16);
        gameFrames(40); // the bar slides in and becomes visible
    }

    void makeReady(int k) {
        gPlayers[1].pusoll[k] = kPuCharged;
        gPlayers[1].pu[k] = kPuReady;
    }
    // A click on this frame at (x, y).
    void clickFrame(int x, int y) {
        gMouseX = x;
        gMouseY = y;
        gMouseHit = 1;
        gameFrameStep();
        gMouseHit = 0;
    }
    void clickSlot(int k) { clickFrame(static_cast<int>(puX[k]), static_cast<int>(puY[k])); }
    int countType(int type) {
        int n = 0;
        for (int s = 1; s <= kParticles; s++) n += pType[s] == type;
        return n;
    }
    // The first colour piece resting in a cell.
    int someColourPiece() {
        for (int i = 1; i <= kItems; i++)
            if (isColourKind(itemKind[i]) && itemCell[i] > 0) return i;
        return 0;
    }
};

} // namespace

TEST_F(PowerUpTest, BarSlidesInAndPlacesTheSlots) {
    const float xs[5] = {0, 106, 268, 756, 918};
    for (int k = 1; k <= 4; k++) {
        EXPECT_EQ(puVisible[k], 1);
        EXPECT_FLOAT_EQ(puX[k], xs[k]);
        EXPECT_GT(puY[k], 701); // 137 * 0.9^40 above its place
        EXPECT_LT(puY[k], 705);
    }
    // F2 in developer mode fills every slot without touching the target charge.
    gDebugMode = 1;
    gKeyF2 = 1;
    gameFrameStep();
    gDebugMode = 0;
    gKeyF2 = 0;
    for (int k = 1; k <= 4; k++) {
        EXPECT_EQ(gPlayers[1].pu[k], kPuReady);
        EXPECT_EQ(gPlayers[1].pusoll[k], 0);
    }
}

TEST_F(PowerUpTest, EscapingBeetleOfColourTwoFillsSlotTwoIn120Frames) {
    int beetle = 0;
    for (int i = 1; i <= kItems; i++)
        if (itemKind[i] == KIND_BEETLE) beetle = i;
    ASSERT_GT(beetle, 0);
    itemKaefCol[beetle] = 2;
    beetleLeaves(beetle);
    EXPECT_EQ(gPlayers[1].pusoll[2], kPuCharged);
    int readyAt = 0;
    for (int f = 1; f <= 130 && readyAt == 0; f++) {
        gameFrameStep();
        if (gPlayers[1].pu[2] == kPuReady) readyAt = f;
        else EXPECT_EQ(gPlayers[1].pu[2], f);
    }
    EXPECT_EQ(readyAt, 120);
    // The other slots stay empty.
    EXPECT_EQ(gPlayers[1].pu[1], 0);
    EXPECT_EQ(gPlayers[1].pu[3], 0);
}

TEST_F(PowerUpTest, ActivationNeedsNoShuffleNoPopupAndNoWin) {
    struct Case {
        const char* name;
        int shuffle, popup, win;
        bool starts;
    } cases[] = {
        {"shuffle wave running", 3, 0, 0, false},
        {"popup open", 0, 16, 0, false},
        {"level won", 0, 0, 5, false},
        {"playing", 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        makeReady(4);
        puState[4] = 0;
        shuffleRadius = c.shuffle;
        gRunPopup = c.popup;
        winCounter = c.win;
        clickSlot(4);
        EXPECT_EQ(puState[4] > 0, c.starts) << c.name;
        EXPECT_EQ(powerUpBusy, c.starts ? 1 : 0) << c.name;
        // A click away from the slot never starts it.
        puState[4] = 0;
        shuffleRadius = 0;
        gRunPopup = 0;
        winCounter = 0;
        clickFrame(static_cast<int>(puX[4]) + 60, static_cast<int>(puY[4]));
        EXPECT_EQ(puState[4], 0) << c.name;
    }
}

TEST_F(PowerUpTest, TargetedShotAimsCancelsAndDestroysThePiece) {
    makeReady(1);
    clickSlot(1);
    ASSERT_EQ(puState[1], 1);
    EXPECT_EQ(gMouseHit, 0);
    // Clicking the holder again cancels and keeps the charge.
    gameFrameStep();
    clickSlot(1);
    EXPECT_EQ(puState[1], 0);
    EXPECT_EQ(gPlayers[1].pu[1], kPuReady);

    // Aim again and shoot at a colour piece.
    clickSlot(1);
    ASSERT_EQ(puState[1], 1);
    const int target = someColourPiece();
    ASSERT_GT(target, 0);
    const int cell = itemCell[target];
    const int x = itemX[target], y = itemY[target], kind = itemKind[target];
    // While aiming nothing falls and the hovered cell flashes.
    gMouseX = x;
    gMouseY = y;
    gameFrameStep();
    EXPECT_EQ(powerUpBusy, 1);
    EXPECT_GT(cellHover[cell], 0);
    saveFrame("powerup_aiming");
    const int destroyedBefore = gPlayers[1].anzItems;
    clickFrame(x, y);
    EXPECT_GE(puState[1], 2);
    int shot = 0;
    for (int s = 1; s <= kParticles; s++)
        if (pType[s] == 13004) shot = s;
    ASSERT_GT(shot, 0);
    EXPECT_EQ(pTarget[shot], target);
    gMouseX = gMouseY = 0;
    for (int f = 0; f < 80 && countType(13004) > 0; f++) gameFrameStep();
    EXPECT_EQ(countType(13004), 0);
    EXPECT_EQ(gPlayers[1].anzItems, destroyedBefore + 1);
    EXPECT_EQ(countType(10000 + kind), 1);
    for (int i = 1; i <= kItems; i++)
        EXPECT_FALSE(isBoardPiece(itemKind[i]) && itemX[i] == x && itemY[i] == y) << "piece " << i << " still there";
    gameFrames(30);
    EXPECT_EQ(puState[1], 0);
    EXPECT_EQ(gPlayers[1].pu[1], 0);
    EXPECT_EQ(gPlayers[1].pusoll[1], 0);
}

TEST_F(PowerUpTest, TargetedShotIgnoresBeetles) {
    makeReady(1);
    clickSlot(1);
    int beetle = 0;
    for (int i = 1; i <= kItems; i++)
        if (itemKind[i] == KIND_BEETLE && itemCell[i] > 0) beetle = i;
    ASSERT_GT(beetle, 0);
    clickFrame(itemX[beetle], itemY[beetle]);
    EXPECT_EQ(puState[1], 1);
    EXPECT_EQ(countType(13004), 0);
}

TEST_F(PowerUpTest, ShuffleBeamStartsTheShuffleWave) {
    makeReady(2);
    clickSlot(2);
    ASSERT_GT(puState[2], 0);
    gMouseX = gMouseY = 0;
    int frames = 0;
    while (puState[2] > 0 && frames < 200) {
        gameFrameStep();
        frames++;
        if (frames == 45) saveFrame("powerup_beam");
        if (puState[2] > 0) EXPECT_EQ(shuffleRadius, 0);
    }
    EXPECT_EQ(puState[2], 0);
    EXPECT_GT(shuffleRadius, 0);
    EXPECT_EQ(countType(152), 60);
    EXPECT_EQ(gPlayers[1].pu[2], 0);
    // The beam climbs 10 rows a frame from 320 rows below the centre.
    EXPECT_NEAR(frames, 51, 2);
}

TEST_F(PowerUpTest, MossShotsWithoutMossKeepTheCharge) {
    for (int c = 1; c <= kCells; c++) cellMoss[c] = 0;
    gameFrameStep(); // mossLeft is recounted by the drawing
    ASSERT_EQ(mossLeft, 0);
    makeReady(3);
    gConfig.soundlaut = 100;
    initSounds();
    for (int s = 0; s < kSfxSlots; s++) gSfxPlayed[s] = 0;
    clickSlot(3);
    EXPECT_EQ(puState[3], 0);
    EXPECT_EQ(gPlayers[1].pu[3], kPuReady);
    bool shown = false;
    for (int t = 1; t <= kFloatTexts; t++)
        if (floatTextAge[t] > 0 && floatTextText[t] == gLang.getValue("")) shown = true;
    EXPECT_TRUE(shown);
    if (gSounds[45]) EXPECT_EQ(gSfxPlayed[45], 1);
    EXPECT_EQ(countType(22003), 1); // the holder flash still shows
}

TEST_F(PowerUpTest, MossShotsClearSevenMossCells) {
    int kept = 0;
    for (int c = 1; c <= kCells; c++) {
        if (cellActive[c] <= 0) continue;
        cellMoss[c] = (kept < 7 && c % 3 == 0) ? 1 : 0;
        kept += cellMoss[c];
    }
    ASSERT_EQ(kept, 7);
    gameFrameStep();
    ASSERT_EQ(mossLeft, 7);
    makeReady(3);
    clickSlot(3);
    ASSERT_GT(puState[3], 0);
    gMouseX = gMouseY = 0;
    for (int f = 0; f < 200; f++) {
        gameFrameStep();
        if (f == 40) saveFrame("powerup_mossshots");
    }
    EXPECT_EQ(puState[3], 0);
    EXPECT_EQ(gPlayers[1].pu[3], 0);
    int left = 0;
    for (int c = 1; c <= kCells; c++) left += cellActive[c] > 0 && cellMoss[c] == 1;
    EXPECT_EQ(left, 0);
}

TEST_F(PowerUpTest, DynamiteWithoutTargetThrowsNothing) {
    for (int i = 1; i <= kItems; i++)
        if (isBoardPiece(itemKind[i])) itemKind[i] = KIND_STONE;
    EXPECT_EQ(puPickDynamiteTarget(), 0);
    makeReady(4);
    clickSlot(4);
    ASSERT_GT(puState[4], 0);
    gMouseX = gMouseY = 0;
    int dynamite = 0;
    for (int f = 0; f < 60; f++) {
        gameFrameStep();
        dynamite += countType(13205);
    }
    EXPECT_EQ(dynamite, 0);
    EXPECT_EQ(puState[4], 0);
    EXPECT_EQ(gPlayers[1].pu[4], 0);
    EXPECT_EQ(gPlayers[1].pusoll[4], 0);
}

TEST_F(PowerUpTest, DynamiteFindsTheOnlyTarget) {
    int only = 0;
    for (int i = 1; i <= kItems; i++) {
        if (!isBoardPiece(itemKind[i])) continue;
        if (only == 0 && isColourKind(itemKind[i]) && itemCell[i] > 0) only = i;
        else itemKind[i] = KIND_STONE;
    }
    ASSERT_GT(only, 0);
    for (int n = 0; n < 20; n++) EXPECT_EQ(puPickDynamiteTarget(), only);
    makeReady(4);
    clickSlot(4);
    gMouseX = gMouseY = 0;
    for (int f = 0; f < 14; f++) gameFrameStep();
    int d = 0;
    for (int s = 1; s <= kParticles; s++)
        if (pType[s] == 13205) d = s;
    ASSERT_GT(d, 0);
    EXPECT_EQ(pTarget[d], only);
}

TEST_F(PowerUpTest, OtherSlotsEndTheAimButNotTheShot) {
    for (int other : {2, 3, 4}) {
        makeReady(1);
        makeReady(other);
        puState[1] = 0;
        clickSlot(1);
        ASSERT_EQ(puState[1], 1) << other;
        clickSlot(other);
        EXPECT_EQ(puState[1], 0) << other;
        EXPECT_EQ(gPlayers[1].pu[1], kPuReady) << other;
        // Let the other power-up run out before the next round.
        gMouseX = gMouseY = 0;
        for (int f = 0; f < 200 && puState[other] > 0; f++) gameFrameStep();
        ASSERT_EQ(puState[other], 0);
        shuffleRadius = 0;
    }
    // A shot already on its way is not stopped by another slot.
    makeReady(1);
    makeReady(4);
    puState[1] = 3;
    clickSlot(4);
    EXPECT_GT(puState[1], 3);
    EXPECT_GT(puState[4], 0);
}

TEST_F(PowerUpTest, ReadySlotBlinksForElevenFrames) {
    makeReady(2);
    // Watch the blink counter: once started it shows the eyes for e = 2..12 and
    // comes back to plain ready 49 frames after it began.
    int started = -1, backAt = -1;
    for (int f = 0; f < 3000 && backAt < 0; f++) {
        gameFrameStep();
        const int e = gPlayers[1].pu[2] - kPuReady;
        if (started < 0 && e > 0) {
            EXPECT_EQ(e, 2);
            started = f;
        } else if (started >= 0 && e == 0) {
            backAt = f;
        } else if (started >= 0) {
            EXPECT_EQ(e, 2 + f - started);
        }
    }
    ASSERT_GE(started, 0) << "no blink in 3000 frames";
    EXPECT_EQ(backAt - started, 48);
}
