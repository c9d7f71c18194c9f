// Glyph queries of a loaded font (codes 0..255).
#include "bitmapfont/bitmapfont.h"

namespace {

const TBitMapChar* entry(const GlyphTable& table, uint8_t c) {
    return c < table.size() ? table[c].get() : nullptr;
}

Picture* imageOf(const GlyphTable& table, uint8_t c) {
    const TBitMapChar* g = entry(table, c);
    return g ? g->Image.get() : nullptr;
}

std::optional<TRectangle> infoOf(const GlyphTable& table, uint8_t c) {
    const TBitMapChar* g = entry(table, c);
    if (!g) return std::nullopt;
    return TRectangle::Create(float(g->DrawOffsetX), float(g->DrawOffsetY), float(g->DrawWidth),
                              float(g->DrawHeight));
}

TDrawingPoint offsetOf(const GlyphTable& table, uint8_t c) {
    const TBitMapChar* g = entry(table, c);
    if (!g) return TDrawingPoint::Create(0, 0);
    return TDrawingPoint::Create(float(g->DrawOffsetX), float(g->DrawOffsetY));
}

} // namespace

Picture* TBitmapFont::GetFaceImage(uint8_t c) const { return imageOf(PrivateData.Face, c); }
Picture* TBitmapFont::GetBorderImage(uint8_t c) const { return imageOf(PrivateData.Border, c); }
Picture* TBitmapFont::GetShadowImage(uint8_t c) const { return imageOf(PrivateData.Shadow, c); }

std::optional<TRectangle> TBitmapFont::GetFaceInfo(uint8_t c) const { return infoOf(PrivateData.Face, c); }
std::optional<TRectangle> TBitmapFont::GetBorderInfo(uint8_t c) const {
    return infoOf(PrivateData.Border, c);
}
std::optional<TRectangle> TBitmapFont::GetShadowInfo(uint8_t c) const {
    return infoOf(PrivateData.Shadow, c);
}

int TBitmapFont::GetCharOffset(uint8_t c) const {
    const TBitMapChar* g = entry(PrivateData.Face, c);
    return g ? g->Charwidth : 0;
}

TDrawingPoint TBitmapFont::GetCharBorderOffset(uint8_t c) const { return offsetOf(PrivateData.Border, c); }
TDrawingPoint TBitmapFont::GetCharShadowOffset(uint8_t c) const { return offsetOf(PrivateData.Shadow, c); }
