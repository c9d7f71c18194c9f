#include "tests/hardening/play.h"

#include "match3/board.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <map>
#include <utility>

namespace hardening {

namespace {

using Grid = std::map<std::pair<int, int>, int>; // (x, y) -> colour of a resting piece

int colourAt(const Grid& grid, int x, int y) {
    auto it = grid.find({x, y});
    return it == grid.end() ? 0 : it->second;
}

// Whether the colour at (x, y) stands in a line of three through that cell.
bool inLine(const Grid& grid, int x, int y) {
    const int c = colourAt(grid, x, y);
    if (c == 0) return false;
    for (auto [dx, dy] : {std::pair{48, 0}, std::pair{0, 48}}) {
        int run = 1;
        for (int s = 1; colourAt(grid, x + s * dx, y + s * dy) == c; s++)
            run++;
        for (int s = 1; colourAt(grid, x - s * dx, y - s * dy) == c; s++)
            run++;
        if (run >= 3) return true;
    }
    return false;
}

} // namespace

bool findSwapMove(SwapMove& move, int skip) {
    Grid grid;
    for (int i = 1; i <= kItems; i++) {
        if (isColourKind(itemKind[i]) && itemFalling[i] == 0) grid[{itemX[i], itemY[i]}] = itemKind[i];
    }
    for (const auto& [at, colour] : grid) {
        for (auto [dx, dy] : {std::pair{48, 0}, std::pair{0, 48}}) {
            const std::pair<int, int> other{at.first + dx, at.second + dy};
            const int otherColour = colourAt(grid, other.first, other.second);
            if (otherColour == 0 || otherColour == colour) continue;
            Grid swapped = grid;
            swapped[at] = otherColour;
            swapped[other] = colour;
            if (!inLine(swapped, at.first, at.second) && !inLine(swapped, other.first, other.second))
                continue;
            if (skip-- > 0) continue;
            move = {at.first, at.second, other.first, other.second};
            return true;
        }
    }
    return false;
}

void makeSwapMove(const SwapMove& move) {
    game::clickAt(move.fromX, move.fromY);
    game::clickAt(move.toX, move.toY);
}

} // namespace hardening
