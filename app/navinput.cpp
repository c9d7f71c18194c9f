// The keys that move and press the focus: arrows, the controller's D-pad and
// left stick; Enter, Space and controller A press.
#include "app/focus.h"
#include "platform/platform.h"

namespace {

constexpr int kRepeatDelay = 12; // frames an arrow is held before it repeats
constexpr int kRepeatEvery = 3;

struct Direction {
    int dx, dy;
    int keys[3];
};
constexpr Direction kDirections[4] = {
    {-1, 0, {37, PAD_DPAD_LEFT, PAD_STICK_LEFT}},
    {0, -1, {38, PAD_DPAD_UP, PAD_STICK_UP}},
    {1, 0, {39, PAD_DPAD_RIGHT, PAD_STICK_RIGHT}},
    {0, 1, {40, PAD_DPAD_DOWN, PAD_STICK_DOWN}},
};
constexpr int kPressKeys[3] = {13, 32, PAD_A};

int gHeldFrames[4] = {};
int gLastX = -1, gLastY = -1;

} // namespace

void resetNavInput() {
    for (int& h : gHeldFrames) h = 0;
    gLastX = gLastY = -1;
}

NavInput readNavInput(int pointerX, int pointerY, int buttonHits) {
    NavInput nav;
    for (int d = 0; d < 4; ++d) {
        int hits = 0, held = 0;
        for (const int key : kDirections[d].keys) {
            hits += KeyHits(key);
            held += KeyHeld(key);
        }
        gHeldFrames[d] = held ? gHeldFrames[d] + 1 : 0;
        const int h = gHeldFrames[d];
        const bool repeat = h > kRepeatDelay && (h - kRepeatDelay) % kRepeatEvery == 0;
        if (hits > 0 || repeat) {
            nav.moveX = kDirections[d].dx;
            nav.moveY = kDirections[d].dy;
        }
    }
    for (const int key : kPressKeys) {
        nav.pressed += KeyHits(key);
        nav.held += KeyHeld(key);
    }
    nav.spaceOnly = (KeyHeld(13) || KeyHeld(PAD_A)) ? 0 : 1;
    nav.pressed = nav.pressed > 0;
    nav.held = nav.held > 0 || nav.pressed;
    // The power-up keys 4..7 and any other target's own key.
    for (int key = '4'; key <= '7'; ++key)
        if (KeyHits(key)) nav.hotkey = key;
    nav.mouseUsed = buttonHits > 0 || (gLastX != -1 && (pointerX != gLastX || pointerY != gLastY));
    gLastX = pointerX;
    gLastY = pointerY;
    return nav;
}
