// A greedy player for the shipped levels. It plays through the game screen's
// own frame routine (game/playdriver.h) with the input a player's mouse gives:
// it waits until the board rests, then takes the move worth most (moss first,
// then the pieces the quota still needs, then stones, doors and bombs), uses
// its power-ups when they help, and counts its moves until the level is won.
// The board is never written. Runs are reproducible: a run depends only on the
// level, the strategy and the seed.
#pragma once

#include <string>

namespace autoplay {

// Which game types the player uses. Best-of-three may switch type before any
// move; a switch counts as a move of its own.
enum class Strategy { Chain, Group, Swap, Best };
constexpr Strategy kStrategies[] = {Strategy::Chain, Strategy::Group, Strategy::Swap, Strategy::Best};
const char* strategyName(Strategy s); // "chain", "group", "swap", "best"
// The strategy of a name, false when there is none.
bool strategyByName(const std::string& name, Strategy& s);

struct Limits {
    int moveCap = 600;       // a run not won within this many moves is lost
    int frameCap = 200000;   // nor within this many frames (83 minutes of play)
    bool keyboard = false;   // play with key presses on the board cursor only
};

struct RunResult {
    bool won = false;
    int moves = 0;       // selections, bomb clicks, power-ups used and type switches
    int frames = 0;      // frames of play, from the start of the level clock to the win
    int switches = 0;    // type switches among the moves
    int powerUps = 0;    // power-ups used among the moves
    int idleFrames = 0;  // frames at rest with nothing to play (waiting for a rescue bomb)
    int mossDone = -1;   // moves made when the last moss went, -1 never
    int quotaDone = -1;  // moves made when the last piece the quota needs was taken, -1 never
    int lastMossCol = 0, lastMossRow = 0; // where the last moss was cleared
    double seconds() const { return frames / 40.0; }
};

// Plays one level from its start. Needs playLoadData() to have succeeded in
// the working directory.
RunResult playRun(int level, Strategy s, unsigned seed, const Limits& limits);

} // namespace autoplay
