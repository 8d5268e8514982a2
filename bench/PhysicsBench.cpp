// Per-frame CPU cost of the ball and the physics: updateBall, the physics step
// and the object update, as the play frame runs them, at 60 Hz.
#include "app/Ball.h"
#include "app/Input.h"
#include "config/Config.h"
#include "level/BuiltinLevel.h"
#include "level/Level.h"
#include "physics/PhysicsWorld.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr int kPress = 1;

// 2,000 tiles of 2 x 1 x 2 in a 40 x 50 grid with every behaviour mixed in,
// one in twenty of them moving, and a coin over every tenth.
Level makeGeneratedLevel() {
    Level level;
    level.start = {0.0f, 1.0f, 0.0f};
    const TileType types[] = {TileType::Normal, TileType::Normal, TileType::Ice, TileType::Normal,
                              TileType::Conveyor, TileType::Normal, TileType::Crumble, TileType::Bouncy};
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 40; ++column) {
            const int n = row * 40 + column;
            const Vec3 position(static_cast<float>(column - 20) * 2.0f, -0.5f, static_cast<float>(row - 25) * 2.0f);
            SceneObject& tile = n % 20 == 19
                ? level.addMovingTile(position, {2.0f, 1.0f, 2.0f}, Vec3(0.5f), {0.0f, 1.0f, 0.0f}, 0.3f, 1.0f, 0.0f)
                : level.addTile(position, {2.0f, 1.0f, 2.0f}, Vec3(0.5f));
            tile.tileType = types[n % 8];
            if (n % 10 == 3) level.addCoin(position + Vec3(0.0f, 1.7f, 0.0f), 0.1f * static_cast<float>(n));
        }
    }
    return level;
}

// The ball held forward while its heading turns, so it circles over the tiles
// and meets every kind of contact; back to the start when it falls off.
void runFrames(benchmark::State& state, Level level) {
    PhysicsWorld world;
    Ball ball;
    resetBall(ball, level.start);
    world.loadLevel(ball, level.objects);
    Input input;
    const Config config;
    input.onKeyEvent(config.keyMoveForward, kPress);
    input.update();
    float time = 0.0f;
    for (auto _ : state) {
        const float heading = time * 1.2f;
        const Vec3 forward(std::cos(heading), 0.0f, std::sin(heading));
        const Vec3 right(-forward.z, 0.0f, forward.x);
        updateBall(ball, kDt, input, forward, right, config, 1.0f, false);
        world.step(ball, level.objects, kDt);
        time += kDt;
        benchmark::DoNotOptimize(updateObjects(level.objects, kDt, time, ball.position, ball.radius));
        if (ball.position.y < -50.0f) resetBall(ball, level.start);
    }
    benchmark::DoNotOptimize(ball);
}

void BM_PhysicsFramePlains(benchmark::State& state) { runFrames(state, makeLevel1()); }
BENCHMARK(BM_PhysicsFramePlains)->Unit(benchmark::kMicrosecond);

void BM_PhysicsFrame2000Tiles(benchmark::State& state) { runFrames(state, makeGeneratedLevel()); }
BENCHMARK(BM_PhysicsFrame2000Tiles)->Unit(benchmark::kMicrosecond);

}  // namespace
