// Opening and closing the display, clearing, presenting and reading the frame.
#include <algorithm>

#include "platform/sdl_internal.h"

namespace {

DisplayState gDisplay;

void DestroyRenderer(DisplayState& d)
{
    if (d.screen) SDL_DestroyTexture(d.screen);
    if (d.renderer) SDL_DestroyRenderer(d.renderer);
    if (d.window) SDL_DestroyWindow(d.window);
    d.screen = nullptr;
    d.renderer = nullptr;
    d.window = nullptr;
    d.canvas.clear();
}

SDL_Renderer* CreateRenderer(SDL_Window* window, bool& vsync)
{
    SDL_Renderer* r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    vsync = r != nullptr;
    if (!r) r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!r) r = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    return r;
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
    return SDL_InitSubSystem(flag) == 0;
}

int OpenDisplay(int width, int height, int depth, int hz, int flags)
{
    DisplayState& d = gDisplay;
    DestroyRenderer(d);
    if (!EnsureSdlSubsystem(SDL_INIT_VIDEO)) return 0;

    d.width = width > 0 ? width : 1024;
    d.height = height > 0 ? height : 768;
    // Only depth 32 means full screen; every other value (a damaged setting
    // included) gives the window, which always works.
    const bool fullscreen = depth == 32;
    Uint32 windowFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    const int position = fullscreen ? 0 : SDL_WINDOWPOS_CENTERED;
    d.window = SDL_CreateWindow("Varnoka", position, position, d.width, d.height, windowFlags);
    // A screen that refuses full screen still gets the game, in a window.
    if (!d.window && fullscreen) {
        d.window = SDL_CreateWindow("Varnoka", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width, d.height,
                                    windowFlags & ~SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (!d.window) return 0;
    d.renderer = CreateRenderer(d.window, d.vsync);
    if (d.renderer) {
        SDL_RenderSetLogicalSize(d.renderer, d.width, d.height);
        d.screen = SDL_CreateTexture(d.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, d.width,
                                     d.height);
    }
    if (!d.renderer || !d.screen) {
        DestroyRenderer(d);
        return 0;
    }
    SDL_SetTextureBlendMode(d.screen, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(d.screen, SDL_ScaleModeLinear);
    d.canvas.assign(static_cast<size_t>(d.width) * d.height, 0xFF000000u);

    d.draw = DrawState{};
    d.draw.vw = d.width;
    d.draw.vh = d.height;
    d.logicalW = static_cast<float>(d.width);
    d.logicalH = static_cast<float>(d.height);
    ApplyWindowDecorations(d.window);
    if (fullscreen) SDL_WarpMouseInWindow(d.window, d.width / 2, d.height / 2);
    Cls();
    return 1;
}

void CloseDisplay() { DestroyRenderer(gDisplay); }

int DisplayIsOpen() { return gDisplay.renderer != nullptr ? 1 : 0; }

void Cls()
{
    std::fill(gDisplay.canvas.begin(), gDisplay.canvas.end(), 0xFF000000u);
}

void Flip(int sync)
{
    DisplayState& d = gDisplay;
    if (d.renderer) {
        const bool wantVsync = sync != 0;
        if (wantVsync != d.vsync) {
            // Asked once per change; a renderer that cannot switch is left as it is.
            SDL_RenderSetVSync(d.renderer, wantVsync ? 1 : 0);
            d.vsync = wantVsync;
        }
        SDL_UpdateTexture(d.screen, nullptr, d.canvas.data(), d.width * 4);
        SDL_SetRenderDrawColor(d.renderer, 0, 0, 0, 255);
        SDL_RenderClear(d.renderer);
        SDL_RenderCopy(d.renderer, d.screen, nullptr, nullptr);
        SDL_RenderPresent(d.renderer);
    }
    // Keep the window responsive even while the game reads no input.
    PumpInput();
}

bool ReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    DisplayState& d = gDisplay;
    if (!d.renderer || d.canvas.empty()) return false;
    width = d.width;
    height = d.height;
    rgba.resize(d.canvas.size() * 4);
    uint8_t* out = rgba.data();
    for (uint32_t p : d.canvas) {
        *out++ = static_cast<uint8_t>(p >> 16);
        *out++ = static_cast<uint8_t>(p >> 8);
        *out++ = static_cast<uint8_t>(p);
        *out++ = 255;
    }
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
