// A game controller for tests: SDL's virtual joystick attached as a game
// controller. Its buttons and stick change the joystick's state; SDL turns the
// change into controller events in the real event queue when the game pumps it.
#pragma once

#include <SDL.h>

namespace harness {

class VirtualPad {
  public:
    VirtualPad();  // plugged in
    ~VirtualPad(); // pulled out
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool attached() const { return joystick_ != nullptr; }
    void unplug();
    // SDL_CONTROLLER_BUTTON_* and SDL_CONTROLLER_AXIS_*.
    void press(int button);
    void release(int button);
    void axis(int axis, int value);

  private:
    int device_ = -1;
    SDL_JoystickID id_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

} // namespace harness
