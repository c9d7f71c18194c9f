#include "tools/autoplay/autoplayer.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/playdriver.h"
#include "game/powerups.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tools/autoplay/keyplay.h"
#include "tools/autoplay/moves.h"

#include <deque>
#include <optional>

namespace autoplay {

namespace {

constexpr int kClockStart = 150; // the game-type buttons and the level clock start here
constexpr int kPopupOpen = 16;   // the popup machine's count of a fully open popup
// Particle types of the power-up projectiles: the shot, the moss shots and the dynamite.
constexpr int kProjectiles[] = {13003, 13004, 13205};
constexpr int kSlotMossShots = 3, kSlotTargetShot = 1, kSlotDynamite = 4, kSlotShuffle = 2;
constexpr int kMossShotsHitAll = 8; // below this many moss cells the moss shots hit every one
constexpr int kEndgameMoss = 4;     // moss cells left when the shot and the dynamite are worth it

int typeOf(Strategy s) {
    switch (s) {
    case Strategy::Chain: return 1;
    case Strategy::Group: return 2;
    case Strategy::Swap: return 3;
    default: return 3; // best-of-three starts where a new player starts
    }
}

bool projectileFlying() {
    for (int s = 1; s <= kParticles; s++)
        for (const int t : kProjectiles)
            if (pType[s] == t) return true;
    return false;
}

// Nothing moves, nothing is under way: every piece lies in its cell, no swap,
// shuffle or power-up runs, no projectile flies, and in swap mode no line
// waits to be cleared.
bool atRest() {
    if (swapProgress != 0 || shuffleRadius != 0 || powerUpBusy != 0 || selCount != 0) return false;
    for (int k = 1; k <= 4; k++)
        if (puState[k] != 0) return false;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && (itemCell[s] == 0 || itemFalling[s] != 0)) return false;
    if (projectileFlying()) return false;
    if (curPlayer().gtGameType != 3) return true;
    Board b;
    b.read();
    return standingLines(b).empty();
}

int mossCells() {
    int n = 0;
    for (int c = 1; c <= kCells; c++) n += cellActive[c] && cellMoss[c] == 1;
    return n;
}

bool puReady(int k) { return curPlayer().pu[k] >= kPuReady && puState[k] == 0; }

// A move with its price in moves: one, and one more for a switch of type.
struct Choice {
    Move move;
    int type = 0;   // game type it is played in
    int cost = 1;
    bool switchOnly = false; // the switch is the move (to swap mode, where standing lines clear)
    double worth() const { return move.effect.value() / cost; }
};

class Player {
  public:
    Player(Strategy s, const Limits& l) : strategy_(s), limits_(l) {}

    RunResult play(int level, unsigned seed) {
        SeedRandom(static_cast<int>(seed * 2654435761u + level * 40503u + static_cast<unsigned>(strategy_) * 977u));
        gFrameCount = 0;
        TSpieler& pl = curPlayer();
        for (int k = 1; k <= 4; k++) pl.pusoll[k] = 0; // no charge brought from another level
        playStartLevel(level, typeOf(strategy_));
        for (int f = 0; f < limits_.frameCap && !stopped_; f++) {
            playFrame(next());
            watchGoals();
            if (winCounter > 0) {
                result_.won = true;
                break;
            }
            if (gameFrame > kClockStart) result_.frames++;
        }
        return result_;
    }

  private:
    Strategy strategy_;
    Limits limits_;
    RunResult result_;
    std::deque<PlayInput> plan_;
    KeyPlay keys_; // the plan, as key presses, in keyboard play
    bool stopped_ = false;

    int mossSeen_[kCells + 1] = {};

    // Notes when the moss and the quota are done, and where the last moss was.
    void watchGoals() {
        bool anyMoss = false;
        for (int c = 1; c <= kCells; c++) {
            const bool moss = cellActive[c] && cellMoss[c] == 1;
            if (mossSeen_[c] && !moss) {
                result_.lastMossCol = colOfX(cellX[c]);
                result_.lastMossRow = rowOfY(cellY[c]);
            }
            mossSeen_[c] = moss;
            anyMoss = anyMoss || moss;
        }
        if (!anyMoss && result_.mossDone < 0) result_.mossDone = result_.moves;
        if (!readNeeds().any() && result_.quotaDone < 0) result_.quotaDone = result_.moves;
    }

    PlayInput next() {
        if (gRunPopup > 0) { // the help some levels open: confirm it
            PlayInput in;
            in.enter = gRunPopup == kPopupOpen && gFrameCount % 2 == 0;
            in.keyboard = limits_.keyboard;
            if (in.enter && in.keyboard) in.keys = {13};
            return in;
        }
        if (plan_.empty() && keys_.empty() && gameFrame >= kClockStart && atRest()) decide();
        if (limits_.keyboard) return keys_.next();
        if (plan_.empty()) return PlayInput{};
        const PlayInput in = plan_.front();
        plan_.pop_front();
        return in;
    }

    // ---- input -------------------------------------------------------------

    void click(Pos p) {
        if (limits_.keyboard) {
            keys_.press(p);
            return;
        }
        plan_.push_back(pointerAt(xOfCol(p.col), yOfRow(p.row), 1, 1));
        plan_.push_back(pointerAt(xOfCol(p.col), yOfRow(p.row), 0, 0));
    }

    void switchTo(int type) {
        result_.switches++;
        if (limits_.keyboard) {
            keys_.gameType(type);
            return;
        }
        const int notches = (type - curPlayer().gtGameType + 3) % 3;
        for (int i = 0; i < notches; i++) {
            PlayInput in;
            in.wheel = 1;
            plan_.push_back(in);
        }
    }

    void playMove(const Move& m) {
        if (limits_.keyboard && m.action == Action::Chain) {
            keys_.chain(m.cells);
            return;
        }
        if (limits_.keyboard && m.action == Action::Swap) {
            keys_.swap(m.cells[0], m.cells[1]);
            return;
        }
        switch (m.action) {
        case Action::Chain: {
            const std::vector<Pos>& p = m.cells;
            plan_.push_back(pointerAt(xOfCol(p[0].col), yOfRow(p[0].row), 1, 1));
            for (size_t i = 1; i < p.size(); i++) plan_.push_back(pointerAt(xOfCol(p[i].col), yOfRow(p[i].row), 1, 0));
            plan_.push_back(pointerAt(xOfCol(p.back().col), yOfRow(p.back().row), 0, 0));
            break;
        }
        case Action::Swap:
            click(m.cells[0]);
            click(m.cells[1]);
            break;
        default:
            click(m.cells[0]);
            break;
        }
    }

    void usePowerUp(int k, std::optional<Pos> target = {}) {
        if (limits_.keyboard) {
            keys_.powerUp(k);
        } else {
            plan_.push_back(pointerAt(static_cast<int>(puX[k]), static_cast<int>(puY[k]), 1, 1));
            plan_.push_back(pointerAt(static_cast<int>(puX[k]), static_cast<int>(puY[k]), 0, 0));
        }
        if (target) click(*target);
        result_.powerUps++;
        result_.moves++;
    }

    // ---- choice --------------------------------------------------------------

    std::vector<Choice> choices(const Board& b, const Needs& n) const {
        std::vector<Choice> out;
        const int current = curPlayer().gtGameType;
        if (strategy_ != Strategy::Best) {
            for (Move& m : movesFor(b, current, n)) out.push_back({std::move(m), current, 1});
            return out;
        }
        // In chain or group mode lines may stand; a switch to swap mode
        // clears them at once, and a swap planned before that would miss.
        const std::vector<Pos> lines = current != 3 ? standingLines(b) : std::vector<Pos>{};
        for (int t = 1; t <= 3; t++) {
            if (t == 3 && !lines.empty()) continue;
            for (Move& m : movesFor(b, t, n)) out.push_back({std::move(m), t, t == current ? 1 : 2});
        }
        if (!lines.empty()) out.push_back({{Action::Swap, lines, effectOf(b, lines, n)}, 3, 1, true});
        return out;
    }

    // The target of the shot worth most.
    std::optional<std::pair<Pos, Effect>> bestShot(const Board& b, const Needs& n) const {
        std::optional<std::pair<Pos, Effect>> best;
        for (int c = 1; c <= kCols; c++)
            for (int r = 1; r <= kRows; r++) {
                const Pos p{c, r};
                const int k = b.kindAt(p);
                if (k == 0 || k == KIND_BEETLE) continue;
                const Effect e = shotEffect(b, p, n);
                if (!best || e.value() > best->second.value()) best = {{p, e}};
            }
        return best;
    }

    // Power-ups are kept for the endgame, where they help most: the moss
    // shots once fewer than 8 moss cells are left (then every one is hit), the
    // shot and the dynamite once a few moss cells are left that no move clears
    // (or nothing can be played at all), the shuffle when no move does anything
    // useful.
    bool powerUp(const Board& b, const Needs& n, const Choice* best) {
        const int moss = mossCells();
        const bool clearsMoss = best && best->move.effect.moss > 0;
        if (puReady(kSlotMossShots) && moss > 0 && moss < kMossShotsHitAll) {
            usePowerUp(kSlotMossShots);
            return true;
        }
        const bool stuck = !best || (moss > 0 && moss <= kEndgameMoss && !clearsMoss);
        if (stuck && puReady(kSlotTargetShot))
            if (const auto shot = bestShot(b, n)) {
                const Effect& e = shot->second;
                const bool helps = moss > 0 ? e.moss + e.uncovered > 0 : e.value() > e.pieces;
                if (helps) {
                    usePowerUp(kSlotTargetShot, shot->first);
                    return true;
                }
            }
        if (stuck && puReady(kSlotDynamite)) {
            usePowerUp(kSlotDynamite);
            return true;
        }
        const Effect* e = best ? &best->move.effect : nullptr;
        const bool useful = e && (e->moss > 0 || e->quota > 0 || e->obstacles > 0 || e->uncovered > 0);
        if (puReady(kSlotShuffle) && !useful) {
            usePowerUp(kSlotShuffle);
            return true;
        }
        return false;
    }

    void decide() {
        const Needs n = readNeeds();
        if (mossCells() == 0 && !n.any()) return; // won once the last pieces reach their counters
        if (result_.moves >= limits_.moveCap) {
            stopped_ = true;
            return;
        }
        Board b;
        b.read();
        // A piece still marked for a swap (a line took its partner) is let go
        // first, so the next click does not swap with it.
        if (swapFirst != 0 && curPlayer().gtGameType == 3 && itemCell[swapFirst] != 0)
            click(Pos{colOfX(itemX[swapFirst]), rowOfY(itemY[swapFirst])});
        const std::vector<Choice> all = choices(b, n);
        const Choice* best = nullptr;
        for (const Choice& c : all)
            if (!best || c.worth() > best->worth()) best = &c;
        if (powerUp(b, n, best)) return;
        if (!best) {
            result_.idleFrames++;
            return;
        }
        if (best->type != curPlayer().gtGameType) {
            switchTo(best->type);
            result_.moves++;
        }
        if (best->switchOnly) return;
        playMove(best->move);
        result_.moves++;
    }
};

} // namespace

const char* strategyName(Strategy s) {
    switch (s) {
    case Strategy::Chain: return "chain";
    case Strategy::Group: return "group";
    case Strategy::Swap: return "swap";
    default: return "best";
    }
}

bool strategyByName(const std::string& name, Strategy& s) {
    for (const Strategy t : kStrategies)
        if (name == strategyName(t)) {
            s = t;
            return true;
        }
    return false;
}

RunResult playRun(int level, Strategy s, unsigned seed, const Limits& limits) {
    return Player(s, limits).play(level, seed);
}

} // namespace autoplay
