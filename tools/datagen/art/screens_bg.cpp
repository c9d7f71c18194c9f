// The game backgrounds of the ten weeks (a walk up the valley from early spring
// to the first snow), the menu background without a player and the loading
// screen's background.
#include "art/screens_kit.h"
#include "family.h"

namespace art::scr {
namespace {

constexpr int kJpegQuality = 85;
constexpr int kBlackFloor = 12; // keeps pure black out of pictures loaded with the colour key

Scene weekScene(int week) {
    Scene s;
    s.seed = 1000 + week * 17;
    s.season = 0.04 + (week - 1) * 0.105; // week 10: first snow
    s.horizon = 300 + (week % 3) * 25;
    s.terraces = 2 + week % 2;
    s.pond = week == 1 || week == 4 || week == 8;
    s.arches = week == 2 || week == 5 || week == 7;
    s.waterfall = week == 3 || week == 5;
    s.gate = week == 10;
    s.stoneCircle = week == 4 || week == 6;
    s.columns = week == 5 || week == 7;
    s.lanterns = week == 9;
    s.conifers = week >= 7;
    s.dusk = week == 6 ? 0.3 : week == 8 ? 0.2 : week == 9 ? 0.5 : 0.0;
    return s;
}

void gameBackgrounds(const datagen::Context& ctx) {
    for (int week = 1; week <= 10; ++week) {
        Canvas c(1024, 768);
        paintLandscape(c, weekScene(week));
        calmBoardArea(c, 0.22, 0.35);
        canvasTexture(c, 0.08, week);
        liftBlacks(c, kBlackFloor);
        c.saveJpeg(ctx.file("data/bg/bg" + std::to_string(week) + ".jpg"), kJpegQuality);
    }
}

void menuBackgrounds(const datagen::Context& ctx) {
    {
        Scene s; // the valley waiting for its first gardener: spring morning, the gate lit
        s.seed = 77;
        s.season = 0.12;
        s.horizon = 320;
        s.terraces = 2;
        s.gate = true;
        s.pond = true;
        Canvas c(1024, 768);
        paintLandscape(c, s);
        canvasTexture(c, 0.08, s.seed);
        liftBlacks(c, kBlackFloor);
        c.saveJpeg(ctx.file("data/bg/menubgalt.jpg"), kJpegQuality);
    }
    {
        Scene s; // golden evening over the terraces
        s.seed = 91;
        s.season = 0.28;
        s.dusk = 0.55;
        s.horizon = 340;
        s.terraces = 3;
        s.waterfall = true;
        Canvas c(1024, 768);
        paintLandscape(c, s);
        canvasTexture(c, 0.08, s.seed);
        liftBlacks(c, kBlackFloor);
        c.saveJpeg(ctx.file("data/bg/loadbg1.jpg"), kJpegQuality);
    }
}

} // namespace

DATAGEN_FAMILY("screens-bg", gameBackgrounds);
DATAGEN_FAMILY("screens-menubg", menuBackgrounds);

} // namespace art::scr
