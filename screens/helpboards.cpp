#include "screens/helpboards.h"

// Pieces, marks and overlays row by row; arrows in gaps 1..12; pointer cell.
namespace helpboards {

// Chain of five pieces of kind 3 over moss, one cell flashing.
const HelpBoard b1a = {{3, 2, 1, 3, 1, 2, 3, 3, 3},
                       {1, 0, 0, 1, 0, 0, 1, 1, 1},
                       {0, 1, 0, 0, 1, 0, 0, 3, 0},
                       {0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 1, 1},
                       9};
// The same board after the chain: the moss under it is gone.
const HelpBoard b1b = {
    {0, 2, 1, 0, 1, 2, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 1, 0, 0, 0, 0}, {}, 9};
// Swap, chain and group modes.
const HelpBoard b2a = {
    {2, 1, 2, 3, 3, 1, 2, 1, 3}, {0, 0, 0, 0, 0, 1, 0, 0, 1}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0}, 9};
const HelpBoard b2b = {
    {1, 2, 3, 1, 3, 2, 1, 1, 1}, {1, 0, 0, 1, 0, 0, 1, 1, 1}, {}, {0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 1, 1}, 9};
const HelpBoard b2c = {{1, 3, 1, 3, 1, 2, 1, 2, 2}, {0, 0, 0, 0, 0, 1, 0, 1, 1}, {}, {}, 9};
// Bombs: a long chain makes one, a chain through it sets it off.
const HelpBoard b3a = {
    {4, 2, 1, 4, 1, 2, 4, 4, 4}, {1, 0, 0, 1, 0, 0, 1, 1, 1}, {}, {0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 1, 1}, 9};
const HelpBoard b3b = {{3, 2, 1, 3, 1, 2, 10, 3, 2}, {}, {}, {}, 0};
const HelpBoard b3c = {
    {3, 2, 1, 3, 1, 2, 10, 3, 2}, {1, 0, 0, 1, 0, 0, 1, 1, 0}, {}, {0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 1, 0}, 8};
const HelpBoard b3d = {{}, {}, {6, 2, 3, 4, 5, 6, 5, 2, 4}, {}, 0};
// Power-ups.
const HelpBoard b4a = {{1, 3, 5, 4, 5, 1, 3, 0, 2}, {}, {}, {}, 0};
// Stones.
const HelpBoard b5a = {
    {1, 2, 3, 1, 7, 2, 1, 0, 1}, {1, 0, 0, 1, 0, 0, 1, 0, 0}, {}, {0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0}, 7};
const HelpBoard b5b = {{4, 2, 3, 1, 0, 2, 2, 0, 1}, {}, {0, 0, 0, 0, 7, 0, 0, 0, 0}, {}, 0};

} // namespace helpboards
