// Rules-only frames per second on a full board: at rest, and with every column
// refilling while a shuffle wave runs. One core, no drawing.
#include "app/globals.h"
#include "bench/refill.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/rulesframe.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The level file: the compiled one when the generated data is at hand, else the
// level's text grid from the content sources, else a full board of our own (13
// columns of 10 cells: 130 pieces and 13 floor markers, inside the 150 items).
void writeCodes(int level, const std::vector<int32_t>& codes) {
    std::ofstream out(levelFileName(level), std::ios::binary);
    for (int32_t v : codes) out.write(reinterpret_cast<const char*>(&v), 4);
}

bool compileTextGrid(int level) {
    char name[32];
    std::snprintf(name, sizeof name, "level%03d.txt", level);
    const fs::path grid = fs::path(__FILE__).parent_path().parent_path() / "content" / "levels" / name;
    std::ifstream in(grid);
    if (!in) return false;
    std::vector<int32_t> codes;
    std::string line;
    while (std::getline(in, line) && codes.size() < 260) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        for (size_t k = 0; k < 20; k++) {
            const char ch = k < line.size() ? line[k] : '.';
            codes.push_back(ch == 'o' ? 0 : ch == 'b' ? 2 : ch == 'm' ? 3 : ch == 'S' ? 4 : ch == 'D' ? 5 : -1);
        }
    }
    codes.resize(260, -1);
    writeCodes(level, codes);
    return true;
}

const char* prepareLevelFile(int level) {
    const fs::path real = fs::path(VARNOKA_GAME_DIR) / levelFileName(level);
    fs::create_directories("data/levels");
    if (fs::exists(real)) {
        fs::copy_file(real, levelFileName(level), fs::copy_options::overwrite_existing);
        return "generated level file";
    }
    if (compileTextGrid(level)) return "level text grid";
    std::vector<int32_t> codes;
    for (int j = 1; j <= 13; j++)
        for (int k = 1; k <= 20; k++) codes.push_back((j >= 2 && j <= 11 && k >= 4 && k <= 16) ? 0 : -1);
    writeCodes(level, codes);
    return "own full board";
}

void makePicture(TBild& img, int w, int h, bool centre) {
    img.data = NewBlankPicture(w, h, 1, 0);
    Pixmap* pm = LockFrame(img.data.get(), 0, 1, 1);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) pm->at(x, y)[3] = 255;
    UnlockFrame(img.data.get(), 0);
    if (centre) CentrePictureHandle(img.data.get());
    img.isLoaded = 1;
}

// Level 90: one of the fullest boards (128 cells).
constexpr int kLevel = 90;

struct BoardSetup {
    std::string oldDir;
    std::string dir;
    std::string source;
    explicit BoardSetup(int gameType) {
        oldDir = fs::current_path().string();
        char tmpl[] = "/tmp/m3benchXXXXXX";
        dir = mkdtemp(tmpl);
        fs::current_path(dir);
        SeedRandom(7);
        if (!imgCellMask.isLoaded) makePicture(imgCellMask, 44, 44, true);
        if (!imgPointerProbe.isLoaded) makePicture(imgPointerProbe, 1, 1, false);
        gCurPl = 1;
        gPlayers[1] = TSpieler();
        TSpieler& pl = curPlayer();
        pl.Level = kLevel;
        pl.gtGameType = gameType;
        for (int k = 1; k <= 5; k++) pl.itemsToDestroyData[kLevel][k] = 100000;
        source = prepareLevelFile(kLevel);
        Match3_LoadLevelFromDisk();
        gFPS = 40;
        gameFrame = 200;
        itemScanBound = 259;
        clearParticles();
        clearFloatTexts();
        // The pointer rests over a piece, the button up.
        gMouseX = cellX[1];
        gMouseY = cellY[1];
        gMouseDown = 0;
        gMouseHeldFrames = 0;
        runRulesFrame();
    }
    ~BoardSetup() {
        fs::current_path(oldDir);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

void nextFrame() {
    gameFrame += 1;
    gFrameCount += 1;
    runRulesFrame();
}

void BM_RulesAtRest(benchmark::State& state) {
    BoardSetup board(static_cast<int>(state.range(0)));
    for (auto _ : state) nextFrame();
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(state.range(0) == 1 ? "chain mode, " : "swap mode, ") + board.source);
}
BENCHMARK(BM_RulesAtRest)->Arg(1)->Arg(3);

// Every column keeps refilling: as soon as a column has no piece entering, its
// lowest piece is taken away and a new one enters at the top; the shuffle wave
// is restarted whenever it ends.
void BM_RulesRefillAndShuffle(benchmark::State& state) {
    BoardSetup board(static_cast<int>(state.range(0)));
    double fallingSeen = 0;
    for (auto _ : state) {
        refillEveryColumn();
        if (shuffleRadius == 0) shuffleRadius = 1;
        nextFrame();
        if (gameFrame % 40 == 0) clearParticles(); // the drawing retires them in play
        int moving = 0;
        for (int s = 1; s <= kItems; s++) moving += isBoardPiece(itemKind[s]) && itemFalling[s] != 0;
        fallingSeen += moving;
    }
    state.counters["falling_per_frame"] = benchmark::Counter(fallingSeen, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(state.range(0) == 1 ? "chain mode, " : "swap mode, ") + board.source);
}
BENCHMARK(BM_RulesRefillAndShuffle)->Arg(1)->Arg(3);

} // namespace
