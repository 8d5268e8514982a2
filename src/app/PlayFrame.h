// The simulation half of one play frame, in the game's order: orbit and zoom,
// camera-relative steering, powerup effects, the ball and the physics step,
// falling, the camera follow, the countdown with the sun, then magnet, pickups,
// powerup ageing and the end tile. Drawing is left to the caller, so tools and
// tests play a level headless with exactly the game's code.
#pragma once

#include "app/GameRules.h"
#include "app/OrbitCamera.h"

struct Config;
class Input;

// The mouse as the play frame reads it: cursor in window pixels, right button.
struct PlayPointer {
    double x = 0.0;
    double y = 0.0;
    bool rightDown = false;
};

// While `debugCamActive` the ball, the physics, the fall test, the camera
// follow and the countdown stand still; pickups and powerups go on.
void updatePlayFrame(PlaySession& session, OrbitDrag& drag, const Input& input, const Config& config,
                     PlayPointer pointer, float dt, float elapsedTime, bool debugCamActive, int displayWidth,
                     int displayHeight);
