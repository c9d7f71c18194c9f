// Whole sessions of the real game, played through the input queue, with every
// frame checked: the canvas composed piece by piece must equal the whole frame
// composed again from its draws, and the window must show it. The sessions
// pass every screen: branding, loading, the main menu with its popups (the
// full-screen switch reopens the display), the player manager, story pages,
// the roadmap, levels played in each game type, the pause, the win screen.
#include <filesystem>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "app/ui.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/board.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/sdl_internal.h"
#include "screens/roadmap.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/platform/frames.h"

namespace {

class Sessions : public harness::HeadlessTest {
protected:
    void SetUp() override
    {
        oldCwd_ = std::filesystem::current_path();
        std::filesystem::current_path(VARNOKA_GAME_DIR);
        ASSERT_TRUE(std::filesystem::exists("data/levels/lvla001.lvl")) << "the generated data folder";
        ASSERT_TRUE(game::start());
        start_ = Display().counts;
    }

    void TearDown() override
    {
        game::stop();
        std::filesystem::current_path(oldCwd_);
    }

    // Runs n frames, checking each; stops at the first wrong one.
    void run(int n)
    {
        for (int i = 0; i < n && !HasFailure(); ++i) {
            if (game::step(1) == 0) return;
            ++frames_;
            const std::string whole = frames::CanvasAgainstWholeFrame(), shown = frames::SurfaceAgainstCanvas();
            if (whole.empty() && shown.empty()) continue;
            frames::SaveBoth("session-frame" + std::to_string(frames_));
            ADD_FAILURE() << "frame " << frames_ << " on screen " << gScreen << ": " << whole << " " << shown;
        }
    }
    void runUntil(const std::function<bool()>& done, int limit)
    {
        for (int i = 0; i < limit && !done() && !HasFailure(); ++i) run(1);
        ASSERT_TRUE(done()) << "not reached in " << limit << " frames";
    }
    void runUntilScreen(int screen) { runUntil([=] { return gScreen == screen && gFadeLevel >= 255; }, 600); }
    void runUntilPopup(int popup) { runUntil([=] { return gStatePopup == popup && gRunPopup == 16; }, 80); }
    void runUntilNoPopup() { runUntil([] { return gRunPopup == 0; }, 80); }
    void click(int x, int y)
    {
        harness::click(x, y);
        run(1);
    }
    void key(int vk)
    {
        harness::keyDown(vk);
        run(1);
        harness::keyUp(vk);
        run(1);
    }
    // The pointer glides over a few frames, as a hand moves it.
    void glide(int x0, int y0, int x1, int y1, int steps = 6)
    {
        for (int i = 1; i <= steps; ++i) {
            harness::mouseMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
            run(1);
        }
    }

    // Plays moves in the current game type, letting the board settle between.
    void play(int moves)
    {
        for (int m = 0; m < moves && !HasFailure(); ++m) {
            int xs[3], ys[3];
            if (!game::findThreeLinked(xs, ys)) {
                run(20);
                continue;
            }
            glide(gMouseX, gMouseY, xs[0], ys[0], 4);
            harness::mousePress();
            run(1);
            glide(xs[0], ys[0], xs[1], ys[1], 2);
            glide(xs[1], ys[1], xs[2], ys[2], 2);
            harness::mouseRelease();
            run(30);
        }
    }

    // Frames that composed only part of the canvas, and frames with nothing
    // to compose, over the session so far.
    long long partialFrames() const { return Display().counts.partial - start_.partial; }
    long long unchangedFrames() const { return Display().counts.unchanged - start_.unchanged; }

    int frames_ = 0;

private:
    std::filesystem::path oldCwd_;
    FrameCounts start_;
};

TEST_F(Sessions, StartUpToTheMainMenuAndItsPopups)
{
    run(12);
    // Each branding page is skipped with Enter.
    for (int page = 0; page < 8 && gScreen == SCREEN_BRANDING && !HasFailure(); ++page) {
        key(13);
        run(18);
    }
    runUntilScreen(SCREEN_LOADING);
    runUntilScreen(SCREEN_MENU);
    run(50); // the signs slide in
    glide(500, 400, 690, 190);
    glide(690, 190, 265, 740, 10);
    glide(265, 740, 925, 740, 10);

    // No player yet: the start sign asks for a name.
    click(690, 190);
    runUntilPopup(105);
    harness::typeText("Dora");
    run(3);
    key(13);
    runUntilNoPopup();
    EXPECT_EQ(gPlayers[1].name, "Dora");

    // Options: the full-screen box reopens the display twice, then OK.
    click(265, 740);
    runUntilPopup(100);
    for (int i = 0; i < 2; ++i) {
        const int before = gConfig.fullscreen;
        click(442, 480);
        EXPECT_EQ(gConfig.fullscreen, 1 - before);
        run(5);
        click(100, 100); // ends the pause the switch starts
        runUntilPopup(100);
    }
    click(512, 612);
    runUntilNoPopup();

    // The credits and the exit question, left with Escape.
    for (const int x : {755, 925}) {
        click(x, 740);
        runUntil([] { return gRunPopup == 16; }, 80);
        run(10);
        key(27);
        if (gRunPopup != 0) gPopupDir = 2; // a popup without Escape closes by hand
        runUntilNoPopup();
    }
    // The player manager.
    click(95, 740);
    runUntilPopup(103);
    glide(512, 384, 520, 300);
    gPopupDir = 2;
    runUntilNoPopup();
    run(40);
    EXPECT_GT(partialFrames(), 50) << "most changes compose only part of the frame";
    EXPECT_GT(unchangedFrames(), 20) << "frames at rest compose nothing";
}

TEST_F(Sessions, StoryRoadmapLevelsAndTheWinScreen)
{
    // What the loading screen loads, without its timeline.
    initSounds();
    menustuff_load();
    menustuff_load_dynamic();
    loadGamePictures();
    gamestuff_load();
    loadEffectPictures();
    loadBoardPictures();
    load_for_preview_match3();
    gInputEnabled = 1;
    gCurPl = 1;
    gPlayers[1].NewVarnoka();
    gPlayers[1].name = "Dora";
    gotoScreen(SCREEN_MENU, 0);
    runUntilScreen(SCREEN_MENU);
    run(50);

    click(690, 190); // the start sign: resume question
    runUntilPopup(107);
    click(597, 484); // go on: the first story page
    runUntilScreen(SCREEN_STORY);
    run(20);
    click(900, 730);
    runUntilScreen(SCREEN_ROADMAP);
    runUntilPopup(112); // the roadmap's help on the first visit
    click(512, 586);
    runUntilNoPopup();
    glide(500, 400, gWaypointX[1], gWaypointY[1], 10);
    run(20);
    click(120, 720); // level 1 through the second story page
    runUntilScreen(SCREEN_STORY);
    run(10);
    click(900, 730);
    runUntilScreen(SCREEN_GAME);

    // Level 1 opens its help: two pages, each closed with Enter.
    runUntil([] { return gStatePopup == 447 && gRunPopup == 16; }, 120);
    key(13);
    run(10);
    key(13);
    runUntilNoPopup();
    run(60);
    key(51); // group
    play(4);
    const int points = curPlayer().LevelPoints;
    EXPECT_GT(points, 0) << "groups were cleared";
    key(50); // chain
    play(4);
    EXPECT_GT(curPlayer().LevelPoints, points) << "chains were cleared";
    key(49); // swap: drags that may or may not match
    play(2);
    run(80); // at rest: hints, the clock, the light on the moss

    // Losing the window's focus pauses; a click goes on.
    harness::focusLost();
    run(5);
    EXPECT_EQ(gPaused, 1);
    harness::focusGained();
    run(5);
    click(512, 384);
    run(20);

    // Won with the developer key: the panel counts up, Enter goes on.
    gDebugMode = 1;
    key(114);
    ASSERT_GT(winCounter, 0);
    runUntil([] { return winCounter >= 199; }, 300);
    key(13);
    runUntil([] { return gFadeDir == 2; }, 40); // on to the next level
    runUntil([] { return gFadeDir == 1 && gFadeLevel >= 255; }, 200);
    run(40);
    EXPECT_GT(partialFrames(), 200) << "most changes compose only part of the frame";
    EXPECT_GT(unchangedFrames(), 10) << "frames at rest compose nothing";
}

} // namespace
