// Runs the real game headless: start-up, then the main loop one frame at a
// time. A harness::HeadlessEnv prepares the environment first.
#pragma once

#include <functional>
#include <string>

namespace game {

// Runs start-up as the program does (instance lock, save folder, settings,
// profiles, texts, display, start-up pictures, branding page 1), with an
// instance lock of this process's own so parallel test runs do not collide.
// Returns false when start-up ended early (another copy holds the lock).
bool start();
// Runs n frames of the main loop; stops early when the game quits. Returns the
// number of frames run.
int step(int n);
// A click over three frames: the pointer moves to (x, y), the left button
// goes down, then up; a frame runs after each.
void clickAt(int x, int y);
// Holds a key (virtual-key number) down for one frame, then releases it, as a
// player's key press lasts at least a frame.
void keyAt(int vk);
// Runs frames until done() holds, at most limit frames; returns done().
bool stepUntil(const std::function<bool()>& done, int limit);
// The states a test waits for: popup `id` open (fully in), no popup at all,
// a screen current and fully faded in.
bool popupOpen(int id);
bool noPopup();
bool onScreen(int screen);
// Ends a headless game: stops the music, releases the lock, empties the
// start-up pictures and puts the shell state back to its values at launch.
void stop();

// Three resting pieces of one colour, each a neighbour of the one before, on
// the current board: a move in the chain and the group game. Their centres go
// to xs, ys; false when the board has no such three.
bool findThreeLinked(int xs[3], int ys[3]);

// Changes the working folder (the "installation folder") for its lifetime: a
// fresh empty temporary folder, removed afterwards.
class InstallFolder {
  public:
    InstallFolder();
    ~InstallFolder();
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;
    const std::string& path() const { return path_; } // with a trailing '/'

  private:
    std::string path_, oldCwd_;
};

} // namespace game
