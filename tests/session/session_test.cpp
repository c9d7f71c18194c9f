// Whole sessions without a mouse, once with the keyboard alone and once with a
// game controller alone: start-up, a new player with a typed name, the
// options (a volume and full screen), the roadmap, level 1 played to a win on
// the board cursor, the win panel, the story page, level 2 started, the in-game
// menu, back to the main menu and quit. The saves afterwards hold the won level.
// Frames go to build-test/frames/session-*.png.
#include "app/focus.h"
#include "app/globals.h"
#include "app/ui.h"
#include "app/loadscreen.h"
#include "game/boardcursor.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "screens/roadmap.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/harness/pad.h"
#include "tests/session/hands.h"
#include "tests/ui/uifixture.h"
#include "tools/autoplay/moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using session::stepUntil;

namespace {

class Session : public harness::HeadlessTest {
  protected:
    void TearDown() override {
        game::stop();
        uitest::resetUiState();
    }
    void save(const std::string& name) {
        const fs::path dir = fs::path(uitest::gameDir()).parent_path() / "frames";
        fs::create_directories(dir);
        EXPECT_TRUE(harness::saveFramePng((dir / ("session-" + name + ".png")).string())) << name;
    }
    // A part of the frame, small enough to look at the focus closely.
    void saveCrop(const std::string& name, int x, int y, int w, int h) {
        const harness::Frame f = harness::grabFrame();
        ASSERT_TRUE(x >= 0 && y >= 0 && x + w <= f.width && y + h <= f.height);
        std::vector<uint8_t> rgba;
        for (int row = y; row < y + h; ++row) rgba.insert(rgba.end(), f.at(x, row), f.at(x + w, row));
        const fs::path dir = fs::path(uitest::gameDir()).parent_path() / "frames";
        EXPECT_TRUE(harness::writePng((dir / ("focus-" + name + ".png")).string(), w, h, rgba)) << name;
    }
    bool popupOpen(int id) { return stepUntil([id] { return game::popupOpen(id); }, 80); }
    bool onScreen(int screen) { return stepUntil([screen] { return game::onScreen(screen); }, 700); }

    // Every piece lies in its cell and nothing is selected.
    static bool boardAtRest() {
        if (selCount != 0 || swapProgress != 0 || powerUpBusy != 0 || shuffleRadius != 0) return false;
        for (int s = 1; s <= kItems; ++s)
            if (isBoardPiece(itemKind[s]) && (itemCell[s] == 0 || itemFalling[s] != 0)) return false;
        return true;
    }

    // Plays the level in group play with the best group each time, walking the
    // board cursor to it; true once the level is won.
    bool playToWin(session::Hands& hands) {
        hands.groupPlay();
        EXPECT_EQ(curPlayer().gtGameType, 2);
        for (int move = 0; move < 200 && winCounter == 0; ++move) {
            if (!stepUntil([] { return boardAtRest() || winCounter != 0; }, 400)) return false;
            if (winCounter != 0) break;
            autoplay::Board b;
            b.read();
            const std::vector<autoplay::Move> moves = autoplay::movesFor(b, 2, autoplay::readNeeds());
            const autoplay::Move* best = nullptr;
            for (const autoplay::Move& m : moves)
                if (!best || m.effect.value() > best->effect.value()) best = &m;
            if (!best) {
                game::step(40); // a rescue bomb is on its way
                continue;
            }
            const int x = autoplay::xOfCol(best->cells[0].col), y = autoplay::yOfRow(best->cells[0].row);
            EXPECT_TRUE(hands.walkTo(x, y, 0)) << "move " << move;
            EXPECT_TRUE(focusOnCursorArea());
            if (move == 0) {
                save(name_ + "-cursor");
                saveCrop(name_ + "-board-cursor", std::max(0, x - 150), std::max(0, y - 100), 300, 200);
            }
            hands.press();
        }
        return stepUntil([] { return winCounter > 150; }, 400);
    }

    void play(session::Hands& hands, const std::string& name) {
        name_ = name;
        ASSERT_TRUE(game::start());
        // Branding pages and the loading screen, then the menu once its signs rest.
        ASSERT_TRUE(stepUntil(
            [&] {
                if (gScreen == SCREEN_BRANDING && gFadeDir == 1 && gFadeLevel >= 255) hands.press();
                return gScreen == SCREEN_MENU;
            },
            2000));
        game::step(60);

        // A new player: "start game" asks for a name first.
        ASSERT_TRUE(hands.pressAt(690, 190, 20));
        ASSERT_TRUE(popupOpen(105));
        save(name + "-name-popup");
        saveCrop(name + "-name-popup", 272, 220, 480, 480);
        hands.typeName("ADA");
        ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));
        ASSERT_EQ(gCurPl, 1);
        EXPECT_EQ(curPlayer().name, "ADA");

        // Options: the effects volume up one step, full screen switched.
        ASSERT_TRUE(hands.pressAt(265, 740));
        ASSERT_TRUE(popupOpen(100));
        const int volume = gConfig.soundlaut;
        ASSERT_TRUE(hands.walkTo(372 + volume, 387));
        hands.move(1, 0);
        game::step(1);
        EXPECT_GT(gConfig.soundlaut, volume);
        save(name + "-options");
        saveCrop(name + "-options-knob", 262, 230, 500, 200);
        const int fullscreen = gConfig.fullscreen;
        ASSERT_TRUE(hands.pressAt(442, 480));
        EXPECT_EQ(gConfig.fullscreen, 1 - fullscreen);
        EXPECT_EQ(gPaused, 1);
        hands.press(); // ends the pause
        EXPECT_EQ(gPaused, -1);
        ASSERT_TRUE(hands.pressAt(512, 612));
        ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));
        EXPECT_GT(gConfig.soundlaut, volume);

        // Start: the resume question, then the story's first page or the roadmap.
        ASSERT_TRUE(hands.pressAt(690, 190, 20));
        ASSERT_TRUE(popupOpen(107));
        ASSERT_TRUE(hands.pressAt(597, 484));
        ASSERT_TRUE(stepUntil([] { return gScreen == SCREEN_STORY || gScreen == SCREEN_ROADMAP; }, 200));
        if (gScreen == SCREEN_STORY) {
            ASSERT_TRUE(onScreen(SCREEN_STORY));
            ASSERT_TRUE(hands.pressAt(900, 730));
        }
        const int roadmapSeen = roadmapFrames; // counted over the whole process
        ASSERT_TRUE(onScreen(SCREEN_ROADMAP));
        if (roadmapSeen < 20) {
            ASSERT_TRUE(popupOpen(112)); // the roadmap's help on a first visit
            hands.press();
            ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));
        }
        ASSERT_TRUE(hands.walkTo(gWaypointX[1], gWaypointY[1]));
        save(name + "-roadmap");
        saveCrop(name + "-roadmap-waypoint", gWaypointX[1] - 150, gWaypointY[1] - 100, 300, 200);
        hands.press();
        ASSERT_TRUE(popupOpen(551));
        ASSERT_TRUE(hands.pressAt(612, 604));
        ASSERT_TRUE(onScreen(SCREEN_STORY));
        ASSERT_TRUE(hands.pressAt(900, 730));

        // Level 1, with the help pages it opens first.
        ASSERT_TRUE(onScreen(SCREEN_GAME));
        EXPECT_EQ(curPlayer().Level, 1);
        ASSERT_TRUE(popupOpen(447));
        hands.press();
        game::step(2);
        ASSERT_TRUE(popupOpen(447));
        hands.press();
        ASSERT_TRUE(stepUntil([] { return gRunPopup == 0 && gameFrame > 151; }, 300));
        ASSERT_TRUE(playToWin(hands));
        save(name + "-win");
        ASSERT_TRUE(hands.pressAt(512, 580));

        // The story page the won level leads to, if any, then level 2.
        ASSERT_TRUE(stepUntil([] { return gScreen == SCREEN_STORY || (gScreen == SCREEN_GAME && gameFrame < 20); }, 300));
        if (gScreen == SCREEN_STORY) {
            ASSERT_TRUE(onScreen(SCREEN_STORY));
            save(name + "-story");
            ASSERT_TRUE(hands.pressAt(900, 730));
        }
        ASSERT_TRUE(onScreen(SCREEN_GAME));
        EXPECT_EQ(curPlayer().Level, 2);
        ASSERT_TRUE(popupOpen(447)); // level 2 shows its help page too
        hands.press();
        ASSERT_TRUE(stepUntil([] { return gameFrame > 141 && gRunPopup == 0; }, 400));

        // The in-game menu, back to the main menu, quit.
        hands.start();
        ASSERT_TRUE(popupOpen(298));
        save(name + "-ingame-menu");
        saveCrop(name + "-ingame-menu", 312, 234, 400, 320);
        ASSERT_TRUE(hands.pressAt(432, 434));
        ASSERT_TRUE(onScreen(SCREEN_MENU));
        game::step(10);
        ASSERT_TRUE(hands.pressAt(925, 740));
        ASSERT_TRUE(popupOpen(99));
        ASSERT_TRUE(hands.pressAt(597, 484));
        stepUntil([] { return gQuit == 1; }, 200);
        ASSERT_EQ(gQuit, 1);

        // The saves hold the won level.
        TSpieler saved;
        saved.setUrl(gSaveDir + "players1.ppp");
        saved.LoadFromDisk();
        EXPECT_EQ(saved.name, "ADA");
        EXPECT_GE(saved.StoryLevel, 2);
        TConfig settings;
        settings.setUrl(gSaveDir + "settings.txt");
        settings.LoadFromDisk();
        EXPECT_EQ(settings.fullscreen, 1 - fullscreen);
        EXPECT_GT(settings.soundlaut, volume);
    }

    uitest::InGameFolder folder_;
    std::string name_;
};

TEST_F(Session, KeyboardAlone) {
    play(*session::keyboardHands(), "keys");
}

TEST_F(Session, ControllerAlone) {
    harness::VirtualPad pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    play(*session::controllerHands(pad), "pad");
}

} // namespace
