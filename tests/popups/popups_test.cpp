// Options, credits, exit, resume/new game, champions and help popups driven
// through the real input queue.
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/popup.h"
#include "app/ui.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/harness/game.h"
#include "tests/popups/popupfixture.h"

#include <cstring>

using namespace popuptest;

namespace {

class PopupsTest : public PopupTest {};

// Drags from one point to another over a few frames with the button held.
void drag(int x0, int y0, int x1, int y1) {
    harness::mouseMove(x0, y0);
    harness::mousePress();
    game::step(1);
    harness::mouseMove((x0 + x1) / 2, (y0 + y1) / 2);
    game::step(1);
    harness::mouseMove(x1, y1);
    game::step(1);
}

void release() {
    harness::mouseRelease();
    game::step(1);
}

} // namespace

TEST_F(PopupsTest, OptionsSlidersFollowThePointerAndAreLimited) {
    gConfig.musiklautsoll = 140;
    gConfig.soundlaut = 200;
    openFully(100);
    saveFrame("popup100_options");

    drag(372 + 140, 292, 100, 292); // music knob far past the left end
    EXPECT_EQ(gMusicDrag, 1);
    EXPECT_EQ(gSoundDrag, 0) << "only one knob at a time";
    EXPECT_EQ(gConfig.musiklautsoll, 100 - 372) << "outside the range until the next frame";
    harness::mouseMove(100, 384); // across the effects knob's row: it stays put
    game::step(1);
    EXPECT_EQ(gConfig.soundlaut, 200);
    release();
    EXPECT_EQ(gMusicDrag, 0);
    game::step(1);
    EXPECT_EQ(gConfig.musiklautsoll, 0) << "limited in the frame after the release";

    drag(372 + 200, 387, 900, 387); // effects knob past the right end
    EXPECT_EQ(gSoundDrag, 1);
    release();
    game::step(1);
    EXPECT_EQ(gConfig.soundlaut, 280);
    drag(652, 387, 372 + 70, 387);
    release();
    EXPECT_EQ(gConfig.soundlaut, 70);

    // Escape while a knob is still held past the end stores a value in range.
    drag(372 + 70, 387, 1000, 387);
    keyStep(27);
    EXPECT_EQ(gPopupDir, 2);
    EXPECT_EQ(gConfig.soundlaut, 280);
    release();
    const std::string settings = readFile(env.saveDir() + "settings.txt");
    EXPECT_NE(settings.find("\r\n0\r\n280\r\n"), std::string::npos) << settings;
}

TEST_F(PopupsTest, PopupButtonsAreInertWhileOpeningAndClosing) {
    openPopup(101);
    game::step(1);
    ASSERT_LT(gRunPopup, 16);
    clickStep(512, 610);
    keyStep(27);
    EXPECT_EQ(gPopupDir, 1) << "nothing closes the credits while they open";
    ASSERT_TRUE(stepUntilOpen());
    saveFrame("popup101_credits");
    clickStep(512, 610);
    EXPECT_EQ(gPopupDir, 2);
    // While it closes, a click on the menu's options button beneath does nothing.
    clickStep(265, 740);
    EXPECT_EQ(gStatePopup, 101);
    ASSERT_TRUE(stepUntilClosed());
    game::step(1);
    EXPECT_EQ(gStatePopup, 0);
}

TEST_F(PopupsTest, ExitQuestionBackOnEscapeQuitOnEnterSavingTheProfile) {
    makePlayer(1, "Ann", 33);
    gCurPl = 1;
    harness::requestClose();
    game::step(1);
    ASSERT_EQ(gStatePopup, 99);
    ASSERT_TRUE(stepUntilOpen());
    saveFrame("popup99_exit");
    keyStep(27);
    EXPECT_EQ(gPopupDir, 2);
    ASSERT_TRUE(stepUntilClosed());
    EXPECT_EQ(gQuit, 0);

    openFully(99);
    gPlayers[1].StoryPoints = 77;
    harness::keyDown(13);
    const int ran = game::step(40);
    harness::keyUp(13);
    EXPECT_EQ(gQuit, 1) << "the fade-out ends the program";
    EXPECT_LT(ran, 40);
    TSpieler back;
    back.setUrl(env.saveDir() + "players1.ppp");
    back.LoadFromDisk();
    EXPECT_EQ(back.StoryPoints, 77);
}

TEST_F(PopupsTest, ResumeAndNewGameHandOver) {
    makePlayer(1, "Ann", 33, 15);
    gCurPl = 1;
    clickStep(690, 190); // start sign with a player
    ASSERT_EQ(gStatePopup, 107);
    ASSERT_TRUE(stepUntilOpen());
    saveFrame("popup107_resume");
    clickStep(427, 484);
    EXPECT_EQ(gStatePopup, 432);
    EXPECT_EQ(gRunPopup, 16) << "the confirmation takes over fully open";
    // The frame of the click already shows the confirmation's texts (the
    // panel's soft edge differs: both popups drew their panel in that frame).
    const harness::Frame clicked = harness::grabFrame();
    game::step(1);
    const harness::Frame next = harness::grabFrame();
    int diff = 0;
    for (int y = 250; y < 440; ++y)
        for (int x = 330; x < 690; ++x)
            if (std::memcmp(clicked.at(x, y), next.at(x, y), 3) != 0) ++diff;
    EXPECT_EQ(diff, 0) << "the confirmation ran in the frame of the click";
    saveFrame("popup432_newgame");

    // Enter held: 432 hands back to 107, which closes in the next frame.
    harness::keyDown(13);
    game::step(1);
    EXPECT_EQ(gStatePopup, 107);
    EXPECT_EQ(gPopupDir, 1);
    game::step(1);
    EXPECT_EQ(gPopupDir, 2);
    harness::keyUp(13);
    ASSERT_TRUE(stepUntilClosed());

    openFully(107);
    clickStep(427, 484);
    clickStep(427, 484); // "yes"
    EXPECT_EQ(gPlayers[1].Level, 1);
    EXPECT_EQ(gPlayers[1].StoryPage, 1);
    EXPECT_EQ(gPlayers[1].name, "Ann");
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_STORY);
}

TEST_F(PopupsTest, ResumeShowsADueStoryPageElseTheRoadmap) {
    struct Case {
        int level, isResume, resumeLevel, screen, levelAfter;
    };
    const Case cases[] = {
        {15, 0, 0, SCREEN_ROADMAP, 15},
        {21, 0, 0, SCREEN_STORY, 21},
        {15, 1, 11, SCREEN_ROADMAP, 11}, // the story page is checked before the snapshot's level
    };
    for (const Case& c : cases) {
        makePlayer(1, "Ann", 3, c.level);
        gPlayers[1].isResume = c.isResume;
        gPlayers[1].resumeLevel = c.resumeLevel;
        gCurPl = 1;
        gotoScreen(SCREEN_MENU, 0);
        game::step(20);
        openFully(107);
        clickStep(597, 484);
        game::step(10);
        EXPECT_EQ(gScreen, c.screen) << "level " << c.level;
        EXPECT_EQ(gPlayers[1].Level, c.levelAfter);
    }
}

TEST_F(PopupsTest, ChampionsAndRoadmapHelpClose) {
    makePlayer(2, "Zed", 120, 12);
    makePlayer(1, "Amy", 40, 7);
    openFully(111);
    saveFrame("popup111_champions");
    harness::keyDown(13);
    game::step(1);
    harness::keyUp(13);
    EXPECT_EQ(gPopupDir, 2);
    stepUntilClosed();
    openFully(112);
    saveFrame("popup112_roadmaphelp");
    clickStep(512, 586);
    EXPECT_EQ(gPopupDir, 2);
}

TEST_F(PopupsTest, HelpPagingFromTheInGameMenu) {
    gameFrame = 200;
    helpBrowse = 1;
    helpPage = 1;
    openFully(447);
    clickStep(312, 610); // back is dimmed on page 1
    EXPECT_EQ(helpPage, 1);
    for (int page = 1; page <= 6; ++page) {
        EXPECT_EQ(helpPage, page);
        game::step(1);
        saveFrame("popup447_help" + std::to_string(page));
        clickStep(712, page == 3 ? 590 : 610);
    }
    EXPECT_EQ(helpPage, 6) << "next is dimmed on page 6, the keys";
    clickStep(312, 610);
    EXPECT_EQ(helpPage, 5);
    clickStep(512, 610);
    EXPECT_EQ(gPopupDir, 2);
}

TEST_F(PopupsTest, HelpAtTheStartOfLevelOneShowsPageOneThenTwo) {
    gameFrame = 36;
    helpBrowse = 0;
    helpPage = 1;
    openFully(447);
    clickStep(712, 610); // no paging buttons here
    EXPECT_EQ(helpPage, 1);
    harness::keyDown(13);
    game::step(1);
    EXPECT_EQ(helpPage, 2);
    EXPECT_EQ(gPopupDir, 1);
    game::step(1);
    EXPECT_EQ(gPopupDir, 2) << "Enter still held closes page 2";
    harness::keyUp(13);
}

TEST_F(PopupsTest, FullScreenBoxSwitchesEvenWhileOpeningAndIsSavedOnlyByOk) {
    const int before = gConfig.fullscreen;
    const std::string savedBefore = readFile(env.saveDir() + "settings.txt");
    openPopup(100);
    game::step(1);
    ASSERT_LT(gRunPopup, 16);
    clickStep(442, 480);
    EXPECT_EQ(gConfig.fullscreen, 1 - before);
    EXPECT_EQ(gPaused, 1) << "the mode switch pauses until a click";
    EXPECT_EQ(readFile(env.saveDir() + "settings.txt"), savedBefore);
    clickStep(100, 100); // the click that ends the pause
    ASSERT_TRUE(stepUntilOpen());
    clickStep(512, 612);
    EXPECT_EQ(gPopupDir, 2);
    const std::string saved = readFile(env.saveDir() + "settings.txt");
    EXPECT_EQ(saved.substr(0, saved.find('\r')), std::to_string(1 - before));
}
