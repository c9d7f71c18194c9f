// The popup machine, the popup panels and the window / full-screen switch.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/popups.h"
#include "app/ui.h"
#include "persist/config.h"

int gSoundDrag = 0, gMusicDrag = 0;
int gNewPlayerFirst = 0, gPrevCurPl = -1;

namespace {

// The game's popups, in the order the machine tests them.
const PopupRoutine kPopups[] = {
    {298, inGameMenu},       {99, exitPopup},          {107, resumePopup},        {551, levelInfoPopup},
    {105, newPlayerPopup},   {106, deletePlayerPopup}, {103, playerManagerPopup}, {111, championsPopup},
    {101, creditsPopup},     {100, optionsPopup},      {432, newGamePopup},       {447, helpPopup},
    {112, roadmapHelpPopup},
};

// Opening and closing delay; a closing popup that reaches 0 ends the pause.
void advancePopup() {
    const int before = gRunPopup;
    if (gFPS < 28) { // slow machine: no delay
        if (gPopupDir == 1 && gRunPopup >= 1 && gRunPopup <= 15) gRunPopup = 16;
        if (gPopupDir == 2 && gRunPopup > 0) gRunPopup = 0;
    }
    if (gRunPopup > 0) {
        if (gPopupDir == 1 && gRunPopup < 16) ++gRunPopup;
        if (gPopupDir == 2) --gRunPopup;
    }
    if (gPopupDir == 2 && before > 0 && gRunPopup == 0) gPaused = -1;
}

} // namespace

int runPopupMachine(const PopupRoutine* routines, int count) {
    const float alpha = ReadAlpha();
    if (gRunPopup == 0) gStatePopup = 0;
    advancePopup();
    for (const int id : kPopupOrder) {
        if (gStatePopup != id) continue;
        for (int i = 0; i < count; ++i) {
            if (routines[i].id == id && routines[i].run) {
                routines[i].run();
                break;
            }
        }
    }
    SetAlpha(alpha);
    return 0;
}

int popupDriver() {
    return runPopupMachine(kPopups, static_cast<int>(std::size(kPopups)));
}

int popupFrame(int size, const std::string& title) {
    static const int kTitleOffset[3] = {37, 55, 55};
    if (size < 0 || size > 2) return 0;
    TBild& panel = gPopupPanels[size];
    const float h = panel.isLoaded == 1 ? panel.H : 0;
    if (panel.isLoaded == 1) DrawPicture(panel.data.get(), 512, 384, 0);
    const int top = static_cast<int>(384 - h / 2 + kTitleOffset[size]);
    gFontDialog.DrawText(title, static_cast<float>(512 - gFontDialog.GetTxtWidth(title) / 2),
                         static_cast<float>(top), 1, 0);
    return 0;
}

int toggleFullscreen() {
    gPaused = 1;
    const int wasFull = gConfig.fullscreen == 1;
    const int depth = wasFull ? 0 : 32;
    if (OpenDisplay(1024, 768, depth, 60, 0) == 1) {
        gConfig.fullscreen = wasFull ? 0 : 1;
    } else {
        // The requested mode cannot be opened: go back to the mode that worked,
        // so the player keeps a display and the setting tells the truth.
        OpenDisplay(1024, 768, wasFull ? 32 : 0, 60, 0);
    }
    if (gConfig.fullscreen == 0) AddMinimiseButton();
    SetWindowIcon("icon32.ico");
    return 0;
}
