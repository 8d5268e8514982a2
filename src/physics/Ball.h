// The player's ball: a plain record written by the ball control, the physics
// step and the resets. World units (the ball is 1 unit across), seconds.
#pragma once

#include "base/Math.h"

struct Ball {
    Vec3 position{0.0f, 0.5f, 0.0f};
    Vec3 velocity{0.0f};
    Quat rotation{1.0f, 0.0f, 0.0f, 0.0f};  // identity (w first in GLM's constructor)
    float radius = 0.5f;
    Vec3 color{0.9f, 0.3f, 0.2f};
    bool grounded = true;   // set by the physics step on a supporting contact
    bool jumpHeld = false;  // jump was held at the previous step
    int surface = 0;        // TileType under the ball, 0 when none
    float friction = 0.82f; // horizontal speed kept per 1/60 s while grounded
};

// Every field except radius and colour back to its default, then the ball at
// `position` (level start, respawn, shield save).
void resetBall(Ball& ball, Vec3 position);

// translate(position) * rotation * scale(radius).
Mat4 ballModelMatrix(Vec3 position, Quat rotation, float radius);
