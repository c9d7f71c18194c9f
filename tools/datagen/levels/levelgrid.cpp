#include "levels/levelgrid.h"

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace levels {

namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

std::string at(int row, int col) {
    return "row " + std::to_string(row) + ", column " + std::to_string(col);
}

// Accessors with 1-based rows and columns; outside the grid there is no cell.
int code(const Grid& g, int row, int col) {
    if (row < 1 || row > kRows || col < 1 || col > kCols) return kNone;
    return g[(row - 1) * kCols + (col - 1)];
}
bool isCell(const Grid& g, int row, int col) { return code(g, row, col) >= 0; }
bool isBlock(int c) { return c == kStone || c == kDoor; }

// Top row of the column segment that holds (row, col).
int segmentTop(const Grid& g, int row, int col) {
    while (isCell(g, row - 1, col)) --row;
    return row;
}

// True when a stone or door lies above (row, col) in the same column segment:
// set-up lets it swallow every piece below it down to the end of the segment.
bool coveredFromAbove(const Grid& g, int row, int col) {
    for (int r = segmentTop(g, row, col); r < row; ++r)
        if (isBlock(code(g, r, col))) return true;
    return false;
}

// Length of the straight run of cells through (row, col) in direction (dr, dc).
int runLength(const Grid& g, int row, int col, int dr, int dc) {
    int n = 1;
    for (int r = row + dr, c = col + dc; isCell(g, r, c); r += dr, c += dc) ++n;
    for (int r = row - dr, c = col - dc; isCell(g, r, c); r -= dr, c -= dc) ++n;
    return n;
}

// Why moss at (row, col) would be trapped, or "" when it is not. A piece
// changes only when a move takes it or a piece below it in its segment: on the
// lowest cell of a segment only a move that takes it can, and in a strip one or
// two cells wide or a column segment of one or two cells few moves ever take a
// piece. The last moss there outlasts the rest of the level by hundreds of moves.
std::string mossTrap(const Grid& g, int row, int col) {
    const int across = runLength(g, row, col, 0, 1), down = runLength(g, row, col, 1, 0);
    if (across < 3) return "its row is " + std::to_string(across) + " cells wide there, a line of three needs 3";
    if (down < 3) return "its column segment is " + std::to_string(down) + " cells high, a line of three needs 3";
    if (!isCell(g, row + 1, col)) return "it lies on the lowest cell of its column segment";
    return "";
}

} // namespace

int codeOfChar(char c) {
    switch (c) {
    case '.': return kNone;
    case 'o': return kPlain;
    case 'b': return kBeetle;
    case 'm': return kMoss;
    case 'S': return kStone;
    case 'D': return kDoor;
    default: return -2;
    }
}

Grid parseGrid(const std::string& text, const std::string& where) {
    std::vector<std::string> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (!line.empty() && line[0] == '#') continue;
        if (line.empty() && rows.empty()) continue; // blank lines before the grid
        rows.push_back(line);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back(); // blank lines after it
    if (rows.size() != kRows)
        fail(where, "the grid has " + std::to_string(rows.size()) + " rows, expected " + std::to_string(kRows));
    Grid g{};
    for (int r = 1; r <= kRows; ++r) {
        const std::string& line = rows[r - 1];
        if (line.size() != kCols)
            fail(where, "row " + std::to_string(r) + " has " + std::to_string(line.size()) +
                            " characters, expected " + std::to_string(kCols));
        for (int c = 1; c <= kCols; ++c) {
            int v = codeOfChar(line[c - 1]);
            if (v == -2) fail(where, std::string("unknown character '") + line[c - 1] + "' at " + at(r, c));
            g[(r - 1) * kCols + (c - 1)] = v;
        }
    }
    return g;
}

GridStats statsOf(const Grid& g) {
    GridStats s;
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) {
            int v = code(g, r, c);
            if (v < 0) continue;
            ++s.cells;
            if (!isCell(g, r + 1, c)) ++s.segments; // lowest cell of a segment: one floor marker
            s.moss += v == kMoss;
            s.beetles += v == kBeetle;
            s.stones += v == kStone;
            s.doors += v == kDoor;
        }
    return s;
}

void checkGrid(const Grid& g, const std::string& where) {
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) {
            if ((r == 1 || c == 1) && isCell(g, r, c))
                fail(where, "a cell at " + at(r, c) + ": row 1 and column 1 never hold cells");
            if (r == kTopRow - 1 && isCell(g, r, c))
                fail(where, "a cell at " + at(r, c) + ": the board picture starts below row 2 and would cut it off");
        }
    GridStats s = statsOf(g);
    if (s.cells == 0) fail(where, "the level has no cells");
    if (s.items() > kMaxItems)
        fail(where, std::to_string(s.cells) + " cells plus " + std::to_string(s.segments) +
                        " column segments need " + std::to_string(s.items()) + " item slots, more than " +
                        std::to_string(kMaxItems));
    for (int c = 2; c <= kCols; ++c) {
        int runs = 0;
        for (int r = 2; r <= kRows; ++r) runs += isCell(g, r, c) && !isCell(g, r - 1, c);
        if (runs > 1)
            fail(where, "column " + std::to_string(c) + " is broken into " + std::to_string(runs) +
                            " runs; the board draws one background strip per column");
    }
    for (int r = 2; r <= kRows; ++r)
        for (int c = 2; c <= kCols; ++c) {
            int v = code(g, r, c);
            if (v < 0) continue;
            const int across = runLength(g, r, c, 0, 1), down = runLength(g, r, c, 1, 0);
            if (across < 3 && down < 3)
                fail(where, "the cell at " + at(r, c) + " lies on no straight line of three cells");
            if (v == kMoss) {
                const std::string trap = mossTrap(g, r, c);
                if (!trap.empty()) fail(where, "the moss at " + at(r, c) + " is trapped: " + trap);
            }
            if ((v == kBeetle || isBlock(v)) && coveredFromAbove(g, r, c))
                fail(where, "the " + std::string(v == kBeetle ? "beetle" : v == kStone ? "stone" : "door") +
                                " at " + at(r, c) + " lies below a stone or door of its column segment");
            if (v == kBeetle && !isCell(g, r + 1, c))
                fail(where, "the beetle at " + at(r, c) + " starts on the lowest cell of its segment");
            if (isBlock(v)) {
                // A selection hits a stone or door from its left, right or upper
                // neighbour; the neighbour must be able to hold a selectable piece.
                bool reachable = false;
                const int nb[3][2] = {{r, c - 1}, {r, c + 1}, {r - 1, c}};
                for (const auto& p : nb) {
                    int w = code(g, p[0], p[1]);
                    if (w >= 0 && !isBlock(w) && !coveredFromAbove(g, p[0], p[1])) reachable = true;
                }
                if (!reachable) fail(where, "no piece can ever lie next to the " +
                                                std::string(v == kStone ? "stone" : "door") + " at " + at(r, c));
            }
        }
}

void appendLE32(std::string& out, int v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
}

std::string encodeLevelFile(const Grid& g) {
    std::string out;
    out.reserve(g.size() * 4);
    for (int v : g) appendLE32(out, v);
    return out;
}

} // namespace levels
