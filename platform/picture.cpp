// Pictures: frames of RGBA pixels kept in memory, handles, direct pixel access.
// Each frame keeps one copy of its pixels; a draw still waiting in the frame's
// draw list keeps the pixels it drew even when the picture is freed or
// rewritten before the frame is finished.
#include <algorithm>
#include <cstring>

#include "platform/sdl_internal.h"

int NormalisePictureFlags(int flags) { return flags == -1 ? (PIC_MASK | PIC_FILTER) : flags; }

namespace {

uint64_t gPixelSerial = 0;

// Pictures come and go with the screens, many of them several MB; freed ones
// must go back to the system.
const bool gPicturesMapped = ReturnLargeBlocksToSystem();

void ShowPixels(PictureFrame& frame, std::unique_ptr<FramePixels> pixels)
{
    frame.pixels = std::move(pixels);
    frame.view.pixels = frame.pixels ? reinterpret_cast<uint8_t*>(frame.pixels->words.data()) : nullptr;
}

} // namespace

uint64_t NextPixelSerial() { return ++gPixelSerial; }

Picture::Picture(int w, int h, int frameCount, int f) : width(w), height(h), flags(f), frames(frameCount)
{
    for (PictureFrame& frame : frames) {
        auto pixels = std::make_unique<FramePixels>();
        pixels->words.assign(static_cast<size_t>(w) * h, 0);
        pixels->serial = NextPixelSerial();
        frame.view.width = w;
        frame.view.height = h;
        frame.view.pitch = w * 4;
        ShowPixels(frame, std::move(pixels));
    }
}

void PictureDeleter::operator()(Picture* p) const
{
    if (!p) return;
    for (PictureFrame& frame : p->frames) ReleaseFramePixels(std::move(frame.pixels), false);
    delete p;
}

PicturePtr NewBlankPicture(int width, int height, int frames, int flags)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureEdge || height > kMaxPictureEdge) return nullptr;
    if (frames <= 0 || frames > 4096) return nullptr;
    return PicturePtr(new Picture(width, height, frames, NormalisePictureFlags(flags) | PIC_DYNAMIC));
}

Pixmap* LockFrame(Picture* pic, int frame, int read, int write)
{
    if (!pic || frame < 0 || frame >= static_cast<int>(pic->frames.size())) return nullptr;
    PictureFrame& f = pic->frames[frame];
    if (write) {
        // Draws made before the lock keep showing the old pixels; the new ones
        // get a serial of their own, so the next frame sees them as changed.
        ShowPixels(f, ReleaseFramePixels(std::move(f.pixels), true));
        f.pixels->serial = NextPixelSerial();
        f.writing = true;
    }
    return &f.view;
}

void UnlockFrame(Picture* pic, int frame)
{
    if (!pic || frame < 0 || frame >= static_cast<int>(pic->frames.size())) return;
    PictureFrame& f = pic->frames[frame];
    // Writes may have gone on after a draw while locked: name them anew.
    if (f.writing) f.pixels->serial = NextPixelSerial();
    f.writing = false;
}

void Paste(Pixmap* target, const Pixmap* source, int x, int y)
{
    if (!target || !source || !target->pixels || !source->pixels) return;
    const int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    const long long x1 = std::min<long long>(static_cast<long long>(x) + source->width, target->width);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + source->height, target->height);
    if (x0 >= x1 || y0 >= y1) return;
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * 4;
    // A pixmap pasted into itself must read the old pixels.
    const bool same = target->pixels == source->pixels;
    std::vector<uint8_t> copy;
    const uint8_t* base = source->pixels;
    if (same) {
        copy.assign(source->pixels, source->pixels + static_cast<size_t>(source->pitch) * source->height);
        base = copy.data();
    }
    for (int ty = y0; ty < y1; ++ty) {
        const uint8_t* src = base + static_cast<size_t>(ty - y) * source->pitch + static_cast<size_t>(x0 - x) * 4;
        std::memcpy(target->at(x0, ty), src, rowBytes);
    }
}

PixmapPtr MaskColourToAlpha(const Pixmap* pixmap, int r, int g, int b)
{
    if (!pixmap || !pixmap->pixels || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
    auto out = std::make_unique<Pixmap>();
    out->width = pixmap->width;
    out->height = pixmap->height;
    out->pitch = pixmap->width * 4;
    out->storage.resize(static_cast<size_t>(out->pitch) * out->height);
    out->pixels = out->storage.data();
    for (int y = 0; y < out->height; ++y) {
        std::memcpy(out->at(0, y), pixmap->at(0, y), static_cast<size_t>(out->pitch));
        for (int x = 0; x < out->width; ++x) {
            uint8_t* p = out->at(x, y);
            if (p[0] == r && p[1] == g && p[2] == b) p[3] = 0;
        }
    }
    return out;
}

int PictureWidth(const Picture* pic) { return pic ? pic->width : 0; }
int PictureHeight(const Picture* pic) { return pic ? pic->height : 0; }
int PictureFrames(const Picture* pic) { return pic ? static_cast<int>(pic->frames.size()) : 0; }

void SetPictureHandle(Picture* pic, float hx, float hy)
{
    if (!pic) return;
    pic->hx = hx;
    pic->hy = hy;
}

void ReadPictureHandle(const Picture* pic, float& hx, float& hy)
{
    hx = pic ? pic->hx : 0.0f;
    hy = pic ? pic->hy : 0.0f;
}

void CentrePictureHandle(Picture* pic)
{
    if (!pic) return;
    pic->hx = pic->width * 0.5f;
    pic->hy = pic->height * 0.5f;
}
