// The mixer's decisions, free of any device: given this frame's cues and
// state, the commands for the device layer. Rolling follows the ball on the
// ground and is silent in the air or when paused; the belt hum fades with
// distance; the clock ticks once per whole second below 10 s; a paused game
// lets only the interface's own sounds through.
#pragma once

#include "audio/AudioCommand.h"
#include "audio/Oscillator.h"
#include "audio/SoundCue.h"

#include <optional>
#include <vector>

class SoundDirector {
public:
    std::vector<AudioCommand> update(const std::vector<SoundCue>& cues, const SoundFrame& frame, float dt);

private:
    struct Loop {
        float gain = 0.0f;
        bool playing = false;
    };
    void playCues(const std::vector<SoundCue>& cues, const SoundFrame& frame, std::vector<AudioCommand>& out);
    void tickClock(const SoundFrame& frame, std::vector<AudioCommand>& out);
    void steerLoop(LoopSound which, Loop& loop, float target, float pitch, float riseTime, float fallTime, float dt,
                   const SoundFrame& frame, std::vector<AudioCommand>& out);

    bool paused = false;
    bool musicSent = false;
    std::optional<MusicStyle> music;
    Loop roll;
    Loop belt;
    bool clockSeen = false;
    int lastWholeSecond = 0;
    int coinStreak = 0;
    float sinceCoin = 1e9f;
    NoiseSource variation{0x5EED};  // small pitch differences between repeats
};
