// Every effect rendered once at start-up, as the 16-bit samples the device
// uploads. Rendering all of them takes tens of milliseconds, so the engine
// does it on its start-up worker, never on the frame's thread.
#pragma once

#include "audio/SoundEffect.h"

#include <array>
#include <cstdint>
#include <vector>

struct EffectBank {
    std::array<std::vector<std::int16_t>, kSoundEffectCount> samples;
    const std::vector<std::int16_t>& operator[](SoundEffect effect) const {
        return samples[static_cast<std::size_t>(effect)];
    }
};

EffectBank renderEffectBank();
