// Presenting in the browser: the canvas's changed rectangles go straight into
// the page's canvas element. The game's pixels are already in the page's byte
// order (R, G, B, A, always opaque), so the page reads them where they lie in
// the program's memory: no copy, no conversion, only the changed parts put.
// The page scales the element to the window itself (web/shell.js).
#include "platform/sdl_internal.h"

#include <emscripten.h>

bool OpenPresenter()
{
    DisplayState& d = Display();
    d.path = PresentPath::Page;
    d.presentAll = true;
    return true;
}

void ClosePresenter()
{
    EM_ASM({ Module.varnokaShowPicture(0, 0, 0, 0, 0); });
    Display().path = PresentPath::None;
}

void ShowChanges(DisplayState& d, int)
{
    const std::vector<PixelRect> rects = RectsToShow(d);
    if (rects.empty() || d.canvas.empty()) return;
    ++d.counts.presents;
    EM_ASM({ Module.varnokaShowPicture($0, $1, $2, $3, $4); }, d.canvas.data(), d.width, d.height, rects.data(),
           static_cast<int>(rects.size()));
}
