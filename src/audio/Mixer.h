// Mixing: adding layers into a buffer, bringing a sound to a chosen peak, and
// the soft limiter every mix goes through last, so no sample passes full scale
// however many layers pile up. Then the 16-bit conversion for playback.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Unchanged up to 0.6, then bent smoothly towards +-1 (tanh knee); NaN gives 0.
float softLimit(float x);

// dst[offset + i] += gain * src[i] for every i that fits in dst.
void mixInto(std::vector<float>& dst, const std::vector<float>& src, float gain, std::size_t offset = 0);

// Scales so the largest magnitude is `peak` (a silent buffer stays silent).
void normalizePeak(std::vector<float>& samples, float peak);

// Rounded, clamped to -32767..32767 so the wave stays symmetric.
std::int16_t toPcm16(float sample);
std::vector<std::int16_t> toPcm16(const std::vector<float>& samples);

// Root mean square of samples[first, first + count) (clipped to the buffer).
float rms(const std::vector<float>& samples, std::size_t first, std::size_t count);
