// What a player can do on a board at rest, and what each move would take off
// the board: the chains, groups and swaps of the three game types and a click
// on a bomb, each with the moss, quota pieces and obstacles it would clear.
#pragma once

#include "tools/autoplay/board.h"

#include <vector>

namespace autoplay {

// True when a player has something to play in game type `type` (1 chain,
// 2 group, 3 swap) on the board at rest: a bomb to click, or a chain, group or
// swap the rules would take.
bool anyMove(const Board& b, int type);

// Pieces of each colour 1..5 the level still needs: its quota less what is
// destroyed or already flying to the counter.
struct Needs {
    int left[6] = {};
    bool any() const;
};
Needs readNeeds();

// What a selection resolved on the board at rest would do.
struct Effect {
    int moss = 0;        // moss cells cleared
    int uncovered = 0;   // moss cells a broken stone or opened door lays open
    int quota = 0;       // removed pieces the quota still needs
    int obstacles = 0;   // stones and doors hit
    int bombs = 0;       // bombs set off
    int stirred = 0;     // moss cells that get a new piece from above
    int nudged = 0;      // other moss cells that get a new neighbour
    int closeness = 0;   // 6 less the fewest cells between a removed piece and moss left, at least 0
    int beetleSteps = 0; // cells the beetles move down
    int pieces = 0;      // pieces removed
    // Greedy worth: moss first, then the pieces the quota needs, then stones,
    // doors and bombs; the rest breaks ties.
    double value() const;
};

// Resolves `selected` (in selection order) on a copy of the board as the rules
// would: stones and doors next to a selected piece are hit, bombs blast the
// cells around them and set off the bombs they reach.
Effect effectOf(const Board& b, const std::vector<Pos>& selected, const Needs& n);

// What the targeted shot of the power-ups would do to the piece at p.
Effect shotEffect(const Board& b, Pos p, const Needs& n);

enum class Action { Chain, Group, Swap, Bomb };

struct Move {
    Action action = Action::Bomb;
    // Chain: the path in drawing order. Group: the clicked piece first, then
    // the rest of its group. Swap: the two pieces. Bomb: the bomb.
    std::vector<Pos> cells;
    Effect effect;
};

// The moves of game type `type` on the board at rest, clicks on bombs
// included: every group and every swap that makes a line; for chains the
// best-valued paths found within a fixed search budget.
std::vector<Move> movesFor(const Board& b, int type, const Needs& n);

// The pieces that would leave the board at once on a switch to swap mode: the
// lines chain or group play has left standing.
std::vector<Pos> standingLines(const Board& b);

} // namespace autoplay
