// Renders the glyphs of one bitmap font with FreeType: a face layer (the letter,
// white to cream from top to bottom), a border layer (the outline widened by the
// stroker, dark warm brown) and a soft shadow layer (the widened outline, blurred
// and offset), each with its placement metrics relative to the pen position.
#pragma once
#include "rgba.h"

#include <set>
#include <string>
#include <vector>

namespace fonts {

struct Colour {
    double r, g, b;
};

struct FontStyle {
    std::string file;     // name of the .fmf file, e.g. "me_titel.fmf"
    std::string ttf;      // outline font file
    int sizePx;           // em size in pixels
    double border;        // stroker radius in pixels
    int shadowDx, shadowDy;
    int shadowBlur;       // box-blur radius in pixels (applied twice)
    double shadowAlpha;   // opacity of the shadow at its core
    int capCentre;        // > 0: baseline placed so that capitals are centred this far below the top
    int tracking;         // extra pen advance in pixels
    Colour faceTop, faceBottom, borderColour;
};

struct GlyphLayer {
    Rgba pic;
    int offX = 0, offY = 0; // top-left of the picture relative to the pen
    int drawW = 0, drawH = 0;
    int charWidth = 0;
};

struct Glyph {
    int code = 0;
    GlyphLayer face, border, shadow;
};

struct RenderedFont {
    int lineHeight = 0; // height of every face picture = the font height
    int baseline = 0;   // baseline, in pixels below the top of a face picture
    std::vector<Glyph> glyphs;
};

// Latin-1 codes the fonts carry: 32..126 and 160..255.
std::vector<int> fontCodes();

// The codes of fontCodes() the style's own outline font has a glyph for (the
// others are rendered from a fallback font that does not match its look).
std::set<int> ownGlyphCodes(const FontStyle& style);

// Renders every code of fontCodes(); throws when the outline font cannot be read.
RenderedFont renderFont(const FontStyle& style);

} // namespace fonts
