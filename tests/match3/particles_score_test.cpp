// Particles that carry game logic, points and floating texts, the win check and
// the piece picture rule.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/pieceimage.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"

using namespace m3test;

namespace {

int countType(int type) {
    int n = 0;
    for (int s = 1; s <= kParticles; s++) n += pType[s] == type;
    return n;
}

void runParticles(int frames) {
    for (int f = 0; f < frames; f++) updateDrawParticles();
}

} // namespace

class ParticleTest : public BoardTest {};

TEST_F(ParticleTest, TableHoldsAtMost1099) {
    for (int i = 1; i <= 1099; i++) ASSERT_EQ(spawnParticle(0, 0, 300, 0, 0), i);
    EXPECT_EQ(spawnParticle(0, 0, 300, 0, 0), 0);
    EXPECT_EQ(pType[1100], 0);
    EXPECT_EQ(countParticles(), 1099);
    clearParticles();
    EXPECT_EQ(countParticles(), 0);
}

TEST_F(ParticleTest, AgesAndEnds) {
    // Debris starts at a random age 0..50; flashes at 0 and last 25 frames.
    const int debris = spawnParticle(10, 10, 12, 0, 0);
    EXPECT_TRUE(pAge[debris] >= 0 && pAge[debris] <= 50);
    const int flash = spawnParticle(10, 10, 305, 0, 0);
    EXPECT_EQ(pAge[flash], 0);
    const int pulse = spawnParticle(10, 10, 1304, 0, 0);
    runParticles(19);
    EXPECT_EQ(pType[pulse], 1304);
    runParticles(1);
    EXPECT_EQ(pType[pulse], 0);
    runParticles(5);
    EXPECT_EQ(pType[flash], 0);
    // Unknown types never linger.
    const int odd = spawnParticle(10, 10, 5000, 0, 0);
    runParticles(1);
    EXPECT_EQ(pType[odd], 0);
}

TEST_F(ParticleTest, DebrisVanishesAtNineFramesPerSecond) {
    gFPS = 9;
    for (int t : {5, 104, 160, 1005, 305}) spawnParticle(100, 100, t, 1, 1);
    runParticles(1);
    EXPECT_EQ(countParticles(), 2) << "dirt and flashes stay";
}

TEST_F(ParticleTest, FlyingItemCountsOnArrival) {
    TSpieler& pl = curPlayer();
    pl.Level = 4;
    spawnParticle(600, 400, 95703, 0, 0);
    spawnParticle(600, 400, 95710, 0, 0); // a bomb: above the item kinds
    runParticles(39);
    EXPECT_EQ(pl.itemsDestroyed[3], 0);
    EXPECT_EQ(countType(95703), 1);
    runParticles(1);
    EXPECT_EQ(pl.itemsDestroyed[3], 1);
    EXPECT_EQ(countParticles(), 0);
    for (int k = 1; k <= 5; k++)
        if (k != 3) {
            EXPECT_EQ(pl.itemsDestroyed[k], 0);
        }
}

TEST_F(ParticleTest, RemovedPiecesFlyOnlyWhileTheLevelNeedsThem) {
    load({"ooo", "ooo"}, 2, 1);
    setKinds({"333", "121"});
    TSpieler& pl = curPlayer();
    pl.itemsToDestroyData[2][3] = 2;
    drag({{0, 0}, {0, 1}, {0, 2}});
    EXPECT_EQ(countType(95703), 3) << "two still needed when the removal starts";
    runParticles(40);
    EXPECT_EQ(pl.itemsDestroyed[3], 3);
    // Now none is needed: the next ones rise and vanish without counting.
    settle();
    setKinds({"333"});
    drag({{0, 0}, {0, 1}, {0, 2}});
    EXPECT_EQ(countType(95803), 3);
    runParticles(60);
    EXPECT_EQ(pl.itemsDestroyed[3], 3);
}

TEST_F(ParticleTest, DynamiteWhoseTargetIsGoneJustDisappears) {
    load({"ooo", "ooo", "ooo"}, 2, 1);
    const int target = itemAt(1, 1);
    const int d = spawnParticle(200, 600, 13205, 0, -5);
    pTarget[d] = target;
    freeItem(target);
    runParticles(1);
    EXPECT_EQ(pType[d], 0);
    EXPECT_EQ(countType(2000), 0);
    EXPECT_EQ(curPlayer().LevelPoints, 0);
}

TEST_F(ParticleTest, DynamiteBlowsUpItsTarget) {
    load({"ooooo", "ooooo", "ooooo"}, 2, 1);
    setKinds({"12121", "21212", "12121"});
    const int target = itemAt(1, 2);
    const int d = spawnParticle(gridX(2), gridY(1) + 100, 13205, 0, -20);
    pTarget[d] = target;
    runParticles(3); // 80, 60, 40 pixels below: not yet
    EXPECT_EQ(itemKind[target], 2);
    runParticles(1); // 20 below: within 28
    EXPECT_EQ(pType[d], 0);
    EXPECT_EQ(countType(2000), 1);
    EXPECT_EQ(countType(101), 20);
    // The whole 3 x 5 board lies within reach of the centre; the target itself
    // scores nothing.
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 5; c++) {
            EXPECT_EQ(itemAt(r, c), 0) << r << "," << c;
        }
    EXPECT_EQ(curPlayer().LevelPoints, 14 * 30);
}

TEST_F(ParticleTest, ShotAtAPieceDestroysAndCountsIt) {
    load({"ooo", "oMo", "ooo"}, 2, 1);
    setKinds({"121", "232", "121"});
    TSpieler& pl = curPlayer();
    pl.itemsToDestroyData[2][3] = 5;
    const int target = itemAt(1, 1);
    const int p = spawnParticle(gridX(1), gridY(1) - 40, 13004, 0, 10);
    pTarget[p] = target;
    runParticles(3);
    EXPECT_EQ(pType[p], 0);
    EXPECT_EQ(itemAt(1, 1), 0);
    EXPECT_EQ(pl.itemsDestroyed[3], 1);
    EXPECT_EQ(pl.LevelPoints, 30);
    EXPECT_EQ(pl.anzItems, 1);
    EXPECT_EQ(pl.anzMoss, 1);
    EXPECT_EQ(cellMoss[cellAt(1, 1)], 0);
    EXPECT_EQ(countType(10003), 1);
}

TEST_F(ParticleTest, ShotAtADoorOnlyOpensIt) {
    load({"ooo", "oDo", "ooo"}, 2, 1);
    const int door = itemAt(1, 1);
    const int p = spawnParticle(gridX(1), gridY(1), 13004, 0, 0);
    pTarget[p] = door;
    runParticles(1);
    TSpieler& pl = curPlayer();
    EXPECT_TRUE(itemKind[door] == KIND_BOMB || itemKind[door] == KIND_JOKER);
    EXPECT_EQ(pl.LevelPoints, 500);
    EXPECT_EQ(pl.anzItems, 1);
    for (int k = 1; k <= 5; k++) {
        EXPECT_EQ(pl.itemsDestroyed[k], 0);
    }
}

TEST_F(ParticleTest, MossShotClearsItsCell) {
    load({"ooo", "oMo"}, 2, 1);
    const int cell = cellAt(1, 1);
    const int p = spawnParticle(gridX(1) + 100, gridY(1), 13003, -10, 0);
    pTarget[p] = cell;
    runParticles(8); // 20 pixels away: not yet
    EXPECT_EQ(pType[p], 13003);
    EXPECT_EQ(cellMoss[cell], 1);
    EXPECT_EQ(countType(3), 8) << "one trail spark per frame";
    runParticles(1);
    EXPECT_EQ(pType[p], 0);
    EXPECT_EQ(cellMoss[cell], 0);
    EXPECT_EQ(mossSoundX, gridX(1));
    EXPECT_EQ(curPlayer().anzMoss, 1);
}

TEST(Score, PointsNeverGoBelowZeroAndShowWhereEarned) {
    gCurPl = 1;
    TSpieler& pl = curPlayer();
    pl.LevelPoints = 100;
    clearFloatTexts();
    addPoints(10, 20, -250);
    EXPECT_EQ(pl.LevelPoints, 0);
    EXPECT_EQ(floatTextText[1], "-250");
    addPoints(-1, 20, 70); // no text for x below 0
    EXPECT_EQ(pl.LevelPoints, 70);
    EXPECT_EQ(floatTextAge[2], 0);
}

TEST(Score, TwentyFirstTextReplacesTheLastSlot) {
    clearFloatTexts();
    for (int i = 1; i <= 21; i++) spawnFloatText(i, i, std::to_string(i));
    EXPECT_EQ(floatTextText[19], "19");
    EXPECT_EQ(floatTextText[20], "21");
    EXPECT_EQ(floatTextX[20], 21);
    // Texts rise one pixel a frame and free their slot at age 45.
    for (int f = 0; f < 43; f++) drawFloatTexts();
    EXPECT_EQ(floatTextAge[1], 44);
    EXPECT_EQ(floatTextY[1], 1 - 43);
    drawFloatTexts();
    EXPECT_EQ(floatTextAge[1], 0);
}

TEST(Score, LevelIsWonWithoutMossAndWithAllTargets) {
    gCurPl = 1;
    TSpieler& pl = curPlayer();
    pl = TSpieler();
    pl.Level = 8;
    pl.itemsToDestroyData[8][2] = 3;
    gScreen = SCREEN_GAME;
    winCounter = 0;
    mossLeft = 0;
    checkLevelWon();
    EXPECT_EQ(winCounter, 0);
    pl.itemsDestroyed[2] = 3;
    mossLeft = 1;
    checkLevelWon();
    EXPECT_EQ(winCounter, 0);
    mossLeft = 0;
    checkLevelWon();
    EXPECT_EQ(winCounter, 1);
    winCounter = 0;
}

TEST(PieceImage, LooksByLastDigitOfTheLevel) {
    const int expected[10][6] = {
        // kinds 1..5 for level mod 10 = 0..9
        {0, 1, 2, 3, 4, 5},    {0, 1, 2, 3, 4, 5},    {0, 1, 2, 3, 4, 5},    {0, 11, 2, 3, 4, 5},
        {0, 11, 14, 3, 4, 5},  {0, 11, 14, 13, 4, 5}, {0, 11, 14, 13, 4, 15}, {0, 1, 14, 13, 4, 15},
        {0, 1, 2, 13, 4, 15},  {0, 1, 2, 3, 4, 15},
    };
    for (int c = 0; c <= 9; c++)
        for (int level : {c, c + 10, c + 90})
            for (int kind = 1; kind <= 5; kind++)
                EXPECT_EQ(pieceImageIndex(level, kind), expected[c][kind]) << level << "/" << kind;
    for (int kind : {6, 7, 10, 12, 18})
        for (int level = 1; level <= 100; level++) {
            EXPECT_EQ(pieceImageIndex(level, kind), kind);
        }
    for (int level = 1; level <= 100; level++)
        for (int kind : {1, 2, 3, 5}) {
            EXPECT_NE(pieceImageIndex(level, kind), 12) << "12 is the joker's";
        }
}

TEST_F(ParticleTest, DynamiteOnADoorOpensItAndTheColumnFillsAgain) {
    load({"ooo", "oDo", "ooo", "ooo"}, 2, 1);
    const int door = itemAt(1, 1);
    ASSERT_EQ(itemKind[door], KIND_DOOR);
    ASSERT_EQ(itemHeight[door], 3);
    const int d = spawnParticle(gridX(1), gridY(1) + 100, 13205, 0, -20);
    pTarget[d] = door;
    runParticles(4);
    ASSERT_EQ(pType[d], 0);
    EXPECT_EQ(cellDoor[cellAt(1, 1)], 0);
    // The door opened; the blast took the nine pieces around it.
    EXPECT_EQ(curPlayer().LevelPoints, 500 + 9 * 30);
    settle();
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_NE(itemAt(r, c), 0) << r << "," << c;
}

TEST_F(ParticleTest, PieceCountsAtOnceWhenTheTableHasNoRoomForItsFlight) {
    load({"ooo"}, 2, 1);
    setKinds({"111"});
    TSpieler& pl = curPlayer();
    pl.itemsToDestroyData[2][1] = 5;
    while (spawnParticle(10, 10, 300, 0, 0) != 0) {
    }
    drag({{0, 0}, {0, 1}, {0, 2}});
    EXPECT_EQ(pl.itemsDestroyed[1], 3);
    EXPECT_EQ(countType(95701), 0);
}
