// Playing the real game headless through the SDL event queue: frame-counted
// waits, clicks that last a frame, and a move finder that reads the board the
// way a player looks at it.
#pragma once

#include "tests/harness/game.h"

namespace hardening {

using game::keyAt;
using game::stepUntil;

// A swap of two neighbouring pieces at rest that makes a line of three or more.
struct SwapMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
};
// Finds a swap move on the live board, the first in board order after skipping
// `skip` of them; false when there is none.
bool findSwapMove(SwapMove& move, int skip = 0);
// Makes the move by clicking the two pieces (the swap game type).
void makeSwapMove(const SwapMove& move);

} // namespace hardening
