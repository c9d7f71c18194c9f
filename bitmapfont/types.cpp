// The small value types of the font module: exceptions, blend constants and the
// per-glyph metrics record.
#include "bitmapfont/bitmapfont.h"

int EConstBlend::GetCurrent() { return ReadBlend(); }

TDrawTextException::TDrawTextException(std::string description, TBitmapFont* offending)
    : data{std::move(description), offending} {
    text = ToString();
}

std::string TDrawTextException::ToString() const {
    if (data.Description.empty()) return "The requested action could not be completed.";
    return data.Description;
}

void TBitMapChar::LoadDrawRenderingData(Stream* stream) {
    DrawOffsetX = ReadInt(stream);
    DrawOffsetY = ReadInt(stream);
    DrawWidth = ReadInt(stream);
    DrawHeight = ReadInt(stream);
    Charwidth = ReadInt(stream);
}

TPrivateBitmapFont::TPrivateBitmapFont() : Shadow(256), Border(256), Face(256) {}

TBitMapChar* TPrivateBitmapFont::faceGlyph(int c) const {
    if (c < 0 || c >= tableLength()) return nullptr;
    return Face[c].get();
}

std::u16string LatinToCodes(std::string_view text) {
    std::u16string codes(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); i++) codes[i] = static_cast<unsigned char>(text[i]);
    return codes;
}
