// The compositor's inner loops. Four pixels at a time with SSE2 where the
// processor has it; the one-pixel versions finish every run and stand in for
// the wide ones elsewhere.
#include "platform/compose_spans.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 255u; }
inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

// Red is the lowest byte, blue the third.
inline uint32_t Modulate(uint32_t p, const SpanModulation& m)
{
    return Pack(Div255(Channel(p, 24) * m.a), Div255(Channel(p, 16) * m.b), Div255(Channel(p, 8) * m.g),
                Div255(Channel(p, 0) * m.r));
}

// ---------------------------------------------------------------------------
// One pixel

void BlendOne(uint32_t& d, uint32_t s, const SpanModulation& m, bool plain)
{
    if (!plain) s = Modulate(s, m);
    const uint32_t keep = 255 - Channel(s, 24);
    if (keep == 0) {
        d = s;
    } else if (keep != 255) {
        d = Pack(Channel(s, 24) + Div255(Channel(d, 24) * keep), Channel(s, 16) + Div255(Channel(d, 16) * keep),
                 Channel(s, 8) + Div255(Channel(d, 8) * keep), Channel(s, 0) + Div255(Channel(d, 0) * keep));
    }
}

void AddOne(uint32_t& d, uint32_t s, const SpanModulation& m, bool plain)
{
    if (!plain) s = Modulate(s, m);
    d = Pack(Channel(d, 24), std::min(255u, Channel(d, 16) + Channel(s, 16)),
             std::min(255u, Channel(d, 8) + Channel(s, 8)), std::min(255u, Channel(d, 0) + Channel(s, 0)));
}

void MultiplyOne(uint32_t& d, uint32_t s, const SpanModulation& m, bool plain)
{
    if (!plain) s = Modulate(s, m);
    const uint32_t keep = 255 - Channel(s, 24);
    d = Pack(Channel(d, 24), Div255(Channel(d, 16) * (Channel(s, 16) + keep)),
             Div255(Channel(d, 8) * (Channel(s, 8) + keep)), Div255(Channel(d, 0) * (Channel(s, 0) + keep)));
}

void ReplaceOne(uint32_t& d, uint32_t s, const SpanModulation& m, bool plain)
{
    d = 0xFF000000u | (plain ? s : Modulate(s, m));
}

#if defined(__SSE2__)

// ---------------------------------------------------------------------------
// Four pixels: each channel widened to 16 bits, two pixels per register.

inline __m128i Div255x8(__m128i x)
{
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

inline __m128i Lanes(const SpanModulation& m)
{
    return _mm_setr_epi16(static_cast<short>(m.r), static_cast<short>(m.g), static_cast<short>(m.b),
                          static_cast<short>(m.a), static_cast<short>(m.r), static_cast<short>(m.g),
                          static_cast<short>(m.b), static_cast<short>(m.a));
}

// Each pixel's alpha in all four of its lanes.
inline __m128i SpreadAlpha(__m128i x)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

struct Wide {
    __m128i lo, hi;
};

inline Wide Widen(__m128i x)
{
    const __m128i zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(x, zero), _mm_unpackhi_epi8(x, zero)};
}

inline __m128i Narrow(const Wide& w) { return _mm_packus_epi16(w.lo, w.hi); }

inline Wide Times(const Wide& w, __m128i lanes)
{
    return {Div255x8(_mm_mullo_epi16(w.lo, lanes)), Div255x8(_mm_mullo_epi16(w.hi, lanes))};
}

inline __m128i Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

inline bool AllClear(__m128i s) { return _mm_movemask_epi8(_mm_cmpeq_epi32(s, _mm_setzero_si128())) == 0xFFFF; }

inline bool AllOpaque(__m128i s)
{
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alpha), alpha)) == 0xFFFF;
}

// Four straight pixels premultiplied; opaque and clear ones stay as they are.
inline __m128i PremultiplyFour(__m128i s)
{
    if (AllOpaque(s) || AllClear(s)) return s;
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const Wide w = Widen(s);
    const __m128i p = Narrow({Div255x8(_mm_mullo_epi16(w.lo, SpreadAlpha(w.lo))),
                              Div255x8(_mm_mullo_epi16(w.hi, SpreadAlpha(w.hi)))});
    return _mm_or_si128(_mm_andnot_si128(alpha, p), _mm_and_si128(alpha, s));
}

#endif

} // namespace

void PremultiplySpan(uint32_t* out, const uint32_t* in, int n)
{
    int i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= n; i += 4) Store(out + i, PremultiplyFour(Load(in + i)));
#endif
    for (; i < n; ++i) out[i] = Premultiply(in[i]);
}

void BlendSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, bool straight)
{
    const bool plain = m.Plain();
    int i = 0;
#if defined(__SSE2__)
    const __m128i lanes = Lanes(m), full = _mm_set1_epi16(255);
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= n; i += 4) {
        __m128i s = Load(src + i);
        // A clear straight pixel may still carry colour: its alpha decides.
        if (AllClear(straight ? _mm_and_si128(s, alpha) : s)) continue;
        if (straight) s = PremultiplyFour(s);
        if (plain && AllOpaque(s)) {
            Store(dst + i, s);
            continue;
        }
        Wide w = Widen(s);
        if (!plain) w = Times(w, lanes);
        const Wide d = Widen(Load(dst + i));
        const Wide keep{_mm_sub_epi16(full, SpreadAlpha(w.lo)), _mm_sub_epi16(full, SpreadAlpha(w.hi))};
        const Wide out{_mm_add_epi16(w.lo, Div255x8(_mm_mullo_epi16(d.lo, keep.lo))),
                       _mm_add_epi16(w.hi, Div255x8(_mm_mullo_epi16(d.hi, keep.hi)))};
        Store(dst + i, Narrow(out));
    }
#endif
    for (; i < n; ++i) BlendOne(dst[i], straight ? Premultiply(src[i]) : src[i], m, plain);
}

void AddSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m)
{
    const bool plain = m.Plain();
    int i = 0;
#if defined(__SSE2__)
    const __m128i lanes = Lanes(m), colour = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= n; i += 4) {
        __m128i s = Load(src + i);
        if (AllClear(s)) continue;
        if (!plain) s = Narrow(Times(Widen(s), lanes));
        Store(dst + i, _mm_adds_epu8(Load(dst + i), _mm_and_si128(s, colour)));
    }
#endif
    for (; i < n; ++i) AddOne(dst[i], src[i], m, plain);
}

void MultiplySpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m)
{
    const bool plain = m.Plain();
    int i = 0;
#if defined(__SSE2__)
    const __m128i lanes = Lanes(m), full = _mm_set1_epi16(255);
    for (; i + 4 <= n; i += 4) {
        const __m128i s = Load(src + i);
        if (AllClear(s)) continue;
        Wide w = Widen(s);
        if (!plain) w = Times(w, lanes);
        // Each colour is multiplied by source + (255 - alpha); alpha by 255.
        const Wide factor{_mm_add_epi16(w.lo, _mm_sub_epi16(full, SpreadAlpha(w.lo))),
                          _mm_add_epi16(w.hi, _mm_sub_epi16(full, SpreadAlpha(w.hi)))};
        const Wide d = Widen(Load(dst + i));
        Store(dst + i, Narrow({Div255x8(_mm_mullo_epi16(d.lo, factor.lo)),
                               Div255x8(_mm_mullo_epi16(d.hi, factor.hi))}));
    }
#endif
    for (; i < n; ++i) MultiplyOne(dst[i], src[i], m, plain);
}

void ReplaceSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m)
{
    const bool plain = m.Plain();
    int i = 0;
#if defined(__SSE2__)
    const __m128i lanes = Lanes(m), opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= n; i += 4) {
        __m128i s = Load(src + i);
        if (!plain) s = Narrow(Times(Widen(s), lanes));
        Store(dst + i, _mm_or_si128(s, opaque));
    }
#endif
    for (; i < n; ++i) ReplaceOne(dst[i], src[i], m, plain);
}

void MaskSpan(uint32_t* dst, const uint32_t* src, int n, const SpanModulation& m, uint32_t threshold)
{
    const bool plain = m.Plain();
    int i = 0;
#if defined(__SSE2__)
    const __m128i lanes = Lanes(m), opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    // Alpha >= threshold, compared as signed 32-bit numbers (both fit).
    const __m128i below = _mm_set1_epi32(static_cast<int>(threshold) - 1);
    for (; i + 4 <= n; i += 4) {
        __m128i s = Load(src + i);
        const __m128i keep = _mm_cmpgt_epi32(_mm_srli_epi32(s, 24), below);
        if (_mm_movemask_epi8(keep) == 0) continue;
        if (!plain) s = Narrow(Times(Widen(s), lanes));
        s = _mm_or_si128(s, opaque);
        Store(dst + i, _mm_or_si128(_mm_and_si128(keep, s), _mm_andnot_si128(keep, Load(dst + i))));
    }
#endif
    for (; i < n; ++i) {
        if (Channel(src[i], 24) >= threshold) ReplaceOne(dst[i], src[i], m, plain);
    }
}
