// Small pictures and backgrounds for the drawing tests.
#pragma once

#include "platform/platform.h"

namespace drawing {

// A picture of one colour; every pixel has the given alpha.
inline PicturePtr Plain(int w, int h, int r, int g, int b, int a, int flags = 0)
{
    PicturePtr pic = NewBlankPicture(w, h, 1, flags);
    Pixmap* px = LockFrame(pic.get(), 0, 0, 1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = px->at(x, y);
            p[0] = static_cast<uint8_t>(r);
            p[1] = static_cast<uint8_t>(g);
            p[2] = static_cast<uint8_t>(b);
            p[3] = static_cast<uint8_t>(a);
        }
    }
    UnlockFrame(pic.get(), 0);
    return pic;
}

// Fills the frame with one colour; leaves the blend mode solid.
inline void Background(int r, int g, int b)
{
    PicturePtr bg = Plain(8, 8, r, g, b, 255);
    SetBlend(BLEND_SOLID);
    SetDrawScale(128, 96);
    DrawPicture(bg.get(), 0, 0, 0);
    SetDrawScale(1, 1);
}

} // namespace drawing
