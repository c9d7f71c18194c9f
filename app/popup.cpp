#include "app/popup.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/sound.h"
#include "app/ui.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/profile.h"

int openPopup(int id) {
    if (id == 103) computeRankOrder();
    if (id == 99) {
        if (gScreen > 0 && gCurPl > -1) savePlayer(gCurPl);
        gConfig.SaveToDisk();
    }
    gSoundDrag = 0;
    gMusicDrag = 0;
    playSfx(5, 512);
    gRunPopup = 1;
    gPopupDir = 1;
    gStatePopup = id;
    return 0;
}
