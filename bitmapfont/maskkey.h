// Colour keying of face pictures for fonts loaded with UseMask.
#pragma once
#include "platform/platform.h"

// A copy of the pixels in which every pixel of the key colour is fully
// transparent and takes the average colour of its non-key neighbours (black
// when it has none), so that smoothing does not bleed the key colour into the
// glyph's edge; every other pixel is fully opaque.
PixmapPtr KeyFacePixels(const Pixmap& source, int red, int green, int blue);
