#include "audio/EffectControls.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kRollSilentBelow = 0.3f;
constexpr float kRollFullAt = 14.0f;

}  // namespace

float rollLoopLevel(float groundSpeed) {
    if (!(groundSpeed > kRollSilentBelow)) return 0.0f;
    const float x = std::min((groundSpeed - kRollSilentBelow) / (kRollFullAt - kRollSilentBelow), 1.0f);
    return std::sqrt(x);
}

float rollPitch(float groundSpeed) {
    const float x = std::clamp(groundSpeed / kRollFullAt, 0.0f, 1.2f);
    return 0.7f + 0.65f * x;
}

float landingGain(float impactSpeed) {
    constexpr float kSoftest = 1.5f;
    if (!(impactSpeed > kSoftest)) return 0.0f;
    return std::min(0.25f + 0.75f * (impactSpeed - kSoftest) / 16.0f, 1.0f);
}

float landingPitch(float impactSpeed) {
    return std::clamp(1.25f - 0.025f * impactSpeed, 0.8f, 1.2f);
}

float beltHumLevel(float distance) {
    constexpr float kNear = 2.0f;
    constexpr float kFar = 14.0f;
    if (!(distance < kFar)) return 0.0f;
    const float x = std::clamp((kFar - distance) / (kFar - kNear), 0.0f, 1.0f);
    return x * x;
}

float volumeGain(int volume) {
    const float x = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    return x * x;
}
