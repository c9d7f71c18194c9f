// The seven fonts of the user interface, loaded once by loadFonts.
#pragma once
#include "bitmapfont/bitmapfont.h"

extern TBitmapFont gFontTitle;    // titles ("data/fonts/me_titel.fmf")
extern TBitmapFont gFontButton;   // button labels ("me_button2.fmf")
extern TBitmapFont gFontText;     // running text ("me_text.fmf")
extern TBitmapFont gFontDialog;   // popup titles and headings ("me_dialog.fmf")
extern TBitmapFont gFontWin;      // the win panel ("me_win.fmf")
extern TBitmapFont gFontText24;   // 24-pixel text ("me_text_24.fmf")
extern TBitmapFont gFontHeadbar;  // the game's head bar ("me_headbar.fmf")

// Loads the seven files from "data/fonts/" with image flags 2 and sets their
// shadow and border switches and kerning. A file that fails to load leaves its
// font empty (it draws nothing and measures 0). Returns 0.
int loadFonts();
