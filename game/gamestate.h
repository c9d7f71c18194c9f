// Game-screen state that the rules, the drawing and the power-ups share.
#pragma once

extern int gameFrame;    // frames since the level was loaded
extern int winCounter;   // 0 playing, 1..199 win screen, 200 confirmed, -1 ended
extern float boardAlpha; // alpha of the board, the pieces and most particles
extern int sweepX;       // x of the light sweep over the moss
extern int mossLeft;     // active cells still carrying moss
extern int helpPage;     // page the help popup opens on
extern int helpBrowse;   // 1 when the help popup was opened from the in-game menu
extern int stoneSoundX;  // frame-end sound requests: -1 none, else the x to pan at
extern int mossSoundX;

// Power-up slots 1..4.
extern float puX[5], puY[5];
extern int puVisible[5];
extern int puState[5];
extern int powerUpBusy;
extern int puShotAnim;
