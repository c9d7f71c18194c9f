// The installed program run as a player starts it: from an unrelated working
// folder, on an X display. The display is a virtual X server whose screen is
// kept in a file, so the test sees exactly what a player would see. The game
// has reached its main menu when that screen shows, for a full second, the
// main menu the harness draws from the same installed data; the save folder
// holds the first run's files, and neither the installation nor the working
// folder was written.
#include "app/globals.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/install/installtree.h"
#include "tests/install/virtualdisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string framesDir() {
    const std::string dir = std::string(VARNOKA_BUILD_DIR) + "/frames/";
    fs::create_directories(dir);
    return dir;
}

// The harness's frames of the installed data: the loading screen, and the main
// menu at rest with the pointer where the X server starts it, in the centre.
struct Reference {
    harness::Frame loading, menu;
};

Reference drawReference(const std::string& installFolder) {
    Reference ref;
    harness::HeadlessEnv env;
    const fs::path oldCwd = fs::current_path();
    fs::current_path(installFolder);
    if (game::start()) {
        harness::mouseMove(512, 384);
        for (int i = 0; i < 2000 && gScreen != SCREEN_LOADING; ++i)
            game::step(1);
        game::step(300);
        ref.loading = harness::grabFrame();
        for (int i = 0; i < 2000 && gScreen != SCREEN_MENU; ++i)
            game::step(1);
        game::step(80);
        if (gScreen == SCREEN_MENU) ref.menu = harness::grabFrame();
    }
    game::stop();
    fs::current_path(oldCwd);
    return ref;
}

} // namespace

TEST(InstalledGame, StartsFromAnyFolderReachesItsMainMenuAndWritesOnlyItsSaveFolder) {
    const std::string xvfb = install::findProgram("Xvfb");
    if (xvfb.empty()) GTEST_SKIP() << "no virtual X server (package xvfb, installed by scripts/install-deps)";
    install::InstalledTree tree;
    ASSERT_TRUE(tree.ok()) << tree.log();
    install::TempFolder work("work"), dataHome("datahome");
    const std::vector<std::string> installedBefore = install::listTree(tree.root());

    install::VirtualDisplay display(xvfb, 1024, 768);
    ASSERT_FALSE(display.name().empty()) << display.log();
    install::Child game({tree.usr() + "bin/varnoka"},
                        {"DISPLAY=" + display.name(), "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                         "XDG_DATA_HOME=" + dataHome.path(), "ASAN_OPTIONS=detect_leaks=0",
                         "LC_ALL=C"}, // English, like the reference drawn here
                        work.path());

    // Drawn while the game starts: the same data, in this process.
    const Reference ref = drawReference(tree.usr() + "share/varnoka/");
    ASSERT_FALSE(ref.menu.rgba.empty()) << "the harness reaches the main menu";
    ASSERT_GT(install::differentBlocks(ref.loading, ref.menu), 0.3) << "the comparison tells the screens apart";

    // Poll the screen until it has shown the main menu for a second.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(150);
    auto matchingSince = Clock::time_point::max();
    double difference = 1;
    harness::Frame screen;
    while (Clock::now() < deadline && game.running()) {
        screen = display.screen();
        difference = install::differentBlocks(screen, ref.menu);
        if (difference > 0.03)
            matchingSince = Clock::time_point::max();
        else if (matchingSince == Clock::time_point::max())
            matchingSince = Clock::now();
        else if (Clock::now() - matchingSince >= std::chrono::seconds(1))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    harness::writePng(framesDir() + "installed-game.png", screen.width, screen.height, screen.rgba);
    ASSERT_TRUE(game.running()) << "the game ended early, wait status " << game.stop(SIGTERM) << ":\n"
                                << game.output() << "\nX server " << display.name() << ":\n" << display.log();
    ASSERT_LE(difference, 0.03) << "blocks unlike the main menu; last screen in frames/installed-game.png";
    const int status = game.stop(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "it ran until it was told to end";

    const std::string saves = dataHome.path() + "tellgrave/Varnoka/";
    EXPECT_TRUE(fs::is_regular_file(saves + "settings.txt")) << "first run: the settings";
    EXPECT_TRUE(fs::is_regular_file(saves + "besttimes.ppp")) << "first run: the best times";
    EXPECT_EQ(install::listTree(tree.root()), installedBefore) << "nothing written below the installation";
    EXPECT_TRUE(fs::is_empty(work.path())) << "nor into the working folder";
}
