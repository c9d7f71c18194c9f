// The board's static frame: strips (the background of a column of n cells) and
// the 24 border shapes that join around any level shape.
#include "art/board_geometry.h"
#include "family.h"

#include <string>

namespace {

void makeBoardFrame(const datagen::Context& ctx) {
    using namespace art::board;
    for (int n = 1; n <= 11; ++n) {
        art::Canvas c(kCell, kCell * n);
        paintStrip(c, n);
        c.savePng(ctx.file("data/match3/cellrow" + std::to_string(n) + ".png"));
    }
    for (int code = 1; code <= kCodes; ++code) {
        Placement p = borderPlacement(code);
        art::Canvas c(p.w, p.h);
        paintBorder(c, code);
        c.savePng(ctx.file("data/match3/border" + std::to_string(code) + ".png"));
    }
}

} // namespace

DATAGEN_FAMILY("boardframe", makeBoardFrame);
