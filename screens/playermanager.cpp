// The three player popups: the ranked list of profiles with the choice of the
// current player, the name entry of a new player, and the delete question.
#include "screens/playermanager.h"

#include <algorithm>

#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "app/popups.h"
#include "app/sound.h"
#include "app/ui.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "screens/lettergrid.h"
#include "screens/popuptext.h"

void newPlayerResetInput() {
    while (NextTypedChar() != 0) {
    }
}

bool applyTypedChar(std::string& name, int code) {
    if (code == 8) {
        if (name.empty()) return false;
        name.pop_back();
        return true;
    }
    // Names are stored one byte per character: codes above 255 are refused.
    if (code <= 0 || code > 255 || code == 13) return false;
    if (static_cast<int>(name.size()) >= kMaxNameChars) return false;
    if (gFontText.GetTxtWidth(name) >= kMaxNameWidth) return false;
    name.push_back(static_cast<char>(static_cast<unsigned char>(code)));
    return true;
}

std::string checkedPlayerName(const std::string& name) {
    std::string trimmed = Trim(name);
    if (trimmed.empty()) trimmed = Trim(gLang.getValue("noname"));
    return trimmed;
}

int countNamedPlayers() {
    int rows = 0;
    for (int s = 1; s <= 9; ++s)
        if (!gPlayers[s].name.empty()) ++rows;
    return rows;
}

int firstNamedSlot() {
    for (int s = 1; s <= 9; ++s)
        if (!gPlayers[s].name.empty()) return s;
    return -1;
}

int managerHeadingsY() {
    // The band: the green rows 3..46 of the list picture, between the
    // picture's outline above and the dark line below.
    constexpr int kBandTop = 3, kBandBottom = 47;
    float hx = 0, hy = 0;
    ReadPictureHandle(gPicPlayerMenu.data.get(), hx, hy);
    const int pictureTop = static_cast<int>(kManagerListY - hy);
    // One line for the three, centred by the ink the texts have: accents
    // above and descenders below stay inside the band in every language.
    int top = 0, bottom = 0;
    bool any = false;
    for (const char* key : {"player", "game", "points"}) {
        int t = 0, b = 0;
        if (!gFontDialog.GetInkRows(gLang.getValue(key), t, b)) continue;
        top = any ? std::min(top, t) : t;
        bottom = any ? std::max(bottom, b) : b;
        any = true;
    }
    return pictureTop + (kBandTop + kBandBottom - top - bottom) / 2;
}

namespace {

// Back to the player list, fully open, with a fresh ranking.
void reopenManager() {
    computeRankOrder();
    handOverPopup(103);
}

void drawManagerList() {
    TBild& panel = gPicPlayerMenu;
    panel.PaintXY(512, kManagerListY);
    const int w = static_cast<int>(panel.W), h = static_cast<int>(panel.H);
    const int top = static_cast<int>(384 - h / 2);
    const int rh = static_cast<int>(gFontText.GetFontHeight() * 0.8);
    const int left = 512 - w / 2 + 20, right = 512 + w / 2 - 20;

    const int headingsY = managerHeadingsY();
    drawTextLeft(gFontDialog, gLang.getValue("player"), left, headingsY);
    drawTextCentredOn(gFontDialog, gLang.getValue("game"), 512, headingsY);
    drawTextRight(gFontDialog, gLang.getValue("points"), right, headingsY);

    int k = 0;
    for (int r = 1; r <= 9; ++r) {
        const int slot = gRankOrder[r];
        if (slot < 1 || slot > 9) continue;
        const TSpieler& p = gPlayers[slot];
        if (p.name.empty()) continue;
        ++k;
        const int y = top + rh * k;
        if (slot == gCurPl) gPicPlayerBar.PaintXY(512, static_cast<float>(y + rh - 11));
        std::string level = p.isStoryFinished == 1 ? "+" : "";
        level += std::to_string(p.Level);
        const bool hover =
            gMouseX > 512 - w / 2 && gMouseX < 512 + w / 2 && gMouseY > y + 5 && gMouseY < y + rh;
        for (int pass = 0; pass < (hover ? 2 : 1); ++pass) {
            drawTextLeft(gFontText, p.name, left, y);
            drawTextCentredOn(gFontText, level, 512, y);
            drawTextRight(gFontText, std::to_string(p.StoryPoints), right, y);
        }
        // Picking a player answers only while the list is fully open.
        if (gRunPopup == 16) focusTarget(512, y + 5 + (rh - 5) / 2, w - 20, rh - 5);
        if (hover && gMouseHit == 1 && gRunPopup == 16) {
            gMouseHit = 0;
            gCurPl = slot;
        }
    }
}

// "newplayer" of the manager: the lowest empty slot from 2 upward takes the
// new profile; slot 9 is kept free.
void startNewPlayerFromManager() {
    int slot = 2;
    while (slot < 9 && !gPlayers[slot].name.empty())
        ++slot;
    if (slot == 9) return;
    gPrevCurPl = gCurPl;
    gCurPl = slot;
    gPlayers[slot].name.clear();
    gNewPlayerFirst = 0;
    newPlayerResetInput();
    handOverPopup(105);
}

// The name is confirmed: stored, saved with the settings, the popup closes.
void confirmNewPlayer(bool byEnter) {
    TSpieler& p = curPlayer();
    p.name = checkedPlayerName(p.name);
    gConfig.SaveToDisk();
    if (byEnter)
        p.SaveToDisk();
    else
        savePlayer(gCurPl);
    gNewPlayerFirst = 0;
    closePopup();
    playSfx(21, 512);
    if (!byEnter) reload_menu_BG();
}

} // namespace

int playerManagerPopup() {
    popupFrame(1, gLang.getValue("playermenu"));
    drawManagerList();

    const int ok = button(512, 564, 3, 2, gLang.getValue("ok"));
    const int newGroup = countNamedPlayers() < 8 ? 2 : -1;
    const int add = button(353, 564, 3, newGroup, gLang.getValue("newplayer"));
    const int del = button(671, 564, 3, 2, gLang.getValue("delete"));
    if (popupConfirmed(ok)) {
        gConfig.SaveToDisk();
        reload_menu_BG();
        closePopup();
        return 0;
    }
    if (add == 3)
        startNewPlayerFromManager();
    else if (del == 3)
        openPopup(106);
    return 0;
}

int newPlayerPopup() {
    // Characters typed before the popup came up (on the menu, in another
    // popup) are not part of the name.
    static int lastFrame = -2;
    if (lastFrame != gFrameCount - 1) newPlayerResetInput();
    lastFrame = gFrameCount;
    const int c = NextTypedChar();
    popupFrame(0, gLang.getValue("newplayer"));
    gFontText.DrawText(gLang.getValue("enterplayername"), 512, 299, 0, 1);
    gPicCreatePlayer.PaintXY(512, 384);
    if (gCurPl != -1) gFontButton.DrawText(curPlayer().name + "_", 512, 363, 0, 1);
    // With a controller the letter grid types; its letters come first for the
    // focus. Otherwise the name box is its first place, and Space types.
    if (gCurPl > 0 && PadInUse()) letterGrid(curPlayer().name, gRunPopup == 16 && gPopupDir == 1);
    if (gRunPopup == 16) focusTarget(512, 384, static_cast<int>(gPicCreatePlayer.W), static_cast<int>(gPicCreatePlayer.H));
    focusTextEntry();

    // Typing counts while the popup opens or is open; once it closes, the name
    // is final (it may already be on disk). Enter on a focused button presses
    // that button instead.
    if (gCurPl > 0 && gPopupDir == 1) {
        const bool enterOnButton = focusSteersPresses() && !focusIsOn(512, 384);
        if (c == 13 && !enterOnButton)
            confirmNewPlayer(true);
        else
            applyTypedChar(curPlayer().name, c);
    }
    const int back = button(422, 484, 3, 2, gLang.getValue("back"));
    const int ok = button(602, 484, 3, 2, gLang.getValue("ok"));
    if (gPopupDir != 1) return 0;
    if (back == 3 && gRunPopup == 16) {
        curPlayer().name.clear();
        if (gNewPlayerFirst == 1) {
            gCurPl = -1;
            closePopup();
        } else {
            gCurPl = gPrevCurPl;
            gConfig.SaveToDisk();
            reopenManager();
        }
    } else if (ok == 3 && gRunPopup == 16) {
        confirmNewPlayer(false);
    }
    return 0;
}

int deletePlayerPopup() {
    popupFrame(0, gLang.getValue("delete"));
    drawCentredText(gFontText, gLang.getValue("delplayersure"), 299);
    drawCentredText(gFontText, gLang.getValue("delplayersure2"), 339);
    if (gCurPl != -1) drawCentredText(gFontText, curPlayer().name, 389);

    const int back = button(422, 484, 3, 2, gLang.getValue("back"));
    const int ok = button(602, 484, 3, 2, gLang.getValue("ok"));
    if (gRunPopup != 16) return 0;
    if (back == 3) {
        reopenManager();
    } else if (ok == 3) {
        if (gCurPl > 0) {
            curPlayer().Erase();
            curPlayer().SaveToDisk();
        }
        gCurPl = firstNamedSlot();
        gConfig.SaveToDisk();
        if (gCurPl == -1) {
            // No player left: the menu shows the neutral background again.
            reload_menu_BG();
            closePopup();
        } else {
            reopenManager();
        }
    }
    return 0;
}
