#include "music/score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace music {

namespace {
const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int mod7(int d) { return ((d % 7) + 7) % 7; }

// The chord sounding at an absolute beat.
const Chord& chordAt(const std::vector<PlacedChord>& chords, double beat) {
    for (const PlacedChord& c : chords)
        if (beat >= c.beat - 1e-9 && beat < c.beat + c.beats - 1e-9) return c.chord;
    return chords.back().chord;
}

bool isChordTone(int degree, const Chord& c) {
    int r = mod7(degree - c.degree);
    return r == 0 || r == 2 || r == 4 || (c.seventh && r == 6);
}

// The chord tone nearest to `target` within [lo, hi].
int nearestChordTone(int target, const Chord& c, int lo, int hi) {
    int best = target, bestDist = std::numeric_limits<int>::max();
    for (int d = lo; d <= hi; ++d)
        if (isChordTone(d, c) && std::abs(d - target) < bestDist) {
            best = d;
            bestDist = std::abs(d - target);
        }
    return best;
}

bool strongBeat(double rel, int beatsPerBar) {
    double inBar = std::fmod(rel, beatsPerBar);
    if (std::fabs(inBar) < 1e-9) return true;
    return beatsPerBar == 4 && std::fabs(inBar - 2) < 1e-9;
}

// A chord tone near `cur`, preferring movement in direction `dir` and small
// leaps; staying on the same note is possible but unlikely.
int pickChordTone(int cur, int dir, const Chord& c, int lo, int hi, Dice& dice) {
    std::vector<std::pair<int, double>> options;
    double total = 0;
    for (int d = std::max(lo, cur - 4); d <= std::min(hi, cur + 4); ++d) {
        if (!isChordTone(d, c)) continue;
        double w = d == cur ? 0.3 : 1.0 / (1.0 + 0.35 * std::abs(d - cur));
        if ((d - cur) * dir > 0) w *= 1.8;
        options.push_back({d, w});
        total += w;
    }
    if (options.empty()) return nearestChordTone(cur, c, lo, hi);
    double r = dice.below(10000) / 10000.0 * total;
    for (const auto& [d, w] : options) {
        if (r < w) return d;
        r -= w;
    }
    return options.back().first;
}

// Gives pitches to the notes of `rhythm` from index `from` on. The line rises
// in the first half of the phrase and falls towards its end, with chord tones
// on strong beats and long notes and steps in between.
void assignPitches(const Song& s, const std::vector<PlacedChord>& chords, double start, const std::vector<double>& rhythm,
                   size_t from, std::vector<int>& degrees, Dice& dice, int lo, int hi, int cur, bool cadence) {
    degrees.resize(rhythm.size(), 0);
    double length = 0, rel = 0;
    for (double r : rhythm) length += std::fabs(r);
    for (size_t i = 0; i < from; ++i) rel += std::fabs(rhythm[i]);
    size_t last = rhythm.size();
    while (last > 0 && rhythm[last - 1] < 0) --last;
    for (size_t i = from; i < rhythm.size(); ++i) {
        double len = rhythm[i];
        if (len < 0) {
            rel -= len;
            continue;
        }
        const Chord& c = chordAt(chords, start + rel);
        int dir = rel < length * 0.5 ? 1 : -1;
        if (dice.chance(0.3)) dir = -dir;
        if (cur >= hi - 1) dir = -1;
        if (cur <= lo + 1) dir = 1;
        int d;
        if (i + 1 == last && cadence) {
            // End on the chord's root (or, now and then, another chord tone).
            int rootOnly = nearestChordTone(cur, Chord{c.degree, 0}, lo, hi);
            for (int k = lo; k <= hi; ++k)
                if (mod7(k - c.degree) == 0 && std::abs(k - cur) <= std::abs(rootOnly - cur)) rootOnly = k;
            d = dice.chance(0.8) ? rootOnly : nearestChordTone(cur, Chord{c.degree, 0}, lo, hi);
        } else if (i == from || strongBeat(rel, s.beatsPerBar) || len >= 1.0) {
            d = pickChordTone(cur, dir, c, lo, hi, dice);
        } else {
            d = cur + (dice.chance(0.15) ? 2 * dir : dir);
        }
        degrees[i] = std::clamp(d, lo, hi);
        cur = degrees[i];
        rel += len;
    }
}

const std::vector<std::vector<double>>& rhythmBank(int beatsPerBar) {
    static const std::vector<std::vector<double>> four = {
        {1, 1, 1, 1},         {1.5, 0.5, 1, 1},     {0.5, 0.5, 1, 2},         {1, 0.5, 0.5, 2},
        {2, 1, 1},            {0.5, 0.5, 0.5, 0.5, 1, 1}, {1, 1, 1.5, 0.5},   {1.5, 0.5, 2},
        {1, 1, 2},            {0.5, 0.5, 1, 1, -1},
    };
    static const std::vector<std::vector<double>> three = {
        {1, 1, 1}, {2, 1}, {1.5, 0.5, 1}, {1, 0.5, 0.5, 1}, {0.5, 0.5, 1, 1}, {1, 2},
    };
    return beatsPerBar == 3 ? three : four;
}
} // namespace

int Song::key(int degree) const {
    const int* scale = minor ? kMinor : kMajor;
    return root + 12 * floorDiv(degree, 7) + scale[mod7(degree)];
}

std::vector<int> Song::chordDegrees(const Chord& c) const {
    std::vector<int> d = {c.degree, c.degree + 2, c.degree + 4};
    if (c.seventh) d.push_back(c.degree + 6);
    return d;
}

void Song::add(double beat, double len, int ch, int k, int vel) {
    if (beat >= lengthBeats - 1e-9) return;
    len = std::min(len, lengthBeats - beat); // every note ends inside the loop
    notes.push_back({beat, len, ch, std::clamp(k, 0, 127), std::clamp(vel, 1, 127)});
}

std::vector<PlacedChord> place(const Progression& p, double start, double beats) {
    std::vector<PlacedChord> out;
    double b = start;
    for (size_t i = 0; b < start + beats - 1e-9; i = (i + 1) % p.size()) {
        out.push_back({b, std::min(p[i].beats, start + beats - b), p[i]});
        b += p[i].beats;
    }
    return out;
}

void writePad(Song& s, int ch, const std::vector<PlacedChord>& chords, int lo, int hi, int vel) {
    double centre = (lo + hi) / 2.0;
    for (const PlacedChord& pc : chords) {
        std::vector<int> pcs;
        for (int d : s.chordDegrees(pc.chord)) pcs.push_back(((s.key(d) % 12) + 12) % 12);
        std::vector<int> best;
        double bestScore = 1e9;
        for (size_t inv = 0; inv < pcs.size(); ++inv) {
            std::vector<int> v;
            int k = lo + ((pcs[inv] - lo) % 12 + 12) % 12;
            for (size_t j = 0; j < pcs.size(); ++j) {
                int pcj = pcs[(inv + j) % pcs.size()];
                while (((k % 12) + 12) % 12 != pcj) ++k;
                v.push_back(k);
            }
            if (v.back() > hi) continue;
            double mean = 0;
            for (int n : v) mean += n;
            mean /= v.size();
            double score = std::fabs(mean - centre);
            if (score < bestScore) {
                bestScore = score;
                best = v;
            }
        }
        if (best.empty()) continue;
        centre = 0.7 * centre + 0.3 * ((best.front() + best.back()) / 2.0); // lead the voices smoothly
        for (int n : best) s.add(pc.beat, pc.beats - 0.05, ch, n, vel);
    }
}

namespace {
// Key of a chord tone (0 root, 1 third, 2 fifth) in the octave from `base`.
int toneFrom(const Song& s, const Chord& c, int tone, int base) {
    int degree = tone == 0 && c.bass >= 0 ? c.bass : c.degree + 2 * tone;
    int pc = ((s.key(degree) % 12) + 12) % 12;
    return base + ((pc - base) % 12 + 12) % 12;
}
} // namespace

void writeBass(Song& s, int ch, const std::vector<PlacedChord>& chords, int octaveKey, const std::string& pattern,
               int vel) {
    if (chords.empty()) return;
    double start = chords.front().beat, end = chords.back().beat + chords.back().beats;
    int steps = static_cast<int>(std::lround((end - start) * 2));
    int perBar = s.beatsPerBar * 2;
    for (int k = 0; k < steps; ++k) {
        char sym = pattern[(k % perBar) % pattern.size()];
        if (sym == '-' || sym == '.') continue;
        double beat = start + k * 0.5;
        const Chord& c = chordAt(chords, beat);
        int root = toneFrom(s, c, 0, octaveKey);
        int key = sym == '3' ? toneFrom(s, Chord{c.degree, 0}, 1, root) : sym == '5' ? toneFrom(s, Chord{c.degree, 0}, 2, root)
                : sym == '8' ? root + 12 : root;
        double len = 0.5;
        for (int j = k + 1; j < steps && pattern[(j % perBar) % pattern.size()] == '-'; ++j) len += 0.5;
        int v = vel + ((k % perBar) == 0 ? 8 : 0);
        s.add(beat, len * 0.92, ch, key, v);
    }
}

void writeArpeggio(Song& s, int ch, const std::vector<PlacedChord>& chords, int baseKey, const std::string& pattern,
                   double stepBeats, int vel, double noteBeats) {
    if (chords.empty()) return;
    double start = chords.front().beat, end = chords.back().beat + chords.back().beats;
    int perBar = static_cast<int>(std::lround(s.beatsPerBar / stepBeats));
    int steps = static_cast<int>(std::lround((end - start) / stepBeats));
    for (int k = 0; k < steps; ++k) {
        char sym = pattern[(k % perBar) % pattern.size()];
        if (sym < '0' || sym > '7') continue;
        double beat = start + k * stepBeats;
        const Chord& c = chordAt(chords, beat);
        std::vector<int> tones;
        int prev = baseKey - 1;
        for (int d : s.chordDegrees(c)) {
            int pc = ((s.key(d) % 12) + 12) % 12;
            int key = prev + 1 + ((pc - (prev + 1)) % 12 + 12) % 12;
            tones.push_back(key);
            prev = key;
        }
        int idx = sym - '0';
        int n = static_cast<int>(tones.size());
        int key = tones[idx % n] + 12 * (idx / n);
        int v = vel + ((k % perBar) == 0 ? 6 : 0) - ((k % 2) ? 6 : 0);
        s.add(beat, noteBeats, ch, key, v);
    }
}

void writeDrums(Song& s, double start, int bars, const std::vector<DrumLine>& lines, int fillEvery, int vel) {
    for (int bar = 0; bar < bars; ++bar) {
        bool fill = fillEvery > 0 && (bar + 1) % fillEvery == 0;
        for (const DrumLine& line : lines) {
            if (bar % line.every != 0 && !(fill && !line.fill.empty())) continue;
            const std::string& p = fill && !line.fill.empty() ? line.fill : line.pattern;
            double step = static_cast<double>(s.beatsPerBar) / p.size();
            for (size_t i = 0; i < p.size(); ++i) {
                int v = p[i] == 'X' ? vel + 22 : p[i] == 'x' ? vel : p[i] == 'o' ? vel * 6 / 10 : 0;
                if (v > 0) s.add(start + bar * s.beatsPerBar + i * step, 0.25, 9, line.key, v);
            }
        }
    }
}

Phrase inventPhrase(const Song& s, const std::vector<PlacedChord>& chords, double start, int bars, Dice& dice,
                    int lowDegree, int highDegree, int startDegree, bool cadence) {
    Phrase p;
    const auto& bank = rhythmBank(s.beatsPerBar);
    for (int bar = 0; bar < bars; ++bar) {
        const std::vector<double>* r = &bank[dice.below(static_cast<int>(bank.size()))];
        static const std::vector<double> end4 = {1, 3}, end4b = {1.5, 0.5, 2}, end3 = {1, 2}, end3b = {3};
        if (bar == bars - 1)
            r = s.beatsPerBar == 3 ? (dice.chance(0.5) ? &end3 : &end3b) : (dice.chance(0.5) ? &end4 : &end4b);
        p.rhythm.insert(p.rhythm.end(), r->begin(), r->end());
    }
    assignPitches(s, chords, start, p.rhythm, 0, p.degrees, dice, lowDegree, highDegree, startDegree, cadence);
    return p;
}

Phrase varyEnding(const Song& s, const Phrase& p, const std::vector<PlacedChord>& chords, double start, double fromBeat,
                  Dice& dice, int lowDegree, int highDegree) {
    Phrase v = p;
    double rel = 0;
    size_t from = 0;
    while (from < v.rhythm.size() && rel + 1e-9 < fromBeat) rel += std::fabs(v.rhythm[from++]);
    int cur = from > 0 ? v.degrees[from - 1] : v.degrees[0];
    assignPitches(s, chords, start, v.rhythm, from, v.degrees, dice, lowDegree, highDegree, cur, true);
    return v;
}

void writePhrase(Song& s, int ch, const Phrase& p, double start, int octaveShift, int vel) {
    double rel = 0;
    for (size_t i = 0; i < p.rhythm.size(); ++i) {
        double len = p.rhythm[i];
        if (len > 0) {
            int accent = strongBeat(rel, s.beatsPerBar) ? 10 : 0;
            s.add(start + rel, len * 0.94, ch, s.key(p.degrees[i]) + 12 * octaveShift, vel + accent);
        }
        rel += std::fabs(len);
    }
}

} // namespace music
