#include "rulesoak.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/playdriver.h"
#include "game/powerups.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include "board_fixture.h"
#include "tools/autoplay/moves.h"
#include "tools/autoplay/playfolder.h"

#include <deque>
#include <random>
#include <sstream>

namespace soak {

namespace {

constexpr int kMessages = 20;
constexpr int kRestTimeout = 400; // idle frames a settling board may take
constexpr int kStallFrames = 400; // idle frames at rest without a move before a rescue is overdue

// What a player could do on the board at rest in game type `type`.
bool anyMove(int type) {
    autoplay::Board b;
    b.read();
    return autoplay::anyMove(b, type);
}

bool fixedKind(int k) {
    return k == KIND_STONE || k == KIND_DOOR;
}

// Board positions by file column and row (x = 48k - 16, y = 48j - 20); row 0
// is where new pieces enter above the board.
constexpr int kCols = 21, kRows = 14;
int colOf(int x) {
    return (x + 16) % 48 == 0 && x >= 32 && x < 48 * kCols - 16 ? (x + 16) / 48 : 0;
}
int rowOf(int y) {
    return (y + 20) % 48 == 0 && y >= -20 && y < 48 * kRows - 20 ? (y + 20) / 48 : -1;
}

struct Grid {
    int v[kCols][kRows] = {};
    // The entry at (x, y), or nullptr off the grid.
    int* at(int x, int y) {
        const int k = colOf(x), j = rowOf(y);
        return k > 0 && j >= 0 ? &v[k][j] : nullptr;
    }
};

// Counters of the level that may only move one way.
struct Counters {
    int points = 0, items = 0, moss = 0, beetles = 0, time = 0, mossCells = 0, stones = 0, doors = 0;
    int destroyed[6] = {}, left[6] = {};
};

Counters readCounters() {
    TSpieler& pl = curPlayer();
    Counters c;
    c.points = pl.LevelPoints;
    c.items = pl.anzItems;
    c.moss = pl.anzMoss;
    c.beetles = pl.anzKaefer;
    c.time = pl.time;
    for (int s = 1; s <= kCells; s++) {
        if (!cellActive[s]) continue;
        c.mossCells += cellMoss[s] == 1;
        c.stones += cellStone[s] == 1;
        c.doors += cellDoor[s] == 1;
    }
    for (int k = 1; k <= 5; k++) {
        c.destroyed[k] = pl.itemsDestroyed[k];
        c.left[k] = pl.getItemsLeftToDestroy(pl.Level, k);
    }
    return c;
}

class Run {
  public:
    Run(int level, int mode, unsigned seed, Result& r) : level_(level), mode_(mode), rng_(seed), r_(r) {}

    void play(int frames) {
        start();
        for (int f = 0; f < frames; f++) {
            if (winCounter > 80) {
                r_.wins++;
                start();
            }
            const PlayInput in = next();
            playFrame(in);
            r_.frames++;
            check(in);
            if (broken_) { // one violation per broken board: start afresh
                r_.violations++;
                broken_ = false;
                start();
            }
        }
    }

  private:
    int level_, mode_;
    bool broken_ = false;
    std::mt19937 rng_;
    Result& r_;
    std::deque<PlayInput> plan_;
    int columnCells_[kCols] = {};  // cells in each column
    int columnBottom_[kCols] = {}; // y of each column's lowest cell
    Counters last_;
    int settling_ = 0;   // idle frames waited for rest so far, 0 = not waiting
    int idleAtRest_ = 0; // idle frames at rest without any move for the player

    int roll(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return roll(1, 100) <= percent; }

    void start() {
        const int type = mode_ == 0 ? roll(1, 3) : mode_;
        SeedRandom(static_cast<int>(rng_()));
        playStartLevel(level_, type);
        gDebugMode = 1; // F2 may fill the power-ups
        for (int k = 0; k < kCols; k++)
            columnCells_[k] = columnBottom_[k] = 0;
        for (int c = 1; c <= kCells; c++) {
            const int k = cellActive[c] ? colOf(cellX[c]) : 0;
            if (!k) continue;
            columnCells_[k]++;
            if (cellY[c] > columnBottom_[k]) columnBottom_[k] = cellY[c];
        }
        plan_.clear();
        settling_ = idleAtRest_ = 0;
        last_ = readCounters();
    }

    void fail(const std::string& what) {
        broken_ = true;
        if (static_cast<int>(r_.messages.size()) >= kMessages) return;
        std::ostringstream m;
        m << "level " << level_ << " mode " << mode_ << " type " << curPlayer().gtGameType << " game frame "
          << gameFrame << ": " << what;
        r_.messages.push_back(m.str());
    }

    // ---- input ---------------------------------------------------------

    static PlayInput idle() { return PlayInput{}; }
    // A click at (x, y): a tap within one frame, or a press held a few frames.
    void click(int x, int y) {
        const int held = chance(50) ? 1 : roll(2, 4);
        plan_.push_back(pointerAt(x, y, 1, 1));
        for (int f = 1; f < held; f++)
            plan_.push_back(pointerAt(x, y, 1, 0));
        plan_.push_back(pointerAt(x, y, 0, 0));
    }

    int randomPiece(bool resting, bool (*want)(int)) {
        int pick = 0, seen = 0;
        for (int s = 1; s <= kItems; s++) {
            if (!want(itemKind[s]) || (resting && !itemCell[s])) continue;
            if (roll(1, ++seen) == 1) pick = s;
        }
        return pick;
    }
    static bool anyPiece(int k) { return isBoardPiece(k) && k != KIND_BEETLE && !fixedKind(k); }
    static bool colourPiece(int k) { return isColourKind(k); }
    static bool bombPiece(int k) { return k == KIND_BOMB; }

    void planChain() {
        int s = randomPiece(!chance(20), anyPiece);
        if (!s) return;
        std::vector<std::pair<int, int>> path{{itemX[s], itemY[s]}};
        const int colour = itemKind[s];
        const int length = roll(1, 7);
        for (int n = 1; n < length; n++) {
            static const int dx[4] = {48, -48, 0, 0}, dy[4] = {0, 0, 48, -48};
            const int d = roll(0, 3);
            const int x = path.back().first + dx[d], y = path.back().second + dy[d];
            int found = 0;
            for (int k = 1; k <= kItems; k++)
                if (itemX[k] == x && itemY[k] == y && anyPiece(itemKind[k])) found = k;
            const bool fits = found && (itemKind[found] == colour || itemKind[found] == KIND_JOKER ||
                                        itemKind[found] == KIND_BOMB || colour == KIND_JOKER);
            if (fits || (found && chance(15))) path.push_back({x, y});
        }
        if (path.size() > 2 && chance(15)) path.push_back(path[path.size() - 2]); // back over the chain
        plan_.push_back(pointerAt(path[0].first, path[0].second, 1, 1));
        for (size_t i = 1; i < path.size(); i++)
            plan_.push_back(pointerAt(path[i].first, path[i].second, 1, 0));
        plan_.push_back(pointerAt(path.back().first, path.back().second, 0, 0));
    }

    // A resting colour piece in a column where pieces are still falling:
    // swapping there lets cascades meet a running swap.
    int pieceBesideFalling() {
        bool falling[kCols] = {};
        for (int s = 1; s <= kItems; s++)
            if (isBoardPiece(itemKind[s]) && itemFalling[s]) falling[colOf(itemX[s])] = true;
        int pick = 0, seen = 0;
        for (int s = 1; s <= kItems; s++) {
            if (!isColourKind(itemKind[s]) || !itemCell[s]) continue;
            const int k = colOf(itemX[s]);
            if ((falling[k] || (k > 1 && falling[k - 1]) || (k + 1 < kCols && falling[k + 1])) &&
                roll(1, ++seen) == 1)
                pick = s;
        }
        return pick;
    }

    void planSwap() {
        int s = chance(60) ? pieceBesideFalling() : 0;
        if (!s) s = randomPiece(!chance(20), colourPiece);
        if (!s) return;
        click(itemX[s], itemY[s]);
        for (int w = roll(0, 3); w > 0; w--)
            plan_.push_back(idle());
        int dx = 0, dy = 0;
        const int r = roll(1, 100);
        if (r <= 80) {
            (roll(0, 1) ? dx : dy) = roll(0, 1) ? 48 : -48;
        } else if (r <= 90) {
            dx = roll(0, 1) ? 48 : -48;
            dy = roll(0, 1) ? 48 : -48;
        }
        click(itemX[s] + dx, itemY[s] + dy);
    }

    void planPowerUp() {
        TSpieler& pl = curPlayer();
        int ready[4], n = 0;
        for (int k = 1; k <= 4; k++)
            if (pl.pu[k] >= kPuReady && puState[k] == 0) ready[n++] = k;
        if (n == 0) return;
        const int k = ready[roll(0, n - 1)];
        click(static_cast<int>(puX[k]), static_cast<int>(puY[k]));
    }

    void plan() {
        r_.actions++;
        const int r = roll(1, 100);
        if (puState[1] == 1) { // aiming: shoot a piece, or now and then put the aim down
            if (chance(85)) {
                const int s = randomPiece(false, isBoardPiece);
                if (s) click(itemX[s], itemY[s]);
            } else {
                click(static_cast<int>(puX[1]), static_cast<int>(puY[1]));
            }
        } else if (r <= 6) {
            PlayInput in;
            in.fKeys = 2; // F2: every power-up ready
            plan_.push_back(in);
        } else if (r <= 18) {
            planPowerUp();
        } else if (r <= 23) {
            click(roll(60, 960), roll(60, 700)); // anywhere on the board and the bar
        } else if (r <= 28) {
            const int s = randomPiece(false, bombPiece);
            if (s) click(itemX[s], itemY[s]);
        } else if (mode_ == 0 && r <= 36) {
            PlayInput in;
            in.wheel = roll(0, 1) ? 1 : -1;
            plan_.push_back(in);
        } else {
            switch (curPlayer().gtGameType) {
            case 1:
                planChain();
                break;
            case 2: {
                const int s = randomPiece(!chance(20), anyPiece);
                if (s) click(itemX[s], itemY[s]);
                break;
            }
            default:
                planSwap();
                break;
            }
        }
    }

    PlayInput next() {
        if (gRunPopup > 0) { // the help of the first levels: confirm it
            PlayInput in;
            in.enter = gRunPopup == 16 && gFrameCount % 2 == 0;
            return in;
        }
        if (settling_ > 0) {
            if (!atRest() && puState[1] != 1 && settling_ < kRestTimeout) {
                settling_++;
                return idle();
            }
            if (!atRest() && puState[1] != 1) fail("the board did not come to rest within 400 idle frames");
            settling_ = 0;
        }
        if (plan_.empty() && gameFrame > 150 && winCounter == 0 && atRest() &&
            !anyMove(curPlayer().gtGameType))
            return idle(); // nothing to play: wait for the rescue bomb, as a player would
        if (plan_.empty()) {
            // Moves come as often before the board rests as after it.
            if (gameFrame > 150 && chance(curPlayer().gtGameType == 3 ? 15 : 40)) {
                settling_ = 1; // let the board settle before the next move
                return idle();
            }
            plan();
        }
        if (plan_.empty()) return idle();
        const PlayInput in = plan_.front();
        plan_.pop_front();
        return in;
    }

    // ---- checks --------------------------------------------------------

    // A swap left running by a switch to another type waits for swap mode
    // to come back; it does not keep the board from resting meanwhile.
    static bool atRest() {
        if ((swapProgress != 0 && curPlayer().gtGameType == 3) || shuffleRadius != 0 || powerUpBusy != 0)
            return false;
        for (int s = 1; s <= kItems; s++)
            if (isBoardPiece(itemKind[s]) && (itemCell[s] == 0 || itemFalling[s] != 0)) return false;
        return true;
    }

    void check(const PlayInput& in) {
        checkSlots();
        checkLinks();
        checkColumns();
        checkCounters();
        if (atRest()) {
            r_.rests++;
            checkRest();
            checkStall(in);
        } else {
            idleAtRest_ = 0;
        }
    }

    void checkSlots() {
        for (int s = 1; s <= kItems; s++) {
            const int k = itemKind[s];
            if (!isKnownItemKind(k) || (k != 0 && s > kItemsUsed))
                fail("slot " + std::to_string(s) + " holds kind " + std::to_string(k));
            if (!isBoardPiece(k)) continue;
            const int x = itemX[s], y = itemY[s];
            const int col = colOf(x);
            if (!col || !columnCells_[col] || y < -20 || y > columnBottom_[col] || (y + 20) % 12 != 0) {
                std::ostringstream m;
                m << "piece " << s << " of kind " << k << " off the board's columns and rows at " << x << ","
                  << y;
                fail(m.str());
            }
            if (fixedKind(k)) {
                const int c = itemCell[s];
                const bool intact =
                    c >= 1 && c <= kCells && (k == KIND_STONE ? cellStone[c] : cellDoor[c]) == 1;
                if (!intact) fail("a stone or door item " + std::to_string(s) + " without its cell's flag");
            }
        }
        for (int c = 1; c <= kCells; c++) {
            if (!cellActive[c] || (cellStone[c] != 1 && cellDoor[c] != 1)) continue;
            const int i = cellItem[c];
            if (i < 1 || i > kItems || !fixedKind(itemKind[i]))
                fail("cell " + std::to_string(c) + " keeps a stone or door flag without the item");
        }
    }

    void checkLinks() {
        for (int s = 1; s <= kItems; s++) {
            const int c = itemCell[s];
            if (c == 0) continue;
            if (c < 1 || c > kCells || !cellActive[c] || cellItem[c] != s || cellX[c] != itemX[s] ||
                cellY[c] != itemY[s] || !isBoardPiece(itemKind[s]))
                fail("item " + std::to_string(s) + " and cell " + std::to_string(c) +
                     " disagree on their link");
        }
        for (int c = 1; c <= kCells; c++) {
            const int s = cellItem[c];
            if (s == 0) continue;
            if (s < 1 || s > kItems || itemCell[s] != c)
                fail("cell " + std::to_string(c) + " links item " + std::to_string(s) +
                     " which does not link back");
        }
    }

    // Every column holds as many pieces as it has cells: a stone or door
    // stands for the cells it covers.
    void checkColumns() {
        int count[kCols] = {};
        for (int s = 1; s <= kItems; s++) {
            const int kind = itemKind[s];
            if (isBoardPiece(kind)) count[colOf(itemX[s])] += fixedKind(kind) ? itemHeight[s] : 1;
        }
        for (int k = 1; k < kCols; k++)
            if (count[k] != columnCells_[k]) {
                std::ostringstream m;
                m << "column " << k << " holds " << count[k] << " pieces for " << columnCells_[k] << " cells";
                fail(m.str());
            }
    }

    void checkCounters() {
        const Counters now = readCounters();
        const auto rises = [this](const char* name, int before, int after) {
            if (after < before)
                fail(std::string(name) + " went down from " + std::to_string(before) + " to " +
                     std::to_string(after));
        };
        rises("the level's points", last_.points, now.points);
        rises("destroyed items", last_.items, now.items);
        rises("cleared moss", last_.moss, now.moss);
        rises("escaped beetles", last_.beetles, now.beetles);
        rises("the level clock", last_.time, now.time);
        rises("moss cells (as cleaned)", now.mossCells, last_.mossCells);
        rises("stones (as broken)", now.stones, last_.stones);
        rises("doors (as opened)", now.doors, last_.doors);
        for (int k = 1; k <= 5; k++) {
            rises("a quota count", last_.destroyed[k], now.destroyed[k]);
            rises("pieces still to destroy (as done)", now.left[k], last_.left[k]);
        }
        last_ = now;
    }

    // At rest every cell holds exactly one piece, except the cells a stone or
    // door covers below itself, which hold none.
    void checkRest() {
        Grid covered, pieces;
        for (int s = 1; s <= kItems; s++)
            if (fixedKind(itemKind[s]))
                for (int h = 1; h < itemHeight[s]; h++)
                    if (int* p = covered.at(itemX[s], itemY[s] + 48 * h)) *p = 1;
        for (int s = 1; s <= kItems; s++)
            if (isBoardPiece(itemKind[s]))
                if (int* p = pieces.at(itemX[s], itemY[s])) ++*p;
        for (int c = 1; c <= kCells; c++) {
            if (!cellActive[c]) continue;
            const int want = *covered.at(cellX[c], cellY[c]) ? 0 : 1;
            const int have = *pieces.at(cellX[c], cellY[c]);
            if (have != want) {
                std::ostringstream m;
                m << "at rest, cell " << c << " at " << cellX[c] << "," << cellY[c] << " holds " << have
                  << " pieces instead of " << want;
                fail(m.str());
            }
        }
    }

    // A board at rest with no move for the player in this game type must get
    // its rescue bomb within a few examinations.
    void checkStall(const PlayInput& in) {
        const bool input = in.down || in.hits || in.wheel || in.fKeys;
        if (input || winCounter != 0 || gRunPopup != 0 || anyMove(curPlayer().gtGameType)) {
            idleAtRest_ = 0;
            return;
        }
        if (++idleAtRest_ == kStallFrames) fail("no move for the player and no rescue bomb for 400 frames");
    }
};

const std::vector<std::string> kHandMade[] = {
    // Split columns: gaps of one and two cells, stones and doors above and
    // below them, beetles in upper runs, moss on both sides.
    {
        "",
        "oooBooooBoo",
        "oSooooDoooo",
        "oooMoooooMo",
        "o.oo.o.ooo.",
        "o.oo.o..o..",
        "oooo.ooooo.",
        "oMoSoDoooMo",
        "ooMooooMooo",
        "oooooo.oooo",
        "MoMoMoDoMoM",
        "ooooooooooo",
    },
    // Every column split twice, stones on top of lower runs.
    {
        "",
        "ooooBoooo",
        "oMooooMoo",
        ".........",
        "oSooDooSo",
        "ooMoooMoo",
        "oooBooooo",
        ".........",
        "oooooSooo",
        "MoMoMoMoM",
        "ooooooooo",
    },
    // 137 cells and 13 column segments: the item table is exactly full.
    {
        "",
        "ooooooooooooo",
        "ooooooooooooo",
        "oMooooBooooMo",
        "ooooooooooooo",
        "ooSooooooDooo",
        "ooooooooooooo",
        "ooMooooooMooo",
        "ooooooooooooo",
        "ooooooooooooo",
        "MoooMoooMoooM",
        "ooooooo",
    },
};

void play(const Options& opt, Result& r) {
    unsigned seed = opt.seed;
    for (int level : opt.levels)
        for (int mode : opt.modes)
            Run(level, mode, seed++, r).play(opt.framesPerRun);
}

} // namespace

bool playShipped(const std::string& gameDir, const Options& opt, Result& r) {
    autoplay::PlayFolder folder(gameDir, false);
    if (folder.ready()) play(opt, r);
    return folder.ready();
}

bool playHandMade(const std::string& gameDir, const Options& opt, Result& r) {
    autoplay::PlayFolder folder(gameDir, true);
    static const int kLevels[] = {5, 40, 85};
    Options handMade = opt;
    handMade.levels.clear();
    for (size_t i = 0; i < std::size(kHandMade); i++) {
        m3test::writeLevel(kLevels[i], kHandMade[i]);
        handMade.levels.push_back(kLevels[i]);
    }
    if (folder.ready()) play(handMade, r);
    return folder.ready();
}

} // namespace soak
