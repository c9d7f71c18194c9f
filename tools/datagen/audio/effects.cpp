// The 33 sound effects of the game, synthesised. Each fits its moment: ticks
// for marking a chain, a rising swoosh and a bright pling for cleared pieces
// (played together on every clear) and popups, a click for buttons, a thump for
// bombs, a crack and a rumble for broken stones, a leafy rustle for moss, a hop
// for a leaving beetle, shimmering chimes for the power-ups.
#include "audio/oggenc.h"
#include "audio/synth.h"
#include "audio/wavesheet.h"
#include "family.h"

#include <cmath>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

namespace audio {

namespace {

using W = Wave;

// A struck chime: a few harmonic partials, the higher ones dying sooner.
void chime(Sfx& s, double t, double f, double amp, double dur, double tau = 0.18) {
    s.add(Tone{t, dur, f, 0, amp, {0.002, tau, dur * 0.3}});
    s.add(Tone{t, dur * 0.7, f * 2, 0, amp * 0.28, {0.001, tau * 0.5, dur * 0.2}});
    s.add(Tone{t, dur * 0.5, f * 3, 0, amp * 0.10, {0.001, tau * 0.3, dur * 0.15}});
    s.add(Tone{t, dur * 0.4, f * 4.2, 0, amp * 0.05, {0.001, tau * 0.2, dur * 0.1}});
}

// A small church-like bell: inharmonic partials.
void bell(Sfx& s, double t, double f, double amp, double dur) {
    const double parts[][3] = {{0.5, 0.25, 1.0}, {1.0, 1.0, 0.6}, {1.19, 0.35, 0.4}, {1.5, 0.3, 0.35},
                               {2.0, 0.4, 0.3},  {2.74, 0.2, 0.15}, {3.76, 0.12, 0.1}};
    for (const auto& p : parts) s.add(Tone{t, dur, f * p[0], 0, amp * p[1], {0.002, p[2] * dur / 1.6, dur * 0.25}});
}

struct Effect {
    const char* name;
    double seconds;
    std::function<void(Sfx&)> make;
};

const Effect kEffects[] = {
    {"mark1", 0.10, [](Sfx& s) { // chain cut back: a lower, falling tick
         s.knock(0, 900, 0.5, 0.012, 11);
         s.add(Tone{0, 0.09, 1397, 1175, 0.25, {0.001, 0.02, 0.02}});
     }},
    {"mark2", 0.10, [](Sfx& s) { // a piece joins the chain: a bright tick
         s.knock(0, 1400, 0.5, 0.010, 12);
         s.add(Tone{0, 0.09, 2093, 0, 0.28, {0.001, 0.02, 0.02}});
     }},
    {"turnup", 0.34, [](Sfx& s) { // swoosh up
         s.add(Noise{0, 0.34, 0.5, {0.12, 0, 0.16}, 500, 3500, 1.6, 21});
         s.add(Tone{0.02, 0.30, 520, 1040, 0.12, {0.08, 0.12, 0.1}, W::Soft});
     }},
    {"turndown", 0.34, [](Sfx& s) { // swoosh down
         s.add(Noise{0, 0.34, 0.5, {0.04, 0, 0.2}, 3500, 500, 1.6, 22});
         s.add(Tone{0, 0.30, 1040, 520, 0.10, {0.03, 0.12, 0.12}, W::Soft});
     }},
    {"bell1", 1.6, [](Sfx& s) { bell(s, 0, 784, 0.5, 1.6); }},
    {"shuffle", 0.75, [](Sfx& s) { // pieces tumbling: a flurry of wooden knocks in a whoosh
         Rng r(31);
         for (int i = 0; i < 14; ++i) {
             double t = 0.03 + i * 0.045 + r.range(-0.01, 0.01);
             double amp = 0.25 + 0.35 * std::sin(3.14159 * (i + 0.5) / 14);
             s.knock(t, r.range(700, 1500), amp, 0.006, 100 + i);
         }
         s.add(Noise{0, 0.75, 0.22, {0.25, 0, 0.35}, 800, 2500, 0.8, 32});
     }},
    {"hint", 0.95, [](Sfx& s) { // a gentle two-note chime
         chime(s, 0, 1318.5, 0.5, 0.8, 0.22);
         chime(s, 0.09, 1975.5, 0.4, 0.8, 0.2);
         s.add(Tone{0.09, 0.3, 3951, 0, 0.05, {0.004, 0.08, 0.1}});
     }},
    {"failure", 0.65, [](Sfx& s) { // a sad falling pair
         s.add(Tone{0, 0.24, 392, 370, 0.45, {0.01, 0.2, 0.06}, W::Soft, 6, 0.01});
         s.add(Tone{0.2, 0.45, 311, 262, 0.5, {0.01, 0.25, 0.15}, W::Soft, 6, 0.012});
     }},
    {"gamebutt1", 0.16, [](Sfx& s) { // a thick wooden click
         s.knock(0, 520, 0.7, 0.02, 41);
         s.knock(0, 1560, 0.25, 0.008, 42);
         s.add(Tone{0, 0.12, 1040, 0, 0.15, {0.001, 0.03, 0.03}});
     }},
    {"mo", 0.6, [](Sfx& s) { // a friendly creature's low "mo"
         s.add(Tone{0, 0.58, 196, 165, 0.5, {0.04, 0.3, 0.15}, W::Soft, 5.5, 0.02});
         s.add(Tone{0, 0.58, 392, 330, 0.2, {0.05, 0.25, 0.15}, W::Sine, 5.5, 0.02});
         s.add(Tone{0, 0.5, 588, 495, 0.08, {0.05, 0.2, 0.15}, W::Sine, 5.5, 0.02});
     }},
    {"button1", 0.10, [](Sfx& s) { // a crisp click
         s.knock(0, 1800, 0.5, 0.006, 51);
         s.knock(0, 420, 0.6, 0.015, 52);
         s.add(Tone{0, 0.06, 2600, 2400, 0.12, {0.0005, 0.01, 0.02}});
     }},
    {"bomb", 0.9, [](Sfx& s) { // a deep thump with a burst
         s.add(Tone{0, 0.9, 110, 38, 1.0, {0.002, 0.18, 0.25}});
         s.add(Noise{0, 0.8, 0.8, {0.001, 0.12, 0.25}, 400, 120, 0.7, 61});
         s.add(Noise{0, 0.12, 0.3, {0.001, 0.03, 0.05}, 2500, 800, 0.7, 62});
     }},
    {"pucollect", 0.75, [](Sfx& s) { // a bomb is born: a quick rising sparkle
         const double notes[] = {1046.5, 1318.5, 1568, 2093};
         for (int i = 0; i < 4; ++i) chime(s, i * 0.06, notes[i], 0.4, 0.5, 0.14);
         s.add(Noise{0, 0.5, 0.05, {0.05, 0.15, 0.2}, 6000, 0, 2, 71});
     }},
    {"colorer", 0.8, [](Sfx& s) { // a magic colour change
         s.add(Tone{0, 0.8, 660, 1320, 0.4, {0.05, 0, 0.3}, W::Sine, 7, 0.015, 1.5, 2.5});
         s.add(Tone{0.05, 0.7, 1320, 2640, 0.12, {0.05, 0, 0.3}, W::Sine, 7, 0.015});
     }},
    {"match", 0.5, [](Sfx& s) {
         chime(s, 0, 784, 0.5, 0.4, 0.14);
         chime(s, 0.07, 1174.7, 0.45, 0.42, 0.14);
     }},
    {"puready", 0.36, [](Sfx& s) { // the pling of cleared pieces
         s.add(Tone{0, 0.05, 300, 900, 0.3, {0.002, 0.015, 0.015}});
         chime(s, 0.02, 1760, 0.45, 0.32, 0.08);
         s.add(Tone{0.02, 0.2, 2640, 0, 0.12, {0.002, 0.05, 0.05}});
     }},
    {"enterping", 0.65, [](Sfx& s) {
         chime(s, 0, 1568, 0.5, 0.6, 0.2);
         chime(s, 0.05, 2349.3, 0.3, 0.55, 0.16);
     }},
    {"pucollect2", 0.65, [](Sfx& s) {
         s.add(Tone{0, 0.3, 880, 1760, 0.3, {0.01, 0, 0.2}, W::Soft});
         chime(s, 0.25, 1760, 0.45, 0.38, 0.12);
     }},
    {"contact2", 0.22, [](Sfx& s) {
         s.knock(0, 300, 0.7, 0.03, 81);
         s.knock(0, 900, 0.3, 0.01, 82);
     }},
    {"explosion", 1.0, [](Sfx& s) { // a stone bursts: rumble, noise burst and flying debris
         s.add(Noise{0, 1.0, 1.0, {0.002, 0.22, 0.3}, 1800, 200, 0.6, 91});
         s.add(Tone{0, 0.9, 70, 35, 0.8, {0.002, 0.2, 0.25}});
         Rng r(92);
         for (int i = 0; i < 8; ++i) s.knock(0.05 + i * 0.06 + r.range(0, 0.03), r.range(900, 2200), 0.18 - i * 0.015, 0.008, 200 + i);
     }},
    {"puhit", 0.36, [](Sfx& s) { // a zap that lands
         s.add(Tone{0, 0.36, 1800, 300, 0.5, {0.002, 0.08, 0.1}, W::Sine, 0, 0, 2.1, 4});
         s.add(Noise{0, 0.1, 0.3, {0.001, 0.04, 0.05}, 3000, 800, 1.2, 101});
     }},
    {"takepu", 0.55, [](Sfx& s) { // a rising whoop
         s.add(Tone{0, 0.4, 300, 1200, 0.45, {0.02, 0, 0.15}, W::Soft, 8, 0.01});
         chime(s, 0.33, 1200, 0.35, 0.22, 0.08);
     }},
    {"glitter", 1.0, [](Sfx& s) {
         Rng r(111);
         for (int i = 0; i < 24; ++i) {
             double t = r.range(0, 0.78);
             double shape = std::sin(3.14159 * (t + 0.1) / 0.98);
             s.add(Tone{t, 0.18, r.range(2500, 6000), 0, (0.12 + 0.18 * r.uniform()) * shape, {0.002, 0.04, 0.05}});
         }
     }},
    {"laypart", 0.36, [](Sfx& s) { // two stone pieces laid down, and a warm note
         s.knock(0, 700, 0.6, 0.02, 121);
         s.knock(0.08, 900, 0.5, 0.02, 122);
         s.add(Tone{0.08, 0.28, 523.25, 0, 0.2, {0.004, 0.1, 0.08}, W::Soft});
     }},
    {"pustart", 0.6, [](Sfx& s) { // a power-up fires: a charging magic zap
         s.add(Tone{0, 0.6, 400, 1600, 0.4, {0.01, 0, 0.2}, W::Sine, 12, 0.03, 3, 1.5});
         s.add(Noise{0, 0.6, 0.25, {0.05, 0, 0.2}, 1000, 5000, 2, 131});
     }},
    {"stone2", 0.36, [](Sfx& s) { // a stone cracks
         s.add(Noise{0, 0.05, 0.8, {0.0005, 0.02, 0.02}, 3000, 1500, 0.9, 141});
         s.knock(0, 1100, 0.4, 0.01, 142);
         s.knock(0.012, 1600, 0.35, 0.008, 143);
         s.knock(0.03, 700, 0.4, 0.012, 144);
         s.add(Noise{0, 0.36, 0.3, {0.002, 0.06, 0.1}, 600, 0, 1, 145});
     }},
    {"butt", 0.32, [](Sfx& s) { // a beetle hops away: "bu-ip"
         s.knock(0, 400, 0.3, 0.01, 151);
         s.add(Tone{0, 0.18, 260, 520, 0.5, {0.005, 0.08, 0.06}, W::Soft});
         s.add(Tone{0.12, 0.18, 620, 440, 0.3, {0.01, 0.06, 0.08}, W::Soft});
     }},
    {"moss2", 0.45, [](Sfx& s) { // moss pulled away: a soft leafy rustle
         s.add(Noise{0, 0.45, 0.5, {0.03, 0.1, 0.2}, 2500, 4500, 0.5, 161});
         Rng r(162);
         for (int i = 0; i < 6; ++i)
             s.add(Noise{r.range(0, 0.3), 0.02, 0.3, {0.002, 0.006, 0.008}, 5000, 0, 2, 170u + i});
         s.add(Tone{0.05, 0.3, 1568, 0, 0.06, {0.01, 0.08, 0.1}});
     }},
    {"mmh1", 0.62, [](Sfx& s) { // a pleased hum
         s.add(Tone{0, 0.32, 220, 270, 0.5, {0.04, 0, 0.08}, W::Soft, 5, 0.015});
         s.add(Tone{0.26, 0.36, 270, 240, 0.5, {0.06, 0.25, 0.15}, W::Soft, 5, 0.015});
     }},
    {"pufull", 0.95, [](Sfx& s) { // a power-up is full: a bright triad
         chime(s, 0, 1046.5, 0.35, 0.85, 0.35);
         chime(s, 0, 1318.5, 0.3, 0.85, 0.35);
         chime(s, 0, 1568, 0.3, 0.85, 0.35);
         chime(s, 0.12, 2093, 0.3, 0.8, 0.3);
     }},
    {"puno", 0.36, [](Sfx& s) { // refused: two low buzzes
         s.add(Tone{0, 0.12, 196, 0, 0.5, {0.005, 0.1, 0.03}, W::Soft, 0, 0, 1, 0.8});
         s.add(Tone{0.15, 0.18, 165, 0, 0.5, {0.005, 0.1, 0.05}, W::Soft, 0, 0, 1, 0.8});
     }},
    {"cash", 0.75, [](Sfx& s) { // ka-ching
         s.knock(0, 2000, 0.4, 0.008, 181);
         for (double f : {2637.0, 3520.0, 4186.0, 5274.0})
             s.add(Tone{0.07, 0.68, f, 0, 0.25, {0.001, 0.25, 0.15}});
         s.add(Noise{0.07, 0.5, 0.05, {0.01, 0.15, 0.15}, 7000, 0, 3, 182});
     }},
    {"build", 0.75, [](Sfx& s) { // three rising wooden knocks and a chime
         s.knock(0, 500, 0.6, 0.03, 191);
         s.knock(0.18, 600, 0.6, 0.03, 192);
         s.knock(0.36, 800, 0.6, 0.03, 193);
         chime(s, 0.36, 1046.5, 0.3, 0.38, 0.12);
     }},
};

// Writes every effect, and a waveform sheet of them all to review/sounds.png.
void makeSounds(const datagen::Context& ctx) {
    std::vector<std::pair<std::string, std::vector<float>>> review;
    for (const Effect& e : kEffects) {
        Sfx sfx(e.seconds);
        e.make(sfx);
        std::vector<float> pcm = sfx.finish();
        // Guard the mix: audible, at most -3 dBFS, silent at both ends.
        float peak = 0;
        for (float v : pcm) peak = std::max(peak, std::fabs(v));
        if (peak < 0.25f || peak > 0.71f || pcm.front() != 0 || std::fabs(pcm.back()) > 1e-4f)
            throw std::runtime_error(std::string("level or ends out of bounds in effect ") + e.name);
        writeOggVorbis(ctx.file(std::string("data/sound/") + e.name + ".ogg"), pcm, 1, kRate, 0.4f);
        review.emplace_back(e.name, std::move(pcm));
    }
    writeWaveSheet(ctx.file("review/sounds.png"), review, kRate);
}

} // namespace

DATAGEN_FAMILY("sounds", makeSounds);

} // namespace audio
