// Drawing a picture frame with the current drawing state: the draw is placed
// and added to the frame's draw list, which the canvas catches up with.
#include <algorithm>
#include <cmath>

#include "platform/sdl_internal.h"

namespace {

Uint8 ClampByte(int v) { return static_cast<Uint8>(std::clamp(v, 0, 255)); }

} // namespace

void DrawPicture(Picture* pic, float x, float y, int frame)
{
    DisplayState& d = Display();
    if (!pic || !d.open || frame < 0 || frame >= static_cast<int>(pic->frames.size())) return;
    const DrawState& s = d.draw;
    if (!(s.sx != 0.0f) || !(s.sy != 0.0f) || !std::isfinite(s.sx) || !std::isfinite(s.sy)) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(s.rotation)) return;
    const float alpha = std::isnan(s.alpha) ? 0.0f : std::clamp(s.alpha, 0.0f, 1.0f);

    DrawRecord draw;
    ComposeLook& look = draw.look;
    look.r = ClampByte(s.r);
    look.g = ClampByte(s.g);
    look.b = ClampByte(s.b);
    look.a = static_cast<uint8_t>(std::lround(alpha * 255.0f));
    look.linear = (pic->flags & PIC_FILTER) != 0;
    switch (s.blend) {
    case BLEND_MASK: {
        // Kept where pixel alpha x alpha reaches 128/255, and then opaque.
        if (alpha <= 0.0f) return;
        const int threshold = std::max(0, static_cast<int>(std::ceil(128.0 / alpha - 1e-6)));
        if (threshold > 255) return;
        look.op = ComposeOp::Mask;
        look.threshold = threshold;
        look.a = 255;
        break;
    }
    case BLEND_SOLID:
        // The source replaces the frame whatever its alpha and the alpha state.
        look.op = ComposeOp::Replace;
        look.a = 255;
        break;
    case BLEND_LIGHT:
        look.op = ComposeOp::Add;
        break;
    case BLEND_SHADE:
        // Multiply, weighted by alpha, so clear pixels leave the frame alone.
        look.op = ComposeOp::Multiply;
        break;
    default:
        look.op = ComposeOp::Blend;
        break;
    }
    if (look.a == 0) return;
    draw.clip = ViewportOnCanvas();
    if (draw.clip.Empty()) return;

    // The logical space maps onto the canvas; the handle lands on (x, y) and
    // the picture is scaled, then turned clockwise, about it.
    const double fx = d.width / d.logicalW, fy = d.height / d.logicalH;
    const double sx = s.sx * fx, sy = s.sy * fy;
    double c = 1.0, sn = 0.0;
    if (s.rotation != 0.0f) {
        const double rad = static_cast<double>(s.rotation) * (M_PI / 180.0);
        c = std::cos(rad);
        sn = std::sin(rad);
    }
    ComposePlacement& at = draw.at;
    at.ux = c * sx;
    at.uy = sn * sx;
    at.vx = -sn * sy;
    at.vy = c * sy;
    at.ox = x * fx - pic->hx * at.ux - pic->hy * at.vx;
    at.oy = y * fy - pic->hx * at.uy - pic->hy * at.vy;
    const FramePixels* pixels = pic->frames[frame].pixels.get();
    draw.pixels = pixels;
    draw.serial = pixels->serial;
    draw.width = pic->width;
    draw.height = pic->height;
    if (PlaceDraw(draw)) RecordDraw(draw);
}
