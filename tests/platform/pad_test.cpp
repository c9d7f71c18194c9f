// Game controllers through the real event queue: SDL's virtual joystick,
// attached as a game controller, presses the pad keys of the polled input.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/harness/harness.h"
#include "tests/harness/pad.h"

namespace {

class Pad : public harness::HeadlessTest {
  protected:
    // Lets the input layer see the controller arrive (it opens it then).
    static void settle() { KeyHeld(0); }
};

struct ButtonCase {
    int button, key;
};

} // namespace

TEST_F(Pad, ButtonsPressTheirPadKeys) {
    harness::VirtualPad pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    settle();
    const ButtonCase cases[] = {
        {SDL_CONTROLLER_BUTTON_A, PAD_A},
        {SDL_CONTROLLER_BUTTON_B, PAD_B},
        {SDL_CONTROLLER_BUTTON_X, PAD_X},
        {SDL_CONTROLLER_BUTTON_Y, PAD_Y},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PAD_LEFT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PAD_RIGHT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_DPAD_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_DPAD_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_DPAD_RIGHT},
        {SDL_CONTROLLER_BUTTON_START, PAD_START},
        {SDL_CONTROLLER_BUTTON_BACK, PAD_BACK},
    };
    for (const ButtonCase& c : cases) {
        pad.press(c.button);
        EXPECT_EQ(KeyHeld(c.key), 1) << "button " << c.button;
        EXPECT_EQ(KeyHits(c.key), 1) << "button " << c.button;
        pad.release(c.button);
        EXPECT_EQ(KeyHeld(c.key), 0) << "button " << c.button;
        EXPECT_EQ(KeyHits(c.key), 0) << "button " << c.button;
    }
    EXPECT_EQ(PadInUse(), 1);
    harness::keyPress(37);
    EXPECT_EQ(PadInUse(), 0) << "a key on the keyboard hands typing back to it";
}

TEST_F(Pad, StickPressesPastHalfWayAndReleasesWellBelow) {
    harness::VirtualPad pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    settle();
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 10000);
    EXPECT_EQ(KeyHeld(PAD_STICK_RIGHT), 0) << "inside the dead zone";
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
    EXPECT_EQ(KeyHits(PAD_STICK_RIGHT), 1);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 14000);
    EXPECT_EQ(KeyHeld(PAD_STICK_RIGHT), 1) << "a stick easing back a little stays pressed";
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
    EXPECT_EQ(KeyHits(PAD_STICK_RIGHT), 0) << "no second press without a release";
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    EXPECT_EQ(KeyHeld(PAD_STICK_RIGHT), 0);
    EXPECT_EQ(KeyHits(PAD_STICK_LEFT), 1);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    EXPECT_EQ(KeyHeld(PAD_STICK_LEFT), 0);
    EXPECT_EQ(KeyHits(PAD_STICK_UP), 1);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    EXPECT_EQ(KeyHits(PAD_STICK_DOWN), 1);
    EXPECT_EQ(KeyHeld(PAD_STICK_UP), 0);
}

TEST_F(Pad, PluggedInAndOutWhileRunning) {
    KeyHeld(0); // the input layer runs before any controller is there
    {
        harness::VirtualPad pad;
        ASSERT_TRUE(pad.attached()) << SDL_GetError();
        settle();
        pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
        EXPECT_EQ(KeyHeld(PAD_STICK_DOWN), 1);
        pad.unplug();
        EXPECT_EQ(KeyHeld(PAD_STICK_DOWN), 0) << "a stick pulled out with the controller lets go";
    }
    harness::VirtualPad again;
    ASSERT_TRUE(again.attached()) << SDL_GetError();
    settle();
    again.press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(KeyHits(PAD_A), 1) << "a controller plugged in again works";
}

TEST_F(Pad, OnlyTheFirstControllersStartCounts) {
    harness::VirtualPad first;
    settle();
    harness::VirtualPad second;
    ASSERT_TRUE(first.attached() && second.attached()) << SDL_GetError();
    settle();
    second.press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(KeyHits(PAD_START), 0);
    second.press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(KeyHits(PAD_A), 1) << "its other buttons play along";
    first.press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(KeyHits(PAD_START), 1);
    first.release(SDL_CONTROLLER_BUTTON_START);
    first.unplug();
    settle();
    second.release(SDL_CONTROLLER_BUTTON_START);
    settle();
    second.press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(KeyHits(PAD_START), 1) << "the first one gone, the next is first";
}
