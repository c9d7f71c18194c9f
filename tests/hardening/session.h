// The scripted session every damaged data folder is put through: start-up,
// branding pages, loading screen, main menu, a new player, the options, the
// roadmap, a level with a few moves, the in-game menu and back to the menu,
// all through the real input queue.
#pragma once

#include <functional>
#include <vector>

namespace hardening {

constexpr int kSessionSteps = 10;
// What each step of the session reaches, in order.
extern const char* const kSessionStepNames[kSessionSteps];

// The player the session makes (or finds in the saves).
constexpr const char* kSessionPlayer = "Tess";

struct SessionPlan {
    // 1: a fresh start that creates the player "Tess" and plays level 1. Above
    // 1: a start from saves in which Tess has reached this level (100 at most;
    // 101 = the story is finished), and that level is played.
    int level = 1;
    // After the session: levels won with the developer key (turned on by
    // holding F3 on the branding pages) until wonEnough() holds, at most this
    // many. Reaches what only a won level or a later level start reads.
    int maxWins = 0;
    std::function<bool()> wonEnough;
    // Called after every step and every won level (for example to read the
    // debug log before it grows long).
    std::function<void()> watch;
};

// Runs the session in the working folder (an installation folder) from
// start-up to the end; stops at the first step that cannot be made and
// returns the number of steps made. Leaves the game started (game::stop ends
// it). Needs a harness::HeadlessEnv.
int runScriptedSession(const SessionPlan& plan);
// Writes saves into the save folder: the players in slots 1, 2, ... at their
// levels (101 = the story finished), slot 1 current, the game in the given
// language, no best times yet.
struct SavedPlayer {
    const char* name;
    int level;
};
void writeSaves(const std::vector<SavedPlayer>& players, int language = 0);

} // namespace hardening
