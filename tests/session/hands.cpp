#include "tests/session/hands.h"

#include "app/focus.h"
#include "app/globals.h"
#include "screens/lettergrid.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <SDL.h>

#include <cstdlib>

namespace session {

namespace {

int arrowKey(int dx, int dy) {
    if (dx < 0) return 37;
    if (dx > 0) return 39;
    return dy < 0 ? 38 : 40;
}

class Keyboard : public Hands {
  public:
    void move(int dx, int dy) override {
        harness::keyPress(arrowKey(dx, dy));
        game::step(1);
    }
    void press() override { hold(13); }
    void escape() override { hold(27); }
    void start() override { hold(27); }
    void groupPlay() override { hold('3'); }
    void typeName(const std::string& name) override {
        harness::typeText(name);
        game::step(static_cast<int>(name.size()) + 2);
        hold(13);
    }

  private:
    static void hold(int vk) {
        harness::keyDown(vk);
        game::step(1);
        harness::keyUp(vk);
        game::step(1);
    }
};

class Controller : public Hands {
  public:
    explicit Controller(harness::VirtualPad& pad) : pad_(pad) {}
    void move(int dx, int dy) override {
        const int button = dx < 0   ? SDL_CONTROLLER_BUTTON_DPAD_LEFT
                           : dx > 0 ? SDL_CONTROLLER_BUTTON_DPAD_RIGHT
                           : dy < 0 ? SDL_CONTROLLER_BUTTON_DPAD_UP
                                    : SDL_CONTROLLER_BUTTON_DPAD_DOWN;
        hold(button);
    }
    void press() override { hold(SDL_CONTROLLER_BUTTON_A); }
    void escape() override { hold(SDL_CONTROLLER_BUTTON_B); }
    void start() override { hold(SDL_CONTROLLER_BUTTON_START); }
    void groupPlay() override {
        // Group play is the one after swap: the right shoulder from swap.
        hold(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        hold(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    }
    // The letter grid of the name popup: each letter walked to and pressed,
    // then "ok".
    void typeName(const std::string& name) override {
        for (const char ch : name) {
            for (int i = 0; i < letterGridKeys(); ++i) {
                if (letterGridCode(i) != ch) continue;
                int x, y;
                letterGridPlace(i, x, y);
                pressAt(x, y, 2);
            }
        }
        pressAt(602, 484);
    }

  private:
    void hold(int button) {
        pad_.press(button);
        game::step(1);
        pad_.release(button);
        game::step(1);
    }
    harness::VirtualPad& pad_;
};

} // namespace

bool Hands::walkTo(int x, int y, int tol) {
    if (!focusShown()) move(0, 1); // the first key only shows the focus
    for (int tries = 0; tries < 60; ++tries) {
        const int dx = x - gMouseX, dy = y - gMouseY;
        if (std::abs(dx) <= tol && std::abs(dy) <= tol) return true;
        const int beforeX = gMouseX, beforeY = gMouseY;
        // Up or down first (left and right drag a focused slider's knob); when
        // that leads nowhere, sideways.
        const bool horizontal = std::abs(dy) <= tol;
        if (horizontal)
            move(dx > 0 ? 1 : -1, 0);
        else
            move(0, dy > 0 ? 1 : -1);
        if (gMouseX == beforeX && gMouseY == beforeY) {
            if (horizontal && std::abs(dy) > tol)
                move(0, dy > 0 ? 1 : -1);
            else if (!horizontal && std::abs(dx) > tol)
                move(dx > 0 ? 1 : -1, 0);
        }
    }
    return false;
}

bool Hands::pressAt(int x, int y, int tol) {
    if (!walkTo(x, y, tol)) return false;
    press();
    return true;
}

std::unique_ptr<Hands> keyboardHands() { return std::make_unique<Keyboard>(); }
std::unique_ptr<Hands> controllerHands(harness::VirtualPad& pad) { return std::make_unique<Controller>(pad); }

} // namespace session
