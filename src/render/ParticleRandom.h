// The particle system's own source of random numbers: whole numbers 0..32767,
// the range of the C library's rand, from a seedable linear congruential
// generator. Each system owns one, so a test seeds it and gets the same sparks.
#pragma once

#include <cstdint>

struct ParticleRandom {
    std::uint32_t state = 1;

    // The next number in 0..32767.
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7fffu);
    }

    // Uniform in [0, 1], both ends included.
    float unit() { return static_cast<float>(next()) / 32767.0f; }
};

constexpr int kParticleRandomMax = 32767;
