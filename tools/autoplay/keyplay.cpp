#include "tools/autoplay/keyplay.h"

#include "app/focus.h"
#include "game/boardcursor.h"
#include "match3/board.h"
#include "match3/rules.h"

#include <algorithm>

namespace autoplay {

namespace {

constexpr int kEnter = 13, kSpace = 32;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

struct Arrow {
    int dx, dy, key;
};
constexpr Arrow kArrows[4] = {{1, 0, kRight}, {-1, 0, kLeft}, {0, 1, kDown}, {0, -1, kUp}};

PlayInput keysFrame(std::vector<int> keys) {
    PlayInput in;
    in.keyboard = true;
    in.keys = std::move(keys);
    return in;
}

// The arrows that take the cursor from cell `from` to cell `to` by the fewest
// steps, never stepping off a cell where a swap is marked (that would swap).
std::vector<int> route(int from, int to) {
    std::vector<int> prev(kCells + 1, -1), key(kCells + 1, 0);
    std::deque<int> open{from};
    prev[from] = from;
    const int marked = swapFirst > 0 && swapProgress == 0 ? boardCellAt(itemX[swapFirst], itemY[swapFirst]) : 0;
    while (!open.empty() && prev[to] == -1) {
        const int c = open.front();
        open.pop_front();
        if (c == marked && c != from) continue;
        for (const Arrow& a : kArrows) {
            const int n = boardCursorNeighbour(c, a.dx, a.dy);
            if (n == 0 || prev[n] != -1) continue;
            prev[n] = c;
            key[n] = a.key;
            open.push_back(n);
        }
    }
    std::vector<int> keys;
    if (prev[to] == -1) return keys;
    for (int c = to; c != from; c = prev[c]) keys.push_back(key[c]);
    std::reverse(keys.begin(), keys.end());
    return keys;
}

} // namespace

void KeyPlay::press(Pos p) { intents_.push_back({Kind::Press, {p}, 0}); }
void KeyPlay::swap(Pos a, Pos b) { intents_.push_back({Kind::Swap, {a, b}, 0}); }
void KeyPlay::chain(const std::vector<Pos>& path) { intents_.push_back({Kind::Chain, path, 0}); }
void KeyPlay::powerUp(int slot) { intents_.push_back({Kind::Key, {}, '3' + slot}); }

void KeyPlay::gameType(int type) {
    static const int kKeyOfType[4] = {0, '2', '3', '1'}; // chain, group, swap
    intents_.push_back({Kind::Key, {}, kKeyOfType[type]});
}

// A key pressed for one frame and let go on the next; `held` stays down.
void KeyPlay::tap(int key, int held) {
    std::vector<int> down{key};
    std::vector<int> up;
    if (held) {
        down.push_back(held);
        up.push_back(held);
    }
    frames_.push_back(keysFrame(down));
    frames_.push_back(keysFrame(up));
}

// Plans the arrows to p; false when the focus must first reach the board (the
// frames for that are planned instead).
bool KeyPlay::walkTo(Pos p, int held) {
    if (!focusShown()) {
        tap(kUp); // the first key only shows the focus
        return false;
    }
    if (!focusOnCursorArea()) {
        tap(kUp); // the power-ups and the type buttons lie below the board
        return false;
    }
    for (const int key : route(boardCursorCell(), boardCellAt(xOfCol(p.col), yOfRow(p.row)))) tap(key, held);
    return true;
}

void KeyPlay::expand() {
    const Intent& i = intents_.front();
    switch (i.kind) {
    case Kind::Key: tap(i.key); break;
    case Kind::Press:
        if (!walkTo(i.cells[0], 0)) return;
        tap(kEnter);
        break;
    case Kind::Swap: {
        if (!walkTo(i.cells[0], 0)) return;
        tap(kEnter);
        const Pos d{i.cells[1].col - i.cells[0].col, i.cells[1].row - i.cells[0].row};
        for (const Arrow& a : kArrows)
            if (a.dx == d.col && a.dy == d.row) tap(a.key);
        break;
    }
    case Kind::Chain: {
        if (!walkTo(i.cells[0], 0)) return;
        frames_.push_back(keysFrame({kSpace}));
        for (size_t k = 1; k < i.cells.size(); ++k) {
            const Pos d{i.cells[k].col - i.cells[k - 1].col, i.cells[k].row - i.cells[k - 1].row};
            for (const Arrow& a : kArrows)
                if (a.dx == d.col && a.dy == d.row) tap(a.key, kSpace);
        }
        frames_.push_back(keysFrame({}));
        break;
    }
    }
    intents_.pop_front();
}

PlayInput KeyPlay::next() {
    if (frames_.empty() && !intents_.empty()) expand();
    if (frames_.empty()) return keysFrame({});
    const PlayInput in = frames_.front();
    frames_.pop_front();
    return in;
}

} // namespace autoplay
