#include "audio/Filter.h"

#include "audio/AudioFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// Cutoffs are kept below Nyquist and above 1 Hz so the coefficients stay finite and stable.
float safeFrequency(float frequency) {
    return std::clamp(frequency, 1.0f, 0.45f * kSampleRate);
}

}  // namespace

void OnePole::setCutoff(float cutoff) {
    coefficient = 1.0f - std::exp(-6.2831853f * safeFrequency(cutoff) / kSampleRate);
}

float OnePole::process(float x) {
    state = flushDenormal(state + coefficient * (x - state));
    return mode == Mode::LowPass ? state : x - state;
}

void Biquad::setFrequency(float frequency, float q) {
    const float w = 6.2831853f * safeFrequency(frequency) / kSampleRate;
    const float alpha = std::sin(w) / (2.0f * std::max(q, 0.1f));
    const float cosW = std::cos(w);
    const float a0 = 1.0f + alpha;
    if (mode == Mode::BandPass) {
        b0 = alpha / a0;
        b1 = 0.0f;
        b2 = -alpha / a0;
    } else {
        b0 = (1.0f - cosW) * 0.5f / a0;
        b1 = (1.0f - cosW) / a0;
        b2 = b0;
    }
    a1 = -2.0f * cosW / a0;
    a2 = (1.0f - alpha) / a0;
}

float Biquad::process(float x) {
    const float y = b0 * x + z1;
    z1 = flushDenormal(b1 * x - a1 * y + z2);
    z2 = flushDenormal(b2 * x - a2 * y);
    return y;
}
