// The levels report: every level played by every strategy with several seeds,
// summed up per level and per week, checked against the difficulty goals, and
// written as tab-separated tables.
#pragma once

#include "tools/autoplay/autoplayer.h"

#include <string>
#include <vector>

namespace autoplay {

constexpr int kLevels = 100, kWeeks = 10;
inline int weekOf(int level) { return (level - 1) / 10 + 1; }

struct Run {
    int level = 0;
    Strategy strategy = Strategy::Best;
    unsigned seed = 0;
    RunResult result;
};

// Median and 90th percentile (nearest rank) of the runs' moves and seconds;
// a lost run counts as the longest.
struct Summary {
    int runs = 0, wins = 0;
    double moves = 0, moves90 = 0, seconds = 0, seconds90 = 0;
};
Summary summarize(const std::vector<Run>& runs, Strategy s, int firstLevel, int lastLevel);

// Move caps: a run that needs more is lost.
struct Caps {
    int best = 300, single = 600;
    int of(Strategy s) const { return s == Strategy::Best ? best : single; }
};

// The goals the levels are tuned to, each with a line saying how it went.
struct GoalCheck {
    bool met = true;
    std::vector<std::string> lines;
};
GoalCheck checkGoals(const std::vector<Run>& runs, const std::vector<Strategy>& strategies, const Caps& caps);

// One line per run.
std::string runLine(const Run& r);
bool parseRunLine(const std::string& line, Run& r);
// Per level and strategy: wins, median and 90th percentile of moves and seconds.
std::string levelTable(const std::vector<Run>& runs, const std::vector<Strategy>& strategies);
// Per week and strategy: the median moves and seconds.
std::string weekTable(const std::vector<Run>& runs, const std::vector<Strategy>& strategies);

} // namespace autoplay
