// The level files of the generated data folder and the level compiler's checks.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "tests/content/contentfiles.h"
#include "tests/content/levelfixture.h"

using namespace contenttest;

namespace {

std::string levelPath(int level) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "data/levels/lvla%03d.lvl", level);
    return buf;
}

// What the live loader makes of a level file: cell code r at (row, col), a cell
// where 0 <= r <= 97 and the row and column are above 1.
struct Board {
    std::vector<int32_t> codes;
    int code(int row, int col) const {
        if (row < 1 || row > 13 || col < 1 || col > 20) return -1;
        return codes[(row - 1) * 20 + (col - 1)];
    }
    bool cell(int row, int col) const {
        int r = code(row, col);
        return r >= 0 && r <= 97 && row > 1 && col > 1;
    }
    int count(int r) const {
        int n = 0;
        for (int row = 2; row <= 13; ++row)
            for (int col = 2; col <= 20; ++col) n += cell(row, col) && code(row, col) == r;
        return n;
    }
    int cells() const {
        int n = 0;
        for (int row = 2; row <= 13; ++row)
            for (int col = 2; col <= 20; ++col) n += cell(row, col);
        return n;
    }
    int segments() const {
        int n = 0;
        for (int row = 2; row <= 13; ++row)
            for (int col = 2; col <= 20; ++col) n += cell(row, col) && !cell(row + 1, col);
        return n;
    }
};

Board loadBoard(int level) {
    auto bytes = readBytes(gameDir() / levelPath(level));
    return Board{bytes ? le32(*bytes) : std::vector<int32_t>{}};
}

std::vector<int32_t> loadTargets() {
    auto bytes = readBytes(gameDir() / "data/levels/lvla000.lvl");
    return bytes ? le32(*bytes) : std::vector<int32_t>{};
}

int target(const std::vector<int32_t>& t, int level, int kind) { return t[(level - 1) * 5 + (kind - 1)]; }

} // namespace

TEST(GeneratedLevels, EveryLevelFitsTheBoardTables) {
    for (int level = 1; level <= 100; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        auto bytes = readBytes(gameDir() / levelPath(level));
        ASSERT_TRUE(bytes.has_value());
        ASSERT_EQ(bytes->size(), 1040u);
        Board b{le32(*bytes)};
        for (int col = 1; col <= 20; ++col) EXPECT_EQ(b.code(1, col), -1) << "row 1 holds a code";
        for (int row = 1; row <= 13; ++row) EXPECT_EQ(b.code(row, 1), -1) << "column 1 holds a code";
        for (int32_t r : b.codes) EXPECT_TRUE(r >= -1 && r <= 5) << "code " << r;
        for (int col = 2; col <= 20; ++col) {
            EXPECT_FALSE(b.cell(2, col)) << "row 2 lies above the board picture";
            int runs = 0;
            for (int row = 3; row <= 13; ++row) runs += b.cell(row, col) && !b.cell(row - 1, col);
            EXPECT_LE(runs, 1) << "column " << col << " needs one background strip";
        }
        EXPECT_GT(b.cells(), 0);
        EXPECT_LE(b.cells() + b.segments(), 150);
    }
}

TEST(GeneratedLevels, TargetsAreCompleteAndEveryLevelCanBeWonButNotAtOnce) {
    auto bytes = readBytes(gameDir() / "data/levels/lvla000.lvl");
    ASSERT_TRUE(bytes.has_value());
    ASSERT_EQ(bytes->size(), 2000u);
    auto t = le32(*bytes);
    EXPECT_EQ(target(t, 1, 4), 0) << "level 1 never deals kind 4";
    for (int level = 1; level <= 100; ++level) {
        int sum = 0;
        for (int kind = 1; kind <= 5; ++kind) {
            EXPECT_GE(target(t, level, kind), 0);
            EXPECT_LE(target(t, level, kind), 999);
            sum += target(t, level, kind);
        }
        EXPECT_TRUE(sum > 0 || loadBoard(level).count(3) > 0) << "level " << level << " is won on its first frame";
    }
}

TEST(GeneratedLevels, ProgressionIntroducesMossBeetlesStonesAndDoorsAndGrowsQuotas) {
    auto t = loadTargets();
    ASSERT_EQ(t.size(), 500u);
    EXPECT_GT(loadBoard(1).count(3), 0) << "moss from the first level";
    // One beetle each in levels 3, 4 and 5 (colours 1, 2, 3) charges three power-ups early.
    for (int level : {3, 4, 5}) EXPECT_GT(loadBoard(level).count(2), 0) << "no beetle in level " << level;
    int firstStone = 0, firstDoor = 0;
    for (int level = 100; level >= 1; --level) {
        if (loadBoard(level).count(4) > 0) firstStone = level;
        if (loadBoard(level).count(5) > 0) firstDoor = level;
    }
    EXPECT_EQ(firstStone, 7) << "stones come with their help page in level 7";
    EXPECT_GT(firstDoor, firstStone);
    EXPECT_LE(firstDoor, 20);
    auto weekTotal = [&](int week) {
        int s = 0;
        for (int level = week * 10 - 9; level <= week * 10; ++level)
            for (int kind = 1; kind <= 5; ++kind) s += target(t, level, kind);
        return s;
    };
    for (int week = 2; week <= 10; ++week) EXPECT_GT(weekTotal(week), weekTotal(week - 1)) << "week " << week;
}

TEST(LevelCompiler, AcceptsAValidSetAndWritesCodesRowByRow) {
    LevelFixture f;
    // 15 x 9 cells plus 15 segments: exactly the 150 item slots.
    f.writeLevel(50, GridText().fill(3, 11, 4, 18, 'o').set(3, 4, 'b').set(3, 18, 'S').set(4, 11, 'D').set(10, 11, 'm').text());
    RunResult r = f.run();
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto level = readBytes(f.out() / levelPath(50));
    ASSERT_TRUE(level.has_value());
    ASSERT_EQ(level->size(), 1040u);
    auto codes = le32(*level);
    auto at = [&](int row, int col) { return codes[(row - 1) * 20 + (col - 1)]; };
    EXPECT_EQ(at(1, 1), -1);
    EXPECT_EQ(at(3, 3), -1);
    EXPECT_EQ(at(3, 4), 2);
    EXPECT_EQ(at(3, 5), 0);
    EXPECT_EQ(at(3, 18), 4);
    EXPECT_EQ(at(4, 11), 5);
    EXPECT_EQ(at(10, 11), 3);
    EXPECT_EQ(at(12, 11), -1);
    auto targets = readBytes(f.out() / "data/levels/lvla000.lvl");
    ASSERT_TRUE(targets.has_value());
    ASSERT_EQ(targets->size(), 2000u);
    auto t = le32(*targets);
    EXPECT_EQ((std::vector<int32_t>{t[0], t[1], t[2], t[3], t[4], t[5]}), (std::vector<int32_t>{5, 5, 10, 0, 10, 5}));
}

TEST(LevelCompiler, RejectsBoardsTheGameCannotPlay) {
    struct Case {
        const char* name;
        std::function<std::string()> grid;
        const char* message;
    };
    const Case cases[] = {
        {"twelve rows", [] { auto g = validGrid(); g.rows.pop_back(); return g.text(); }, "12 rows, expected 13"},
        {"a long row", [] { auto g = validGrid(); g.rows[4] += "."; return g.text(); }, "row 5 has 21 characters"},
        {"unknown character", [] { return validGrid().set(6, 10, 'x').text(); }, "unknown character 'x' at row 6, column 10"},
        {"cell in row 1", [] { return validGrid().fill(1, 4, 11, 11, 'o').text(); }, "row 1 and column 1 never hold cells"},
        {"cell in column 1", [] { return validGrid().fill(3, 3, 1, 3, 'o').fill(3, 5, 2, 2, 'o').text(); },
         "a cell at row 3, column 1"},
        {"cell in row 2", [] { return validGrid().fill(2, 5, 11, 11, 'o').text(); },
         "a cell at row 2, column 11: the board picture starts below row 2"},
        {"column in two runs", [] { return validGrid().fill(11, 13, 9, 9, 'o').text(); },
         "column 9 is broken into 2 runs"},
        {"no cells", [] { return GridText().text(); }, "no cells"},
        {"151 item slots", [] { return GridText().fill(3, 11, 4, 18, 'o').set(12, 11, 'm').text(); },
         "need 151 item slots"},
        {"two lone cells", [] { return validGrid().fill(11, 11, 3, 4, 'o').text(); },
         "row 11, column 3 lies on no straight line of three cells"},
        {"moss in a strip two cells wide", [] { return validGrid().fill(10, 12, 10, 11, 'o').set(11, 10, 'm').text(); },
         "the moss at row 11, column 10 is trapped: its row is 2 cells wide there"},
        {"moss in a column of two cells", [] { return validGrid().fill(7, 8, 5, 8, 'o').set(7, 6, 'm').text(); },
         "the moss at row 7, column 6 is trapped: its column segment is 2 cells high"},
        {"moss on the lowest cell of a column", [] { return validGrid().set(9, 11, 'm').text(); },
         "the moss at row 9, column 11 is trapped: it lies on the lowest cell of its column segment"},
        {"beetle below a stone", [] { return validGrid().set(5, 9, 'S').set(7, 9, 'b').text(); },
         "beetle at row 7, column 9 lies below a stone or door"},
        {"door below a door", [] { return validGrid().set(5, 9, 'D').set(6, 9, 'D').text(); },
         "door at row 6, column 9 lies below a stone or door"},
        {"beetle at the bottom", [] { return validGrid().set(9, 10, 'b').text(); }, "starts on the lowest cell"},
        {"stone out of reach", [] { return validGrid().fill(3, 5, 3, 3, 'o').set(3, 3, 'S').text(); },
         "no piece can ever lie next to the stone at row 3, column 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LevelFixture f;
        f.writeLevel(50, c.grid());
        RunResult r = f.run();
        expectRejection(r, "levels/level050.txt");
        expectRejection(r, c.message);
    }
}

TEST(LevelCompiler, RejectsAMissingLevel) {
    LevelFixture f;
    fs::remove(f.dir.path / "content" / "levels" / "level100.txt");
    expectRejection(f.run(), "level100.txt");
}

TEST(LevelCompiler, RejectsTargetTablesThatBreakTheGame) {
    const std::string valid = LevelFixture::validTargets();
    auto without = [&](const std::string& line) {
        std::string s = valid;
        s.erase(s.find(line), line.size());
        return s;
    };
    struct Case {
        const char* name;
        std::string targets;
        int zeroLevel; // a level given no moss, 0 = none
        const char* message;
    };
    const Case cases[] = {
        {"missing level", without("100 5 5 10 10 10\n"), 0, "no targets for level 100"},
        {"level twice", valid + "42 1 1 1 1 1\n", 0, "level 42 given twice"},
        {"kind 4 in level 1", "1 5 5 10 3 10\n" + without("1 5 5 10 0 10\n"), 0, "kind 4"},
        {"negative target", without("7 5 5 10 10 10\n") + "7 5 -1 10 10 10\n", 0, "outside 0..999"},
        {"six numbers", without("7 5 5 10 10 10\n") + "7 5 5 10 10 10 4\n", 0, "expected \"level t1 t2 t3 t4 t5\""},
        {"nothing to do", without("9 5 5 10 10 10\n") + "9 0 0 0 0 0\n", 9, "would be won at once"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LevelFixture f;
        f.writeTargets(c.targets);
        if (c.zeroLevel) f.writeLevel(c.zeroLevel, GridText().fill(5, 9, 9, 13, 'o').text());
        expectRejection(f.run(), c.message);
    }
}
