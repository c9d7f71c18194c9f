// Every shipped level, played once by the autoplayer's best-of-three player,
// is won within the move cap: a level that cannot be finished, or whose
// endgame drags, fails here.
#include "tests/harness/harness.h"
#include "tools/autoplay/autoplayer.h"
#include "tools/autoplay/playfolder.h"

TEST(LevelsPlay, EveryLevelIsWonByBestOfThreeWithinTheMoveCap) {
    harness::HeadlessEnv env(false); // nothing is drawn: no display
    autoplay::PlayFolder folder(VARNOKA_GAME_DIR, false);
    ASSERT_TRUE(folder.ready()) << "the generated data folder is missing";
    autoplay::Limits limits;
    limits.moveCap = 300;
    for (int level = 1; level <= 100; level++) {
        const autoplay::RunResult r = autoplay::playRun(level, autoplay::Strategy::Best, 1, limits);
        EXPECT_TRUE(r.won) << "level " << level << " not won within " << limits.moveCap << " moves";
    }
}
