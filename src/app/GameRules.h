// The rules of a game in progress: starting and retrying levels, falls and the
// shield, the level timer and the sinking sun, the magnet, pick-ups, powerup
// ageing, level completion and the end screens' keys. They change records and
// print the game's console lines; they never draw.
#pragma once

#include "app/Ball.h"
#include "app/GameProgress.h"
#include "app/GameState.h"
#include "app/OrbitCamera.h"
#include "level/Level.h"
#include "physics/PhysicsWorld.h"
#include "render/ParticleSystem.h"

#include <vector>

constexpr int kLevelCount = 3;

// Everything the rules act on; main owns all of it.
struct PlaySession {
    GameProgress& progress;
    std::vector<Level>& levels;  // always kLevelCount
    Ball& ball;
    OrbitCamera& camera;
    PhysicsWorld& physics;
    ParticleSystem& particles;
    GameState& state;

    Level& currentLevel() { return levels[progress.levelIndex]; }
};

// (Re)starts the level at `index` modulo the level count.
void startLevel(PlaySession& session, int index);
// Lives back to three, no powerups, the first level.
void startNewGame(PlaySession& session);
// Lives back to three, the same level again; powerups carry over.
void retryLevel(PlaySession& session);

// Falling below the level: the shield saves once, otherwise a life goes after
// the fall delay and the ball respawns at the start (or the game is over).
void updateFall(PlaySession& session, float dt);

// The countdown (standing still while falling or when `timerRuns` is false)
// and the sun sinking with it.
void updateLevelTimer(PlaySession& session, float dt, bool timerRuns);

// Under the magnet, uncollected coins within reach drift towards the ball.
void pullCoins(std::vector<SceneObject>& objects, Vec3 ballPos, float dt);

// Counts and announces the pickups `updateObjects` returned; a coin bursts
// into sparks, a powerup starts or refreshes.
void collectPickups(PlaySession& session, const std::vector<int>& picked);

// Every pickup, powerup and end-tile rule of one play frame after the ball
// has moved, in order: magnet, animation and pickups, ageing, completion.
void updatePickupsAndGoal(PlaySession& session, float dt, float elapsedTime);

// The level-complete screen's countdown and keys (Space goes on, M to menu).
void updateLevelComplete(PlaySession& session, float dt, bool spacePressed, bool menuPressed);

// The game-over screen's keys (Space retries, M to menu).
void updateGameOver(PlaySession& session, bool spacePressed, bool menuPressed);
