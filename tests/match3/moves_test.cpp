// The three game types: chain paths and their cut-back, groups, swaps.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/profile.h"

using namespace m3test;

namespace {

int points() { return curPlayer().LevelPoints; }

bool anyParticle(int type) {
    for (int s = 1; s <= kParticles; s++)
        if (pType[s] == type) return true;
    return false;
}

} // namespace

class ChainTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        load({"ooooo", "ooooo", "ooooo"});
        setKinds({"11123", "45123", "32145"});
    }
};

TEST_F(ChainTest, ThreeInAPathAreRemovedAndScored) {
    const int a = itemAt(0, 0);
    drag({{0, 0}, {0, 1}, {0, 2}});
    EXPECT_EQ(points(), 3 * 45);
    EXPECT_EQ(curPlayer().anzItems, 3);
    EXPECT_EQ(curPlayer().skipfill, 1);
    EXPECT_EQ(itemAt(0, 1), 0);
    EXPECT_NE(itemKind[a], 1) << "slot freed or reused by a new piece";
    int entering = 0;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && itemY[s] < 76) entering++;
    EXPECT_EQ(entering, 3);
    settle();
    for (int c = 0; c < 3; c++) {
        EXPECT_NE(itemAt(0, c), 0);
    }
}

TEST_F(ChainTest, PointerGoingBackCutsTheChain) {
    press();
    for (auto [r, c] : std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 2}}) {
        pointTo(r, c);
        step();
    }
    ASSERT_EQ(selCount, 4);
    EXPECT_EQ(cellArrow[cellAt(0, 1)], 1);
    EXPECT_EQ(cellArrow[cellAt(0, 2)], 3);
    pointTo(0, 1); // back over the second piece
    step();
    EXPECT_EQ(selCount, 2);
    EXPECT_EQ(selLast, itemAt(0, 1));
    EXPECT_EQ(cellArrow[cellAt(0, 1)], 0);
    EXPECT_EQ(cellArrow[cellAt(0, 0)], 1);
    EXPECT_EQ(cellMarked[cellAt(0, 2)], 0);
    EXPECT_EQ(itemMarked[itemAt(1, 2)], 0);
    // Two pieces released: nothing happens and the marks vanish.
    release();
    step();
    EXPECT_EQ(points(), 0);
    EXPECT_EQ(selCount, 0);
    EXPECT_EQ(itemMarked[itemAt(0, 0)], 0);
    EXPECT_EQ(cellMarked[cellAt(0, 0)], 0);
}

TEST_F(ChainTest, OnlyNeighboursOfTheChainColourJoin) {
    press();
    pointTo(0, 0);
    step();
    pointTo(0, 2); // same colour, not adjacent
    step();
    EXPECT_EQ(selCount, 1);
    pointTo(1, 0); // adjacent, other colour
    step();
    EXPECT_EQ(selCount, 1);
    pointTo(0, 1);
    step();
    EXPECT_EQ(selCount, 2);
    EXPECT_EQ(selColour, 1);
    release();
    step();
}

TEST_F(ChainTest, JokerTakesTheColourOfTheFirstColourPiece) {
    setKinds({"j22", "3", "3"});
    press();
    for (auto [r, c] : std::vector<std::pair<int, int>>{{0, 0}, {0, 1}}) {
        pointTo(r, c);
        step();
    }
    EXPECT_EQ(selColour, 2);
    pointTo(1, 1); // colour 5
    step();
    EXPECT_EQ(selCount, 2);
    pointTo(0, 2);
    step();
    release();
    step();
    EXPECT_EQ(points(), 135);
}

TEST_F(ChainTest, ClickedBombGoesOffAlone) {
    setKinds({"", ".b"});
    clickAt(1, 1);
    // The bomb scores 45; its blast reaches columns 0..3 of all three rows.
    EXPECT_EQ(points(), 45 + 11 * 30);
    EXPECT_TRUE(anyParticle(2000));
    EXPECT_NE(itemAt(1, 4), 0);
    EXPECT_EQ(itemAt(1, 3), 0);
}

TEST_F(ChainTest, BombInsideAChainGoesOffOnRelease) {
    setKinds({"1b1"});
    press();
    pointTo(0, 0);
    step();
    pointTo(0, 1);
    step();
    EXPECT_EQ(selCount, 2) << "a bomb met later is part of the chain";
    EXPECT_FALSE(anyParticle(2000));
    pointTo(0, 2);
    step();
    release();
    step();
    EXPECT_TRUE(anyParticle(2000));
    EXPECT_EQ(itemAt(1, 3), 0) << "in the blast";
    EXPECT_NE(itemAt(2, 4), 0);
}

class GroupTest : public BoardTest {};

TEST_F(GroupTest, ConnectedPiecesOfOneKindGoTogether) {
    load({"ooooo", "ooooo", "ooooo"}, 2, 2);
    setKinds({"11122", "13322", "44533"});
    clickAt(0, 0);
    EXPECT_EQ(points(), 4 * 50);
    EXPECT_EQ(curPlayer().anzItems, 4);
    EXPECT_EQ(itemAt(1, 0), 0);
    EXPECT_NE(itemAt(1, 1), 0);
    // A piece with no equal neighbour: built and dropped in the same frame.
    clickAt(2, 2);
    EXPECT_EQ(points(), 200);
    EXPECT_EQ(selCount, 0);
    EXPECT_EQ(itemMarked[itemAt(2, 2)], 0);
    // The square of 2s: four pieces.
    clickAt(1, 4);
    EXPECT_EQ(points(), 400);
}

TEST_F(GroupTest, JokersJoinOnlyJokersAndHoldingTheButtonDoesNotRepeat) {
    load({"oooo", "oooo"}, 2, 2);
    setKinds({"jj11", "j234"});
    pointTo(0, 3);
    press();
    step(); // 1 and 1 only: dropped
    step(); // still held: no new press
    release();
    step();
    EXPECT_EQ(points(), 0);
    clickAt(0, 0);
    EXPECT_EQ(points(), 3 * 45);
    EXPECT_NE(kindAt(0, 2), 0);
}

TEST_F(GroupTest, FivePiecesOfKindFourForgeABomb) {
    load({"ooooo", "ooooo"}, 2, 2);
    setKinds({"44444", "12312"});
    const int first = itemAt(0, 2);
    clickAt(0, 2);
    EXPECT_EQ(itemKind[first], KIND_BOMB);
    EXPECT_EQ(itemX[first], gridX(2));
    EXPECT_EQ(points(), 4 * 55);
    EXPECT_EQ(curPlayer().anzItems, 4);
}

class SwapTest : public BoardTest {
  protected:
    void swapPieces(int r1, int c1, int r2, int c2) {
        clickAt(r1, c1);
        clickAt(r2, c2);
    }
};

TEST_F(SwapTest, SwapMakingALineIsCommittedAfterSixFrames) {
    load({"oooo", "oooo", "oooo", "oooo"}, 2, 3);
    setKinds({"1234", "2143", "1312", "3421"});
    step(); // no ready-made lines: nothing happens
    ASSERT_EQ(points(), 0);
    swapPieces(1, 0, 1, 1);
    EXPECT_EQ(swapProgress, 12);
    EXPECT_EQ(swapPhase, 1);
    EXPECT_EQ(swapFirstDX, 12);
    EXPECT_EQ(swapSecondDX, -12);
    step(5);
    EXPECT_EQ(swapProgress, 42);
    EXPECT_EQ(points(), 0);
    step();
    EXPECT_EQ(swapProgress, 0);
    EXPECT_EQ(swapFirst, 0);
    EXPECT_EQ(points(), 3 * 45);
    EXPECT_EQ(kindAt(1, 1), 2) << "the pieces changed kinds, not places";
    EXPECT_EQ(itemAt(0, 0), 0);
}

TEST_F(SwapTest, SwapWithoutALineTravelsBack) {
    load({"oooo", "oooo", "oooo", "oooo"}, 2, 3);
    setKinds({"1234", "2143", "1312", "3421"});
    const int a = itemAt(0, 0), b = itemAt(0, 1);
    swapPieces(0, 0, 0, 1);
    step(6);
    EXPECT_EQ(swapPhase, 2);
    EXPECT_EQ(swapProgress, 48);
    step(8);
    EXPECT_EQ(swapProgress, 0);
    EXPECT_EQ(swapPhase, 0);
    EXPECT_EQ(swapFirstDX, 0);
    EXPECT_EQ(itemKind[a], 1);
    EXPECT_EQ(itemKind[b], 2);
    EXPECT_EQ(points(), 0);
}

TEST_F(SwapTest, EqualColoursAreSentBack) {
    load({"oo", "oo"}, 2, 3);
    setKinds({"11", "23"});
    swapPieces(0, 0, 0, 1);
    step(6);
    EXPECT_EQ(swapPhase, 2);
}

TEST_F(SwapTest, TwoLinesAtOnceAreOneSelectionOfSix) {
    load({"ooo", "ooo", "ooo"}, 2, 3);
    setKinds({"123", "124", "215"});
    swapPieces(2, 0, 2, 1);
    step(6);
    EXPECT_EQ(points(), 6 * 60);
}

TEST_F(SwapTest, DiagonalClickMovesTheMarkOneFrameLater) {
    // Held, or over before the next frame (a quick tap), a click marks alike.
    for (const bool held : {true, false}) {
        SCOPED_TRACE(held ? "held" : "tap");
        load({"ooo", "ooo"}, 2, 3);
        setKinds({"123", "451"});
        clickAt(0, 0);
        EXPECT_EQ(swapFirst, itemAt(0, 0));
        pointTo(1, 1);
        press();
        step();
        if (!held) release();
        EXPECT_EQ(swapFirst, 0);
        step();
        EXPECT_EQ(swapFirst, itemAt(1, 1));
        release();
        step();
        EXPECT_EQ(swapFirst, itemAt(1, 1)) << "the mark stays";
        // A second click on the marked piece unmarks it.
        clickAt(1, 1);
        EXPECT_EQ(swapFirst, 0);
        EXPECT_EQ(swapProgress, 0);
    }
}

TEST_F(SwapTest, JokersCannotBeMovedAndBombsGoOff) {
    load({"ooo", "ooo"}, 2, 3);
    setKinds({"j23", "45b"});
    clickAt(0, 0);
    EXPECT_EQ(swapFirst, 0);
    clickAt(0, 1);
    EXPECT_EQ(swapFirst, itemAt(0, 1));
    clickAt(1, 2); // a bomb: it goes off and the mark is dropped
    EXPECT_EQ(swapFirst, 0);
    EXPECT_GE(points(), 45);
}

TEST_F(SwapTest, ReadyLinesAreRemovedFromTheNewBoard) {
    load({"oooooo", "oooooo", "oooooo", "oooooo"}, 2, 3);
    setKinds({"111111", "111111", "111111", "111111"});
    removeReadyLines();
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 6; c++) {
            const int k = kindAt(r, c);
            if (c >= 1 && c <= 4) {
                EXPECT_FALSE(kindAt(r, c - 1) == k && kindAt(r, c + 1) == k) << r << "," << c;
            }
            if (r >= 1 && r <= 2) {
                EXPECT_FALSE(kindAt(r - 1, c) == k && kindAt(r + 1, c) == k) << r << "," << c;
            }
        }
}

TEST_F(SwapTest, LinesOfFallingPiecesWaitUntilTheyLand) {
    load({"o", "o", "o", "o"}, 2, 3);
    setKinds({"1", "1", "1", "2"});
    for (int r = 0; r < 3; r++) itemFalling[itemAt(r, 0)] = 1;
    gameFrame = 160;
    swapLineCheck();
    EXPECT_EQ(selReady, 0);
    for (int r = 0; r < 3; r++) itemFalling[itemAt(r, 0)] = 0;
    swapLineCheck();
    EXPECT_EQ(selReady, 1);
    EXPECT_EQ(selCount, 3);
}

TEST_F(ChainTest, InputWaitsForTheOpeningAndIsShutWhileSomethingElseRuns) {
    struct Gate {
        const char* what;
        int* flag;
        int value;
    } gates[] = {{"popup", &gRunPopup, 16},   {"power-up", &powerUpBusy, 1},
                 {"win", &winCounter, 1},     {"shuffle", &shuffleRadius, 1},
                 {"opening", &gameFrame, 100}};
    for (const Gate& g : gates) {
        const int old = *g.flag;
        *g.flag = g.value;
        pointTo(0, 0);
        press();
        gameFrame -= 1; // step moves it on again
        step();
        release();
        EXPECT_EQ(selCount, 0) << g.what;
        EXPECT_EQ(cellHover[cellAt(0, 0)], 0) << g.what;
        *g.flag = old;
        shuffleRadius = 0;
    }
    pointTo(0, 0);
    press();
    step();
    EXPECT_EQ(selCount, 1);
    EXPECT_EQ(cellHover[cellAt(0, 0)], 9);
    release();
    step();
}

TEST_F(SwapTest, PairBrokenWhileTravellingIsDropped) {
    // The swap would make a line of 1s in column 0; a blast takes the first
    // piece of the pair on its way. At the decision the pair is no longer
    // whole: nothing is exchanged, and the board refills as after any blast.
    load({"oooo", "oooo", "oooo", "oooo"}, 2, 3);
    setKinds({"1234", "2143", "1312", "3421"});
    const int first = itemAt(1, 0), second = itemAt(1, 1);
    swapPieces(1, 0, 1, 1);
    ASSERT_EQ(swapProgress, 12);
    removePiece(first, 30); // as a blast or a power-up would
    step(6);
    EXPECT_EQ(swapProgress, 0);
    EXPECT_EQ(swapFirst, 0);
    EXPECT_EQ(itemKind[second], 1) << "the partner keeps its kind and its place";
    EXPECT_EQ(itemX[second], gridX(1));
    settle();
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++)
            EXPECT_NE(itemAt(r, c), 0) << r << "," << c;
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(piecesInColumn(c), 4) << c;
}
