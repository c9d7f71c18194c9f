// The story screen: where "continue" leads from every page.
#include "app/globals.h"
#include "app/mainloop.h"
#include "persist/profile.h"
#include "screens/story.h"
#include "tests/harness/game.h"
#include "tests/popups/popupfixture.h"

using namespace popuptest;

namespace {
class StoryTest : public PopupTest {};
} // namespace

TEST_F(StoryTest, ContinueLeadsByPage) {
    struct Case {
        int page, level, storyLevel, screen, levelAfter;
    };
    const Case cases[] = {
        {1, 1, 1, SCREEN_ROADMAP, 1}, {2, 1, 1, SCREEN_GAME, 1},       {12, 101, 100, SCREEN_MENU, 1},
        {3, 11, 11, SCREEN_GAME, 11}, {3, 11, 14, SCREEN_ROADMAP, 11}, {7, 51, 51, SCREEN_GAME, 51},
    };
    for (const Case& c : cases) {
        makePlayer(1, "Ann", 3, c.level);
        gPlayers[1].StoryLevel = c.storyLevel;
        gPlayers[1].StoryPage = c.page;
        gPlayers[1].isStoryPageShow = 1;
        gCurPl = 1;
        gotoScreen(SCREEN_STORY, 0);
        game::step(20);
        ASSERT_EQ(gScreen, SCREEN_STORY);
        EXPECT_TRUE(imgStory.isLoaded) << "page " << c.page;
        if (c.page == 1 || c.page == 12) saveFrame("story_page" + std::to_string(c.page));
        keyStep(13);
        keyStep(27);
        EXPECT_EQ(gFadeDir, 1) << "Enter and Escape do nothing here";
        clickStep(900, 730);
        EXPECT_EQ(gPlayers[1].isStoryPageShow, 0);
        EXPECT_EQ(gNextScreen, c.screen) << "page " << c.page;
        EXPECT_EQ(gPlayers[1].Level, c.levelAfter);
        game::step(20);
        EXPECT_EQ(gScreen, c.screen);
    }
}
