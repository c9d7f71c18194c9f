// The main menu: the background for the current player, the chain panel with
// the start and champions signs, the logo, the welcome line and the four small
// buttons. Every action opens a popup; the menu never switches screens itself.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "app/sound.h"
#include "app/startpics.h"
#include "app/ui.h"
#include "game/gamescreen.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "screens/roadmap.h"
#include "screens/story.h"

int menuFrames = 0;

namespace {

constexpr int kSlideFrames = 40;
constexpr int kWelcomeMaxWidth = 580; // inside the top border's plaque
int menuEnteredFrom = SCREEN_MENU;    // the screen the menu was entered from

bool hasCurrentPlayer() {
    return gCurPl >= 1 && gCurPl <= 9;
}

// No profile yet: slot 1 becomes current with an empty name and the
// new-player popup opens for its name.
void openNewPlayerForSlot1() {
    gCurPl = 1;
    gPlayers[1].name.clear();
    gNewPlayerFirst = 1;
    openPopup(105);
}

void onStart() {
    if (hasCurrentPlayer())
        openPopup(107);
    else
        openNewPlayerForSlot1();
}

void onPlayer() {
    if (hasCurrentPlayer()) {
        openPopup(103);
    } else {
        playSfx(13, 512);
        openNewPlayerForSlot1();
    }
}

// The welcome line sits on the plaque of the top border. A name that would
// run over the plaque's ends draws the line a little smaller instead.
void drawWelcome() {
    const std::string who = hasCurrentPlayer() ? gPlayers[gCurPl].name : gLang.getValue("defaultplayer");
    const std::string line = ToUpperCase(gLang.getValue("welcome") + " " + who);
    const int width = gFontTitle.GetTxtWidth(Trim(line));
    if (width <= kWelcomeMaxWidth) {
        drawCenteredLines(line, gFontTitle, 512, 0);
        return;
    }
    const float f = static_cast<float>(kWelcomeMaxWidth) / static_cast<float>(width);
    SetDrawScale(f, f);
    gFontTitle.DrawText(line, 512,
                        gFontTitle.Kerning.GetVKerning() + gFontTitle.GetFontHeight() * (1 - f) * 0.5f, 1, 1);
    SetDrawScale(1, 1);
}

} // namespace

int screenMainmenuPrepare() {
    DebugLog("-> screenMainmenuPrepare()");
    gPrevScreen = gScreen;
    menuEnteredFrom = gPrevScreen;
    const bool fromLoading = gPrevScreen == SCREEN_LOADING;
    const bool fromRoadmap = gPrevScreen == SCREEN_ROADMAP;
    if (!fromLoading && !fromRoadmap) reload_menu_BG();
    if (!fromLoading) menustuff_delete_dynamic();
    // The pictures of the screen being left.
    if (fromRoadmap) screenRoadmapResetGfx();
    if (gPrevScreen == SCREEN_STORY) storyUnloadPicture();
    if (gPrevScreen == SCREEN_GAME) deletegamestuff_dynamic();
    if (!fromLoading) menustuff_load_dynamic();
    helpPage = 1;
    gInputEnabled = 1;
    gRunPopup = 0;
    gPaused = -1;
    menuFrames = 0;
    if (!fromLoading && !fromRoadmap) {
        gConfig.musiklaut = 0;
        playMusic("titel.ogg");
    }
    if (!fromLoading) fadeIn();
    gScreen = SCREEN_MENU;
    DebugLog("<- screenMainmenuPrepare()");
    return 0;
}

int screenMainmenuFrame() {
    ++menuFrames;
    float s = 0;
    int signs = 1;
    if (menuEnteredFrom == SCREEN_LOADING && menuFrames <= kSlideFrames) {
        s = gPicChain.H - gPicChain.H / kSlideFrames * menuFrames;
        signs = 0; // never the active group: the signs are inert while they slide
    }
    gPicMenuBG.PaintXY(0, 0);
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    SetDrawScale(1, 1);
    gPicChain.PaintXY(610, -s);
    gPicBorderDown.PaintXY(0, 768 - gPicBorderDown.H);
    gPicLogo.Paint();
    SetDrawRotation(0);
    SetAlpha(1);
    gButtonGroup = gRunPopup > 0 ? 2 : 1;

    if (button(690, static_cast<int>(190 - s), 1, signs, ToUpperCase(gLang.getValue("startgame"))) ==
        BUTTON_CLICKED)
        onStart();
    if (button(700, static_cast<int>(325 - s), 1, signs, gLang.getValue("champions")) == BUTTON_CLICKED)
        openPopup(111);

    SetDrawScale(1, 1);
    gPicBorderUp.PaintXY(0, 0);
    drawWelcome();

    SetAlpha(1);
    if (button(95, 740, 3, 1, gLang.getValue("player")) == BUTTON_CLICKED) onPlayer();
    if (button(265, 740, 3, 1, gLang.getValue("options")) == BUTTON_CLICKED) openPopup(100);
    if (button(755, 740, 3, 1, gLang.getValue("credits")) == BUTTON_CLICKED) openPopup(101);
    if (button(925, 740, 3, 1, gLang.getValue("end")) == BUTTON_CLICKED) openPopup(99);

    popupDriver();
    return 0;
}
