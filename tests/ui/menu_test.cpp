// The main menu's backgrounds, its prepare on the ways into the menu, and the
// window / full-screen switch.
#include "app/globals.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "app/ui.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/ui/uifixture.h"

#include <gtest/gtest.h>

namespace {

using uitest::UiTest;

TEST(MenuBackground, StoryLevelChoosesTheBackground) {
    struct {
        int level;
        const char* path;
    } cases[] = {{1, "data/bg/bg1.jpg"},       {10, "data/bg/bg1.jpg"},        {11, "data/bg/bg2.jpg"},
                 {37, "data/bg/bg4.jpg"},      {91, "data/bg/bg10.jpg"},       {100, "data/bg/bg10.jpg"},
                 {0, "data/bg/menubgalt.jpg"}, {101, "data/bg/menubgalt.jpg"}, {-7, "data/bg/menubgalt.jpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(getCurrentBG(c.level), c.path) << c.level;
}

class MenuTest : public UiTest {
  protected:
    void TearDown() override {
        gCurPl = -1;
        gPlayers[3] = TSpieler();
        gScreen = gPrevScreen = 0;
        UiTest::TearDown();
    }
};

TEST_F(MenuTest, ReloadPicksTheCurrentPlayersBackground) {
    gCurPl = -1;
    reload_menu_BG();
    EXPECT_EQ(gPicMenuBG.url, "data/bg/menubgalt.jpg");
    EXPECT_EQ(gPicMenuBG.isLoaded, 1);
    gCurPl = 3;
    gPlayers[3].StoryLevel = 37;
    reload_menu_BG();
    EXPECT_EQ(gPicMenuBG.url, "data/bg/bg4.jpg");
    EXPECT_EQ(gPicMenuBG.isLoaded, 1);
    gCurPl = 12; // a damaged current slot is no player
    reload_menu_BG();
    EXPECT_EQ(gPicMenuBG.url, "data/bg/menubgalt.jpg");
}

TEST_F(MenuTest, PrepareReloadsAndRestartsMusicExceptFromLoadingOrRoadmap) {
    struct {
        int from;
        bool reloadsBackground, restartsMusic, fades;
    } cases[] = {
        {SCREEN_GAME, true, true, true},
        {SCREEN_STORY, true, true, true},
        {SCREEN_ROADMAP, false, false, true},
        {SCREEN_LOADING, false, false, false},
    };
    gCurPl = 3;
    gPlayers[3].StoryLevel = 55;
    for (const auto& c : cases) {
        gPicMenuBG.Unload();
        gPicMenuBG.url.clear();
        gConfig.musiklaut = 140;
        gScreen = c.from;
        gFadeDir = 1;
        gFadeLevel = 256;
        gPaused = 1;
        gRunPopup = 5;
        screenMainmenuPrepare();
        EXPECT_EQ(gScreen, SCREEN_MENU);
        EXPECT_EQ(gPrevScreen, c.from);
        EXPECT_EQ(gPicMenuBG.isLoaded == 1, c.reloadsBackground) << c.from;
        if (c.reloadsBackground) {
            EXPECT_EQ(gPicMenuBG.url, "data/bg/bg6.jpg");
        }
        EXPECT_EQ(gConfig.musiklaut == 0, c.restartsMusic) << c.from << ": the title music fades in again";
        EXPECT_EQ(gFadeLevel == 0, c.fades) << c.from;
        EXPECT_EQ(gPaused, -1);
        EXPECT_EQ(gRunPopup, 0);
        EXPECT_EQ(gInputEnabled, 1);
        EXPECT_EQ(gPicChain.isLoaded, 1) << c.from;
    }
}

TEST_F(MenuTest, FullScreenSwitchPausesAndFlipsTheSetting) {
    gConfig.fullscreen = 0;
    toggleFullscreen();
    EXPECT_EQ(gPaused, 1);
    EXPECT_EQ(gConfig.fullscreen, 1);
    EXPECT_EQ(DisplayIsOpen(), 1);
    gPaused = -1;
    toggleFullscreen();
    EXPECT_EQ(gConfig.fullscreen, 0);
    EXPECT_EQ(DisplayIsOpen(), 1);
    EXPECT_EQ(gPaused, 1);
    gPaused = -1;
}

} // namespace
