// Level files, the live board set-up and the preview boards.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

#include <algorithm>

using namespace m3test;

namespace {

int countKind(int kind) {
    int n = 0;
    for (int s = 1; s <= kItems; s++)
        if (itemKind[s] == kind) n++;
    return n;
}

int activeCells() {
    int n = 0;
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c]) n++;
    return n;
}

int cellAtXY(int x, int y) {
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] && cellX[c] == x && cellY[c] == y) return c;
    return 0;
}

int itemAtXY(int x, int y) {
    for (int s = 1; s <= kItems; s++)
        if (itemKind[s] > 0 && itemX[s] == x && itemY[s] == y) return s;
    return 0;
}

std::vector<int> emptyLevel() { return std::vector<int>(260, -1); }
void put(std::vector<int>& v, int row, int col, int code) { v[(row - 1) * 20 + (col - 1)] = code; }

void loadLevel(int level) {
    curPlayer().Level = level;
    Match3_LoadLevelFromDisk();
}

} // namespace

TEST(LevelFileName, ThreeDigitsByCases) {
    EXPECT_EQ(levelFileName(7), "data/levels/lvla007.lvl");
    EXPECT_EQ(levelFileName(42), "data/levels/lvla042.lvl");
    EXPECT_EQ(levelFileName(100), "data/levels/lvla100.lvl");
}

TEST(BorderCodes, HighestMatchingRuleWins) {
    struct Case {
        bool n, s, w, e, ne, nw, se, sw;
        int code;
    } cases[] = {
        {false, true, true, true, false, false, true, true, 1},    // top edge of a block
        {true, false, true, true, true, true, false, false, 2},    // bottom edge
        {true, true, false, true, true, false, true, false, 3},    // left edge
        {false, false, false, true, false, false, false, false, 8}, // only east: 5, then 8
        {false, true, false, true, false, false, false, false, 5},  // E and S: 5 only
        {true, true, true, true, true, true, true, true, 0},       // inside
        {true, false, false, false, false, false, true, false, 23}, // N and SE: 9 then 23
        {false, false, true, false, true, false, false, false, 18}, // W and NE: 12 then 18
        {false, false, false, false, false, false, false, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(borderCodeFor(c.n, c.s, c.w, c.e, c.ne, c.nw, c.se, c.sw), c.code)
            << "case with code " << c.code;
}

class LoaderTest : public BoardTest {};

TEST_F(LoaderTest, RowOneAndColumnOneNeverHoldCells) {
    // (row, col) -> cell expected at (48col-16, 48row-20)?
    const struct {
        int row, col;
        bool cell;
    } cases[] = {{1, 5, false}, {2, 5, true}, {5, 1, false}, {5, 2, true}, {1, 1, false}, {13, 20, true}};
    auto v = emptyLevel();
    for (const auto& c : cases) put(v, c.row, c.col, 0);
    writeRawLevel(5, v);
    loadLevel(5);
    EXPECT_EQ(activeCells(), 3);
    for (const auto& c : cases)
        EXPECT_EQ(cellAtXY(48 * c.col - 16, 48 * c.row - 20) != 0, c.cell) << c.row << "," << c.col;
}

TEST_F(LoaderTest, CodeRangesForLiveAndPreviewBoards) {
    auto v = emptyLevel();
    put(v, 3, 3, 97);  // plain cell
    put(v, 3, 5, 98);  // no live cell, but a stored preview cell
    put(v, 3, 7, 6);   // plain cell
    put(v, 3, 9, -7);  // nothing anywhere
    for (int L = 1; L <= 100; L++) writeRawLevel(L, v);
    loadLevel(5);
    EXPECT_NE(cellAtXY(48 * 3 - 16, 3 * 48 - 20), 0);
    EXPECT_EQ(cellAtXY(48 * 5 - 16, 3 * 48 - 20), 0);
    EXPECT_NE(cellAtXY(48 * 7 - 16, 3 * 48 - 20), 0);
    EXPECT_EQ(activeCells(), 2);

    load_for_preview_match3();
    const PreviewBoard& p = gPreview[5];
    int stored = 0, pieces = 0;
    for (int c = 1; c <= kCells; c++)
        if (p.cellValue[c] > 0) {
            stored++;
            EXPECT_EQ(p.cellY[c], 3 * 48);
            if (p.cellX[c] == 5 * 48) {
                EXPECT_EQ(p.cellValue[c], 99);
            }
        }
    for (int s = 1; s <= kItems; s++)
        if (p.itemKind[s] > 0) {
            pieces++;
            EXPECT_NE(p.itemX[s], 5 * 48) << "the code-98 cell holds no piece";
        }
    EXPECT_EQ(stored, 3);
    EXPECT_EQ(pieces, 2);
    EXPECT_EQ(p.columnCount[5], 1);
}

TEST_F(LoaderTest, TwoRunsInAColumnGetTwoFloorMarkers) {
    load({"o", "o", ".", "o", "o", "o"});
    EXPECT_EQ(countKind(KIND_FLOOR), 2);
    EXPECT_EQ(itemKind[itemAtXY(gridX(0), gridY(2))], KIND_FLOOR);
    EXPECT_EQ(itemKind[itemAtXY(gridX(0), gridY(6))], KIND_FLOOR);
    EXPECT_EQ(columnCount[2], 5);
    EXPECT_EQ(columnTop[2], gridY(0));
    EXPECT_EQ(columnX[2], gridX(0));
}

TEST_F(LoaderTest, StoneAndDoorHeights) {
    // Column 0: five cells with a stone in the second; column 2: a door in the
    // lowest cell of its run; column 4: a door on top of three cells.
    load({"o.o.D", "S.o.o", "o.o.o", "o.D..", "o...."});
    const int stone = itemAt(1, 0);
    ASSERT_NE(stone, 0);
    EXPECT_EQ(itemKind[stone], KIND_STONE);
    EXPECT_EQ(itemHeight[stone], 4);
    EXPECT_EQ(itemAt(0, 0) != 0, true);
    for (int r = 2; r <= 4; r++) {
        EXPECT_EQ(itemAt(r, 0), 0) << "cell " << r << " is under the stone";
    }
    EXPECT_EQ(itemHeight[itemAt(3, 2)], 1);
    EXPECT_EQ(itemKind[itemAt(3, 2)], KIND_DOOR);
    EXPECT_EQ(itemHeight[itemAt(0, 4)], 3);
    EXPECT_EQ(cellStone[cellAt(1, 0)], 1);
    EXPECT_EQ(cellDoor[cellAt(0, 4)], 1);
}

TEST_F(LoaderTest, BeetleColoursByLevel) {
    const struct {
        int level, lo, hi;
    } cases[] = {{1, 1, 1}, {3, 1, 1}, {4, 2, 2}, {5, 3, 3}, {6, 1, 4}, {40, 1, 4}};
    for (const auto& c : cases) {
        load({"B", "o"}, c.level);
        const int b = itemAt(0, 0);
        ASSERT_EQ(itemKind[b], KIND_BEETLE);
        EXPECT_GE(itemKaefCol[b], c.lo) << "level " << c.level;
        EXPECT_LE(itemKaefCol[b], c.hi) << "level " << c.level;
    }
    // Preview: level 4 draws 1..2, level 5 1..3.
    bool seen2 = false, seen3 = false;
    for (int L = 1; L <= 100; L++) writeLevel(L, {"B", "o"});
    for (int round = 0; round < 20; round++) {
        load_for_preview_match3();
        for (int s = 1; s <= kItems; s++) {
            if (gPreview[4].itemKind[s] == KIND_BEETLE) {
                EXPECT_LE(gPreview[4].itemKaefCol[s], 2);
                seen2 |= gPreview[4].itemKaefCol[s] == 2;
            }
            if (gPreview[5].itemKind[s] == KIND_BEETLE) {
                EXPECT_LE(gPreview[5].itemKaefCol[s], 3);
                seen3 |= gPreview[5].itemKaefCol[s] == 3;
            }
            if (gPreview[2].itemKind[s] == KIND_BEETLE) {
                EXPECT_EQ(gPreview[2].itemKaefCol[s], 1);
            }
        }
    }
    EXPECT_TRUE(seen2);
    EXPECT_TRUE(seen3);
}

TEST_F(LoaderTest, RandomKindsByLevelAndFrame) {
    // Level 1 never yields colour 4; the left-out colour alternates between 2 and
    // 1 every 100 frames; from level 3 one piece in 300 is a bomb.
    curPlayer().Level = 1;
    for (int frame : {0, 150}) {
        gFrameCount = frame;
        const int excluded = frame == 0 ? 2 : 1;
        for (int n = 0; n < 2000; n++) {
            const int k = randomItemKind();
            ASSERT_TRUE(k >= 1 && k <= 5);
            ASSERT_NE(k, 4);
            ASSERT_NE(k, excluded);
        }
    }
    // The set-up of a level-1 board draws its pieces the same way.
    load(std::vector<std::string>(10, std::string(12, 'o')), 1);
    for (int s = 1; s <= kItems; s++) {
        EXPECT_NE(itemKind[s], 4);
        EXPECT_NE(itemKind[s], KIND_BOMB);
    }
    curPlayer().Level = 2;
    gFrameCount = 0;
    int bombs = 0, fours = 0;
    for (int n = 0; n < 3000; n++) fours += randomItemKind() == 4;
    EXPECT_GT(fours, 500);
    curPlayer().Level = 3;
    for (int n = 0; n < 30000; n++) bombs += randomItemKind() == KIND_BOMB;
    EXPECT_GT(bombs, 50);
    EXPECT_LT(bombs, 170);
}

TEST_F(LoaderTest, EveryCellGetsOnePieceAndTheBoardIsAtRest) {
    load({"ooo", "oMo", "ooo"});
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++) {
            const int s = itemAt(r, c);
            ASSERT_NE(s, 0);
            EXPECT_EQ(itemCell[s], cellAt(r, c));
        }
    EXPECT_EQ(cellMoss[cellAt(1, 1)], 1);
    EXPECT_EQ(cellBorder[cellAt(0, 1)], 1);
    EXPECT_EQ(cellBorder[cellAt(2, 1)], 2);
    EXPECT_EQ(cellBorder[cellAt(1, 1)], 0);
}

TEST_F(LoaderTest, SameLevelTwiceSameLayoutOtherColours) {
    std::vector<std::string> rows(8, std::string(12, 'o'));
    rows[2][3] = 'S';
    rows[5][7] = 'B';
    load(rows, 9);
    std::vector<int> borders(cellBorder + 1, cellBorder + kCells + 1), kinds;
    for (int s = 1; s <= kItems; s++) kinds.push_back(itemKind[s]);
    gFrameCount = 0;
    load(rows, 9);
    EXPECT_EQ(std::vector<int>(cellBorder + 1, cellBorder + kCells + 1), borders);
    int differ = 0;
    for (int s = 1; s <= kItems; s++) {
        const bool special = kinds[s - 1] == KIND_STONE || kinds[s - 1] == KIND_BEETLE || kinds[s - 1] == KIND_FLOOR;
        if (special) {
            EXPECT_EQ(itemKind[s], kinds[s - 1]);
        }
        differ += itemKind[s] != kinds[s - 1];
    }
    EXPECT_GT(differ, 10);
}

TEST_F(LoaderTest, MissingOrShortFileLeavesNoCellsAndLogs) {
    DebugLogCapture(true);
    DebugLogClear();
    curPlayer().Level = 77; // no file written
    Match3_LoadLevelFromDisk();
    EXPECT_EQ(activeCells(), 0);
    EXPECT_EQ(countKind(KIND_FLOOR), 0);
    bool logged = false;
    for (const auto& l : DebugLogLines()) logged |= l.find("lvla077") != std::string::npos;
    EXPECT_TRUE(logged);

    // A file cut after row 3: rows 2 and 3 exist, the rest reads as no cell.
    std::vector<int> v(260, 0);
    writeShortLevel(78, v, 60);
    DebugLogClear();
    curPlayer().Level = 78;
    Match3_LoadLevelFromDisk();
    EXPECT_EQ(activeCells(), 2 * 19);
    logged = false;
    for (const auto& l : DebugLogLines()) logged |= l.find("60 of 260") != std::string::npos;
    EXPECT_TRUE(logged);
    DebugLogCapture(false);
}

TEST_F(LoaderTest, ResumeRestoresTheSavedBoardAndIgnoresBeetleStarts) {
    writeLevel(12, {"BoM", "ooo", "ooo"});
    TSpieler& pl = curPlayer();
    pl.Level = 12;
    pl.isResume = 1;
    pl.resumeLevel = 12;
    pl.resumeGTGameType = 2;
    // A saved board: three pieces, one beetle with a colour out of range, one
    // piece of an unknown kind and a colour piece carrying a beetle colour.
    pl.resumeItemA[1] = 3, pl.resumeItemX[1] = gridX(0), pl.resumeItemY[1] = gridY(0), pl.resumeItemKaefCol[1] = 4;
    pl.resumeItemA[2] = 6, pl.resumeItemX[2] = gridX(1), pl.resumeItemY[2] = gridY(0), pl.resumeItemKaefCol[2] = 9;
    pl.resumeItemA[3] = 77, pl.resumeItemX[3] = gridX(2), pl.resumeItemY[3] = gridY(0), pl.resumeItemKaefCol[3] = -1;
    pl.resumeItemA[4] = 999, pl.resumeItemX[4] = gridX(0), pl.resumeItemY[4] = gridY(3), pl.resumeItemKaefCol[4] = -1;
    // A stone in a slot that had no stone at set-up (its height means nothing).
    pl.resumeItemA[5] = 7, pl.resumeItemX[5] = gridX(1), pl.resumeItemY[5] = gridY(1), pl.resumeItemKaefCol[5] = -1;
    pl.resumeCellStone[5] = 1;
    itemHeight[5] = 5000;
    pl.resumeCellMoss[3] = 0; // the moss was cleared before suspending
    Match3_LoadLevelFromDisk();
    EXPECT_EQ(itemHeight[5], 2) << "its own cell and the one below";
    EXPECT_EQ(pl.isResume, 0);
    EXPECT_EQ(pl.gtGameType, 2);
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c]) {
            EXPECT_EQ(cellBeetleStart[c], 0);
        }
    EXPECT_EQ(activeCells(), 9);
    EXPECT_EQ(cellMoss[3], 0);
    EXPECT_EQ(itemKind[1], 3);
    EXPECT_EQ(itemKaefCol[1], -1);
    EXPECT_EQ(itemKind[2], KIND_BEETLE);
    EXPECT_TRUE(itemKaefCol[2] >= 1 && itemKaefCol[2] <= 4);
    EXPECT_TRUE(isKnownItemKind(itemKind[3]));
    EXPECT_GT(itemKind[3], 0);
    EXPECT_EQ(itemKind[4], KIND_FLOOR);
    EXPECT_EQ(countKind(KIND_BEETLE), 1);
}

TEST_F(LoaderTest, RandomFilesOfAnyLengthLoadSafely) {
    std::vector<int> codes = {-1, 0, 1, 2, 3, 4, 5, 6, 97, 98, 99, 1000, -2147483647 - 1, 2147483647};
    for (int round = 0; round < 150; round++) {
        std::vector<int> v(260);
        for (int& x : v) x = codes[RandomInt(0, static_cast<int>(codes.size()) - 1)];
        writeShortLevel(20, v, RandomInt(0, 260));
        curPlayer().Level = 20;
        gFrameCount = RandomInt(0, 1000);
        Match3_LoadLevelFromDisk();
        int used = 0;
        for (int s = 1; s <= kItems; s++) {
            if (itemKind[s] == 0) continue;
            used++;
            ASSERT_LE(s, kItemsUsed);
            ASSERT_TRUE(isKnownItemKind(itemKind[s]));
            if (itemKind[s] == KIND_STONE || itemKind[s] == KIND_DOOR) {
                ASSERT_TRUE(itemHeight[s] >= 1 && itemHeight[s] <= 12);
            }
        }
        for (int c = 1; c <= kCells; c++) {
            if (!cellActive[c]) continue;
            ASSERT_TRUE(cellX[c] >= 80 && cellX[c] <= 944 && (cellX[c] + 16) % 48 == 0);
            ASSERT_TRUE(cellY[c] >= 76 && cellY[c] <= 604 && (cellY[c] + 20) % 48 == 0);
        }
        // A few frames of play on whatever came out.
        gameFrame = 100;
        for (int f = 0; f < 20; f++) step();
    }
}

TEST_F(LoaderTest, PreviewStonesSwallowTheirColumnAndDoorsAreIgnored) {
    for (int L = 1; L <= 100; L++) writeLevel(L, {"oo", "So", "oD", "oo", "Mo"});
    load_for_preview_match3();
    const PreviewBoard& p = gPreview[30];
    auto kindAt = [&](int row, int col) {
        for (int s = 1; s <= kItems; s++)
            if (p.itemKind[s] > 0 && p.itemX[s] == 48 * (col + 2) && p.itemY[s] == 48 * (row + 2)) return p.itemKind[s];
        return 0;
    };
    EXPECT_EQ(kindAt(1, 0), KIND_STONE);
    for (int r = 2; r <= 4; r++) EXPECT_EQ(kindAt(r, 0), 0) << "row " << r << " under the stone";
    EXPECT_GE(kindAt(0, 0), 1);
    for (int r = 0; r <= 4; r++) {
        const int k = kindAt(r, 1);
        EXPECT_TRUE(k >= 1 && k <= 5) << "row " << r << ": a door shows as a plain piece";
    }
    int moss = 0;
    for (int c = 1; c <= kCells; c++) moss += p.cellValue[c] > 0 && p.cellMoss[c];
    EXPECT_EQ(moss, 1);
    EXPECT_EQ(p.columnCount[2], 5);
    EXPECT_EQ(p.columnTop[2], 96);
}
