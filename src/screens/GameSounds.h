// What the game sounds like: which effect each moment of play makes, and the
// state of play the sound follows every frame (the rolling loop, the belt's
// hum, the last seconds' tick, the listener at the camera, the music).
#pragma once

#include "audio/SoundCue.h"
#include "game/Attempt.h"
#include "game/GameEvents.h"
#include "game/OrbitCamera.h"

#include <vector>

SoundEffect pickupSound(PowerupType type);

// The cues of one step's events; moments a player would not hear (nothing
// here yet) make none.
std::vector<SoundCue> cuesFor(const GameEvents& events);

// Distance from `point` to the nearest conveyor tile's box, or infinity.
float nearestBeltDistance(const Level& level, const LevelRun& run, Vec3 point);

// The state of an attempt as the sound follows it; the listener stands at
// the camera's eye looking along it.
SoundFrame playSoundFrame(const Attempt& attempt, const OrbitCamera& listener, bool paused);
