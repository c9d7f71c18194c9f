// The drawing state: colour, alpha, blend mode, scale, rotation and viewport.
// Values are stored as given and clamped only when a draw uses them.
#include <algorithm>
#include <cmath>

#include "platform/sdl_internal.h"

void SetColor(int r, int g, int b)
{
    DrawState& s = Display().draw;
    s.r = r;
    s.g = g;
    s.b = b;
}

void ReadColor(int& r, int& g, int& b)
{
    const DrawState& s = Display().draw;
    r = s.r;
    g = s.g;
    b = s.b;
}

void SetAlpha(float a) { Display().draw.alpha = a; }
float ReadAlpha() { return Display().draw.alpha; }

void SetBlend(int mode)
{
    // Unknown modes keep the previous one rather than drawing with nonsense.
    if (mode >= BLEND_MASK && mode <= BLEND_SHADE) Display().draw.blend = mode;
}

int ReadBlend() { return Display().draw.blend; }

void SetDrawScale(float sx, float sy)
{
    DrawState& s = Display().draw;
    s.sx = sx;
    s.sy = sy;
}

void ReadScale(float& sx, float& sy)
{
    const DrawState& s = Display().draw;
    sx = s.sx;
    sy = s.sy;
}

void SetDrawRotation(float degrees) { Display().draw.rotation = degrees; }
float ReadRotation() { return Display().draw.rotation; }

void SetViewport(int x, int y, int w, int h)
{
    DrawState& s = Display().draw;
    s.vx = x;
    s.vy = y;
    s.vw = w < 0 ? 0 : w;
    s.vh = h < 0 ? 0 : h;
}

PixelRect ViewportOnCanvas()
{
    const DisplayState& d = Display();
    const DrawState& s = d.draw;
    const double fx = d.width / static_cast<double>(d.logicalW);
    const double fy = d.height / static_cast<double>(d.logicalH);
    const int x0 = static_cast<int>(std::floor(s.vx * fx)), y0 = static_cast<int>(std::floor(s.vy * fy));
    const int x1 = static_cast<int>(std::ceil((static_cast<double>(s.vx) + s.vw) * fx));
    const int y1 = static_cast<int>(std::ceil((static_cast<double>(s.vy) + s.vh) * fy));
    return Intersect(PixelRect{x0, y0, x1, y1}, PixelRect{0, 0, d.width, d.height});
}
