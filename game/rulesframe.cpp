// The rules of one frame in their fixed order; no drawing.
#include "game/rulesframe.h"

#include "match3/rules.h"
#include "persist/profile.h"

int runRulesFrame() {
    const int type = curPlayer().gtGameType;
    gravityPass();
    switch (type) {
    case 1: inputChain(); break;
    case 2: inputGroup(); break;
    case 3: inputSwap(); break;
    default: break;
    }
    if (type == 1 || type == 2) hintChainGroup();
    if (type == 3) {
        hintSwap();
        swapAnimation();
    }
    shuffleWave();
    resolveSelection();
    return 0;
}
