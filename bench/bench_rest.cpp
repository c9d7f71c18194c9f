// What the game costs in real time: the share of a processor core it takes
// per second while the player only looks at a screen (main menu, roadmap, the
// board of levels 1 and 90) and while playing busily, the work time of each
// frame, and the memory resident on each screen of a whole session.
//
// The frames run the real loop at 40 per second on the real clock (the
// session memory walk alone runs on the virtual clock). Headless
// by default; with VARNOKA_BENCH_VIDEO=x11 (and DISPLAY, for example under
// Xvfb) the game opens a real window: 1024 x 768, or full screen with
// VARNOKA_BENCH_FULLSCREEN=1. VARNOKA_BENCH_XSERVER_PID names the X server,
// whose processor time is then reported too.
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "persist/config.h"
#include "platform/sdl_internal.h"
#include "screens/roadmap.h"
#include "tests/gamescreen/gameload.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace {

constexpr double kSeconds = 4.0; // of real time per measurement

double CpuSeconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// Processor seconds the X server has used, 0 when it is not named.
double ServerCpuSeconds()
{
    const char* pid = std::getenv("VARNOKA_BENCH_XSERVER_PID");
    if (!pid) return 0;
    std::ifstream in(std::string("/proc/") + pid + "/stat");
    std::string line;
    std::getline(in, line);
    // Fields after the command's closing parenthesis; utime and stime are the
    // 12th and 13th of them.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && rest >> field; ++i) {
        if (i >= 12) ticks += std::atof(field.c_str());
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Resident and peak resident memory in MB, from the kernel's own account.
double StatusMb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key)) / 1024.0;
    }
    return 0;
}

// Starts the peak resident memory again from the present one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Session {
    std::unique_ptr<harness::HeadlessEnv> env;
    std::filesystem::path oldCwd;
    bool ok = false;

    explicit Session(bool realClock)
    {
        env = std::make_unique<harness::HeadlessEnv>(false);
        UseVirtualClock(!realClock);
        if (const char* video = std::getenv("VARNOKA_BENCH_VIDEO")) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            setenv("SDL_VIDEODRIVER", video, 1);
        }
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(VARNOKA_GAME_DIR);
        ok = std::filesystem::exists("data/levels/lvla090.lvl") && game::start();
        const char* wanted = std::getenv("VARNOKA_BENCH_FULLSCREEN");
        const int fullscreen = wanted && std::string(wanted) == "1" ? 1 : 0;
        if (ok && gConfig.fullscreen != fullscreen) {
            gConfig.fullscreen = fullscreen;
            openGraphics();
        }
    }
    ~Session()
    {
        game::stop();
        CloseDisplay();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        UseVirtualClock(true);
        std::filesystem::current_path(oldCwd);
    }
};

void Steps(int n) { game::step(n); }

bool StepUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i) game::step(1);
    return done();
}

bool Bright(int screen) { return gScreen == screen && gFadeDir == 1 && gFadeLevel >= 255; }

// Everything the loading screen loads, a player on `level`, then the screen.
bool Enter(int screen, int level)
{
    TSpieler& pl = gs::loadGameData(level);
    pl.name = "Bench";
    pl.gtGameType = 2;
    menustuff_load_dynamic();
    gInputEnabled = 1;
    roadmapFrames = 100; // no help popup on the roadmap
    gotoScreen(screen, 0);
    if (!StepUntil([=] { return Bright(screen); }, 100)) return false;
    if (screen == SCREEN_GAME) {
        // Past the opening; the help of level 1 is read and closed.
        for (int i = 0; i < 400 && (gameFrame < 200 || gRunPopup != 0); ++i) {
            if (gRunPopup == 16) harness::keyDown(13);
            game::step(1);
            harness::keyUp(13);
            game::step(1);
        }
        if (!StepUntil([] { return gRunPopup == 0; }, 100)) return false;
    }
    harness::mouseMove(1000, 30); // the pointer rests by the edge
    Steps(120);
    return true;
}

// A move in the group game: the button goes down on a piece of a group of
// three (and up again on the next frame).
void PressOnAGroup()
{
    int xs[3], ys[3];
    if (!game::findThreeLinked(xs, ys)) return;
    harness::mouseMove(xs[0], ys[0]);
    harness::mousePress();
}

// Runs the loop on the real clock for kSeconds and reports its costs. `each`
// runs before every frame (input of a busy player).
void Measure(benchmark::State& state, const std::function<void(int)>& each)
{
    const FrameCounts counts0 = Display().counts;
    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID), server0 = ServerCpuSeconds();
    double work = 0, worst = 0;
    int frames = 0;
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count() < kSeconds) {
        if (each) each(frames);
        const double t0 = CpuSeconds(CLOCK_MONOTONIC);
        Cls();
        frameUpdate();
        frameDraw();
        Flip(1);
        const double t = CpuSeconds(CLOCK_MONOTONIC) - t0;
        work += t;
        worst = std::max(worst, t);
        ++frames;
        WaitNextTick(gFrameTimer);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double cpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0, server = ServerCpuSeconds() - server0;
    const FrameCounts counts1 = Display().counts;
    state.counters["cpu_%"] = 100.0 * cpu / wall;
    if (std::getenv("VARNOKA_BENCH_XSERVER_PID")) state.counters["xserver_cpu_%"] = 100.0 * server / wall;
    state.counters["fps"] = frames / wall;
    state.counters["frame_ms"] = 1000.0 * work / std::max(frames, 1);
    state.counters["worst_frame_ms"] = 1000.0 * worst;
    const double pixels = std::max(frames, 1) * 1024.0 * 768.0;
    state.counters["presented_%"] = 100.0 * (counts1.presents - counts0.presents) / std::max(frames, 1);
    state.counters["composed_%"] = 100.0 * (counts1.composedPixels - counts0.composedPixels) / pixels;
    state.counters["rss_MB"] = StatusMb("VmRSS:");
}

// At rest: 0 main menu, 1 roadmap, 2 level 1, 3 level 90.
void BM_AtRest(benchmark::State& state)
{
    static const struct {
        int screen, level;
        const char* name;
    } kScreens[] = {{SCREEN_MENU, 1, "main menu"},
                    {SCREEN_ROADMAP, 1, "roadmap"},
                    {SCREEN_GAME, 1, "level 1"},
                    {SCREEN_GAME, 90, "level 90"}};
    const auto& s = kScreens[state.range(0)];
    Session session(true);
    if (!session.ok || !Enter(s.screen, s.level)) {
        state.SkipWithError("the game did not reach the screen (is the data folder built?)");
        return;
    }
    for (auto _ : state) Measure(state, nullptr);
    state.SetLabel(s.name);
}
BENCHMARK(BM_AtRest)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kSecond);

// Busy play on a level (1 or 90): a group clicked every 12 frames, the
// pointer always moving.
void BM_BusyPlay(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    Session session(true);
    if (!session.ok || !Enter(SCREEN_GAME, level)) {
        state.SkipWithError("the game did not reach the screen (is the data folder built?)");
        return;
    }
    for (auto _ : state) {
        Measure(state, [](int frame) {
            if (frame % 12 == 0) {
                PressOnAGroup();
            } else if (frame % 12 == 1) {
                harness::mouseRelease();
            } else {
                harness::mouseMove(100 + (frame * 37) % 800, 100 + (frame * 23) % 560);
            }
        });
    }
    state.SetLabel("level " + std::to_string(level) + " points " + std::to_string(curPlayer().LevelPoints));
}
BENCHMARK(BM_BusyPlay)->Arg(1)->Arg(90)->Iterations(1)->Unit(benchmark::kSecond);

// Resident memory along a whole session on the virtual clock: start-up, the
// branding pages, the loading screen, the main menu, the roadmap, levels 1
// and 90 with play, and back to the menu. For each screen the resident
// memory once it has settled and the peak since the screen was asked for.
// Run it alone (its own process) for figures untouched by other benchmarks.
void BM_SessionMemory(benchmark::State& state)
{
    for (auto _ : state) {
        Session session(false);
        if (!session.ok) {
            state.SkipWithError("the game did not start (is the data folder built?)");
            return;
        }
        double peak = 0;
        const auto record = [&](const char* name) {
            state.counters[std::string(name) + "_rss_MB"] = StatusMb("VmRSS:");
            state.counters[std::string(name) + "_peak_MB"] = StatusMb("VmHWM:");
            peak = std::max(peak, StatusMb("VmHWM:"));
            ResetPeak();
        };
        for (int i = 0; i < 20 && gScreen == SCREEN_BRANDING; ++i) {
            harness::keyDown(13);
            Steps(1);
            harness::keyUp(13);
            Steps(19);
        }
        if (!StepUntil([] { return Bright(SCREEN_MENU); }, 1000)) state.SkipWithError("the menu was not reached");
        Steps(100);
        record("startup_to_menu");
        gCurPl = 1;
        gPlayers[1].NewVarnoka();
        gPlayers[1].name = "Bench";
        gPlayers[1].gtGameType = 2;
        roadmapFrames = 100;
        const auto visit = [&](int screen, int level) {
            gPlayers[1].Level = gPlayers[1].StoryLevel = level;
            gotoScreen(screen, 0);
            StepUntil([=] { return Bright(screen); }, 100);
            for (int i = 0; i < 300; ++i) {
                if (gRunPopup == 16) harness::keyDown(13);
                if (gRunPopup != 16) harness::keyUp(13);
                if (screen == SCREEN_GAME && i % 12 == 0) PressOnAGroup();
                if (screen == SCREEN_GAME && i % 12 == 1) harness::mouseRelease();
                game::step(1);
            }
        };
        visit(SCREEN_ROADMAP, 1);
        record("roadmap");
        visit(SCREEN_GAME, 1);
        record("level1");
        visit(SCREEN_GAME, 90);
        record("level90");
        visit(SCREEN_MENU, 90);
        record("menu_again");
        state.counters["process_peak_MB"] = peak;
    }
}
BENCHMARK(BM_SessionMemory)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
