// The loading screen: the logo fades in, a progress bar glides up, fills and
// slides away again while the game's pictures load in stages at fixed frames;
// at its end the loading background fades out over the menu background and the
// main menu takes over without a fade.
#include "app/loadscreen.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "app/splash.h"
#include "app/startpics.h"
#include "game/gamepictures.h"
#include "game/particles.h"
#include "match3/board.h"
#include "persist/language.h"
#include "platform/debuglog.h"

int gRunLoadscreen = 0;
int loadBarY = 1068;

namespace {

constexpr int kLastFrame = 430;
constexpr int kCrossFadeFrom = 410;

void logStage(int f) {
    DebugLog("gRunLoadscreen = " + std::to_string(f));
}

// The background layers: from frame 411 the loading background fades out over
// the menu background.
void drawBackgrounds() {
    SetBlend(BLEND_SOLID);
    if (gRunLoadscreen > kCrossFadeFrom) gPicMenuBG.PaintXY(0, 0);
    SetBlend(BLEND_ALPHA);
    SetAlpha(gRunLoadscreen > kCrossFadeFrom ? (kLastFrame - gRunLoadscreen) * 0.05f : 1.0f);
    gPicLoadBg.PaintXY(0, 0);
}

// The bar glides up towards y 743 from frame 151 to 320, then slides down out
// of the screen.
void moveBar(int f) {
    if (f > 150 && f <= 320) loadBarY = static_cast<int>(loadBarY - (loadBarY - 743) * 0.1);
    if (f > 320) loadBarY += 5;
}

// The fill, clipped at width w, and its lit leading edge.
void drawBar(int f) {
    gPicLoadBar.PaintXY(512, static_cast<float>(loadBarY + 3));
    const int w = static_cast<int>(335 + (f - 150) * 368 * 0.01);
    const float fillY = static_cast<float>(loadBarY + 13);
    SetViewport(0, 0, w, 768);
    gPicLoadFill.PaintXY(512, fillY);
    SetBlend(BLEND_LIGHT);
    const float edgeAlpha[3] = {1.0f, 0.5f, 0.25f};
    for (int i = 0; i < 3; ++i) {
        SetAlpha(edgeAlpha[i]);
        SetViewport(w - i, 0, 1, 768);
        gPicLoadFill.PaintXY(512, fillY);
    }
    SetAlpha(1);
    SetBlend(BLEND_ALPHA);
    SetViewport(0, 0, 1024, 768);
}

void drawLoadingText() {
    SetDrawScale(1, 0.8f);
    const int kerning = static_cast<int>(gFontDialog.Kerning.GetHKerning());
    gFontDialog.Kerning.SetHKerning(3);
    const std::string text = gLang.getValue("loading");
    gFontDialog.DrawText(text, static_cast<float>(512 - gFontDialog.GetTxtWidth(text) / 2),
                         static_cast<float>(loadBarY - 14), 1, 0);
    gFontDialog.Kerning.SetHKerning(static_cast<float>(kerning));
    SetDrawScale(1, 1);
}

// The loading stages, one per frame at the frames given.
void runStage(int f) {
    switch (f) {
    case 200:
        menustuff_load();
        menustuff_load_dynamic();
        logStage(f);
        break;
    case 225:
        loadGamePictures();
        logStage(f);
        break;
    case 260:
        gamestuff_load();
        loadEffectPictures();
        logStage(f);
        break;
    case 305:
        load_for_preview_match3();
        logStage(f);
        break;
    case kLastFrame:
        freeSplashPictures();
        freeLoadscreenPictures(); // the loading screen is not shown again
        DebugLog("<- screenLoadscreenShow() (gRunLoadscreen = " + std::to_string(f));
        screenMainmenuPrepare();
        break;
    default:
        break;
    }
}

} // namespace

int screenLoadscreenPrepare() {
    DebugLog("-> screenLoadscreenPrepare()");
    HidePointer();
    loadLoadscreenPictures();
    loadBarY = 1068;
    gRunLoadscreen = 0;
    initSounds();
    playMusic("titel.ogg");
    gPrevScreen = gScreen;
    gScreen = SCREEN_LOADING;
    fadeIn();
    DebugLog("<- screenLoadscreenPrepare()");
    return 0;
}

int screenLoadscreenShow() {
    drawBackgrounds();
    const int f = ++gRunLoadscreen;
    SetAlpha((f - 40) * 0.02f);
    gPicLogo.Paint();
    SetDrawRotation(0);
    SetAlpha(1);
    SetDrawScale(1, 1);
    moveBar(f);
    drawBar(f);
    drawLoadingText();
    runStage(f);
    if (gKeyF3 == 1) gDebugMode = 1;
    if (gKeyF5 == 1) gTextTestMode = 1;
    return 0;
}
