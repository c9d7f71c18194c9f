// The win screen: the time-bonus table, the best time, the panel's lines, the
// end-of-level order and the choice of the next screen.
#include "app/globals.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "game/winscreen.h"
#include "persist/besttimes.h"
#include "persist/profile.h"
#include "tests/gamescreen/fixture.h"
#include "tests/harness/game.h"

namespace {

using gs::GameFixture;

TEST(TimeBonus, TableRowsAndTheirEdges) {
    struct Case {
        int t, bonus, minutes;
    };
    const Case cases[] = {{5000, 0, 0}, {600, 0, 0},  {599, 50, 10},  {540, 50, 10},  {539, 100, 9},
                          {480, 100, 9}, {479, 200, 8}, {420, 200, 8}, {419, 400, 7}, {360, 400, 7},
                          {359, 600, 6}, {300, 600, 6}, {299, 800, 5}, {240, 800, 5}, {239, 1000, 4},
                          {180, 1000, 4}, {179, 1500, 3}, {120, 1500, 3}, {119, 2000, 2}, {0, 2000, 2}};
    for (const Case& c : cases) {
        int minutes = -1;
        EXPECT_EQ(timeBonusFor(c.t, minutes), c.bonus) << c.t;
        EXPECT_EQ(minutes, c.minutes) << c.t;
    }
}

class WinScreenTest : public GameFixture {
  protected:
    // Plays `level` with the story at `storyLevel`, wins it with the developer
    // key after `seconds` on the clock and runs the panel to its button.
    void winLevel(int level, int storyLevel, int seconds) {
        TSpieler& pl = curPlayer();
        pl.StoryLevel = storyLevel;
        pl.Level = level;
        enter(SCREEN_GAME);
        stepToGameFrame(155);
        pl.time = seconds;
        pl.LevelPoints = 1000;
        pl.anzItems = 7;
        pl.anzMoss = 3;
        gDebugMode = 1;
        harness::keyDown(114); // F3
        game::step(1);
        harness::keyUp(114);
        ASSERT_GT(winCounter, 0);
        pl.time = seconds; // the clock stops with the win; keep the value exact
        for (int i = 0; i < 200 && winCounter < 199; i++) game::step(1);
    }
    void confirm() {
        harness::keyDown(13);
        game::step(1);
        harness::keyUp(13);
    }
};

TEST_F(WinScreenTest, PanelShowsTheBonusesAndANewBestTime) {
    gBestTime[12] = -1;
    winLevel(12, 12, 599);
    saveFrame("game_win_panel");
    EXPECT_EQ(winCounter, 199) << "the counter waits for the player";
    EXPECT_EQ(newBestTime, 1);
    EXPECT_EQ(timeBonus, 50);
    EXPECT_EQ(timeBonusMinutes, 10);
    EXPECT_EQ(curPlayer().LevelPoints, 1000 + 2000 + 50 + 7 * 5 + 3 * 20);
    EXPECT_EQ(gBestTime[12], 599);
    EXPECT_EQ(Trim(gBestName[12]), "Tester");
    gBestTime[12] = -1;
    loadBestTimes();
    EXPECT_EQ(gBestTime[12], 599) << "the best times were saved";

    const auto lines = winPanelLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_FLOAT_EQ(lines[0].y, 244);
    EXPECT_EQ(lines[0].value, "2000");
    EXPECT_EQ(lines[2].value, "7x5=35");
    EXPECT_EQ(lines[3].value, "3x20=60");
    EXPECT_EQ(lines[5].value, std::to_string(1000 + 2000 + 50 + 35 + 60));
}

TEST_F(WinScreenTest, SlowOrEqualTimeGetsNeitherBonusNorANewBest) {
    gBestTime[12] = 600;
    gBestName[12] = "Other";
    winLevel(12, 12, 600);
    EXPECT_EQ(newBestTime, 0);
    EXPECT_EQ(timeBonus, 0);
    EXPECT_EQ(timeBonusMinutes, 0);
    EXPECT_EQ(gBestTime[12], 600);
    EXPECT_EQ(gBestName[12], "Other");
    EXPECT_EQ(curPlayer().LevelPoints, 1000 + 35 + 60);
    const auto lines = winPanelLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_FLOAT_EQ(lines[0].y, 264);
    EXPECT_EQ(lines[0].value, "0");
    EXPECT_NE(lines[0].label.find(":"), std::string::npos);
}

TEST_F(WinScreenTest, ConfirmingBanksThePointsAdvancesAndPicksTheNextScreen) {
    struct Case {
        int level, storyLevel, nextScreen, nextLevel;
        const char* what;
    };
    const Case cases[] = {
        {10, 10, SCREEN_STORY, 11, "the end of a week shows a story page"},
        {5, 5, SCREEN_GAME, 6, "the front of the story goes on to the next level"},
        {3, 8, SCREEN_ROADMAP, 4, "a replay returns to the roadmap"},
        {7, 8, SCREEN_GAME, 8, "a replay just below the story level starts that level"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSpieler& pl = curPlayer();
        pl.StoryPoints = 500;
        winLevel(c.level, c.storyLevel, 1000);
        const int banked = pl.LevelPoints;
        confirm();
        EXPECT_EQ(winCounter, -1);
        EXPECT_EQ(pl.StoryPoints, 500 + banked);
        EXPECT_EQ(pl.LevelPoints, 0);
        EXPECT_EQ(pl.time, 0);
        EXPECT_EQ(pl.Level, c.nextLevel);
        EXPECT_EQ(pl.StoryLevel, std::max(c.storyLevel, c.level == c.storyLevel ? c.storyLevel + 1 : 0));
        TSpieler disk;
        disk.setUrl(pl.url);
        disk.LoadFromDisk();
        EXPECT_EQ(disk.StoryPoints, pl.StoryPoints) << "the profile was saved";
        EXPECT_EQ(disk.Level, c.nextLevel);
        ASSERT_TRUE(stepUntilScreen(c.nextScreen));
        if (c.nextScreen == SCREEN_GAME) {
            EXPECT_EQ(winCounter, 0) << "the next level was loaded";
        }
    }
}

TEST_F(WinScreenTest, BoardWithNothingToDoIsWonOnItsFirstFrame) {
    TSpieler& pl = curPlayer();
    pl.StoryLevel = pl.Level = 4; // the fixture's profile has no item targets
    screenGamePrepare();
    for (int c = 1; c <= kCells; c++) cellMoss[c] = 0;
    game::step(1);
    EXPECT_EQ(gameFrame, 1);
    EXPECT_GE(winCounter, 1) << "won before the opening banner";
    EXPECT_LE(winCounter, 2);
}

TEST_F(WinScreenTest, DeveloperJumpToLevel99AndEnterHeldEndsThePanelAtItsButton) {
    TSpieler& pl = curPlayer();
    pl.StoryLevel = pl.Level = 4;
    enter(SCREEN_GAME);
    stepToGameFrame(155);
    harness::keyDown(115); // F4, without developer mode
    game::step(1);
    EXPECT_EQ(winCounter, 0);
    EXPECT_EQ(pl.Level, 4);
    gDebugMode = 1;
    game::step(1);
    harness::keyUp(115);
    EXPECT_GT(winCounter, 0);
    EXPECT_EQ(pl.Level, 99);
    EXPECT_EQ(pl.StoryLevel, 99);
    harness::keyDown(13); // Enter held all along
    int frames = 0;
    while (winCounter > 0 && frames < 300) {
        game::step(1);
        frames++;
    }
    harness::keyUp(13);
    EXPECT_EQ(winCounter, -1);
    EXPECT_GE(frames, 148);
    EXPECT_LE(frames, 151) << "the panel ends as soon as its button appears";
    EXPECT_EQ(pl.Level, 100);
    EXPECT_TRUE(stepUntilScreen(SCREEN_GAME)) << "level 100 is the front of the story";
}

} // namespace
