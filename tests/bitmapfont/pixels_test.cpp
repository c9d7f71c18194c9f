// What the layer passes put on the screen: picture placement by the offsets,
// hooks that take a glyph over, and snapping to physical pixels.
#include "bitmapfont/bitmapfont.h"
#include "tests/bitmapfont/fmf_fixture.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

namespace {

using harness::framePixel;
using harness::Rgb;

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0};

FmfRecord coloured(int code, const std::string& tag, std::array<int32_t, 5> metrics, Rgba colour) {
    FmfRecord r = glyph(code, tag, metrics);
    r.png = solidPng(4, 6, colour);
    return r;
}

struct PixelTest : harness::HeadlessTest {
    TBitmapFont font;
    void SetUp() override {
        // A: white face offset 3 (not applied), red border offset -2; advance 10.
        StreamPtr s = OpenMemory(buildFmf({coloured('A', "BORDER", {-2, 0, 4, 6, 0}, {255, 0, 0, 255}),
                                           coloured('A', "FACE", {3, 0, 4, 6, 10}, {255, 255, 255, 255})}));
        font.Load(s.get(), 0);
        ASSERT_EQ(font.FontLoaded(), 1);
        SetColor(255, 255, 255);
        SetAlpha(1);
        SetBlend(BLEND_ALPHA);
        Cls();
    }
};

TEST_F(PixelTest, FaceAtThePenBorderMovedByItsOffset) {
    font.DrawText("AA", 100, 50, 1, 0);
    EXPECT_EQ(framePixel(97, 52), kBlack);
    EXPECT_EQ(framePixel(98, 52), kRed); // border: 2 pixels left of the pen
    EXPECT_EQ(framePixel(99, 52), kRed);
    EXPECT_EQ(framePixel(100, 52), kWhite); // face: its left edge at the pen
    EXPECT_EQ(framePixel(103, 52), kWhite);
    EXPECT_EQ(framePixel(104, 52), kBlack);
    EXPECT_EQ(framePixel(108, 52), kRed); // second glyph, pen + 10
    EXPECT_EQ(framePixel(110, 52), kWhite);
}

struct HideFaces : iTextRendererFXBase {
    void DrawFaceChar(TDrawCharAction& a) override { a.Handled = 1; }
};

TEST_F(PixelTest, HandledFaceIsNotDrawnButThePenMoves) {
    HideFaces hook;
    font.RenderFX = &hook;
    font.DrawText("AA", 100, 50, 1, 0);
    EXPECT_EQ(framePixel(98, 52), kRed);
    EXPECT_EQ(framePixel(100, 52), kRed); // the border shows where the face would be
    EXPECT_EQ(framePixel(102, 52), kBlack);
    EXPECT_EQ(framePixel(108, 52), kRed);
    EXPECT_EQ(framePixel(110, 52), kRed);
    EXPECT_EQ(framePixel(112, 52), kBlack);
}

TEST_F(PixelTest, PhysicalPixelRounding) {
    font.SetDrawBorder(0);
    font.PhisicalPixelRounding = 1;
    SetLogicalSize(512, 384); // every logical pixel is 2 x 2 on the 1024 x 768 canvas
    SetDrawScale(1.1f, 1.1f);
    font.DrawText("A", 10.3f, 20.2f, 1, 0);
    // Position (20.6, 40.4) rounds to (21, 40); 4 x 2.2 = 8.8 pixels become 9,
    // 6 x 2.2 = 13.2 become 13.
    EXPECT_EQ(framePixel(20, 45), kBlack);
    EXPECT_EQ(framePixel(21, 45), kWhite);
    EXPECT_EQ(framePixel(29, 45), kWhite);
    EXPECT_EQ(framePixel(30, 45), kBlack);
    EXPECT_EQ(framePixel(25, 39), kBlack);
    EXPECT_EQ(framePixel(25, 40), kWhite);
    EXPECT_EQ(framePixel(25, 52), kWhite);
    EXPECT_EQ(framePixel(25, 53), kBlack);
    // The virtual resolution and the scale are back.
    EXPECT_EQ(LogicalWidth(), 512);
    EXPECT_EQ(LogicalHeight(), 384);
    float sx = 0, sy = 0;
    ReadScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1.1f);
    EXPECT_FLOAT_EQ(sy, 1.1f);
    SetLogicalSize(1024, 768);
    SetDrawScale(1, 1);
}

TEST_F(PixelTest, TheGameFontsLoadAndDraw) {
    // The generated data folder, when it has been built beside the tests.
    const std::string path = std::string(VARNOKA_GAME_DIR) + "/data/fonts/me_text.fmf";
    if (!FileExists(path)) GTEST_SKIP() << "no generated data folder";
    TBitmapFont text;
    text.Load(path, PIC_FILTER);
    ASSERT_EQ(text.FontLoaded(), 1);
    EXPECT_GT(text.GetFontHeight(), 0);
    EXPECT_GT(text.GetTxtWidth("Varnoka"), text.GetTxtWidth("Var"));
    text.DrawText("Varnoka", 512, 300, 1, 1);
    const harness::Frame f = harness::grabFrame();
    int lit = 0;
    for (int y = 300; y < 300 + text.GetFontHeight(); y++)
        for (int x = 400; x < 624; x++) lit += f.at(x, y)[0] > 128;
    EXPECT_GT(lit, 50);
}

} // namespace
