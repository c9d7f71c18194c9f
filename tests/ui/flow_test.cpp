// The way from start-up to the main menu with the generated data folder:
// branding pages skipped with Enter, the loading screen's 430 frames, the
// menu's slide-in and its buttons. Saves frames under build-test/frames/.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/loadscreen.h"
#include "app/menupics.h"
#include "app/splash.h"
#include "app/startpics.h"
#include "app/ui.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/ui/uifixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string framesDir() {
    const fs::path dir = fs::path(uitest::gameDir()).parent_path() / "frames";
    fs::create_directories(dir);
    return dir.string() + "/";
}

class FlowTest : public harness::HeadlessTest {
  protected:
    void TearDown() override {
        game::stop();
        uitest::resetUiState();
        DebugLogCapture(false);
    }
    void save(const std::string& name) {
        EXPECT_TRUE(harness::saveFramePng(framesDir() + name + ".png")) << name;
    }
    // Runs frames until the screen is entered (at most limit frames).
    int stepUntilScreen(int screen, int limit) {
        int n = 0;
        while (gScreen != screen && n < limit)
            n += game::step(1);
        return n;
    }
    uitest::InGameFolder folder;
};

TEST_F(FlowTest, FirstStartBrandingSkippedWithEnterLoadingThenMenu) {
    DebugLogCapture(true);
    DebugLogClear();
    ASSERT_TRUE(game::start());
    ASSERT_EQ(gScreen, SCREEN_BRANDING);
    ASSERT_GE(splashCount, 2);
    game::step(12);
    save("branding1");
    EXPECT_EQ(splashPage, 1);
    EXPECT_EQ(gFadeDir, 1) << "the page stays without a key";

    // Enter on each skippable page leaves it on the next frame.
    for (int page = 1; page <= splashCount; ++page) {
        ASSERT_EQ(splashPage, page);
        harness::keyDown(13);
        game::step(1);
        EXPECT_EQ(gFadeDir, 2) << "page " << page;
        harness::keyUp(13);
        game::step(9);
        if (page < splashCount) game::step(10);
        if (page == 1) save("branding2");
    }
    ASSERT_EQ(gScreen, SCREEN_LOADING);
    EXPECT_EQ(gRunLoadscreen, 1);

    const int shots[] = {60, 160, 210, 280, 330, 415};
    for (int shot : shots) {
        game::step(shot - gRunLoadscreen);
        ASSERT_EQ(gRunLoadscreen, shot);
        save("loading" + std::to_string(shot));
        if (shot == 330) {
            EXPECT_EQ(loadBarY, 743 + 10 * 5) << "glided to 743, slides down from frame 321";
        }
    }
    EXPECT_EQ(gPicChain.isLoaded, 1) << "menu pictures are loaded at frame 200";
    EXPECT_EQ(gButtonPics[3].isLoaded, 1);

    game::step(430 - gRunLoadscreen);
    EXPECT_EQ(gScreen, SCREEN_MENU);
    EXPECT_EQ(gFadeLevel, 256) << "the menu starts at full brightness";
    EXPECT_EQ(gFadeDir, 1);
    for (int p = 1; p <= kSplashPages; ++p)
        EXPECT_FALSE(splashPicture[p]) << "branding pictures freed";
    const auto& log = DebugLogLines();
    for (const char* stage : {"gRunLoadscreen = 200", "gRunLoadscreen = 225", "gRunLoadscreen = 260",
                              "gRunLoadscreen = 305", "<- screenLoadscreenShow() (gRunLoadscreen = 430"}) {
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::string& l) {
            return l.find(stage) != std::string::npos;
        })) << stage;
    }

    // The slide-in: the signs are inert until the chain is down.
    game::step(10);
    save("menu-slide10");
    harness::click(690, static_cast<int>(190 - (gPicChain.H - gPicChain.H / 40 * 11)));
    game::step(1);
    EXPECT_EQ(gStatePopup, 0) << "the start sign cannot be clicked while it slides";
    game::step(40);
    save("menu");
    harness::mouseMove(690, 190);
    game::step(1);
    save("menu-hover-start");
    EXPECT_EQ(gStatePopup, 0);

    // No profile yet: the start sign leads to the new-player popup with slot 1.
    harness::click(690, 190);
    game::step(1);
    EXPECT_EQ(gStatePopup, 105);
    EXPECT_EQ(gCurPl, 1);
    EXPECT_EQ(gNewPlayerFirst, 1);
}

TEST_F(FlowTest, LoadingScreenSwitchesAndMenuButtons) {
    ASSERT_TRUE(game::start());
    ASSERT_GT(stepUntilScreen(SCREEN_LOADING, 2000), 0);
    EXPECT_EQ(gTextTestMode, 0);
    harness::keyDown(116); // F5
    game::step(1);
    EXPECT_EQ(gTextTestMode, 1);
    harness::keyUp(116);
    harness::keyDown(114); // F3
    game::step(1);
    EXPECT_EQ(gDebugMode, 1);
    harness::keyUp(114);
    gTextTestMode = 0;
    stepUntilScreen(SCREEN_MENU, 500);
    ASSERT_EQ(gScreen, SCREEN_MENU);
    game::step(45);

    // The four small buttons open their popups; each click acts once.
    struct {
        int x, popup;
    } buttons[] = {{265, 100}, {755, 101}, {925, 99}};
    for (const auto& b : buttons) {
        harness::click(b.x, 740);
        game::step(1);
        EXPECT_EQ(gStatePopup, b.popup) << b.x;
        EXPECT_EQ(gRunPopup, 2) << "opened this frame, advanced by the driver";
        // While the popup opens the menu's buttons are inert and drawn dimmed.
        harness::click(95, 740);
        game::step(1);
        EXPECT_EQ(gStatePopup, b.popup) << "menu buttons do not respond under a popup";
        gRunPopup = 0; // the popup routines are not part of this test
        game::step(1);
    }
    // A profile exists: the player button opens the manager.
    gCurPl = 2;
    gPlayers[2].name = "Ann";
    harness::click(95, 740);
    game::step(1);
    EXPECT_EQ(gStatePopup, 103);
    gRunPopup = 0;
    game::step(1);
    save("menu-with-player");
    // The widest name the new-player popup lets through: 12 characters while the
    // name measures below 140 pixels in the text font.
    std::string widest;
    int widestWidth = 0;
    for (char c = 'a'; c <= 'z'; ++c) {
        std::string name;
        while (name.size() < 12 && gFontText.GetTxtWidth(name) < 140) name += c;
        const int w = gFontTitle.GetTxtWidth(ToUpperCase(gLang.getValue("welcome") + " " + name));
        if (w > widestWidth) {
            widest = name;
            widestWidth = w;
        }
    }
    gPlayers[2].name = widest;
    game::step(1);
    save("menu-long-name");
    harness::click(690, 190);
    game::step(1);
    EXPECT_EQ(gStatePopup, 107) << "with a profile the start sign opens the resume question";
}

} // namespace
