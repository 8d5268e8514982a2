// Oscillators: periodic waves read at a phase measured in cycles (0..1 is one
// period), and white noise from a seedable generator or a pure hash of a
// sample index. Every output lies in -1..1.
#pragma once

#include <cmath>
#include <cstdint>

enum class Waveform { Sine, Square, Saw, Triangle };

// sin(2 pi phase) from a degree-9 polynomial: about 4e-6 from the exact value,
// several times faster than std::sin, and a pure function of its argument.
inline float sineCycles(double phase) {
    float x = static_cast<float>(phase - std::floor(phase + 0.5));  // -0.5..0.5
    if (x > 0.25f) {
        x = 0.5f - x;
    } else if (x < -0.25f) {
        x = -0.5f - x;
    }
    const float y = x * 6.2831853f;
    const float y2 = y * y;
    const float value = y * (1.0f + y2 * (-1.0f / 6 + y2 * (1.0f / 120 + y2 * (-1.0f / 5040 + y2 * (1.0f / 362880)))));
    return value > 1.0f ? 1.0f : value < -1.0f ? -1.0f : value;  // the polynomial overshoots by 4e-6
}

// One sample of `wave` at `phase` (cycles). `increment` is the phase step per
// sample; square and saw use it to round off their jumps (polyBLEP), which
// keeps bright tones from folding back into audible aliases.
float oscillator(Waveform wave, double phase, float increment);

// Xorshift white noise, uniform in -1..1: the same seed gives the same run.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) * (2.0f / 4294967296.0f) - 1.0f;
    }

private:
    std::uint32_t state;
};

// White noise as a pure function of (seed, index), uniform in -1..1, for
// music that must be rendered from any sample onwards.
inline float hashNoise(std::uint32_t seed, std::int64_t index) {
    std::uint32_t h =
        static_cast<std::uint32_t>(index) * 0x9E3779B1u ^ seed * 0x85EBCA77u ^ static_cast<std::uint32_t>(index >> 32);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<float>(h) * (2.0f / 4294967296.0f) - 1.0f;
}
