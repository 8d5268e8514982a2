// The player's ball: a plain record written by the ball control, the physics
// step and the resets. World units (the ball is 1 unit across), seconds.
#pragma once

#include "base/Math.h"

struct Config;
class Input;

struct Ball {
    Vec3 position{0.0f, 0.5f, 0.0f};
    Vec3 velocity{0.0f};
    Quat rotation{1.0f, 0.0f, 0.0f, 0.0f};  // identity (w first in GLM's constructor)
    float radius = 0.5f;
    Vec3 color{0.9f, 0.3f, 0.2f};
    bool grounded = true;   // set by the physics step on a supporting contact
    bool jumpHeld = false;  // jump key was down at the previous update
    int surface = 0;        // TileType under the ball, 0 when none
    float friction = 0.82f; // horizontal speed kept per 1/60 s while grounded
};

// Every field except radius and colour back to its default, then the ball at
// `position` (level start, respawn, shield save).
void resetBall(Ball& ball, Vec3 position);

// One step of the player's control: camera-relative acceleration, ground
// friction, top speed, gravity, the edge-triggered jump, integration and the
// rolling rotation. `forward` and `right` are the flattened camera directions.
void updateBall(Ball& ball, float dt, const Input& input, Vec3 forward, Vec3 right,
                const Config& config, float speedMultiplier, bool antiGravity);

// translate(position) * rotation * scale(radius).
Mat4 ballModelMatrix(const Ball& ball);
