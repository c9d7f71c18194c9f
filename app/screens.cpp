// The table of screens: each screen number with its prepare and frame routine.
#include "app/screens.h"

#include "app/globals.h"
#include "app/loadscreen.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/splash.h"
#include "game/gamescreen.h"
#include "screens/roadmap.h"
#include "screens/story.h"

void runScreenPrepare(int screen, int arg) {
    switch (screen) {
    case SCREEN_BRANDING:
        screenTellgravePrepare(arg);
        break;
    case SCREEN_LOADING:
        screenLoadscreenPrepare();
        break;
    case SCREEN_MENU:
        screenMainmenuPrepare();
        break;
    case SCREEN_GAME:
        screenGamePrepare();
        break;
    case SCREEN_ROADMAP:
        screenRoadmapPrepare();
        break;
    case SCREEN_STORY:
        screenStoryPrepare();
        break;
    default:
        break;
    }
}

void runScreenFrame(int screen) {
    switch (screen) {
    case SCREEN_BRANDING:
        screenTellgraveFrame();
        break;
    case SCREEN_LOADING:
        screenLoadscreenShow();
        break;
    case SCREEN_MENU:
        screenMainmenuFrame();
        break;
    case SCREEN_GAME:
        gameScreenFrame();
        break;
    case SCREEN_ROADMAP:
        screenRoadmapFrame();
        break;
    case SCREEN_STORY:
        screenStory();
        break;
    default:
        break; // no frame routine: the cleared frame stays as it is
    }
}
