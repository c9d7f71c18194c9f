#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace fonts {

std::vector<int> fontCodes() {
    std::vector<int> codes;
    for (int c = 32; c <= 126; ++c) codes.push_back(c);
    for (int c = 160; c <= 255; ++c) codes.push_back(c);
    return codes;
}

namespace {

const char* kFallbackTtf = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// 8-bit coverage placed like a FreeType bitmap: `left` is the x of column 0
// relative to the pen, `top` the height of row 0 above the baseline.
struct Coverage {
    int w = 0, h = 0, left = 0, top = 0;
    std::vector<uint8_t> a;
    uint8_t get(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : a[y * w + x]; }
    bool empty() const {
        return std::all_of(a.begin(), a.end(), [](uint8_t v) { return v == 0; });
    }
};

struct FtLibrary {
    FT_Library lib = nullptr;
    FtLibrary() {
        if (FT_Init_FreeType(&lib)) throw std::runtime_error("FreeType does not start");
    }
    ~FtLibrary() { FT_Done_FreeType(lib); }
};

struct FtFace {
    FT_Face face = nullptr;
    FtFace(FT_Library lib, const std::string& path, int sizePx) {
        if (FT_New_Face(lib, path.c_str(), 0, &face)) throw std::runtime_error("cannot read font " + path);
        FT_Set_Pixel_Sizes(face, 0, sizePx);
    }
    ~FtFace() { FT_Done_Face(face); }
};

Coverage fromGlyph(FT_Glyph glyph) {
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1)) throw std::runtime_error("glyph rendering");
    auto* bg = reinterpret_cast<FT_BitmapGlyph>(glyph);
    Coverage c;
    c.w = static_cast<int>(bg->bitmap.width);
    c.h = static_cast<int>(bg->bitmap.rows);
    c.left = bg->left;
    c.top = bg->top;
    c.a.resize(static_cast<size_t>(c.w) * c.h);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) c.a[y * c.w + x] = bg->bitmap.buffer[y * bg->bitmap.pitch + x];
    FT_Done_Glyph(glyph);
    return c;
}

// Union of two coverages in a common frame.
Coverage unite(const Coverage& p, const Coverage& q) {
    if (p.w == 0) return q;
    if (q.w == 0) return p;
    Coverage u;
    u.left = std::min(p.left, q.left);
    u.top = std::max(p.top, q.top);
    int right = std::max(p.left + p.w, q.left + q.w), bottom = std::min(p.top - p.h, q.top - q.h);
    u.w = right - u.left;
    u.h = u.top - bottom;
    u.a.assign(static_cast<size_t>(u.w) * u.h, 0);
    for (int y = 0; y < u.h; ++y)
        for (int x = 0; x < u.w; ++x) {
            int gx = u.left + x, gy = u.top - y;
            u.a[y * u.w + x] = std::max(p.get(gx - p.left, p.top - gy), q.get(gx - q.left, q.top - gy));
        }
    return u;
}

// Two passes of a separable box blur, grown by the blur radius on every side.
Coverage blur(const Coverage& src, int radius) {
    if (radius <= 0 || src.w == 0) return src;
    int grow = 2 * radius;
    Coverage out;
    out.w = src.w + 2 * grow;
    out.h = src.h + 2 * grow;
    out.left = src.left - grow;
    out.top = src.top + grow;
    std::vector<float> buf(static_cast<size_t>(out.w) * out.h, 0.f), tmp(buf.size());
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) buf[(y + grow) * out.w + x + grow] = src.a[y * src.w + x];
    float norm = 1.f / (2 * radius + 1);
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k)
                    if (x + k >= 0 && x + k < out.w) s += buf[y * out.w + x + k];
                tmp[y * out.w + x] = s * norm;
            }
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k)
                    if (y + k >= 0 && y + k < out.h) s += tmp[(y + k) * out.w + x];
                buf[y * out.w + x] = s * norm;
            }
    }
    out.a.resize(buf.size());
    for (size_t i = 0; i < buf.size(); ++i) out.a[i] = static_cast<uint8_t>(std::lround(std::min(255.f, buf[i])));
    return out;
}

uint8_t channel(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// A layer picture of the coverage in one colour, placed relative to the pen.
GlyphLayer tightLayer(const Coverage& c, Colour col, double alpha, int penX, int baseline, int dx, int dy) {
    GlyphLayer l;
    if (c.w == 0 || c.empty()) {
        l.pic = Rgba(1, 1);
        l.drawW = l.drawH = 1;
        return l;
    }
    l.pic = Rgba(c.w, c.h);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            uint8_t* p = l.pic.at(x, y);
            p[0] = channel(col.r);
            p[1] = channel(col.g);
            p[2] = channel(col.b);
            p[3] = static_cast<uint8_t>(std::lround(c.a[y * c.w + x] * alpha));
        }
    l.offX = penX + c.left + dx;
    l.offY = baseline - c.top + dy;
    l.drawW = c.w;
    l.drawH = c.h;
    return l;
}

struct RawGlyph {
    int code;
    int advance;
    Coverage face, border;
};

RawGlyph rasterise(FT_Face face, FT_Stroker stroker, int code) {
    FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP))
        throw std::runtime_error("cannot load glyph " + std::to_string(code));
    RawGlyph g;
    g.code = code;
    g.advance = static_cast<int>(std::lround(face->glyph->advance.x / 64.0));
    FT_Glyph outline = nullptr, stroked = nullptr;
    FT_Get_Glyph(face->glyph, &outline);
    FT_Glyph_Copy(outline, &stroked);
    g.face = fromGlyph(outline);
    // The stroke is a band of the border radius on both sides of the outline;
    // united with the letter it is the letter widened by the radius.
    if (FT_Glyph_Stroke(&stroked, stroker, 1) == 0) g.border = unite(fromGlyph(stroked), g.face);
    else g.border = g.face;
    return g;
}

} // namespace

std::set<int> ownGlyphCodes(const FontStyle& style) {
    FtLibrary ft;
    FtFace face(ft.lib, style.ttf, style.sizePx);
    std::set<int> codes;
    for (int code : fontCodes())
        if (FT_Get_Char_Index(face.face, static_cast<FT_ULong>(code))) codes.insert(code);
    return codes;
}

RenderedFont renderFont(const FontStyle& st) {
    FtLibrary lib;
    FtFace main(lib.lib, st.ttf, st.sizePx);
    FtFace fallback(lib.lib, kFallbackTtf, st.sizePx);
    FT_Stroker stroker;
    FT_Stroker_New(lib.lib, &stroker);
    FT_Stroker_Set(stroker, static_cast<FT_Fixed>(std::lround(st.border * 64)), FT_STROKER_LINECAP_ROUND,
                   FT_STROKER_LINEJOIN_ROUND, 0);

    std::vector<RawGlyph> raw;
    for (int code : fontCodes()) {
        FT_Face f = FT_Get_Char_Index(main.face, static_cast<FT_ULong>(code)) ? main.face : fallback.face;
        raw.push_back(rasterise(f, stroker, code));
    }
    FT_Stroker_Done(stroker);

    // Vertical layout shared by every glyph: room for the border above the
    // tallest letter (or the capital centre the font's place asks for), the
    // deepest descender and the border below it.
    int pad = static_cast<int>(std::ceil(st.border));
    int ascender = static_cast<int>(std::ceil(main.face->size->metrics.ascender / 64.0));
    int descender = static_cast<int>(std::ceil(-main.face->size->metrics.descender / 64.0));
    int inkTop = 0, inkBottom = 0, minLeft = 0, capHeight = 0;
    for (const RawGlyph& g : raw) {
        if (g.face.empty()) continue;
        inkTop = std::max(inkTop, g.border.top);
        inkBottom = std::max(inkBottom, g.border.h - g.border.top);
        minLeft = std::min(minLeft, g.border.left);
        if (g.code == 'H') capHeight = g.face.top;
    }
    RenderedFont out;
    out.baseline = std::max(pad + ascender, inkTop);
    if (st.capCentre > 0) out.baseline = std::max(inkTop, st.capCentre + capHeight / 2);
    out.lineHeight = out.baseline + std::max(descender + pad, inkBottom);
    int penX = -minLeft; // the widened letter never reaches left of the picture

    double gradTop = out.baseline - capHeight, gradBottom = out.baseline;
    for (const RawGlyph& g : raw) {
        Glyph glyph;
        glyph.code = g.code;
        int charWidth = g.advance + st.tracking;
        // Face: a picture of the whole line height whose top-left is the pen.
        GlyphLayer& face = glyph.face;
        int width = g.face.empty() ? std::max(1, g.advance) : penX + g.border.left + g.border.w;
        face.pic = Rgba(width, out.lineHeight);
        // Transparent pixels carry the face colour too, so that smoothed scaling
        // does not darken the letter's edges.
        for (int py = 0; py < out.lineHeight; ++py) {
            double t = std::clamp((py - gradTop) / std::max(1.0, gradBottom - gradTop), 0.0, 1.0);
            Colour c{st.faceTop.r + (st.faceBottom.r - st.faceTop.r) * t,
                     st.faceTop.g + (st.faceBottom.g - st.faceTop.g) * t,
                     st.faceTop.b + (st.faceBottom.b - st.faceTop.b) * t};
            for (int px = 0; px < width; ++px) {
                uint8_t* p = face.pic.at(px, py);
                p[0] = channel(c.r);
                p[1] = channel(c.g);
                p[2] = channel(c.b);
                p[3] = g.face.get(px - penX - g.face.left, g.face.top - (out.baseline - py));
            }
        }
        face.drawW = width;
        face.drawH = out.lineHeight;
        face.charWidth = charWidth;

        glyph.border = tightLayer(g.border, st.borderColour, 1.0, penX, out.baseline, 0, 0);
        glyph.border.charWidth = charWidth;
        glyph.shadow = tightLayer(blur(g.border, st.shadowBlur), {0.10, 0.06, 0.03}, st.shadowAlpha, penX,
                                  out.baseline, st.shadowDx, st.shadowDy);
        glyph.shadow.charWidth = charWidth;
        out.glyphs.push_back(std::move(glyph));
    }
    return out;
}

} // namespace fonts
