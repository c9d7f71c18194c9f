// Cost of drawing the board of a real level (underlay and pieces) headless on
// the CPU, and of the level picture alone blended or solid.
#include "app/globals.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tests/harness/harness.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

namespace {

// Runs from the generated installation folder with level 16 loaded and settled.
struct BoardScene {
    harness::HeadlessEnv env;
    std::string oldDir;
    bool ok = false;

    BoardScene() {
        char buf[4096];
        if (!getcwd(buf, sizeof buf)) return;
        oldDir = buf;
        if (chdir(VARNOKA_GAME_DIR) != 0) return;
        gCurPl = 1;
        gPlayers[1] = TSpieler();
        gPlayers[1].Level = 16;
        loadGamePictures();
        gamestuff_load();
        gPicLogoGlow.LoadFromDisk("data/effects/logoglow.png", -1);
        gPicLogoGlow.Center();
        Match3_LoadLevelFromDisk();
        predraw_level();
        gameFrame = 200;
        for (int f = 0; f < 120; f++) gravityPass();
        ok = imgLevel.data != nullptr;
    }
    ~BoardScene() {
        gCurPl = -1;
        if (!oldDir.empty() && chdir(oldDir.c_str()) != 0) return;
    }
};

void BM_BoardUnderlayAndPieces(benchmark::State& state) {
    BoardScene scene;
    if (!scene.ok) {
        state.SkipWithError("generated data missing");
        return;
    }
    boardAlpha = 1;
    for (auto _ : state) {
        Cls();
        SetBlend(BLEND_ALPHA);
        SetAlpha(1);
        drawBoardUnderlay();
        drawPieces();
        Flip(0);
    }
}
BENCHMARK(BM_BoardUnderlayAndPieces)->Unit(benchmark::kMillisecond);

void BM_LevelPictureOnly(benchmark::State& state) {
    BoardScene scene;
    if (!scene.ok) {
        state.SkipWithError("generated data missing");
        return;
    }
    const int blend = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Cls();
        SetBlend(blend);
        SetAlpha(1);
        imgLevel.PaintXY(kLevelPicX, kLevelPicY);
        Flip(0);
    }
    state.SetLabel(blend == BLEND_SOLID ? "solid" : "alpha");
}
BENCHMARK(BM_LevelPictureOnly)->Arg(BLEND_SOLID)->Arg(BLEND_ALPHA)->Unit(benchmark::kMillisecond);

} // namespace
