// The six music tracks, composed by code: each is a loop of about a minute
// with its own key, tempo, metre, instruments and progression.
//   titel      warm and inviting: flute over electric piano and strings, F major
//   ingame1    calm and cheerful: marimba and nylon guitar, C major
//   ingame2    a lilting waltz: vibraphone, harp and pizzicato, G major
//   ingame3    easy-going: clarinet, kalimba and steel guitar, D major
//   win        triumphant: trumpet, brass, timpani and snare, C major
//   introstory a gentle storybook: music box, harp and slow strings, A minor
#include "audio/oggenc.h"
#include "family.h"
#include "music/pianoroll.h"
#include "music/render.h"
#include "music/score.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace music {

namespace {

const char* kSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// GM drum keys
enum Drum { Kick = 36, Rim = 37, Snare = 38, ClosedHat = 42, OpenHat = 46, Crash = 49, Ride = 51,
            Tambourine = 54, Maracas = 70, Triangle = 81, Shaker = 82 };

struct Builder {
    Song& s;
    Dice dice;
    Builder(Song& song, uint32_t seed, int bars) : s(song), dice(seed) { s.lengthBeats = bars * s.beatsPerBar; }
    double beat(int bar) const { return bar * s.beatsPerBar; }
    std::vector<PlacedChord> chords(const Progression& p, int bar, int bars) const {
        return place(p, beat(bar), bars * s.beatsPerBar);
    }
};

Song titel() {
    Song s;
    s.name = "titel";
    s.bpm = 88;
    s.root = 65; // F
    s.channels = {{0, 73, 96, 70, 50, 10},  {1, 4, 84, 50, 45, 30}, {2, 48, 52, 78, 70, 20},
                  {3, 32, 98, 64, 20, 0},   {4, 9, 96, 84, 60, 0},  {9, 0, 84, 64, 30, 0}};
    Builder b(s, 101, 24);
    Progression a = {{0, 4}, {4, 4, false, 2}, {5, 4}, {3, 4}};
    Progression bp = {{1, 4, true}, {4, 4}, {0, 4, false, 2}, {3, 2}, {4, 2}};
    auto a1 = b.chords(a, 0, 8), b1 = b.chords(bp, 8, 8), a2 = b.chords(a, 16, 8);
    for (const auto* c : {&a1, &b1, &a2}) {
        writePad(s, 2, *c, 53, 72, 52);
        writeBass(s, 3, *c, 41, "R---5-8-", 84);
        writeArpeggio(s, 1, *c, 60, "02421242", 0.5, 58, 0.9);
    }
    Phrase pa = inventPhrase(s, a1, 0, 4, b.dice, -1, 8, 4, true);
    Phrase pa2 = varyEnding(s, pa, a1, b.beat(4), 8, b.dice, -1, 8);
    Phrase pb = inventPhrase(s, b1, b.beat(8), 4, b.dice, 0, 9, 5, true);
    Phrase pb2 = varyEnding(s, pb, b1, b.beat(12), 10, b.dice, 0, 9);
    writePhrase(s, 0, pa, b.beat(0), 1, 84);
    writePhrase(s, 0, pa2, b.beat(4), 1, 84);
    writePhrase(s, 0, pb, b.beat(8), 1, 88);
    writePhrase(s, 0, pb2, b.beat(12), 1, 88);
    writePhrase(s, 0, pa, b.beat(16), 1, 84);
    writePhrase(s, 4, pa, b.beat(16), 1, 84); // a glockenspiel doubles the returning tune
    writePhrase(s, 0, pa2, b.beat(20), 1, 84);
    writeDrums(s, 0, 24,
               {{Kick, "x.......x.o.....", "x.......x...x.x."},
                {Rim, "....o.......o...", "....o.......oooo"},
                {Shaker, "o.o.x.o.o.o.x.o.", ""}},
               4, 56);
    return s;
}

Song ingame1() {
    Song s;
    s.name = "ingame1";
    s.bpm = 104;
    s.root = 60; // C
    s.channels = {{0, 12, 127, 58, 40, 0}, {1, 24, 84, 80, 40, 10}, {2, 89, 48, 64, 70, 30},
                  {3, 33, 68, 64, 15, 0},  {4, 11, 84, 40, 55, 0},  {9, 0, 66, 64, 25, 0}};
    Builder b(s, 202, 24);
    Progression a = {{0, 4}, {5, 4}, {3, 4}, {4, 4}};
    Progression bp = {{1, 4, true}, {4, 4}, {2, 4}, {5, 4}};
    Progression c = {{3, 4}, {4, 4}, {0, 4, false, 2}, {3, 2}, {4, 2}};
    auto a1 = b.chords(a, 0, 8), b1 = b.chords(bp, 8, 4), c1 = b.chords(c, 12, 4), a2 = b.chords(a, 16, 4),
         c2 = b.chords(c, 20, 4);
    for (const auto* ch : {&a1, &b1, &c1, &a2, &c2}) {
        writePad(s, 2, *ch, 55, 74, 40);
        writeBass(s, 3, *ch, 36, "R--R5-3-", 82);
        writeArpeggio(s, 1, *ch, 55, "0124212401242124", 0.25, 52, 0.4);
    }
    Phrase pa = inventPhrase(s, a1, 0, 4, b.dice, 0, 9, 4, true);
    Phrase pa2 = varyEnding(s, pa, a1, b.beat(4), 8, b.dice, 0, 9);
    Phrase pb = inventPhrase(s, b1, b.beat(8), 4, b.dice, 1, 10, 5, false);
    Phrase pc = inventPhrase(s, c1, b.beat(12), 4, b.dice, 0, 9, 5, true);
    writePhrase(s, 0, pa, b.beat(0), 1, 86);
    writePhrase(s, 0, pa2, b.beat(4), 1, 86);
    writePhrase(s, 0, pb, b.beat(8), 1, 88);
    writePhrase(s, 0, pc, b.beat(12), 1, 88);
    writePhrase(s, 4, pa, b.beat(16), 1, 80); // the vibraphone takes the tune
    writePhrase(s, 0, pa2, b.beat(16), 0, 60);
    writePhrase(s, 0, pc, b.beat(20), 1, 86);
    writePhrase(s, 4, pc, b.beat(20), 0, 56);
    writeDrums(s, 0, 24,
               {{Kick, "x.....x...x.....", "x.....x...x.x.x."},
                {Rim, "....x.......x...", "....x.......x.xx"},
                {ClosedHat, "o.x.o.x.o.x.o.x.", "o.x.o.x.o.x.o.o."}},
               4, 58);
    return s;
}

Song ingame2() {
    Song s;
    s.name = "ingame2";
    s.bpm = 132;
    s.beatsPerBar = 3;
    s.root = 67; // G
    s.channels = {{0, 11, 100, 70, 55, 0}, {1, 46, 88, 44, 50, 0}, {2, 49, 58, 84, 75, 20},
                  {3, 45, 84, 60, 30, 0}, {4, 73, 70, 90, 60, 0}, {9, 0, 100, 64, 40, 0}};
    Builder b(s, 303, 40);
    Progression a = {{0, 3}, {5, 3}, {3, 3}, {4, 3}, {1, 3}, {4, 3}, {0, 3, false, 2}, {4, 3}};
    Progression bp = {{3, 3}, {0, 3, false, 2}, {1, 3, true}, {4, 3}, {5, 3}, {2, 3}, {1, 3}, {4, 3, true}};
    auto a1 = b.chords(a, 0, 16), b1 = b.chords(bp, 16, 16), a2 = b.chords(a, 32, 8);
    for (const auto* ch : {&a1, &b1, &a2}) {
        writePad(s, 2, *ch, 55, 74, 46);
        writeBass(s, 3, *ch, 43, "R-5-5-", 86);
        writeArpeggio(s, 1, *ch, 55, "024742", 0.5, 56, 1.2);
    }
    Phrase pa = inventPhrase(s, a1, 0, 8, b.dice, -1, 8, 2, true);
    Phrase pa2 = varyEnding(s, pa, a1, b.beat(8), 15, b.dice, -1, 8);
    Phrase pb = inventPhrase(s, b1, b.beat(16), 8, b.dice, 0, 9, 4, true);
    Phrase pb2 = varyEnding(s, pb, b1, b.beat(24), 15, b.dice, 0, 9);
    writePhrase(s, 0, pa, b.beat(0), 1, 84);
    writePhrase(s, 0, pa2, b.beat(8), 1, 84);
    writePhrase(s, 4, pb, b.beat(16), 1, 80); // the flute answers
    writePhrase(s, 0, pb2, b.beat(24), 1, 84);
    writePhrase(s, 0, pa, b.beat(32), 1, 84);
    writePhrase(s, 4, pa, b.beat(32), 0, 52);
    writeDrums(s, 0, 40, {{Triangle, "x...........", "x.......o.o."}, {Maracas, "..o.o...o.o.", "..o.o.o.o.o."}}, 8,
               72);
    return s;
}

Song ingame3() {
    Song s;
    s.name = "ingame3";
    s.bpm = 112;
    s.root = 62; // D
    s.channels = {{0, 71, 100, 66, 45, 0}, {1, 108, 80, 40, 45, 0}, {2, 25, 112, 88, 45, 30},
                  {3, 33, 82, 64, 15, 0},  {4, 48, 48, 70, 70, 20}, {9, 0, 64, 64, 25, 0}};
    Builder b(s, 404, 28);
    Progression a = {{0, 4}, {3, 4}, {5, 4}, {4, 4}};
    Progression bp = {{3, 4}, {4, 4}, {2, 4}, {5, 4}};
    Progression c = {{3, 4}, {4, 4}, {1, 4, true}, {4, 4, true}};
    auto a1 = b.chords(a, 0, 8), b1 = b.chords(bp, 8, 8), c1 = b.chords(c, 16, 4), a2 = b.chords(a, 20, 8);
    for (const auto* ch : {&a1, &b1, &c1, &a2}) {
        writePad(s, 4, *ch, 57, 76, 40);
        writeBass(s, 3, *ch, 38, "R-.R5-8-", 84);
        writeArpeggio(s, 1, *ch, 62, "0.24.42.0.24.47.", 0.25, 50, 0.5);
        writeArpeggio(s, 2, *ch, 55, ".0.0.0.0", 0.5, 46, 0.35); // off-beat guitar chops
        writeArpeggio(s, 2, *ch, 55, ".1.1.1.1", 0.5, 42, 0.35);
        writeArpeggio(s, 2, *ch, 55, ".2.2.2.2", 0.5, 42, 0.35);
    }
    Phrase pa = inventPhrase(s, a1, 0, 4, b.dice, -2, 7, 2, true);
    Phrase pa2 = varyEnding(s, pa, a1, b.beat(4), 8, b.dice, -2, 7);
    Phrase pb = inventPhrase(s, b1, b.beat(8), 4, b.dice, 0, 9, 4, false);
    Phrase pb2 = varyEnding(s, pb, b1, b.beat(12), 8, b.dice, 0, 9);
    Phrase pc = inventPhrase(s, c1, b.beat(16), 4, b.dice, 1, 9, 4, false);
    writePhrase(s, 0, pa, b.beat(0), 1, 86);
    writePhrase(s, 0, pa2, b.beat(4), 1, 86);
    writePhrase(s, 0, pb, b.beat(8), 1, 88);
    writePhrase(s, 0, pb2, b.beat(12), 1, 88);
    writePhrase(s, 0, pc, b.beat(16), 1, 90);
    writePhrase(s, 0, pa, b.beat(20), 1, 86);
    writePhrase(s, 0, pa2, b.beat(24), 1, 86);
    writeDrums(s, 0, 28,
               {{Kick, "x.......x.....x.", "x.......x...x.x."},
                {Rim, "....x.......x...", "....x.......xxxx"},
                {Tambourine, "..o...o...o...o.", "..o...o...o.o.o."}},
               4, 60);
    return s;
}

Song win() {
    Song s;
    s.name = "win";
    s.bpm = 120;
    s.root = 60; // C
    s.channels = {{0, 56, 104, 64, 45, 0}, {1, 61, 118, 44, 50, 0}, {2, 48, 54, 84, 60, 10},
                  {3, 32, 96, 64, 20, 0},  {4, 47, 92, 64, 40, 0}, {9, 0, 70, 64, 35, 0}};
    Builder b(s, 505, 28);
    Progression a = {{0, 4}, {3, 4}, {4, 4}, {0, 4}};
    Progression bp = {{5, 4}, {3, 4}, {1, 4, true}, {4, 4, true}};
    Progression c = {{0, 4, false, 2}, {3, 4}, {4, 2}, {5, 2}, {3, 2}, {4, 2}};
    auto a1 = b.chords(a, 0, 8), b1 = b.chords(bp, 8, 8), c1 = b.chords(c, 16, 4), a2 = b.chords(a, 20, 8);
    for (const auto* ch : {&a1, &b1, &c1, &a2}) {
        writePad(s, 2, *ch, 55, 76, 62);
        writeBass(s, 3, *ch, 36, "R-R-5-R5", 88);
        writeArpeggio(s, 1, *ch, 55, "0..120..", 0.5, 88, 0.45);   // brass stabs
        writeArpeggio(s, 1, *ch, 55, "1..201..", 0.5, 84, 0.45);
        writeBass(s, 4, *ch, 36, "R-----5-", 80);                  // timpani
    }
    Phrase pa = inventPhrase(s, a1, 0, 4, b.dice, 0, 9, 4, true);
    Phrase pa2 = varyEnding(s, pa, a1, b.beat(4), 8, b.dice, 0, 9);
    Phrase pb = inventPhrase(s, b1, b.beat(8), 4, b.dice, 2, 10, 5, false);
    Phrase pb2 = varyEnding(s, pb, b1, b.beat(12), 8, b.dice, 2, 10);
    Phrase pc = inventPhrase(s, c1, b.beat(16), 4, b.dice, 0, 9, 7, true);
    writePhrase(s, 0, pa, b.beat(0), 0, 92);
    writePhrase(s, 0, pa2, b.beat(4), 0, 92);
    writePhrase(s, 0, pb, b.beat(8), 0, 94);
    writePhrase(s, 0, pb2, b.beat(12), 0, 94);
    writePhrase(s, 0, pc, b.beat(16), 0, 96);
    writePhrase(s, 0, pa, b.beat(20), 0, 94);
    writePhrase(s, 2, pa, b.beat(20), 1, 60); // strings double an octave up
    writePhrase(s, 0, pa2, b.beat(24), 0, 94);
    writeDrums(s, 0, 28,
               {{Kick, "x.......x.......", "x.......x.x.x.x."},
                {Snare, "....x..o....x.o.", "....x..oxoxoXXXX"},
                {ClosedHat, "x.o.x.o.x.o.x.o.", "x.o.x.o.x.o....."},
                {Crash, "X...............", "", 4}},
               4, 64);
    return s;
}

Song introstory() {
    Song s;
    s.name = "introstory";
    s.bpm = 84;
    s.beatsPerBar = 3;
    s.root = 57; // A
    s.minor = true;
    s.channels = {{0, 10, 104, 64, 55, 0}, {1, 46, 86, 46, 55, 0}, {2, 49, 60, 82, 80, 20},
                  {3, 32, 80, 64, 30, 0},  {4, 73, 76, 80, 65, 0}, {9, 0, 80, 64, 50, 0}};
    Builder b(s, 606, 28);
    Progression a = {{0, 3}, {5, 3}, {2, 3}, {6, 3}, {3, 3}, {0, 3}, {4, 3}, {0, 3}};
    Progression bp = {{2, 3}, {6, 3}, {5, 3}, {2, 3}, {3, 3}, {6, 3}, {4, 3}, {4, 3, true}};
    Progression c = {{5, 3}, {6, 3}, {2, 3, false, 4}, {0, 3}};
    auto a1 = b.chords(a, 0, 8), b1 = b.chords(bp, 8, 8), c1 = b.chords(c, 16, 4), a2 = b.chords(a, 20, 8);
    for (const auto* ch : {&a1, &b1, &c1, &a2}) {
        writePad(s, 2, *ch, 52, 71, 44);
        writeBass(s, 3, *ch, 33, "R-----", 64);
        writeArpeggio(s, 1, *ch, 57, "024742", 0.5, 50, 1.5);
    }
    Phrase pa = inventPhrase(s, a1, 0, 8, b.dice, 0, 9, 4, true);
    Phrase pb = inventPhrase(s, b1, b.beat(8), 8, b.dice, 2, 10, 4, true);
    Phrase pc = inventPhrase(s, c1, b.beat(16), 4, b.dice, 0, 9, 4, true);
    Phrase pa2 = varyEnding(s, pa, a2, b.beat(20), 18, b.dice, 0, 9);
    writePhrase(s, 0, pa, b.beat(0), 1, 80);
    writePhrase(s, 4, pb, b.beat(8), 1, 74); // the flute tells the middle of the story
    writePhrase(s, 0, pc, b.beat(16), 1, 80);
    writePhrase(s, 0, pa2, b.beat(20), 1, 80);
    writePhrase(s, 4, pa2, b.beat(20), 0, 50);
    writeDrums(s, 0, 28, {{Triangle, "o...........", "", 2}}, 0, 60);
    return s;
}

// Renders the six loops on two threads, and a piano roll of them all to
// review/music.png.
void makeMusic(const datagen::Context& ctx) {
    const std::vector<Song> songs = {titel(), ingame1(), ingame2(), ingame3(), win(), introstory()};
    std::atomic<size_t> next{0};
    std::exception_ptr error;
    std::mutex errorLock;
    // Two workers: rendering and encoding are the slow part of the pipeline.
    auto worker = [&] {
        for (size_t i; (i = next++) < songs.size();) {
            try {
                const Song& s = songs[i];
                double seconds = s.lengthBeats * 60 / s.bpm;
                if (seconds < 45 || seconds > 75) throw std::runtime_error("loop length out of bounds: " + s.name);
                audio::writeOggVorbis(ctx.file("data/music/" + s.name + ".ogg"), renderLoop(s, kSoundfont), 2, kRate,
                                      0.3f);
            } catch (...) {
                std::lock_guard<std::mutex> lock(errorLock);
                if (!error) error = std::current_exception();
            }
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();
    if (error) std::rethrow_exception(error);
    writePianoRoll(ctx.file("review/music.png"), songs);
}

} // namespace

DATAGEN_FAMILY("music", makeMusic);

} // namespace music
