// The game-screen state shared by the rules, the drawing and the power-ups.
#include "game/gamestate.h"

int gameFrame = 0;
int winCounter = 0;
float boardAlpha = 1.0f;
int sweepX = -496;
int mossLeft = 0;
int helpPage = 1;
int helpBrowse = 0;
int stoneSoundX = -1;
int mossSoundX = -1;

float puX[5], puY[5];
int puVisible[5];
int puState[5];
int powerUpBusy = 0;
int puShotAnim = 0;
