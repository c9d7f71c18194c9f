// Full screen, the first run's choice, on X servers without a window manager
// (kiosk sessions): nobody grants the request, so the game itself has to cover
// the desktop. On desktops larger than the game's picture the screen must show
// the whole main menu, scaled up and centred between black bars, and the
// buttons along its bottom edge (Options, Credits, Quit) must answer a click
// where the screen shows them.
#include "app/globals.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/install/installtree.h"
#include "tests/install/virtualdisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kCanvasW = 1024, kCanvasH = 768;

// The harness's frames of the same game: the main menu at rest, and each
// popup the bottom buttons open, with the pointer on the button clicked.
struct Reference {
    harness::Frame menu, options, credits, exitQuestion;
};

Reference drawReference() {
    Reference ref;
    harness::HeadlessEnv env;
    const fs::path oldCwd = fs::current_path();
    fs::current_path(VARNOKA_GAME_DIR);
    const auto stepUntil = [](const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i)
            game::step(1);
    };
    const auto popupOf = [&](int x, int y) {
        game::clickAt(x, y);
        stepUntil([] { return gRunPopup == 16; });
        game::step(40);
        return harness::grabFrame();
    };
    const auto closeWith = [&](int x, int y) {
        game::clickAt(x, y);
        stepUntil([] { return gRunPopup == 0; });
        game::step(40);
    };
    if (game::start()) {
        harness::mouseMove(512, 384);
        stepUntil([] { return gScreen == SCREEN_MENU; });
        game::step(80);
        ref.menu = harness::grabFrame();
        ref.options = popupOf(265, 740);
        closeWith(512, 612);
        ref.credits = popupOf(755, 740);
        closeWith(512, 610);
        ref.exitQuestion = popupOf(925, 740);
    }
    game::stop();
    fs::current_path(oldCwd);
    return ref;
}

// Where a player expects the picture on a screen of w x h: as large as fits,
// its shape kept, centred.
struct Box {
    double x, y, scale;
};

Box pictureBox(int w, int h) {
    const double scale = std::min(w / double(kCanvasW), h / double(kCanvasH));
    return Box{(w - kCanvasW * scale) / 2, (h - kCanvasH * scale) / 2, scale};
}

// The screen inside the box, read back at the picture's own size.
harness::Frame pictureOn(const harness::Frame& screen) {
    harness::Frame f;
    if (screen.width == 0) return f;
    const Box box = pictureBox(screen.width, screen.height);
    f.width = kCanvasW;
    f.height = kCanvasH;
    f.rgba.resize(size_t(kCanvasW) * kCanvasH * 4);
    for (int y = 0; y < kCanvasH; ++y)
        for (int x = 0; x < kCanvasW; ++x) {
            const int sx = std::clamp(int(box.x + (x + 0.5) * box.scale), 0, screen.width - 1);
            const int sy = std::clamp(int(box.y + (y + 0.5) * box.scale), 0, screen.height - 1);
            std::copy_n(screen.at(sx, sy), 4, f.rgba.data() + (size_t(y) * kCanvasW + x) * 4);
        }
    return f;
}

// Screen pixels outside the box (a pixel's margin left for smoothing) that
// are not black.
int litOutsideThePicture(const harness::Frame& screen) {
    const Box box = pictureBox(screen.width, screen.height);
    const double x0 = box.x - 1, y0 = box.y - 1, x1 = box.x + kCanvasW * box.scale + 1,
                 y1 = box.y + kCanvasH * box.scale + 1;
    int lit = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            if (x >= x0 && x < x1 && y >= y0 && y < y1) continue;
            const uint8_t* p = screen.at(x, y);
            lit += p[0] > 8 || p[1] > 8 || p[2] > 8;
        }
    return lit;
}

std::string framesDir() {
    const std::string dir = std::string(VARNOKA_BUILD_DIR) + "/frames/";
    fs::create_directories(dir);
    return dir;
}

struct Desktop {
    int width, height;
};

} // namespace

TEST(FullScreenWithoutWindowManager, ShowsTheWholePictureAndTheBottomButtonsAnswer) {
    const std::string xvfb = install::findProgram("Xvfb"), xdotool = install::findProgram("xdotool");
    if (xvfb.empty() || xdotool.empty())
        GTEST_SKIP() << "no virtual X server or pointer tool (packages xvfb and xdotool, installed by "
                        "scripts/install-deps)";
    const Reference ref = drawReference();
    ASSERT_FALSE(ref.exitQuestion.rgba.empty()) << "the harness reaches the exit question";
    for (const harness::Frame* popup : {&ref.options, &ref.credits, &ref.exitQuestion})
        ASSERT_GT(install::differentBlocks(*popup, ref.menu), 0.1) << "the comparison tells popups from the menu";

    // Wider than the picture's shape (bars left and right), and taller (bars
    // above and below).
    for (const Desktop desktop : {Desktop{1920, 1080}, Desktop{1280, 1024}}) {
        const std::string size = std::to_string(desktop.width) + "x" + std::to_string(desktop.height);
        SCOPED_TRACE("desktop " + size);
        install::VirtualDisplay display(xvfb, desktop.width, desktop.height);
        ASSERT_FALSE(display.name().empty()) << display.log();
        install::TempFolder work("work"), dataHome("datahome");
        install::Child game({std::string(VARNOKA_GAME_DIR) + "/varnoka"},
                            {"DISPLAY=" + display.name(), "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                             "XDG_DATA_HOME=" + dataHome.path(), "ASAN_OPTIONS=detect_leaks=0"},
                            work.path());

        // Waits until the picture on the screen has matched the expected frame
        // for half a second; saves the last screen when it never does.
        harness::Frame screen;
        const auto shows = [&](const harness::Frame& expected, const std::string& what) {
            using Clock = std::chrono::steady_clock;
            const auto deadline = Clock::now() + std::chrono::seconds(150);
            auto matchingSince = Clock::time_point::max();
            double difference = 1;
            while (Clock::now() < deadline && game.running()) {
                screen = display.screen();
                difference = install::differentBlocks(pictureOn(screen), expected);
                if (difference > 0.03)
                    matchingSince = Clock::time_point::max();
                else if (matchingSince == Clock::time_point::max())
                    matchingSince = Clock::now();
                else if (Clock::now() - matchingSince >= std::chrono::milliseconds(500))
                    return true;
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
            }
            const std::string file = framesDir() + "fullscreen-" + size + "-" + what + ".png";
            harness::writePng(file, screen.width, screen.height, screen.rgba);
            ADD_FAILURE() << what << " not shown (" << difference << " of the blocks differ); the screen is in "
                          << file << "\n" << game.output();
            return false;
        };
        // A press and release where the screen shows canvas point (x, y).
        const auto click = [&](int x, int y) {
            const Box box = pictureBox(desktop.width, desktop.height);
            const int sx = int(box.x + (x + 0.5) * box.scale), sy = int(box.y + (y + 0.5) * box.scale);
            std::string out;
            ASSERT_EQ(install::runProgram({"/usr/bin/env", "DISPLAY=" + display.name(), xdotool, "mousemove",
                                           std::to_string(sx), std::to_string(sy), "sleep", "0.3", "mousedown",
                                           "1", "sleep", "0.1", "mouseup", "1"},
                                          out),
                      0)
                << out;
        };

        if (!shows(ref.menu, "main-menu")) continue;
        EXPECT_EQ(litOutsideThePicture(screen), 0) << "only black bars beside the picture";
        harness::writePng(framesDir() + "fullscreen-" + size + ".png", screen.width, screen.height, screen.rgba);

        click(265, 740);
        if (!shows(ref.options, "options")) continue;
        click(512, 612);
        if (!shows(ref.menu, "menu-after-options")) continue;
        click(755, 740);
        if (!shows(ref.credits, "credits")) continue;
        click(512, 610);
        if (!shows(ref.menu, "menu-after-credits")) continue;
        click(925, 740);
        if (!shows(ref.exitQuestion, "exit-question")) continue;
        click(597, 484);
        for (int i = 0; i < 300 && game.running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_FALSE(game.running()) << "the game ends after the exit question";
        const int status = game.wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status << "\n"
                                                                   << game.output();
    }
}
