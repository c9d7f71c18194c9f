// The pictures the branding pages, the loading screen and the pause overlay
// need, loaded once at start-up together with the fonts.
#pragma once
#include "app/tbild.h"

extern TBild gPicPointer;  // "data/UI/cursor.png", centred
extern TBild gPicLogo;     // "data/UI/logo3.png", centred, at (250, 270)
extern TBild gPicLoadBg;   // "data/bg/loadbg1.jpg", top-left
extern TBild gPicBarDown;  // "data/match3/m3uidown.png", centred
extern TBild gPicBarLong;  // "data/match3/m3uilongbar.png", centred
extern TBild gPicLoadBar;  // "data/ui/loadbar.png", centred
extern TBild gPicLoadFill; // "data/UI/loadfill.png", centred
extern TBild gPicLogoGlow; // "data/effects/logoglow.png", centred
extern TBild gPicRays;     // "data/effects/rays2.png", centred

// Loads the start-up pictures and the fonts.
int screenLoadscreenLoad();
// The pictures only the loading screen draws: its background, bar and fill.
// Loaded at start-up (again by the loading screen's prepare, at no cost while
// they are loaded) and freed when the loading screen hands over to the menu.
void loadLoadscreenPictures();
void freeLoadscreenPictures();
