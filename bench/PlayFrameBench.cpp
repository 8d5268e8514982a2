// The game's own CPU work in a play frame, headless: a shipped level played by
// its route (tests/playthrough) one simulation step a frame, through the
// attempt's fixed step and the camera as the play world steps them, plus the
// sparks' update and the HUD's draw list. A finished or lost attempt starts the
// level again. Run from the source folder (levels/, models/ and the routes are
// read from the working directory). Under callgrind the argument is the level,
// the iteration count the number of frames (tools/perf/cpu_instructions.sh).
#include "render/ParticlePool.h"
#include "screens/PlayHud.h"
#include "support/Route.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr int kFrameCount = 600;

struct PlayRig {
    PlayRecords game{loadShippedLevels("")};
    ParticlePool sparks{2048};
    int slot;
    RouteDriver driver{Route{}};

    explicit PlayRig(int level) : slot(level) { restart(); }

    void restart() {
        game.start(slot);
        driver = RouteDriver(loadRoute("tests/playthrough/level" + std::to_string(slot + 1) + ".route"));
    }

    // Kept out of line so that callgrind can count exactly this.
    [[gnu::noinline]] void playFrame() {
        const StepInput input = stepInputFor(driver.steer(game.attempt, game.camera), game.camera);
        for (const GameEvent& event : game.step(input)) {
            if (event.type == GameEventType::CoinTaken) sparks.emit(coinBurst(event.position));
        }
        sparks.update(kStepSeconds);
        benchmark::DoNotOptimize(buildPlayHud(game.attempt, 1280.0f, 720.0f));
        if (game.attempt.outcome != AttemptOutcome::Playing || driver.finished()) restart();
    }
};

void BM_PlayFrame(benchmark::State& state) {
    // The game's console lines would dominate the figure; a player's run sends them to log.txt.
    std::ostringstream console;
    std::streambuf* previous = std::cout.rdbuf(console.rdbuf());
    PlayRig rig(static_cast<int>(state.range(0)));
    if (!rig.driver.route.error.empty()) state.SkipWithError(rig.driver.route.error.c_str());
    for (auto _ : state) {
        rig.playFrame();
        if (console.tellp() > (1 << 20)) console.str({});
    }
    std::cout.rdbuf(previous);
    state.SetLabel(rig.game.level().name);
}
// Level slots 0, 1, 2: levels/level1..3.plvl. A fixed count keeps callgrind's
// figures repeatable from run to run.
BENCHMARK(BM_PlayFrame)->DenseRange(0, 2)->Iterations(kFrameCount)->Unit(benchmark::kMicrosecond);

}  // namespace
