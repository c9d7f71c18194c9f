// The main menu's pictures: those loaded once for the whole run (with the
// shared UI pictures of app/ui.h), those loaded and freed with the menu, and
// the choice of the background picture for the current player.
#pragma once
#include "app/tbild.h"

#include <string>

// Loaded and freed with the menu (menustuff_load_dynamic / _delete_dynamic).
extern TBild gPicMenuBG;       // background, top-left (reload_menu_BG)
extern TBild gPicChain;        // "data/UI/kette.png", top-left
extern TBild gPicScores;       // "data/UI/scores.png", centred (champions panel)
extern TBild gPicBorderUp;     // "data/UI/menuborderup.png", top-left
extern TBild gPicBorderDown;   // "data/UI/menuborderdown.png", top-left
extern TBild gPicPlayerBar;    // "data/UI/bar.png", centred (player list bar)
extern TBild gPicCreatePlayer; // "data/ui/createplayer.png", centred (name box)
extern TBild gPicPlayerMenu;   // "data/UI/playermenu.png", centred (player list)
// The logo is gPicLogo of app/startpics.h; menustuff_load_dynamic reloads it.

// Loaded once by menustuff_load and never freed (besides the pictures of
// app/ui.h and imgPointerProbe "data/UI/coll.png" of game/boardpictures.h).
extern TBild gPicNiner;         // "data/UI/niner.png", centred (level preview)
extern TBild gPicHelpTileExpl;  // "data/UI/helptileexpl.png", centred
extern TBild gPicHelpStoneExpl; // "data/UI/helpstoneexpl.png", centred
extern TBild gPicOptionsTrack;  // "data/UI/optionstrack.png", centred
extern TBild gPicCheckBox;      // "data/UI/cb.png", centred
extern TBild gPicCheckMark;     // "data/UI/h.png", centred
extern TBild gPicUiTopFull;     // "data/ui/uitopfull.png", centred (help pages)

// Frames since the menu was entered; drives the slide-in after the loading screen.
extern int menuFrames;

int menustuff_load();
int menustuff_load_dynamic();
int menustuff_delete_dynamic();
// Unloads the background and loads the one for the current player.
int reload_menu_BG();
// "data/bg/bg<k>.jpg" with k = (level - 1) / 10 + 1 for levels 1..100, else
// "data/bg/menubgalt.jpg".
std::string getCurrentBG(int level);

int screenMainmenuPrepare();
int screenMainmenuFrame();
