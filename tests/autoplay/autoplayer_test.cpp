// The autoplayer on shipped levels: a run depends only on its level, strategy
// and seed; single-type players never switch; a switch and a power-up count
// as moves; a run stops at its move cap.
#include "tests/harness/harness.h"
#include "tools/autoplay/autoplayer.h"
#include "tools/autoplay/playfolder.h"

using autoplay::RunResult;
using autoplay::Strategy;

namespace {

void expectSameRun(const RunResult& a, const RunResult& b, const char* what) {
    EXPECT_EQ(a.won, b.won) << what;
    EXPECT_EQ(a.moves, b.moves) << what;
    EXPECT_EQ(a.frames, b.frames) << what;
    EXPECT_EQ(a.switches, b.switches) << what;
    EXPECT_EQ(a.powerUps, b.powerUps) << what;
    EXPECT_EQ(a.mossDone, b.mossDone) << what;
}

} // namespace

class AutoplayerTest : public ::testing::Test {
  protected:
    harness::HeadlessEnv env{false};
    autoplay::PlayFolder folder{VARNOKA_GAME_DIR, false};
};

TEST_F(AutoplayerTest, EveryStrategyWinsAndReplaysTheSameRun) {
    ASSERT_TRUE(folder.ready()) << "the generated data folder is missing";
    const autoplay::Limits limits;
    for (const Strategy s : autoplay::kStrategies) {
        const char* name = autoplay::strategyName(s);
        const RunResult first = autoplay::playRun(6, s, 7, limits);
        autoplay::playRun(44, s, 1, limits); // another level in between leaves no trace
        const RunResult again = autoplay::playRun(6, s, 7, limits);
        expectSameRun(first, again, name);
        EXPECT_TRUE(first.won) << name;
        EXPECT_GT(first.frames, 0) << name;
        EXPECT_GE(first.moves, first.switches + first.powerUps) << name;
        EXPECT_GE(first.mossDone, 0) << name;
        EXPECT_GE(first.quotaDone, 0) << name;
        if (s != Strategy::Best) {
            EXPECT_EQ(first.switches, 0) << name;
        }
    }
    // Other seeds deal other boards.
    const RunResult a = autoplay::playRun(6, Strategy::Best, 1, limits);
    const RunResult b = autoplay::playRun(6, Strategy::Best, 2, limits);
    EXPECT_TRUE(a.frames != b.frames || a.moves != b.moves);
}

TEST_F(AutoplayerTest, ARunStopsAtItsMoveCap) {
    ASSERT_TRUE(folder.ready());
    autoplay::Limits limits;
    limits.moveCap = 3;
    const RunResult r = autoplay::playRun(90, Strategy::Chain, 1, limits);
    EXPECT_FALSE(r.won);
    EXPECT_EQ(r.moves, 3);
}

// Keyboard play: the same player with only key presses on the board cursor
// (arrows, Enter, Space held for chains, the keys of the types and power-ups)
// wins in every game type, on a level with stones, doors and beetles too, and
// replays the same run.
TEST_F(AutoplayerTest, KeyboardPlayWinsInEveryStrategyAndReplays) {
    ASSERT_TRUE(folder.ready());
    autoplay::Limits keys;
    keys.keyboard = true;
    for (const int level : {6, 44}) {
        for (const Strategy s : autoplay::kStrategies) {
            const std::string what = std::string(autoplay::strategyName(s)) + " level " + std::to_string(level);
            const RunResult first = autoplay::playRun(level, s, 3, keys);
            EXPECT_TRUE(first.won) << what;
            EXPECT_LE(first.moves, keys.moveCap) << what;
            if (level == 6) expectSameRun(first, autoplay::playRun(level, s, 3, keys), what.c_str());
        }
    }
}
