// The screen, input and popup state shared by every screen.
#include "app/globals.h"

int gScreen = 0, gPrevScreen = 0, gNextScreen = 0, gNextScreenArg = 0;
int gFadeLevel = 0, gFadeDir = 1, gQuit = 0, gPaused = -1, gSuspendState = 0, gInputEnabled = 0;
int gMouseX = 0, gMouseY = 0, gMouseHit = 0, gMouseDown = 0, gMouseHeldFrames = 0, gMouseZSpeed = 0;
int gKeyEnter = 0, gKeyEsc = 0, gKeyF1 = 0, gKeyF2 = 0, gKeyF3 = 0, gKeyF4 = 0, gKeyF5 = 0, gKeyF6 = 0;
Timer gFrameTimer, gLevelClock, gFpsTimer;
int gFPS = 0, gFrameCount = 0;
std::string gSaveDir;
int gDebugMode = 0, gTextTestMode = 0;

int gStatePopup = 0;
int gRunPopup = 0;
int gPopupDir = 0;
int gButtonGroup = 1;
int gRankOrder[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
