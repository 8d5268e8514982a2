// Per-step CPU cost of the ball and the physics: the ball control, the physics
// step and the objects' animation, as an attempt runs them, at 1/60 s.
#include "game/Attempt.h"
#include "game/BallControl.h"
#include "game/GameRules.h"
#include "level/BuiltinLevel.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

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
void runSteps(benchmark::State& state, const Level& level) {
    LevelRun run = startRun(level);
    Ball ball;
    resetBall(ball, level.start);
    PhysicsWorld world;
    world.loadLevel(ball, level, run, {});
    float time = 0.0f;
    for (auto _ : state) {
        const float heading = time * 1.2f;
        updateBall(ball, kStepSeconds, makeStepInput({std::cos(heading), std::sin(heading)}, false), 1.0f, false);
        world.step(ball, level, run, kStepSeconds);
        benchmark::DoNotOptimize(animateObjects(level, run, kStepSeconds, time, ball.position, ball.radius));
        time += kStepSeconds;
        if (ball.position.y < -50.0f) resetBall(ball, level.start);
    }
    benchmark::DoNotOptimize(ball);
}

void BM_PhysicsStepPlains(benchmark::State& state) { runSteps(state, makeLevel1()); }
BENCHMARK(BM_PhysicsStepPlains)->Unit(benchmark::kMicrosecond);

void BM_PhysicsStep2000Tiles(benchmark::State& state) { runSteps(state, makeGeneratedLevel()); }
BENCHMARK(BM_PhysicsStep2000Tiles)->Unit(benchmark::kMicrosecond);

}  // namespace
