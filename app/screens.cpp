// The table of screens. A screen whose routines are not part of the program
// yet is entered like any other (it becomes current and fades in) and draws
// nothing, so the shell runs with any subset of screens.
#include "app/screens.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "game/gamescreen.h"
#include "screens/roadmap.h"

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
    case SCREEN_LOADING:
    case SCREEN_MENU:
    case SCREEN_STORY:
        enterScreen(screen);
        break;
    case SCREEN_GAME:
        screenGamePrepare();
        break;
    case SCREEN_ROADMAP:
        screenRoadmapPrepare();
        break;
    default:
        break;
    }
}

void runScreenFrame(int screen) {
    switch (screen) {
    case SCREEN_GAME:
        gameScreenFrame();
        break;
    case SCREEN_ROADMAP:
        screenRoadmapFrame();
        break;
    default:
        break; // no frame routine: the cleared frame stays as it is
    }
}
