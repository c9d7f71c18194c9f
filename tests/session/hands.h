// The player's hands in a scripted session: the keyboard alone or a game
// controller alone, every press going through the real event queue, and the
// way to walk the focus to a place by its moves only.
#pragma once

#include "tests/harness/pad.h"

#include <memory>
#include <string>

namespace session {

class Hands {
  public:
    virtual ~Hands() = default;
    // One focus step (one frame or two).
    virtual void move(int dx, int dy) = 0;
    // Enter or button A, held for a frame.
    virtual void press() = 0;
    // Escape or button B; Start for the in-game menu.
    virtual void escape() = 0;
    virtual void start() = 0;
    // Switches the game to group play (key 3, or the shoulder buttons).
    virtual void groupPlay() = 0;
    // Types a name in the open name popup and confirms it.
    virtual void typeName(const std::string& name) = 0;

    // Walks the focus until the pointer it steers is within tol of (x, y);
    // false when it cannot get there.
    bool walkTo(int x, int y, int tol = 12);
    // Walks there and presses.
    bool pressAt(int x, int y, int tol = 12);
};

std::unique_ptr<Hands> keyboardHands();
// The controller's hands need the pad plugged in.
std::unique_ptr<Hands> controllerHands(harness::VirtualPad& pad);

// Runs frames until cond() holds (at most limit frames); false when it never did.
template <class F> bool stepUntil(F cond, int limit);

} // namespace session

#include "tests/harness/game.h"

template <class F> bool session::stepUntil(F cond, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (cond()) return true;
        if (game::step(1) == 0) return cond();
    }
    return cond();
}
