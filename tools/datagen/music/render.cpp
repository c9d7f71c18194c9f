#include "music/render.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>

namespace music {

namespace {

constexpr double kTailSeconds = 5.0;

struct Event {
    size_t frame;
    int order; // note-offs before note-ons at the same frame
    int ch, key, vel;
};

struct Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    explicit Synth(const std::string& soundfont) {
        // FluidSynth fills shared tables when its first synth is made; making
        // synths one at a time keeps two render threads from racing there.
        static std::mutex creation;
        std::lock_guard<std::mutex> lock(creation);
        settings = new_fluid_settings();
        fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        fluid_settings_setnum(settings, "synth.gain", 0.4);
        fluid_settings_setint(settings, "synth.polyphony", 96);
        fluid_settings_setint(settings, "synth.cpu-cores", 1);
        fluid_settings_setint(settings, "synth.lock-memory", 0);
        fluid_settings_setint(settings, "synth.reverb.active", 1);
        fluid_settings_setint(settings, "synth.chorus.active", 1);
        fluid_settings_setnum(settings, "synth.reverb.room-size", 0.55);
        fluid_settings_setnum(settings, "synth.reverb.damp", 0.4);
        fluid_settings_setnum(settings, "synth.reverb.width", 0.9);
        fluid_settings_setnum(settings, "synth.reverb.level", 0.6);
        synth = new_fluid_synth(settings);
        if (!synth || fluid_synth_sfload(synth, soundfont.c_str(), 1) == FLUID_FAILED) {
            if (synth) delete_fluid_synth(synth);
            delete_fluid_settings(settings);
            throw std::runtime_error("cannot load the soundfont " + soundfont);
        }
    }
    ~Synth() {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
};

void quietLog() {
    static bool done = [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)done;
}

} // namespace

std::vector<float> renderLoop(const Song& song, const std::string& soundfont) {
    quietLog();
    Synth sy(soundfont);
    for (const Channel& c : song.channels) {
        if (c.ch != 9) fluid_synth_program_change(sy.synth, c.ch, c.program);
        fluid_synth_cc(sy.synth, c.ch, 7, c.volume);
        fluid_synth_cc(sy.synth, c.ch, 10, c.pan);
        fluid_synth_cc(sy.synth, c.ch, 91, c.reverb);
        fluid_synth_cc(sy.synth, c.ch, 93, c.chorus);
    }
    const double framesPerBeat = kRate * 60.0 / song.bpm;
    const size_t loopFrames = static_cast<size_t>(std::lround(song.lengthBeats * framesPerBeat));
    const size_t total = loopFrames + static_cast<size_t>(kTailSeconds * kRate);

    std::vector<Event> events;
    for (const Note& n : song.notes) {
        size_t on = static_cast<size_t>(std::lround(n.beat * framesPerBeat));
        size_t off = std::min(loopFrames, static_cast<size_t>(std::lround((n.beat + n.len) * framesPerBeat)));
        if (off <= on) continue;
        events.push_back({on, 1, n.ch, n.key, n.vel});
        events.push_back({off, 0, n.ch, n.key, 0});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.order < b.order;
    });

    std::vector<float> left(total), right(total);
    size_t pos = 0, next = 0;
    while (pos < total) {
        while (next < events.size() && events[next].frame <= pos) {
            const Event& e = events[next++];
            if (e.order == 1) fluid_synth_noteon(sy.synth, e.ch, e.key, e.vel);
            else fluid_synth_noteoff(sy.synth, e.ch, e.key);
        }
        size_t until = next < events.size() ? std::min(total, events[next].frame) : total;
        size_t n = std::min<size_t>(until - pos, 4096);
        if (n == 0) n = 1;
        fluid_synth_write_float(sy.synth, static_cast<int>(n), left.data() + pos, 0, 1, right.data() + pos, 0, 1);
        pos += n;
    }

    // Wrap the tail onto the start: what rings on after the loop's end is what
    // the listener hears over the loop's beginning when it repeats.
    std::vector<float> out(loopFrames * 2);
    for (size_t i = 0; i < loopFrames; ++i) {
        double l = left[i], r = right[i];
        if (loopFrames + i < total) {
            l += left[loopFrames + i];
            r += right[loopFrames + i];
        }
        out[2 * i] = static_cast<float>(l);
        out[2 * i + 1] = static_cast<float>(r);
    }

    // Remove any DC: subtracting each channel's mean keeps the loop seamless,
    // where a filter would start from rest at the loop point.
    for (int c = 0; c < 2; ++c) {
        double mean = 0;
        for (size_t i = c; i < out.size(); i += 2) mean += out[i];
        mean /= static_cast<double>(loopFrames);
        for (size_t i = c; i < out.size(); i += 2) out[i] = static_cast<float>(out[i] - mean);
    }

    double peak = 0, loud = 0, sum = 0;
    size_t win = kRate * 2; // one second of stereo samples
    for (size_t i = 0; i < out.size(); ++i) {
        peak = std::max(peak, static_cast<double>(std::fabs(out[i])));
        sum += static_cast<double>(out[i]) * out[i];
        if (i >= win) sum -= static_cast<double>(out[i - win]) * out[i - win];
        loud = std::max(loud, std::sqrt(std::max(0.0, sum) / win));
    }
    double gain = 1;
    if (loud > 0) gain = std::pow(10, -16.0 / 20) / loud;
    if (peak > 0) gain = std::min(gain, std::pow(10, -1.5 / 20) / peak);
    for (float& v : out) v = static_cast<float>(v * gain);
    return out;
}

} // namespace music
