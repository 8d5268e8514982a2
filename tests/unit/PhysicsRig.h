// A level's collision world with a ball in it, stepped as an attempt steps it:
// the ball's control, then the physics, at the fixed step.
#pragma once

#include "game/Attempt.h"
#include "game/BallControl.h"
#include "physics/TileBehaviours.h"

#include <algorithm>

// A tile centred on x = z = 0 whose top face is y = 0.
inline SceneObject& addFloor(Level& level, TileType type = TileType::Normal, Vec3 size = {4.0f, 1.0f, 4.0f}) {
    SceneObject& tile = level.addTile({0.0f, -0.5f * size.y, 0.0f}, size, Vec3(0.5f));
    tile.tileType = type;
    return tile;
}

struct Rig {
    Level level;
    LevelRun run;
    Ball ball;
    PhysicsWorld world;
    float low = 1e9f, high = -1e9f;  // the ball's heights over the steps `measure` counts
    bool alwaysGrounded = true;

    // The world of the level as it is now, the ball at `position` moving at `velocity`.
    void load(Vec3 position, Vec3 velocity = Vec3(0.0f), const std::vector<const ModelData*>& models = {}) {
        run = startRun(level);
        resetBall(ball, position);
        ball.velocity = velocity;
        world.loadLevel(ball, level, run, models);
    }
    // `settle` steps, then `steps` more whose heights are measured.
    void measure(int steps, int settle = 0) {
        for (int i = 0; i < settle + steps; ++i) {
            updateBall(ball, kStepSeconds, {}, 1.0f, false);
            world.step(ball, level, run, kStepSeconds);
            if (i < settle) continue;
            low = std::min(low, ball.position.y);
            high = std::max(high, ball.position.y);
            alwaysGrounded = alwaysGrounded && ball.grounded;
        }
    }
};
