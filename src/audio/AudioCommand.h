// The sound director's orders to the device layer: plain values, so the
// decisions can be tested with no sound device at all. Gains 0..1 before the
// volume settings; pitch is a playback-rate factor.
#pragma once

#include "audio/MusicStyle.h"
#include "audio/SoundEffect.h"
#include "base/Math.h"

#include <optional>
#include <variant>

enum class LoopSound { Roll, Belt };

struct PlayEffect {
    SoundEffect effect = SoundEffect::Coin;
    float gain = 1.0f;
    float pitch = 1.0f;
    bool positional = false;  // false: heard the same wherever the camera is
    Vec3 position{0.0f};
};

struct SetLoop {
    LoopSound loop = LoopSound::Roll;
    float gain = 0.0f;
    float pitch = 1.0f;
    bool positional = false;
    Vec3 position{0.0f};
};

struct StopLoop {
    LoopSound loop = LoopSound::Roll;
};

struct SetMusic {
    std::optional<MusicStyle> style;  // none: fade to silence
};

struct SetListener {
    Vec3 position{0.0f};
    Vec3 forward{0.0f, 0.0f, -1.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
};

// Pauses every sound playing now; the ones played after it (the pause screen's own) go on.
struct PauseAll {};
// Resumes exactly the sounds PauseAll paused.
struct ResumeAll {};

using AudioCommand = std::variant<PlayEffect, SetLoop, StopLoop, SetMusic, SetListener, PauseAll, ResumeAll>;

inline SoundEffect loopEffect(LoopSound loop) {
    return loop == LoopSound::Roll ? SoundEffect::Roll : SoundEffect::BeltHum;
}
