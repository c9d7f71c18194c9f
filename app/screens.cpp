// The table of screens. A screen whose routines are not part of the program
// yet is entered like any other (it becomes current and fades in) and draws
// nothing, so the shell runs with any subset of screens.
#include "app/screens.h"

#include "app/globals.h"
#include "app/loadscreen.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/splash.h"
#include "screens/story.h"

namespace {

// The common part of every prepare: the screen becomes current and fades in.
void enterScreen(int screen) {
    gPrevScreen = gScreen;
    gScreen = screen;
    fadeIn();
}

} // namespace

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
    case SCREEN_ROADMAP:
        enterScreen(screen);
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
    case SCREEN_STORY:
        screenStory();
        break;
    default:
        break; // no frame routine: the cleared frame stays as it is
    }
}
