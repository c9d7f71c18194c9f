// Our own compositor: draws picture frames into the canvas, placed by any
// scale, mirror and turn. Every canvas pixel takes the picture pixel under
// its centre; filtered pictures that are scaled or turned mix the four pixels
// around it instead. Rows of samples then go through the span loops.
//
// Pictures keep straight colour. Blend, add and multiply premultiply each
// sample by its alpha before it is filtered or combined, so filtering never
// darkens a picture's edge and clear pixels tint nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/compose_spans.h"
#include "platform/sdl_internal.h"

namespace {

constexpr int kChunk = 256; // samples gathered before they are combined
constexpr size_t kScratchPixels = 128 * 128; // largest picture premultiplied ahead of a draw

// The frame's pixels: straight, and premultiplied as they are read when the
// way of combining wants it, or already premultiplied (premultiply false).
struct Source {
    const uint32_t* words;
    int width, height;
    bool premultiply;
};

// Applies the way of combining to a run of samples. Straight samples are
// premultiplied first where the way of combining wants it; blending does that
// on the fly.
struct Combine {
    ComposeOp op;
    SpanModulation m;
    uint32_t threshold;
    bool premultiply;

    void operator()(uint32_t* dst, const uint32_t* src, int n, bool straight) const
    {
        if (!straight || !premultiply || op == ComposeOp::Blend) {
            Run(dst, src, n, straight && premultiply);
            return;
        }
        uint32_t buffer[kChunk];
        for (int i = 0; i < n; i += kChunk) {
            const int count = std::min(kChunk, n - i);
            PremultiplySpan(buffer, src + i, count);
            Run(dst + i, buffer, count, false);
        }
    }

private:
    void Run(uint32_t* dst, const uint32_t* src, int n, bool straight) const
    {
        switch (op) {
        case ComposeOp::Blend: BlendSpan(dst, src, n, m, straight); break;
        case ComposeOp::Add: AddSpan(dst, src, n, m); break;
        case ComposeOp::Multiply: MultiplySpan(dst, src, n, m); break;
        case ComposeOp::Replace: ReplaceSpan(dst, src, n, m); break;
        case ComposeOp::Mask: MaskSpan(dst, src, n, m, threshold); break;
        }
    }
};

// ---------------------------------------------------------------------------
// Placement

constexpr int kFraction = 32; // fixed-point bits of picture coordinates
constexpr double kOne = 4294967296.0;

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Narrows [lo, hi) to the steps k with 0 <= base + k * step < limit.
void ClipSteps(int64_t base, int64_t step, int64_t limit, int64_t& lo, int64_t& hi)
{
    if (step == 0) {
        if (base < 0 || base >= limit) hi = lo;
        return;
    }
    int64_t first, last;
    if (step > 0) {
        first = -FloorDiv(base, step);
        last = FloorDiv(limit - 1 - base, step);
    } else {
        first = -FloorDiv(limit - 1 - base, -step);
        last = FloorDiv(base, -step);
    }
    lo = std::max(lo, first);
    hi = std::min(hi, last + 1);
}

// No scale and no turn: each row is a run of picture pixels.
void ComposeShifted(const Source& src, int dx, int dy, const PixelRect& area, const Combine& combine)
{
    DisplayState& d = Display();
    const int x0 = std::max(area.x0, dx), x1 = std::min(area.x1, dx + src.width);
    const int y0 = std::max(area.y0, dy), y1 = std::min(area.y1, dy + src.height);
    for (int y = y0; y < y1; ++y) {
        uint32_t* out = d.canvas.data() + static_cast<size_t>(y) * d.width;
        const size_t first = static_cast<size_t>(y - dy) * src.width + (x0 - dx); // picture pixel at x0
        combine(out + x0, src.words + first, x1 - x0, true);
    }
}

// Any other placement: picture coordinates step linearly along each row.
// Each row's steps start from the draw's own area, whatever part of it is
// composed, so every pixel samples the same spot in a partial redraw.
void ComposeMapped(const Source& src, const ComposePlacement& at, const PixelRect& area, const PixelRect& work,
                   bool filtered, const Combine& combine)
{
    DisplayState& d = Display();
    const double det = at.ux * at.vy - at.vx * at.uy;
    const double dudx = at.vy / det, dudy = -at.vx / det, dvdx = -at.uy / det, dvdy = at.ux / det;
    // Steps this large mean the picture is squeezed below a 65,536th of a
    // pixel: nothing worth drawing, and the fixed point would overflow.
    const double limit = 65536.0;
    if (!(std::fabs(dudx) < limit && std::fabs(dudy) < limit && std::fabs(dvdx) < limit && std::fabs(dvdy) < limit)) {
        return;
    }
    const int64_t du = std::llround(dudx * kOne), dv = std::llround(dvdx * kOne);
    const int64_t width = int64_t(src.width) << kFraction, height = int64_t(src.height) << kFraction;
    const int64_t half = int64_t(1) << (kFraction - 1);
    uint32_t buffer[kChunk];
    for (int y = work.y0; y < work.y1; ++y) {
        const double cx = area.x0 + 0.5 - at.ox, cy = y + 0.5 - at.oy;
        const double us = cx * dudx + cy * dudy, vs = cx * dvdx + cy * dvdy;
        // Rows this far off the picture belong to nearly flat placements; they
        // hold nothing of it and would overflow the fixed point.
        const double far = 268435456.0, n = area.x1 - area.x0;
        if (!(std::fabs(us) < far && std::fabs(vs) < far && std::fabs(us + n * dudx) < far &&
              std::fabs(vs + n * dvdx) < far)) {
            continue;
        }
        const int64_t u0 = std::llround(us * kOne), v0 = std::llround(vs * kOne);
        int64_t lo = work.x0 - area.x0, hi = work.x1 - area.x0;
        ClipSteps(u0, du, width, lo, hi);
        ClipSteps(v0, dv, height, lo, hi);
        uint32_t* out = d.canvas.data() + static_cast<size_t>(y) * d.width + area.x0;
        for (int64_t k0 = lo; k0 < hi; k0 += kChunk) {
            const int count = static_cast<int>(std::min<int64_t>(kChunk, hi - k0));
            int64_t u = u0 + k0 * du, v = v0 + k0 * dv;
            for (int i = 0; i < count; ++i, u += du, v += dv) {
                if (filtered) {
                    // Between the centres of the four nearest pixels; edges repeat.
                    const int64_t su = u - half, sv = v - half;
                    const int iu = static_cast<int>(su >> kFraction), iv = static_cast<int>(sv >> kFraction);
                    const uint32_t fx = static_cast<uint32_t>((su >> (kFraction - 8)) & 255);
                    const uint32_t fy = static_cast<uint32_t>((sv >> (kFraction - 8)) & 255);
                    const size_t x0 = std::max(iu, 0), x1 = std::min(iu + 1, src.width - 1);
                    const size_t r0 = static_cast<size_t>(std::max(iv, 0)) * src.width;
                    const size_t r1 = static_cast<size_t>(std::min(iv + 1, src.height - 1)) * src.width;
                    buffer[i] = Bilinear(src.words[r0 + x0], src.words[r0 + x1], src.words[r1 + x0],
                                         src.words[r1 + x1], fx, fy, src.premultiply);
                } else {
                    buffer[i] = src.words[static_cast<size_t>(v >> kFraction) * src.width +
                                          static_cast<size_t>(u >> kFraction)];
                }
            }
            // Filtered samples come premultiplied already.
            combine(out + k0, buffer, count, !filtered);
        }
    }
}

} // namespace

bool PlaceDraw(DrawRecord& draw)
{
    const ComposePlacement& at = draw.at;
    // The canvas rectangle the picture's corners span, within the clip.
    const double xs[4] = {at.ox, at.ox + draw.width * at.ux, at.ox + draw.height * at.vx,
                          at.ox + draw.width * at.ux + draw.height * at.vx};
    const double ys[4] = {at.oy, at.oy + draw.width * at.uy, at.oy + draw.height * at.vy,
                          at.oy + draw.width * at.uy + draw.height * at.vy};
    const double left = std::floor(*std::min_element(xs, xs + 4)), right = std::ceil(*std::max_element(xs, xs + 4));
    const double top = std::floor(*std::min_element(ys, ys + 4)), bottom = std::ceil(*std::max_element(ys, ys + 4));
    if (!std::isfinite(left + right + top + bottom)) return false;
    const PixelRect& clip = draw.clip;
    draw.area.x0 = static_cast<int>(std::max<double>(left, clip.x0));
    draw.area.x1 = static_cast<int>(std::min<double>(right, clip.x1));
    draw.area.y0 = static_cast<int>(std::max<double>(top, clip.y0));
    draw.area.y1 = static_cast<int>(std::min<double>(bottom, clip.y1));
    return !draw.area.Empty();
}

void ComposeDraw(const DrawRecord& draw, const PixelRect& limit)
{
    DisplayState& d = Display();
    if (d.canvas.size() != static_cast<size_t>(d.width) * d.height) return;
    const PixelRect work = Intersect(draw.area, limit);
    if (work.Empty()) return;

    const ComposeLook& look = draw.look;
    const bool premultiply = look.op == ComposeOp::Blend || look.op == ComposeOp::Add ||
                             look.op == ComposeOp::Multiply;
    Combine combine{look.op, {}, static_cast<uint32_t>(look.threshold), premultiply};
    combine.m.a = look.a;
    if (premultiply) {
        // Premultiplied colours carry the alpha, so they are scaled by it too.
        combine.m.r = Div255(look.r * look.a);
        combine.m.g = Div255(look.g * look.a);
        combine.m.b = Div255(look.b * look.a);
    } else {
        combine.m.r = look.r;
        combine.m.g = look.g;
        combine.m.b = look.b;
    }
    Source src{draw.pixels->words.data(), draw.width, draw.height, premultiply};
    const ComposePlacement& at = draw.at;
    if (at.ux == 1.0 && at.uy == 0.0 && at.vx == 0.0 && at.vy == 1.0) {
        // The pixel under canvas column x is x + floor(0.5 - ox).
        ComposeShifted(src, -static_cast<int>(std::floor(0.5 - at.ox)), -static_cast<int>(std::floor(0.5 - at.oy)),
                       work, combine);
        return;
    }
    // Mask keeps or drops whole pixels, so its sampling stays nearest.
    const bool filtered = look.linear && look.op != ComposeOp::Mask;
    // A small picture filtered over many canvas pixels is premultiplied once
    // into a working buffer rather than four samples at a time for each pixel.
    static std::vector<uint32_t> scratch;
    const size_t pixels = static_cast<size_t>(draw.width) * draw.height;
    const size_t covered = static_cast<size_t>(work.x1 - work.x0) * (work.y1 - work.y0);
    if (premultiply && filtered && pixels <= kScratchPixels && pixels <= 2 * covered) {
        scratch.resize(pixels);
        PremultiplySpan(scratch.data(), src.words, static_cast<int>(pixels));
        src = Source{scratch.data(), draw.width, draw.height, false};
    }
    ComposeMapped(src, at, draw.area, work, filtered, combine);
}
