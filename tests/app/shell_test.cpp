// The shell run headless from start-up: fade switch, instance lock, save
// folder, activation loss, close request, a run without any data folder.
#include "app/globals.h"
#include "app/mainloop.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ShellTest : public harness::HeadlessTest {
  protected:
    void TearDown() override { game::stop(); }
    game::InstallFolder install; // no data folder at all unless a test makes one
};

} // namespace

TEST_F(ShellTest, StartsOnTheBrandingPageAndRunsWithoutAnyDataFolder) {
    ASSERT_TRUE(game::start());
    EXPECT_EQ(gScreen, SCREEN_BRANDING);
    EXPECT_EQ(gSaveDir, env.saveDir());
    EXPECT_TRUE(fs::is_directory(env.saveDir()));
    EXPECT_EQ(game::step(50), 50);
    // Every screen can be entered and run with nothing to load.
    for (int target : {SCREEN_LOADING, SCREEN_MENU, SCREEN_ROADMAP, SCREEN_STORY, SCREEN_GAME, SCREEN_MENU}) {
        gotoScreen(target, 0);
        game::step(20);
        EXPECT_EQ(gScreen, target);
        EXPECT_EQ(gFadeDir, 1);
    }
    // Every overlay with empty fonts and pictures, and a text reload with no file.
    gPaused = 1;
    gDebugMode = gTextTestMode = 1;
    harness::keyDown(112); // F1
    harness::keyDown(117); // F6
    EXPECT_EQ(game::step(5), 5);
    harness::keyUp(112);
    harness::keyUp(117);
    gPaused = -1;
    gotoScreen(SCREEN_QUIT, 0);
    EXPECT_EQ(game::step(100), 9) << "the darkest frame of the fade-out ends the loop";
    EXPECT_EQ(gQuit, 1);
}

TEST_F(ShellTest, ScreenSwitchDarkensEightFramesSwitchesOnTheNinthBrightensEight) {
    // A white pointer picture shows the fade level of every frame where the
    // pointer is drawn (not on the branding page).
    fs::create_directories("data/UI");
    ASSERT_TRUE(harness::writePng("data/UI/cursor.png", 16, 16, std::vector<uint8_t>(16 * 16 * 4, 255)));
    // A branding page that stays: without one the game goes on to the loading screen.
    fs::create_directories("data/branding");
    ASSERT_TRUE(harness::writePng("data/branding/page.png", 4, 4, std::vector<uint8_t>(4 * 4 * 4, 0)));
    std::ofstream("data/branding/splashconfig.txt") << "file=page.png\ntime=1000\n";
    ASSERT_TRUE(game::start());
    game::step(20);
    ASSERT_EQ(gFadeLevel, 256);

    gotoScreen(SCREEN_MENU, 0);
    std::vector<int> levels;
    for (int frame = 1; frame <= 8; ++frame) {
        game::step(1);
        levels.push_back(gFadeLevel);
        EXPECT_EQ(gScreen, SCREEN_BRANDING) << "frame " << frame;
    }
    EXPECT_EQ(levels, (std::vector<int>{224, 192, 160, 128, 96, 64, 32, 0}));

    game::step(1);
    EXPECT_EQ(gScreen, SCREEN_MENU) << "the 9th frame runs the prepare";
    EXPECT_EQ(gPrevScreen, SCREEN_BRANDING);
    EXPECT_EQ(harness::framePixel(27, 37), (harness::Rgb{0, 0, 0})) << "and is drawn black";
    harness::mouseMove(0, 0); // the menu reads the mouse: keep the pointer at the probe point

    std::vector<int> pixels;
    for (int frame = 1; frame <= 8; ++frame) {
        game::step(1);
        pixels.push_back(harness::framePixel(27, 37).r);
    }
    EXPECT_EQ(pixels, (std::vector<int>{32, 64, 96, 128, 160, 192, 224, 255}));
    EXPECT_EQ(gFadeLevel, 256);
    game::step(1);
    EXPECT_EQ(gFadeLevel, 256) << "steady at full brightness";
}

TEST_F(ShellTest, FallsBackToDataSavesWhenTheAppDataFolderCannotBeMade) {
    // The application-data folder lies below a plain file: it can never be made.
    std::ofstream("blocker") << "x";
    setenv(VARNOKA_DATA_HOME_VARIABLE, (install.path() + "blocker").c_str(), 1);
    ASSERT_TRUE(game::start());
    EXPECT_EQ(gSaveDir, "data/saves/");
    EXPECT_TRUE(fs::is_directory("data/saves"));
    EXPECT_TRUE(fs::exists("data/saves/settings.txt")) << "the first run writes its settings there";
    EXPECT_EQ(gConfig.soundlaut, 210) << "first-run defaults";
    game::step(5);
}

TEST_F(ShellTest, ExistingButReadOnlyAppDataFolderFallsBack) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    fs::create_directories(env.saveDir());
    fs::permissions(env.saveDir(), fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_TRUE(game::start());
    fs::permissions(env.saveDir(), fs::perms::owner_all);
    EXPECT_EQ(gSaveDir, "data/saves/");
    EXPECT_TRUE(fs::exists("data/saves/settings.txt"));
}

TEST_F(ShellTest, NoWritableSaveFolderAtAllStillRuns) {
    std::ofstream("blocker") << "x";
    setenv(VARNOKA_DATA_HOME_VARIABLE, (install.path() + "blocker").c_str(), 1);
    std::ofstream("data") << "not a folder"; // the fallback cannot be made either
    ASSERT_TRUE(game::start());
    EXPECT_EQ(gSaveDir, "data/saves/");
    EXPECT_EQ(saveFolderUsable(), 0);
    gCurPl = 2;
    harness::focusLost(); // saves the profile and the settings: both must skip quietly
    game::step(5);
    EXPECT_EQ(gPaused, 1);
    EXPECT_FALSE(fs::exists("data/saves"));
}

TEST_F(ShellTest, InstalledGameNeverFallsBackToItsInstallationFolder) {
    std::ofstream("blocker") << "x";
    setenv(VARNOKA_DATA_HOME_VARIABLE, (install.path() + "blocker").c_str(), 1);
    fs::create_directories("data"); // writable, but the system's
    gSavesBesideProgram = 0;
    const bool started = game::start();
    gSavesBesideProgram = 1;
    ASSERT_TRUE(started);
    EXPECT_EQ(gSaveDir, install.path() + "blocker/tellgrave/Varnoka/");
    gCurPl = 2;
    harness::focusLost(); // saves the profile and the settings: both must skip quietly
    game::step(5);
    EXPECT_EQ(gPaused, 1);
    EXPECT_FALSE(fs::exists("data/saves"));
    EXPECT_TRUE(fs::is_empty("data"));
}

TEST_F(ShellTest, ActivationLossSavesPausesAndWaitsForAClick) {
    ASSERT_TRUE(game::start());
    gotoScreen(SCREEN_MENU, 0);
    game::step(20);
    gInputEnabled = 1;
    gCurPl = 3;
    fs::remove(env.saveDir() + "settings.txt");
    fs::remove(env.saveDir() + "players3.ppp");

    harness::focusLost();
    game::step(1);
    EXPECT_EQ(gPaused, 1);
    EXPECT_EQ(gSuspendState, 2);
    EXPECT_TRUE(fs::exists(env.saveDir() + "settings.txt"));
    EXPECT_TRUE(fs::exists(env.saveDir() + "players3.ppp")) << "on the menu the current profile is saved";

    harness::focusGained();
    game::step(3);
    EXPECT_EQ(gSuspendState, 0);
    EXPECT_EQ(gPaused, 1) << "the pause overlay waits for a click";
    harness::click(500, 400);
    game::step(1);
    EXPECT_EQ(gPaused, -1);
}

TEST_F(ShellTest, ActivationLossSavesTheProfileOnlyOnMenuAndGameScreens) {
    struct Case {
        int screen;
        bool profileSaved;
    };
    ASSERT_TRUE(game::start());
    gCurPl = 4;
    for (Case c : {Case{SCREEN_ROADMAP, false}, Case{SCREEN_STORY, false}, Case{SCREEN_GAME, true}}) {
        gotoScreen(c.screen, 0);
        game::step(20);
        ASSERT_EQ(gScreen, c.screen);
        winCounter = 0;
        gPlayers[4].isResume = 0;
        fs::remove(env.saveDir() + "settings.txt");
        fs::remove(env.saveDir() + "players4.ppp");
        harness::focusLost();
        game::step(1);
        EXPECT_TRUE(fs::exists(env.saveDir() + "settings.txt")) << "screen " << c.screen;
        EXPECT_EQ(fs::exists(env.saveDir() + "players4.ppp"), c.profileSaved) << "screen " << c.screen;
        if (c.screen == SCREEN_GAME) EXPECT_EQ(gPlayers[4].isResume, 1) << "the running level is kept";
        harness::focusGained();
        game::step(1);
        gPaused = -1;
    }
}

TEST_F(ShellTest, WhilePausedActivationLossWaitsAndDoesNothing) {
    ASSERT_TRUE(game::start());
    gPaused = 1; // as during a window-mode switch
    fs::remove(env.saveDir() + "settings.txt");
    harness::focusLost();
    game::step(2);
    EXPECT_EQ(gSuspendState, 1);
    EXPECT_FALSE(fs::exists(env.saveDir() + "settings.txt"));
    gPaused = -1;
    game::step(1);
    EXPECT_EQ(gSuspendState, 2) << "handled once play runs again";
    EXPECT_TRUE(fs::exists(env.saveDir() + "settings.txt"));
}

TEST_F(ShellTest, CloseRequestOpensTheExitQuestion) {
    ASSERT_TRUE(game::start());
    gotoScreen(SCREEN_MENU, 0);
    game::step(20);
    gCurPl = 3;
    fs::remove(env.saveDir() + "settings.txt");
    fs::remove(env.saveDir() + "players3.ppp");
    harness::requestClose();
    game::step(1);
    EXPECT_EQ(gStatePopup, 99);
    EXPECT_GE(gRunPopup, 1) << "opening (the menu's popup machine has already advanced it)";
    EXPECT_EQ(gPopupDir, 1);
    EXPECT_EQ(gQuit, 0) << "the window does not close by itself";
    EXPECT_TRUE(fs::exists(env.saveDir() + "settings.txt"));
    EXPECT_FALSE(fs::exists(env.saveDir() + "players3.ppp")) << "not saved from the main menu";
}

TEST_F(ShellTest, UnknownFullscreenValueOpensAWindow) {
    fs::create_directories(env.saveDir());
    std::ofstream(env.saveDir() + "settings.txt") << "7\r\n140\r\n210\r\n-1\r\n0\r\n5\r\n140\r\n";
    ASSERT_TRUE(game::start());
    EXPECT_EQ(DisplayIsOpen(), 1);
    EXPECT_EQ(gConfig.fullscreen, 0);
}

namespace {

// The shell over the generated data folder (fonts, pointer, logo glow).
class ShellWithDataTest : public ShellTest {
  protected:
    void SetUp() override {
        std::error_code ec;
        fs::create_directory_symlink(fs::path(VARNOKA_GAME_DIR) / "data", "data", ec);
        if (ec) fs::copy(fs::path(VARNOKA_GAME_DIR) / "data", "data", fs::copy_options::recursive); // no links here
        ASSERT_TRUE(game::start());
        gotoScreen(SCREEN_MENU, 0);
        game::step(20);
        ASSERT_EQ(gScreen, SCREEN_MENU);
        harness::mouseMove(100, 600); // the pointer away from the probed rectangles
        game::step(1);
        menu = harness::grabFrame(); // the steady menu, without any overlay
    }
    // Count of frame pixels inside the rectangle that differ from the plain menu.
    int litPixels(int x0, int y0, int x1, int y1) const {
        harness::Frame f = harness::grabFrame();
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += std::memcmp(f.at(x, y), menu.at(x, y), 3) != 0;
        return n;
    }
    harness::Frame menu;
};

} // namespace

TEST_F(ShellWithDataTest, LoopRunsAtFortyFramesASecondAndMeasuresIt) {
    const int start = ClockMillis();
    game::step(80);
    EXPECT_EQ(ClockMillis() - start, 2000) << "each frame waits for the next 40 Hz tick";
    EXPECT_EQ(gFPS, 40);
}

TEST_F(ShellWithDataTest, DeveloperOverlayOnlyWithDeveloperModeAndF1) {
    harness::keyDown(112); // F1
    game::step(2);
    EXPECT_EQ(litPixels(50, 60, 400, 140), 0) << "F1 alone shows nothing";
    gDebugMode = 1;
    game::step(1);
    EXPECT_GT(litPixels(50, 60, 400, 140), 200) << "the fps and popup lines";
    harness::keyUp(112);
    game::step(1);
    EXPECT_EQ(litPixels(50, 60, 400, 140), 0);
}

TEST_F(ShellWithDataTest, PauseOverlayShowsUntilAClick) {
    gInputEnabled = 1;
    gPaused = 1;
    game::step(1);
    EXPECT_GT(litPixels(312, 284, 712, 484), 2000) << "glow and texts around the centre";
    harness::click(100, 600);
    game::step(1);
    EXPECT_EQ(gPaused, -1);
    game::step(1);
    EXPECT_EQ(litPixels(312, 284, 712, 484), 0);
}
