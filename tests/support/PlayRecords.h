// A game played without a window, stepped as the play world steps it: the
// session over three levels with its model library, the attempt at one of them,
// and the orbit camera, which follows the ball after every step (and jumps with
// it on a respawn). Shared by the rules and playthrough tests and the play bench.
#pragma once

#include "game/BallControl.h"
#include "game/GameSession.h"
#include "game/OrbitCamera.h"
#include "game/SimulationClock.h"
#include "level/LevelHandler.h"

#include <string>
#include <vector>

// levels/level1..3.plvl under `folder` (ending in "/", or "" for the working directory).
inline std::vector<Level> loadShippedLevels(const std::string& folder) {
    std::vector<Level> levels;
    for (int slot = 1; slot <= kLevelCount; ++slot) {
        levels.push_back(LevelHandler::load(folder + "levels/level" + std::to_string(slot) + ".plvl"));
    }
    return levels;
}

struct HeldKeys {
    bool forward = false, back = false, left = false, right = false, jump = false;
};

// The step input of held keys, steered by the camera as the play screen steers.
inline StepInput stepInputFor(const HeldKeys& keys, const OrbitCamera& camera) {
    const Vec2 wish = keyboardWish(keys.forward, keys.back, keys.left, keys.right, cameraMoveDirections(camera));
    return makeStepInput(wish, keys.jump);
}

struct PlayRecords {
    ModelLibrary library;
    GameSession session;
    Attempt attempt;
    OrbitCamera camera;
    SimulationClock clock;

    // Fewer than three levels are padded with empty ones.
    explicit PlayRecords(std::vector<Level> levels) {
        session.levels = std::move(levels);
        session.levels.resize(kLevelCount);
    }
    PlayRecords(const PlayRecords&) = delete;  // the attempt points into the session's levels

    // An attempt at level `index` with the session's lives and powerups.
    void start(int index) {
        attempt = beginLevel(session, index, library);
        camera.follow(attempt.ball.position, 1.0f);
        clock.reset();
    }
    GameEvents step(const StepInput& input, bool ballFrozen = false) {
        GameEvents events = stepAttempt(attempt, input, ballFrozen);
        for (const GameEvent& event : events) {
            const bool jumped = event.type == GameEventType::Respawned || event.type == GameEventType::ShieldSaved;
            if (jumped) camera.follow(attempt.ball.position, 1.0f);
        }
        if (!ballFrozen) camera.follow(attempt.ball.position, kStepSeconds);
        return events;
    }
    const Level& level() const { return *attempt.level; }
};
