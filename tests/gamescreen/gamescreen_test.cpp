// The game screen played through the real main loop: the opening timeline, the
// three game types, the clock, the in-game menu and resuming from the roadmap.
#include "app/globals.h"
#include "app/ui.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/powerups.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/gamescreen/fixture.h"
#include "tests/harness/game.h"

#include <map>
#include <tuple>

namespace {

using gs::GameFixture;

class GameScreenTest : public GameFixture {
  protected:
    // Starts level `level` (reached in the story) straight on the game screen.
    void play(int level, int gameType) {
        TSpieler& pl = curPlayer();
        pl.StoryLevel = level;
        pl.Level = level;
        pl.gtGameType = gameType;
        enter(SCREEN_GAME);
    }
    // The slot of the piece at rest at (x, y), 0 when there is none.
    static int pieceAt(int x, int y) {
        for (int i = 1; i <= kItems; i++)
            if (isColourKind(itemKind[i]) && itemFalling[i] == 0 && itemX[i] == x && itemY[i] == y) return i;
        return 0;
    }
    // A colour piece whose neighbours to the right (two) and below-right exist.
    static int findSwapShape() {
        for (int i = 1; i <= kItems; i++) {
            if (!isColourKind(itemKind[i]) || itemFalling[i] != 0) continue;
            const int x = itemX[i], y = itemY[i];
            if (pieceAt(x + 48, y) && pieceAt(x + 96, y) && pieceAt(x + 96, y + 48)) return i;
        }
        return 0;
    }
    static int countPieces() {
        int n = 0;
        for (int i = 1; i <= kItems; i++)
            if (isBoardPiece(itemKind[i])) n++;
        return n;
    }
    static bool boardAtRest() {
        for (int i = 1; i <= kItems; i++)
            if (isBoardPiece(itemKind[i]) && itemFalling[i] != 0) return false;
        return true;
    }
    void settle() {
        for (int i = 0; i < 200 && !boardAtRest(); i++) game::step(1);
    }
    // Sets four resting pieces so that one move of the game type removes
    // three: 1 1 1 in a row for chain and group, 1 1 2 over a 1 for swap.
    // Returns the place of the first of them.
    std::pair<int, int> placeThree(int type) {
        const int a = findSwapShape();
        EXPECT_GT(a, 0);
        if (a == 0) return {0, 0};
        const int x = itemX[a], y = itemY[a];
        itemKind[pieceAt(x, y)] = 1;
        itemKind[pieceAt(x + 48, y)] = 1;
        itemKind[pieceAt(x + 96, y)] = type == 3 ? 2 : 1;
        itemKind[pieceAt(x + 96, y + 48)] = type == 3 ? 1 : 2;
        return {x, y};
    }
};

TEST_F(GameScreenTest, LevelOpenedFromTheRoadmapRunsItsOpeningTimeline) {
    TSpieler& pl = curPlayer();
    pl.StoryLevel = 4;
    pl.gtGameType = 2;
    enter(SCREEN_ROADMAP);
    harness::mouseMove(gWaypointX[4], gWaypointY[4]);
    game::step(2);
    saveFrame("roadmap_tooltip");
    clickAt(gWaypointX[4], gWaypointY[4]);
    EXPECT_EQ(gStatePopup, 551);
    EXPECT_EQ(pl.levelSelected, 4);
    ASSERT_TRUE(stepUntilPopupOpen());
    saveFrame("roadmap_levelinfo");
    clickAt(612, 604);
    ASSERT_TRUE(stepUntilScreen(SCREEN_GAME));
    EXPECT_EQ(pl.Level, 4);
    EXPECT_EQ(winCounter, 0);

    stepToGameFrame(40);
    EXPECT_EQ(gStatePopup, 0) << "level 4 opens no help by itself";
    EXPECT_FLOAT_EQ(boardAlpha, 0.0f);
    stepToGameFrame(60);
    saveFrame("game_opening");
    stepToGameFrame(72);
    EXPECT_NEAR(boardAlpha, (gameFrame - 52) * 0.025f, 1e-4);
    stepToGameFrame(100);
    EXPECT_FLOAT_EQ(boardAlpha, 1.0f);

    // The game-type buttons wait for frame 150.
    clickAt(514, 726);
    EXPECT_EQ(pl.gtGameType, 2);
    EXPECT_EQ(pl.time, 0) << "the clock stands during the opening";
    EXPECT_EQ(formatClock(pl.time), "00:00:00");
    stepToGameFrame(150);
    EXPECT_EQ(pl.time, 0);
    clickAt(514, 726);
    EXPECT_EQ(pl.gtGameType, 1);
    game::step(80); // two seconds of play
    EXPECT_GE(pl.time, 1);
    EXPECT_LE(pl.time, 3);
}

TEST_F(GameScreenTest, HelpPopupHoldsTheOpeningOnTheLevelsThatHaveIt) {
    struct Case {
        int level, page;
    };
    for (const Case c : {Case{1, 1}, Case{2, 3}, Case{3, 4}, Case{7, 5}}) {
        SCOPED_TRACE(c.level);
        play(c.level, 2);
        stepToGameFrame(36);
        EXPECT_EQ(gStatePopup, 447);
        EXPECT_EQ(helpPage, c.page);
        game::step(30);
        EXPECT_EQ(gameFrame, 36) << "the opening waits while the popup is open";
        gPopupDir = 2;
        game::step(20);
        EXPECT_GT(gameFrame, 36);
    }
}

TEST_F(GameScreenTest, SelectionInEachGameTypeScoresAndRefills) {
    for (int type : {1, 2, 3}) {
        SCOPED_TRACE(type);
        play(11, type);
        stepToGameFrame(160);
        settle();
        const int before = countPieces();
        const int points = curPlayer().LevelPoints;
        const auto [x, y] = placeThree(type);
        if (type == 1) { // drag a chain through the three
            harness::mouseMove(x, y);
            game::step(1);
            harness::mousePress();
            game::step(1);
            harness::mouseMove(x + 48, y);
            game::step(1);
            harness::mouseMove(x + 96, y);
            game::step(1);
            harness::mouseRelease();
            game::step(1);
        } else if (type == 2) {
            clickAt(x, y);
        } else { // swap the odd piece with the one below it
            clickAt(x + 96, y);
            clickAt(x + 96, y + 48);
            game::step(30);
        }
        EXPECT_GE(curPlayer().LevelPoints, points + 3 * 45) << "three pieces at 30 + 5 x 3 each";
        saveFrame("game_play_type" + std::to_string(type));
        settle();
        game::step(5);
        EXPECT_EQ(countPieces(), before) << "every removed piece was replaced";
    }
}

TEST_F(GameScreenTest, ClockCountsFromEachLevelsOwnStart) {
    for (int level : {5, 6}) {
        SCOPED_TRACE(level);
        play(level, 2);
        stepToGameFrame(150);
        EXPECT_EQ(curPlayer().time, 0);
        game::step(81);
        EXPECT_GE(curPlayer().time, 2);
        EXPECT_LE(curPlayer().time, 3);
    }
}

TEST_F(GameScreenTest, BackgroundShowsAroundTheBoardOnceItIsFullyShown) {
    play(11, 2);
    stepToGameFrame(160);
    ASSERT_FLOAT_EQ(boardAlpha, 1.0f);
    // Level 11 leaves the top-right corner of the board's rectangle empty.
    const harness::Rgb corner = harness::framePixel(980, 90);
    EXPECT_GT(corner.r + corner.g + corner.b, 150) << corner;
}

TEST_F(GameScreenTest, WheelAndKeysChangeTheGameType) {
    play(12, 2);
    stepToGameFrame(155);
    TSpieler& pl = curPlayer();
    harness::wheel(1);
    game::step(1);
    EXPECT_EQ(pl.gtGameType, 3);
    harness::wheel(1);
    game::step(1);
    EXPECT_EQ(pl.gtGameType, 1);
    harness::wheel(-1);
    game::step(1);
    EXPECT_EQ(pl.gtGameType, 3);
    for (auto [key, type] : {std::pair{49, 3}, std::pair{50, 1}, std::pair{51, 2}}) {
        harness::keyPress(key);
        game::step(1);
        EXPECT_EQ(pl.gtGameType, type) << key;
    }
}

// A click whose press and release both arrive before the next frame, as a
// touchpad tap or an automation tool delivers it.
void tap(int x, int y) {
    harness::mouseMove(x, y);
    harness::mousePress();
    harness::mouseRelease();
    game::step(1);
}

TEST_F(GameScreenTest, InstantClicksActLikeHeldOnesAndOnlyOnce) {
    for (int type : {1, 2, 3}) {
        SCOPED_TRACE(type);
        play(11, type);
        stepToGameFrame(160);
        settle();
        const auto [x, y] = placeThree(type);
        const int points = curPlayer().LevelPoints;
        if (type == 1) {
            tap(x, y); // a tap on a chain piece selects nothing lasting
            game::step(1);
            EXPECT_EQ(selCount, 0);
            EXPECT_EQ(itemMarked[pieceAt(x, y)], 0);
            EXPECT_EQ(curPlayer().LevelPoints, points);
        } else if (type == 2) {
            tap(x, y); // the group goes at once
            EXPECT_GE(curPlayer().LevelPoints, points + 3 * 45);
        } else {
            tap(x + 96, y); // two quick clicks select and swap
            EXPECT_EQ(swapFirst, pieceAt(x + 96, y));
            tap(x + 96, y + 48);
            EXPECT_GT(swapProgress, 0);
            game::step(10);
            // At least the three; the moved piece may complete a line where it lands.
            EXPECT_GE(curPlayer().LevelPoints, points + 3 * 45);
        }
        const int after = curPlayer().LevelPoints;
        game::step(20);
        settle();
        EXPECT_EQ(curPlayer().LevelPoints, after) << "the click never acts a second time";
    }

    // Buttons and power-ups take a tap too.
    curPlayer().pu[4] = kPuReady;
    game::step(1);
    tap(static_cast<int>(puX[4]), static_cast<int>(puY[4]));
    EXPECT_GT(puState[4], 0);
    game::step(60);
    tap(967, 29);
    EXPECT_EQ(gStatePopup, 298);
}

TEST_F(GameScreenTest, EscapeWaitsForTheOpeningThenOpensAndClosesTheMenu) {
    play(12, 2);
    stepToGameFrame(100);
    harness::keyPress(27);
    game::step(1);
    EXPECT_EQ(gStatePopup, 0);
    stepToGameFrame(145);
    harness::keyPress(27);
    game::step(1);
    EXPECT_EQ(gStatePopup, 298);
    ASSERT_TRUE(stepUntilPopupOpen());
    saveFrame("game_menu");
    const int frozen = gameFrame;
    harness::keyPress(27);
    game::step(20);
    EXPECT_EQ(gRunPopup, 0);
    EXPECT_GT(gameFrame, frozen) << "the counter runs again once the popup is gone";
}

TEST_F(GameScreenTest, MenuSuspendsAndTheRoadmapResumesTheSameBoard) {
    play(12, 2);
    stepToGameFrame(170);
    settle();
    TSpieler& pl = curPlayer();
    pl.LevelPoints = 1234;
    pl.time = 77;
    clickAt(967, 29);
    ASSERT_EQ(gStatePopup, 298);
    ASSERT_TRUE(stepUntilPopupOpen());
    std::map<std::pair<int, int>, int> board;
    for (int i = 1; i <= kItems; i++)
        if (isBoardPiece(itemKind[i])) board[{itemX[i], itemY[i]}] = itemKind[i];
    clickAt(432, 364); // roadmap
    ASSERT_TRUE(stepUntilScreen(SCREEN_ROADMAP));
    EXPECT_EQ(pl.isResume, 1);
    EXPECT_EQ(pl.resumeLevel, 12);

    // A fresh copy of the profile from disk: the suspended level was saved.
    TSpieler disk;
    disk.setUrl(pl.url);
    disk.LoadFromDisk();
    EXPECT_EQ(disk.isResume, 1);
    EXPECT_EQ(disk.resumeLevel, 12);

    pl.StoryLevel = 20;
    clickAt(120, 720); // start game: the suspended level wins over the story level
    ASSERT_TRUE(stepUntilScreen(SCREEN_GAME));
    EXPECT_EQ(pl.Level, 12);
    EXPECT_EQ(pl.LevelPoints, 1234);
    EXPECT_EQ(pl.time, 77);
    std::map<std::pair<int, int>, int> restored;
    for (int i = 1; i <= kItems; i++)
        if (isBoardPiece(itemKind[i])) restored[{itemX[i], itemY[i]}] = itemKind[i];
    EXPECT_EQ(restored, board);
}

// What changes while the game fades out after the exit question (here the game
// type, switched by its key) is in the player's file when the game ends, also
// when the key comes on the very frame the fade-out ends.
TEST_F(GameScreenTest, QuittingKeepsWhatChangedWhileTheGameFadesOut) {
    for (const bool onTheLastFrame : {false, true}) {
        SCOPED_TRACE(onTheLastFrame ? "key on the last frame" : "key during the fade-out");
        play(11, 3);
        stepToGameFrame(160);
        harness::requestClose();
        for (int i = 0; i < 80 && !(gStatePopup == 99 && gRunPopup == 16); i++) game::step(1);
        ASSERT_EQ(gStatePopup, 99);
        harness::keyDown(13);
        game::step(1);
        harness::keyUp(13);
        ASSERT_EQ(gNextScreen, SCREEN_QUIT);
        // At fade level 0 the next frame is the last one.
        if (onTheLastFrame)
            for (int i = 0; i < 20 && gFadeLevel > 0; i++) game::step(1);
        harness::keyPress(curPlayer().gtGameType == 1 ? 51 : 50); // group or chain
        for (int i = 0; i < 60 && gQuit != 1; i++) game::step(1);
        ASSERT_EQ(gQuit, 1);
        TSpieler saved;
        saved.setUrl(gSaveDir + "players" + std::to_string(gCurPl) + ".ppp");
        saved.LoadFromDisk();
        EXPECT_EQ(saved.gtGameType, curPlayer().gtGameType);
        gQuit = 0;
    }
}

} // namespace
