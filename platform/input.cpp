// Polled input. Every input operation first drains the SDL event queue into
// the layer's own tables: pointer position, button and key hit counts and held
// states, the wheel, the typed-character queue, the close request and the
// queue of application events.
#include <array>
#include <deque>

#include "platform/input_pad.h"
#include "platform/sdl_internal.h"

namespace {

constexpr int kButtons = 8;
constexpr int kKeys = 256;
constexpr size_t kTypedQueue = 256;
constexpr size_t kAppEventQueue = 64;
constexpr int kAppSuspended = 257;
constexpr int kAppResumed = 258;

struct InputTables {
    int pointerX = 0, pointerY = 0;
    std::array<int, kButtons> buttonHits{};
    std::array<bool, kButtons> buttonHeld{};
    // A press not yet seen by ButtonHeld: a press and release that both come
    // between two queries still read as held once, so the click is not lost.
    std::array<bool, kButtons> buttonLatched{};
    int wheel = 0;
    std::array<int, kKeys> keyHits{};
    std::array<bool, kKeys> keyHeld{};
    std::deque<int> typed;
    bool closeRequested = false;
    std::deque<int> appEvents;
    int currentAppEvent = 0;
    bool padInUse = false;
};

InputTables gInput;

// SDL keys and the virtual-key numbers the game uses for them.
struct KeyPair {
    SDL_Keycode sdl;
    int vk;
};

constexpr KeyPair kKeyTable[] = {
    {SDLK_BACKSPACE, 8},   {SDLK_TAB, 9},           {SDLK_CLEAR, 12},        {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},   {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},       {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},      {SDLK_LALT, 18},         {SDLK_RALT, 18},         {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},   {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},   {SDLK_END, 35},          {SDLK_HOME, 36},         {SDLK_LEFT, 37},
    {SDLK_UP, 38},         {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},         {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},     {SDLK_DELETE, 46},       {SDLK_LGUI, 91},         {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93}, {SDLK_KP_0, 96},        {SDLK_KP_1, 97},         {SDLK_KP_2, 98},
    {SDLK_KP_3, 99},       {SDLK_KP_4, 100},        {SDLK_KP_5, 101},        {SDLK_KP_6, 102},
    {SDLK_KP_7, 103},      {SDLK_KP_8, 104},        {SDLK_KP_9, 105},        {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},   {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145}, {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},     {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

} // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode)
{
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return 124 + (key - SDLK_F13);
    for (const KeyPair& pair : kKeyTable) {
        if (pair.sdl == key) return pair.vk;
    }
    // Keys of other layouts that produce no Latin letter: use their position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return '0';
    return 0;
}

SDL_Keycode SdlKeyFromVirtualKey(int vk)
{
    if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9') return SDLK_0 + (vk - '0');
    if (vk >= 112 && vk <= 123) return SDLK_F1 + (vk - 112);
    if (vk >= 124 && vk <= 135) return SDLK_F13 + (vk - 124);
    for (const KeyPair& pair : kKeyTable) {
        if (pair.vk == vk) return pair.sdl;
    }
    return SDLK_UNKNOWN;
}

namespace {

int ButtonIndex(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    case SDL_BUTTON_X1: return 4;
    case SDL_BUTTON_X2: return 5;
    default: return 0;
    }
}

void QueueTyped(int code)
{
    if (gInput.typed.size() < kTypedQueue) gInput.typed.push_back(code);
}

void QueueAppEvent(int id)
{
    if (gInput.appEvents.size() < kAppEventQueue) gInput.appEvents.push_back(id);
}

// Decodes UTF-8 text; characters beyond Latin-1 cannot be stored and are dropped.
void QueueText(const char* text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t code;
        int extra;
        if (*p < 0x80) {
            code = *p;
            extra = 0;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            extra = 3;
        } else {
            ++p;
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
        }
        if (valid && code >= 1 && code <= 255) QueueTyped(static_cast<int>(code));
    }
}

void HandleWindowEvent(const SDL_WindowEvent& e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED: QueueAppEvent(kAppSuspended); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED: QueueAppEvent(kAppResumed); break;
    case SDL_WINDOWEVENT_CLOSE: gInput.closeRequested = true; break;
    default: break;
    }
    switch (e.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED: RepaintWindow(); break;
    default: break;
    }
}

void SetPointer(int x, int y)
{
    WindowToFrame(x, y);
    gInput.pointerX = x;
    gInput.pointerY = y;
}

void SetKey(int vk, bool down, bool repeat)
{
    if (vk <= 0 || vk >= kKeys) return;
    if (down && !repeat) ++gInput.keyHits[vk];
    gInput.keyHeld[vk] = down;
}

void SetPadKey(int vk, bool down)
{
    SetKey(vk, down, false);
    if (down) gInput.padInUse = true;
}

void HandleEvent(const SDL_Event& e)
{
    if (HandlePadEvent(e, SetPadKey)) return;
    switch (e.type) {
    case SDL_MOUSEMOTION: SetPointer(e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int b = ButtonIndex(e.button.button);
        SetPointer(e.button.x, e.button.y);
        if (b == 0) break;
        if (e.type == SDL_MOUSEBUTTONDOWN) {
            ++gInput.buttonHits[b];
            gInput.buttonLatched[b] = true;
        }
        gInput.buttonHeld[b] = e.type == SDL_MOUSEBUTTONDOWN;
        break;
    }
    case SDL_MOUSEWHEEL:
        gInput.wheel += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int vk = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode);
        const bool down = e.type == SDL_KEYDOWN;
        SetKey(vk, down, e.key.repeat != 0);
        if (down && vk > 0) gInput.padInUse = false;
        // Backspace and Enter reach the typed queue as characters, repeats included.
        if (down && (vk == 8 || vk == 13)) QueueTyped(vk);
        break;
    }
    case SDL_TEXTINPUT: QueueText(e.text.text); break;
    case SDL_QUIT: gInput.closeRequested = true; break;
    case SDL_WINDOWEVENT: HandleWindowEvent(e.window); break;
    default: break;
    }
}

} // namespace

void PumpInput()
{
    if (!EnsureSdlSubsystem(SDL_INIT_EVENTS)) return;
    StartPads();
    SDL_Event e;
    while (SDL_PollEvent(&e)) HandleEvent(e);
}

void ResetInputState()
{
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    gInput = InputTables{};
    ReopenPads();
}

int PointerX()
{
    PumpInput();
    return gInput.pointerX;
}

int PointerY()
{
    PumpInput();
    return gInput.pointerY;
}

int ButtonHits(int button)
{
    PumpInput();
    if (button < 1 || button >= kButtons) return 0;
    const int hits = gInput.buttonHits[button];
    gInput.buttonHits[button] = 0;
    return hits;
}

int ButtonHeld(int button)
{
    PumpInput();
    if (button < 1 || button >= kButtons) return 0;
    const bool held = gInput.buttonHeld[button] || gInput.buttonLatched[button];
    gInput.buttonLatched[button] = false;
    return held ? 1 : 0;
}

int WheelDelta()
{
    PumpInput();
    const int delta = gInput.wheel;
    gInput.wheel = 0;
    return delta;
}

int KeyHits(int key)
{
    PumpInput();
    if (key < 1 || key >= kKeys) return 0;
    const int hits = gInput.keyHits[key];
    gInput.keyHits[key] = 0;
    return hits;
}

int KeyHeld(int key)
{
    PumpInput();
    return key >= 1 && key < kKeys && gInput.keyHeld[key] ? 1 : 0;
}

void PostKeyEvent(int key, int down)
{
    if (!EnsureSdlSubsystem(SDL_INIT_EVENTS)) return;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = SdlKeyFromVirtualKey(key);
    SDL_PushEvent(&e);
}

int PadInUse()
{
    PumpInput();
    return gInput.padInUse ? 1 : 0;
}

int NextTypedChar()
{
    PumpInput();
    if (gInput.typed.empty()) return 0;
    const int code = gInput.typed.front();
    gInput.typed.pop_front();
    return code;
}

void ClearKeys()
{
    PumpInput();
    gInput.typed.clear();
    gInput.keyHits.fill(0);
    gInput.keyHeld.fill(false);
}

int CloseRequested()
{
    PumpInput();
    const bool requested = gInput.closeRequested;
    gInput.closeRequested = false;
    return requested ? 1 : 0;
}

int PeekAppEvent()
{
    PumpInput();
    return gInput.appEvents.empty() ? 0 : gInput.appEvents.front();
}

void TakeAppEvent()
{
    PumpInput();
    if (gInput.appEvents.empty()) {
        gInput.currentAppEvent = 0;
        return;
    }
    gInput.currentAppEvent = gInput.appEvents.front();
    gInput.appEvents.pop_front();
}

int AppEventId() { return gInput.currentAppEvent; }
