#include "audio/Envelope.h"

#include <algorithm>
#include <cmath>

namespace {

float heldLevel(const Adsr& envelope, float t) {
    if (t < envelope.attack) {
        const float x = t / envelope.attack;
        return x * (2.0f - x);  // eases into the peak instead of a corner
    }
    if (envelope.decay <= 0.0f) return envelope.sustain;
    const float fall = std::exp(-4.6f * (t - envelope.attack) / envelope.decay);
    return envelope.sustain + (1.0f - envelope.sustain) * fall;
}

}  // namespace

float adsrLevel(const Adsr& envelope, float t, float held) {
    if (t < 0.0f) return 0.0f;
    if (t < held) return heldLevel(envelope, t);
    if (envelope.release <= 0.0f) return 0.0f;
    const float left = 1.0f - (t - held) / envelope.release;
    if (left <= 0.0f) return 0.0f;
    // Squared, so the release starts like an exponential yet reaches true zero.
    return heldLevel(envelope, held) * left * left;
}

float decayLevel(float t, float decayTime) {
    if (decayTime <= 0.0f) return 0.0f;
    return std::exp(-6.9078f * std::max(t, 0.0f) / decayTime);
}
