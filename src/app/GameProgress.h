// The game in progress: which level, lives, this level's coins, the level
// timer, the fall delay, the level-complete countdown, the timed powerups in
// effect (in the order first picked up) and the sun as loaded and as sunk.
#pragma once

#include "level/ActivePowerup.h"
#include "base/Math.h"

#include <vector>

constexpr int kStartingLives = 3;
constexpr float kPowerupDuration = 10.0f;
constexpr float kFallHeight = -50.0f;       // ball centre below this has fallen off
constexpr float kFallDelay = 1.2f;
constexpr float kAdvanceDelay = 3.0f;       // level-complete screen moves on by itself
constexpr float kSlowMoScale = 0.35f;
constexpr float kSpeedBoostMultiplier = 2.2f;
constexpr float kMagnetReach = 8.0f;
constexpr float kMagnetPullSpeed = 14.0f;   // at distance 0, falling linearly to 0 at the reach
constexpr int kCoinBurstParticles = 48;

struct GameProgress {
    int levelIndex = 0;
    int lives = kStartingLives;
    int coinsThisLevel = 0;
    float timeLeft = 120.0f;
    bool falling = false;
    float fallTimer = 0.0f;
    float advanceTimer = 0.0f;
    std::vector<ActivePowerup> activePowerups;
    Vec3 sunBase{40.0f, 80.0f, 30.0f};
    Vec3 sunCurrent{40.0f, 80.0f, 30.0f};
};

// A type is in effect while an entry of it has time remaining.
bool isPowerupActive(const std::vector<ActivePowerup>& active, PowerupType type);

// What the powerups in effect do to this frame's ball control and physics.
struct PowerupEffects {
    float physicsDt = 0.0f;        // dt, slowed under SlowMo; timers and camera keep dt
    float speedMultiplier = 1.0f;  // of the ball's top speed and acceleration
    bool antiGravity = false;      // halves gravity
};

PowerupEffects powerupEffects(const std::vector<ActivePowerup>& active, float dt);

// A picked powerup: refreshes an entry of its type or appends a new one.
void addPowerup(std::vector<ActivePowerup>& active, PowerupType type);

// Subtracts dt from every entry, then drops the expired ones, keeping order.
void agePowerups(std::vector<ActivePowerup>& active, float dt);
