// Presenting the canvas: what every system shares. Only the rectangles that
// changed since the last present are shown (everything after RepaintWindow);
// how they reach the screen is the system's own (present_desktop.cpp,
// present_web.cpp). The frame keeps its 1024 x 768 proportions, letterboxed.
#include <algorithm>

#include "platform/sdl_internal.h"

SDL_Rect Letterbox(int outW, int outH, int width, int height)
{
    const double scale = std::min(outW / static_cast<double>(width), outH / static_cast<double>(height));
    const int w = static_cast<int>(width * scale + 0.5), h = static_cast<int>(height * scale + 0.5);
    return SDL_Rect{(outW - w) / 2, (outH - h) / 2, w, h};
}

std::vector<PixelRect> RectsToShow(DisplayState& d)
{
    if (d.presentAll) return {PixelRect{0, 0, d.width, d.height}};
    return d.damage.Rects();
}

void PresentFrame(int sync)
{
    DisplayState& d = Display();
    if (!d.open) return;
    ShowChanges(d, sync);
    d.damage.Clear();
    d.presentAll = false;
}

void RepaintWindow() { Display().presentAll = true; }

void WindowToFrame(int& x, int& y)
{
    const DisplayState& d = Display();
    if (!d.window) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(d.window, &w, &h);
    if (w <= 0 || h <= 0 || (w == d.width && h == d.height)) return;
    const SDL_Rect box = Letterbox(w, h, d.width, d.height);
    if (box.w <= 0 || box.h <= 0) return;
    x = static_cast<int>((x - box.x) * static_cast<double>(d.width) / box.w);
    y = static_cast<int>((y - box.y) * static_cast<double>(d.height) / box.h);
}
