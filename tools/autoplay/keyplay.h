// The autoplayer's keyboard hands: its moves become key presses on the board
// cursor (arrows to the cell, Enter to press, Space held to draw a chain, an
// arrow from a marked piece to swap), the power-ups their keys 4..7 and the
// game types the keys 1..3. The keys are worked out frame by frame from where
// the cursor is, so nothing but keys ever reaches the game.
#pragma once

#include "game/playdriver.h"
#include "tools/autoplay/board.h"

#include <deque>
#include <vector>

namespace autoplay {

class KeyPlay {
  public:
    void press(Pos p);                        // the cursor to p, Enter
    void swap(Pos a, Pos b);                  // the cursor to a, Enter, the arrow towards b
    void chain(const std::vector<Pos>& path); // the cursor to the start, Space held along the path
    void powerUp(int slot);                   // the slot's key
    void gameType(int type);                  // the type's key
    bool empty() const { return intents_.empty() && frames_.empty(); }
    // The input of the next frame.
    PlayInput next();

  private:
    enum class Kind { Press, Swap, Chain, Key };
    struct Intent {
        Kind kind;
        std::vector<Pos> cells;
        int key = 0;
    };
    std::deque<Intent> intents_;
    std::deque<PlayInput> frames_;

    void tap(int key, int held = 0);
    bool walkTo(Pos p, int held);
    void expand();
};

} // namespace autoplay
