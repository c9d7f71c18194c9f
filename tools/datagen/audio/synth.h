// A small synthesiser for the sound effects: voices are added into a mono
// buffer at a start time, each with its own smooth envelope, so nothing starts
// or stops with a step; `finish` removes DC, fades the ends and sets the level.
#pragma once
#include <cstdint>
#include <vector>

namespace audio {

constexpr int kRate = 44100;

// Deterministic noise source (xorshift32).
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 1) {}
    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double uniform() { return next() / 4294967296.0; }  // [0, 1)
    double bipolar() { return uniform() * 2.0 - 1.0; }  // [-1, 1)
    double range(double a, double b) { return a + (b - a) * uniform(); }

  private:
    uint32_t state_;
};

// Envelope: raised-cosine attack, exponential decay with time constant `tau`
// (0 = hold), raised-cosine release over the last `release` seconds.
struct Env {
    double attack = 0.003;
    double tau = 0.1;
    double release = 0.01;
    double at(double t, double dur) const;
};

enum class Wave { Sine, Triangle, Soft }; // Soft: sine with a little 2nd and 3rd harmonic

struct Tone {
    double start = 0, dur = 0.2;
    double f0 = 440, f1 = 0;  // exponential glide from f0 to f1 (0 = no glide)
    double amp = 0.5;
    Env env;
    Wave wave = Wave::Sine;
    double vibratoHz = 0, vibratoDepth = 0; // depth as a frequency ratio, e.g. 0.01
    double fmRatio = 0, fmIndex = 0;       // sine frequency modulation, index decays with the envelope
};

struct Noise {
    double start = 0, dur = 0.2;
    double amp = 0.5;
    Env env;
    double centre0 = 1000, centre1 = 0; // band-pass centre glide in Hz (0 = no glide)
    double q = 1.0;                      // band-pass resonance
    uint32_t seed = 1;
};

class Sfx {
  public:
    explicit Sfx(double seconds);
    void add(const Tone& t);
    void add(const Noise& n);
    // Adds a short pitched impulse (a knock or click): a damped resonance.
    void knock(double start, double freq, double amp, double decay, uint32_t seed);
    // High-pass at `hz` removes DC, ends faded, peak set to `peakDb` unless the
    // short-term loudness would then exceed `loudDb` (both in dBFS).
    std::vector<float> finish(double peakDb = -3.0, double loudDb = -11.0);
    std::vector<double>& data() { return s_; }

  private:
    std::vector<double> s_;
};

} // namespace audio
