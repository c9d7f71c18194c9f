// Random play over every screen and popup of the real game, through the input
// queue: clicks on what the screen or popup in front offers and anywhere
// else, drags, keys (Escape, Enter, Space, F1..F6, digits, letters,
// Backspace), the wheel, typed names, focus loss and return, minimising,
// window resizes, the full-screen switch, closing the window, and quitting
// and starting again from the saves. Levels are won by play and, once the
// developer keys are on, by F3.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace hardening {

struct PlayCounts {
    long frames = 0;
    int starts = 0;
    int playersCreated = 0, playersDeleted = 0, playerSwitches = 0;
    int levelsStarted = 0, levelsSuspended = 0, levelsResumed = 0, levelsWon = 0;
    int focusLosses = 0, resizes = 0, fullscreenToggles = 0;
    // Other players' changes the game had not written when it quit (it writes
    // profiles at fixed moments only).
    int unsavedChanges = 0;
    std::set<int> screens; // every screen shown
    std::set<int> popups;  // every popup opened
};

class RandomPlayer {
  public:
    explicit RandomPlayer(uint32_t seed);
    // Starts the game (in the working folder, with the saves there are).
    void start();
    // Plays at least `frames` frames; a game that quits is started again from
    // its saves, which must then hold what the game held when it quit.
    void play(long frames);
    // Quits through the exit question, then starts the game again from the
    // saves and stops it: the last check of the saves.
    void finish();

    const PlayCounts& counts() const { return counts_; }
    // Saves that did not hold what the game held, one line each.
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    void frames(int n);
    void observe();
    void restartFromSaves();
    void checkSaves(const char* when, bool atQuit);

    void act();
    void anyInput();
    void windowEvent();
    void tap(int x, int y);
    void drag(int x0, int y0, int x1, int y1);
    void key(int vk, int heldFrames = 1);

    void brandingOrLoading();
    void menu();
    void roadmap();
    void story();
    void game();
    void popup(int id);
    void newPlayerPopup();
    void optionsPopup();
    void managerPopup();

    std::mt19937 random_;
    PlayCounts counts_;
    std::vector<std::string> problems_;
    bool developerKeys_ = false;
    // What the last frame showed, to count what changed.
    bool lastSwitchToGame_ = false;
    int lastWin_ = 0, lastCurPl_ = -1, lastFullscreen_ = -1;
    int lastResume_ = 0;    // the level about to start is the suspended one
    int lastSuspended_ = 0; // the current player has a suspended level
    std::string lastNames_[10];
};

} // namespace hardening
