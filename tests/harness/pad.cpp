#include "tests/harness/pad.h"

namespace harness {

namespace {

// The device index of the joystick with instance id `id`, -1 when gone.
int deviceOf(SDL_JoystickID id) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

} // namespace

VirtualPad::VirtualPad() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "Test controller";
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    if (device_ < 0) return;
    joystick_ = SDL_JoystickOpen(device_);
    if (joystick_) id_ = SDL_JoystickInstanceID(joystick_);
}

VirtualPad::~VirtualPad() {
    unplug();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void VirtualPad::unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    const int device = deviceOf(id_);
    if (device >= 0) SDL_JoystickDetachVirtual(device);
}

void VirtualPad::press(int button) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, SDL_PRESSED);
}

void VirtualPad::release(int button) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, SDL_RELEASED);
}

void VirtualPad::axis(int axis, int value) {
    if (joystick_) SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value));
}

} // namespace harness
