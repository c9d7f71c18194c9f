// Start-up, the timer-paced main loop and the fade switch between screens.
#pragma once
#include <string>

// Runs start-up and then the main loop until gQuit; returns the exit code
// (0, also when a second copy of the game ends at once).
int runGame();
// Start-up steps up to entering branding page 1. Returns 0, or 1 when another
// copy of the game already runs (nothing else has been done then).
int startUp();
// One pass of the main loop: clear, input snapshot, drawing, present, wait.
void runOneFrame();

void frameUpdate();
// Sets the frame's mouse input (position, presses since the last frame, held
// state, wheel) and counts the frames the button has been held.
void takeMouseSnapshot(int x, int y, int hits, int down, int wheel);
void frameDraw();
void screenFade();
void gotoScreen(int target, int arg);
void fadeIn();
int savePlayer(int slot);
void openGraphics();
// Starts the frame-rate measurement from the current tick of gFpsTimer.
void resetFpsMeter();

// Name of the system-wide single-instance lock ("ZWH"); headless test runs
// give each process its own.
extern std::string gInstanceLockName;

// 1 when the save folder may fall back to "data/saves/" in the installation
// folder: only for a copy run from its own folder (the build folder, an
// unpacked archive), 0 for an installed game. Start-up sets it.
extern int gSavesBesideProgram;

// Save folder choice: the shared application-data folder + "tellgrave/Varnoka/",
// else "data/saves/" (when gSavesBesideProgram allows it and it can be made).
// Sets gSaveDir; returns 1 when the folder had to be created (a first run).
int chooseSaveFolder();
// 1 when gSaveDir names a folder that exists; saves skip their writes otherwise.
int saveFolderUsable();
