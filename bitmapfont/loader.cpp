// Reading .fmf font files: a sequence of glyph records, each a character code,
// a layer tag line, an embedded PNG picture and the glyph's metrics.
#include "bitmapfont/bitmapfont.h"
#include "bitmapfont/maskkey.h"

#include <cstdio>

namespace {

const char* const kCorruptFile = "Unable to load the bitmapfont due to corrupted or unsuported file format";
constexpr size_t kSmallTable = 256;
constexpr size_t kFullTable = 65536;

enum class Layer { Shadow, Border, Face };

// A line ends at a line feed; carriage returns are dropped. The end of the
// stream also ends a line, so a file whose last line lacks its line feed loads.
std::string readFontLine(Stream* s) {
    std::string line;
    while (!Eof(s)) {
        const uint8_t b = ReadByte(s);
        if (b == 10) break;
        if (b != 13) line.push_back(char(b));
    }
    return line;
}

void ensureEntries(TPrivateBitmapFont& f, int c) {
    if (c > 255 && f.Face.size() <= kSmallTable) {
        f.Shadow.resize(kFullTable);
        f.Border.resize(kFullTable);
        f.Face.resize(kFullTable);
    }
    for (GlyphTable* t : {&f.Shadow, &f.Border, &f.Face})
        if (!(*t)[c]) (*t)[c] = std::make_unique<TBitMapChar>();
}

void readRecord(TBitmapFont& font, Stream* s, int flags, int& lastProgress) {
    TPrivateBitmapFont& f = font.PrivateData;
    const int32_t c = ReadInt(s);
    // Codes outside the UTF-16 range cannot be stored: the file is corrupt.
    if (c < 0 || c > 65535) throw TBitmapFontLoadException(kCorruptFile, &font);
    ensureEntries(f, c);

    const std::string tag = readFontLine(s);
    Layer layer;
    if (tag == "SHADOW") layer = Layer::Shadow;
    else if (tag == "BORDER") layer = Layer::Border;
    else if (tag == "FACE") layer = Layer::Face;
    else throw TBitmapFontLoadException(kCorruptFile, &font);

    ReadInt(s);
    PixmapPtr pixels = LoadPixmapFromStream(s);
    PicturePtr picture;
    if (pixels) {
        if (layer == Layer::Face && font.UseMask == 1) {
            PixmapPtr keyed = KeyFacePixels(*pixels, font.MaskColorRed, font.MaskColorGreen, font.MaskColorBlue);
            picture = PictureFromPixmap(*keyed, PIC_MASK);
        } else {
            picture = PictureFromPixmap(*pixels, flags);
        }
    }
    // The format has no lengths: after a picture that does not decode, the
    // position of the next record is unknown, so the load stops here.
    if (!picture) {
        if (layer == Layer::Shadow) std::fputs("ERROR LOADING PNG\n", stderr);
        throw TBitmapFontLoadException(kCorruptFile, &font);
    }
    SetPictureHandle(picture.get(), 0, 0);

    GlyphTable& table = layer == Layer::Shadow ? f.Shadow : layer == Layer::Border ? f.Border : f.Face;
    TBitMapChar& glyph = *table[c];
    if (layer == Layer::Face) {
        // The face handle comes from the offsets the glyph had before this record.
        SetPictureHandle(picture.get(), -float(glyph.DrawOffsetX), -float(glyph.DrawOffsetY));
    }
    glyph.Image = std::move(picture);
    readFontLine(s);
    ReadInt(s);
    glyph.LoadDrawRenderingData(s);
    if (layer != Layer::Face)
        SetPictureHandle(glyph.Image.get(), -float(glyph.DrawOffsetX), -float(glyph.DrawOffsetY));
    readFontLine(s);

    if (f.Progress) {
        const float p = float(c) / float(f.Face.size()) * 100.0f;
        if (int(p) != lastProgress) {
            lastProgress = int(p);
            f.Progress(p);
        }
    }
}

} // namespace

int TBitmapFont::Load(Stream* stream, int flags) {
    if (!stream) return 0;
    int lastProgress = 0;
    while (!Eof(stream)) readRecord(*this, stream, flags, lastProgress);
    PrivateData.FontLoaded = 1;
    return 0;
}

int TBitmapFont::Load(const std::string& path, int flags) {
    StreamPtr stream = OpenRead(path);
    if (!stream) return 0;
    Load(stream.get(), flags);
    Close(stream);
    return 0;
}

std::unique_ptr<TBitmapFont> LoadBitmapFontFile(const std::string& path, ProgressFunction progress) {
    auto font = std::make_unique<TBitmapFont>();
    font->SetProgressFunction(std::move(progress));
    font->Load(path, PIC_FILTER);
    if (font->FontLoaded() != 1) return nullptr;
    return font;
}
