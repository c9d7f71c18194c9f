// Random numbers and the little float maths the game uses.
#include "platform/platform.h"

#include <cmath>
#include <random>

namespace {
std::mt19937 gRng(12345u);
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
} // namespace

void SeedRandom(uint32_t seed) { gRng.seed(seed); }

// Uniform over min..max inclusive by rejection sampling on the raw 32-bit
// output, so the sequence for a seed is the same on every standard library.
int RandomInt(int min, int max) {
    if (max < min) std::swap(min, max);
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1; // 1 .. 2^32
    uint64_t r = gRng();
    if (span != (uint64_t(1) << 32)) {
        const uint64_t limit = (uint64_t(1) << 32) - ((uint64_t(1) << 32) % span);
        while (r >= limit) r = gRng();
        r %= span;
    }
    return static_cast<int>(static_cast<int64_t>(min) + static_cast<int64_t>(r));
}

float SinDeg(float degrees) { return static_cast<float>(std::sin(degrees * kDegToRad)); }
float CosDeg(float degrees) { return static_cast<float>(std::cos(degrees * kDegToRad)); }
float FloorOf(float x) { return std::floor(x); }
// Negative numbers have no real root; they give 0 rather than a NaN that
// would travel into later integer conversions.
float SquareRoot(float x) { return x > 0 ? std::sqrt(x) : 0.0f; }
