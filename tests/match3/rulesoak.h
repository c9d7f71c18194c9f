// Random play through the game screen's own frame routine, with the board
// checked after every frame: a player's moves in every game type (legal ones
// mostly, some that are not), taps and drags mid-cascade, power-ups, shuffles
// and type switches. The board is never written by the soak itself.
#pragma once

#include <string>
#include <vector>

namespace soak {

struct Options {
    std::vector<int> levels; // level numbers to play
    std::vector<int> modes;  // 1 chain, 2 group, 3 swap, 0 switching between them
    int framesPerRun = 2000; // frames for each level and mode
    unsigned seed = 1;
};

struct Result {
    long long frames = 0;              // game-screen frames run
    long long rests = 0;               // frames at which the board was at rest
    long long actions = 0;             // moves, taps, power-ups and switches made
    long long wins = 0;                // levels won on the way
    long long violations = 0;          // boards found broken (the level then starts afresh)
    std::vector<std::string> messages; // the first violations, described
};

// Plays every level x mode pair of `opt` on the shipped levels of the game
// folder `gameDir` (the folder holding data/) and adds to `r`. False when the
// data folder lacks what play needs.
bool playShipped(const std::string& gameDir, const Options& opt, Result& r);

// The same on hand-made boards the shipped levels do not have: split columns
// (several runs of cells in one column, with stones, doors and beetles above
// and below the gaps) and a board whose cells and column segments fill the
// item table exactly. They are played as levels 5, 40 and 85 (bombs in
// refills from level 3 on, doors always opening into bombs above 81);
// opt.levels is ignored.
bool playHandMade(const std::string& gameDir, const Options& opt, Result& r);

} // namespace soak
