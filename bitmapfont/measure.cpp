// Measuring text, and drawing it broken into lines of a maximum width.
#include "bitmapfont/bitmapfont.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Truncates toward zero and keeps the result inside the integer range, so that
// absurd metrics from a damaged file cannot overflow.
int truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(v);
}

} // namespace

int TBitmapFont::GetFontHeight() const {
    const TBitMapChar* space = PrivateData.faceGlyph(32);
    return space ? space->DrawHeight : 0;
}

int TBitmapFont::GetTxtWidth(std::u16string_view text) const {
    const double hkf = Kerning.GetHKerning();
    int width = 0;
    int last = 0;
    for (char16_t unit : text) {
        const TBitMapChar* g = PrivateData.faceGlyph(unit);
        if (!g) continue;
        last = unit;
        width = truncToInt(double(width) + double(g->Charwidth) + hkf);
    }
    // The last character counts with its drawn width instead of its advance.
    if (const TBitMapChar* g = PrivateData.faceGlyph(last))
        width = truncToInt(double(width) - double(g->Charwidth) + double(g->DrawWidth));
    return width;
}

int TBitmapFont::GetTxtWidth(std::string_view text) const {
    return GetTxtWidth(std::u16string_view(LatinToCodes(text)));
}

bool TBitmapFont::GetInkRows(std::string_view text, int& top, int& bottom) const {
    bool any = false;
    const auto cover = [&](const GlyphTable& table, int c) {
        const TBitMapChar* g = c < int(table.size()) ? table[c].get() : nullptr;
        if (!g || !g->Image || g->DrawHeight <= 0) return;
        top = any ? std::min(top, g->DrawOffsetY) : g->DrawOffsetY;
        bottom = any ? std::max(bottom, g->DrawOffsetY + g->DrawHeight) : g->DrawOffsetY + g->DrawHeight;
        any = true;
    };
    for (const char16_t c : LatinToCodes(text)) {
        if (!PrivateData.faceGlyph(c)) continue;
        cover(PrivateData.Border, c);
        if (PrivateData.DrawShadow == 1) cover(PrivateData.Shadow, c);
    }
    return any;
}

int TBitmapFont::DrawTextMaxWidth(std::u16string_view text, float x, float y, double maxWidth,
                                  int useFontBlends) {
    float sx = 1, sy = 1;
    ReadScale(sx, sy);
    const double hkf = Kerning.GetHKerning(), vkf = Kerning.GetVKerning();
    const double lineAdvance = double(GetFontHeight()) * sy + vkf * sy;
    const double bottom = LogicalHeight();
    const int length = PrivateData.tableLength();

    std::u16string line;
    double lineWidth = 0;
    double curY = y;
    for (char16_t unit : text) {
        const int c = unit;
        if (c == 10 || c >= length) {
            DrawText(line, x, float(curY), useFontBlends, 0);
            curY += lineAdvance;
            line.clear();
            lineWidth = 0;
        } else if (const TBitMapChar* g = PrivateData.faceGlyph(c)) {
            const double advance = double(g->Charwidth) * sx + hkf * sx;
            const double w = lineWidth + double(g->DrawWidth) * sx + hkf * sx;
            if (w >= maxWidth - std::fabs(double(sx))) {
                DrawText(line, x, float(curY), useFontBlends, 0);
                if (!line.empty()) curY += lineAdvance;
                line.assign(1, unit);
                lineWidth = advance;
            } else {
                line.push_back(unit);
                lineWidth += advance;
            }
        }
        if (curY > bottom) return 0;
    }
    if (!line.empty()) DrawText(line, x, float(curY), useFontBlends, 0);
    return 0;
}

int TBitmapFont::DrawTextMaxWidth(std::string_view text, float x, float y, double maxWidth,
                                  int useFontBlends) {
    return DrawTextMaxWidth(std::u16string_view(LatinToCodes(text)), x, y, maxWidth, useFontBlends);
}
