// Long random play in every game type on a board with every special cell: the
// rules must never break the board's invariants.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <map>
#include <utility>

using namespace m3test;

namespace {

void checkInvariants(int frame) {
    std::map<std::pair<int, int>, int> resting;
    int pieces = 0;
    for (int s = 1; s <= kItems; s++) {
        const int k = itemKind[s];
        ASSERT_TRUE(isKnownItemKind(k)) << "slot " << s << " kind " << k << " frame " << frame;
        if (k == 0) continue;
        ASSERT_LE(s, kItemsUsed) << "frame " << frame;
        if (k == KIND_BEETLE) {
            ASSERT_TRUE(itemKaefCol[s] >= 1 && itemKaefCol[s] <= 4);
        }
        if (k == KIND_FLOOR) continue;
        pieces++;
        if (itemFalling[s] == 0 && itemY[s] > 0) {
            const int before = resting[{itemX[s], itemY[s]}]++;
            ASSERT_EQ(before, 0) << "two pieces rest at " << itemX[s] << "," << itemY[s] << " frame " << frame;
        }
        ASSERT_LT(itemY[s], 700) << "a piece fell through the floor, frame " << frame;
    }
    ASSERT_GT(pieces, 0);
}

} // namespace

class AutoplayTest : public BoardTest, public ::testing::WithParamInterface<int> {};

TEST_P(AutoplayTest, RandomPlayKeepsTheBoardSound) {
    const int type = GetParam();
    std::vector<std::string> rows = {
        "..oooooooo..", ".oooMMMooooo", "oSoooBooDooo", "oooMoooooooo", "oooooSoooMoo",
        "ooDoooooBooo", "oooooooooooo", "oooo..oooooo", "oooo..ooSoBo", "oooooooooooo",
    };
    load(rows, 90, type);
    gameFrame = 0;
    SeedRandom(1000 + type);
    for (int frame = 0; frame < 4000; frame++) {
        if (RandomInt(1, 6) == 1) {
            gMouseX = gridX(RandomInt(-1, 12)) + RandomInt(-30, 30);
            gMouseY = gridY(RandomInt(-1, 10)) + RandomInt(-30, 30);
        }
        if (RandomInt(1, 8) == 1) gMouseDown = !gMouseDown;
        if (RandomInt(1, 700) == 1) shuffleRadius = 1;
        if (RandomInt(1, 900) == 1) {
            const int s = RandomInt(1, kItemsUsed);
            if (itemKind[s] >= 1 && itemKind[s] <= 5) itemKind[s] = KIND_BOMB;
        }
        if (frame % 500 == 250) idleFrames = 500;
        step();
        gFrameCount += RandomInt(0, 3);
        if (frame % 3 == 0) updateDrawParticles();
        if (frame % 50 == 0) {
            checkInvariants(frame);
            if (HasFatalFailure()) return;
        }
    }
    gMouseDown = 0;
    pointAway();
    shuffleRadius = 0;
    settle(400);
    checkInvariants(-1);
    // At rest every cell holds a piece unless a stone or door covers it, and no
    // piece is left over above the board.
    int covered = 0; // cells under a stone or door, not counting its own
    for (int s = 1; s <= kItems; s++)
        if (itemKind[s] == KIND_STONE || itemKind[s] == KIND_DOOR) covered += itemHeight[s] - 1;
    int filled = 0, cells = 0;
    for (int c = 1; c <= kCells; c++) {
        if (!cellActive[c]) continue;
        cells++;
        filled += cellItem[c] != 0;
    }
    EXPECT_EQ(filled + covered, cells);
    for (int s = 1; s <= kItems; s++) {
        if (isBoardPiece(itemKind[s])) {
            EXPECT_NE(itemCell[s], 0) << "slot " << s << " at " << itemX[s] << "," << itemY[s];
        }
    }
    EXPECT_GT(curPlayer().LevelPoints, 0);
}

INSTANTIATE_TEST_SUITE_P(GameTypes, AutoplayTest, ::testing::Values(1, 2, 3));
