// One try at one level, advanced only in fixed steps of kStepSeconds: the
// level's run state, the ball and its collision world, the countdown, falls,
// the powerups in effect and the lives. Everything that makes a run repeat
// exactly from its step inputs lives here; cameras and drawing do not.
#pragma once

#include "game/GameEvents.h"
#include "game/LevelModels.h"
#include "game/Powerups.h"
#include "game/StepInput.h"
#include "level/LevelRun.h"
#include "physics/Ball.h"
#include "physics/PhysicsWorld.h"

#include <iosfwd>
#include <memory>
#include <vector>

// The simulation's step: the rate every figure of the game's motion is given at.
constexpr float kStepSeconds = 1.0f / 60.0f;
constexpr int kStartingLives = 3;

enum class AttemptOutcome { Playing, Complete, TimeUp, OutOfLives };

struct Attempt {
    const Level* level = nullptr;  // read-only; outlives the attempt
    LevelRun run;
    Ball ball;
    std::unique_ptr<PhysicsWorld> physics;
    std::vector<ActivePowerup> powerups;
    int lives = kStartingLives;
    int livesLost = 0;
    int coinsTaken = 0;
    float timeLeft = 0.0f;
    int countdownSteps = 0;  // steps the countdown has run: timeLeft comes from them, so it cannot drift
    bool falling = false;
    float fallTimer = 0.0f;
    int checkpoint = -1;                   // the last checkpoint reached, -1 for the start
    std::vector<bool> checkpointsReached;  // per checkpoint of the level
    bool atLockedGate = false;             // on the end tile with coins missing
    float clock = 0.0f;  // game seconds since the start: drives the pickups' bob
    int steps = 0;
    AttemptOutcome outcome = AttemptOutcome::Playing;
    bool quiet = false;  // a ghost or a replay prints nothing of what happens to it
};

// Where an attempt's console lines go: the standard output, or nowhere for a
// quiet one.
std::ostream& say(const Attempt& attempt);

// A fresh attempt: objects as the file placed them, the ball at the start, the
// full time, the collision world built. `powerups` carry over from the level
// before (or a retry); `lives` as the game has them.
Attempt startAttempt(const Level& level, const std::vector<const ModelData*>& models, int lives,
                     std::vector<ActivePowerup> powerups);

// One step with the player's input. While `ballFrozen` (the debug camera is
// on) the ball, the physics, the fall test and the countdown stand still;
// pickups and powerups go on. Does nothing once the outcome is decided.
GameEvents stepAttempt(Attempt& attempt, const StepInput& input, bool ballFrozen = false);
