// Presenting the canvas in the window, only where it changed. With a graphics
// processor an accelerated renderer scales a streaming texture into the
// window. Without one (no accelerated renderer, or one that rasterises on the
// processor) the changed rectangles are copied straight into the window's
// own surface, the cheapest way SDL offers; only when the window is not
// 1024 x 768 does the software renderer scale the frame, letterboxed.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/sdl_internal.h"

namespace {

// OpenGL drivers that draw on the processor report themselves by name.
bool RasterisesOnCpu(const char* name)
{
    for (const char* word : {"llvmpipe", "softpipe", "software", "swrast"}) {
        if (SDL_strcasestr(name, word)) return true;
    }
    return false;
}

// A graphics processor shows up as a device node; without one an OpenGL
// renderer could only rasterise on the processor, and merely trying it would
// load a software rasteriser that stays in memory.
bool GpuDevicePresent()
{
    std::error_code ec;
    if (std::filesystem::exists("/dev/nvidia0", ec)) return true;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("renderD", 0) == 0 || name.rfind("card", 0) == 0) return true;
    }
    return false;
}

bool RendersOnGpu(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !(info.flags & SDL_RENDERER_ACCELERATED)) return false;
    if (SDL_strncmp(info.name, "opengl", 6) == 0) {
        using GetString = const unsigned char* (*)(unsigned);
        const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        constexpr unsigned kGlRenderer = 0x1F01;
        const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
        if (name && RasterisesOnCpu(reinterpret_cast<const char*>(name))) return false;
    }
    return true;
}

// The texture format the renderer takes without converting, preferring the
// canvas's own byte order.
Uint32 TextureFormat(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
            if (info.texture_formats[i] == SDL_PIXELFORMAT_RGBA32) return SDL_PIXELFORMAT_RGBA32;
        }
        if (info.num_texture_formats > 0) return info.texture_formats[0];
    }
    return SDL_PIXELFORMAT_ARGB8888;
}

void DropRenderer(DisplayState& d)
{
    if (d.screen) SDL_DestroyTexture(d.screen);
    if (d.renderer) SDL_DestroyRenderer(d.renderer);
    d.screen = nullptr;
    d.renderer = nullptr;
    d.surface = nullptr;
    d.path = PresentPath::None;
}

bool UseRenderer(DisplayState& d, SDL_Renderer* renderer, PresentPath path)
{
    d.renderer = renderer;
    d.screen = SDL_CreateTexture(renderer, TextureFormat(renderer), SDL_TEXTUREACCESS_STREAMING, d.width, d.height);
    if (!d.screen) {
        DropRenderer(d);
        return false;
    }
    SDL_SetTextureBlendMode(d.screen, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(d.screen, SDL_ScaleModeLinear);
    d.path = path;
    d.presentAll = true;
    return true;
}

bool WindowIsFrameSized(const DisplayState& d)
{
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(d.window, &w, &h);
    return w == d.width && h == d.height;
}

// Picks the processor's way for the window's present size.
bool UseCpuPath(DisplayState& d)
{
    if (d.path == PresentPath::Surface || d.path == PresentPath::Scaled) DropRenderer(d);
    if (WindowIsFrameSized(d) && SDL_GetWindowSurface(d.window)) {
        d.path = PresentPath::Surface;
        d.presentAll = true;
        return true;
    }
    SDL_Renderer* r = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_SOFTWARE);
    return r && UseRenderer(d, r, PresentPath::Scaled);
}

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

const uint32_t* CanvasAt(const DisplayState& d, const PixelRect& r)
{
    return d.canvas.data() + static_cast<size_t>(r.y0) * d.width + r.x0;
}

void PresentToSurface(DisplayState& d)
{
    SDL_Surface* s = SDL_GetWindowSurface(d.window);
    if (!s) return;
    if (s != d.surface || s->w != d.width || s->h != d.height) d.presentAll = true;
    d.surface = s;
    const std::vector<PixelRect> rects = RectsToShow(d);
    if (rects.empty()) return;
    ++d.counts.presents;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    std::vector<SDL_Rect> shown;
    for (const PixelRect& r : rects) {
        const PixelRect c = Intersect(r, PixelRect{0, 0, s->w, s->h});
        if (c.Empty()) continue;
        uint8_t* dst = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(c.y0) * s->pitch +
                       static_cast<size_t>(c.x0) * s->format->BytesPerPixel;
        SDL_ConvertPixels(c.x1 - c.x0, c.y1 - c.y0, SDL_PIXELFORMAT_RGBA32, CanvasAt(d, c), d.width * 4,
                          s->format->format, dst, s->pitch);
        shown.push_back(SDL_Rect{c.x0, c.y0, c.x1 - c.x0, c.y1 - c.y0});
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    SDL_UpdateWindowSurfaceRects(d.window, shown.data(), static_cast<int>(shown.size()));
}

void PresentWithRenderer(DisplayState& d, int sync)
{
    if (d.path == PresentPath::Gpu && (sync != 0) != d.vsync) {
        // Asked once per change; a renderer that cannot switch is left as it is.
        SDL_RenderSetVSync(d.renderer, sync != 0 ? 1 : 0);
        d.vsync = sync != 0;
    }
    // The texture keeps what it was given, so only the damage goes up.
    const std::vector<PixelRect> changed = RectsToShow(d);
    Uint32 format = 0;
    SDL_QueryTexture(d.screen, &format, nullptr, nullptr, nullptr);
    for (const PixelRect& r : changed) {
        const SDL_Rect rect{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0};
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(d.screen, &rect, &pixels, &pitch) != 0) continue;
        SDL_ConvertPixels(rect.w, rect.h, SDL_PIXELFORMAT_RGBA32, CanvasAt(d, r), d.width * 4, format, pixels, pitch);
        SDL_UnlockTexture(d.screen);
    }
    if (changed.empty()) return;
    ++d.counts.presents;
    int outW = d.width, outH = d.height;
    SDL_GetRendererOutputSize(d.renderer, &outW, &outH);
    const SDL_Rect box = Letterbox(outW, outH, d.width, d.height);
    SDL_SetRenderDrawColor(d.renderer, 0, 0, 0, 255);
    SDL_RenderClear(d.renderer);
    SDL_RenderCopy(d.renderer, d.screen, nullptr, &box);
    SDL_RenderPresent(d.renderer);
}

} // namespace

bool OpenPresenter()
{
    DisplayState& d = Display();
    d.presentAll = true;
    SDL_Renderer* r = nullptr;
    if (GpuDevicePresent()) {
        r = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        d.vsync = r != nullptr;
        if (!r) r = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_ACCELERATED);
    }
    if (r && RendersOnGpu(r)) return UseRenderer(d, r, PresentPath::Gpu);
    if (r) {
        // The renderer made the window an OpenGL one; a plain window takes
        // the processor's way.
        SDL_DestroyRenderer(r);
        const Uint32 flags = SDL_GetWindowFlags(d.window) & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE |
                                                             SDL_WINDOW_ALLOW_HIGHDPI);
        int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
        SDL_GetWindowPosition(d.window, &x, &y);
        SDL_DestroyWindow(d.window);
        d.window = SDL_CreateWindow("Varnoka", x, y, d.width, d.height, flags);
        if (!d.window) return false;
    }
    d.vsync = false;
    return UseCpuPath(d);
}

void ClosePresenter() { DropRenderer(Display()); }

void PresentFrame(int sync)
{
    DisplayState& d = Display();
    if (!d.open) return;
    // The processor's ways follow the window's size: a window that is not
    // frame-sized needs scaling, one that is can take the frame as it is.
    if (d.path != PresentPath::Gpu && (d.path == PresentPath::Surface) != WindowIsFrameSized(d)) {
        if (!UseCpuPath(d)) d.path = PresentPath::None;
    }
    if (d.path == PresentPath::Surface) {
        PresentToSurface(d);
    } else if (d.renderer) {
        PresentWithRenderer(d, sync);
    }
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
