#include "screens/story.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popups.h"
#include "app/sound.h"
#include "app/ui.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/score.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

TBild imgStory;

int storyLoadPicture() {
    imgStory.LoadFromDisk("data/story/story" + std::to_string(curPlayer().StoryPage) + ".jpg", -1);
    imgStory.setHandleTopLeft();
    return 0;
}

int storyUnloadPicture() {
    imgStory.Unload();
    return 0;
}

int screenStoryPrepare() {
    DebugLog("-> screenStoryPrepare()");
    gPicMenuBG.Unload();
    menustuff_delete_dynamic();
    storyUnloadPicture();
    gStatePopup = 0;
    gRunPopup = 0;
    clearFloatTexts();
    clearParticles();
    storyLoadPicture();
    gPrevScreen = gScreen;
    gScreen = SCREEN_STORY;
    gConfig.musiklaut = 0;
    playMusic("introstory.ogg");
    fadeIn();
    DebugLog("<- screenStoryPrepare()");
    return 0;
}

int storyNextScreen() {
    TSpieler& p = curPlayer();
    switch (p.StoryPage) {
    case 1:
        return SCREEN_ROADMAP;
    case 2:
        return SCREEN_GAME;
    case 12:
        p.Level = 1;
        return SCREEN_MENU;
    default:
        return p.Level == p.StoryLevel ? SCREEN_GAME : SCREEN_ROADMAP;
    }
}

int screenStory() {
    boardAlpha = 1;
    imgStory.PaintXY(0, 0);
    gButtonGroup = gStatePopup > 0 ? 2 : 1;
    if (button(900, 730, 3, 1, gLang.getValue("continue")) == 3) {
        curPlayer().isStoryPageShow = 0;
        gotoScreen(storyNextScreen(), 0);
    }
    popupDriver();
    return 0;
}
