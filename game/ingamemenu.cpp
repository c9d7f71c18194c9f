// The in-game menu (popup 298): help, roadmap, options, main menu, continue.
// Leaving the level through it stores the board in the profile so the roadmap
// can offer to resume it.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/popups.h"
#include "app/ui.h"
#include "game/gamestate.h"
#include "persist/language.h"
#include "persist/profile.h"

namespace {

void suspendAndGo(int screen) {
    TSpieler& pl = curPlayer();
    pl.SuspendLevel();
    pl.SaveToDisk();
    gotoScreen(screen, 0);
}

} // namespace

int inGameMenu() {
    TBild& panel = gPopupPanels[0];
    if (panel.data) DrawPicture(panel.data.get(), 512, 369, 0);
    const std::string title = gLang.getValue("menu");
    const float h = panel.data ? panel.H : 0;
    gFontDialog.DrawText(title, 512 - gFontDialog.GetTxtWidth(title) / 2, 384 - h / 2 + 55, 1, 0);

    if (button(592, 434, 3, 2, gLang.getValue("help")) == 3) {
        gStatePopup = 447;
        helpPage = 1;
        helpBrowse = 1;
    }
    if (button(432, 364, 3, 2, gLang.getValue("roadmap")) == 3) suspendAndGo(SCREEN_ROADMAP);
    if (button(592, 364, 3, 2, gLang.getValue("options")) == 3) gStatePopup = 100;
    if (button(432, 434, 3, 2, gLang.getValue("menu")) == 3) suspendAndGo(SCREEN_MENU);
    const bool esc = gKeyEsc == 1 && gRunPopup == 16;
    if (button(512, 499, 3, 2, gLang.getValue("continue")) == 3 || esc) {
        gPopupDir = 2;
        gPaused = -1;
        gKeyEsc = 0;
    }
    return 0;
}
