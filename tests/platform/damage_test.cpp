// Frames composed again only where their draws changed: after every change a
// draw can undergo between two frames, the canvas must equal the whole frame
// composed from the clear colour, and the window must show the canvas.
#include <functional>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/harness/harness.h"
#include "tests/platform/drawing.h"
#include "tests/platform/frames.h"

using drawing::Plain;

namespace {

// A small picture with a soft round edge, so filtering, alpha and masks all
// meet pixels of every alpha.
PicturePtr Disc(int size, int r, int g, int b)
{
    PicturePtr pic = NewBlankPicture(size, size, 1, -1);
    Pixmap* px = LockFrame(pic.get(), 0, 0, 1);
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c) / c;
            uint8_t* p = px->at(x, y);
            p[0] = static_cast<uint8_t>(r * (1 - d / 3));
            p[1] = static_cast<uint8_t>(g);
            p[2] = static_cast<uint8_t>(b * d > 255 ? 255 : b * d);
            p[3] = d < 0.7 ? 255 : d < 1 ? static_cast<uint8_t>((1 - d) * 850) : 0;
        }
    }
    UnlockFrame(pic.get(), 0);
    CentrePictureHandle(pic.get());
    return pic;
}

struct Scene {
    PicturePtr ground = Plain(8, 8, 40, 60, 90, 255);
    PicturePtr a = Disc(40, 250, 120, 30);
    PicturePtr b = Disc(24, 30, 200, 250);
    PicturePtr c = Disc(32, 200, 40, 160);
};

// What a frame draws: frame 0 and 1 alike, frame 2 changes something
// (anything done only once happens then), frame 3 draws like frame 2.
using Draw = std::function<void(Scene&, int frame)>;

void Sprite(Picture* pic, int blend, float x, float y, float scale = 1, float turn = 0, float alpha = 1)
{
    SetBlend(blend);
    SetAlpha(alpha);
    SetDrawScale(scale, scale);
    SetDrawRotation(turn);
    DrawPicture(pic, x, y, 0);
    SetDrawScale(1, 1);
    SetDrawRotation(0);
    SetAlpha(1);
}

// The frame every case starts from: a background, overlapping sprites in
// every blend mode, some scaled and turned, one through a viewport.
void Base(Scene& s, int)
{
    SetBlend(BLEND_SOLID);
    SetDrawScale(128, 96);
    DrawPicture(s.ground.get(), 0, 0, 0);
    SetDrawScale(1, 1);
    Sprite(s.a.get(), BLEND_ALPHA, 300, 200, 2.5f, 30);
    Sprite(s.b.get(), BLEND_LIGHT, 320, 210, 1.5f);
    Sprite(s.c.get(), BLEND_MASK, 500.5f, 400.25f);
    Sprite(s.a.get(), BLEND_SHADE, 520, 410, 0.75f, -80, 0.6f);
    SetViewport(600, 100, 50, 50);
    Sprite(s.b.get(), BLEND_ALPHA, 620, 120, 4);
    SetViewport(0, 0, 1024, 768);
}

struct Case {
    const char* name;
    bool looksTheSame; // the change leaves the frame's pixels as they were
    Draw draw;
};

const Case kCases[] = {
    {"nothing changes", true, Base},
    {"a sprite moves by a fraction", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(s.c.get(), BLEND_ALPHA, ch ? 700.4f : 700, 300);
     }},
    {"alpha", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(s.c.get(), BLEND_ALPHA, 700, 300, 1, 0, ch ? 0.5f : 0.51f);
     }},
    {"colour", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         SetColor(255, ch ? 100 : 101, 255);
         Sprite(s.c.get(), BLEND_ALPHA, 700, 300);
         SetColor(255, 255, 255);
     }},
    {"blend", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(s.c.get(), ch ? BLEND_LIGHT : BLEND_ALPHA, 310, 205);
     }},
    {"scale", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(s.c.get(), BLEND_ALPHA, 310, 205, ch ? 1.01f : 1);
     }},
    {"turn", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(s.c.get(), BLEND_ALPHA, 310, 205, 1, ch ? 1 : 0);
     }},
    {"viewport", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         SetViewport(ch ? 305 : 300, 190, 30, 30);
         Sprite(s.a.get(), BLEND_LIGHT, 310, 205);
         SetViewport(0, 0, 1024, 768);
     }},
    {"logical size", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         SetLogicalSize(ch ? 512 : 1024, ch ? 384 : 768);
         Sprite(s.b.get(), BLEND_ALPHA, 200, 150);
         SetLogicalSize(1024, 768);
     }},
    {"two overlapping draws trade places", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Base(s, f);
         Sprite(ch ? s.b.get() : s.c.get(), BLEND_ALPHA, 800, 500);
         Sprite(ch ? s.c.get() : s.b.get(), BLEND_ALPHA, 810, 505);
     }},
    {"a draw comes", false, [](Scene& s, int f) {
         Base(s, f);
         if (f >= 2) Sprite(s.b.get(), BLEND_ALPHA, 90, 700);
     }},
    {"a draw goes", false, [](Scene& s, int f) {
         const bool ch = f >= 2;
         if (!ch) Sprite(s.b.get(), BLEND_ALPHA, 330, 200); // under the others
         Base(s, f);
     }},
    {"pixels rewritten through LockFrame", false, [](Scene& s, int f) {
         if (f == 2) {
             Pixmap* px = LockFrame(s.c.get(), 0, 1, 1);
             px->at(16, 16)[1] ^= 0xFF;
             UnlockFrame(s.c.get(), 0);
         }
         Base(s, f);
     }},
    {"a picture freed and another made in its place", false, [](Scene& s, int f) {
         if (f == 2) {
             s.b.reset();
             s.b = Disc(24, 30, 201, 250); // same size: likely the same memory
         }
         Base(s, f);
     }},
    {"Cls in the middle of the frame", true, [](Scene& s, int f) {
         const bool ch = f >= 2;
         Sprite(s.a.get(), BLEND_SOLID, ch ? 100 : 900, 100);
         Cls();
         Base(s, f);
     }},
};

class Damage : public harness::HeadlessTest {
protected:
    void Frame(Scene& s, const Draw& draw, int frame)
    {
        Cls();
        draw(s, frame);
        Flip(1);
        const std::string whole = frames::CanvasAgainstWholeFrame(), shown = frames::SurfaceAgainstCanvas();
        EXPECT_EQ(whole, "");
        EXPECT_EQ(shown, "");
    }
};

} // namespace

TEST_F(Damage, EveryChangeBetweenFramesGivesTheWholeFramesPixels)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        OpenDisplay(1024, 768, 0, 60, 0);
        Scene s;
        Frame(s, c.draw, 0);
        const FrameCounts first = Display().counts;
        Frame(s, c.draw, 1);
        EXPECT_EQ(Display().counts.unchanged, first.unchanged + 1) << "the same draws compose nothing";
        const FrameCounts before = Display().counts;
        Frame(s, c.draw, 2);
        const FrameCounts after = Display().counts;
        if (c.looksTheSame) {
            EXPECT_EQ(after.unchanged, before.unchanged + 1);
            EXPECT_EQ(after.presents, before.presents) << "an unchanged frame is not presented";
        } else {
            EXPECT_EQ(after.partial, before.partial + 1) << "a change composes only its part of the frame";
            EXPECT_EQ(after.presents, before.presents + 1);
        }
        Frame(s, c.draw, 3);
        EXPECT_EQ(Display().counts.unchanged, after.unchanged + 1) << "the frame after the change is the same";
        EXPECT_EQ(Display().counts.presents, after.presents);
    }
}

TEST_F(Damage, ReopeningTheDisplayComposesAndPresentsTheWholeFrame)
{
    Scene s;
    Frame(s, Base, 0);
    for (int depth : {32, 0}) {
        ASSERT_EQ(OpenDisplay(1024, 768, depth, 60, 0), 1);
        const FrameCounts before = Display().counts;
        Frame(s, Base, 0);
        EXPECT_EQ(Display().counts.whole, before.whole + 1);
        EXPECT_EQ(Display().counts.presents, before.presents + 1);
    }
}

TEST_F(Damage, PixelsAFinishedDrawStillNeedsOutliveTheirPicture)
{
    Scene s;
    Frame(s, Base, 0);
    Cls();
    Base(s, 0);
    PicturePtr gone = Plain(30, 30, 250, 10, 10, 255);
    Sprite(gone.get(), BLEND_SOLID, 50, 50);
    const harness::Rgb masked = harness::framePixel(500, 400);
    Pixmap* px = LockFrame(s.c.get(), 0, 1, 1); // drawn by Base: the draw keeps the old pixels
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) px->at(x, y)[3] = 0;
    }
    UnlockFrame(s.c.get(), 0);
    gone.reset();
    EXPECT_EQ(harness::framePixel(60, 60), (harness::Rgb{250, 10, 10})) << "the freed picture was drawn";
    EXPECT_EQ(harness::framePixel(500, 400), masked) << "the mask draw shows the pixels it was given";
    Flip(1);
    EXPECT_EQ(frames::CanvasAgainstWholeFrame(), "");
    EXPECT_EQ(harness::framePixel(60, 60), (harness::Rgb{250, 10, 10}));
}

TEST_F(Damage, ReadingTheFrameBackMidwaySeesEveryDrawSoFar)
{
    Scene s;
    Cls();
    Base(s, 0);
    const harness::Rgb ground = harness::framePixel(900, 700);
    EXPECT_EQ(ground, (harness::Rgb{40, 60, 90}));
    PicturePtr red = Plain(10, 10, 255, 0, 0, 255);
    Sprite(red.get(), BLEND_SOLID, 895, 695);
    EXPECT_EQ(harness::framePixel(900, 700), (harness::Rgb{255, 0, 0}));
    Cls();
    EXPECT_EQ(harness::framePixel(900, 700), (harness::Rgb{0, 0, 0})) << "Cls starts from the clear colour";
    Flip(1);
    EXPECT_EQ(frames::SurfaceAgainstCanvas(), "");
}

TEST_F(Damage, AFrameNeverClearedKeepsEveryDrawPastTheListsLimit)
{
    PicturePtr dot = Plain(1, 1, 255, 255, 255, 255);
    SetBlend(BLEND_LIGHT);
    SetColor(1, 1, 1);
    Cls();
    for (int i = 0; i < 70000; ++i) {
        DrawPicture(dot.get(), static_cast<float>(i % 1000), static_cast<float>(i / 1000), 0);
    }
    Flip(1);
    // Every pixel of the first 70 rows was lit once; the 71st row up to 0.
    EXPECT_EQ(harness::framePixel(999, 69), (harness::Rgb{1, 1, 1}));
    EXPECT_EQ(harness::framePixel(0, 70), (harness::Rgb{0, 0, 0}));
    for (int i = 0; i < 1000; ++i) DrawPicture(dot.get(), 5, 5, 0);
    Flip(1);
    EXPECT_EQ(harness::framePixel(5, 5), (harness::Rgb{255, 255, 255})) << "added up, saturating";
    EXPECT_EQ(frames::CanvasAgainstWholeFrame(), "");
    EXPECT_LE(Display().pending.size(), size_t{1} << 16);
}

// The window surface as RGBA words.
std::vector<uint32_t> SurfaceWords()
{
    SDL_Surface* s = SDL_GetWindowSurface(PlatformWindow());
    std::vector<uint32_t> words(static_cast<size_t>(s->w) * s->h);
    SDL_ConvertPixels(s->w, s->h, s->format->format, s->pixels, s->pitch, SDL_PIXELFORMAT_RGBA32, words.data(),
                      s->w * 4);
    return words;
}

TEST_F(Damage, AWindowOfAnotherSizeShowsTheFrameScaledWhereItChanged)
{
    Scene s;
    SDL_SetWindowSize(PlatformWindow(), 1280, 1000); // letterboxed: bars above and below
    PumpInput();
    for (int f = 0; f < 4; ++f) Frame(s, kCases[1].draw, f); // a sprite moves on the third frame
    EXPECT_EQ(Display().path, PresentPath::Surface);
    const std::vector<uint32_t> pieces = SurfaceWords();
    RepaintWindow();
    Frame(s, kCases[1].draw, 3);
    EXPECT_TRUE(SurfaceWords() == pieces) << "scaling the changed parts gives the whole frame's pixels";
    // 1024 x 768 scaled by 1.25 to 1280 x 960, 20 rows of black above.
    EXPECT_EQ(pieces[10 * 1280 + 640], 0xFF000000u);
    const harness::Rgb ground = harness::framePixel(1000, 700);
    const uint32_t inside = pieces[(20 + 875) * 1280 + 1250];
    EXPECT_EQ(static_cast<int>(inside & 255), ground.r);
    EXPECT_EQ(static_cast<int>((inside >> 16) & 255), ground.b);
    harness::mouseMove(640, 20 + 480);
    EXPECT_EQ(PointerX(), 512) << "the pointer is mapped into the frame";
    EXPECT_EQ(PointerY(), 384);

    SDL_SetWindowSize(PlatformWindow(), 1024, 768);
    PumpInput();
    const long long presents = Display().counts.presents;
    Frame(s, kCases[1].draw, 3);
    EXPECT_EQ(Display().counts.presents, presents + 1) << "the resized surface gets the whole unchanged frame";
    EXPECT_EQ(frames::SurfaceAgainstCanvas(), "");
}
