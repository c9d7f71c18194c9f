#include "bitmapfont/bitmapfont.h"
#include "bitmapfont/maskkey.h"
#include "tests/bitmapfont/fmf_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace {

const char* const kCorrupt = "Unable to load the bitmapfont due to corrupted or unsuported file format";

void load(TBitmapFont& font, const std::vector<uint8_t>& bytes, int flags = PIC_FILTER) {
    StreamPtr s = OpenMemory(bytes);
    font.Load(s.get(), flags);
}

void expectHandle(Picture* pic, float hx, float hy) {
    ASSERT_NE(pic, nullptr);
    float x = 99, y = 99;
    ReadPictureHandle(pic, x, y);
    EXPECT_EQ(x, hx);
    EXPECT_EQ(y, hy);
}

TEST(FontLoader, ThreeLayersWithTheirMetricsAndHandles) {
    TBitmapFont font;
    load(font, buildFmf({glyph('A', "SHADOW", {2, 3, 12, 22, 0}, 5, 7), glyph('A', "BORDER", {-2, -1, 11, 21, 0}),
                         glyph('A', "FACE", {3, 4, 10, 20, 12}, 6, 8), glyph('B', "FACE", {0, 0, 9, 20, 10})}));
    EXPECT_EQ(font.FontLoaded(), 1);
    ASSERT_TRUE(font.GetFaceInfo('A'));
    EXPECT_EQ(font.GetFaceInfo('A')->X, 3);
    EXPECT_EQ(font.GetFaceInfo('A')->Y, 4);
    EXPECT_EQ(font.GetFaceInfo('A')->Width, 10);
    EXPECT_EQ(font.GetFaceInfo('A')->Height, 20);
    EXPECT_EQ(font.GetCharOffset('A'), 12);
    EXPECT_EQ(PictureWidth(font.GetFaceImage('A')), 6);
    EXPECT_EQ(PictureHeight(font.GetShadowImage('A')), 7);
    // Border and shadow pictures are moved by their offsets, the face is not.
    expectHandle(font.GetBorderImage('A'), 2, 1);
    expectHandle(font.GetShadowImage('A'), -2, -3);
    expectHandle(font.GetFaceImage('A'), 0, 0);
    EXPECT_EQ(font.GetCharBorderOffset('A').X, -2);
    EXPECT_EQ(font.GetCharShadowOffset('A').Y, 3);
    // B has a face only: its other entries exist without pictures.
    EXPECT_NE(font.GetFaceImage('B'), nullptr);
    EXPECT_EQ(font.GetBorderImage('B'), nullptr);
    ASSERT_TRUE(font.GetBorderInfo('B'));
    EXPECT_EQ(font.GetBorderInfo('B')->Width, 0);
    // Codes the file never mentions.
    EXPECT_FALSE(font.GetFaceInfo('Z'));
    EXPECT_EQ(font.GetCharBorderOffset('Z').X, 0);
    EXPECT_EQ(font.GetCharBorderOffset('Z').Y, 0);
    EXPECT_EQ(font.GetCharOffset('Z'), 0);
    EXPECT_EQ(font.PrivateData.Face.size(), 256u);
}

TEST(FontLoader, LineEndsWithOrWithoutCarriageReturn) {
    std::vector<FmfRecord> records = {glyph('A', "FACE", {1, 2, 3, 4, 5}), glyph('C', "BORDER", {6, 7, 8, 9, 10})};
    TBitmapFont crlf, lf;
    load(crlf, buildFmf(records));
    for (FmfRecord& r : records) r.lineEnd = "\n";
    load(lf, buildFmf(records));
    EXPECT_EQ(lf.FontLoaded(), 1);
    for (uint8_t c : {uint8_t('A'), uint8_t('C')}) {
        ASSERT_TRUE(lf.GetFaceInfo(c));
        EXPECT_EQ(lf.GetFaceInfo(c)->Width, crlf.GetFaceInfo(c)->Width);
        EXPECT_EQ(lf.GetBorderInfo(c)->X, crlf.GetBorderInfo(c)->X);
    }
    EXPECT_EQ(lf.GetCharOffset('A'), 5);
    EXPECT_EQ(lf.GetCharBorderOffset('C').Y, 7);
}

TEST(FontLoader, BadRecordsAbortWithTheLoadException) {
    struct Case {
        const char* what;
        FmfRecord bad;
    } cases[] = {
        {"tag in mixed case", glyph('B', "Face", {0, 0, 1, 1, 1})},
        {"unknown tag", glyph('B', "OUTLINE", {0, 0, 1, 1, 1})},
        {"negative code", glyph(-1, "FACE", {0, 0, 1, 1, 1})},
        {"code above 65535", glyph(70000, "FACE", {0, 0, 1, 1, 1})},
        {"picture that is no PNG", [] {
             FmfRecord r = glyph('B', "FACE", {0, 0, 1, 1, 1});
             r.png = {'n', 'o', 't', ' ', 'p', 'n', 'g'};
             return r;
         }()},
    };
    for (const Case& c : cases) {
        TBitmapFont font;
        try {
            load(font, buildFmf({glyph('A', "FACE", {0, 0, 5, 5, 6}), c.bad, glyph('C', "FACE", {0, 0, 5, 5, 6})}));
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const TBitmapFontLoadException& e) {
            EXPECT_EQ(e.ToString(), kCorrupt) << c.what;
            EXPECT_EQ(e.GetFontObject(), &font) << c.what;
        }
        EXPECT_EQ(font.FontLoaded(), 0) << c.what;
        EXPECT_NE(font.GetFaceImage('A'), nullptr) << c.what; // glyphs before the fault stay
        EXPECT_EQ(font.GetFaceImage('C'), nullptr) << c.what;
    }
}

TEST(FontLoader, StreamEndingInsideARecordThrowsTheStreamError) {
    std::vector<uint8_t> bytes = buildFmf({glyph('A', "FACE", {0, 0, 5, 5, 6})});
    bytes.resize(bytes.size() - 10);
    TBitmapFont font;
    EXPECT_THROW(load(font, bytes), StreamError);
    EXPECT_EQ(font.FontLoaded(), 0);
}

TEST(FontLoader, CodeAbove255GrowsAllTables) {
    TBitmapFont font;
    load(font, buildFmf({glyph('A', "FACE", {0, 0, 5, 5, 6}), glyph(300, "SHADOW", {1, 1, 5, 5, 0}),
                         glyph(65535, "FACE", {0, 0, 7, 7, 8})}));
    EXPECT_EQ(font.FontLoaded(), 1);
    EXPECT_EQ(font.PrivateData.Face.size(), 65536u);
    EXPECT_EQ(font.PrivateData.Border.size(), 65536u);
    EXPECT_EQ(font.PrivateData.Shadow.size(), 65536u);
    EXPECT_NE(font.GetFaceImage('A'), nullptr);
    ASSERT_TRUE(font.PrivateData.Shadow[300]);
    EXPECT_NE(font.PrivateData.Shadow[300]->Image, nullptr);
    ASSERT_TRUE(font.PrivateData.Face[300]); // all three entries exist
    EXPECT_EQ(font.PrivateData.Face[300]->Image, nullptr);
    EXPECT_EQ(font.GetTxtWidth(std::u16string(1, char16_t(65535))), 7);
}

TEST(FontLoader, SecondFaceRecordReplacesTheGlyph) {
    TBitmapFont font;
    load(font, buildFmf({glyph('A', "FACE", {3, 5, 10, 20, 12}, 4, 4), glyph('A', "FACE", {1, 1, 8, 18, 9}, 7, 3)}));
    EXPECT_EQ(font.GetCharOffset('A'), 9);
    EXPECT_EQ(font.GetFaceInfo('A')->Width, 8);
    EXPECT_EQ(PictureWidth(font.GetFaceImage('A')), 7);
    // The handle comes from the offsets the glyph had before the record.
    expectHandle(font.GetFaceImage('A'), -3, -5);
    EXPECT_EQ(font.GetTxtWidth("AA"), 9 + 8);
}

TEST(FontLoader, ExtremeMetricsAreHarmless) {
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    TBitmapFont font;
    load(font, buildFmf({glyph('A', "BORDER", {lo, lo, hi, hi, hi}), glyph('A', "FACE", {lo, hi, hi, lo, hi}),
                         glyph('A', "FACE", {0, 0, hi, 0, lo}), glyph('B', "FACE", {0, 0, lo, 0, hi})}));
    ASSERT_EQ(font.FontLoaded(), 1);
    expectHandle(font.GetBorderImage('A'), 2147483648.0f, 2147483648.0f);
    expectHandle(font.GetFaceImage('A'), 2147483648.0f, -2147483647.0f);
    // Widths stay inside the integer range however the metrics add up.
    EXPECT_EQ(font.GetTxtWidth("BBBB"), INT32_MIN);
    EXPECT_EQ(font.GetTxtWidth("AAAA"), INT32_MAX);
    font.DrawTextMaxWidth("ABAB\nBA", 0, 0, 100, 1);
}

TEST(FontLoader, MissingFileLeavesTheFontEmpty) {
    TBitmapFont font;
    EXPECT_NO_THROW(font.Load("/nonexistent/none.fmf", PIC_FILTER));
    EXPECT_EQ(font.FontLoaded(), 0);
    EXPECT_EQ(font.GetTxtWidth("Hello"), 0);
    EXPECT_EQ(font.GetFontHeight(), 0);
    EXPECT_EQ(LoadBitmapFontFile("/nonexistent/none.fmf", nullptr), nullptr);
}

TEST(FontLoader, FromAFileWithProgress) {
    const std::string path = (std::filesystem::temp_directory_path() / "varnoka-font-test.fmf").string();
    {
        const std::vector<uint8_t> bytes = buildFmf(
            {glyph(' ', "FACE", {0, 0, 5, 17, 6}), glyph('A', "FACE", {0, 0, 5, 5, 6}), glyph(200, "FACE", {0, 0, 5, 5, 6})});
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::vector<float> reported;
    auto font = LoadBitmapFontFile(path, [&](float p) { reported.push_back(p); });
    std::filesystem::remove(path);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetFontHeight(), 17);
    // 32/256 = 12.5 %, 65/256 = 25.39 %, 200/256 = 78.125 %.
    ASSERT_EQ(reported.size(), 3u);
    EXPECT_FLOAT_EQ(reported[0], 12.5f);
    EXPECT_FLOAT_EQ(reported[2], 78.125f);
}

TEST(FontLoader, OpenStreamIsReadFromItsPositionAndLeftOpen) {
    std::vector<uint8_t> bytes = {'x', 'y', 'z'};
    const std::vector<uint8_t> font1 = buildFmf({glyph('A', "FACE", {0, 0, 5, 5, 6})});
    bytes.insert(bytes.end(), font1.begin(), font1.end());
    StreamPtr s = OpenMemory(bytes);
    uint8_t skip[3];
    ReadBytes(s.get(), skip, 3);
    TBitmapFont font;
    font.Load(s.get(), PIC_FILTER);
    EXPECT_EQ(font.FontLoaded(), 1);
    EXPECT_EQ(font.GetCharOffset('A'), 6);
    EXPECT_EQ(Eof(s.get()), 1);
    EXPECT_TRUE(Close(s));
}

Rgba keyPattern(int x, int y) {
    // Magenta key everywhere except a red pixel at (0, 0) and a blue one at (2, 0).
    if (x == 0 && y == 0) return {200, 0, 0, 255};
    if (x == 2 && y == 0) return {0, 0, 100, 255};
    return {255, 0, 255, 255};
}

TEST(FontLoader, MaskKeyingOfFacePictures) {
    Pixmap source;
    source.width = 4;
    source.height = 3;
    source.pitch = 16;
    source.storage.resize(48);
    source.pixels = source.storage.data();
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) {
            const Rgba c = keyPattern(x, y);
            for (int k = 0; k < 4; k++) source.at(x, y)[k] = c[k];
        }
    PixmapPtr keyed = KeyFacePixels(source, 255, 0, 255);
    auto px = [&](int x, int y) { return Rgba{keyed->at(x, y)[0], keyed->at(x, y)[1], keyed->at(x, y)[2], keyed->at(x, y)[3]}; };
    EXPECT_EQ(px(0, 0), (Rgba{200, 0, 0, 255}));
    EXPECT_EQ(px(1, 0), (Rgba{100, 0, 50, 0}));  // between red and blue
    EXPECT_EQ(px(3, 1), (Rgba{0, 0, 100, 0}));   // next to blue only
    EXPECT_EQ(px(0, 2), (Rgba{0, 0, 0, 0}));     // no non-key neighbour: black

    // Through the loader: only the face is keyed, and it becomes a masked picture.
    FmfRecord face = glyph('A', "FACE", {0, 0, 4, 3, 5});
    face.png = makePng(4, 3, keyPattern);
    FmfRecord border = glyph('A', "BORDER", {0, 0, 4, 3, 5});
    border.png = makePng(4, 3, keyPattern);
    TBitmapFont font;
    font.UseMask = 1;
    font.MaskColorRed = 255, font.MaskColorGreen = 0, font.MaskColorBlue = 255;
    load(font, buildFmf({face, border}));
    Pixmap* facePixels = LockFrame(font.GetFaceImage('A'), 0, 1, 0);
    ASSERT_NE(facePixels, nullptr);
    EXPECT_EQ(facePixels->at(1, 0)[3], 0);
    EXPECT_EQ(facePixels->at(1, 0)[0], 100);
    UnlockFrame(font.GetFaceImage('A'), 0);
    Pixmap* borderPixels = LockFrame(font.GetBorderImage('A'), 0, 1, 0);
    ASSERT_NE(borderPixels, nullptr);
    EXPECT_EQ(borderPixels->at(1, 0)[3], 255);
    EXPECT_EQ(borderPixels->at(1, 0)[1], 0);
    UnlockFrame(font.GetBorderImage('A'), 0);
}

TEST(FontExceptions, Messages) {
    TDrawTextException empty;
    EXPECT_EQ(empty.ToString(), "The requested action could not be completed.");
    EXPECT_EQ(empty.GetFontObject(), nullptr);
    TBitmapFont font;
    TBitmapFontLoadException e("x", &font);
    EXPECT_EQ(e.ToString(), "x");
    EXPECT_STREQ(e.what(), "x");
    EXPECT_EQ(e.GetFontObject(), &font);
}

} // namespace
