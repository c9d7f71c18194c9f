#include "tests/hardening/session.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "game/gamestate.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/hardening/play.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <algorithm>

namespace hardening {

const char* const kSessionStepNames[kSessionSteps] = {
    "start-up", "branding pages", "main menu", "player",       "options",
    "roadmap",  "level",          "moves",     "in-game menu", "back in the main menu",
};

namespace {

using game::noPopup;
using game::onScreen;
using game::popupOpen;

// Runs frames until the screen is current and bright, leaving story pages by
// their button and opening the level picked in the level information.
bool reachScreen(int screen, int limit) {
    for (int i = 0; i < limit; i++) {
        if (onScreen(screen)) return true;
        if (onScreen(SCREEN_STORY) && screen != SCREEN_STORY) {
            game::clickAt(900, 730);
        } else if (gScreen != SCREEN_GAME && popupOpen(551)) {
            game::clickAt(612, 604);
        } else if (game::step(1) == 0) {
            break;
        }
    }
    return onScreen(screen);
}

// Enter (and F3 for the developer keys) held on every other frame: each
// branding page that can be skipped goes at once. True when the loading
// screen came.
bool skipBranding(bool developerKeys) {
    for (int i = 0; i < 3000 && gScreen == SCREEN_BRANDING; i++) {
        for (int vk : {13, 114}) {
            if (vk == 114 && !developerKeys) continue;
            if (i % 2 == 0)
                harness::keyDown(vk);
            else
                harness::keyUp(vk);
        }
        game::step(1);
    }
    harness::keyUp(13);
    harness::keyUp(114);
    return gScreen == SCREEN_LOADING || gScreen == SCREEN_MENU;
}

// The first player is made through the start sign; a player from the saves
// is simply the current one.
bool player() {
    game::step(45); // the menu's signs slide in
    if (gCurPl >= 1) return gPlayers[gCurPl].name == kSessionPlayer;
    game::clickAt(690, 190);
    if (!stepUntil([] { return popupOpen(105); }, 60)) return false;
    harness::typeText(kSessionPlayer);
    game::step(1);
    keyAt(13);
    return stepUntil(noPopup, 60) && gCurPl >= 1 && gPlayers[gCurPl].name == kSessionPlayer;
}

bool options() {
    game::clickAt(265, 740);
    if (!stepUntil([] { return popupOpen(100); }, 60)) return false;
    game::clickAt(512, 612);
    return stepUntil(noPopup, 60);
}

bool roadmap() {
    game::clickAt(690, 190);
    if (!stepUntil([] { return popupOpen(107); }, 60)) return false;
    game::clickAt(597, 484); // resume: the roadmap, through the story page that is due
    if (!reachScreen(SCREEN_ROADMAP, 400)) return false;
    // The first visit of a new player opens the roadmap's help on its 20th frame.
    if (stepUntil([] { return popupOpen(112); }, 60)) keyAt(13);
    return stepUntil(noPopup, 60);
}

bool level(int wanted) {
    game::clickAt(120, 720);
    return reachScreen(SCREEN_GAME, 400) && curPlayer().Level == wanted;
}

// Some levels open their help (one or two pages) while the board comes in;
// Enter leaves each page. The pieces take the pointer from the 150th frame on.
bool leaveLevelHelp() {
    for (int page = 0; page < 4; page++) {
        stepUntil([] { return gameFrame > 150 || popupOpen(447) || gScreen != SCREEN_GAME; }, 400);
        if (!popupOpen(447)) break;
        keyAt(13);
    }
    return stepUntil([] { return (gameFrame > 160 && noPopup()) || gScreen != SCREEN_GAME; }, 400) &&
           gScreen == SCREEN_GAME;
}

bool moves() {
    if (!leaveLevelHelp()) return false;
    for (int m = 0; m < 3; m++) {
        SwapMove move;
        if (!stepUntil([&] { return findSwapMove(move); }, 200)) break;
        makeSwapMove(move);
        game::step(40);
    }
    return curPlayer().anzItems > 0;
}

bool inGameMenu() {
    keyAt(27);
    if (!stepUntil([] { return popupOpen(298); }, 60)) return false;
    game::clickAt(432, 364);
    return reachScreen(SCREEN_ROADMAP, 100) && curPlayer().isResume == 1;
}

bool backToMenu() {
    game::clickAt(120, 600);
    return reachScreen(SCREEN_MENU, 100);
}

// Wins levels with the developer key F3, taking the win screen's button and
// whatever comes next (story page, next level, roadmap) on to a level again.
void winLevels(const SessionPlan& plan) {
    for (int won = 0; won < plan.maxWins && !(plan.wonEnough && plan.wonEnough()); won++) {
        if (!onScreen(SCREEN_GAME)) {
            if (onScreen(SCREEN_MENU)) {
                game::clickAt(690, 190);
                if (stepUntil([] { return popupOpen(107); }, 60)) game::clickAt(597, 484);
            }
            reachScreen(SCREEN_ROADMAP, 400);
            if (stepUntil([] { return popupOpen(112); }, 30)) keyAt(13);
            stepUntil(noPopup, 60);
            game::clickAt(120, 720);
            if (!reachScreen(SCREEN_GAME, 400)) return;
        }
        if (!leaveLevelHelp()) return;
        keyAt(114);
        for (int i = 0; i < 2000 && gScreen == SCREEN_GAME && gFadeDir == 1; i += 20) {
            game::step(17);
            game::clickAt(512, 580);
        }
        stepUntil([] { return gFadeDir == 1 && gFadeLevel >= 255; }, 60);
        if (plan.watch) plan.watch();
    }
}

} // namespace

void writeSaves(const std::vector<SavedPlayer>& players, int language) {
    chooseSaveFolder();
    int slot = 1;
    for (const SavedPlayer& saved : players) {
        TSpieler p;
        p.setUrl(gSaveDir + "players" + std::to_string(slot++) + ".ppp");
        p.Erase();
        p.name = saved.name;
        p.StoryLevel = std::min(saved.level, 100);
        p.isStoryFinished = saved.level > 100 ? 1 : 0;
        p.Level = saved.level;
        p.StoryPoints = 1000 * (saved.level - 1);
        p.SaveToDisk();
    }
    TConfig config;
    config.setUrl(gSaveDir + "settings.txt");
    config.Reset();
    config.sprache = language;
    gCurPl = 1;
    config.SaveToDisk();
    gCurPl = -1;
    resetBestTimes();
}

int runScriptedSession(const SessionPlan& plan) {
    if (!game::start()) return 0;
    const int wanted = std::min(plan.level, 100);
    const std::function<bool()> steps[] = {
        [&] { return skipBranding(plan.maxWins > 0); },
        [] { return reachScreen(SCREEN_MENU, 600); },
        player,
        options,
        roadmap,
        [&] { return level(wanted); },
        moves,
        inGameMenu,
        backToMenu,
    };
    int made = 1;
    for (const auto& step : steps) {
        const bool ok = step();
        if (plan.watch) plan.watch();
        if (!ok) return made;
        made++;
    }
    winLevels(plan);
    return made;
}

} // namespace hardening
