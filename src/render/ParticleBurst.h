// One particle emission: where, how many, and how its sparks look and move.
// The game rules fill it for the coin burst; the particle system spawns it.
#pragma once

#include "base/Math.h"

struct ParticleBurst {
    Vec3 position{0.0f};
    int count = 0;
    float speed = 0.0f;     // largest initial speed
    Vec4 startColor{1.0f};
    Vec4 endColor{1.0f};
    float startSize = 0.0f; // randomised per particle
    float endSize = 0.0f;
    float lifetime = 0.0f;  // seconds, randomised per particle
    float drag = 1.0f;      // velocity factor per 1/60 s
    float gravity = 0.0f;   // vertical acceleration; negative is down
};
