// Window services: title, icon, minimise.
#include "platform/debuglog.h"
#include "platform/sdl_internal.h"

namespace {

std::string gTitle = "Varnoka";
DecodedImage gIcon;

void ApplyIcon(SDL_Window* window)
{
    if (!window || gIcon.rgba.empty()) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(gIcon.rgba.data(), gIcon.width, gIcon.height, 32,
                                                              gIcon.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

} // namespace

void ApplyWindowDecorations(SDL_Window* window)
{
    if (!window) return;
    SDL_SetWindowTitle(window, gTitle.c_str());
    ApplyIcon(window);
}

void SetAppTitle(const std::string& title)
{
    gTitle = title;
    if (SDL_Window* w = PlatformWindow()) SDL_SetWindowTitle(w, gTitle.c_str());
}

void SetWindowIcon(const std::string& icoPath)
{
    std::vector<uint8_t> bytes;
    DecodedImage icon;
    if (!ReadWholeFile(icoPath, bytes)) {
        DebugLog("Window icon " + icoPath + ": missing");
        return;
    }
    if (!DecodeIco(bytes, icon)) {
        DebugLog("Window icon " + icoPath + ": damaged, no entry decodes");
        return;
    }
    gIcon = std::move(icon);
    ApplyIcon(PlatformWindow());
}

// SDL windows always carry a minimise button; nothing to add.
void AddMinimiseButton() {}

void MinimiseWindow()
{
    if (SDL_Window* w = PlatformWindow()) SDL_MinimizeWindow(w);
}
