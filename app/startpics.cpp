#include "app/startpics.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"

TBild gPicPointer, gPicLogo, gPicLoadBg, gPicBarDown, gPicBarLong, gPicLoadBar, gPicLoadFill, gPicLogoGlow,
    gPicRays;

namespace {
void loadCentred(TBild& pic, const char* path, int flags) {
    pic.LoadFromDisk(path, flags);
    pic.Center();
}
} // namespace

void loadLoadscreenPictures() {
    if (!gPicLoadBg.isLoaded) gPicLoadBg.LoadFromDisk("data/bg/loadbg1.jpg", 0);
    if (!gPicLoadBar.isLoaded) loadCentred(gPicLoadBar, "data/ui/loadbar.png", 0);
    if (!gPicLoadFill.isLoaded) loadCentred(gPicLoadFill, "data/UI/loadfill.png", 0);
}

void freeLoadscreenPictures() {
    gPicLoadBg.Unload();
    gPicLoadBar.Unload();
    gPicLoadFill.Unload();
}

int screenLoadscreenLoad() {
    gPrevScreen = gScreen;
    loadCentred(gPicPointer, "data/UI/cursor.png", 0);
    loadCentred(gPicLogo, "data/UI/logo3.png", -1);
    gPicLogo.setXY(250, 270);
    reload_menu_BG();
    loadLoadscreenPictures();
    loadCentred(gPicBarDown, "data/match3/m3uidown.png", 0);
    loadCentred(gPicBarLong, "data/match3/m3uilongbar.png", 0);
    loadCentred(gPicLogoGlow, "data/effects/logoglow.png", -1);
    loadCentred(gPicRays, "data/effects/rays2.png", -1);
    loadFonts();
    return 0;
}
