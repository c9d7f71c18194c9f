// Polled input fed through the real SDL event queue: pointer, buttons, wheel,
// keys, typed characters, the close request and application events.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/harness/harness.h"

namespace {
class Input : public harness::HeadlessTest {};
} // namespace

TEST_F(Input, ButtonHitsCountPressesSinceTheLastQuery)
{
    harness::click(10, 20);
    harness::click(11, 21);
    EXPECT_EQ(ButtonHits(1), 2);
    EXPECT_EQ(ButtonHits(1), 0);
    EXPECT_EQ(PointerX(), 11);
    EXPECT_EQ(PointerY(), 21);

    harness::click(5, 5, 2);
    EXPECT_EQ(ButtonHits(1), 0) << "buttons are counted apart";
    EXPECT_EQ(ButtonHits(2), 1);

    harness::mouseMove(300, 400);
    harness::mousePress(1);
    EXPECT_EQ(ButtonHeld(1), 1);
    EXPECT_EQ(ButtonHeld(3), 0);
    harness::mouseRelease(1);
    EXPECT_EQ(ButtonHeld(1), 0);
    EXPECT_EQ(ButtonHits(1), 1) << "a press is counted even when released before the query";
    EXPECT_EQ(ButtonHits(0) + ButtonHits(99) + ButtonHeld(-1), 0);
}

TEST_F(Input, PressReleasedBeforeTheQueryReadsHeldOnce) {
    harness::mousePress(1);
    harness::mouseRelease(1);
    EXPECT_EQ(ButtonHeld(1), 1) << "a tap between two queries still shows as held";
    EXPECT_EQ(ButtonHeld(1), 0) << "but only once";
    EXPECT_EQ(ButtonHits(1), 1);

    harness::mousePress(1);
    EXPECT_EQ(ButtonHeld(1), 1);
    EXPECT_EQ(ButtonHeld(1), 1) << "held";
    harness::mouseRelease(1);
    EXPECT_EQ(ButtonHeld(1), 0) << "a press already seen held is not latched again";

    harness::mousePress(2);
    harness::mouseRelease(2);
    EXPECT_EQ(ButtonHeld(1), 0) << "buttons latch apart";
    EXPECT_EQ(ButtonHeld(2), 1);
}

TEST_F(Input, WheelAddsUpUntilRead)
{
    harness::wheel(2);
    harness::wheel(-1);
    harness::wheel(3);
    EXPECT_EQ(WheelDelta(), 4);
    EXPECT_EQ(WheelDelta(), 0);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = 1;
    e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    SDL_PushEvent(&e);
    EXPECT_EQ(WheelDelta(), -1) << "a flipped wheel still reports away from the user as positive";
}

TEST_F(Input, KeysMapToVirtualKeyNumbers)
{
    struct Case {
        SDL_Keycode sdl;
        int vk;
    };
    const Case cases[] = {{SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},
                          {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},      {SDLK_0, 48},      {SDLK_1, 49},
                          {SDLK_3, 51},      {SDLK_9, 57},        {SDLK_a, 65},      {SDLK_z, 90},
                          {SDLK_F1, 112},    {SDLK_F6, 117},      {SDLK_F10, 121},   {SDLK_F12, 123},
                          {SDLK_LEFT, 37},   {SDLK_UP, 38},       {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},
                          {SDLK_DELETE, 46}, {SDLK_LSHIFT, 16},   {SDLK_RCTRL, 17},  {SDLK_KP_5, 101}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        EXPECT_EQ(VirtualKeyFromSdl(c.sdl, SDL_GetScancodeFromKey(c.sdl)), c.vk);
    }
    // A layout whose key gives no Latin letter still reports the key's place.
    EXPECT_EQ(VirtualKeyFromSdl(0x3B1, SDL_SCANCODE_Q), 'Q');
}

TEST_F(Input, KeyHitsAndHeld)
{
    for (int vk : {13, 27, 32, 49, 65, 112, 121, 37}) {
        SCOPED_TRACE(vk);
        harness::keyPress(vk);
        harness::keyDown(vk);
        EXPECT_EQ(KeyHeld(vk), 1);
        EXPECT_EQ(KeyHits(vk), 2);
        EXPECT_EQ(KeyHits(vk), 0);
        harness::keyUp(vk);
        EXPECT_EQ(KeyHeld(vk), 0);
    }
    // Auto-repeat keeps the key held but is no new press.
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_SPACE;
    e.key.repeat = 1;
    SDL_PushEvent(&e);
    EXPECT_EQ(KeyHits(32), 0);
    EXPECT_EQ(KeyHeld(32), 1);
    EXPECT_EQ(KeyHits(0) + KeyHits(256) + KeyHeld(-5), 0);
}

TEST_F(Input, TypedCharactersQueueAsLatin1)
{
    harness::typeText("Hé");
    harness::keyPress(8);
    harness::typeText("€x\xC3");
    harness::keyPress(13);
    const int expected[] = {'H', 0xE9, 8, 'x', 13, 0};
    for (int code : expected) EXPECT_EQ(NextTypedChar(), code);

    // The queue holds 256 characters; more are dropped.
    harness::typeText(std::string(300, 'k'));
    int count = 0;
    while (NextTypedChar() == 'k') ++count;
    EXPECT_EQ(count, 256);
}

TEST_F(Input, ClearKeysForgetsKeysButNotButtons)
{
    harness::typeText("abc");
    harness::keyDown(65);
    harness::keyPress(27);
    harness::click(1, 1);
    ClearKeys();
    EXPECT_EQ(NextTypedChar(), 0);
    EXPECT_EQ(KeyHits(27), 0);
    EXPECT_EQ(KeyHits(65), 0);
    EXPECT_EQ(KeyHeld(65), 0);
    EXPECT_EQ(ButtonHits(1), 1);
}

TEST_F(Input, CloseRequestIsReportedOnce)
{
    EXPECT_EQ(CloseRequested(), 0);
    harness::requestClose();
    EXPECT_EQ(CloseRequested(), 1);
    EXPECT_EQ(CloseRequested(), 0);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(PlatformWindow());
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
    EXPECT_EQ(CloseRequested(), 1);
    EXPECT_EQ(DisplayIsOpen(), 1) << "the window stays open";
}

TEST_F(Input, FocusAndMinimiseBecomeApplicationEvents)
{
    EXPECT_EQ(PeekAppEvent(), 0);
    harness::focusLost();
    harness::focusGained();
    harness::minimise();
    harness::restore();
    const int expected[] = {257, 258, 257, 258};
    for (int id : expected) {
        EXPECT_EQ(PeekAppEvent(), id);
        EXPECT_EQ(PeekAppEvent(), id) << "peeking keeps the event";
        TakeAppEvent();
        EXPECT_EQ(AppEventId(), id);
    }
    EXPECT_EQ(PeekAppEvent(), 0);
    TakeAppEvent();
    EXPECT_EQ(AppEventId(), 0);
}

TEST_F(Input, PointerIsInLogicalCoordinatesWhenTheWindowIsScaled)
{
    SDL_SetWindowSize(PlatformWindow(), 2048, 1536);
    PointerX(); // lets the renderer see the new size
    harness::mouseMove(1000, 600);
    EXPECT_EQ(PointerX(), 500);
    EXPECT_EQ(PointerY(), 300);
    // The frame itself stays 1024 x 768.
    harness::Frame f = harness::grabFrame();
    EXPECT_EQ(f.width, 1024);
    EXPECT_EQ(f.height, 768);
}
