// The long random-play soak: every shipped level in chain, group and swap mode
// and switching between them, and the hand-made split boards, with the board
// checked after every frame; the hand-made boards play ten times as long. Prints the frames run and the
// violations found; exits 1 when there were any.
//   soak_rules [frames per level and mode, default 2500]
#include "tests/harness/harness.h"
#include "tests/match3/rulesoak.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 2500;
    harness::HeadlessEnv env(false);
    soak::Options opt;
    for (int level = 1; level <= 100; level++)
        opt.levels.push_back(level);
    opt.modes = {1, 2, 3, 0};
    opt.framesPerRun = frames > 0 ? frames : 2500;
    opt.seed = 1;
    soak::Result r;
    soak::Options handMade = opt;
    handMade.framesPerRun = opt.framesPerRun * 10; // three boards against a hundred: give them time
    if (!soak::playShipped(VARNOKA_GAME_DIR, opt, r) || !soak::playHandMade(VARNOKA_GAME_DIR, handMade, r)) {
        std::fprintf(stderr, "soak_rules: no usable data folder in %s\n", VARNOKA_GAME_DIR);
        return 1;
    }
    for (const std::string& m : r.messages)
        std::printf("violation: %s\n", m.c_str());
    std::printf("rules soak: %lld frames run, %lld at rest, %lld moves, %lld levels won, %lld violations\n",
                r.frames, r.rests, r.actions, r.wins, r.violations);
    return r.violations == 0 ? 0 : 1;
}
