// A small composition engine: a song is a list of timed notes on General MIDI
// channels, written by part writers that follow a chord progression (pads,
// bass lines, arpeggios, drum grooves, melodies with phrase repetition).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace music {

struct Note {
    double beat; // start, in beats from the song's start
    double len;  // in beats
    int ch, key, vel;
};

struct Channel {
    int ch;
    int program;      // General MIDI program (ignored on the drum channel 9)
    int volume = 100; // CC 7
    int pan = 64;     // CC 10
    int reverb = 40;  // CC 91
    int chorus = 0;   // CC 93
};

// A chord on a scale degree of the key (0 = tonic), lasting `beats`.
struct Chord {
    int degree;
    double beats;
    bool seventh = false;
    int bass = -1; // scale degree of the bass note when it is not the root (slash chord)
};
using Progression = std::vector<Chord>;

// Deterministic random source for the composition choices.
class Dice {
  public:
    explicit Dice(uint32_t seed) : s_(seed * 2654435761u + 1) {}
    uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    bool chance(double p) { return (next() % 10000) < p * 10000; }

  private:
    uint32_t s_;
};

struct Song {
    std::string name;
    double bpm = 100;
    int beatsPerBar = 4;
    int root = 60;              // MIDI key of the tonic
    bool minor = false;         // natural minor instead of major
    std::vector<Channel> channels;
    std::vector<Note> notes;
    double lengthBeats = 0;     // the loop length

    // MIDI key of a scale degree (degree 0 = tonic at `root`, 7 = an octave up).
    int key(int degree) const;
    // Scale degrees of the chord's tones (root, third, fifth [, seventh]).
    std::vector<int> chordDegrees(const Chord& c) const;
    void add(double beat, double len, int ch, int key, int vel);
};

// Where each chord of a progression repeated over [start, start + beats) lies.
struct PlacedChord {
    double beat, beats;
    Chord chord;
};
std::vector<PlacedChord> place(const Progression& p, double start, double beats);

// Sustained chords, voice-led, between MIDI keys lo and hi.
void writePad(Song& s, int ch, const std::vector<PlacedChord>& chords, int lo, int hi, int vel);

// Bass line: one symbol per eighth note: 'R' root, '3' third, '5' fifth, '8'
// octave, '-' holds the previous note, '.' rest. The pattern repeats per bar.
void writeBass(Song& s, int ch, const std::vector<PlacedChord>& chords, int octaveKey, const std::string& pattern,
               int vel);

// Arpeggio over the chord: one symbol per step of `stepBeats`: '0'..'3' chord
// tone index, '4'..'7' the same an octave up, '.' rest. Repeats per bar.
void writeArpeggio(Song& s, int ch, const std::vector<PlacedChord>& chords, int baseKey, const std::string& pattern,
                   double stepBeats, int vel, double noteBeats);

// Drum groove on channel 9: per instrument a pattern of steps per bar,
// 'X' accent, 'x' normal, 'o' soft, '.' rest. `fillEvery` > 0 swaps in the fill
// patterns in the last bar of every such group of bars (an empty fill keeps the
// pattern). A line with `every` n plays only in every n-th bar (bar 0, n, 2n...).
struct DrumLine {
    int key;
    std::string pattern;
    std::string fill;
    int every = 1;
};
void writeDrums(Song& s, double start, int bars, const std::vector<DrumLine>& lines, int fillEvery, int vel);

// A melody phrase: rhythm (note lengths in beats, negative = rest) and scale
// degrees, written fitting the chords under it.
struct Phrase {
    std::vector<double> rhythm;
    std::vector<int> degrees;
};
// Invents a phrase of `bars` bars over the chords: chord tones on the strong
// beats, steps in between, a long note on a chord tone at the end.
Phrase inventPhrase(const Song& s, const std::vector<PlacedChord>& chords, double start, int bars, Dice& dice,
                    int lowDegree, int highDegree, int startDegree, bool cadence);
// The same phrase with a new ending from `fromBeat` (relative to its start).
Phrase varyEnding(const Song& s, const Phrase& p, const std::vector<PlacedChord>& chords, double start, double fromBeat,
                  Dice& dice, int lowDegree, int highDegree);
void writePhrase(Song& s, int ch, const Phrase& p, double start, int octaveShift, int vel);

} // namespace music
