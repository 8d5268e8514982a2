// The player's control of the ball in one simulation step: the wish to roll
// (a world-space direction, at most one unit long) becomes acceleration, then
// ground friction, the top speed, gravity, the edge-triggered jump and the
// rolling rotation. The physics step moves the ball afterwards.
#pragma once

#include "base/Math.h"
#include "game/StepInput.h"
#include "physics/Ball.h"

constexpr float kBallTopSpeed = 8.0f;
// Falls stop speeding up here, as air would have it: no level falls far enough
// to reach it, and it keeps every speed within what the physics' sub-steps hold.
constexpr float kBallTerminalSpeed = 60.0f;

// Camera-relative directions the movement keys steer by.
struct MoveDirections {
    Vec3 forward{0.0f, 0.0f, -1.0f};
    Vec3 right{1.0f, 0.0f, 0.0f};
};

// The wish of the four movement keys: opposite keys cancel, the sum is made
// one unit long.
Vec2 keyboardWish(bool forward, bool back, bool left, bool right, const MoveDirections& directions);

// The wish of a stick already past its dead zone (x right, y down as pads
// report it): as long as the stick is pushed, in the camera's directions.
Vec2 stickWish(Vec2 stick, const MoveDirections& directions);

// A wish as the ball takes it: at most one unit long, in whole steps of
// 1/kMoveScale, with the jump button.
StepInput makeStepInput(Vec2 wish, bool jump);

// The wish a step input stands for.
Vec2 stepWish(const StepInput& input);

// One step of `dt` seconds, the roll included. Returns true when the ball jumped.
bool updateBall(Ball& ball, float dt, const StepInput& input, float speedMultiplier, bool antiGravity);

// Rolls without slipping about the world axis up x velocity, by the distance
// travelled in `dt`.
void rollBall(Ball& ball, float dt);
