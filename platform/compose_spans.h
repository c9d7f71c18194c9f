// Runs of pixels combined into the canvas: the inner loops of the compositor.
// Pixels are 0xAARRGGBB words. Blend, add and multiply take premultiplied
// sources; replace and mask take straight ones.
#pragma once

#include <cstdint>

// Per-channel multipliers (0..255) applied to each source pixel first. For
// premultiplied sources the colour multipliers already include alpha's.
struct SpanModulation {
    uint32_t r = 255, g = 255, b = 255, a = 255;
    bool Plain() const { return r == 255 && g == 255 && b == 255 && a == 255; }
};

// x / 255, rounded; exact for every product of two bytes.
inline uint32_t Div255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

void BlendSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
void AddSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Multiplies, weighted by alpha: clear pixels leave the canvas as it is.
void MultiplySpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies whatever the alpha; the canvas stays opaque.
void ReplaceSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies, opaque, the pixels whose alpha reaches the threshold.
void MaskSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, uint32_t threshold);
