// The text button and the picture button.
#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/sound.h"
#include "app/ui.h"

namespace {

// Colour and alpha in force when a button starts drawing; the screen fade keeps
// the three colour components equal, so the red one stands for all.
struct DrawState {
    int r = 255;
    float alpha = 1;
    DrawState() {
        int g = 0, b = 0;
        ReadColor(r, g, b);
        alpha = ReadAlpha();
    }
    void restore() const {
        SetColor(r, r, r);
        SetAlpha(alpha);
    }
    void setColourFor(int group) const {
        const int c = group == gButtonGroup ? r : static_cast<int>(r * 0.5);
        SetColor(c, c, c);
    }
};

Picture* loadedPicture(TBild& pic) {
    return pic.isLoaded == 1 ? pic.data.get() : nullptr;
}

// A click on a responding button: it consumes the click and sounds.
int takeClick(int x) {
    if (gMouseHit != 1) return BUTTON_HOVER;
    gMouseHit = 0;
    playSfx(13, x);
    return BUTTON_CLICKED;
}

bool validSlot(int index) {
    return index >= 0 && index < kUiPictureSlots;
}

} // namespace

int button(int x, int y, int style, int group, const std::string& label) {
    const DrawState saved;
    Picture* pic = validSlot(style) ? loadedPicture(gButtonPics[style]) : nullptr;
    const float w = pic ? static_cast<float>(PictureWidth(pic)) : 0;
    const float h = pic ? static_cast<float>(PictureHeight(pic)) : 0;
    int hw = static_cast<int>(w / 2);
    const int hh = static_cast<int>(h / 2 - 2);
    if (gStatePopup == 103 && style == 3) hw -= 8;

    int state = BUTTON_IDLE;
    const bool over = gMouseX > x - hw && gMouseX < x + hw && gMouseY > y - hh && gMouseY < y + hh;
    const bool active = group == gButtonGroup && gFadeDir == 1 && gPaused == -1 && (gRunPopup == 16 || gRunPopup == 0);
    if (active && pic) focusTarget(x, y, static_cast<int>(w), static_cast<int>(h));
    if (over && active) state = takeClick(x);

    SetDrawScale(1, 1);
    saved.setColourFor(group);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    DrawPicture(pic, fx, fy, 0);
    gFontButton.DrawText(label, fx - 2, fy - 26, 1, 1);
    if (state > BUTTON_IDLE) {
        SetBlend(BLEND_LIGHT);
        SetAlpha(saved.alpha * 0.15f);
        DrawPicture(pic, fx, fy, 0);
        gFontButton.DrawText(label, fx - 2, fy - 26, 1, 1);
        SetBlend(BLEND_ALPHA);
    }
    saved.restore();
    return state;
}

int imageButton(int x, int y, int index, int group) {
    const DrawState saved;
    Picture* pic = validSlot(index) ? loadedPicture(gImageButtonPics[index]) : nullptr;
    Picture* probe = loadedPicture(gPicPointerProbe3);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);

    int state = BUTTON_IDLE;
    const bool active = group == gButtonGroup && gFadeDir == 1 && gPaused == -1;
    // The slider knob (index 10) is registered with its track by its popup.
    if (active && pic && index != 10) focusTarget(x, y, PictureWidth(pic), PictureHeight(pic));
    const bool hit =
        pic && probe &&
        PicturesOverlap(pic, fx, fy, 0, probe, static_cast<float>(gMouseX), static_cast<float>(gMouseY), 0);
    if (hit && active) {
        state = takeClick(x);
        if (gMouseDown == 1 && index == 10) state = BUTTON_HELD;
    }

    // The active group's buttons grow a little under the mouse; the inactive
    // group's are drawn at half brightness at the scale in force.
    saved.setColourFor(group);
    if (group == gButtonGroup) {
        const float scale = state == BUTTON_IDLE ? 1.0f : 1.025f;
        SetDrawScale(scale, scale);
        DrawPicture(pic, fx, fy, 0);
        SetDrawScale(1, 1);
    } else {
        DrawPicture(pic, fx, fy, 0);
    }
    saved.restore();
    return state;
}
