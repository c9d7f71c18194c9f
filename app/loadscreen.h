// The loading screen (screen -1): background, logo, sliding progress bar, and
// the loading stages at fixed frames; at frame 430 it enters the main menu.
#pragma once

extern int gRunLoadscreen; // frames of the loading screen so far
extern int loadBarY;       // progress bar position; 1068 (below the screen) at entry

int screenLoadscreenPrepare();
int screenLoadscreenShow();
