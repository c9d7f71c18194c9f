#include "tests/harness/game.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/sound.h"

bool startGame() {
    gQuit = 0;
    return startUp() == 0;
}

int stepFrames(int n) {
    int ran = 0;
    while (ran < n && !gQuit) {
        runOneFrame();
        ++ran;
    }
    return ran;
}

void stopGame() {
    stopMusic();
    ReleaseInstanceLock();
    gQuit = 0;
}
