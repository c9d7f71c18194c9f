// Every level file sets up a full, playable board through the game's own level
// loaders, the live one and the roadmap preview.
#include <gtest/gtest.h>

#include <cstdio>

#include "match3/board.h"
#include "persist/profile.h"
#include "tests/content/gamefolder.h"

using namespace contenttest;

namespace {

// The level's grid from its file: code r at row j, column k (1-based).
struct Grid {
    std::vector<int32_t> codes;
    int code(int j, int k) const {
        return (j < 1 || j > 13 || k < 1 || k > 20) ? -1 : codes[(j - 1) * 20 + (k - 1)];
    }
    bool cell(int j, int k) const { return j > 1 && k > 1 && code(j, k) >= 0 && code(j, k) <= 97; }
    // True when a stone or door above (j, k) in its column segment swallows the piece.
    bool covered(int j, int k) const {
        for (int r = j - 1; cell(r, k); --r)
            if (code(r, k) == 4 || code(r, k) == 5) return true;
        return false;
    }
};

Grid readGrid(int level) {
    char name[40];
    std::snprintf(name, sizeof name, "data/levels/lvla%03d.lvl", level);
    return Grid{le32(readBytes(name).value_or(""))};
}

int itemsAt(int x, int y, int kind) {
    int n = 0;
    for (int i = 1; i <= kItems; ++i) n += itemKind[i] == kind && itemX[i] == x && itemY[i] == y;
    return n;
}

} // namespace

class LevelLoader : public GameFolderTest {};

TEST_F(LevelLoader, EveryLevelSetsUpAFullBoard) {
    gCurPl = 1;
    TSpieler& pl = gPlayers[1];
    for (int level = 1; level <= 100; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Grid g = readGrid(level);
        ASSERT_EQ(g.codes.size(), 260u);
        pl.Level = level;
        pl.isResume = 0;
        Match3_LoadLevelFromDisk();
        int cells = 0, used = 0;
        for (int i = 1; i <= kCells; ++i) cells += cellActive[i] == 1;
        for (int i = 1; i <= kItems; ++i) used += itemKind[i] != KIND_NONE;
        int expectCells = 0, segments = 0;
        for (int j = 2; j <= 13; ++j)
            for (int k = 2; k <= 20; ++k) {
                if (!g.cell(j, k)) continue;
                ++expectCells;
                const int x = 48 * k - 16, y = 48 * j - 20, r = g.code(j, k);
                if (!g.cell(j + 1, k)) {
                    ++segments;
                    EXPECT_EQ(itemsAt(x, y + 48, KIND_FLOOR), 1) << "floor marker below row " << j << ", column " << k;
                }
                int expectKind = g.covered(j, k) ? -1 : r == 2 ? KIND_BEETLE : r == 4 ? KIND_STONE : r == 5 ? KIND_DOOR : 0;
                int pieces = 0, special = 0;
                for (int i = 1; i <= kItems; ++i) {
                    if (itemX[i] != x || itemY[i] != y || itemKind[i] == KIND_NONE) continue;
                    ++pieces;
                    if (itemKind[i] == expectKind) ++special;
                    if (itemKind[i] == KIND_BEETLE && level <= 5) {
                        EXPECT_EQ(itemKaefCol[i], level <= 3 ? 1 : level - 2) << "beetle colour";
                    }
                    if (level == 1) {
                        EXPECT_NE(itemKind[i], 4) << "level 1 never deals kind 4";
                    }
                }
                EXPECT_EQ(pieces, expectKind == -1 ? 0 : 1) << "row " << j << ", column " << k;
                if (expectKind > 0) {
                    EXPECT_EQ(special, 1) << "row " << j << ", column " << k;
                }
            }
        EXPECT_EQ(cells, expectCells);
        EXPECT_LE(used, kItemsUsed);
        EXPECT_GE(used, segments + 1);
    }
}

TEST_F(LevelLoader, EveryLevelHasARoadmapPreview) {
    gCurPl = 1;
    load_for_preview_match3();
    for (int level = 1; level <= 100; ++level) {
        Grid g = readGrid(level);
        int expectCells = 0, cells = 0;
        for (int j = 2; j <= 13; ++j)
            for (int k = 2; k <= 20; ++k) expectCells += g.cell(j, k);
        for (int i = 1; i <= kCells; ++i) cells += gPreview[level].cellValue[i] > 0;
        EXPECT_EQ(cells, expectCells) << "level " << level;
    }
}
