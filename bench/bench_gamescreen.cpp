// Cost of one game-screen frame (rules and drawing, with the frame cleared
// before and presented after), headless on the CPU, on level 90
// of the generated data: at rest, and in the worst case of 1,099 particles
// alive, every column refilling, a shuffle wave and the fading win panel.
#include "app/globals.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "bench/refill.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/besttimes.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/gamescreen/gameload.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

constexpr int kLevel = 90; // one of the fullest boards

struct GameSetup {
    std::unique_ptr<harness::HeadlessEnv> env;
    std::filesystem::path oldCwd;
    bool ok = false;

    GameSetup() {
        env = std::make_unique<harness::HeadlessEnv>();
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(VARNOKA_GAME_DIR);
        if (!std::filesystem::exists("data/levels/lvla090.lvl") || !game::start()) return;
        TSpieler& pl = gs::loadGameData(kLevel);
        pl.loadAllItemsToDestroyFromDisk("data/levels/lvla000.lvl");
        for (int k = 1; k <= 5; k++) pl.itemsToDestroyData[kLevel][k] = 100000; // never won by itself
        gInputEnabled = 0;
        screenGamePrepare();
        for (int i = 0; i < 220; i++) game::step(1); // past the opening, fully bright
        ok = gScreen == SCREEN_GAME;
    }
    ~GameSetup() {
        game::stop();
        std::filesystem::current_path(oldCwd);
    }
};

void frame() {
    Cls();
    gameScreenFrame();
    Flip(0);
}

void fillParticles() {
    static const int kTypes[5] = {1, 101, 151, 201, 1001};
    for (int n = 0;; n++) {
        const int type = kTypes[n % 5] + n % 9;
        if (spawnParticle(RandomInt(40, 980), RandomInt(80, 700), type, RandomInt(-3, 3), RandomInt(-6, 0)) == 0) break;
    }
}

void BM_GameScreenFrameAtRest(benchmark::State& state) {
    GameSetup g;
    if (!g.ok) {
        state.SkipWithError("the generated data folder is missing");
        return;
    }
    for (auto _ : state) frame();
    state.SetLabel("level 90, particles alive at the end: " + std::to_string(countParticles()));
}
BENCHMARK(BM_GameScreenFrameAtRest)->Unit(benchmark::kMillisecond);

void BM_GameScreenFrameWorstCase(benchmark::State& state) {
    GameSetup g;
    if (!g.ok) {
        state.SkipWithError("the generated data folder is missing");
        return;
    }
    double alive = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) & 1) fillParticles();
        alive += countParticles();
        if (state.range(0) & 4) refillEveryColumn();
        if ((state.range(0) & 8) && shuffleRadius == 0) shuffleRadius = 1;
        // The panel fading in while the rules and the board still run.
        winCounter = (state.range(0) & 2) ? 79 : 0;
        state.ResumeTiming();
        frame();
    }
    state.counters["particles"] = benchmark::Counter(alive, benchmark::Counter::kAvgIterations);
}
// The argument picks the loads: 1 the particle table full, 2 the win panel, 4
// every column refilling, 8 the shuffle wave; 15 is the worst case, the others
// show the share of each load.
BENCHMARK(BM_GameScreenFrameWorstCase)->Arg(15)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace
