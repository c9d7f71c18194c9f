// The roadmap: a painted map of the valley with the path through the 100
// waypoints of the levels (ten week regions, spring at the valley's mouth in
// the lower right to the first snow on the hilltop in the upper left), and the
// four waypoint pictures.
#include "art/screens_kit.h"
#include "family.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art::scr {
namespace {

constexpr int W = 1024, H = 768;

// Screen positions of the waypoints of levels 1..100, in level order; the game
// holds the same table.
constexpr int kWaypoints[100][2] = {
    {863, 661}, {831, 631}, {811, 600}, {773, 614}, {769, 651}, {792, 683}, {760, 711}, {714, 721},
    {661, 711}, {613, 683}, {644, 656}, {660, 610}, {641, 562}, {599, 533}, {560, 507}, {531, 530},
    {530, 571}, {518, 605}, {473, 591}, {431, 546}, {377, 546}, {332, 540}, {296, 517}, {265, 528},
    {219, 506}, {212, 463}, {241, 441}, {282, 465}, {330, 486}, {358, 451}, {393, 434}, {385, 401},
    {331, 400}, {288, 390}, {278, 359}, {308, 329}, {345, 332}, {382, 333}, {415, 321}, {442, 345},
    {500, 357}, {529, 312}, {486, 273}, {443, 250}, {469, 219}, {521, 220}, {568, 225}, {600, 263},
    {616, 303}, {600, 333}, {576, 373}, {563, 407}, {596, 437}, {632, 455}, {668, 483}, {687, 524},
    {724, 541}, {771, 532}, {803, 507}, {811, 456}, {785, 428}, {767, 388}, {724, 366}, {693, 338},
    {722, 309}, {766, 297}, {783, 261}, {748, 231}, {705, 220}, {676, 184}, {637, 182}, {607, 152},
    {597, 116}, {564, 90},  {519, 82},  {481, 97},  {454, 113}, {439, 141}, {406, 140}, {364, 141},
    {359, 180}, {361, 214}, {357, 249}, {332, 277}, {298, 280}, {246, 302}, {210, 335}, {182, 373},
    {147, 344}, {141, 296}, {151, 263}, {169, 229}, {199, 203}, {240, 187}, {276, 165}, {261, 134},
    {219, 139}, {180, 120}, {212, 93},  {202, 57}};

struct Pt {
    double x, y;
};

double weekSeason(int week) {
    return 0.04 + (week - 1) * 0.105;
}

// The path as a dense polyline: a Catmull-Rom curve through the waypoints,
// extended a little before the first one (the valley's entrance).
std::vector<Pt> pathPoints() {
    std::vector<Pt> p;
    p.push_back({1000, 720});
    p.push_back({935, 690});
    for (auto& w : kWaypoints)
        p.push_back({double(w[0]), double(w[1])});
    p.push_back({190, 30});
    std::vector<Pt> out;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        Pt a = p[i ? i - 1 : 0], b = p[i], c = p[i + 1], d = p[std::min(i + 2, p.size() - 1)];
        for (int k = 0; k < 12; ++k) {
            double t = k / 12.0, t2 = t * t, t3 = t2 * t;
            auto cr = [&](double p0, double p1, double p2, double p3) {
                return 0.5 * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                              (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
            };
            out.push_back({cr(a.x, b.x, c.x, d.x), cr(a.y, b.y, c.y, d.y)});
        }
    }
    out.push_back(p.back());
    return out;
}

double distanceToPath(const std::vector<Pt>& path, double x, double y) {
    double best = 1e9;
    for (auto& p : path)
        best = std::min(best, (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y));
    return std::sqrt(best);
}

// Ground colour: each week region in the grass of its season, blended smoothly
// between regions, with soft hills of light and shade.
void paintGround(Canvas& c) {
    Rgb week[11];
    for (int w = 1; w <= 10; ++w)
        week[w] = grassColour(weekSeason(w));
    Rgb meadow = mix(grassColour(0.3), pal::moss, 0.2);
    c.editPixels([&](int x, int y, uint32_t& p) {
        double sum = 0.15;
        Rgb acc{meadow.r * 0.15, meadow.g * 0.15, meadow.b * 0.15};
        for (int i = 0; i < 100; i += 1) {
            double dx = x - kWaypoints[i][0], dy = y - kWaypoints[i][1];
            double d2 = dx * dx + dy * dy;
            if (d2 > 120 * 120) continue;
            double wgt = std::exp(-d2 / (2 * 55.0 * 55.0));
            Rgb g = week[i / 10 + 1];
            acc = {acc.r + g.r * wgt, acc.g + g.g * wgt, acc.b + g.b * wgt};
            sum += wgt;
        }
        Rgb g{acc.r / sum, acc.g / sum, acc.b / sum};
        double hill = noise2(x / 90.0, y / 90.0, 5) * 0.6 + noise2(x / 30.0, y / 30.0, 6) * 0.4;
        double light = 0.86 + 0.24 * hill;
        auto chan = [&](double v) { return static_cast<uint32_t>(std::clamp(v * light, 0.0, 1.0) * 255); };
        p = 0xFF000000u | (chan(g.r) << 16) | (chan(g.g) << 8) | chan(g.b);
    });
}

// A tree seen from above: a round crown with its shadow to the lower right.
void crown(cairo_t* cr, double x, double y, double r, Rgb leaves, bool snow) {
    cairo_arc(cr, x + r * 0.35, y + r * 0.4, r, 0, 2 * M_PI);
    setColor(cr, pal::outline, 0.25);
    cairo_fill(cr);
    if (!snow) {
        shadedEllipse(cr, x, y, r, r, leaves, 1.4);
        return;
    }
    // A fir under snow: a dark star of branches with white on top.
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        for (int k = 0; k < 16; ++k) {
            double a = k * M_PI / 8, rr = (k % 2 ? 0.55 : 1.0) * r * (pass ? 0.6 : 1.0);
            cairo_line_to(cr, x + std::cos(a) * rr - pass * r * 0.15, y + std::sin(a) * rr - pass * r * 0.15);
        }
        cairo_close_path(cr);
        setColor(cr, pass ? Rgb{0.97, 0.98, 1.0} : Rgb{0.20, 0.38, 0.28});
        cairo_fill_preserve(cr);
        setColor(cr, pal::outline, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

// Old stone gardens: rings of standing stones around a mossy bed, one in each
// week region where the path leaves room.
void paintStoneCircles(cairo_t* cr, const std::vector<Pt>& path) {
    Rng rng(521);
    for (int week = 1; week <= 10; ++week) {
        double cx = 0, cy = 0;
        for (int i = 0; i < 10; ++i)
            cx += kWaypoints[(week - 1) * 10 + i][0] / 10.0, cy += kWaypoints[(week - 1) * 10 + i][1] / 10.0;
        double bx = cx, by = cy, best = -1;
        for (int k = 0; k < 40; ++k) {
            double x = cx + rng.range(-90, 90), y = cy + rng.range(-90, 90);
            if (x < 40 || x > W - 40 || y < 40 || y > H - 40 || (x < 260 && y > 560)) continue;
            double d = distanceToPath(path, x, y);
            if (d > best) best = d, bx = x, by = y;
        }
        if (best < 34) continue;
        bool snow = weekSeason(week) > 0.88;
        cairo_arc(cr, bx, by, 16, 0, 2 * M_PI);
        setColor(cr, snow ? Rgb{0.92, 0.94, 0.96} : pal::mossDark, 0.5);
        cairo_fill(cr);
        if (!snow) mossCushion(cr, bx, by, 10, 6, rng.next());
        for (int k = 0; k < 7; ++k) {
            double a = k * 2 * M_PI / 7;
            double x = bx + std::cos(a) * 20, y = by + std::sin(a) * 17;
            cairo_arc(cr, x + 2, y + 3, 4.5, 0, 2 * M_PI);
            setColor(cr, pal::outline, 0.3);
            cairo_fill(cr);
            shadedEllipse(cr, x, y, 4.5, 5.5, snow ? pal::stoneLight : pal::stone, 1.2);
        }
    }
}

void paintScenery(cairo_t* cr, const std::vector<Pt>& path) {
    Rng rng(501);
    // A lake in the upper right and a stream running from it down the right edge.
    cairo_move_to(cr, 1024, 250);
    cairo_curve_to(cr, 950, 330, 1000, 420, 930, 520);
    cairo_curve_to(cr, 900, 580, 960, 640, 1030, 640);
    setColor(cr, pal::outline, 0.6);
    cairo_set_line_width(cr, 16);
    cairo_stroke_preserve(cr);
    setColor(cr, {0.45, 0.72, 0.88});
    cairo_set_line_width(cr, 12);
    cairo_stroke_preserve(cr);
    setColor(cr, {0.8, 0.93, 1.0}, 0.6);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 900, 110);
    cairo_scale(cr, 110, 60);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, 3);
    setColor(cr, pal::outline, 0.7);
    cairo_stroke_preserve(cr);
    fillVertical(cr, 50, 170, {0.62, 0.84, 0.95}, {0.32, 0.58, 0.75});
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, 830 + rng.range(0, 110), 85 + rng.range(0, 50));
        cairo_rel_line_to(cr, rng.range(20, 40), 0);
        setColor(cr, {1, 1, 1}, 0.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // Trees everywhere the path leaves room, in the colours of their region.
    for (int i = 0; i < 900; ++i) {
        double x = rng.range(-10, W + 10), y = rng.range(-10, H + 10), r = rng.range(9, 17);
        if (distanceToPath(path, x, y) < r + 22) continue;
        if (std::hypot((x - 900) / 125, (y - 110) / 75) < 1.0) continue; // the lake
        if (x < 260 && y > 570) continue; // keep the corner of the buttons calm
        // The week region of the nearest waypoint decides the season.
        int nearest = 0;
        double best = 1e9;
        for (int k = 0; k < 100; ++k) {
            double d = std::hypot(x - kWaypoints[k][0], y - kWaypoints[k][1]);
            if (d < best) best = d, nearest = k;
        }
        double season = weekSeason(nearest / 10 + 1);
        if (best > 140) season = 0.3;
        if (rng.uniform() < 0.55) continue;
        crown(cr, x, y, r, foliageColour(season, rng.uniform()), season > 0.88);
    }
    // Boulders and flowers along the way.
    Rgb petals[] = {{0.98, 0.92, 0.95}, {0.98, 0.80, 0.35}, {0.95, 0.55, 0.65}, {0.70, 0.62, 0.95}};
    for (int i = 0; i < 260; ++i) {
        double x = rng.range(0, W), y = rng.range(0, H);
        double d = distanceToPath(path, x, y);
        if (d < 18 || d > 60) continue;
        if (rng.uniform() < 0.3) {
            double r = rng.range(4, 8);
            shadedEllipse(cr, x, y, r * 1.3, r, pal::stone, 1.2);
        } else {
            flower(cr, x, y, rng.range(2.5, 4), petals[rng.pick(4)], pal::gold);
        }
    }
}

void paintPath(cairo_t* cr, const std::vector<Pt>& path) {
    auto trace = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, path[0].x + dx, path[0].y + dy);
        for (auto& p : path)
            cairo_line_to(cr, p.x + dx, p.y + dy);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    trace(3, 4);
    setColor(cr, pal::outline, 0.25);
    cairo_set_line_width(cr, 20);
    cairo_stroke(cr);
    trace(0, 0);
    setColor(cr, darker(pal::earth, 0.2), 0.95);
    cairo_set_line_width(cr, 19);
    cairo_stroke(cr);
    trace(0, 0);
    setColor(cr, {0.86, 0.74, 0.52});
    cairo_set_line_width(cr, 14);
    cairo_stroke(cr);
    trace(-1, -1.5);
    setColor(cr, {0.96, 0.88, 0.68}, 0.7);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    // Pebbles on the path.
    Rng rng(511);
    for (size_t i = 0; i < path.size(); i += 3) {
        double x = path[i].x + rng.range(-5, 5), y = path[i].y + rng.range(-5, 5);
        cairo_arc(cr, x, y, rng.range(0.8, 1.8), 0, 2 * M_PI);
        setColor(cr, darker(pal::earth, 0.1), 0.5);
        cairo_fill(cr);
    }
}

// Week badges: a round stone with the week's number beside the middle of each
// week's stretch, on the side away from the path.
void paintWeekBadges(cairo_t* cr, const std::vector<Pt>& path) {
    for (int week = 1; week <= 10; ++week) {
        const int* mid = kWaypoints[(week - 1) * 10 + 4];
        double bx = mid[0], by = mid[1], best = -1;
        for (int k = 0; k < 16; ++k) {
            double a = k * M_PI / 8, x = mid[0] + std::cos(a) * 44, y = mid[1] + std::sin(a) * 44;
            if (x < 24 || x > W - 24 || y < 24 || y > H - 24) continue;
            double d = distanceToPath(path, x, y);
            for (auto& w : kWaypoints)
                d = std::min(d, std::hypot(x - w[0], y - w[1]) - 6);
            if (d > best) best = d, bx = x, by = y;
        }
        cairo_arc(cr, bx + 2, by + 3, 15, 0, 2 * M_PI);
        setColor(cr, pal::outline, 0.3);
        cairo_fill(cr);
        shadedEllipse(cr, bx, by, 15, 15, mix(pal::stoneLight, grassColour(weekSeason(week)), 0.15), 2);
        setFont(cr, kFontTextBlack, 17);
        outlinedText(cr, std::to_string(week), bx, by + 6, pal::cream, pal::outline, 2.2, 0);
    }
}

// The valley's entrance (a stone gate by level 1) and the shrine on the
// hilltop past level 100.
void paintLandmarks(cairo_t* cr) {
    glow(cr, 190, 30, 60, pal::gold, 0.6);
    for (int side = -1; side <= 1; side += 2) {
        shadedEllipse(cr, 190 + side * 20, 28, 7, 7, pal::stoneLight, 1.5);
        shadedEllipse(cr, 960 + side * 22, 700, 8, 8, pal::stone, 1.5);
    }
    cairo_arc(cr, 190, 28, 20, M_PI, 2 * M_PI);
    setColor(cr, pal::outline, 0.9);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    cairo_arc(cr, 190, 28, 20, M_PI, 2 * M_PI);
    setColor(cr, pal::stoneLight);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
}

void paintFrame(cairo_t* cr) {
    // A soft darkening at the edges, like an old painted map.
    cairo_pattern_t* p = cairo_pattern_create_radial(512, 384, 330, 512, 384, 700);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, pal::outline.r, pal::outline.g, pal::outline.b, 0.35);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void paintRoadmap(Canvas& c) {
    cairo_t* cr = c.cr();
    paintGround(c);
    std::vector<Pt> path = pathPoints();
    paintScenery(cr, path);
    paintStoneCircles(cr, path);
    paintPath(cr, path);
    paintLandmarks(cr);
    paintWeekBadges(cr, path);
    paintFrame(cr);
}

// Waypoints: "aktiv" is the level to play next (bright gold; the game turns a
// glow under it), "inaktiv" a level already reached (a cleared mossy stone).
// Every tenth level has a larger stage waypoint with a flower on it.
void paintWaypoint(Canvas& c, bool active, bool stage) {
    cairo_t* cr = c.cr();
    double m = c.width() / 2.0, r = c.width() / 2.0 - 3;
    cairo_arc(cr, m + 1.5, m + 2, r, 0, 2 * M_PI);
    setColor(cr, pal::outline, 0.35);
    cairo_fill(cr);
    shadedEllipse(cr, m, m, r, r, active ? pal::gold : pal::stone, 2);
    shadedEllipse(cr, m, m, r * 0.62, r * 0.62, active ? lighter(pal::gold, 0.3) : pal::moss, 1.2);
    if (stage) {
        flower(cr, m, m, r * 0.5, active ? Rgb{0.98, 0.55, 0.35} : Rgb{0.98, 0.92, 0.95}, pal::gold);
    } else {
        cairo_arc(cr, m - r * 0.2, m - r * 0.25, r * 0.18, 0, 2 * M_PI);
        setColor(cr, {1, 1, 1}, active ? 0.8 : 0.45);
        cairo_fill(cr);
    }
}

void roadmapFamily(const datagen::Context& ctx) {
    Canvas map(W, H);
    paintRoadmap(map);
    map.savePng(ctx.file("data/roadmap/roadmap.png"));
    Canvas plain(28, 28), plainActive(28, 28), stage(40, 40), stageActive(40, 40);
    paintWaypoint(plain, false, false);
    paintWaypoint(plainActive, true, false);
    paintWaypoint(stage, false, true);
    paintWaypoint(stageActive, true, true);
    plainActive.savePng(ctx.file("data/roadmap/waypoint-aktiv.png"));
    plain.savePng(ctx.file("data/roadmap/waypoint-inaktiv.png"));
    stageActive.savePng(ctx.file("data/roadmap/stage-waypoint-aktiv.png"));
    stage.savePng(ctx.file("data/roadmap/stage-waypoint-inaktiv.png"));
    // Review sheet (outside the data folder): the map as the game shows it to a
    // player who has reached level 37, with every waypoint of the table drawn,
    // so the path can be checked against the positions.
    cairo_t* cr = map.cr();
    for (int i = 1; i <= 100; ++i) {
        const Canvas& pic = i % 10 == 0 ? (i == 37 ? stageActive : stage) : (i == 37 ? plainActive : plain);
        if (i == 37) glow(cr, kWaypoints[i - 1][0], kWaypoints[i - 1][1], 30, pal::gold, 0.8);
        cairo_set_source_surface(cr, pic.surface(), kWaypoints[i - 1][0] - pic.width() / 2,
                                 kWaypoints[i - 1][1] - pic.height() / 2);
        cairo_paint_with_alpha(cr, i <= 37 ? 1.0 : 0.45);
    }
    map.savePng(ctx.file("review/screens/roadmap-waypoints.png"));
}

} // namespace

DATAGEN_FAMILY("screens-roadmap", roadmapFamily);

} // namespace art::scr
