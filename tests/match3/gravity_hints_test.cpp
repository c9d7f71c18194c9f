// Falling and refill, hints, the rescue bomb and the shuffle wave.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/profile.h"

#include <algorithm>
#include <functional>
#include <utility>

using namespace m3test;

class GravityTest : public BoardTest {};

TEST_F(GravityTest, ThreeNewPiecesFollowOneAnother48Apart) {
    load({"o", "o", "o", "o"}, 2, 1);
    setKinds({"1", "1", "1", "2"});
    const int bottom = itemAt(3, 0);
    drag({{0, 0}, {1, 0}, {2, 0}});
    ASSERT_EQ(curPlayer().LevelPoints, 135);
    std::vector<int> fresh;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && itemY[s] == -20) fresh.push_back(s);
    ASSERT_EQ(fresh.size(), 3u);
    for (int f = 0; f < 40; f++) {
        step();
        // Pieces still waiting at the entry point share it; the others keep a
        // full cell between them.
        std::vector<int> ys;
        for (int s : fresh)
            if (itemY[s] != -20) ys.push_back(itemY[s]);
        std::sort(ys.begin(), ys.end());
        for (size_t i = 1; i < ys.size(); i++) ASSERT_GE(ys[i] - ys[i - 1], 48) << "frame " << f;
        if (f == 0) {
            EXPECT_EQ(ys.size(), 1u) << "only the first piece moves on at once";
        }
    }
    EXPECT_EQ(itemAt(3, 0), bottom);
    for (int r = 0; r < 3; r++) {
        const int s = itemAt(r, 0);
        ASSERT_NE(s, 0);
        EXPECT_EQ(itemCell[s], cellAt(r, 0));
        EXPECT_EQ(cellItem[cellAt(r, 0)], s);
        EXPECT_EQ(itemFalling[s], 0);
    }
}

TEST_F(GravityTest, NothingFallsBeforeFrame51AndWhilePowerUpOneAims) {
    load({"o", "o", "o"}, 2, 1);
    const int top = itemAt(0, 0);
    freeItem(itemAt(2, 0));
    gameFrame = 0;
    step(50);
    EXPECT_EQ(itemY[top], gridY(0));
    EXPECT_NE(itemCell[top], 0);
    puState[1] = 1;
    step(5);
    EXPECT_EQ(itemY[top], gridY(0));
    EXPECT_EQ(itemCell[top], 0) << "every piece counts as falling while slot 1 aims";
    EXPECT_EQ(itemFalling[top], 1);
    puState[1] = 0;
    step();
    EXPECT_EQ(itemY[top], gridY(0) + 12);
    EXPECT_EQ(itemBounce[top], -1);
    settle();
    EXPECT_EQ(itemY[top], gridY(1));
    EXPECT_EQ(itemAt(2, 0) != 0, true);
}

TEST_F(GravityTest, PieceOverTheFloorMarkerStaysPut) {
    load({"o"}, 2, 1);
    const int s = itemAt(0, 0);
    step(20);
    EXPECT_EQ(itemY[s], gridY(0));
    EXPECT_EQ(itemFalling[s], 0);
    EXPECT_EQ(itemCell[s], cellAt(0, 0));
}

class HintTest : public BoardTest {
  protected:
    // Moves the game clock so the next frame is an examination frame.
    void beforeExamination() { gameFrame = 300; }
};

TEST_F(HintTest, ChainHintLightsTheGroupAfter400IdleFrames) {
    load({"oooo", "oooo"}, 2, 1);
    setKinds({"1112", "2323"});
    idleFrames = 400;
    beforeExamination();
    step();
    EXPECT_EQ(idleFrames, 0);
    EXPECT_EQ(itemHint[itemAt(0, 0)], 1);
    EXPECT_EQ(itemHint[itemAt(0, 1)], 1);
    EXPECT_EQ(itemHint[itemAt(1, 2)], 0);
    EXPECT_EQ(itemHint[itemAt(0, 3)], 0);
    // Not idle long enough: the move is found but not shown.
    itemHint[itemAt(0, 0)] = 0;
    idleFrames = 10;
    beforeExamination();
    step();
    EXPECT_EQ(idleFrames, 11);
    EXPECT_EQ(itemHint[itemAt(0, 0)], 0);
}

TEST_F(HintTest, BoardWithoutMovesGetsOneRescueBomb) {
    load({"ooooo", "ooooo", "ooooo"}, 2, 2);
    setKinds({"12121", "21212", "12121"});
    idleFrames = 101;
    gameFrame = 290;
    step(10); // frames 291..300: not an examination yet
    EXPECT_EQ(rescueBombMade, 0);
    step();   // 301
    EXPECT_EQ(rescueBombMade, 1);
    int bombs = 0, bomb = 0;
    for (int s = 1; s <= kItems; s++)
        if (itemKind[s] == KIND_BOMB) bombs++, bomb = s;
    EXPECT_EQ(bombs, 1);
    // No second rescue bomb until a bomb has gone off.
    idleFrames = 200;
    gameFrame = 450;
    step();
    bombs = 0;
    for (int s = 1; s <= kItems; s++) bombs += itemKind[s] == KIND_BOMB;
    EXPECT_EQ(bombs, 1);
    explodeBomb(bomb);
    EXPECT_EQ(rescueBombMade, 0);
}

namespace {

// Whether swapping some pair of neighbouring colour pieces makes a line of three.
std::vector<std::pair<int, int>> swapMoves(int rows, int cols, const std::function<int(int, int)>& kindAt) {
    std::vector<std::vector<int>> k(rows, std::vector<int>(cols));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) k[r][c] = kindAt(r, c);
    auto line = [&]() {
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++) {
                if (c + 2 < cols && k[r][c] == k[r][c + 1] && k[r][c] == k[r][c + 2]) return true;
                if (r + 2 < rows && k[r][c] == k[r + 1][c] && k[r][c] == k[r + 2][c]) return true;
            }
        return false;
    };
    std::vector<std::pair<int, int>> moves;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            for (auto [dr, dc] : {std::pair{0, 1}, std::pair{1, 0}}) {
                if (r + dr >= rows || c + dc >= cols) continue;
                std::swap(k[r][c], k[r + dr][c + dc]);
                if (line()) moves.push_back({r * cols + c, (r + dr) * cols + c + dc});
                std::swap(k[r][c], k[r + dr][c + dc]);
            }
    return moves;
}

} // namespace

TEST_F(HintTest, SwapHintPointsTheWay) {
    load({"ooo", "ooo", "ooo"}, 2, 3);
    setKinds({"142", "315", "114"});
    auto moves = swapMoves(3, 3, [this](int r, int c) { return kindAt(r, c); });
    idleFrames = 401;
    beforeExamination();
    step();
    ASSERT_NE(hintPiece1, 0);
    EXPECT_EQ(itemHint[hintPiece1], 1);
    EXPECT_EQ(itemHint[hintPiece2], 1);
    EXPECT_EQ(cellArrow[itemCell[hintPiece1]], hintDir);
    // The hinted move is a real one: hintPiece1 moves in hintDir onto hintPiece2.
    auto posOf = [this](int slot) {
        for (int r = 0; r < 3; r++)
            for (int c = 0; c < 3; c++)
                if (itemAt(r, c) == slot) return r * 3 + c;
        return -1;
    };
    const int a = posOf(hintPiece1), b = posOf(hintPiece2);
    static const int kStep[5] = {0, 1, -1, 3, -3};
    EXPECT_EQ(b - a, kStep[hintDir]);
    EXPECT_NE(std::find(moves.begin(), moves.end(), std::make_pair(std::min(a, b), std::max(a, b))), moves.end());
}

TEST_F(HintTest, SwapMoveEndingALineFromBelowIsNotSeen) {
    load({"ooo", "ooo", "ooo"}, 2, 3);
    setKinds({"143", "154", "213"});
    auto moves = swapMoves(3, 3, [this](int r, int c) { return kindAt(r, c); });
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(6, 7));
    idleFrames = 401;
    beforeExamination();
    step();
    EXPECT_EQ(hintPiece1, 0);
    EXPECT_EQ(rescueBombMade, 1);
}

class ShuffleTest : public BoardTest {};

TEST_F(ShuffleTest, WaveRerollsColoursOnlyAndEndsAfter40Frames) {
    std::vector<std::string> rows(10, std::string(18, 'o'));
    rows[2][3] = 'S';
    rows[0][5] = 'B';
    load(rows, 10, 1);
    itemKind[itemAt(5, 5)] = KIND_BOMB;
    itemKind[itemAt(6, 6)] = KIND_JOKER;
    std::vector<int> before(kItems + 1);
    for (int s = 1; s <= kItems; s++) before[s] = itemKind[s];
    shuffleRadius = 1;
    gMouseDown = 1;
    pointTo(4, 4);
    int frames = 0;
    while (shuffleRadius > 0 && frames < 100) {
        step();
        frames++;
        EXPECT_EQ(selCount, 0) << "no input while the wave runs";
    }
    gMouseDown = 0;
    EXPECT_EQ(frames, 40);
    int changed = 0;
    for (int s = 1; s <= kItems; s++) {
        if (before[s] == KIND_STONE || before[s] == KIND_BEETLE || before[s] == KIND_BOMB ||
            before[s] == KIND_JOKER || before[s] == KIND_FLOOR) {
            EXPECT_EQ(itemKind[s], before[s]) << s;
        }
        changed += itemKind[s] != before[s];
    }
    EXPECT_GT(changed, 40);
}

TEST_F(GravityTest, LowerRunOfAColumnIsRefilledThroughTheGap) {
    load({"oo", "oo", "..", "..", "oo", "oB"}, 2, 2);
    EXPECT_EQ(refillEntryY(gridX(0), gridY(0)), -20);
    EXPECT_EQ(refillEntryY(gridX(0), gridY(5)), gridY(2));
    // The beetle on the floor of the lower run leaves; its replacement comes
    // through the gap.
    const int upperTop = itemAt(0, 0), upperBottom = itemAt(1, 1);
    settle();
    EXPECT_EQ(curPlayer().anzKaefer, 1);
    EXPECT_NE(itemAt(5, 1), 0);
    setKinds({"12", "21", "", "", "33", "34"});
    clickAt(4, 0); // the three 3s of the lower run
    ASSERT_EQ(curPlayer().LevelPoints, 500 + 135);
    int entering = 0;
    for (int s = 1; s <= kItems; s++) {
        if (isBoardPiece(itemKind[s]) && itemY[s] == gridY(2)) entering++;
    }
    EXPECT_EQ(entering, 3) << "the replacements start in the gap under the upper run";
    settle();
    EXPECT_EQ(itemAt(0, 0), upperTop);
    EXPECT_EQ(itemAt(1, 1), upperBottom);
    for (int r : {4, 5}) {
        for (int c : {0, 1}) EXPECT_NE(itemAt(r, c), 0) << r << "," << c;
    }
    for (int s = 1; s <= kItems; s++) {
        if (isBoardPiece(itemKind[s])) {
            EXPECT_NE(itemCell[s], 0) << "no piece is left over above a run";
        }
    }
}

TEST_F(GravityTest, PieceTakenAtTheGapsEdgeIsReplacedInTheLowerRun) {
    // Replacements for the lower run wait at the upper run's floor marker; one
    // taken there (by a blast, say) belongs to the lower run, and so does its
    // own replacement: nothing is left above the board, no cell stays empty.
    load({"o", "o", ".", ".", "o", "o", "o"}, 2, 2);
    EXPECT_EQ(refillEntryY(gridX(0), gridY(2)), gridY(2));
    setKinds({"1", "2", "", "", "3", "3", "3"});
    clickAt(4, 0);
    int waiting = 0;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && itemY[s] == gridY(2)) waiting = s;
    ASSERT_NE(waiting, 0);
    removePiece(waiting, 30);
    settle();
    for (int r : {0, 1, 4, 5, 6})
        EXPECT_NE(itemAt(r, 0), 0) << r;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s])) {
            EXPECT_NE(itemCell[s], 0) << "a piece is left at " << itemY[s];
        }
}

TEST_F(GravityTest, BoardFillingTheItemTableExactlyKeepsEveryCellFilled) {
    // 137 cells and 13 column segments take all 150 item slots. Replacements
    // are added while the pieces they replace still hold their slots, and
    // must find one all the same: for a broken stone, an escaping beetle and
    // the pieces of a group.
    std::vector<std::string> rows(10, "ooooooooooooo");
    rows[3] = "ooSoooooooooo";
    rows[9] = "ooooooooBoooo"; // on the floor of its column: it leaves at once
    rows.push_back("ooooooo");
    load(rows, 2, 2);
    auto used = [] {
        int n = 0;
        for (int s = 1; s <= kItems; s++)
            n += itemKind[s] != 0;
        return n;
    };
    ASSERT_EQ(used(), 150 - 7) << "the stone swallowed the seven pieces below it";
    breakStoneOrDoor(itemAt(3, 2)); // as a blast would
    EXPECT_EQ(used(), 150);
    settle(400); // the column falls into the cells the stone covered
    EXPECT_EQ(curPlayer().anzKaefer, 1);
    setKinds({"1111111111111", "2222222222222"});
    clickAt(0, 0); // the group of 13 along the top
    EXPECT_EQ(curPlayer().anzItems, 1 + 13);
    settle(400);
    EXPECT_EQ(used(), 150);
    for (int r = 0; r < 11; r++)
        for (int c = 0; c < (r < 10 ? 13 : 7); c++)
            EXPECT_NE(itemAt(r, c), 0) << r << "," << c;
}

TEST_F(HintTest, SwapSearchMovesOnlyWhatThePlayerCanMove) {
    // The only line would need the joker or the door to move; the player can
    // move neither, so the board has no move and the rescue bomb comes.
    struct Case {
        const char* what;
        std::vector<std::string> cells, kinds;
    };
    const Case cases[] = {
        {"joker", {"ooo", "ooo", "ooo"}, {"414", "1j1", "525"}},
        {"door", {"ooo", "oDo", "ooo"}, {"414", "1 1", "5 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        load(c.cells, 2, 3);
        setKinds(c.kinds);
        rescueBombMade = 0;
        idleFrames = 401;
        beforeExamination();
        step();
        EXPECT_EQ(hintPiece1, 0);
        EXPECT_EQ(rescueBombMade, 1);
    }
}
