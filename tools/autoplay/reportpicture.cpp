#include "tools/autoplay/reportpicture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace autoplay {

namespace {

constexpr int kWidth = 1800, kHeight = 1300;
constexpr double kLeft = 90, kRight = 1440; // plot area, x
constexpr double kLost = 1e9;               // a summary value standing for lost runs

struct Rgb {
    double r, g, b;
};
Rgb colourOf(Strategy s) {
    switch (s) {
    case Strategy::Chain: return {0.16, 0.42, 0.85};
    case Strategy::Group: return {0.15, 0.62, 0.28};
    case Strategy::Swap: return {0.92, 0.52, 0.08};
    default: return {0.45, 0.12, 0.55};
    }
}

void colour(cairo_t* cr, Rgb c, double a = 1) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

void text(cairo_t* cr, double x, double y, const std::string& s, double size, bool bold = false) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s.c_str());
}

double textWidth(cairo_t* cr, const std::string& s) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    return e.x_advance;
}

// x of the centre of a level's slot, shifted a little per strategy.
double levelX(int level, double shift = 0) {
    const double slot = (kRight - kLeft) / kLevels;
    return kLeft + (level - 0.5 + shift) * slot;
}

// A panel with a logarithmic y axis from 1 to `top`.
struct Panel {
    double y0, y1; // top and bottom on the page
    double top;    // largest value on the axis
    double y(double v) const {
        v = std::clamp(v, 1.0, top);
        return y1 - (y1 - y0) * std::log(v) / std::log(top);
    }
};

void frame(cairo_t* cr, const Panel& p, const std::string& title) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, kLeft, p.y0, kRight - kLeft, p.y1 - p.y0);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    for (double v = 1; v <= p.top * 1.0001; v *= 10)
        for (const double m : {1.0, 2.0, 5.0}) {
            const double t = v * m;
            if (t > p.top * 1.0001) break;
            cairo_set_source_rgb(cr, m == 1 ? 0.78 : 0.9, m == 1 ? 0.78 : 0.9, m == 1 ? 0.78 : 0.9);
            cairo_move_to(cr, kLeft, p.y(t));
            cairo_line_to(cr, kRight, p.y(t));
            cairo_stroke(cr);
            cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%g", t);
            text(cr, kLeft - 8 - 7.0 * std::string(buf).size(), p.y(t) + 4, buf, 12);
        }
    for (int w = 1; w <= kWeeks; w++) {
        const double x = kLeft + (kRight - kLeft) * (w - 1) / kWeeks;
        cairo_set_source_rgb(cr, 0.55, 0.55, 0.55);
        cairo_move_to(cr, x, p.y0);
        cairo_line_to(cr, x, p.y1);
        cairo_stroke(cr);
        text(cr, x + 6, p.y0 + 15, "week " + std::to_string(w), 12);
    }
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_rectangle(cr, kLeft, p.y0, kRight - kLeft, p.y1 - p.y0);
    cairo_stroke(cr);
    text(cr, kLeft, p.y0 - 8, title, 16, true);
}

// Per level: a dot at the median and a thin bar up to the 90th percentile;
// the medians of a strategy are joined by a line. The week medians of
// best-of-three are broad bands.
void series(cairo_t* cr, const Panel& p, const std::vector<Run>& runs, const std::vector<Strategy>& strategies,
            bool moves) {
    const Strategy curve = Strategy::Best;
    if (std::find(strategies.begin(), strategies.end(), curve) != strategies.end())
        for (int w = 1; w <= kWeeks; w++) {
            const Summary s = summarize(runs, curve, 10 * w - 9, 10 * w);
            const double v = moves ? s.moves : s.seconds;
            if (v >= kLost) continue;
            colour(cr, colourOf(curve), 0.22);
            cairo_set_line_width(cr, 7);
            cairo_move_to(cr, levelX(10 * w - 9, -0.45), p.y(v));
            cairo_line_to(cr, levelX(10 * w, 0.45), p.y(v));
            cairo_stroke(cr);
        }
    const double n = static_cast<double>(strategies.size());
    for (size_t i = 0; i < strategies.size(); i++) {
        const Strategy s = strategies[i];
        const double shift = (i - (n - 1) / 2) * 0.18;
        bool drawing = false;
        colour(cr, colourOf(s), 0.85);
        cairo_set_line_width(cr, 1.4);
        for (int l = 1; l <= kLevels; l++) {
            const Summary m = summarize(runs, s, l, l);
            const double v = moves ? m.moves : m.seconds;
            if (!m.runs || v >= kLost) {
                drawing = false;
                continue;
            }
            if (drawing) cairo_line_to(cr, levelX(l, shift), p.y(v));
            else cairo_move_to(cr, levelX(l, shift), p.y(v));
            drawing = true;
        }
        cairo_stroke(cr);
        for (int l = 1; l <= kLevels; l++) {
            const Summary m = summarize(runs, s, l, l);
            if (!m.runs) continue;
            const double v = moves ? m.moves : m.seconds, v90 = moves ? m.moves90 : m.seconds90;
            const double x = levelX(l, shift);
            colour(cr, colourOf(s), 0.7);
            cairo_set_line_width(cr, 1.6);
            cairo_move_to(cr, x, p.y(std::min(v, p.top)));
            cairo_line_to(cr, x, p.y(std::min(v90, p.top)));
            cairo_stroke(cr);
            if (v90 >= kLost) { // lost runs: a cross at the top
                cairo_set_source_rgb(cr, 0.85, 0.05, 0.05);
                cairo_set_line_width(cr, 2);
                cairo_move_to(cr, x - 3, p.y0 + 2);
                cairo_line_to(cr, x + 3, p.y0 + 8);
                cairo_move_to(cr, x + 3, p.y0 + 2);
                cairo_line_to(cr, x - 3, p.y0 + 8);
                cairo_stroke(cr);
            }
            if (v < kLost) {
                colour(cr, colourOf(s));
                cairo_arc(cr, x, p.y(v), 2.6, 0, 2 * M_PI);
                cairo_fill(cr);
            }
        }
    }
}

// One row per strategy, one box per level: the runs won out of those played.
void wins(cairo_t* cr, double y0, const std::vector<Run>& runs, const std::vector<Strategy>& strategies) {
    text(cr, kLeft, y0 - 8, "Runs won (a red box gives the number lost)", 16, true);
    const double row = 18, slot = (kRight - kLeft) / kLevels;
    for (size_t i = 0; i < strategies.size(); i++) {
        const double y = y0 + i * row;
        colour(cr, colourOf(strategies[i]));
        text(cr, 12, y + 13, strategyName(strategies[i]), 13, true);
        for (int l = 1; l <= kLevels; l++) {
            const Summary m = summarize(runs, strategies[i], l, l);
            if (!m.runs) continue;
            const int lost = m.runs - m.wins;
            if (lost == 0) cairo_set_source_rgb(cr, 0.72, 0.88, 0.72);
            else cairo_set_source_rgb(cr, 0.9, 0.25, 0.2);
            cairo_rectangle(cr, kLeft + (l - 1) * slot + 1, y + 1, slot - 2, row - 2);
            cairo_fill(cr);
            if (lost) {
                cairo_set_source_rgb(cr, 1, 1, 1);
                text(cr, kLeft + (l - 1) * slot + 3, y + 13, std::to_string(lost), 10, true);
            }
        }
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    for (int l = 10; l <= kLevels; l += 10)
        text(cr, kLeft + (l - 0.5) * slot - 8, y0 + strategies.size() * row + 14, std::to_string(l), 11);
}

void sidebar(cairo_t* cr, double x, double y, const std::vector<Run>& runs, const std::vector<Strategy>& strategies,
             const Caps& caps) {
    text(cr, x, y, "Strategies", 16, true);
    y += 24;
    for (const Strategy s : strategies) {
        colour(cr, colourOf(s));
        cairo_arc(cr, x + 6, y - 5, 5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        const std::string what = s == Strategy::Best ? "best of three (switch = move)" : std::string(strategyName(s)) + " only";
        text(cr, x + 18, y, what + ", cap " + std::to_string(caps.of(s)), 13);
        y += 20;
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    text(cr, x, y + 4, "dot: median, bar: up to the 90th percentile", 12);
    text(cr, x, y + 20, "band: best-of-three week median", 12);
    y += 56;
    for (const bool moves : {true, false}) {
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        text(cr, x, y, moves ? "Week medians, moves" : "Week medians, game-seconds", 16, true);
        y += 22;
        text(cr, x, y, "week", 12, true);
        for (size_t i = 0; i < strategies.size(); i++) {
            colour(cr, colourOf(strategies[i]));
            text(cr, x + 50 + i * 72, y, strategyName(strategies[i]), 12, true);
        }
        y += 18;
        for (int w = 1; w <= kWeeks; w++) {
            cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
            text(cr, x + 10, y, std::to_string(w), 12);
            for (size_t i = 0; i < strategies.size(); i++) {
                const Summary m = summarize(runs, strategies[i], 10 * w - 9, 10 * w);
                const double v = moves ? m.moves : m.seconds;
                char buf[32];
                if (v >= kLost) std::snprintf(buf, sizeof buf, "lost");
                else std::snprintf(buf, sizeof buf, "%.1f", v);
                text(cr, x + 50 + i * 72, y, buf, 12);
            }
            y += 17;
        }
        y += 24;
    }
}

// The goals, one per line, failed ones in red, notes in grey; long lines wrap.
void goalList(cairo_t* cr, double x, double y, double width, const GoalCheck& goals) {
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    text(cr, x, y, goals.met ? "Goals: all met" : "Goals: some missed", 16, true);
    y += 22;
    for (const std::string& line : goals.lines) {
        if (y > kHeight - 12) break; // the page is full; the goals are in the program's output too
        if (line.rfind("FAIL", 0) == 0) cairo_set_source_rgb(cr, 0.8, 0.05, 0.05);
        else if (line.rfind("note", 0) == 0) cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);
        else cairo_set_source_rgb(cr, 0.1, 0.45, 0.1);
        cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 12);
        std::istringstream words(line);
        std::string shown, word;
        while (words >> word) {
            const std::string longer = shown.empty() ? word : shown + " " + word;
            if (!shown.empty() && textWidth(cr, longer) > width) {
                text(cr, x, y, shown, 12);
                y += 15;
                if (y > kHeight - 12) return;
                shown.assign(6, ' ');
                shown += word;
            } else {
                shown = longer;
            }
        }
        text(cr, x, y, shown, 12);
        y += 15;
    }
}

} // namespace

bool drawReport(const std::string& path, const std::vector<Run>& runs, const std::vector<Strategy>& strategies,
                const Caps& caps, const GoalCheck& goals, const std::string& footer) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.96, 0.95, 0.92);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    const std::string title = "Levels played by the autoplayer";
    text(cr, kLeft, 36, title, 24, true);
    const double after = kLeft + textWidth(cr, title) + 24;
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    text(cr, after, 36, footer, 14);

    const double top = std::max(caps.best, caps.single);
    const Panel moves{80, 470, top};
    frame(cr, moves, "Moves per level");
    series(cr, moves, runs, strategies, true);
    const Panel seconds{510, 900, 3600};
    frame(cr, seconds, "Game-seconds per level");
    series(cr, seconds, runs, strategies, false);
    wins(cr, 940, runs, strategies);
    goalList(cr, kLeft, 1060, kRight - kLeft, goals);
    sidebar(cr, kRight + 40, 90, runs, strategies, caps);

    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace autoplay
