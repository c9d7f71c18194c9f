// Opening and closing the display, clearing, presenting and reading the frame.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/sdl_internal.h"

namespace {

DisplayState gDisplay;

void DestroyDisplay(DisplayState& d)
{
    ClosePresenter();
    if (d.window) SDL_DestroyWindow(d.window);
    d.window = nullptr;
    d.open = false;
    InvalidateCanvas();
    d.canvas.clear();
    d.canvas.shrink_to_fit();
}

// Where a full-screen window goes: over the whole desktop of the first
// display. The window is made that size from the start because asking for
// full screen is only a request: on an X server without a window manager
// nobody grants it, and a window opened at the canvas size would stay that
// small in the corner while SDL reports (and the frame is scaled for) the
// whole desktop. Where a window manager does grant it, the size changes
// nothing.
SDL_Rect DesktopRect(int width, int height)
{
    SDL_Rect desktop;
    if (SDL_GetDisplayBounds(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
        return SDL_Rect{0, 0, width, height};
    }
    return desktop;
}

} // namespace

DisplayState& Display() { return gDisplay; }
SDL_Window* PlatformWindow() { return gDisplay.window; }

bool EnsureSdlSubsystem(uint32_t flag)
{
    if (SDL_WasInit(flag) == flag) return true;
    // Interrupt and terminate signals keep ending the process; otherwise SDL
    // would turn them into a close request that only opens the exit question.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A window surface is the system's own buffer, not a texture drawn by
    // some renderer behind the game's back.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_InitSubSystem(flag) == 0;
}

int OpenDisplay(int width, int height, int depth, int hz, int flags)
{
    DisplayState& d = gDisplay;
    DestroyDisplay(d);
    if (!EnsureSdlSubsystem(SDL_INIT_VIDEO)) {
        std::fprintf(stderr, "varnoka: no display: %s\n", SDL_GetError());
        return 0;
    }

    d.width = width > 0 ? width : 1024;
    d.height = height > 0 ? height : 768;
    // Only depth 32 means full screen; every other value (a damaged setting
    // included) gives the window, which always works.
    const bool fullscreen = depth == 32;
    const Uint32 windowFlags = WindowFlagsFor(fullscreen);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // Where the page, not the system, shows the game in full screen (the
    // browser), the window keeps the canvas size.
    const bool systemFullscreen = (windowFlags & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    const SDL_Rect place = systemFullscreen ? DesktopRect(d.width, d.height)
                                      : SDL_Rect{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width, d.height};
    d.window = SDL_CreateWindow("Varnoka", place.x, place.y, place.w, place.h, windowFlags);
    // A screen that refuses full screen still gets the game, in a window.
    if (!d.window && fullscreen) {
        d.window = SDL_CreateWindow("Varnoka", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width, d.height,
                                    windowFlags & ~SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (!d.window || !OpenPresenter()) {
        std::fprintf(stderr, "varnoka: no window: %s\n", SDL_GetError());
        DestroyDisplay(d);
        return 0;
    }
    d.canvas.assign(static_cast<size_t>(d.width) * d.height, 0xFF000000u);
    d.damage.Reset(d.width, d.height);
    d.open = true;

    d.draw = DrawState{};
    d.draw.vw = d.width;
    d.draw.vh = d.height;
    d.logicalW = static_cast<float>(d.width);
    d.logicalH = static_cast<float>(d.height);
    ApplyWindowDecorations(d.window);
    if (fullscreen) {
        int w = d.width, h = d.height;
        SDL_GetWindowSize(d.window, &w, &h);
        SDL_WarpMouseInWindow(d.window, w / 2, h / 2);
    }
    Cls();
    return 1;
}

void CloseDisplay() { DestroyDisplay(gDisplay); }

int DisplayIsOpen() { return gDisplay.open ? 1 : 0; }

// The frame starts again from the clear colour: an empty list of draws.
void Cls() { ClearDrawList(); }

void Flip(int sync)
{
    ResolveDrawList();
    PresentFrame(sync);
    // Keep the window responsive even while the game reads no input.
    PumpInput();
}

bool ReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    DisplayState& d = gDisplay;
    if (!d.open || d.canvas.empty()) return false;
    ResolveDrawList();
    width = d.width;
    height = d.height;
    // The canvas is always opaque and already in R, G, B, A byte order.
    rgba.resize(d.canvas.size() * 4);
    std::memcpy(rgba.data(), d.canvas.data(), rgba.size());
    return true;
}

int DisplayWidth() { return gDisplay.width; }
int DisplayHeight() { return gDisplay.height; }

void SetLogicalSize(float w, float h)
{
    if (!(w > 0.0f) || !(h > 0.0f)) return;
    gDisplay.logicalW = w;
    gDisplay.logicalH = h;
}

float LogicalWidth() { return gDisplay.logicalW; }
float LogicalHeight() { return gDisplay.logicalH; }

void HidePointer()
{
    if (EnsureSdlSubsystem(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
}
