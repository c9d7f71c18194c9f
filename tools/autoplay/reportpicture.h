// The levels report on one page: per level the median and 90th percentile of
// moves and game-seconds of every strategy on logarithmic scales, the wins,
// the week boundaries with the week medians, and the goals.
#pragma once

#include "tools/autoplay/report.h"

#include <string>
#include <vector>

namespace autoplay {

// Writes the page as a PNG file; false when it cannot be written.
bool drawReport(const std::string& path, const std::vector<Run>& runs, const std::vector<Strategy>& strategies,
                const Caps& caps, const GoalCheck& goals, const std::string& footer);

} // namespace autoplay
