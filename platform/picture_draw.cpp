// Drawing a picture frame with the current drawing state.
#include <algorithm>
#include <cmath>

#include "platform/sdl_internal.h"

namespace {

Uint8 ClampByte(int v) { return static_cast<Uint8>(std::clamp(v, 0, 255)); }

} // namespace

void DrawPicture(Picture* pic, float x, float y, int frame)
{
    DisplayState& d = Display();
    if (!pic || !d.renderer || frame < 0 || frame >= static_cast<int>(pic->frames.size())) return;
    const DrawState& s = d.draw;
    if (!(s.sx != 0.0f) || !(s.sy != 0.0f) || !std::isfinite(s.sx) || !std::isfinite(s.sy)) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(s.rotation)) return;
    const float alpha = std::isnan(s.alpha) ? 0.0f : std::clamp(s.alpha, 0.0f, 1.0f);

    SDL_Texture* texture = nullptr;
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    Uint8 alphaMod = static_cast<Uint8>(std::lround(alpha * 255.0f));
    switch (s.blend) {
    case BLEND_MASK: {
        // Kept where pixel alpha x alpha reaches 128/255, and then opaque.
        if (alpha <= 0.0f) return;
        const int threshold = std::max(0, static_cast<int>(std::ceil(128.0 / alpha - 1e-6)));
        if (threshold > 255) return;
        texture = pic->MaskTexture(frame, threshold);
        alphaMod = 255;
        break;
    }
    case BLEND_SOLID:
        // The source replaces the frame whatever its alpha and the alpha state.
        texture = pic->FrameTexture(frame);
        mode = SDL_BLENDMODE_NONE;
        alphaMod = 255;
        break;
    case BLEND_LIGHT:
        mode = SDL_BLENDMODE_ADD;
        break;
    case BLEND_SHADE:
        // Multiply, weighted by alpha, so clear pixels leave the frame alone.
        mode = SDL_BLENDMODE_MUL;
        break;
    default:
        break;
    }
    if (s.blend != BLEND_MASK && s.blend != BLEND_SOLID) {
        if (alphaMod == 0) return;
        texture = pic->FrameTexture(frame);
    }
    if (!texture || !ApplyClipRect()) return;

    // The logical space maps onto the canvas; the handle lands on (x, y) and
    // the picture is scaled, then turned clockwise, about it.
    const float fx = d.width / d.logicalW, fy = d.height / d.logicalH;
    const float sx = s.sx * fx, sy = s.sy * fy;
    const float px = x * fx, py = y * fy;
    SDL_FRect dst;
    dst.w = std::fabs(sx) * pic->width;
    dst.h = std::fabs(sy) * pic->height;
    dst.x = px + std::min(sx * -pic->hx, sx * (pic->width - pic->hx));
    dst.y = py + std::min(sy * -pic->hy, sy * (pic->height - pic->hy));
    const int flip = (sx < 0 ? SDL_FLIP_HORIZONTAL : 0) | (sy < 0 ? SDL_FLIP_VERTICAL : 0);

    SDL_SetTextureBlendMode(texture, mode);
    SDL_SetTextureColorMod(texture, ClampByte(s.r), ClampByte(s.g), ClampByte(s.b));
    SDL_SetTextureAlphaMod(texture, alphaMod);
    if (s.rotation == 0.0f && flip == 0) {
        SDL_RenderCopyF(d.renderer, texture, nullptr, &dst);
        return;
    }
    // Turned or mirrored: two textured triangles placed by the matrix.
    const double rad = static_cast<double>(s.rotation) * (M_PI / 180.0);
    const float c = static_cast<float>(std::cos(rad)), sn = static_cast<float>(std::sin(rad));
    const SDL_Color colour{ClampByte(s.r), ClampByte(s.g), ClampByte(s.b), alphaMod};
    SDL_Vertex v[4];
    for (int i = 0; i < 4; ++i) {
        const bool right = i == 1 || i == 2, bottom = i >= 2;
        const float u = ((right ? pic->width : 0) - pic->hx) * sx;
        const float w = ((bottom ? pic->height : 0) - pic->hy) * sy;
        v[i].position = SDL_FPoint{px + u * c - w * sn, py + u * sn + w * c};
        v[i].color = colour;
        v[i].tex_coord = SDL_FPoint{right ? 1.0f : 0.0f, bottom ? 1.0f : 0.0f};
    }
    static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(d.renderer, texture, v, 4, kIndices, 6);
}
