// What the game tells the sound each frame: the moments that happened (cues)
// and the continuous state the loops, the clock tick and the music follow.
// World units, y up; speeds in units per second; times in seconds.
#pragma once

#include "audio/MusicStyle.h"
#include "audio/SoundEffect.h"
#include "base/Math.h"

#include <limits>

struct SoundCue {
    SoundEffect effect = SoundEffect::Coin;
    Vec3 position{0.0f};    // where it happened, for effects placed in the world
    float strength = 1.0f;  // Land and Bounce: impact speed; otherwise unused
};

struct SoundFrame {
    bool inPlay = false;  // a level is running (not a menu or an end screen)
    bool paused = false;
    float groundSpeed = 0.0f;  // the ball's speed along the ground
    bool grounded = false;
    Vec3 ballPosition{0.0f};
    Vec3 listenerPosition{0.0f};  // the camera
    Vec3 listenerForward{0.0f, 0.0f, -1.0f};
    Vec3 listenerUp{0.0f, 1.0f, 0.0f};
    float conveyorDistance = std::numeric_limits<float>::infinity();  // to the nearest belt
    float timeLeft = std::numeric_limits<float>::infinity();          // on the level clock
    const MusicStyle* music = nullptr;  // the track that should play; null for silence; not owned
};
