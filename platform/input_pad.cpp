// Game controllers through SDL's controller interface and its mapping
// database: every controller plugged in is opened; buttons become pad keys,
// the left stick becomes four stick keys with a dead zone and hysteresis so a
// stick resting near the threshold does not chatter.
#include "platform/input_pad.h"

#include <vector>

#include "platform/platform.h"

namespace {

struct OpenPad {
    SDL_JoystickID id;
    SDL_GameController* pad;
    bool stick[4]; // up, down, right, left pressed
};

std::vector<OpenPad> gPads;

constexpr int kStickPress = 16384;   // half way out presses a stick key
constexpr int kStickRelease = 12000; // released again only well below that

int PadKeyOfButton(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PAD_A;
    case SDL_CONTROLLER_BUTTON_B: return PAD_B;
    case SDL_CONTROLLER_BUTTON_X: return PAD_X;
    case SDL_CONTROLLER_BUTTON_Y: return PAD_Y;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PAD_LEFT_SHOULDER;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PAD_RIGHT_SHOULDER;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PAD_DPAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PAD_DPAD_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PAD_DPAD_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PAD_DPAD_RIGHT;
    case SDL_CONTROLLER_BUTTON_START: return PAD_START;
    case SDL_CONTROLLER_BUTTON_BACK: return PAD_BACK;
    default: return 0;
    }
}

OpenPad* FindPad(SDL_JoystickID id)
{
    for (OpenPad& p : gPads)
        if (p.id == id) return &p;
    return nullptr;
}

void AddPad(int deviceIndex)
{
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (FindPad(id)) {
        SDL_GameControllerClose(pad); // opened twice: keep the reference count even
        return;
    }
    gPads.push_back({id, pad, {false, false, false, false}});
}

void RemovePad(SDL_JoystickID id, void (*setKey)(int, bool))
{
    for (size_t i = 0; i < gPads.size(); ++i) {
        if (gPads[i].id != id) continue;
        // A stick pushed while the controller is pulled out must not stay pushed.
        static const int kStickKeys[4] = {PAD_STICK_UP, PAD_STICK_DOWN, PAD_STICK_RIGHT, PAD_STICK_LEFT};
        for (int k = 0; k < 4; ++k)
            if (gPads[i].stick[k]) setKey(kStickKeys[k], false);
        SDL_GameControllerClose(gPads[i].pad);
        gPads.erase(gPads.begin() + static_cast<long>(i));
        return;
    }
}

void SetStick(OpenPad& p, int index, int key, int push, void (*setKey)(int, bool))
{
    const bool pressed = p.stick[index] ? push > kStickRelease : push >= kStickPress;
    if (pressed == p.stick[index]) return;
    p.stick[index] = pressed;
    setKey(key, pressed);
}

void HandleAxis(const SDL_ControllerAxisEvent& e, void (*setKey)(int, bool))
{
    OpenPad* p = FindPad(e.which);
    if (!p) return;
    const int v = e.value;
    if (e.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        SetStick(*p, 0, PAD_STICK_UP, -v, setKey);
        SetStick(*p, 1, PAD_STICK_DOWN, v, setKey);
    } else if (e.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        SetStick(*p, 2, PAD_STICK_RIGHT, v, setKey);
        SetStick(*p, 3, PAD_STICK_LEFT, -v, setKey);
    }
}

} // namespace

bool HandlePadEvent(const SDL_Event& e, void (*setKey)(int key, bool down))
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: AddPad(e.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED: RemovePad(e.cdevice.which, setKey); return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        int key = PadKeyOfButton(e.cbutton.button);
        // Start is the in-game menu key of the first controller only.
        if (key == PAD_START && (gPads.empty() || gPads.front().id != e.cbutton.which)) key = 0;
        if (key != 0 && FindPad(e.cbutton.which)) setKey(key, e.type == SDL_CONTROLLERBUTTONDOWN);
        return true;
    }
    case SDL_CONTROLLERAXISMOTION: HandleAxis(e.caxis, setKey); return true;
    default: return false;
    }
}

bool StartPads()
{
    static int started = -1;
    if (started == -1) {
        // Controllers keep reporting while another window has the focus: a
        // game on the couch still hears them after a notification popped up.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0 ? 1 : 0;
    }
    return started == 1;
}

void ReopenPads()
{
    for (OpenPad& p : gPads) SDL_GameControllerClose(p.pad);
    gPads.clear();
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_IsGameController(i)) AddPad(i);
}
