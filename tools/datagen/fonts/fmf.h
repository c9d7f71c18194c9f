// The .fmf bitmap-font file: a headerless run of glyph records, one per layer
// of a character. A record is: int32 code, the tag line "FACE", "BORDER" or
// "SHADOW", an int32 that readers skip, a complete PNG, a line end, another
// skipped int32, the five int32 metrics DrawOffsetX, DrawOffsetY, DrawWidth,
// DrawHeight, Charwidth, and a line end. Integers are little-endian.
#pragma once
#include "glyphs.h"

#include <filesystem>
#include <map>
#include <string>

namespace fonts {

// Writes the face, border and shadow record of every glyph, in code order.
void writeFmf(const std::filesystem::path& path, const RenderedFont& font);

// A decoded layer as a reader of the format sees it.
struct ReadLayer {
    Rgba pic;
    int offX = 0, offY = 0, drawW = 0, drawH = 0, charWidth = 0;
};
struct ReadFont {
    std::map<int, ReadLayer> face, border, shadow;
};

// Reads a .fmf file back (for the review sheets); throws on a malformed file.
ReadFont readFmf(const std::filesystem::path& path);

} // namespace fonts
