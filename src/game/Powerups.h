// Timed powerups in effect, in the order first picked up. A type is in effect
// while an entry of it has time remaining; picking one up again refreshes it.
#pragma once

#include "level/Level.h"

#include <vector>

constexpr float kPowerupDuration = 10.0f;
constexpr float kSlowMoScale = 0.35f;
constexpr float kSpeedBoostMultiplier = 2.2f;

struct ActivePowerup {
    float duration = kPowerupDuration;  // seconds; always the full powerup time
    float remaining = 0.0f;             // seconds left
    PowerupType type = PowerupType::SpeedBoost;
};

bool isPowerupActive(const std::vector<ActivePowerup>& active, PowerupType type);

// What the powerups in effect do to one step of the ball and the physics.
struct PowerupEffects {
    float physicsDt = 0.0f;        // the step, slowed under SlowMo; timers and camera keep the step
    float speedMultiplier = 1.0f;  // of the ball's top speed and acceleration
    bool antiGravity = false;      // halves gravity
};

PowerupEffects powerupEffects(const std::vector<ActivePowerup>& active, float dt);

// A picked powerup: refreshes an entry of its type or appends a new one.
void addPowerup(std::vector<ActivePowerup>& active, PowerupType type);

// Subtracts dt from every entry, then drops the expired ones, keeping order;
// returns the types that ran out.
std::vector<PowerupType> agePowerups(std::vector<ActivePowerup>& active, float dt);
