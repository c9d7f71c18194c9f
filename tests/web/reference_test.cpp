// The desktop build's frames that the browser test (tests/web/run.mjs, `make
// test-web`) compares its own with: the main menu of a first start, the main
// menu after a new player was made, and level 1 once its board has come in.
// Drawn by the same script the browser test plays, through the real input.
#include "app/globals.h"
#include "app/screens.h"
#include "game/gamestate.h"
#include "persist/profile.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using game::keyAt;
using game::noPopup;
using game::onScreen;
using game::popupOpen;
using game::stepUntil;

// Plays from the build's game folder; the frames go to web-reference/ in the
// folder the test started in.
// Runs frames until the screen is current and bright, leaving the story pages
// that come on the way by their button.
bool reach(int screen) {
    for (int i = 0; i < 600 && !onScreen(screen); i++) {
        if (onScreen(SCREEN_STORY)) game::clickAt(900, 730);
        else game::step(1);
    }
    return onScreen(screen);
}

class WebReference : public harness::HeadlessTest {
  protected:
    void SetUp() override {
        outDir_ = std::filesystem::current_path() / "web-reference";
        std::filesystem::create_directories(outDir_);
        std::filesystem::current_path(VARNOKA_GAME_DIR);
    }
    void TearDown() override { std::filesystem::current_path(outDir_.parent_path()); }
    void shoot(const std::string& name) { EXPECT_TRUE(harness::saveFramePng((outDir_ / name).string())) << name; }

  private:
    std::filesystem::path outDir_;
};

TEST_F(WebReference, MenuAndFirstLevelAreDrawn) {
    ASSERT_TRUE(game::start());
    for (int i = 0; i < 3000 && gScreen != SCREEN_MENU; i++) {
        if (i % 10 == 0) keyAt(13);
        else game::step(1);
    }
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_MENU); }, 600));
    game::step(80); // the signs slide in
    shoot("menu-first.png");

    game::clickAt(690, 190);
    ASSERT_TRUE(stepUntil([] { return popupOpen(105); }, 60));
    harness::typeText("Web");
    game::step(1);
    keyAt(13);
    ASSERT_TRUE(stepUntil(noPopup, 60));
    ASSERT_EQ(gPlayers[gCurPl].name, "Web");
    game::step(80);
    shoot("menu.png");

    game::clickAt(690, 190);
    ASSERT_TRUE(stepUntil([] { return popupOpen(107); }, 60));
    game::clickAt(597, 484);
    ASSERT_TRUE(reach(SCREEN_ROADMAP));
    if (stepUntil([] { return popupOpen(112); }, 60)) keyAt(13);
    ASSERT_TRUE(stepUntil(noPopup, 60));
    game::clickAt(120, 720);
    ASSERT_TRUE(reach(SCREEN_GAME));
    for (int page = 0; page < 4; page++) {
        stepUntil([] { return gameFrame > 150 || popupOpen(447); }, 400);
        if (!popupOpen(447)) break;
        keyAt(13);
    }
    ASSERT_TRUE(stepUntil([] { return gameFrame > 200 && noPopup(); }, 400));
    shoot("level1.png");
    game::stop();
}

} // namespace
