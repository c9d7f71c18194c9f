// Drawing and overlap figures of the platform layer, headless on the CPU.
#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/platform.h"
#include "tests/harness/harness.h"

namespace {

// A round 48 x 48 sprite: solid disc, soft rim, clear corners.
PicturePtr Sprite()
{
    PicturePtr pic = NewBlankPicture(48, 48, 1, -1);
    Pixmap* px = LockFrame(pic.get(), 0, 1, 1);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const double d = std::hypot(x - 23.5, y - 23.5);
            uint8_t* p = px->at(x, y);
            p[0] = static_cast<uint8_t>(40 + x * 4);
            p[1] = static_cast<uint8_t>(200 - y * 3);
            p[2] = 120;
            p[3] = d < 20 ? 255 : d < 24 ? static_cast<uint8_t>((24 - d) * 63) : 0;
        }
    }
    UnlockFrame(pic.get(), 0);
    CentrePictureHandle(pic.get());
    return pic;
}

PicturePtr FullScreen(uint8_t alpha)
{
    PicturePtr pic = NewBlankPicture(1024, 768, 1, 0);
    Pixmap* px = LockFrame(pic.get(), 0, 1, 1);
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            uint8_t* p = px->at(x, y);
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x ^ y);
            p[3] = alpha;
        }
    }
    UnlockFrame(pic.get(), 0);
    return pic;
}

// One frame: a solid full-screen background, state.range(0) turned, scaled,
// alpha-blended 48 x 48 sprites, a translucent full-screen overlay, Flip.
// The sprites turn a little every frame, so with sprites every frame is
// composed whole; without them the frame never changes and costs only the
// comparison of its draws.
void BM_Frame(benchmark::State& state)
{
    harness::HeadlessEnv env;
    PicturePtr sprite = Sprite();
    PicturePtr background = FullScreen(255);
    PicturePtr overlay = FullScreen(96);
    int frame = 0;
    for (auto _ : state) {
        Cls();
        SetBlend(BLEND_SOLID);
        SetAlpha(1);
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        DrawPicture(background.get(), 0, 0, 0);
        SetBlend(BLEND_ALPHA);
        const int sprites = static_cast<int>(state.range(0));
        for (int i = 0; i < sprites; ++i) {
            SetDrawRotation(static_cast<float>((i * 37 + frame * 3) % 360));
            const float s = 0.6f + (i % 7) * 0.15f;
            SetDrawScale(s, s);
            SetAlpha(0.3f + (i % 5) * 0.15f);
            DrawPicture(sprite.get(), static_cast<float>((i * 97) % 1024), static_cast<float>((i * 53) % 768), 0);
        }
        SetDrawRotation(0);
        SetDrawScale(1, 1);
        SetAlpha(1);
        DrawPicture(overlay.get(), 0, 0, 0);
        Flip(1);
        ++frame;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_PicturesOverlap48(benchmark::State& state)
{
    harness::HeadlessEnv env(false);
    PicturePtr a = Sprite();
    PicturePtr b = Sprite();
    // Placed so that only the clear corners meet: no early exit, every shared
    // pixel is tested.
    const float offset = static_cast<float>(state.range(0));
    SetDrawRotation(static_cast<float>(state.range(1)));
    int hits = 0;
    for (auto _ : state) {
        hits += PicturesOverlap(a.get(), 500, 300, 0, b.get(), 500 + offset, 300 + offset, 0);
        benchmark::DoNotOptimize(hits);
    }
    SetDrawRotation(0);
}
BENCHMARK(BM_PicturesOverlap48)->Args({34, 0})->Args({34, 30})->Args({4, 0});

} // namespace
