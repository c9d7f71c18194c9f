// The options popup (100): effects and music volume sliders, the full-screen
// check box and the language choice.
#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "app/popups.h"
#include "app/ui.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/languages.h"
#include "platform/platform.h"
#include "screens/popuptext.h"

#include <algorithm>

namespace {

constexpr int kTrackLeft = 372; // knob x of value 0; value v sits at 372 + v
constexpr int kVolumeMax = 280;

// One slider row: its label, the track, "quiet" and "loud" at its ends, and the
// knob. The knob's drag flag is taken only while the other knob is free.
void volumeRow(int rowY, int labelY, int endsY, const char* labelKey, int& value, int& drag, int otherDrag) {
    drawCentredText(gFontText, gLang.getValue(labelKey), labelY);
    gPicOptionsTrack.PaintXY(512, static_cast<float>(rowY));
    drawTextRight(gFontText24, gLang.getValue("quiet"), 322, endsY);
    drawTextLeft(gFontText24, gLang.getValue("loud"), 702, endsY);

    value = std::clamp(value, 0, kVolumeMax);
    TBild& knob = gImageButtonPics[10];
    if (gRunPopup == 16 && gPaused == -1 && knob.isLoaded == 1)
        focusSlider(kTrackLeft + value, rowY + 3, static_cast<int>(knob.W), static_cast<int>(knob.H), 512);
    if (imageButton(kTrackLeft + value, rowY + 3, 10, 2) == 4 && otherDrag == 0) drag = 1;
    // The knob follows the pointer; the limit applies from the next frame.
    if (drag == 1) value = gMouseX - kTrackLeft;
}

void fullscreenCheckBox() {
    gPicCheckBox.PaintXY(442, 480);
    drawTextLeft(gFontText, gLang.getValue("fullscreen"), 479, 460);
    if (gRunPopup == 16 && gPaused == -1 && gSoundDrag == 0 && gMusicDrag == 0) {
        const int right = 479 + gFontText.GetTxtWidth(gLang.getValue("fullscreen")) + 6;
        focusLabelled(442, 480, (422 + right) / 2, 480, right - 422, 44);
    }
    const bool over = gMouseX > 422 && gMouseX < 462 && gMouseY > 460 && gMouseY < 500;
    if (gSoundDrag == 0 && gMusicDrag == 0 && over) {
        SetBlend(BLEND_LIGHT);
        gPicCheckBox.PaintXY(442, 480);
        SetBlend(BLEND_ALPHA);
        if (gMouseHit == 1) {
            gMouseHit = 0;
            toggleFullscreen();
        }
    }
    if (gConfig.fullscreen == 1) gPicCheckMark.PaintXY(448, 474);
}

// The language's own name between two arrows over the tracks' ends. A step
// switches every text and every picture with words at once and is saved.
void languageRow() {
    constexpr int y = 540;
    drawCentredText(gFontText, languageName(gConfig.sprache), y - 16);
    const bool back = imageButton(kTrackLeft, y, 11, 2) == BUTTON_CLICKED;
    const bool on = imageButton(kTrackLeft + kVolumeMax, y, 12, 2) == BUTTON_CLICKED;
    const int step = on ? 1 : back ? -1 : 0;
    if (step == 0 || gSoundDrag != 0 || gMusicDrag != 0) return;
    loadLanguage((gConfig.sprache + step + kLanguageCount) % kLanguageCount);
    followLanguagePictures();
    gConfig.SaveToDisk();
}

} // namespace

int optionsPopup() {
    SetDrawScale(1, 1);
    popupFrame(1, gLang.getValue("options"));
    volumeRow(384, 326, 364, "sound", gConfig.soundlaut, gSoundDrag, gMusicDrag);
    volumeRow(289, 231, 269, "music", gConfig.musiklautsoll, gMusicDrag, gSoundDrag);
    fullscreenCheckBox();
    languageRow();
    if (gMouseDown == 0) gSoundDrag = gMusicDrag = 0;

    const int ok = button(512, 612, 3, 2, gLang.getValue("ok"));
    if (popupConfirmed(ok)) {
        // Escape can come while a knob is still dragged past an end: only
        // values inside the range are stored.
        gConfig.soundlaut = std::clamp(gConfig.soundlaut, 0, kVolumeMax);
        gConfig.musiklautsoll = std::clamp(gConfig.musiklautsoll, 0, kVolumeMax);
        gConfig.SaveToDisk();
        closePopup();
    }
    return 0;
}
