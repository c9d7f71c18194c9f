// The small popups of the menu and the roadmap: credits, roadmap help, the exit
// question, and the choice between resuming and starting a new game.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/popups.h"
#include "app/sound.h"
#include "app/ui.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "screens/popuptext.h"

namespace {

// A medium panel with a title, one block of text and an "ok" that closes it.
void textPopup(const char* titleKey, const char* textKey, int textY, int okY) {
    popupFrame(1, gLang.getValue(titleKey));
    drawCenteredLines(gLang.getValue(textKey), gFontText, 512, textY);
    if (popupConfirmed(button(512, okY, 3, 2, gLang.getValue("ok")))) closePopup();
}

} // namespace

int creditsPopup() {
    textPopup("creditstitle", "creditstext", 214, 610);
    return 0;
}

int roadmapHelpPopup() {
    textPopup("helproadmaptitle", "helproadmaptext", 226, 586);
    return 0;
}

int exitPopup() {
    SetDrawScale(1.3f, 1);
    gPopupPanels[0].PaintXY(512, 384);
    SetDrawScale(1, 1);
    const int h = static_cast<int>(gPopupPanels[0].H);
    drawCentredText(gFontDialog, gLang.getValue("exitquestion"), 384 - h / 2 + 55);
    const int s = gFontDialog.GetFontHeight() + 4;
    drawCentredText(gFontText, gLang.getValue("exitsure"), 384 - h / 2 + 37 + 2 * s);
    drawCentredText(gFontText, gLang.getValue("exitsave"), 384 - h / 2 + 37 + 3 * s);

    // "ok" first: the focus starts on it, where Enter has always answered.
    const int ok = button(597, 484, 3, 2, gLang.getValue("ok"));
    const int back = button(427, 484, 3, 2, gLang.getValue("back"));
    if (gRunPopup != 16 || gPopupDir != 1) return 0;
    if (back == 3 || gKeyEsc > 0) {
        closePopup();
    } else if (ok == 3 || gKeyEnter > 0) {
        if (gCurPl > -1) curPlayer().SaveToDisk();
        stopMusic();
        gotoScreen(SCREEN_QUIT, 0);
        closePopup();
    }
    return 0;
}

int resumePopup() {
    popupFrame(0, gLang.getValue("resumegame"));
    drawCentredText(gFontText, gLang.getValue("wantresume"), 294);
    drawCentredText(gFontText, gLang.getValue("wantresume2"), 339);

    const int fresh = button(427, 484, 3, 2, gLang.getValue("newgame"));
    const int resume = button(597, 484, 3, 2, gLang.getValue("resumegame"));
    const int back = button(512, 419, 3, 2, gLang.getValue("back"));
    if (fresh == 3) {
        handOverPopup(432);
    } else if (resume == 3) {
        TSpieler& p = curPlayer();
        p.checkStoryPage();
        if (p.isResume == 1) p.Level = p.resumeLevel;
        gotoScreen(p.isStoryPageShow == 1 ? SCREEN_STORY : SCREEN_ROADMAP, 0);
    } else if (popupConfirmed(back)) {
        closePopup();
    }
    return 0;
}

int newGamePopup() {
    popupFrame(0, gLang.getValue("newgame"));
    drawCentredText(gFontText, gLang.getValue("newgame2"), 289);
    drawCentredText(gFontText, gLang.getValue("newgame3"), 324);
    drawCentredText(gFontText, gLang.getValue("newgame4"), 394);

    const int yes = button(427, 484, 3, 2, gLang.getValue("yes"));
    const int no = button(597, 484, 3, 2, gLang.getValue("no"));
    if (yes == 3) {
        curPlayer().NewVarnoka();
        gotoScreen(SCREEN_STORY, 0);
    } else if (popupConfirmed(no)) {
        handOverPopup(107);
    }
    return 0;
}
