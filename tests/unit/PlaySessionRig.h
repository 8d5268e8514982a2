// Everything the game rules act on, owned in one place for the unit tests: the
// game in progress, three levels, the ball, the orbit camera, a real physics
// world and a particle pool (its CPU half; no GL is loaded in unit tests).
#pragma once

#include "app/GameRules.h"

#include <string>
#include <utility>

// Nothing to stand on, or (floor) a 20 x 20 floor whose top face is y = 0 with the ball resting on it.
inline Level testLevel(const std::string& name, bool floor = true) {
    Level level;
    level.name = name;
    level.start = Vec3(0.0f, 0.5f, 0.0f);
    if (floor) level.addTile(Vec3(0.0f, -0.5f, 0.0f), Vec3(20.0f, 1.0f, 20.0f), Vec3(0.5f));
    return level;
}

inline ActivePowerup activePowerup(PowerupType type, float remaining) { return {10.0f, remaining, type}; }

struct PlaySessionRig {
    GameProgress progress;
    std::vector<Level> levels;
    Ball ball;
    OrbitCamera camera;
    PhysicsWorld physics;
    ParticleSystem particles;
    GameState state = GameState::Playing;
    PlaySession session{progress, levels, ball, camera, physics, particles, state};

    explicit PlaySessionRig(Level first, Level second = testLevel("Second"), Level third = testLevel("Third"))
        : levels{std::move(first), std::move(second), std::move(third)} {
        particles.init(2048);
    }
    Level& level() { return levels[progress.levelIndex]; }
};
