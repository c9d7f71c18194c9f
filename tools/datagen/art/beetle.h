// The friendly garden beetle seen from above, shared by the board pieces and the
// power-up bar.
#pragma once
#include "art/game_paint.h"

namespace art::gp {

// Beetle centred at (cx, cy), about `size` pixels long, head up, shell colour c.
void beetleTop(cairo_t* cr, double cx, double cy, double size, Rgb c, uint32_t seed);

// The shell colours of the four beetle kinds (power-up slots 1..4).
Rgb beetleColour(int k);

} // namespace art::gp
