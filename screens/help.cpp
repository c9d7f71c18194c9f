// The help popup (447): five pages with text and demonstration boards and a
// page of the keys and controller buttons, paged with "back" and "next" when
// opened from the in-game menu.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "app/popups.h"
#include "app/ui.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/helpboard.h"
#include "game/particles.h"
#include "persist/language.h"
#include "platform/platform.h"
#include "screens/helpboards.h"
#include "screens/popuptext.h"

namespace {

using namespace helpboards;

constexpr int kHelpPages = 6; // the last one lists the keys

void text(const char* key, TBitmapFont& font, int y) {
    drawCenteredLines(gLang.getValue(key), font, 512, y);
}

void paintAt(TBild& img, int x, int y) {
    img.PaintXY(static_cast<float>(x), static_cast<float>(y));
}

void pageMoss() {
    popupFrame(2, gLang.getValue("helpdirttitle"));
    text("helpdirttext", gFontText, 390);
    drawHelpBoard(257, 284, b1a);
    paintAt(gPicHelpTileExpl, 257, 332);
    paintAt(gPicUiTopFull, 512, 234);
    // The pieces grow as they fly towards the quota icon.
    for (int b = 1; b <= 5; ++b) {
        const float s = 0.5f + 0.1f * static_cast<float>(b);
        SetDrawScale(s, s);
        paintAt(imgPiece[3], 537 + 24 * b, 234 + 10 * b);
    }
    drawHelpBoard(767, 284, b1b);
}

void pageGameTypes() {
    popupFrame(2, gLang.getValue("helpgametypestitle"));
    text("helpgametypestext", gFontText24, 190);
    const int xs[3] = {252, 512, 772};
    const HelpBoard* boards[3] = {&b2a, &b2b, &b2c};
    const char* labels[3] = {"helpswapmode", "helpchainmode", "helpgroupmode"};
    for (int i = 0; i < 3; ++i) {
        drawHelpBoard(xs[i], 350, *boards[i]);
        SetDrawScale(1, 1);
        drawCenteredLines(gLang.getValue(labels[i]), gFontText24, xs[i], 440);
    }
}

void pageBombs() {
    popupFrame(2, gLang.getValue("helpbombstitle"));
    text("helpbombstext", gFontText, 170);
    drawHelpBoard(192, 270, b3a);
    drawHelpBoard(832, 270, b3b);
    drawHelpBoard(192, 465, b3c);
    drawHelpBoard(832, 465, b3d);
    paintAt(imgBombFlare, 784, 513);
}

void pagePowerUps() {
    popupFrame(2, gLang.getValue("helppustitle"));
    text("helppustext", gFontText24, 190);
    paintAt(imgPuHolder[1], 133, 254);
    paintAt(imgPuHolder[2], 888, 248);
    paintAt(imgPuHolder[3], 147, 504);
    paintAt(imgPuHolder[4], 888, 558);
    drawHelpBoard(845, 400, b4a);
    SetDrawScale(0.5f, 0.5f);
    paintAt(imgPuHolder[2], 845, 448);
    SetDrawScale(1, 1);
}

void pageStones() {
    popupFrame(2, gLang.getValue("helpstonetitle"));
    text("helpstonetext", gFontText, 190);
    drawHelpBoard(192, 280, b5a);
    drawHelpBoard(832, 280, b5b);
    paintAt(gPicHelpStoneExpl, 832, 280);
    paintAt(imgPuHolderOff[1], 192, 480);
    paintAt(imgPuHolder[1], 192, 480);
    paintAt(imgPuHolderOff[4], 832, 480);
    paintAt(imgPuHolder[4], 832, 480);
}

// The keys and controller buttons that play without a mouse.
void pageKeys() {
    popupFrame(2, gLang.getValue("helpkeystitle"));
    text("helpkeys", gFontText24, 190);
}

} // namespace

int helpPopup() {
    SetDrawScale(1, 1);
    int yOff = 0;
    switch (helpPage) {
    case 1:
        pageMoss();
        break;
    case 2:
        pageGameTypes();
        break;
    case 3:
        pageBombs();
        yOff = -20;
        break;
    case 4:
        pagePowerUps();
        break;
    case 5:
        pageStones();
        break;
    case kHelpPages:
        pageKeys();
        break;
    default:
        break; // no page: only the buttons
    }
    SetDrawScale(1, 1);

    const int ok = button(512, 610 + yOff, 3, 2, gLang.getValue("ok"));
    if (popupConfirmed(ok)) {
        // The help shown at the start of level 1 goes on to the game types.
        if (gameFrame == 36 && helpPage == 1)
            helpPage = 2;
        else
            closePopup();
        return 0;
    }
    if (gameFrame != 36 && helpBrowse == 1) {
        const int page = helpPage;
        if (button(312, 610 + yOff, 3, page > 1 ? 2 : -1, gLang.getValue("back")) == 3) helpPage = page - 1;
        if (button(712, 610 + yOff, 3, page < kHelpPages ? 2 : -1, gLang.getValue("next")) == 3) helpPage = page + 1;
    }
    return 0;
}
