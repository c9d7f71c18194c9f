// The autoplayer's view of a board at rest: which game types have a move, and
// what a move would clear, checked against what the rules then do.
#include "tests/match3/board_fixture.h"

#include "game/gamestate.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "tools/autoplay/moves.h"

using namespace m3test;
using autoplay::Pos;

namespace {

// The autoplayer's position of fixture cell (row, col).
Pos at(int row, int col) { return {col + 2, row + 2}; }

autoplay::Board readBoard() {
    autoplay::Board b;
    b.read();
    return b;
}

int mossCells() {
    int n = 0;
    for (int c = 1; c <= kCells; c++) n += cellActive[c] && cellMoss[c] == 1;
    return n;
}

int stonesAndDoors() {
    int n = 0;
    for (int c = 1; c <= kCells; c++) n += cellActive[c] && (cellStone[c] == 1 || cellDoor[c] == 1);
    return n;
}

struct TypeCase {
    const char* name;
    std::vector<std::string> kinds;
    bool chain, group, swap;
};

} // namespace

class MovesTest : public BoardTest {};

TEST_F(MovesTest, EachGameTypeSeesTheMovesItsRulesTake) {
    const TypeCase cases[] = {
        {"rows of two colours each: nothing anywhere", {"12121", "34343", "12121", "34343"}, false, false, false},
        {"a pair and a third one swap away", {"11213", "34345", "25252", "43434"}, false, false, true},
        {"a joker between two of a colour", {"1j123", "34345", "25252", "43434"}, true, false, false},
        {"three in an L", {"11234", "14345", "25252", "43434"}, true, true, false},
        {"a bomb", {"12121", "34343", "121b1", "34343"}, true, true, true},
    };
    for (const TypeCase& c : cases) {
        load({"ooooo", "ooooo", "ooooo", "ooooo"});
        setKinds(c.kinds);
        const autoplay::Board b = readBoard();
        EXPECT_EQ(autoplay::anyMove(b, 1), c.chain) << c.name;
        EXPECT_EQ(autoplay::anyMove(b, 2), c.group) << c.name;
        EXPECT_EQ(autoplay::anyMove(b, 3), c.swap) << c.name;
        EXPECT_EQ(!autoplay::movesFor(b, 1, {}).empty(), c.chain) << c.name;
        EXPECT_EQ(!autoplay::movesFor(b, 2, {}).empty(), c.group) << c.name;
        EXPECT_EQ(!autoplay::movesFor(b, 3, {}).empty(), c.swap) << c.name;
    }
}

// A chain through a bomb: the blast takes moss two rows down and hits a stone
// that covers moss; the prediction must match the board after the release.
TEST_F(MovesTest, ChainThroughABombClearsWhatTheRulesClear) {
    load({"ooMoo", "oSooo", "oMoMo", "ooooM", "ooooo"});
    setKinds({"211b1", "3.232", "3.323", "32323", "23232"});
    const std::vector<Pos> path = {at(0, 1), at(0, 2), at(0, 3)};
    const autoplay::Effect e = autoplay::effectOf(readBoard(), path, {});
    EXPECT_EQ(e.moss, 2);
    EXPECT_EQ(e.uncovered, 1); // the moss under the stone
    EXPECT_EQ(e.obstacles, 1);
    EXPECT_EQ(e.bombs, 1);
    EXPECT_EQ(e.pieces, 10);

    const int moss = mossCells(), stones = stonesAndDoors(), items = curPlayer().anzItems;
    drag({{0, 1}, {0, 2}, {0, 3}});
    EXPECT_EQ(moss - mossCells(), e.moss);
    EXPECT_EQ(stones - stonesAndDoors(), e.obstacles);
    EXPECT_EQ(curPlayer().anzItems - items, e.pieces + e.obstacles);
}

// A group next to a door, and a swap that makes two lines at once.
TEST_F(MovesTest, GroupsAndSwapsClearWhatTheRulesClear) {
    load({"ooooo", "oMMoo", "ooMoo", "ooDoo"}, 2, 2);
    setKinds({"23434", "31135", "25152", "43.34"});
    std::vector<autoplay::Move> groups = autoplay::movesFor(readBoard(), 2, {});
    ASSERT_EQ(groups.size(), 1u);
    const autoplay::Effect g = groups[0].effect;
    EXPECT_EQ(g.moss, 3);
    EXPECT_EQ(g.obstacles, 1);
    EXPECT_EQ(g.pieces, 3);
    const int moss = mossCells(), doors = stonesAndDoors();
    const Pos p = groups[0].cells[0];
    clickAt(p.row - 2, p.col - 2);
    EXPECT_EQ(moss - mossCells(), g.moss);
    EXPECT_EQ(doors - stonesAndDoors(), g.obstacles);

    load({"ooooo", "ooooo", "ooooo", "ooMoo", "ooooo"}, 2, 3);
    setKinds({"12312", "23123", "11311", "24142", "35153"});
    const std::vector<autoplay::Move> swaps = autoplay::movesFor(readBoard(), 3, {});
    const autoplay::Move* cross = nullptr;
    for (const autoplay::Move& m : swaps)
        if (m.cells[0] == at(1, 2) && m.cells[1] == at(2, 2)) cross = &m;
    ASSERT_NE(cross, nullptr) << "the swap that makes a row and a column of 1";
    EXPECT_EQ(cross->effect.pieces, 7); // five in the row, two more in the column
    EXPECT_EQ(cross->effect.moss, 1);
    const int before = mossCells(), items = curPlayer().anzItems;
    clickAt(1, 2);
    clickAt(2, 2);
    for (int f = 0; f < 20 && curPlayer().anzItems == items; f++) step();
    EXPECT_EQ(curPlayer().anzItems - items, cross->effect.pieces);
    EXPECT_EQ(before - mossCells(), cross->effect.moss);
}

// A U of one colour through five moss cells, with a branch that leads nowhere:
// the chain search finds the path through all the moss.
TEST_F(MovesTest, ChainSearchFindsThePathThroughAllTheMoss) {
    load({"MoooM", "ooooo", "Moooo", "ooMoM"});
    setKinds({"12321", "13431", "12121", "11111"});
    const std::vector<autoplay::Move> chains = autoplay::movesFor(readBoard(), 1, {});
    ASSERT_FALSE(chains.empty());
    const autoplay::Move& best = chains.front();
    EXPECT_EQ(best.effect.moss, 5);
    for (size_t i = 1; i < best.cells.size(); i++) {
        const int dc = best.cells[i].col - best.cells[i - 1].col, dr = best.cells[i].row - best.cells[i - 1].row;
        EXPECT_EQ(dc * dc + dr * dr, 1) << "step " << i << " of the path is no neighbour";
    }
}
