// The rules of an attempt, step by step: falls and the shield, the countdown
// and the sinking sun, the magnet, pickups, powerup ageing and the end tile.
// They change the attempt, print the game's console lines and report events;
// they never draw or play.
#pragma once

#include "game/Attempt.h"

constexpr float kFallHeight = -50.0f;  // ball centre below this has fallen off
constexpr float kCheckpointReach = 1.0f;     // from the flag's foot to the ball's centre
constexpr float kCheckpointLift = 0.6f;      // a respawned ball starts this far over the flag's foot
constexpr float kGroundHalfWidth = 80.0f;    // the drawn ground reaches this far from the origin
constexpr float kFallDelay = 1.2f;
constexpr float kMagnetReach = 8.0f;
constexpr float kMagnetPullSpeed = 14.0f;  // at distance 0, falling linearly to 0 at the reach

// Falling below the level, or onto the drawn ground of a level that has one:
// the shield saves once, otherwise a life goes at once and, after the fall
// delay, the ball respawns at the last checkpoint reached, else at the start
// (or the attempt is lost).
void updateFall(Attempt& attempt, float dt, GameEvents& events);

// True when the ball has fallen out of the level: below it, or (over a level
// with ground) down to the drawn ground, which only looks solid.
bool hasFallen(const Level& level, const Ball& ball);

// Where a fall comes back to: over the last checkpoint reached, else the start.
Vec3 respawnPoint(const Attempt& attempt);

// A checkpoint within reach of the ball becomes the respawn point; each says
// "Checkpoint!" once.
void reachCheckpoints(Attempt& attempt, GameEvents& events);

// Arriving at the end tile with coins left says so once per arrival.
void noteLockedGate(Attempt& attempt, float margin, GameEvents& events);

// The countdown, standing still while falling; reaching 0 loses the attempt.
void updateCountdown(Attempt& attempt, float dt, GameEvents& events);

// Where the sun stands with `timeLeft` of the level's time: it sinks to the
// horizon as the clock runs out.
Vec3 sunPosition(const Level& level, float timeLeft);

// Under the magnet, uncollected coins within reach drift towards the ball.
void pullCoins(const Level& level, LevelRun& run, Vec3 ballPos, float dt);

// Spins and bobs the pickups at game time `time`, runs the moving-tile clocks,
// and collects every pickup the ball touches. Returns the indices collected,
// in ascending order.
std::vector<int> animateObjects(const Level& level, LevelRun& run, float dt, float time, Vec3 ballPos,
                                float ballRadius);

// Counts and announces what `animateObjects` picked; a powerup starts or refreshes.
void collectPickups(Attempt& attempt, const std::vector<int>& picked, GameEvents& events);

// True when the level has an end tile, every coin is collected and `ballPos`
// lies in the end box grown by `margin` (faces included).
bool isEndReached(const Level& level, const LevelRun& run, Vec3 ballPos, float margin);
