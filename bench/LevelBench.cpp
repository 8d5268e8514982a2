// Per-step cost of animating a level's objects and the start-up cost of reading a level.
#include "game/GameRules.h"
#include "level/LevelHandler.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>
#include <string>

namespace {

// A level of `count` objects: a quarter each of tiles, moving tiles, coins and powerups.
Level makeCrowdedLevel(int count) {
    Level level;
    for (int i = 0; i < count; ++i) {
        const Vec3 at(static_cast<float>(i % 40), 0.0f, static_cast<float>(i / 40));
        switch (i % 4) {
            case 0: level.addTile(at, Vec3(1.0f), Vec3(0.5f)); break;
            case 1: level.addMovingTile(at, Vec3(1.0f), Vec3(0.5f), {1.0f, 0.0f, 0.0f}, 2.0f, 1.0f, 0.0f); break;
            case 2: level.addCoin(at + Vec3(0.0f, 1.0f, 0.0f), 0.1f * static_cast<float>(i)); break;
            default: level.addPowerup(at + Vec3(0.0f, 1.0f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::Magnet); break;
        }
    }
    return level;
}

std::string makeLevelText(int lines) {
    std::string text = "name Bench\nsky 0.2 0.3 0.4\n";
    for (int i = 0; i < lines; ++i) {
        switch (i % 4) {
            case 0: text += "tile 1 -0.25 2 4 0.5 4 0.5 0.5 0.5 tex:stone ice\n"; break;
            case 1: text += "movetile 0 1 0 2 0.4 2 1 1 1 1 0 0 2 1 0.5 tex:wood models/platform.obj\n"; break;
            case 2: text += "coin 1 2 3 0.5 models/orb.obj\n"; break;
            default: text += "powerup 0 1 0 shield 1 0 0 0.7\n"; break;
        }
    }
    return text;
}

void BM_AnimateObjects(benchmark::State& state) {
    const Level level = makeCrowdedLevel(static_cast<int>(state.range(0)));
    LevelRun run = startRun(level);
    float time = 0.0f;
    for (auto _ : state) {
        time += 1.0f / 60.0f;
        // The ball stays far away, so every step animates every object.
        benchmark::DoNotOptimize(animateObjects(level, run, 1.0f / 60.0f, time, Vec3(-100.0f), 0.5f));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AnimateObjects)->Arg(64)->Arg(1024);

void BM_ParseLevel(benchmark::State& state) {
    const std::string text = makeLevelText(static_cast<int>(state.range(0)));
    std::streambuf* const console = std::cout.rdbuf(nullptr);  // drop the "Loaded" lines
    for (auto _ : state) {
        std::istringstream input(text);
        benchmark::DoNotOptimize(LevelHandler::parse(input));
    }
    std::cout.clear();
    std::cout.rdbuf(console);
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(text.size()));
}
BENCHMARK(BM_ParseLevel)->Arg(100)->Arg(2000);

}  // namespace
