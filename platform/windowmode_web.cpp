// The game's window in the browser is the page's canvas, always 1024 x 768
// pixels: the page scales it to fit, and full screen is the page's own (the
// browser's full-screen mode), so SDL never resizes the canvas.
#include "platform/sdl_internal.h"

#include <emscripten.h>

uint32_t WindowFlagsFor(bool fullscreen) {
    EM_ASM({ if (Module.varnokaFullScreen) Module.varnokaFullScreen($0); }, fullscreen ? 1 : 0);
    return 0;
}
