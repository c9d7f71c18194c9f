// Loaders of the game screen's permanent pictures, run once by the loading screen.
#pragma once
#include "app/tbild.h"

extern TBild imgTopBar;     // "data/match3/m3uiup.png", centred
extern TBild imgMenuButton; // "data/match3/menu.png", centred
extern TBild imgMenuHover;  // "data/match3/menuhover.png", centred
extern TBild imgGameOn;     // "data/texts/gameon.png", centred: the opening banner

// The board pictures (game/boarddraw.h, game/boardpictures.h), the top bar and
// the menu button.
int loadGamePictures();
// The power-up pictures (game/powerups.h) and the opening banner.
int gamestuff_load();
