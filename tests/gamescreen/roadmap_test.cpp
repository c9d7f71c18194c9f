// The roadmap: waypoints that can be picked, the help on the first visit, the
// tooltip placement and the level information popup's resume rules.
#include "app/globals.h"
#include "app/mainloop.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/gamescreen/fixture.h"
#include "tests/harness/game.h"

namespace {

using gs::GameFixture;

TEST(RoadmapTooltip, StaysOnScreenNearTheEdges) {
    struct Case {
        int mx, my;
        float px, py;
    };
    // A 400 x 300 panel is 320 x 114 at the tooltip's scale.
    const Case cases[] = {{100, 100, 100, 100}, {800, 100, 480, 100}, {704, 654, 704, 654},
                          {705, 655, 385, 541}, {1000, 760, 680, 646}};
    for (const Case& c : cases) {
        float px = 0, py = 0;
        tooltipCorner(c.mx, c.my, 400, 300, px, py);
        EXPECT_FLOAT_EQ(px, c.px) << c.mx << "," << c.my;
        EXPECT_FLOAT_EQ(py, c.py) << c.mx << "," << c.my;
    }
}

class RoadmapTest : public GameFixture {};

TEST_F(RoadmapTest, HelpOpensOnTheTwentiethFrameOfTheFirstVisitOnly) {
    roadmapFrames = 0;
    curPlayer().StoryLevel = 1;
    gotoScreen(SCREEN_ROADMAP, 0);
    for (int i = 0; i < 40 && roadmapFrames < 19; i++) game::step(1);
    EXPECT_EQ(gStatePopup, 0);
    game::step(1);
    EXPECT_EQ(roadmapFrames, 20);
    EXPECT_EQ(gStatePopup, 112);
    gPopupDir = 2;
    game::step(20);
    enter(SCREEN_MENU);
    enter(SCREEN_ROADMAP);
    game::step(40);
    EXPECT_EQ(gStatePopup, 0) << "a second visit in the same run opens no help";
}

TEST_F(RoadmapTest, OnlyLevelsUpToTheStoryLevelCanBePicked) {
    curPlayer().StoryLevel = 30;
    enter(SCREEN_ROADMAP);
    clickAt(gWaypointX[31], gWaypointY[31]);
    EXPECT_EQ(gStatePopup, 0);
    clickAt(gWaypointX[30], gWaypointY[30]);
    EXPECT_EQ(gStatePopup, 551);
    EXPECT_EQ(curPlayer().levelSelected, 30);
}

TEST_F(RoadmapTest, PlayResumesTheSuspendedLevelOrDropsItForAnother) {
    struct Case {
        int pick;
        bool resumed;
    };
    for (const Case c : {Case{12, true}, Case{8, false}}) {
        SCOPED_TRACE(c.pick);
        TSpieler& pl = curPlayer();
        pl.StoryLevel = 20;
        pl.Level = 12;
        enter(SCREEN_GAME);
        stepToGameFrame(160);
        pl.LevelPoints = 4321;
        pl.SuspendLevel();
        enter(SCREEN_ROADMAP);
        clickAt(gWaypointX[c.pick], gWaypointY[c.pick]);
        ASSERT_EQ(gStatePopup, 551);
        ASSERT_TRUE(stepUntilPopupOpen());
        clickAt(612, 604);
        ASSERT_TRUE(stepUntilScreen(SCREEN_GAME));
        EXPECT_EQ(pl.Level, c.pick);
        EXPECT_EQ(pl.LevelPoints, c.resumed ? 4321 : 0);
        EXPECT_EQ(pl.isResume, 0);
    }
}

TEST_F(RoadmapTest, LevelOneGoesThroughStoryPageTwo) {
    curPlayer().StoryLevel = 1;
    enter(SCREEN_ROADMAP);
    clickAt(120, 720);
    ASSERT_TRUE(stepUntilScreen(SCREEN_STORY));
    EXPECT_EQ(curPlayer().StoryPage, 2);
    EXPECT_EQ(curPlayer().isStoryPageShow, 1);
}

} // namespace
