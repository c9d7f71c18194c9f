#include "tools/autoplay/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace autoplay {

namespace {

// Median (the mean of the middle two for an even count) and the 90th
// percentile by nearest rank of sorted values.
double median(const std::vector<double>& v) {
    if (v.empty()) return 0;
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
double percentile90(const std::vector<double>& v) {
    if (v.empty()) return 0;
    const size_t rank = static_cast<size_t>(std::ceil(0.9 * v.size()));
    return v[std::max<size_t>(rank, 1) - 1];
}

// A figure for the tables and the goals; "lost" stands for lost runs.
std::string fmt(const char* f, double v) {
    if (v >= 1e9) return "lost";
    char buf[64];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

std::string strategyList(const std::vector<Strategy>& strategies) {
    std::string s;
    for (const Strategy t : strategies) s += std::string("\t") + strategyName(t);
    return s;
}

} // namespace

Summary summarize(const std::vector<Run>& runs, Strategy s, int firstLevel, int lastLevel) {
    Summary out;
    std::vector<double> moves, seconds;
    for (const Run& r : runs) {
        if (r.strategy != s || r.level < firstLevel || r.level > lastLevel) continue;
        out.runs++;
        out.wins += r.result.won;
        // A lost run sorts after every won one.
        moves.push_back(r.result.won ? r.result.moves : 1e9);
        seconds.push_back(r.result.won ? r.result.seconds() : 1e9);
    }
    std::sort(moves.begin(), moves.end());
    std::sort(seconds.begin(), seconds.end());
    out.moves = median(moves);
    out.moves90 = percentile90(moves);
    out.seconds = median(seconds);
    out.seconds90 = percentile90(seconds);
    return out;
}

// " level (detail)": one entry of a list of levels. Appended piece by piece,
// which also keeps the compiler's overlap warning on chained additions quiet.
std::string listed(int level, const std::string& detail) {
    std::string s = " ";
    s += std::to_string(level);
    s += " (";
    s += detail;
    s += ')';
    return s;
}

GoalCheck checkGoals(const std::vector<Run>& runs, const std::vector<Strategy>& strategies, const Caps& caps) {
    GoalCheck g;
    const auto fail = [&g](const std::string& line) {
        g.met = false;
        g.lines.push_back("FAIL " + line);
    };
    const auto pass = [&g](const std::string& line) { g.lines.push_back("ok   " + line); };
    for (const Strategy s : strategies) {
        std::string lost;
        for (int l = 1; l <= kLevels; l++) {
            const Summary m = summarize(runs, s, l, l);
            if (m.wins < m.runs) lost += listed(l, std::to_string(m.runs - m.wins));
        }
        const std::string what = std::string(strategyName(s)) + " wins every run within " +
                                 std::to_string(caps.of(s)) + " moves";
        if (lost.empty()) pass(what);
        else fail(what + "; lost on levels" + lost);
    }
    // Dragging endgames: a goal for best-of-three, the player the curve is
    // tuned for; a single-type player's long tails are shown beside it.
    for (const Strategy s : strategies) {
        std::string drag;
        for (int l = 1; l <= kLevels; l++) {
            const Summary m = summarize(runs, s, l, l);
            if (m.runs && m.moves90 > 2.5 * m.moves)
                drag += listed(l, fmt("%.0f", m.moves90) + "/" + fmt("%.1f", m.moves));
        }
        const std::string what = std::string(strategyName(s)) + ": 90th percentile within 2.5 x median";
        if (drag.empty()) pass(what);
        else if (s == Strategy::Best) fail(what + "; not on" + drag);
        else g.lines.push_back("note " + what + "; not on" + drag);
    }
    // The difficulty curve, as best-of-three plays it.
    const Strategy curve = Strategy::Best;
    if (std::find(strategies.begin(), strategies.end(), curve) == strategies.end()) return g;
    double week[kWeeks + 1] = {};
    for (int w = 1; w <= kWeeks; w++) week[w] = summarize(runs, curve, 10 * w - 9, 10 * w).moves;
    std::string dips;
    for (int w = 2; w <= kWeeks; w++)
        if (week[w] < week[w - 1]) {
            dips += ' ';
            dips += std::to_string(w);
        }
    if (dips.empty()) pass("week medians rise from week to week");
    else fail("week medians rise from week to week; fall in week" + dips);
    const std::string ratio = fmt("%.1f", week[1] > 0 ? week[kWeeks] / week[1] : 0);
    if (week[kWeeks] >= 3 * week[1]) pass("week 10 at least 3 x week 1 (" + ratio + " x)");
    else fail("week 10 at least 3 x week 1 (" + ratio + " x)");
    std::string spikes;
    for (int l = 1; l <= kLevels; l++) {
        const double m = summarize(runs, curve, l, l).moves, w = week[weekOf(l)];
        if (m > 2 * w) spikes += listed(l, fmt("%.1f", m) + "/" + fmt("%.1f", w));
    }
    if (spikes.empty()) pass("no level above twice its week's median");
    else fail("no level above twice its week's median; above on" + spikes);
    const double eight = summarize(runs, curve, 8, 8).moves;
    const std::string cmp = fmt("%.1f", eight) + " against " + fmt("%.1f", week[2]);
    if (eight <= week[2]) pass("level 8 no harder than week 2 (" + cmp + ")");
    else fail("level 8 no harder than week 2 (" + cmp + ")");
    return g;
}

std::string runLine(const Run& r) {
    std::ostringstream o;
    const RunResult& x = r.result;
    o << r.level << '\t' << weekOf(r.level) << '\t' << strategyName(r.strategy) << '\t' << r.seed << '\t'
      << x.won << '\t' << x.moves << '\t' << x.frames << '\t' << fmt("%.2f", x.seconds()) << '\t' << x.switches
      << '\t' << x.powerUps << '\t' << x.idleFrames << '\t' << x.mossDone << '\t' << x.quotaDone << '\t'
      << x.lastMossCol << '\t' << x.lastMossRow;
    return o.str();
}

bool parseRunLine(const std::string& line, Run& r) {
    std::istringstream in(line);
    int week = 0, won = 0;
    double seconds = 0;
    std::string name;
    if (!(in >> r.level >> week >> name >> r.seed >> won >> r.result.moves >> r.result.frames >> seconds >>
          r.result.switches >> r.result.powerUps >> r.result.idleFrames >> r.result.mossDone >>
          r.result.quotaDone >> r.result.lastMossCol >> r.result.lastMossRow))
        return false;
    r.result.won = won != 0;
    return strategyByName(name, r.strategy);
}

std::string levelTable(const std::vector<Run>& runs, const std::vector<Strategy>& strategies) {
    std::ostringstream o;
    o << "level\tweek\tstrategy\truns\twins\tmoves_median\tmoves_p90\tseconds_median\tseconds_p90\n";
    for (int l = 1; l <= kLevels; l++)
        for (const Strategy s : strategies) {
            const Summary m = summarize(runs, s, l, l);
            if (!m.runs) continue;
            o << l << '\t' << weekOf(l) << '\t' << strategyName(s) << '\t' << m.runs << '\t' << m.wins << '\t'
              << fmt("%.1f", m.moves) << '\t' << fmt("%.0f", m.moves90) << '\t' << fmt("%.1f", m.seconds) << '\t'
              << fmt("%.1f", m.seconds90) << '\n';
        }
    return o.str();
}

std::string weekTable(const std::vector<Run>& runs, const std::vector<Strategy>& strategies) {
    std::ostringstream o;
    o << "week" << strategyList(strategies) << "\t(median moves)" << strategyList(strategies)
      << "\t(median seconds)\n";
    for (int w = 1; w <= kWeeks; w++) {
        o << w;
        for (const Strategy s : strategies) o << '\t' << fmt("%.1f", summarize(runs, s, 10 * w - 9, 10 * w).moves);
        o << '\t';
        for (const Strategy s : strategies)
            o << '\t' << fmt("%.1f", summarize(runs, s, 10 * w - 9, 10 * w).seconds);
        o << '\n';
    }
    return o.str();
}

} // namespace autoplay
