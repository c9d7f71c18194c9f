// The four creatures of the power-up bar, one per beetle colour, front view.
#pragma once
#include "art/game_paint.h"

namespace art::gp {

// Canvas of every creature picture (holder, eyes, animation frames); the creature
// stands with its feet near the bottom and its centre at the canvas centre.
constexpr int kCreatureW = 112, kCreatureH = 120;

enum class Eyes { Open, Half, Closed, Asleep };

struct CreatureLook {
    bool colour = true;     // false: the dull stone look of an empty slot
    Eyes eyes = Eyes::Open;
    double squash = 0;      // > 0 wider and lower, < 0 taller
    double mouth = 0;       // 0 smile .. 1 wide open
    double aura = 0;        // glow of the slot colour behind the creature
    double lift = 0;        // pixels the creature jumps up
    bool eyesOnly = false;  // draw only the eyelids (the blink overlays)
};

// Draws creature k (1..4) onto a kCreatureW x kCreatureH canvas.
void drawCreature(cairo_t* cr, int k, const CreatureLook& look);

} // namespace art::gp
