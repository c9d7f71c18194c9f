#include "tests/hardening/randomplay.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "game/gamestate.h"
#include "match3/board.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/sdl_internal.h"
#include "screens/roadmap.h"
#include "tests/hardening/play.h"
#include "tests/hardening/saves.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <algorithm>

namespace hardening {

namespace {

constexpr int kEnter = 13, kEscape = 27, kSpace = 32, kBackspace = 8, kF1 = 112, kF2 = 113, kF3 = 114,
              kF4 = 115;

// Where a point of the 1024 x 768 screen lies in the window, which shows the
// screen scaled to fit and centred.
void toWindow(int x, int y, int& wx, int& wy) {
    int w = 1024, h = 768;
    if (SDL_Window* window = PlatformWindow()) SDL_GetWindowSize(window, &w, &h);
    const float scale = std::min(w / 1024.0f, h / 768.0f);
    wx = static_cast<int>((w - 1024 * scale) / 2 + x * scale);
    wy = static_cast<int>((h - 768 * scale) / 2 + y * scale);
}

void pointerTo(int x, int y) {
    int wx = 0, wy = 0;
    toWindow(x, y, wx, wy);
    harness::mouseMove(wx, wy);
}

bool popupReady() {
    return gRunPopup == 16;
}

int managerRowY(int row) {
    const int top = static_cast<int>(384 - static_cast<int>(gPicPlayerMenu.H) / 2);
    const int rh = static_cast<int>(gFontText.GetFontHeight() * 0.8);
    return top + rh * row + (rh + 5) / 2;
}

// A colour piece at rest, 0 when there is none.
int restingPiece(int pick) {
    int found = 0;
    for (int i = 1; i <= kItems; i++) {
        if (!isColourKind(itemKind[i]) || itemFalling[i] != 0) continue;
        found = i;
        if (pick-- <= 0) break;
    }
    return found;
}

} // namespace

RandomPlayer::RandomPlayer(uint32_t seed) : random_(seed) {}

void RandomPlayer::start() {
    if (!game::start()) {
        problems_.push_back("the game did not start");
        return;
    }
    counts_.starts++;
    developerKeys_ = chance(75);
    for (int s = 1; s <= 9; s++)
        lastNames_[s] = gPlayers[s].name;
    lastCurPl_ = gCurPl;
    lastFullscreen_ = gConfig.fullscreen;
    lastSuspended_ = curPlayer().isResume;
}

void RandomPlayer::checkSaves(const char* when, bool atQuit) {
    const std::vector<std::string> diffs =
        atQuit ? savesMissWhatTheGameDid(counts_.unsavedChanges) : savesDifferFromMemory();
    for (const std::string& d : diffs)
        if (problems_.size() < 50) problems_.push_back(std::string(when) + ": " + d);
}

void RandomPlayer::restartFromSaves() {
    checkSaves("when the game quit", true);
    game::stop();
    start();
    checkSaves("when the game started again", false);
}

void RandomPlayer::observe() {
    counts_.screens.insert(gScreen);
    if (gStatePopup != 0) counts_.popups.insert(gStatePopup);
    const TSpieler& p = curPlayer();
    // A level starts when a switch towards the game screen ends (the win
    // screen goes on to the next level without leaving the screen).
    if (gScreen == SCREEN_GAME && lastSwitchToGame_ && gFadeDir == 1) {
        counts_.levelsStarted++;
        counts_.levelsResumed += lastResume_;
    }
    if (gScreen == SCREEN_GAME && winCounter > 0 && lastWin_ == 0) counts_.levelsWon++;
    if (gCurPl == lastCurPl_ && p.isResume == 1 && lastSuspended_ == 0) counts_.levelsSuspended++;
    if (gCurPl >= 1 && lastCurPl_ >= 1 && gCurPl != lastCurPl_ && gStatePopup != 105)
        counts_.playerSwitches++;
    // Names count once the new-player popup is gone (it edits the name in place).
    if (gStatePopup != 105) {
        for (int s = 1; s <= 9; s++) {
            const std::string& name = gPlayers[s].name;
            if (lastNames_[s].empty() && !name.empty()) counts_.playersCreated++;
            if (!lastNames_[s].empty() && name.empty()) counts_.playersDeleted++;
            lastNames_[s] = name;
        }
        lastCurPl_ = gCurPl;
    }
    if (gConfig.fullscreen != lastFullscreen_) counts_.fullscreenToggles++;
    lastFullscreen_ = gConfig.fullscreen;
    lastSwitchToGame_ = gFadeDir == 2 && gNextScreen == SCREEN_GAME;
    lastWin_ = winCounter;
    lastResume_ = (p.isResume == 1 && p.resumeLevel == p.Level) ? 1 : 0;
    lastSuspended_ = p.isResume;
}

void RandomPlayer::frames(int n) {
    for (int i = 0; i < n; i++) {
        const int ran = game::step(1);
        counts_.frames += ran;
        if (ran == 0 || gQuit == 1) {
            restartFromSaves();
            return;
        }
        observe();
    }
}

void RandomPlayer::tap(int x, int y) {
    pointerTo(x, y);
    frames(1);
    harness::mousePress();
    frames(1);
    harness::mouseRelease();
    frames(1);
}

void RandomPlayer::drag(int x0, int y0, int x1, int y1) {
    pointerTo(x0, y0);
    frames(1);
    harness::mousePress();
    const int steps = between(1, 8);
    for (int s = 1; s <= steps; s++) {
        pointerTo(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps);
        frames(1);
    }
    harness::mouseRelease();
    frames(1);
}

void RandomPlayer::key(int vk, int heldFrames) {
    harness::keyDown(vk);
    frames(heldFrames);
    harness::keyUp(vk);
    frames(1);
}

void RandomPlayer::play(long n) {
    const long end = counts_.frames + n;
    while (counts_.frames < end)
        act();
}

void RandomPlayer::act() {
    const int r = between(1, 100);
    if (r <= 3) return windowEvent();
    if (r <= 20) return anyInput();
    if (gPaused == 1 && chance(70)) return tap(between(0, 1023), between(0, 767));
    if (gStatePopup != 0) return popup(gStatePopup);
    switch (gScreen) {
    case SCREEN_BRANDING:
    case SCREEN_LOADING:
        return brandingOrLoading();
    case SCREEN_MENU:
        return menu();
    case SCREEN_ROADMAP:
        return roadmap();
    case SCREEN_STORY:
        return story();
    case SCREEN_GAME:
        return game();
    default:
        return frames(1);
    }
}

// Anything anywhere: a click of either button, a drag, a key, the wheel, text.
void RandomPlayer::anyInput() {
    const int r = between(1, 100);
    const int x = between(0, 1023), y = between(0, 767);
    if (r <= 30) {
        pointerTo(x, y);
        frames(1);
        const int button = chance(85) ? 1 : 2;
        harness::mousePress(button);
        frames(between(0, 3));
        harness::mouseRelease(button);
        frames(1);
    } else if (r <= 45) {
        drag(x, y, between(0, 1023), between(0, 767));
    } else if (r <= 75) {
        static const int keys[] = {kEnter, kEscape, kSpace, kBackspace, kF1, kF2, kF3, 116,
                                   117,    49,      50,     51,         65,  77,  90};
        int vk = keys[between(0, static_cast<int>(std::size(keys)) - 1)];
        if (vk == kF3 && !chance(20)) vk = kF1; // F3 wins a level in developer mode: not too often
        key(vk, between(1, 3));
    } else if (r <= 85) {
        harness::wheel(chance(50) ? 1 : -1);
        frames(1);
    } else if (r <= 92) {
        harness::typeText(chance(80) ? "ab" : "\xC3\xA9z");
        frames(1);
    } else {
        pointerTo(x, y);
        frames(between(1, 10));
    }
}

// Focus lost and back, minimised and restored, the window resized, closed.
void RandomPlayer::windowEvent() {
    const int r = between(1, 100);
    if (r <= 40) {
        harness::focusLost();
        frames(between(1, 40));
        harness::focusGained();
        frames(1);
        counts_.focusLosses++;
    } else if (r <= 55) {
        harness::minimise();
        frames(between(1, 20));
        harness::restore();
        frames(1);
    } else if (r <= 85) {
        if (SDL_Window* window = PlatformWindow()) {
            if (chance(30))
                SDL_SetWindowSize(window, 1024, 768);
            else
                SDL_SetWindowSize(window, between(320, 1920), between(240, 1200));
            counts_.resizes++;
        }
        frames(between(1, 5));
    } else {
        harness::requestClose();
        frames(1);
    }
}

void RandomPlayer::brandingOrLoading() {
    if (developerKeys_ && gDebugMode == 0) return key(kF3, 1);
    const int r = between(1, 100);
    if (r <= 40) return key(chance(60) ? kEnter : (chance(50) ? kEscape : kSpace), 1);
    if (r <= 43) return key(116, 1);                                   // F5: the text-test mode
    if (r <= 45 && gTextTestMode == 1) return key(117, between(1, 3)); // F6 reloads the text table
    frames(between(1, 30));
}

void RandomPlayer::menu() {
    const int r = between(1, 100);
    if (r <= 30) return tap(690, 190); // start
    if (r <= 36) return tap(700, 325); // champions
    if (r <= 56) return tap(95, 740);  // player
    if (r <= 68) return tap(265, 740); // options
    if (r <= 72) return tap(755, 740); // credits
    if (r <= 75) return tap(925, 740); // end
    frames(between(1, 20));
}

void RandomPlayer::roadmap() {
    const int r = between(1, 100);
    if (r <= 35) {
        const int top = std::clamp(curPlayer().StoryLevel + (chance(10) ? 1 : 0), 1, 100);
        const int level = chance(50) ? top : between(1, top);
        return tap(gWaypointX[level], gWaypointY[level]);
    }
    if (r <= 65) return tap(120, 720); // start
    if (r <= 70) return tap(120, 660); // help
    if (r <= 80) return tap(120, 600); // menu
    if (r <= 83) return key(kEscape);
    frames(between(1, 20));
}

void RandomPlayer::story() {
    if (chance(70)) return tap(900, 730);
    frames(between(1, 20));
}

void RandomPlayer::game() {
    if (winCounter > 0) {
        if (chance(50)) return tap(512, 580);
        if (chance(50)) return key(kEnter, between(1, 5));
        return frames(between(1, 10));
    }
    const int r = between(1, 100);
    SwapMove move;
    if (r <= 40) {
        if (!findSwapMove(move, between(0, 3))) return frames(5);
        tap(move.fromX, move.fromY);
        tap(move.toX, move.toY);
        return frames(between(0, 20));
    }
    if (r <= 52) {
        // A chain: through up to five pieces, each next to the one before.
        const int first = restingPiece(between(0, 120));
        if (first == 0) return frames(5);
        int x = itemX[first], y = itemY[first];
        pointerTo(x, y);
        frames(1);
        harness::mousePress();
        for (int s = between(1, 5); s > 0; s--) {
            x += 48 * between(-1, 1);
            y += 48 * between(-1, 1);
            pointerTo(x, y);
            frames(2);
        }
        harness::mouseRelease();
        return frames(1);
    }
    if (r <= 60) {
        const int piece = restingPiece(between(0, 120));
        if (piece == 0) return frames(5);
        return tap(itemX[piece], itemY[piece]);
    }
    if (r <= 66) return tap(402 + 112 * between(0, 2), 726); // game types
    if (r <= 70) {
        if (chance(50)) return key(49 + between(0, 2));
        harness::wheel(chance(50) ? 1 : -1);
        return frames(1);
    }
    if (r <= 76) return key(kEscape); // the in-game menu
    if (r <= 78) return tap(967, 29);
    if (r <= 84) {
        static const int slots[] = {106, 268, 756, 918};
        return tap(slots[between(0, 3)], between(620, 760));
    }
    if (r <= 87 && developerKeys_) return key(kF3);
    if (r <= 88 && developerKeys_ && chance(5)) return key(kF4);
    if (r <= 90) return key(kF2);
    frames(between(1, 30));
}

void RandomPlayer::popup(int id) {
    if (!popupReady()) return frames(between(1, 4));
    const int r = between(1, 100);
    switch (id) {
    case 99: // exit question
        if (r <= 50) return tap(427, 484);
        if (r <= 70) return tap(597, 484);
        if (r <= 85) return key(kEscape);
        return key(kEnter);
    case 100:
        return optionsPopup();
    case 101:
    case 111:
    case 112:
        if (r <= 60) return tap(512, id == 101 ? 610 : 586);
        return key(chance(50) ? kEscape : kEnter);
    case 103:
        return managerPopup();
    case 105:
        return newPlayerPopup();
    case 106: // delete player
        if (r <= 45) return tap(422, 484);
        if (r <= 85) return tap(602, 484);
        return key(kEscape);
    case 107: // resume or start anew
        if (r <= 12) return tap(427, 484);
        if (r <= 75) return tap(597, 484);
        if (r <= 90) return tap(512, 419);
        return key(kEscape);
    case 298: { // in-game menu
        static const int spots[][2] = {{592, 434}, {432, 364}, {592, 364}, {432, 434}, {512, 499}};
        if (r <= 85) {
            const auto& s = spots[between(0, 4)];
            return tap(s[0], s[1]);
        }
        return key(kEscape);
    }
    case 432: // new game?
        if (r <= 40) return tap(427, 484);
        if (r <= 90) return tap(597, 484);
        return key(kEscape);
    case 447: // help pages
        if (r <= 35) return tap(512, chance(50) ? 610 : 590);
        if (r <= 55) return tap(712, chance(50) ? 610 : 590);
        if (r <= 70) return tap(312, chance(50) ? 610 : 590);
        return key(chance(50) ? kEnter : kEscape);
    case 551: // level information
        if (r <= 25) return tap(412, 604);
        if (r <= 90) return tap(612, 604);
        return key(kEscape);
    default:
        return frames(1);
    }
}

void RandomPlayer::newPlayerPopup() {
    const int r = between(1, 100);
    if (r <= 45) {
        static const char* const parts[] = {"Al", "bo",       "Cy", "d",   "Eve",
                                            " ",  "\xC3\xA9", "Zz", "123", "WWW"};
        harness::typeText(parts[between(0, 9)]);
        return frames(1);
    }
    if (r <= 55) return key(kBackspace);
    if (r <= 70) return key(kEnter);
    if (r <= 85) return tap(602, 484);
    if (r <= 95) return tap(422, 484);
    key(kEscape);
}

void RandomPlayer::optionsPopup() {
    const int r = between(1, 100);
    if (r <= 25) return drag(372 + gConfig.soundlaut, 387, between(300, 720), 387 + between(-30, 30));
    if (r <= 50) return drag(372 + gConfig.musiklautsoll, 292, between(300, 720), 292 + between(-30, 30));
    if (r <= 60) return tap(442, 480); // full screen
    if (r <= 70) return tap(chance(50) ? 372 : 652, 540); // language
    if (r <= 85) return tap(512, 612);
    key(chance(50) ? kEscape : kEnter);
}

void RandomPlayer::managerPopup() {
    const int r = between(1, 100);
    if (r <= 35) return tap(512, managerRowY(between(1, 9)));
    if (r <= 55) return tap(353, 564); // new player
    if (r <= 70) return tap(671, 564); // delete
    if (r <= 90) return tap(512, 564); // ok
    key(kEscape);
}

void RandomPlayer::finish() {
    // The window's close button opens the exit question on every screen that
    // shows popups; Enter held answers it.
    for (int attempt = 0; attempt < 20 && gQuit != 1; attempt++) {
        if (gScreen != SCREEN_MENU && gScreen != SCREEN_ROADMAP && gScreen != SCREEN_GAME) {
            act();
            continue;
        }
        harness::requestClose();
        for (int f = 0; f < 80 && !(gStatePopup == 99 && popupReady()); f++)
            counts_.frames += game::step(1);
        harness::keyDown(kEnter);
        for (int f = 0; f < 40 && gQuit != 1; f++)
            counts_.frames += game::step(1);
        harness::keyUp(kEnter);
    }
    if (gQuit != 1) problems_.push_back("the exit question did not end the game");
    checkSaves("at the end", true);
    game::stop();
    start();
    checkSaves("when started from the last saves", false);
    game::stop();
}

} // namespace hardening
