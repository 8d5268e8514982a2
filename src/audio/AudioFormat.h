// The sample format every sound of the game is made in: mono float samples at
// 44100 Hz, full scale -1..1, turned into signed 16-bit only for playback.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

constexpr int kSampleRate = 44100;
constexpr float kSamplePeriod = 1.0f / kSampleRate;

// Whole samples in `seconds` (rounded to the nearest, never negative).
inline std::size_t samplesFor(float seconds) {
    return seconds > 0.0f ? static_cast<std::size_t>(std::lround(seconds * kSampleRate)) : 0;
}

// Filter states decaying towards zero turn into denormals, which cost a
// hundred times a normal float on x86; anything this small is silence anyway.
inline float flushDenormal(float x) {
    return std::fabs(x) < 1e-15f ? 0.0f : x;
}
