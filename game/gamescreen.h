// The game screen (screen 12): entering a level, the frame routine that runs the
// rules and draws everything in a fixed order, the opening timeline, the
// head-up display, the level clock and the developer keys.
#pragma once
#include "app/tbild.h"

extern TBild imgLevelBG; // the level's background, top-left, loaded per level

// Prepares and enters the screen for the current profile's Level.
int screenGamePrepare();
// One frame of the screen.
int gameScreenFrame();
// The level background of the current Level (getCurrentBG), and its release.
int gamestuff_load_dynamic();
int deletegamestuff_dynamic();
// Clears the frame and composes the level picture.
int game_predrawings();

// Head-up display and the opening (game/hud.cpp).
int tickLevelTime();
// Takes the clock's current tick as seen, so a level counts from its own start.
int resetLevelClock();
int drawGameOnBanner();
int drawHudTop();
int gameTypeButtons();
// The piece icons of the item targets with the numbers still to destroy.
int drawItemsToDestroy();
// Sets the game type (1 chain, 2 group, 3 swap) and drops a pending swap mark.
int setGameType(int type);
// The opening events of the current gameFrame (help popup, ready lines).
int openingEvents();

// The developer keys of the game screen (F3, F4).
int gameDevKeys();
