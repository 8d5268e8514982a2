#include "audio/Oscillator.h"

namespace {

float clampUnit(float x) {
    return x > 1.0f ? 1.0f : x < -1.0f ? -1.0f : x;
}

// The polynomial residual of a band-limited step at phase t (cycles, 0..1)
// for a phase step dt: nonzero only within one sample of the jump.
float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

}  // namespace

float oscillator(Waveform wave, double phase, float increment) {
    const float t = static_cast<float>(phase - std::floor(phase));
    const float dt = std::fmin(std::fabs(increment), 0.5f);
    switch (wave) {
    case Waveform::Sine: return sineCycles(phase);
    case Waveform::Square: {
        float value = t < 0.5f ? 1.0f : -1.0f;
        if (dt > 0.0f) {
            float half = t + 0.5f;
            half -= std::floor(half);
            value += polyBlep(t, dt) - polyBlep(half, dt);
        }
        return clampUnit(value);
    }
    case Waveform::Saw: {
        float value = 2.0f * t - 1.0f;
        if (dt > 0.0f) value -= polyBlep(t, dt);
        return clampUnit(value);
    }
    case Waveform::Triangle: return 1.0f - 4.0f * std::fabs(t - 0.5f);
    }
    return 0.0f;
}
