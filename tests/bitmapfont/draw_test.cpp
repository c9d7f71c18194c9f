// Text placement, measuring and line breaking, observed through the hook chain.
#include "bitmapfont/bitmapfont.h"
#include "tests/bitmapfont/fmf_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

struct CharCall {
    int layer, code;
    float x, y, scaleX, scaleY;
    int blend;
};

// Records every call; optionally takes over the drawing of the glyphs.
struct Recorder : iTextRendererFXBase {
    std::vector<CharCall> calls;
    std::vector<TDrawTextAction> begins, ends;
    int handle = 1;
    void DrawTextBegin(TDrawTextAction& a) override { begins.push_back(a); }
    void DrawTextEnd(TDrawTextAction& a) override { ends.push_back(a); }
    void record(TDrawCharAction& a) {
        calls.push_back({a.Status, a.Char, a.X, a.Y, a.CurrentScaleX, a.CurrentScaleY, EConstBlend::GetCurrent()});
        if (handle) a.Handled = 1;
    }
    void DrawShadowChar(TDrawCharAction& a) override { record(a); }
    void DrawBorderChar(TDrawCharAction& a) override { record(a); }
    void DrawFaceChar(TDrawCharAction& a) override { record(a); }
    std::vector<CharCall> layer(int status) const {
        std::vector<CharCall> out;
        for (const CharCall& c : calls)
            if (c.layer == status) out.push_back(c);
        return out;
    }
};

// A: face 20 wide (advance 16), B: face 20 wide (advance 24), C: face only,
// space: height 30. A and B have all layers; B's border is missing.
std::vector<uint8_t> testFont() {
    return buildFmf({
        glyph(' ', "FACE", {0, 0, 8, 30, 8}),
        glyph('A', "SHADOW", {2, 2, 20, 30, 0}), glyph('A', "BORDER", {-1, -1, 22, 32, 0}),
        glyph('A', "FACE", {0, 0, 20, 30, 16}),
        glyph('B', "SHADOW", {2, 2, 20, 30, 0}), glyph('B', "FACE", {0, 0, 20, 30, 24}),
        glyph('C', "BORDER", {-1, -1, 12, 32, 0}), glyph('C', "FACE", {0, 0, 10, 30, 12}),
    });
}

struct DrawTest : ::testing::Test {
    TBitmapFont font;
    Recorder rec;
    void SetUp() override {
        StreamPtr s = OpenMemory(testFont());
        font.Load(s.get(), PIC_FILTER);
        ASSERT_EQ(font.FontLoaded(), 1);
        font.RenderFX = &rec;
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        SetBlend(EConstBlend::Alpha);
    }
    void TearDown() override {
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        SetBlend(EConstBlend::Alpha);
    }
};

TEST_F(DrawTest, TextWidth) {
    struct Case {
        const char* text;
        float hkf;
        int width;
    } cases[] = {
        {"", 0, 0},          {"A", 0, 20},          {"A", 1.5f, 21},      {"AB", 0, 16 + 20},
        {"AB", 0.7f, 36},    // 16.7 -> 16, 16 + 24 + 0.7 -> 40, then - 24 + 20
        {"AAA", -0.5f, 49},  // 15.5 -> 15, 30.5 -> 30, 45.5 -> 45, then 45 - 16 + 20
        {"AxB", 0, 36},      // x has no glyph
        {"A\nB", 0, 36},     // line feeds are ignored
        {"\xff", 0, 0},
    };
    for (const Case& c : cases) {
        font.Kerning.SetHKerning(c.hkf);
        EXPECT_EQ(font.GetTxtWidth(c.text), c.width) << '"' << c.text << "\" " << c.hkf;
    }
    EXPECT_EQ(font.GetFontHeight(), 30);
}

TEST_F(DrawTest, Alignment) {
    struct Case {
        uint8_t align;
        float scale;
        float firstX;
    } cases[] = {{0, 1, 100}, {1, 1, 82}, {2, 1, 64}, {1, 2, 64}, {2, 2, 28}, {7, 2, 100}, {1, 1.5f, 73}};
    for (const Case& c : cases) {
        rec.calls.clear();
        SetDrawScale(c.scale, c.scale);
        font.DrawText("AB", 100, 50, 1, c.align);
        const std::vector<CharCall> face = rec.layer(eDrawCharStatus::Face);
        ASSERT_EQ(face.size(), 2u);
        EXPECT_FLOAT_EQ(face[0].x, c.firstX) << int(c.align) << " " << c.scale;
        EXPECT_FLOAT_EQ(face[1].x, c.firstX + 16 * c.scale) << int(c.align) << " " << c.scale;
        EXPECT_FLOAT_EQ(face[0].y, 50);
    }
}

TEST_F(DrawTest, LayersPensAndScales) {
    font.Kerning.SetHKerning(2);
    SetDrawScale(2, 3);
    font.DrawText("ABA", 10, 20, 1, 0);
    const std::vector<CharCall> shadow = rec.layer(eDrawCharStatus::Shadow);
    const std::vector<CharCall> border = rec.layer(eDrawCharStatus::Border);
    const std::vector<CharCall> face = rec.layer(eDrawCharStatus::Face);
    ASSERT_EQ(face.size(), 3u);
    ASSERT_EQ(shadow.size(), 3u);
    ASSERT_EQ(border.size(), 2u); // B has no border picture
    // Face pen: 10, 10 + (16 + 2) * 2 = 46, 46 + (24 + 2) * 2 = 98.
    EXPECT_FLOAT_EQ(face[1].x, 46);
    EXPECT_FLOAT_EQ(face[2].x, 98);
    EXPECT_FLOAT_EQ(shadow[2].x, 98);
    // The border pen does not move over B, so its second A sits at 46.
    EXPECT_FLOAT_EQ(border[1].x, 46);
    EXPECT_EQ(shadow[0].scaleX, 0);
    EXPECT_EQ(border[0].scaleX, 2);
    EXPECT_EQ(face[0].scaleY, 3);
    // Shadow first, then border, then face.
    EXPECT_EQ(rec.calls.front().layer, eDrawCharStatus::Shadow);
    EXPECT_EQ(rec.calls.back().layer, eDrawCharStatus::Face);
}

TEST_F(DrawTest, LayerSwitchesAndBlends) {
    font.SetShadowBlend(EConstBlend::Shade);
    font.SetBorderBlend(EConstBlend::Solid);
    font.SetFaceBlend(EConstBlend::Light);
    SetBlend(EConstBlend::Mask);
    font.DrawText("A", 0, 0, 1, 0);
    ASSERT_EQ(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[0].blend, EConstBlend::Shade);
    EXPECT_EQ(rec.calls[1].blend, EConstBlend::Solid);
    EXPECT_EQ(rec.calls[2].blend, EConstBlend::Light);
    EXPECT_EQ(ReadBlend(), EConstBlend::Mask);
    EXPECT_EQ(font.PrivateData.RenderStatus.OldBlend, EConstBlend::Mask);

    rec.calls.clear();
    font.DrawText("A", 0, 0, 0, 0);
    for (const CharCall& c : rec.calls) EXPECT_EQ(c.blend, EConstBlend::Mask);

    rec.calls.clear();
    font.SetDrawShadow(0);
    font.SetDrawBorder(0);
    font.DrawText("A", 0, 0, 1, 0);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].layer, eDrawCharStatus::Face);
}

TEST_F(DrawTest, LineFeedStartsANewLine) {
    font.Kerning.SetVKerning(4);
    SetDrawScale(2, 2);
    font.DrawText("AB\nC", 100, 50, 1, 0);
    const std::vector<CharCall> face = rec.layer(eDrawCharStatus::Face);
    ASSERT_EQ(face.size(), 3u);
    EXPECT_FLOAT_EQ(face[2].x, 100);
    EXPECT_FLOAT_EQ(face[2].y, 50 + (30 + 4) * 2);
    ASSERT_EQ(rec.begins.size(), 1u); // one text, one begin and one end
    EXPECT_EQ(rec.ends.size(), 1u);
}

TEST_F(DrawTest, RotationPlacesGlyphsOnTheRay) {
    SetDrawRotation(90);
    font.DrawText("AB\nA", 100, 50, 1, 0);
    std::vector<CharCall> face = rec.layer(eDrawCharStatus::Face);
    ASSERT_EQ(face.size(), 3u);
    EXPECT_NEAR(face[0].x, 100, 1e-3);
    EXPECT_NEAR(face[0].y, 50, 1e-3);
    EXPECT_NEAR(face[1].x, 100, 1e-3); // 16 along the ray, straight down
    EXPECT_NEAR(face[1].y, 66, 1e-3);
    EXPECT_NEAR(face[2].x, 100, 1e-3); // the second line's own origin
    EXPECT_NEAR(face[2].y, 80, 1e-3);

    rec.calls.clear();
    SetDrawRotation(0.005f);
    font.DrawText("AB", 100, 50, 1, 0);
    face = rec.layer(eDrawCharStatus::Face);
    EXPECT_FLOAT_EQ(face[1].x, 116);
    EXPECT_FLOAT_EQ(face[1].y, 50);
}

// Hooks of the chain: the second one changes the character to C.
struct Swapper : iTextRendererFXBase {
    int begins = 0;
    void DrawTextBegin(TDrawTextAction&) override { begins++; }
    void DrawFaceChar(TDrawCharAction& a) override {
        if (a.Char == 'A') a.Char = 'C';
    }
};

TEST_F(DrawTest, HookChain) {
    Swapper swapper;
    rec.handle = 0;
    rec.ChainFX = &swapper;
    font.DrawText("AA", 0, 0, 1, 0);
    // The chain sees every glyph; the pen then advances by C (12), the
    // character the hooks chose.
    const std::vector<CharCall> face = rec.layer(eDrawCharStatus::Face);
    ASSERT_EQ(face.size(), 2u);
    EXPECT_FLOAT_EQ(face[1].x, 12);
    EXPECT_EQ(swapper.begins, 0); // only the first hook hears of the text
    EXPECT_EQ(rec.begins.size(), 1u);
}

struct Thrower : iTextRendererFXBase {
    void DrawFaceChar(TDrawCharAction&) override { throw std::runtime_error("boom"); }
};

TEST_F(DrawTest, GuardedDrawReportsFailures) {
    try {
        DrawBitmapFontText(nullptr, "A", 0, 0, 1);
        ADD_FAILURE();
    } catch (const TDrawTextException& e) {
        EXPECT_EQ(e.ToString(), "Can't draw text becouse the bitmapfont is null.");
        EXPECT_EQ(e.GetFontObject(), nullptr);
    }
    Thrower thrower;
    font.RenderFX = &thrower;
    SetBlend(EConstBlend::Solid);
    try {
        DrawBitmapFontText(&font, "A", 0, 0, 1);
        ADD_FAILURE();
    } catch (const TDrawTextException& e) {
        EXPECT_EQ(e.ToString(), "There was an unhandled exception inside this drawtext operation. The exception "
                                "source is: std::runtime_error:boom");
    }
    EXPECT_EQ(ReadBlend(), EConstBlend::Solid); // restored despite the failure
}

TEST_F(DrawTest, MaxWidthBreaksLines) {
    struct Case {
        const char* text;
        double maxWidth;
        std::vector<std::pair<std::string, float>> lines; // text drawn and its y
    } cases[] = {
        // A is 20 wide, advances 16: "AAA" needs 16 + 16 + 20 = 52.
        {"AAA", 60, {{"AAA", 0}}},
        {"AAA", 52, {{"AA", 0}, {"A", 30}}},
        {"AAAA", 40, {{"AA", 0}, {"AA", 30}}},
        {"A\nA", 100, {{"A", 0}, {"A", 30}}},
        {"AxA", 100, {{"AA", 0}}},
        // A glyph wider than the limit: the empty pending line, then the glyph alone.
        {"A", 10, {{"", 0}, {"A", 0}}},
    };
    for (const Case& c : cases) {
        rec.begins.clear();
        font.DrawTextMaxWidth(c.text, 5, 0, c.maxWidth, 1);
        std::vector<std::pair<std::string, float>> got;
        for (const TDrawTextAction& a : rec.begins) {
            std::string line;
            for (char16_t u : a.Text) line.push_back(char(u));
            got.emplace_back(line, a.Y);
            EXPECT_EQ(a.X, 5);
        }
        EXPECT_EQ(got, c.lines) << c.text << " " << c.maxWidth;
    }
}

TEST_F(DrawTest, MaxWidthStopsBelowTheScreen) {
    std::string text;
    for (int i = 0; i < 40; i++) text += "A\n";
    font.DrawTextMaxWidth(text, 0, 0, 1000, 1);
    const float bottom = LogicalHeight();
    ASSERT_FALSE(rec.begins.empty());
    for (const TDrawTextAction& a : rec.begins) EXPECT_LE(a.Y, bottom);
    EXPECT_LT(rec.begins.size(), 40u);
}

} // namespace
