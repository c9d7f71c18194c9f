// Runs of pixels combined into the canvas: the inner loops of the compositor.
// Pixels are words whose bytes in memory are R, G, B, A (0xAABBGGRR on the
// little-endian machines the game runs on). Blend, add and multiply take
// premultiplied sources; replace and mask take straight ones.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "pixel words are read as little-endian");

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

// The colour of a straight pixel multiplied by its alpha, exactly as Div255
// rounds; red and blue are worked on together in one word.
inline uint32_t Premultiply(uint32_t p)
{
    const uint32_t a = p >> 24;
    uint32_t rb = (p & 0x00FF00FFu) * a + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t g = ((p >> 8) & 255u) * a + 128u;
    g = (g + (g >> 8)) >> 8;
    return (a << 24) | (g << 8) | rb;
}

// out[i] = Premultiply(in[i]); out may be in.
void PremultiplySpan(uint32_t* out, const uint32_t* in, int n);
void BlendSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
void AddSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Multiplies, weighted by alpha: clear pixels leave the canvas as it is.
void MultiplySpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies whatever the alpha; the canvas stays opaque.
void ReplaceSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies, opaque, the pixels whose alpha reaches the threshold.
void MaskSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, uint32_t threshold);
