#include "art/board_geometry.h"

#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace art::board {

namespace {

struct Rule {
    int present, absent;
};

// The neighbour rules of the border codes 1..24, in order.
constexpr Rule kRules[kCodes + 1] = {
    {0, 0},
    {W | E, N | NW | NE},         {W | E, S | SW | SE},         {N | S, W | NW | SW},         {N | S, E | NE | SE},
    {E, N | W | NE | SW},         {W, N | E | NW | SE},         {W, S | E | SW | NE},         {E, S | W | SE | NW},
    {N | SE, E},                  {N | SW, W},                  {E | NW, N},                  {W | NE, N},
    {S | NE, E},                  {S | NW, W},                  {E | SW, S},                  {W | SE, S},
    {E | NW, S | W | SE},         {W | NE, S | E | SW},         {W | SE, N | E | NW},         {E | SW, N | W | NE},
    {S | NW, N | E | SE},         {S | NE, N | W | SW},         {N | SE, S | W | NW},         {N | SW, S | E | NE},
};

// Picture rectangles. The frame reaches 18 px above and left of a field (the
// offsets -18) and 16 px below and right of it (offset 46 = 2 px inside the field,
// which the strip covers again). Corner pieces span their field and both margins.
constexpr Placement kPlacement[kCodes + 1] = {
    {0, 0, 0, 0, false},
    {0, -18, 48, 18, false},   {0, 46, 48, 18, false},    {-18, 0, 18, 48, false},   {46, 0, 18, 48, false},
    {-18, -18, 66, 66, false}, {0, -18, 64, 66, false},   {0, 0, 64, 64, false},     {-18, 0, 66, 64, false},
    {46, 0, 18, 48, false},    {-18, 0, 18, 48, false},   {-18, -18, 82, 82, true},  {-18, -18, 82, 82, true},
    {46, -1, 18, 49, false},   {-18, -1, 18, 49, false},  {-18, -18, 82, 82, true},  {-18, -18, 82, 82, true},
    {-18, -2, 66, 66, false},  {0, -2, 64, 66, false},    {0, -18, 64, 66, false},   {-18, -18, 66, 66, false},
    {-18, -18, 82, 82, true},  {-18, -18, 82, 82, true},  {-18, -18, 82, 82, true},  {-18, -18, 82, 82, true},
};

const Rgb kStoneLight{0.86, 0.80, 0.68};
const Rgb kStoneWarm{0.74, 0.66, 0.54};
const Rgb kMossTop{0.52, 0.74, 0.26};
const Rgb kMossLow{0.27, 0.50, 0.16};

} // namespace

int borderCode(int mask) {
    int code = 0;
    for (int c = 1; c <= kCodes; ++c)
        if ((mask & kRules[c].present) == kRules[c].present && (mask & kRules[c].absent) == 0) code = c;
    return code;
}

Placement borderPlacement(int code) { return (code >= 1 && code <= kCodes) ? kPlacement[code] : kPlacement[0]; }

bool isLiveCode(int code) { return borderPlacement(code).live; }

bool frameAt(double px, double py, const std::vector<std::array<int, 2>>& cells, Rgba& out) {
    double best = std::numeric_limits<double>::max(), qx = 0, qy = 0;
    for (auto [ox, oy] : cells) {
        if (px >= ox && px < ox + kCell && py >= oy && py < oy + kCell) return false;
        double cx = std::fmin(std::fmax(px, ox), ox + kCell), cy = std::fmin(std::fmax(py, oy), oy + kCell);
        double d = std::hypot(px - cx, py - cy);
        if (d < best) best = d, qx = cx, qy = cy;
    }
    double d = best;
    out = {};
    if (d > kRim + 0.5) return true;
    double ux = (px - qx) / d, uy = (py - qy) / d;
    // The rim is a rounded stone ledge: height sqrt(1 - t^2) across its width.
    double t = std::fmin(d / kRim, 0.985);
    double slope = -t / std::sqrt(1 - t * t) * 0.55;
    double nx = -slope * ux, ny = -slope * uy, nz = 1;
    double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double lx = -0.45, ly = -0.6, lz = 0.66;
    double diffuse = std::fmax(0.0, (nx * lx + ny * ly + nz * lz) / nl);
    // Textures repeat with the cell grid, so every piece of the frame joins its neighbours.
    double wx = std::fmod(px + 480, kCell), wy = std::fmod(py + 480, kCell);
    double grain = tileFbm(wx, wy, kCell, 7);
    double moss = tileFbm(wx, wy, kCell, 31);
    Rgb stone = mix(kStoneWarm, kStoneLight, grain);
    double mossAmt = smoothstep(0.50, 0.60, moss + 0.08 * t) * smoothstep(0.1, 0.3, t);
    Rgb mossCol = mix(kMossLow, kMossTop, clamp01(diffuse * 1.1 - 0.1 + (grain - 0.5) * 0.6));
    Rgb base = mix(stone, mossCol, mossAmt);
    double shade = 0.50 + 0.62 * diffuse;
    Rgb col{base.r * shade, base.g * shade, base.b * shade};
    // Joints between the stones of the ledge, one stone per cell.
    bool horizontal = std::fabs(uy) > 0.92, vertical = std::fabs(ux) > 0.92;
    double jx = std::fabs(std::remainder(px, kCell)), jy = std::fabs(std::remainder(py, kCell));
    double joint = 0;
    if (horizontal) joint = 1 - smoothstep(0.3, 1.3, jx);
    if (vertical) joint = std::fmax(joint, 1 - smoothstep(0.3, 1.3, jy));
    joint *= (1 - mossAmt) * smoothstep(0.05, 0.25, t);
    col = mix(col, darker(kStoneWarm, 0.55), joint * 0.7);
    // Dark crease where the ledge meets the board, and a gentle outline outside.
    col = mix(col, darker(kStoneWarm, 0.7), (1 - smoothstep(0.0, 1.6, d)) * 0.8);
    col = mix(col, pal::outline, smoothstep(kRim - 2.2, kRim - 0.3, d) * 0.85);
    out = {col.r, col.g, col.b, clamp01(kRim + 0.5 - d)};
    return true;
}

// Whether pixel (x, y) of cell C's surroundings lies inside C or an existing neighbour.
static bool insideCell(int x, int y, int mask) {
    int cx = x >= 0 ? x / kCell : -1 - (-1 - x) / kCell, cy = y >= 0 ? y / kCell : -1 - (-1 - y) / kCell;
    if (cx == 0 && cy == 0) return true;
    for (int b = 0; b < 8; ++b)
        if ((mask & (1 << b)) && kNeighbour[b][0] == cx && kNeighbour[b][1] == cy) return true;
    return false;
}

bool idealFrame(int x, int y, int mask, Rgba& out) {
    std::vector<std::array<int, 2>> cells{{0, 0}};
    for (int b = 0; b < 8; ++b)
        if (mask & (1 << b)) cells.push_back({kNeighbour[b][0] * kCell, kNeighbour[b][1] * kCell});
    return frameAt(x + 0.5, y + 0.5, cells, out);
}

void paintBorder(Canvas& canvas, int code) {
    Placement p = borderPlacement(code);
    std::vector<int> masks;
    for (int m = 0; m < 256; ++m)
        if (borderCode(m) == code) masks.push_back(m);
    paintPixels(canvas, [&](int x, int y) {
        int fx = x + p.dx, fy = y + p.dy;
        // The frame here, over every neighbourhood that gives this code. Where they
        // disagree, take the neighbourhood with the fewest neighbours: a neighbour that
        // does exist brings its own border picture, which knows this cell.
        int chosen = -1, chosenCount = 99;
        for (int m : masks) {
            int count = __builtin_popcount(m);
            if (count < chosenCount && !insideCell(fx, fy, m)) chosen = m, chosenCount = count;
        }
        Rgba v;
        if (chosen >= 0) idealFrame(fx, fy, chosen, v);
        return v;
    });
}

void paintStrip(Canvas& canvas, int n) {
    const Rgb slab{0.40, 0.35, 0.27}, slabLight{0.50, 0.45, 0.34}, grout{0.22, 0.19, 0.14};
    paintPixels(canvas, [&](int x, int y) {
        int row = y / kCell;
        double px = x + 0.5, py = y - row * kCell + 0.5;
        // Each cell is a worn, slightly sunken stone slab with a mossy grout around it.
        double ex = std::fmin(px, kCell - px), ey = std::fmin(py, kCell - py);
        double r = 7, inset = 2.0;
        double dx = std::fmax(0.0, r + inset - ex), dy = std::fmax(0.0, r + inset - ey);
        double corner = std::hypot(dx, dy) - r; // > 0 outside the slab's rounded rectangle
        double edge = std::fmin(ex, ey) - inset;
        double inside = clamp01(0.5 - corner) * clamp01(edge + 0.5);
        double g = tileFbm(px, py + row * 17, kCell, 101 + row * 13);
        Rgb s = mix(slab, slabLight, g * 0.8 + (1 - py / kCell) * 0.25);
        // Bevel: lighter towards the top-left edge, darker towards the bottom-right.
        double bevel = 0;
        if (edge < 4) bevel = (1 - edge / 4) * ((ex == px || ey == py) ? 0.18 : -0.22);
        s = mix(s, bevel > 0 ? Rgb{0.75, 0.68, 0.52} : Rgb{0.12, 0.10, 0.07}, std::fabs(bevel));
        // A few dark pits and a faint mossy tinge in the grout.
        double pit = smoothstep(0.70, 0.78, tileFbm(px * 1.7, py * 1.7 + row * 31, kCell, 55));
        s = mix(s, darker(slab, 0.35), pit * 0.4);
        Rgb gr = mix(grout, Rgb{0.20, 0.30, 0.12}, tileFbm(px, py, kCell, 77) * 0.8);
        Rgb c = mix(gr, s, inside);
        return Rgba{c.r, c.g, c.b, 1.0};
    });
}

} // namespace art::board
