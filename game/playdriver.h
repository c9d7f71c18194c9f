// Plays levels without a display: the game screen's own prepare and frame
// routines run on the live board with nothing drawn (no display is open), on
// the virtual clock moving 25 ms per frame, and each frame's input is set as
// the input snapshot sets it. The autoplayer and the random-play soak play
// through it; neither ever writes the board itself.
#pragma once
#include <vector>

struct PlayInput {
    int x = -500, y = -500; // pointer position
    int hits = 0;           // left-button presses since the previous frame
    int down = 0;           // 1 while the left button is held (a tap reads held once)
    int wheel = 0;          // wheel movement, positive away from the user
    int esc = 0;            // Escape presses
    int enter = 0;          // 1 while Enter is held
    int fKeys = 0;          // bit k - 1 set while function key Fk (1..6) is held
    // Keyboard play: the keys (virtual-key numbers) held during this frame
    // reach the game as key events and steer the focus; the pointer rests.
    bool keyboard = false;
    std::vector<int> keys;
};

// The pointer at (x, y) with the left button held (down) and pressed (hits).
inline PlayInput pointerAt(int x, int y, int down, int hits) {
    PlayInput in;
    in.x = x;
    in.y = y;
    in.down = down;
    in.hits = hits;
    return in;
}

// Loads what play needs from the data folder in the working directory: the
// pictures the rules pick and aim with (pieces, cell mask, pointer probe,
// power-up holders) and the item-target table. False when the pictures the
// pointer is tested with are missing.
bool playLoadData();
// Enters the game screen for `level` in game type `type` (1 chain, 2 group,
// 3 swap) with the current profile, slot 1 made fresh when none is current;
// the level starts from its file, not from a snapshot.
void playStartLevel(int level, int type);
// Runs one frame of the game screen with this input.
void playFrame(const PlayInput& in);
