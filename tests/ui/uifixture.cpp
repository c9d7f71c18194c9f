#include "tests/ui/uifixture.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/loadscreen.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/splash.h"
#include "app/ui.h"
#include "persist/config.h"
#include "persist/language.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace uitest {

std::string gameDir() {
    return VARNOKA_GAME_DIR;
}

void resetUiState() {
    gStatePopup = gRunPopup = gPopupDir = 0;
    gButtonGroup = 1;
    gSoundDrag = gMusicDrag = 0;
    gFadeDir = 1;
    gFadeLevel = 256;
    gPaused = -1;
    gFPS = 40;
    gMouseHit = gMouseDown = 0;
    gRunLoadscreen = 0;
    loadBarY = 1068;
    menuFrames = 0;
    freeSplashPictures();
    readSplashConfig(); // from the working folder: empty when there is none
    for (TBild* pic : {&gPicMenuBG, &gPicChain, &gPicScores, &gPicBorderUp, &gPicBorderDown, &gPicPlayerBar,
                       &gPicCreatePlayer, &gPicPlayerMenu}) {
        pic->Unload();
        pic->url.clear();
    }
}

InGameFolder::InGameFolder() {
    char buf[4096];
    if (getcwd(buf, sizeof buf)) oldDir_ = buf;
    EXPECT_EQ(chdir(gameDir().c_str()), 0);
}

InGameFolder::~InGameFolder() {
    if (!oldDir_.empty()) {
        EXPECT_EQ(chdir(oldDir_.c_str()), 0);
    }
}

void UiTest::SetUp() {
    loadFonts();
    gLang.loadFromDisk("data/texts/codetexts.txt", "=");
    menustuff_load();
    resetUiState();
    gInputEnabled = 1;
    gConfig.soundlaut = 0;
}

void UiTest::TearDown() {
    resetUiState();
    gInputEnabled = 0;
}

void UiTest::snapshot() {
    frameUpdate();
}

} // namespace uitest
