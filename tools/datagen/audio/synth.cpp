#include "audio/synth.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {
constexpr double kPi = 3.14159265358979323846;

double glide(double f0, double f1, double u) { return f1 > 0 ? f0 * std::pow(f1 / f0, u) : f0; }

// Chamberlin state-variable band-pass, stable for centre < rate / 6.
struct BandPass {
    double low = 0, band = 0;
    double run(double in, double centre, double q) {
        double f = 2 * std::sin(kPi * std::min(centre, kRate / 6.5) / kRate);
        double damp = 1.0 / q;
        low += f * band;
        double high = in - low - damp * band;
        band += f * high;
        return band;
    }
};
} // namespace

double Env::at(double t, double dur) const {
    if (t < 0 || t >= dur) return 0;
    double a = attack > 0 && t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
    double d = tau > 0 ? std::exp(-std::max(0.0, t - attack) / tau) : 1.0;
    double left = dur - t;
    double r = release > 0 && left < release ? 0.5 - 0.5 * std::cos(kPi * left / release) : 1.0;
    return a * d * r;
}

Sfx::Sfx(double seconds) : s_(static_cast<size_t>(seconds * kRate), 0.0) {}

void Sfx::add(const Tone& t) {
    size_t first = static_cast<size_t>(t.start * kRate);
    size_t count = static_cast<size_t>(t.dur * kRate);
    double phase = 0, modPhase = 0;
    for (size_t i = 0; i < count && first + i < s_.size(); ++i) {
        double time = static_cast<double>(i) / kRate;
        double e = t.env.at(time, t.dur);
        double f = glide(t.f0, t.f1, time / t.dur);
        if (t.vibratoHz > 0) f *= 1 + t.vibratoDepth * std::sin(2 * kPi * t.vibratoHz * time);
        double mod = 0;
        if (t.fmRatio > 0) {
            modPhase += 2 * kPi * f * t.fmRatio / kRate;
            mod = t.fmIndex * e * std::sin(modPhase);
        }
        phase += 2 * kPi * f / kRate;
        double p = phase + mod, v;
        switch (t.wave) {
        case Wave::Triangle: v = 2 / kPi * std::asin(std::sin(p)); break;
        case Wave::Soft: v = std::sin(p) + 0.25 * std::sin(2 * p) + 0.12 * std::sin(3 * p); break;
        default: v = std::sin(p);
        }
        s_[first + i] += t.amp * e * v;
    }
}

void Sfx::add(const Noise& n) {
    size_t first = static_cast<size_t>(n.start * kRate);
    size_t count = static_cast<size_t>(n.dur * kRate);
    Rng rng(n.seed);
    BandPass bp;
    for (size_t i = 0; i < count && first + i < s_.size(); ++i) {
        double time = static_cast<double>(i) / kRate;
        double c = glide(n.centre0, n.centre1, time / n.dur);
        // The band carries energy in proportion to centre x resonance: scale it
        // back so that `amp` means about the same loudness at any setting.
        double norm = 1.0 / std::sqrt(n.q * c / 2000.0);
        s_[first + i] += n.amp * n.env.at(time, n.dur) * norm * bp.run(rng.bipolar(), c, n.q);
    }
}

void Sfx::knock(double start, double freq, double amp, double decay, uint32_t seed) {
    Noise click{start, 0.006, amp * 0.6, {0.0005, 0.0015, 0.002}, freq * 3, 0, 0.8, seed};
    add(click);
    Tone body{start, decay * 6, freq, freq * 0.94, amp, {0.0008, decay, 0.01}, Wave::Sine};
    add(body);
}

std::vector<float> Sfx::finish(double peakDb, double loudDb) {
    // DC blocker (one-pole high-pass near 20 Hz).
    double prevIn = 0, prevOut = 0, r = std::exp(-2 * kPi * 20.0 / kRate);
    for (double& v : s_) {
        double out = v - prevIn + r * prevOut;
        prevIn = v;
        prevOut = out;
        v = out;
    }
    // Fades: 1.5 ms in, 8 ms out, so the first and last samples are silent.
    size_t in = kRate * 15 / 10000, outLen = kRate * 8 / 1000;
    for (size_t i = 0; i < in && i < s_.size(); ++i) s_[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
    for (size_t i = 0; i < outLen && i < s_.size(); ++i) s_[s_.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / outLen);
    // Level: the peak at peakDb, unless the loudest 50 ms window would then be
    // louder (RMS) than loudDb.
    double peak = 0;
    for (double v : s_) peak = std::max(peak, std::fabs(v));
    size_t win = kRate / 20;
    double loud = 0, sum = 0;
    for (size_t i = 0; i < s_.size(); ++i) {
        sum += s_[i] * s_[i];
        if (i >= win) sum -= s_[i - win] * s_[i - win];
        loud = std::max(loud, std::sqrt(std::max(0.0, sum) / win));
    }
    double gain = 1;
    if (peak > 0) gain = std::pow(10, peakDb / 20) / peak;
    if (loud > 0) gain = std::min(gain, std::pow(10, loudDb / 20) / loud);
    // 4 ms of silence ahead of the sound keep the codec's pre-echo of a sharp
    // attack from making the first decoded sample a step.
    size_t lead = kRate * 4 / 1000;
    std::vector<float> out(lead + s_.size(), 0.f);
    for (size_t i = 0; i < s_.size(); ++i) out[lead + i] = static_cast<float>(s_[i] * gain);
    return out;
}

} // namespace audio
