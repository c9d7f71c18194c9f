#include "tools/autoplay/moves.h"

#include "game/particles.h"
#include "match3/board.h"
#include "persist/profile.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace autoplay {

namespace {

constexpr int kFlyingToCounter = 95700; // particle type of a piece flying to its counter: + kind
constexpr int kChainStartBudget = 60;   // path steps the chain search takes from each start
constexpr int kChainsKept = 24;         // best paths handed on
constexpr int kNear = 6;                // cells from the moss within which a move counts as near it

// Per-position flags on the padded grid.
struct Marks {
    bool v[kCols + 2][kRows + 2] = {};
    bool& operator[](Pos p) { return v[p.col][p.row]; }
    bool operator[](Pos p) const { return v[p.col][p.row]; }
};

// A piece a selection may take: on the board, not a stone, door or beetle.
bool takeable(int kind) { return isLinePiece(kind); }

// ---- effect of a selection ---------------------------------------------

class Resolver {
  public:
    Resolver(const Board& b, const Needs& n) : b_(b), need_(n) {}

    Effect run(const std::vector<Pos>& selected) {
        for (const Pos p : selected) {
            if (gone_[p] || !takeable(b_.kindAt(p))) continue; // blasted away meanwhile
            for (const Pos d : kSteps)
                if (isFixed(b_.kindAt(step(p, d)))) hit(step(p, d));
            take(p);
        }
        return tally();
    }

    // A shot takes its piece as a blast would: a stone or door is hit, a bomb
    // goes off, nothing next to it is touched.
    Effect shoot(Pos p) {
        const int k = b_.kindAt(p);
        if (isFixed(k)) hit(p);
        else if (takeable(k)) take(p);
        return tally();
    }

  private:
    const Board& b_;
    const Needs& need_;
    Marks gone_, hit_;
    std::vector<Pos> taken_;

    std::vector<Pos> hits_;

    void hit(Pos p) {
        if (hit_[p]) return;
        hit_[p] = true;
        hits_.push_back(p);
    }

    void take(Pos p) {
        gone_[p] = true;
        taken_.push_back(p);
        if (b_.kindAt(p) == KIND_BOMB) blast(p);
    }

    // Every piece but beetles within 110 pixels: the 5 x 5 block without its
    // corners. Stones and doors there are hit, bombs go off in turn.
    void blast(Pos c) {
        for (int dc = -2; dc <= 2; dc++)
            for (int dr = -2; dr <= 2; dr++) {
                if (dc * dc + dr * dr > 5) continue;
                const Pos p{c.col + dc, c.row + dr};
                const int k = b_.kindAt(p);
                if (isFixed(k)) hit(p);
                else if (takeable(k) && !gone_[p]) take(p);
            }
    }

    // Cells below p in its column segment, in order.
    template <typename F> void below(Pos p, F&& f) const {
        for (Pos q{p.col, p.row + 1}; b_.isCell(q); q.row++) f(q);
    }

    Effect tally() const {
        Effect e;
        int taken[6] = {};
        bool touched[kCols + 2] = {};
        for (const Pos p : taken_) {
            e.pieces++;
            const int k = b_.kindAt(p);
            if (b_.mossAt(p)) e.moss++;
            if (k == KIND_BOMB) e.bombs++;
            if (isColourKind(k)) taken[k]++;
            touched[p.col] = true;
        }
        for (const Pos p : hits_) {
            e.obstacles++;
            below(p, [&](Pos q) { e.uncovered += b_.coveredAt(q) && b_.mossAt(q); });
            touched[p.col] = true;
        }
        for (int k = 1; k <= 5; k++) e.quota += std::min(taken[k], std::max(need_.left[k], 0));
        // Pieces above a removed piece fall: moss cells there get a new piece,
        // beetles come closer to the bottom.
        Marks changes;
        for (int c = 1; c <= kCols; c++) {
            if (!touched[c]) continue;
            int freed = 0; // removed or hit from here down to the end of the segment
            for (int r = kRows; r >= 1; r--) {
                const Pos p{c, r};
                if (!b_.isCell(p)) {
                    freed = 0;
                    continue;
                }
                changes[p] = gone_[p] || freed > 0;
                if (b_.kindAt(p) == KIND_BEETLE) e.beetleSteps += freed;
                freed += gone_[p] || hit_[p];
            }
        }
        // Moss left behind with a new piece, or with a new neighbour; and how
        // near the move comes to the moss that stays.
        int nearest = kNear;
        for (const Pos p : b_.mossCells) {
            if (gone_[p] || !b_.slotAt(p)) continue;
            for (const Pos q : taken_) nearest = std::min(nearest, std::abs(q.col - p.col) + std::abs(q.row - p.row));
            if (changes[p]) {
                e.stirred++;
                continue;
            }
            for (const Pos d : kSteps)
                if (changes[step(p, d)]) {
                    e.nudged++;
                    break;
                }
        }
        e.closeness = kNear - nearest;
        return e;
    }
};

// ---- chains --------------------------------------------------------------

// Paths through pieces of one colour (bombs and jokers fit any), searched
// from every start with a small budget each. Steps go first to moss, then to
// pieces the quota needs, and among those to the piece with the fewest ways
// on, which finds long paths through a group early.
class ChainSearch {
  public:
    ChainSearch(const Board& b, const Needs& n) : b_(b), n_(n) {}

    std::vector<Move> run() {
        for (int c = 1; c <= kCols; c++)
            for (int r = 1; r <= kRows; r++) {
                const Pos p{c, r};
                const int k = b_.kindAt(p);
                if (!isPickable(k) || k == KIND_BOMB) continue; // a bomb first goes off alone
                budget_ = kChainStartBudget;
                path_ = {p};
                used_ = Marks();
                used_[p] = true;
                extend(isWild(k) ? 0 : k);
            }
        std::sort(best_.begin(), best_.end(),
                  [](const Move& a, const Move& b) { return a.effect.value() > b.effect.value(); });
        return best_;
    }

  private:
    const Board& b_;
    const Needs& n_;
    std::vector<Pos> path_;
    Marks used_;
    int budget_ = 0;
    std::vector<Move> best_;

    bool fits(int kind, int colour) const {
        return isPickable(kind) && (isWild(kind) || colour == 0 || kind == colour);
    }

    void keep() {
        Move m{Action::Chain, path_, effectOf(b_, path_, n_)};
        if (static_cast<int>(best_.size()) < kChainsKept) {
            best_.push_back(std::move(m));
            return;
        }
        auto worst = std::min_element(best_.begin(), best_.end(), [](const Move& a, const Move& b) {
            return a.effect.value() < b.effect.value();
        });
        if (m.effect.value() > worst->effect.value()) *worst = std::move(m);
    }

    // Order of the next steps: moss, then needed colours, then fewest ways on.
    int rank(Pos q, int colour) const {
        const int k = b_.kindAt(q);
        int onward = 0;
        for (const Pos d : kSteps) {
            const Pos r = step(q, d);
            onward += !used_[r] && fits(b_.kindAt(r), colour);
        }
        const bool needed = isColourKind(k) && n_.left[k] > 0;
        return (b_.mossAt(q) ? 0 : 20) + (needed ? 0 : 10) + onward;
    }

    void extend(int colour) {
        if (path_.size() >= 3) keep();
        Pos next[4];
        int order[4], n = 0;
        for (const Pos d : kSteps) {
            const Pos q = step(path_.back(), d);
            if (used_[q] || !fits(b_.kindAt(q), colour)) continue;
            // Insertion by rank, earlier steps first among equals.
            const int r = rank(q, colour);
            int i = n++;
            for (; i > 0 && order[i - 1] > r; i--) {
                next[i] = next[i - 1];
                order[i] = order[i - 1];
            }
            next[i] = q;
            order[i] = r;
        }
        for (int i = 0; i < n && budget_ > 0; i++) {
            const Pos q = next[i];
            const int k = b_.kindAt(q);
            budget_--;
            used_[q] = true;
            path_.push_back(q);
            extend(colour == 0 && !isWild(k) ? k : colour);
            path_.pop_back();
            used_[q] = false;
        }
    }
};

// Chain mode: a piece with two neighbours that fit one colour with it.
bool hasChain(const Board& b) {
    for (int c = 1; c <= kCols; c++)
        for (int r = 1; r <= kRows; r++) {
            const Pos p{c, r};
            if (!isPickable(b.kindAt(p))) continue;
            for (int i = 0; i < 4; i++)
                for (int j = i + 1; j < 4; j++) {
                    const int ka = b.kindAt(step(p, kSteps[i])), kb = b.kindAt(step(p, kSteps[j]));
                    if (!isPickable(ka) || !isPickable(kb)) continue;
                    int colour = 0;
                    bool ok = true;
                    for (const int k : {ka, b.kindAt(p), kb})
                        if (!isWild(k)) {
                            if (colour == 0) colour = k;
                            ok = ok && k == colour;
                        }
                    if (ok) return true;
                }
        }
    return false;
}

// ---- groups --------------------------------------------------------------

// Connected pieces of exactly one kind (jokers only with jokers), three or more.
std::vector<std::vector<Pos>> groups(const Board& b) {
    std::vector<std::vector<Pos>> out;
    Marks seen;
    for (int c = 1; c <= kCols; c++)
        for (int r = 1; r <= kRows; r++) {
            const Pos p{c, r};
            const int k = b.kindAt(p);
            if (seen[p] || !isPickable(k) || k == KIND_BOMB) continue;
            std::vector<Pos> g{p};
            seen[p] = true;
            for (size_t i = 0; i < g.size(); i++)
                for (const Pos d : kSteps) {
                    const Pos q = step(g[i], d);
                    if (!seen[q] && b.kindAt(q) == k) {
                        seen[q] = true;
                        g.push_back(q);
                    }
                }
            if (g.size() >= 3) out.push_back(std::move(g));
        }
    return out;
}

// ---- swaps and lines -------------------------------------------------------

// Runs of three or more equal line pieces through p, horizontal or vertical.
bool lineThrough(const Board& b, Pos p) {
    const int k = b.kindAt(p);
    if (!isLinePiece(k)) return false;
    for (const Pos u : {Pos{1, 0}, Pos{0, 1}}) {
        int run = 1;
        for (Pos q = step(p, u); b.kindAt(q) == k; q = step(q, u)) run++;
        for (Pos q{p.col - u.col, p.row - u.row}; b.kindAt(q) == k; q = Pos{q.col - u.col, q.row - u.row}) run++;
        if (run >= 3) return true;
    }
    return false;
}

// Every piece that is the middle or an end of a line of three, as the line
// check of swap mode marks them.
std::vector<Pos> allLines(const Board& b) {
    Marks in;
    std::vector<Pos> out;
    const auto mark = [&](Pos p) {
        if (!in[p]) {
            in[p] = true;
            out.push_back(p);
        }
    };
    for (int c = 1; c <= kCols; c++)
        for (int r = 1; r <= kRows; r++) {
            const Pos p{c, r};
            const int k = b.kindAt(p);
            if (!isLinePiece(k)) continue;
            for (const Pos u : {Pos{0, 1}, Pos{1, 0}}) {
                const Pos after = step(p, u), before{p.col - u.col, p.row - u.row};
                if (b.kindAt(after) == k && b.kindAt(before) == k) {
                    mark(before);
                    mark(p);
                    mark(after);
                }
            }
        }
    return out;
}

// Swaps of two neighbouring colour pieces that make a line; with
// `enumerate` false, stops at the first.
std::vector<Move> swaps(const Board& b, const Needs& n, bool enumerate) {
    std::vector<Move> out;
    Board t = b;
    for (int c = 1; c <= kCols; c++)
        for (int r = 1; r <= kRows; r++) {
            const Pos p{c, r};
            if (!isColourKind(b.kindAt(p))) continue;
            for (const Pos u : {Pos{1, 0}, Pos{0, 1}}) {
                const Pos q = step(p, u);
                if (!isColourKind(b.kindAt(q)) || b.kindAt(q) == b.kindAt(p)) continue;
                std::swap(t.kind[p.col][p.row], t.kind[q.col][q.row]);
                if (lineThrough(t, p) || lineThrough(t, q)) {
                    Move m{Action::Swap, {p, q}, {}};
                    if (enumerate) m.effect = effectOf(t, allLines(t), n);
                    out.push_back(std::move(m));
                }
                std::swap(t.kind[p.col][p.row], t.kind[q.col][q.row]);
                if (!enumerate && !out.empty()) return out;
            }
        }
    return out;
}

std::vector<Pos> bombs(const Board& b) {
    std::vector<Pos> out;
    for (int c = 1; c <= kCols; c++)
        for (int r = 1; r <= kRows; r++)
            if (b.kindAt({c, r}) == KIND_BOMB) out.push_back({c, r});
    return out;
}

} // namespace

bool Needs::any() const {
    for (int k = 1; k <= 5; k++)
        if (left[k] > 0) return true;
    return false;
}

Needs readNeeds() {
    Needs n;
    TSpieler& pl = curPlayer();
    for (int k = 1; k <= 5; k++) n.left[k] = pl.getItemsLeftToDestroy(pl.Level, k);
    for (int s = 1; s <= kParticles; s++) {
        const int k = pType[s] - kFlyingToCounter;
        if (k >= 1 && k <= 5) n.left[k]--;
    }
    return n;
}

double Effect::value() const {
    return 1000.0 * moss + 150.0 * uncovered + 30.0 * quota + 20.0 * obstacles + 5.0 * bombs + 40.0 * stirred + 12.0 * nudged + 2.0 * closeness +
           4.0 * beetleSteps + pieces;
}

Effect effectOf(const Board& b, const std::vector<Pos>& selected, const Needs& n) {
    return Resolver(b, n).run(selected);
}

Effect shotEffect(const Board& b, Pos p, const Needs& n) { return Resolver(b, n).shoot(p); }

bool anyMove(const Board& b, int type) {
    if (!bombs(b).empty()) return true;
    if (type == 1) return hasChain(b);
    if (type == 2) return !groups(b).empty();
    return !swaps(b, Needs(), false).empty();
}

std::vector<Move> movesFor(const Board& b, int type, const Needs& n) {
    std::vector<Move> out;
    for (const Pos p : bombs(b))
        out.push_back({Action::Bomb, {p}, effectOf(b, {p}, n)});
    if (type == 1) {
        for (Move& m : ChainSearch(b, n).run()) out.push_back(std::move(m));
    } else if (type == 2) {
        for (std::vector<Pos>& g : groups(b)) {
            Effect e = effectOf(b, g, n);
            out.push_back({Action::Group, std::move(g), e});
        }
    } else {
        for (Move& m : swaps(b, n, true)) out.push_back(std::move(m));
    }
    return out;
}

std::vector<Pos> standingLines(const Board& b) { return allLines(b); }

} // namespace autoplay
