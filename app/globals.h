// Screen, input and popup state shared by every screen (one instance each).
#pragma once
#include "platform/platform.h"

#include <string>

// Screens (gScreen): -2 branding page, -1 loading, 0 main menu, 12 game,
// 13 roadmap, 14 story. As a switch target, -999 ends the program.
enum ScreenId {
    SCREEN_QUIT = -999,
    SCREEN_BRANDING = -2,
    SCREEN_LOADING = -1,
    SCREEN_MENU = 0,
    SCREEN_GAME = 12,
    SCREEN_ROADMAP = 13,
    SCREEN_STORY = 14,
};

extern int gScreen, gPrevScreen, gNextScreen, gNextScreenArg;
extern int gFadeLevel, gFadeDir, gQuit, gPaused, gSuspendState, gInputEnabled;
extern int gMouseX, gMouseY, gMouseHit, gMouseDown, gMouseHeldFrames, gMouseZSpeed;
extern int gKeyEnter, gKeyEsc, gKeyF1, gKeyF2, gKeyF3, gKeyF4, gKeyF5, gKeyF6;
extern Timer gFrameTimer, gLevelClock, gFpsTimer;
extern int gFPS, gFrameCount;
extern std::string gSaveDir;
extern int gDebugMode, gTextTestMode;

// Popup machine state (the routines live with the UI kit).
extern int gStatePopup; // id of the popup on screen, 0 = none
extern int gRunPopup;   // 0 none, 1..15 opening or closing, 16 open
extern int gPopupDir;   // 1 opening, 2 closing
extern int gButtonGroup;
extern int gRankOrder[10]; // slots 1..9 in ranking order (entries 1..9)
