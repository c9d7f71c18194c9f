// A short random-play soak over every shipped level and the hand-made split
// boards; the long one is the soak_rules program of `make soak`.
#include "rulesoak.h"

#include "tests/harness/harness.h"

namespace {

void expectSound(const soak::Result& r) {
    EXPECT_EQ(r.violations, 0);
    for (const std::string& m : r.messages)
        ADD_FAILURE() << m;
    EXPECT_GT(r.rests, r.frames / 20) << "the board should come to rest now and then";
}

} // namespace

TEST(RuleSoak, EveryLevelInEveryGameTypeKeepsTheBoardSound) {
    harness::HeadlessEnv env(false); // nothing is drawn: no display
    soak::Result r;
    for (int level = 1; level <= 100; level++) {
        soak::Options opt;
        opt.levels = {level};
        opt.modes = {level % 4}; // chain, group, swap and switching, in turn
        opt.framesPerRun = 600;
        opt.seed = 700 + level;
        ASSERT_TRUE(soak::playShipped(VARNOKA_GAME_DIR, opt, r)) << "the generated data folder is missing";
    }
    expectSound(r);
    EXPECT_GT(r.actions, 1000);
}

TEST(RuleSoak, SplitColumnsAndAFullItemTableKeepTheBoardSound) {
    harness::HeadlessEnv env(false);
    soak::Options opt;
    opt.modes = {1, 2, 3, 0};
    opt.framesPerRun = 1500;
    opt.seed = 31;
    soak::Result r;
    ASSERT_TRUE(soak::playHandMade(VARNOKA_GAME_DIR, opt, r));
    expectSound(r);
    EXPECT_EQ(r.frames, 3 * 4 * 1500);
}
