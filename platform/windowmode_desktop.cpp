// The game's window on the desktop: resizable, sharp on high-density screens,
// and full screen as a window that covers the whole desktop (no mode switch).
#include "platform/sdl_internal.h"

uint32_t WindowFlagsFor(bool fullscreen) {
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    return flags;
}
