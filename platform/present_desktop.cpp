// Presenting on the desktop, only where the canvas changed. With a graphics
// processor an accelerated renderer scales a streaming texture into the
// window. Without one (no accelerated renderer, or one that rasterises on the
// processor) the changed rectangles go straight into the window's own
// surface, the cheapest way SDL offers: copied when the window is 1024 x 768,
// scaled (bilinear, letterboxed) when it is not. Each window pixel is worked
// out from the canvas alone, so scaling the changed part gives the same
// pixels as scaling the whole frame.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/compose_spans.h"
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

bool UseGpu(DisplayState& d, SDL_Renderer* renderer)
{
    d.renderer = renderer;
    d.screen = SDL_CreateTexture(renderer, TextureFormat(renderer), SDL_TEXTUREACCESS_STREAMING, d.width, d.height);
    if (!d.screen) {
        DropRenderer(d);
        return false;
    }
    SDL_SetTextureBlendMode(d.screen, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(d.screen, SDL_ScaleModeLinear);
    d.path = PresentPath::Gpu;
    d.presentAll = true;
    return true;
}

// Where window position X (a pixel's centre at X + 0.5) samples the canvas:
// the two neighbouring canvas pixels and the weight of the second in 256ths.
struct Tap {
    int i0, i1;
    uint32_t f;
};

Tap TapAt(int X, double scale, int size)
{
    const double u = (X + 0.5) * scale - 0.5, base = std::floor(u);
    const int i = static_cast<int>(base);
    return Tap{std::clamp(i, 0, size - 1), std::clamp(i + 1, 0, size - 1),
               static_cast<uint32_t>((u - base) * 256.0) & 255u};
}

// The window pixels (within the box) whose samples reach into canvas rect r.
SDL_Rect WindowRectOf(const PixelRect& r, const SDL_Rect& box, const DisplayState& d)
{
    const double kx = static_cast<double>(box.w) / d.width, ky = static_cast<double>(box.h) / d.height;
    const int x0 = std::max(0, static_cast<int>(std::floor((r.x0 - 1) * kx)) - 1);
    const int x1 = std::min(box.w, static_cast<int>(std::ceil((r.x1 + 1) * kx)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor((r.y0 - 1) * ky)) - 1);
    const int y1 = std::min(box.h, static_cast<int>(std::ceil((r.y1 + 1) * ky)) + 1);
    return SDL_Rect{box.x + x0, box.y + y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// Scales the canvas into the window rectangle `out` (inside the box).
void ScaleInto(const DisplayState& d, SDL_Surface* s, const SDL_Rect& box, const SDL_Rect& out)
{
    const double sx = static_cast<double>(d.width) / box.w, sy = static_cast<double>(d.height) / box.h;
    std::vector<Tap> columns(out.w);
    for (int i = 0; i < out.w; ++i) columns[i] = TapAt(out.x + i - box.x, sx, d.width);
    std::vector<uint32_t> row(out.w);
    for (int y = out.y; y < out.y + out.h; ++y) {
        const Tap t = TapAt(y - box.y, sy, d.height);
        const uint32_t* a = d.canvas.data() + static_cast<size_t>(t.i0) * d.width;
        const uint32_t* b = d.canvas.data() + static_cast<size_t>(t.i1) * d.width;
        for (int i = 0; i < out.w; ++i) {
            const Tap& c = columns[i];
            row[i] = Bilinear(a[c.i0], a[c.i1], b[c.i0], b[c.i1], c.f, t.f, false);
        }
        uint8_t* dst = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch +
                       static_cast<size_t>(out.x) * s->format->BytesPerPixel;
        SDL_ConvertPixels(out.w, 1, SDL_PIXELFORMAT_RGBA32, row.data(), out.w * 4, s->format->format, dst, s->pitch);
    }
}

const uint32_t* CanvasAt(const DisplayState& d, const PixelRect& r)
{
    return d.canvas.data() + static_cast<size_t>(r.y0) * d.width + r.x0;
}

void PresentToSurface(DisplayState& d)
{
    SDL_Surface* s = SDL_GetWindowSurface(d.window);
    if (!s) return;
    if (s != d.surface || s->w != d.surfaceW || s->h != d.surfaceH) d.presentAll = true;
    d.surface = s;
    d.surfaceW = s->w;
    d.surfaceH = s->h;
    const std::vector<PixelRect> rects = RectsToShow(d);
    if (rects.empty()) return;
    ++d.counts.presents;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    const bool scaled = s->w != d.width || s->h != d.height;
    const SDL_Rect box = Letterbox(s->w, s->h, d.width, d.height);
    // Black bars around a letterboxed frame.
    if (scaled && d.presentAll) SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    std::vector<SDL_Rect> shown;
    for (const PixelRect& r : rects) {
        if (scaled) {
            const SDL_Rect out = WindowRectOf(r, box, d);
            if (out.w <= 0 || out.h <= 0) continue;
            ScaleInto(d, s, box, out);
            shown.push_back(out);
            continue;
        }
        uint8_t* dst = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(r.y0) * s->pitch +
                       static_cast<size_t>(r.x0) * s->format->BytesPerPixel;
        SDL_ConvertPixels(r.x1 - r.x0, r.y1 - r.y0, SDL_PIXELFORMAT_RGBA32, CanvasAt(d, r), d.width * 4,
                          s->format->format, dst, s->pitch);
        shown.push_back(SDL_Rect{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0});
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (scaled && d.presentAll) {
        SDL_UpdateWindowSurface(d.window);
    } else {
        SDL_UpdateWindowSurfaceRects(d.window, shown.data(), static_cast<int>(shown.size()));
    }
}

void PresentWithRenderer(DisplayState& d, int sync)
{
    if ((sync != 0) != d.vsync) {
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
    if (r && RendersOnGpu(r)) return UseGpu(d, r);
    if (r) {
        // The renderer made the window an OpenGL one; a plain window takes
        // the processor's way.
        SDL_DestroyRenderer(r);
        const Uint32 flags = SDL_GetWindowFlags(d.window) & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE |
                                                             SDL_WINDOW_ALLOW_HIGHDPI);
        // Same place and size: a full-screen window keeps covering the desktop.
        int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED, w = d.width, h = d.height;
        SDL_GetWindowPosition(d.window, &x, &y);
        SDL_GetWindowSize(d.window, &w, &h);
        SDL_DestroyWindow(d.window);
        d.window = SDL_CreateWindow("Varnoka", x, y, w, h, flags);
        if (!d.window) return false;
    }
    d.vsync = false;
    if (!SDL_GetWindowSurface(d.window)) return false;
    d.path = PresentPath::Surface;
    return true;
}

void ClosePresenter() { DropRenderer(Display()); }

void ShowChanges(DisplayState& d, int sync)
{
    if (d.path == PresentPath::Surface) {
        PresentToSurface(d);
    } else if (d.renderer) {
        PresentWithRenderer(d, sync);
    }
}
