// Frame shape codes of the board's border: each cell looks at which of its eight
// neighbours exist; the highest-numbered matching shape wins.
#include "match3/board.h"

#include <cstdint>
#include <unordered_set>

namespace {

struct BorderRule {
    int code;
    unsigned need;   // neighbours that must exist
    unsigned absent; // neighbours that must not exist
};

constexpr unsigned N = 1, S = 2, W = 4, E = 8, NE = 16, NW = 32, SE = 64, SW = 128;

constexpr BorderRule kRules[] = {
    {1, W | E, N | NW | NE},        {2, W | E, S | SW | SE},        {3, N | S, W | NW | SW},
    {4, N | S, E | NE | SE},        {5, E, N | W | NE | SW},        {6, W, N | E | NW | SE},
    {7, W, S | E | SW | NE},        {8, E, S | W | SE | NW},        {9, N | SE, E},
    {10, N | SW, W},                {11, E | NW, N},                {12, W | NE, N},
    {13, S | NE, E},                {14, S | NW, W},                {15, E | SW, S},
    {16, W | SE, S},                {17, E | NW, S | W | SE},       {18, W | NE, S | E | SW},
    {19, W | SE, N | E | NW},       {20, E | SW, N | W | NE},       {21, S | NW, N | E | SE},
    {22, S | NE, N | W | SW},       {23, N | SE, S | W | NW},       {24, N | SW, S | E | NE},
};

int64_t posKey(int x, int y) { return (static_cast<int64_t>(x) << 32) ^ static_cast<uint32_t>(y); }

} // namespace

int borderCodeFor(bool n, bool s, bool w, bool e, bool ne, bool nw, bool se, bool sw) {
    const unsigned have = (n ? N : 0u) | (s ? S : 0u) | (w ? W : 0u) | (e ? E : 0u) | (ne ? NE : 0u) |
                          (nw ? NW : 0u) | (se ? SE : 0u) | (sw ? SW : 0u);
    int code = 0;
    for (const BorderRule& r : kRules)
        if ((have & r.need) == r.need && (have & r.absent) == 0) code = r.code;
    return code;
}

void computeBorderCodes(const int used[], const int x[], const int y[], int border[]) {
    std::unordered_set<int64_t> cells;
    for (int i = 1; i <= kCells; i++)
        if (used[i] != 0) cells.insert(posKey(x[i], y[i]));
    auto has = [&](int cx, int cy) { return cells.count(posKey(cx, cy)) != 0; };
    for (int i = 1; i <= kCells; i++) {
        if (used[i] == 0) continue;
        const int cx = x[i], cy = y[i];
        // A cell never counts as its own neighbour (the offsets are never zero).
        border[i] = borderCodeFor(has(cx, cy - 48), has(cx, cy + 48), has(cx - 48, cy), has(cx + 48, cy),
                                  has(cx + 48, cy - 48), has(cx - 48, cy - 48), has(cx + 48, cy + 48),
                                  has(cx - 48, cy + 48));
    }
}
