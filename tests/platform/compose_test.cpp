// The compositor read back from the frame: which canvas pixels a placed
// picture covers, runs of every length, filtering at clear edges, and
// placements too flat or too large to draw.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "platform/compose_spans.h"
#include "platform/platform.h"
#include "tests/harness/harness.h"
#include "tests/platform/drawing.h"

using harness::Frame;
using harness::framePixel;
using harness::grabFrame;
using harness::Rgb;
using drawing::Background;
using drawing::Plain;

namespace {

Rgb PixelOf(const Frame& f, int x, int y)
{
    const uint8_t* p = f.at(x, y);
    return Rgb{p[0], p[1], p[2]};
}

class Compose : public harness::HeadlessTest {};

} // namespace

TEST_F(Compose, ExactlyThePixelsWhoseCentreFallsOnThePictureAreDrawn)
{
    PicturePtr pic = Plain(7, 5, 255, 255, 255, 255);
    SetPictureHandle(pic.get(), 2, 3);
    std::mt19937 rng(1234);
    std::uniform_real_distribution<double> scale(0.3, 9.0), turn(-360.0, 360.0), place(-30.0, 130.0);
    for (int round = 0; round < 40; ++round) {
        const double sx = scale(rng) * (rng() % 2 ? 1 : -1), sy = scale(rng) * (rng() % 3 ? 1 : -1);
        const double rot = round % 4 == 0 ? 0.0 : turn(rng);
        // Every few rounds the handle sits by the frame's left edge, so the
        // picture hangs over it.
        const bool edge = round % 5 == 0;
        const double x = edge ? place(rng) / 8 : place(rng) + 300, y = place(rng) + 200;
        SCOPED_TRACE(testing::Message() << "scale " << sx << "," << sy << " turn " << rot << " at " << x << "," << y);
        Cls();
        SetBlend(BLEND_ALPHA);
        SetDrawScale(static_cast<float>(sx), static_cast<float>(sy));
        SetDrawRotation(static_cast<float>(rot));
        DrawPicture(pic.get(), static_cast<float>(x), static_cast<float>(y), 0);
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        const Frame f = grabFrame();
        const double rad = static_cast<float>(rot) * M_PI / 180.0, c = std::cos(rad), s = std::sin(rad);
        int drawn = 0, wrong = 0;
        for (int py = 0; py < 400; ++py) {
            for (int px = 0; px < 600; ++px) {
                // The pixel centre in picture coordinates.
                const double dx = px + 0.5 - static_cast<float>(x), dy = py + 0.5 - static_cast<float>(y);
                const double u = (c * dx + s * dy) / static_cast<float>(sx) + 2;
                const double v = (-s * dx + c * dy) / static_cast<float>(sy) + 3;
                const double margin = 1e-3;
                const bool inside = u > margin && u < 7 - margin && v > margin && v < 5 - margin;
                const bool outside = u < -margin || u > 7 + margin || v < -margin || v > 5 + margin;
                const Rgb got = PixelOf(f, px, py);
                if (inside) {
                    ++drawn;
                    wrong += got != Rgb{255, 255, 255};
                } else if (outside) {
                    wrong += got != Rgb{0, 0, 0};
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        if (!edge) {
            EXPECT_GT(drawn, 0);
        }
    }
}

TEST_F(Compose, RunsOfEveryLengthCombineAlike)
{
    // Wide loops take four pixels at a time and single ones finish the run;
    // both must give the same colour.
    struct Case {
        int mode, alpha, colour;
        float drawAlpha;
    };
    const Case cases[] = {
        {BLEND_ALPHA, 180, 255, 1.0f}, {BLEND_ALPHA, 255, 255, 1.0f}, {BLEND_ALPHA, 200, 90, 0.6f},
        {BLEND_LIGHT, 255, 255, 1.0f}, {BLEND_LIGHT, 140, 200, 0.7f}, {BLEND_SHADE, 255, 255, 1.0f},
        {BLEND_SHADE, 120, 60, 0.8f},  {BLEND_SOLID, 30, 255, 1.0f},  {BLEND_SOLID, 30, 100, 1.0f},
        {BLEND_MASK, 200, 255, 1.0f},  {BLEND_MASK, 200, 70, 1.0f},
    };
    for (const Case& c : cases) {
        for (int width = 1; width <= 13; width += 3) {
            SCOPED_TRACE(testing::Message() << "mode " << c.mode << " alpha " << c.alpha << " colour " << c.colour
                                            << " width " << width);
            Background(90, 90, 90);
            PicturePtr pic = Plain(width, 2, 220, 130, 40, c.alpha);
            SetBlend(c.mode);
            SetColor(c.colour, 255, c.colour);
            SetAlpha(c.drawAlpha);
            DrawPicture(pic.get(), 101, 50, 0);
            SetColor(255, 255, 255);
            SetAlpha(1);
            const Frame f = grabFrame();
            const Rgb first = PixelOf(f, 101, 50);
            EXPECT_NE(first, (Rgb{90, 90, 90})) << "the picture shows";
            for (int x = 101; x < 101 + width; ++x) EXPECT_EQ(PixelOf(f, x, 51), first) << "at " << x;
            EXPECT_EQ(PixelOf(f, 101 + width, 50), (Rgb{90, 90, 90})) << "just after the run";
        }
    }
}

TEST_F(Compose, FilteringMixesColourWithoutDarkeningClearEdges)
{
    // Opaque red beside a clear black pixel, stretched sixteen times over white.
    PicturePtr pic = NewBlankPicture(2, 1, 1, PIC_FILTER);
    Pixmap* px = LockFrame(pic.get(), 0, 0, 1);
    px->at(0, 0)[0] = 255;
    px->at(0, 0)[3] = 255;
    UnlockFrame(pic.get(), 0);
    auto stretched = [](Picture* p) {
        Background(255, 255, 255);
        SetBlend(BLEND_ALPHA);
        SetDrawScale(16, 16);
        DrawPicture(p, 100, 100, 0);
        SetDrawScale(1, 1);
        return grabFrame();
    };
    const Frame f = stretched(pic.get());
    EXPECT_EQ(PixelOf(f, 102, 108), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(f, 130, 108), (Rgb{255, 255, 255}));
    int previous = 0;
    for (int x = 100; x < 132; ++x) {
        const Rgb got = PixelOf(f, x, 108);
        EXPECT_GE(got.r, 254) << "red never turns dark at " << x;
        EXPECT_GE(got.g, previous) << "fades evenly towards white at " << x;
        previous = got.g;
    }
    EXPECT_GT(PixelOf(f, 116, 108).g, 60) << "the middle is mixed";
    EXPECT_LT(PixelOf(f, 116, 108).g, 200);

    // Without filtering the same picture keeps a hard edge.
    PicturePtr hard = NewBlankPicture(2, 1, 1, 0);
    Paste(LockFrame(hard.get(), 0, 0, 1), LockFrame(pic.get(), 0, 1, 0), 0, 0);
    UnlockFrame(hard.get(), 0);
    const Frame g = stretched(hard.get());
    EXPECT_EQ(PixelOf(g, 115, 108), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(g, 116, 108), (Rgb{255, 255, 255}));
}

TEST_F(Compose, FlatHugeAndFarPlacementsAreHarmless)
{
    PicturePtr pic = Plain(9, 9, 255, 255, 255, 255, -1);
    struct Case {
        float sx, sy, rot, x, y;
    };
    const Case cases[] = {
        {1e-7f, 1e-7f, 0, 500, 400},   {1e7f, 1e7f, 0, 500, 400},     {1e6f, 1e-6f, 89.999f, 500, 400},
        {1e-6f, 1e6f, 30, 500, 400},   {1, 1, 0, -1e9f, 400},         {1, 1, 0, 3e9f, -3e9f},
        {3e4f, 2e4f, 17, -9e5f, 4e5f}, {2, 2, 1e9f, 500, 400},        {1e30f, 1e30f, 45, 500, 400},
        {1e-30f, 1, 0, 500, 400},      {-1e-30f, -1e-30f, 0, 500, 400},
    };
    for (int mode : {BLEND_ALPHA, BLEND_SOLID, BLEND_MASK, BLEND_LIGHT, BLEND_SHADE}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " scale " << c.sx << "," << c.sy);
            Cls();
            SetBlend(mode);
            SetDrawScale(c.sx, c.sy);
            SetDrawRotation(c.rot);
            DrawPicture(pic.get(), c.x, c.y, 0);
            SetDrawScale(1, 1);
            SetDrawRotation(0);
            EXPECT_EQ(framePixel(10, 10), (Rgb{0, 0, 0}));
        }
    }
    // A huge picture still fills what it covers.
    Cls();
    SetBlend(BLEND_SOLID);
    SetDrawScale(1e5f, 1e5f);
    DrawPicture(pic.get(), -1e5f, -1e5f, 0);
    SetDrawScale(1, 1);
    EXPECT_EQ(framePixel(512, 384), (Rgb{255, 255, 255}));
}

TEST(ComposeSamples, PremultipliedAndFilteredSamplesMatchTheOnePixelFormulas)
{
    std::mt19937 rng(99);
    const auto slow = [](uint32_t p) {
        const uint32_t a = p >> 24;
        return (a << 24) | (Div255(((p >> 16) & 255) * a) << 16) | (Div255(((p >> 8) & 255) * a) << 8) |
               Div255((p & 255) * a);
    };
    std::vector<uint32_t> in(1003), out(1003);
    for (int round = 0; round < 200; ++round) {
        // Opaque, clear and in between, so every shortcut is taken.
        for (uint32_t& p : in) {
            const uint32_t kind = rng() % 4;
            p = (rng() & 0x00FFFFFFu) | (kind == 0 ? 0xFF000000u : kind == 1 ? 0u : rng() & 0xFF000000u);
        }
        PremultiplySpan(out.data(), in.data(), static_cast<int>(in.size()));
        for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(out[i], slow(in[i])) << std::hex << in[i];
        for (int k = 0; k < 50; ++k) {
            const uint32_t* p = &in[rng() % 999];
            const uint32_t fx = rng() % 256, fy = rng() % 256;
            ASSERT_EQ(Bilinear(p[0], p[1], p[2], p[3], fx, fy, false),
                      Mix(Mix(p[0], p[1], fx), Mix(p[2], p[3], fx), fy));
            ASSERT_EQ(Bilinear(p[0], p[1], p[2], p[3], fx, fy, true),
                      Mix(Mix(slow(p[0]), slow(p[1]), fx), Mix(slow(p[2]), slow(p[3]), fx), fy));
        }
    }
}
