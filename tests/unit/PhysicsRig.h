// Builders shared by the physics tests: a ball in flight, a floor tile, and
// play frames of ball control, physics step and tile motion.
#pragma once
#include "app/Ball.h"
#include "app/Input.h"
#include "config/Config.h"
#include "level/Level.h"
#include "physics/PhysicsWorld.h"

#include <algorithm>

inline Ball ballAt(Vec3 position, Vec3 velocity) {
    Ball ball;
    resetBall(ball, position);
    ball.velocity = velocity;
    ball.grounded = false;
    return ball;
}

// A tile centred on x = z = 0 whose top face is y = 0.
inline SceneObject& addFloor(Level& level, TileType type = TileType::Normal, Vec3 size = {4.0f, 1.0f, 4.0f}) {
    SceneObject& tile = level.addTile({0.0f, -0.5f * size.y, 0.0f}, size, Vec3(0.5f));
    tile.tileType = type;
    return tile;
}

// One play frame's simulation half at 60 Hz or `dt`: ball control, physics, tile motion.
struct Sim {
    PhysicsWorld& world;
    Ball& ball;
    std::vector<SceneObject>& objects;
    Input input{};
    Vec3 forward{0.0f, 0.0f, -1.0f};
    float time = 0.0f;

    void frame(float dt = 1.0f / 60.0f) {
        updateBall(ball, dt, input, forward, glm::cross(forward, Vec3(0, 1, 0)), Config{}, 1.0f, false);
        world.step(ball, objects, dt);
        updateObjects(objects, dt, time += dt, ball.position, ball.radius);
    }
};

struct HeightRange { float low = 1e9f, high = -1e9f; bool alwaysGrounded = true; };

// The heights are those after the first `settle` frames.
inline HeightRange simulate(PhysicsWorld& world, Ball& ball, std::vector<SceneObject>& objects, int frames,
                            float dt = 1.0f / 60.0f, int settle = 0) {
    Sim sim{world, ball, objects};
    HeightRange range;
    for (int i = 0; i < frames; ++i) {
        sim.frame(dt);
        if (i < settle) continue;
        range = {std::min(range.low, ball.position.y), std::max(range.high, ball.position.y),
                 range.alwaysGrounded && ball.grounded};
    }
    return range;
}
