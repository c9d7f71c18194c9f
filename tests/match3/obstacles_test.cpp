// Bombs and their blasts, stones, doors, beetles and moss.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/profile.h"

using namespace m3test;

namespace {
int points() { return curPlayer().LevelPoints; }
} // namespace

class SpecialsTest : public BoardTest {};

TEST_F(SpecialsTest, BlastReachesTwentyCellsWithoutTheCorners) {
    load({"ooooo", "ooooo", "ooooo", "ooooo", "ooooo"}, 2, 2);
    setKinds({"12121", "21212", "12b21", "21212", "12121"});
    clickAt(2, 2);
    for (int r = 0; r < 5; r++)
        for (int c = 0; c < 5; c++) {
            const int dr = r - 2, dc = c - 2;
            const bool hit = dr * dr + dc * dc <= 5;
            EXPECT_EQ(itemAt(r, c) == 0, hit) << r << "," << c;
        }
    EXPECT_EQ(points(), 45 + 20 * 30);
    EXPECT_EQ(rescueBombMade, 0);
    // Pieces outside the radius wobble, the nearest the most.
    EXPECT_EQ(itemShake[itemAt(0, 0)], static_cast<int>(30 - 135 * 0.05));
}

TEST_F(SpecialsTest, ChainReactionScoresEachBomb) {
    load({"ooooo", "ooooo", "ooooo"}, 2, 2);
    setKinds({"12121", "2bb12", "12121"});
    clickAt(1, 1);
    // 13 colour pieces at 30, the second bomb 30, the clicked one 45.
    EXPECT_EQ(points(), 13 * 30 + 30 + 45);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 5; c++) {
            EXPECT_EQ(itemAt(r, c), 0);
        }
}

TEST_F(SpecialsTest, StoneOfHeightFourBrokenBySelectionNextToItsTop) {
    load({"oMo", "Soo", "ooo", "ooo", "ooo"}, 2, 1);
    const int stone = itemAt(1, 0);
    ASSERT_EQ(itemHeight[stone], 4);
    setKinds({"123", ".24", ".21", ".13", ".31"});
    drag({{0, 1}, {1, 1}, {2, 1}});
    EXPECT_EQ(points(), 500 + 3 * 45);
    EXPECT_EQ(itemKind[stone] == KIND_STONE, false);
    EXPECT_EQ(cellStone[cellAt(1, 0)], 0);
    EXPECT_EQ(curPlayer().anzItems, 4);
    EXPECT_EQ(curPlayer().anzMoss, 1);
    EXPECT_EQ(cellMoss[cellAt(0, 1)], 0);
    settle();
    EXPECT_EQ(piecesInColumn(0), 5);
    for (int r = 0; r < 5; r++) {
        EXPECT_NE(itemAt(r, 0), 0) << "row " << r;
    }
}

TEST_F(SpecialsTest, FrameEndSoundRequests) {
    load({"oMo", "Soo", "ooo"}, 2, 1);
    setKinds({"123", ".24", ".21"});
    pointTo(0, 1);
    press();
    step();
    pointTo(1, 1);
    step();
    pointTo(2, 1);
    step();
    release();
    step();
    EXPECT_EQ(stoneSoundX, gridX(0));
    EXPECT_EQ(mossSoundX, gridX(1));
}

TEST_F(SpecialsTest, DoorOpensIntoABombFromLevel82) {
    load({"ooo", "Doo", "ooo", "ooo"}, 82, 1);
    const int door = itemAt(1, 0);
    ASSERT_EQ(itemHeight[door], 3);
    setKinds({"123", ".24", ".21", ".13"});
    drag({{0, 1}, {1, 1}, {2, 1}});
    EXPECT_EQ(points(), 500 + 3 * 45);
    EXPECT_EQ(itemKind[door], KIND_BOMB);
    EXPECT_EQ(cellDoor[cellAt(1, 0)], 0);
    settle();
    EXPECT_EQ(itemAt(3, 0), door) << "the bomb fell to the bottom of the door's cells";
    EXPECT_EQ(piecesInColumn(0), 4);
}

TEST_F(SpecialsTest, StoneAndDoorNextToTwoSelectedPiecesAreHitOnce) {
    for (const char* fixed : {"S", "D"}) {
        load({"ooo", std::string("o") + fixed + "o", "ooo"}, 2, 1);
        const int f = itemAt(1, 1);
        ASSERT_EQ(itemHeight[f], 2);
        setKinds({"11.", "1.2", "3.3"});
        curPlayer().LevelPoints = 0;
        drag({{1, 0}, {0, 0}, {0, 1}});
        EXPECT_EQ(points(), 500 + 3 * 45) << fixed;
        settle();
        EXPECT_EQ(piecesInColumn(1), 3) << fixed;
    }
}

TEST_F(SpecialsTest, BlastBreaksAStoneOnceWithItsHeightInNewPieces) {
    load({"ooo", "oSo", "ooo", "ooo"}, 2, 2);
    const int stone = itemAt(1, 1);
    ASSERT_EQ(itemHeight[stone], 3);
    setKinds({"b12", "2.1", "1.2", "2.1"});
    clickAt(0, 0);
    EXPECT_EQ(cellStone[cellAt(1, 1)], 0);
    settle();
    EXPECT_EQ(piecesInColumn(1), 4);
    // Bomb 45, stone 500, and every other piece within reach 30.
    EXPECT_EQ(points() % 30, (45 + 500) % 30);
}

TEST_F(SpecialsTest, BeetleOnTheFloorLeavesAndChargesItsPowerUp) {
    struct Case {
        int colour, charge, puSlotShown;
        bool charged;
    } cases[] = {{2, 0, 2, true}, {2, 10000, 2, false}, {2, 0, 1, false}, {4, 500, 4, true}};
    for (const Case& c : cases) {
        load({"o", "B"}, 6, 1);
        const int beetle = itemAt(1, 0);
        ASSERT_EQ(itemKind[beetle], KIND_BEETLE);
        itemKaefCol[beetle] = c.colour;
        for (int k = 1; k <= 4; k++) puVisible[k] = 0;
        puVisible[c.puSlotShown] = 1;
        TSpieler& pl = curPlayer();
        pl.pu[c.colour] = c.charge;
        pl.pusoll[c.colour] = 0;
        pl.LevelPoints = pl.anzKaefer = pl.anzItems = 0;
        step();
        EXPECT_EQ(itemKind[beetle] == KIND_BEETLE, false);
        EXPECT_EQ(pl.pusoll[c.colour], c.charged ? 120 : 0) << "colour " << c.colour;
        EXPECT_EQ(pl.LevelPoints, 500);
        EXPECT_EQ(pl.anzKaefer, 1);
        EXPECT_EQ(pl.anzItems, 0);
        for (int k = 1; k <= 5; k++) {
            EXPECT_EQ(pl.itemsDestroyed[k], 0);
        }
        settle();
        EXPECT_EQ(piecesInColumn(0), 2);
    }
}

TEST_F(SpecialsTest, BeetleFallsWithThePiecesThenLeaves) {
    load({"B", "o", "o"}, 2, 1);
    setKinds({"B", "1", "2"});
    const int beetle = itemAt(0, 0);
    // A bomb removes the two pieces under the beetle.
    itemKind[itemAt(2, 0)] = KIND_BOMB;
    clickAt(2, 0);
    EXPECT_EQ(itemKind[beetle], KIND_BEETLE) << "blasts do not harm beetles";
    settle();
    EXPECT_EQ(curPlayer().anzKaefer, 1);
    EXPECT_EQ(piecesInColumn(0), 3);
}
