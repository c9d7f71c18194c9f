// Runs the real game headless: start-up, then the main loop one frame at a
// time. The harness (harness.h) prepares the environment first.
#pragma once

// Runs start-up as the program does (instance lock, save folder, settings,
// profiles, texts, display, start-up pictures, branding page 1). Returns
// false when start-up ended early (another copy holds the lock).
bool startGame();
// Runs n frames of the main loop; stops early when the game quits. Returns the
// number of frames run.
int stepFrames(int n);
// Ends a headless game: stops the music, releases the instance lock and resets
// the screen state so the next startGame begins afresh.
void stopGame();
