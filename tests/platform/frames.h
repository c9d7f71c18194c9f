// Checks shared by the tests of frames composed piece by piece: the canvas
// against the whole frame composed again from its draws, and the window's
// surface against the canvas.
#pragma once

#include <string>

#include "platform/sdl_internal.h"

namespace frames {

// Empty when the canvas equals the whole frame composed from the clear
// colour; otherwise says how many pixels differ and where the first is.
std::string CanvasAgainstWholeFrame();
// Empty when the window's surface shows the canvas (the processor's way of
// presenting, as under the dummy video driver), or when the window is not
// frame-sized and shows it scaled.
std::string SurfaceAgainstCanvas();
// Saves the canvas and the whole frame side by side as PNGs named by `name`
// under the build folder's frames/, for a look at a failure.
void SaveBoth(const std::string& name);

} // namespace frames
