// Lazily made textures of picture frames. A frame is uploaded when it has no
// texture for the current renderer or its pixels were unlocked for writing.
#include "platform/sdl_internal.h"

namespace {

SDL_Texture* Upload(SDL_Texture*& texture, unsigned& generation, const uint8_t* pixels, int width, int height,
                    bool linear)
{
    DisplayState& d = Display();
    if (!d.renderer) return nullptr;
    if (texture && generation != d.generation) texture = nullptr; // died with its renderer
    if (!texture) {
        texture = SDL_CreateTexture(d.renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
        if (!texture) return nullptr;
        generation = d.generation;
        SDL_SetTextureScaleMode(texture, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    }
    SDL_UpdateTexture(texture, nullptr, pixels, width * 4);
    return texture;
}

bool Stale(SDL_Texture* texture, unsigned generation) { return !texture || generation != Display().generation; }

} // namespace

SDL_Texture* Picture::FrameTexture(int frame)
{
    PictureFrame& f = frames[frame];
    if (!f.dirty && !Stale(f.texture, f.textureGeneration)) return f.texture;
    SDL_Texture* t = Upload(f.texture, f.textureGeneration, f.pixels.data(), width, height, (flags & PIC_FILTER) != 0);
    if (t) f.dirty = false;
    return t;
}

SDL_Texture* Picture::MaskTexture(int frame, int threshold)
{
    PictureFrame& f = frames[frame];
    if (!f.maskDirty && f.maskThreshold == threshold && !Stale(f.maskTexture, f.maskGeneration)) return f.maskTexture;
    std::vector<uint8_t> masked(f.pixels);
    for (size_t i = 3; i < masked.size(); i += 4) masked[i] = masked[i] >= threshold ? 255 : 0;
    // Sampling stays nearest so that every drawn pixel is either kept or dropped.
    SDL_Texture* t = Upload(f.maskTexture, f.maskGeneration, masked.data(), width, height, false);
    if (t) {
        f.maskDirty = false;
        f.maskThreshold = threshold;
    }
    return t;
}
