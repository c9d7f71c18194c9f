// Pixel-exact overlap of two placed pictures. Both are placed exactly as
// DrawPicture places them; the test samples the centres of the logical pixels
// that both cover, and a sample counts where both pictures have a solid pixel
// (alpha at least 128) under it.
#include <algorithm>
#include <cmath>

#include "platform/sdl_internal.h"

namespace {

struct Placed {
    const uint8_t* pixels;
    int width, height;
    double x, y, hx, hy, sx, sy, c, s;

    bool SolidAt(double X, double Y) const
    {
        const double dx = X - x, dy = Y - y;
        const double a = (dx * c + dy * s) / sx + hx;
        const double b = (-dx * s + dy * c) / sy + hy;
        if (!(a >= 0.0) || !(b >= 0.0) || a >= width || b >= height) return false;
        const size_t i = (static_cast<size_t>(b) * width + static_cast<size_t>(a)) * 4 + 3;
        return pixels[i] >= 128;
    }

    void Bounds(double& x0, double& y0, double& x1, double& y1) const
    {
        x0 = y0 = HUGE_VAL;
        x1 = y1 = -HUGE_VAL;
        for (int corner = 0; corner < 4; ++corner) {
            const double u = ((corner & 1) ? width - hx : -hx) * sx;
            const double v = ((corner & 2) ? height - hy : -hy) * sy;
            const double X = x + u * c - v * s, Y = y + u * s + v * c;
            x0 = std::min(x0, X);
            x1 = std::max(x1, X);
            y0 = std::min(y0, Y);
            y1 = std::max(y1, Y);
        }
    }
};

bool Place(Picture* pic, float x, float y, int frame, Placed& out)
{
    if (!pic || frame < 0 || frame >= static_cast<int>(pic->frames.size())) return false;
    const DrawState& st = Display().draw;
    if (!(st.sx != 0.0f) || !(st.sy != 0.0f) || !std::isfinite(st.sx) || !std::isfinite(st.sy)) return false;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(st.rotation)) return false;
    const double radians = static_cast<double>(st.rotation) * (M_PI / 180.0);
    out = Placed{pic->frames[frame].view.pixels, pic->width, pic->height, x, y, pic->hx, pic->hy,
                 st.sx, st.sy, std::cos(radians), std::sin(radians)};
    return true;
}

} // namespace

int PicturesOverlap(Picture* pic1, float x1, float y1, int frame1, Picture* pic2, float x2, float y2, int frame2)
{
    Placed a, b;
    if (!Place(pic1, x1, y1, frame1, a) || !Place(pic2, x2, y2, frame2, b)) return 0;
    double ax0, ay0, ax1, ay1, bx0, by0, bx1, by1;
    a.Bounds(ax0, ay0, ax1, ay1);
    b.Bounds(bx0, by0, bx1, by1);
    // Far beyond any screen nothing is ever seen; the limit keeps absurd
    // scales from testing without end.
    constexpr double kReach = 8192.0;
    const double left = std::floor(std::max({ax0, bx0, -kReach})), right = std::ceil(std::min({ax1, bx1, kReach}));
    const double top = std::floor(std::max({ay0, by0, -kReach})), bottom = std::ceil(std::min({ay1, by1, kReach}));
    if (!(left < right) || !(top < bottom)) return 0;
    for (double Y = top + 0.5; Y < bottom; Y += 1.0) {
        for (double X = left + 0.5; X < right; X += 1.0) {
            if (a.SolidAt(X, Y) && b.SolidAt(X, Y)) return 1;
        }
    }
    return 0;
}
