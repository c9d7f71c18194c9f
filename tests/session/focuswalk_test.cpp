// The focus walked in every direction from every place of every screen and
// popup: it always lands on a place registered in that frame (places are
// registered only while they answer a click, so never on a hidden or inactive
// one), the pointer it steers is there, the screen or popup stays, and it
// never lands on the places a table lists as inactive.
#include "app/focus.h"
#include "app/focus_internal.h"
#include "app/globals.h"
#include "game/gamestate.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/session/hands.h"
#include "tests/ui/uifixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using session::stepUntil;

namespace {

struct Point {
    int x, y;
};

class FocusWalk : public harness::HeadlessTest {
  protected:
    void TearDown() override {
        game::stop();
        uitest::resetUiState();
    }
    bool popupOpen(int id) { return stepUntil([id] { return game::popupOpen(id); }, 80); }
    bool onScreen(int screen) { return stepUntil([screen] { return game::onScreen(screen); }, 700); }
    static int arrow(int d) { return 37 + d; } // left, up, right, down

    // Walks one step in each direction from every place of this frame.
    void walkAll(const std::string& where, const std::vector<Point>& inactive = {}) {
        SCOPED_TRACE(where);
        game::step(2);
        const std::vector<FocusPlace> places = focusPlacesNow();
        ASSERT_FALSE(places.empty());
        const int screen = gScreen, popup = gStatePopup;
        // The moves between the places, by their index in `places`.
        std::vector<std::vector<size_t>> next(places.size());
        for (size_t i = 0; i < places.size(); ++i) {
            const FocusPlace& from = places[i];
            for (int d = 0; d < 4; ++d) {
                ASSERT_TRUE(jumpTo(from)) << "no place near " << from.cx << "," << from.cy;
                // From the board's cursor the walk goes on until it leaves the board.
                for (int steps = 0; steps < 30; ++steps) {
                    harness::keyPress(arrow(d));
                    game::step(1);
                    const FocusPlace* on = focusedPlace(focusPlacesNow());
                    if (from.kind != FOCUS_KIND_CURSOR || !on || on->kind != FOCUS_KIND_CURSOR) break;
                }
                ASSERT_EQ(gScreen, screen);
                ASSERT_EQ(gStatePopup, popup);
                const FocusPlace* at = focusedPlace(focusPlacesNow());
                ASSERT_NE(at, nullptr) << "lost going " << d << " from " << from.cx << "," << from.cy;
                ASSERT_TRUE(focusShown());
                if (at->kind == FOCUS_KIND_BUTTON) { // a knob is pressed beside its centre to drag it
                    EXPECT_TRUE(gMouseX == at->px && gMouseY == at->py)
                        << "the pointer follows the focus to " << at->cx << "," << at->cy;
                }
                // A popup's places are its own: the screen below answers no click.
                if (popup != 0) {
                    EXPECT_TRUE(at->cx > 200 && at->cx < 824 && at->cy > 150 && at->cy < 700)
                        << "outside the popup at " << at->cx << "," << at->cy;
                }
                for (const Point& p : inactive)
                    EXPECT_FALSE(std::abs(at->cx - p.x) < 30 && std::abs(at->cy - p.y) < 30)
                        << "on the inactive place " << p.x << "," << p.y;
                next[i].push_back(nearestIndex(places, *at));
            }
        }
        // Every place can be reached from the first one the focus takes.
        std::vector<bool> seen(places.size(), false);
        std::vector<size_t> open{0};
        seen[0] = true;
        while (!open.empty()) {
            const size_t i = open.back();
            open.pop_back();
            for (const size_t j : next[i])
                if (!seen[j]) {
                    seen[j] = true;
                    open.push_back(j);
                }
        }
        for (size_t i = 0; i < places.size(); ++i)
            EXPECT_TRUE(seen[i]) << "no way to " << places[i].cx << "," << places[i].cy;
    }

    // Shows the focus on the place of this frame nearest to `place` (a knob
    // moves with its value, the menu's signs bob), after at most a few frames
    // (a place may answer again only once a drag has ended).
    static bool jumpTo(const FocusPlace& place) {
        for (int tries = 0; tries < 5; ++tries) {
            const std::vector<FocusPlace>& now = focusPlacesNow();
            if (!now.empty()) {
                const FocusPlace& p = now[nearestIndex(now, place)];
                const bool near = std::abs(p.cy - place.cy) <= 30 &&
                                  (p.kind == FOCUS_KIND_SLIDER || std::abs(p.cx - place.cx) <= 60);
                if (p.kind == place.kind && near && focusJumpTo(p.cx, p.cy))
                    return true;
            }
            game::step(1);
        }
        return false;
    }

    // The place of `places` nearest to p (buttons may bob a little).
    static size_t nearestIndex(const std::vector<FocusPlace>& places, const FocusPlace& p) {
        size_t best = 0;
        long bestDist = -1;
        for (size_t i = 0; i < places.size(); ++i) {
            if (places[i].kind != p.kind) continue;
            const long dx = places[i].cx - p.cx, dy = places[i].cy - p.cy;
            if (bestDist < 0 || dx * dx + dy * dy < bestDist) {
                best = i;
                bestDist = dx * dx + dy * dy;
            }
        }
        return best;
    }

    uitest::InGameFolder folder_;
};

TEST_F(FocusWalk, EveryDirectionFromEveryPlace) {
    ASSERT_TRUE(game::start());
    ASSERT_TRUE(stepUntil(
        [] {
            if (gScreen == SCREEN_BRANDING && gFadeDir == 1 && gFadeLevel >= 255) harness::keyPress(13);
            if (gScreen == SCREEN_LOADING) harness::keyDown(114); // F3 held: developer mode
            return gScreen == SCREEN_MENU;
        },
        2000));
    harness::keyUp(114);
    // While the signs slide in they answer no click: the focus keeps off them.
    walkAll("menu, signs sliding", {{690, 190}, {700, 325}});
    game::step(60);
    walkAll("menu");

    game::clickAt(690, 190);
    ASSERT_TRUE(popupOpen(105));
    walkAll("new player, first");
    harness::typeText("Bo");
    game::step(4);
    game::clickAt(602, 484);
    ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));

    game::clickAt(95, 740);
    ASSERT_TRUE(popupOpen(103));
    walkAll("player manager");
    game::clickAt(671, 564);
    ASSERT_TRUE(popupOpen(106));
    walkAll("delete question");
    game::clickAt(422, 484);
    ASSERT_TRUE(popupOpen(103));
    game::clickAt(353, 564);
    ASSERT_TRUE(popupOpen(105));
    walkAll("new player from the manager");
    game::clickAt(422, 484);
    ASSERT_TRUE(popupOpen(103));
    game::clickAt(512, 564);
    ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));

    const struct {
        int x, y, popup;
        const char* name;
        Point close;
    } menuPopups[] = {
        {265, 740, 100, "options", {512, 612}},
        {755, 740, 101, "credits", {512, 610}},
        {700, 325, 111, "champions", {512, 586}},
        {925, 740, 99, "exit question", {427, 484}},
    };
    for (const auto& p : menuPopups) {
        game::clickAt(p.x, p.y);
        ASSERT_TRUE(popupOpen(p.popup)) << p.name;
        walkAll(p.name);
        game::clickAt(p.close.x, p.close.y);
        ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80)) << p.name;
    }

    game::clickAt(690, 190);
    ASSERT_TRUE(popupOpen(107));
    walkAll("resume question");
    game::clickAt(427, 484);
    ASSERT_TRUE(popupOpen(432));
    walkAll("new game question");
    game::clickAt(427, 484);
    ASSERT_TRUE(onScreen(SCREEN_STORY));
    walkAll("story");
    game::clickAt(900, 730);
    const int roadmapSeen = roadmapFrames; // counted over the whole process
    ASSERT_TRUE(onScreen(SCREEN_ROADMAP));
    if (roadmapSeen < 20) {
        ASSERT_TRUE(popupOpen(112));
        walkAll("roadmap help");
        game::clickAt(512, 586);
        ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));
    }
    walkAll("roadmap");
    game::clickAt(120, 720); // start game: level 1 with its story page
    ASSERT_TRUE(onScreen(SCREEN_STORY));
    game::clickAt(900, 730);
    ASSERT_TRUE(onScreen(SCREEN_GAME));
    ASSERT_TRUE(popupOpen(447));
    walkAll("help at the start of level 1");
    game::clickAt(512, 610);
    game::step(2);
    game::clickAt(512, 610);
    ASSERT_TRUE(stepUntil([] { return gRunPopup == 0 && gameFrame > 152; }, 400));
    walkAll("game screen");

    harness::keyPress(27);
    ASSERT_TRUE(popupOpen(298));
    walkAll("in-game menu");
    game::clickAt(592, 434);
    ASSERT_TRUE(popupOpen(447));
    walkAll("help page 1 browsed", {{312, 610}});
    for (int page = 1; page < 6; ++page) {
        game::clickAt(712, 610 + (helpPage == 3 ? -20 : 0));
        game::step(1);
    }
    ASSERT_EQ(helpPage, 6);
    walkAll("help page 6 (the keys) browsed", {{712, 610}});
    harness::keyPress(27);
    ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));
    harness::keyPress(27);
    ASSERT_TRUE(popupOpen(298));
    game::clickAt(592, 364);
    ASSERT_TRUE(popupOpen(100));
    walkAll("options in the game");
    game::clickAt(512, 612);
    ASSERT_TRUE(stepUntil([] { return gRunPopup == 0; }, 80));

    harness::keyDown(114); // F3 wins the level in developer mode
    game::step(1);
    harness::keyUp(114);
    ASSERT_TRUE(stepUntil([] { return winCounter > 152; }, 400));
    walkAll("win panel");
}

} // namespace
