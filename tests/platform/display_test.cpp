// Drawing state, blend modes, placement and clipping, read back from the frame.
#include <cmath>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/harness/harness.h"
#include "tests/platform/drawing.h"

using harness::framePixel;
using harness::Rgb;
using drawing::Background;
using drawing::Plain;

namespace {

bool Near(const Rgb& a, const Rgb& b, int tolerance = 2)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

class Display : public harness::HeadlessTest {};

} // namespace

TEST_F(Display, OpensWithTheInitialDrawingState)
{
    ASSERT_EQ(DisplayIsOpen(), 1);
    EXPECT_EQ(DisplayWidth(), 1024);
    EXPECT_EQ(DisplayHeight(), 768);
    EXPECT_EQ(LogicalWidth(), 1024.0f);
    int r, g, b;
    ReadColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    EXPECT_EQ(ReadAlpha(), 1.0f);
    EXPECT_EQ(ReadBlend(), BLEND_MASK);
    float sx, sy;
    ReadScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    EXPECT_EQ(sy, 1.0f);
    EXPECT_EQ(ReadRotation(), 0.0f);
    EXPECT_EQ(framePixel(500, 400), (Rgb{0, 0, 0}));
}

struct BlendCase {
    const char* name;
    int mode;
    int src[4];
    float alpha;
    int bg[3];
    Rgb expected;
};

TEST_F(Display, EveryBlendModeCombinesAsDescribed)
{
    const BlendCase cases[] = {
        {"mask keeps alpha >= 128 opaque", BLEND_MASK, {200, 100, 50, 200}, 1.0f, {100, 100, 100}, {200, 100, 50}},
        {"mask drops alpha < 128", BLEND_MASK, {200, 100, 50, 127}, 1.0f, {100, 100, 100}, {100, 100, 100}},
        {"mask uses pixel alpha x alpha", BLEND_MASK, {200, 100, 50, 200}, 0.5f, {100, 100, 100}, {100, 100, 100}},
        {"mask at 0.6 keeps full alpha", BLEND_MASK, {200, 100, 50, 255}, 0.6f, {100, 100, 100}, {200, 100, 50}},
        {"solid ignores alpha", BLEND_SOLID, {200, 100, 50, 0}, 0.3f, {100, 100, 100}, {200, 100, 50}},
        {"alpha mixes by alpha", BLEND_ALPHA, {200, 100, 50, 255}, 0.5f, {100, 100, 100}, {150, 100, 75}},
        {"alpha mixes by pixel alpha", BLEND_ALPHA, {200, 100, 50, 128}, 1.0f, {100, 100, 100}, {150, 100, 75}},
        {"light adds", BLEND_LIGHT, {100, 50, 20, 255}, 1.0f, {100, 100, 100}, {200, 150, 120}},
        {"light saturates", BLEND_LIGHT, {200, 200, 200, 255}, 1.0f, {100, 100, 100}, {255, 255, 255}},
        {"light scales by alpha", BLEND_LIGHT, {100, 50, 20, 255}, 0.5f, {100, 100, 100}, {150, 125, 110}},
        {"shade multiplies", BLEND_SHADE, {128, 255, 0, 255}, 1.0f, {200, 100, 100}, {100, 100, 0}},
        {"shade leaves transparent pixels", BLEND_SHADE, {0, 0, 0, 0}, 1.0f, {200, 100, 100}, {200, 100, 100}},
    };
    for (const BlendCase& c : cases) {
        SCOPED_TRACE(c.name);
        Cls();
        Background(c.bg[0], c.bg[1], c.bg[2]);
        PicturePtr pic = Plain(16, 16, c.src[0], c.src[1], c.src[2], c.src[3]);
        SetBlend(c.mode);
        SetAlpha(c.alpha);
        DrawPicture(pic.get(), 100, 100, 0);
        SetAlpha(1);
        const Rgb got = framePixel(108, 108);
        EXPECT_TRUE(Near(got, c.expected)) << "got " << got << " expected " << c.expected;
        EXPECT_EQ(framePixel(90, 90), (Rgb{c.bg[0], c.bg[1], c.bg[2]})) << "outside the picture";
    }
}

TEST_F(Display, ColourAndAlphaAreClampedWhenUsed)
{
    struct Case {
        int colour;
        float alpha;
        Rgb expected;
    };
    // White picture over grey 100 with alpha blending.
    const Case cases[] = {
        {256, 1.0f, {255, 255, 255}}, {1000, 1.0f, {255, 255, 255}}, {-32, 1.0f, {0, 0, 0}},
        {255, -0.8f, {100, 100, 100}}, {255, 1.5f, {255, 255, 255}}, {255, 0.0f, {100, 100, 100}},
    };
    PicturePtr white = Plain(10, 10, 255, 255, 255, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour " << c.colour << " alpha " << c.alpha);
        Background(100, 100, 100);
        SetBlend(BLEND_ALPHA);
        SetColor(c.colour, c.colour, c.colour);
        SetAlpha(c.alpha);
        DrawPicture(white.get(), 10, 10, 0);
        int r, g, b;
        ReadColor(r, g, b);
        EXPECT_EQ(r, c.colour) << "the stored value is kept unclamped";
        EXPECT_EQ(ReadAlpha(), c.alpha);
        EXPECT_EQ(framePixel(15, 15), c.expected);
        SetColor(255, 255, 255);
        SetAlpha(1);
    }
    // The other modes clamp the same way.
    for (int mode : {BLEND_MASK, BLEND_LIGHT, BLEND_SHADE}) {
        Background(100, 100, 100);
        SetBlend(mode);
        SetAlpha(-0.8f);
        DrawPicture(white.get(), 10, 10, 0);
        EXPECT_EQ(framePixel(15, 15), (Rgb{100, 100, 100})) << "mode " << mode;
        SetAlpha(1);
    }
}

TEST_F(Display, ScaleAndRotationPlaceEveryPixelByTheMatrix)
{
    // Left half red, right half blue, so flips and turns show.
    PicturePtr pic = NewBlankPicture(40, 20, 1, 0);
    Pixmap* px = LockFrame(pic.get(), 0, 0, 1);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            uint8_t* p = px->at(x, y);
            p[0] = x < 20 ? 255 : 0;
            p[2] = x < 20 ? 0 : 255;
            p[3] = 255;
        }
    }
    UnlockFrame(pic.get(), 0);
    SetPictureHandle(pic.get(), 10, 5);
    struct Case {
        float sx, sy, rot;
    };
    const Case cases[] = {{1, 1, 0}, {2, 3, 0}, {1, 1, 90}, {1.5f, 2, 30}, {-1, 1, 0}, {1, -2, 0}, {-2, 1.5f, 135},
                          {3, 3, -60}};
    const float x = 500, y = 400;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale " << c.sx << "," << c.sy << " rotation " << c.rot);
        Cls();
        SetBlend(BLEND_ALPHA);
        SetDrawScale(c.sx, c.sy);
        SetDrawRotation(c.rot);
        DrawPicture(pic.get(), x, y, 0);
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        const double rad = c.rot * M_PI / 180.0;
        // Middle of the red half and of the blue half, measured from the handle.
        for (int half = 0; half < 2; ++half) {
            const double u = (half == 0 ? 10 : 30) - 10, v = 10 - 5;
            const double X = x + u * std::cos(rad) * c.sx - v * std::sin(rad) * c.sy;
            const double Y = y + u * std::sin(rad) * c.sx + v * std::cos(rad) * c.sy;
            const Rgb got = framePixel(static_cast<int>(std::floor(X)), static_cast<int>(std::floor(Y)));
            EXPECT_EQ(got, half == 0 ? (Rgb{255, 0, 0}) : (Rgb{0, 0, 255})) << "at " << X << "," << Y;
        }
        // Just beyond the far end of the picture along u nothing is drawn.
        const double u = (40 - 10) + 3 / std::fabs(c.sx), v = 0;
        const double X = x + u * std::cos(rad) * c.sx - v * std::sin(rad) * c.sy;
        const double Y = y + u * std::sin(rad) * c.sx + v * std::cos(rad) * c.sy;
        EXPECT_EQ(framePixel(static_cast<int>(std::floor(X)), static_cast<int>(std::floor(Y))), (Rgb{0, 0, 0}));
    }
}

TEST_F(Display, TurnedPicturesAreModulatedAndBlendedLikeOthers)
{
    PicturePtr pic = Plain(30, 30, 200, 100, 240, 255);
    CentrePictureHandle(pic.get());
    for (float rotation : {0.0f, 45.0f}) {
        for (float sx : {1.0f, -1.0f}) {
            SCOPED_TRACE(testing::Message() << "rotation " << rotation << " scale " << sx);
            Background(100, 100, 100);
            SetDrawRotation(rotation);
            SetDrawScale(sx, 1);
            SetColor(128, 255, 64);
            SetAlpha(0.5f);
            SetBlend(BLEND_ALPHA);
            DrawPicture(pic.get(), 300, 300, 0);
            SetBlend(BLEND_LIGHT);
            DrawPicture(pic.get(), 600, 300, 0);
            SetColor(255, 255, 255);
            SetAlpha(1);
            SetDrawRotation(0);
            SetDrawScale(1, 1);
            // 200*128/255 = 100, 100, 240*64/255 = 60; half over grey 100.
            EXPECT_TRUE(Near(framePixel(300, 300), Rgb{100, 100, 80}, 3)) << framePixel(300, 300);
            EXPECT_TRUE(Near(framePixel(600, 300), Rgb{150, 150, 130}, 3)) << framePixel(600, 300);
        }
    }
}

TEST_F(Display, ViewportClipsDrawing)
{
    PicturePtr pic = Plain(300, 300, 0, 255, 0, 255);
    SetBlend(BLEND_SOLID);
    SetViewport(100, 120, 50, 40);
    DrawPicture(pic.get(), 0, 0, 0);
    EXPECT_EQ(framePixel(100, 120), (Rgb{0, 255, 0}));
    EXPECT_EQ(framePixel(149, 159), (Rgb{0, 255, 0}));
    EXPECT_EQ(framePixel(99, 130), (Rgb{0, 0, 0}));
    EXPECT_EQ(framePixel(150, 130), (Rgb{0, 0, 0}));
    EXPECT_EQ(framePixel(120, 119), (Rgb{0, 0, 0}));
    EXPECT_EQ(framePixel(120, 160), (Rgb{0, 0, 0}));
    // Turned pictures are clipped the same way.
    Cls();
    SetDrawRotation(10);
    DrawPicture(pic.get(), 0, 0, 0);
    SetDrawRotation(0);
    EXPECT_EQ(framePixel(125, 140), (Rgb{0, 255, 0}));
    EXPECT_EQ(framePixel(99, 140), (Rgb{0, 0, 0}));
    EXPECT_EQ(framePixel(125, 160), (Rgb{0, 0, 0}));
    // An empty viewport draws nothing; a full one everything again.
    Cls();
    SetViewport(10, 10, 0, 0);
    DrawPicture(pic.get(), 0, 0, 0);
    EXPECT_EQ(framePixel(10, 10), (Rgb{0, 0, 0}));
    SetViewport(0, 0, 1024, 768);
    DrawPicture(pic.get(), 0, 0, 0);
    EXPECT_EQ(framePixel(299, 299), (Rgb{0, 255, 0}));
}

TEST_F(Display, ReopeningKeepsPicturesAndResetsTheDrawingState)
{
    PicturePtr pic = Plain(20, 20, 250, 40, 10, 255, -1);
    SetBlend(BLEND_LIGHT);
    SetColor(10, 20, 30);
    SetAlpha(0.25f);
    SetDrawScale(2, 2);
    SetDrawRotation(45);
    SetViewport(0, 0, 10, 10);
    DrawPicture(pic.get(), 50, 50, 0); // drawn once on the old display

    for (int depth : {32, 16, 0}) {
        SCOPED_TRACE(testing::Message() << "depth " << depth);
        ASSERT_EQ(OpenDisplay(1024, 768, depth, 60, 0), 1);
        EXPECT_EQ(ReadBlend(), BLEND_MASK);
        int r, g, b;
        ReadColor(r, g, b);
        EXPECT_EQ(r + g + b, 3 * 255);
        EXPECT_EQ(ReadAlpha(), 1.0f);
        float sx, sy;
        ReadScale(sx, sy);
        EXPECT_EQ(sx * sy, 1.0f);
        EXPECT_EQ(ReadRotation(), 0.0f);
        DrawPicture(pic.get(), 600, 300, 0);
        EXPECT_EQ(framePixel(610, 310), (Rgb{250, 40, 10})) << "the picture still draws";
        SetBlend(BLEND_ALPHA);
    }
}

TEST_F(Display, LockedFramesAreUploadedAgainBeforeTheNextDraw)
{
    PicturePtr pic = Plain(4, 4, 255, 0, 0, 255);
    SetBlend(BLEND_SOLID);
    DrawPicture(pic.get(), 0, 0, 0);
    EXPECT_EQ(framePixel(1, 1), (Rgb{255, 0, 0}));
    Pixmap* px = LockFrame(pic.get(), 0, 1, 1);
    px->at(1, 1)[1] = 255;
    UnlockFrame(pic.get(), 0);
    DrawPicture(pic.get(), 0, 0, 0);
    EXPECT_EQ(framePixel(1, 1), (Rgb{255, 255, 0}));
    EXPECT_EQ(framePixel(0, 0), (Rgb{255, 0, 0}));
}

TEST_F(Display, FlipPresentsTheFrameAndClsClearsIt)
{
    PicturePtr pic = Plain(4, 4, 9, 99, 199, 255);
    SetBlend(BLEND_SOLID);
    DrawPicture(pic.get(), 1020, 764, 0);
    Flip(1);
    EXPECT_EQ(framePixel(1023, 767), (Rgb{9, 99, 199})) << "the presented frame can be read back";
    const std::string path = env.dataHome() + "frame.png";
    EXPECT_TRUE(harness::saveFramePng(path));
    PicturePtr saved = LoadPicture(path, 0);
    ASSERT_TRUE(saved);
    EXPECT_EQ(PictureWidth(saved.get()), 1024);
    EXPECT_EQ(PictureHeight(saved.get()), 768);
    Cls();
    EXPECT_EQ(framePixel(1023, 767), (Rgb{0, 0, 0}));
}

TEST_F(Display, LogicalSizeMapsOntoTheDisplay)
{
    PicturePtr pic = Plain(4, 4, 255, 255, 255, 255);
    SetBlend(BLEND_SOLID);
    SetLogicalSize(512, 384);
    EXPECT_EQ(LogicalWidth(), 512.0f);
    DrawPicture(pic.get(), 10, 10, 0);
    SetLogicalSize(1024, 768);
    EXPECT_EQ(framePixel(20, 20), (Rgb{255, 255, 255}));
    EXPECT_EQ(framePixel(27, 27), (Rgb{255, 255, 255}));
    EXPECT_EQ(framePixel(28, 28), (Rgb{0, 0, 0}));
    EXPECT_EQ(framePixel(19, 19), (Rgb{0, 0, 0}));
}

TEST(DisplayClosed, DrawingWithoutADisplayIsHarmless)
{
    harness::HeadlessEnv env(false);
    EXPECT_EQ(DisplayIsOpen(), 0);
    PicturePtr pic = NewBlankPicture(4, 4, 1, 0);
    Cls();
    DrawPicture(pic.get(), 0, 0, 0);
    DrawPicture(nullptr, 0, 0, 0);
    Flip(1);
    std::vector<uint8_t> pixels;
    int w, h;
    EXPECT_FALSE(ReadFramePixels(pixels, w, h));
}
