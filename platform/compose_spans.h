// Runs of pixels combined into the canvas: the inner loops of the compositor.
// Pixels are words whose bytes in memory are R, G, B, A (0xAABBGGRR on the
// little-endian machines the game runs on). Blend, add and multiply take
// premultiplied sources; replace and mask take straight ones.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Mix of two words by f / 256, channel by channel.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t f)
{
    const uint32_t g = 256 - f;
    const uint32_t rb = (((a & 0x00FF00FFu) * g + (b & 0x00FF00FFu) * f) >> 8) & 0x00FF00FFu;
    const uint32_t ag = ((((a >> 8) & 0x00FF00FFu) * g + ((b >> 8) & 0x00FF00FFu) * f) >> 8) & 0x00FF00FFu;
    return rb | (ag << 8);
}

// The colour between four pixels (top left, top right, bottom left, bottom
// right) at fx, fy in 256ths: Mix(Mix(p00, p01, fx), Mix(p10, p11, fx), fy),
// each pixel premultiplied first when asked.
inline uint32_t Bilinear(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, uint32_t fx, uint32_t fy,
                         bool premultiply)
{
    if (premultiply) {
        // Clear all round, premultiplied to nothing; opaque, premultiplied as they are.
        if (((p00 | p01 | p10 | p11) >> 24) == 0) return 0;
        if ((p00 & p01 & p10 & p11) >= 0xFF000000u) premultiply = false;
    }
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i taps = _mm_setr_epi32(static_cast<int>(p00), static_cast<int>(p01), static_cast<int>(p10),
                                        static_cast<int>(p11));
    __m128i top = _mm_unpacklo_epi8(taps, zero), bottom = _mm_unpackhi_epi8(taps, zero);
    if (premultiply) {
        const __m128i alpha = _mm_setr_epi16(0, 0, 0, -1, 0, 0, 0, -1), half = _mm_set1_epi16(128);
        const auto times = [&](__m128i x) {
            const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, 0xFF), 0xFF);
            __m128i p = _mm_add_epi16(_mm_mullo_epi16(x, a), half);
            p = _mm_srli_epi16(_mm_add_epi16(p, _mm_srli_epi16(p, 8)), 8);
            return _mm_or_si128(_mm_andnot_si128(alpha, p), _mm_and_si128(alpha, x));
        };
        top = times(top);
        bottom = times(bottom);
    }
    const short gx = static_cast<short>(256 - fx), ex = static_cast<short>(fx);
    const __m128i wx = _mm_setr_epi16(gx, gx, gx, gx, ex, ex, ex, ex);
    top = _mm_mullo_epi16(top, wx);
    bottom = _mm_mullo_epi16(bottom, wx);
    top = _mm_srli_epi16(_mm_add_epi16(top, _mm_srli_si128(top, 8)), 8);
    bottom = _mm_srli_epi16(_mm_add_epi16(bottom, _mm_srli_si128(bottom, 8)), 8);
    const short gy = static_cast<short>(256 - fy), ey = static_cast<short>(fy);
    __m128i both = _mm_mullo_epi16(_mm_unpacklo_epi64(top, bottom), _mm_setr_epi16(gy, gy, gy, gy, ey, ey, ey, ey));
    both = _mm_srli_epi16(_mm_add_epi16(both, _mm_srli_si128(both, 8)), 8);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(both, zero)));
#else
    if (premultiply) {
        p00 = Premultiply(p00);
        p01 = Premultiply(p01);
        p10 = Premultiply(p10);
        p11 = Premultiply(p11);
    }
    return Mix(Mix(p00, p01, fx), Mix(p10, p11, fx), fy);
#endif
}

// out[i] = Premultiply(in[i]); out may be in.
void PremultiplySpan(uint32_t* out, const uint32_t* in, int n);
// Straight sources are premultiplied on the way.
void BlendSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, bool straight = false);
void AddSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Multiplies, weighted by alpha: clear pixels leave the canvas as it is.
void MultiplySpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies whatever the alpha; the canvas stays opaque.
void ReplaceSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m);
// Copies, opaque, the pixels whose alpha reaches the threshold.
void MaskSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, uint32_t threshold);
