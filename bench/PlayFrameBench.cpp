// The game's own CPU work in a play frame, headless: a shipped level played
// with the game's `updatePlayFrame`, the sparks' update and the HUD's draw list,
// as the frame loop runs them, with the steering keys held in turn (forward,
// left, back, right). A fall or a game over goes on as in the game: the level
// restarts. Run from the source folder (levels/ and models/ are read from the
// working directory). Under callgrind the argument is the level, the iteration
// count the number of frames (tools/perf/cpu_instructions.sh).
#include "app/PlayScreens.h"
#include "level/LevelHandler.h"
#include "render/ModelCache.h"
#include "support/PlayRecords.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr int kFrameCount = 600;

// Held in turn for this many frames each, as tools/perf/game_timing.py steers.
struct SteeringStep {
    int key;
    int frames;
};
constexpr SteeringStep kSteering[] = {{87, 36}, {65, 24}, {83, 36}, {68, 24}};  // W A S D

struct PlayRig : PlayRecords {
    int step = 0;
    int framesInStep = 0;

    explicit PlayRig(int slot) : PlayRecords(resolveModel) {
        for (int i = 1; i <= kLevelCount; ++i) {
            levels.push_back(LevelHandler::load("levels/level" + std::to_string(i) + ".plvl"));
        }
        startLevel(session, slot);
        input.onKeyEvent(kSteering[0].key, 1);
    }

    void steer() {
        if (++framesInStep < kSteering[step].frames) return;
        input.onKeyEvent(kSteering[step].key, 0);
        step = (step + 1) % static_cast<int>(std::size(kSteering));
        framesInStep = 0;
        input.onKeyEvent(kSteering[step].key, 1);
    }

    // Kept out of line so that callgrind can count exactly this.
    [[gnu::noinline]] void playFrame() {
        steer();
        input.update();
        elapsed += kDt;
        updatePlayFrame(session, drag, input, config, PlayPointer{}, kDt, elapsed, false, 1280, 720);
        particles.update(kDt);
        benchmark::DoNotOptimize(buildPlayHud(progress, session.currentLevel(), 1280.0f, 720.0f));
        if (state != GameState::Playing) {
            startLevel(session, progress.levelIndex);
            state = GameState::Playing;
        }
    }
};

void BM_PlayFrame(benchmark::State& state) {
    // The game's console lines would dominate the figure; a player's run sends them to log.txt.
    std::ostringstream console;
    std::streambuf* previous = std::cout.rdbuf(console.rdbuf());
    PlayRig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rig.playFrame();
        if (console.tellp() > (1 << 20)) console.str({});
    }
    std::cout.rdbuf(previous);
    state.SetLabel(rig.levels[rig.progress.levelIndex].name);
}
// Level slots 0, 1, 2: levels/level1..3.plvl. A fixed count keeps callgrind's
// figures repeatable from run to run.
BENCHMARK(BM_PlayFrame)->DenseRange(0, 2)->Iterations(kFrameCount)->Unit(benchmark::kMicrosecond);

}  // namespace
