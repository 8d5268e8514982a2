// Each shipped level played from start to end tile at the fixed step, steered
// by the route beside this test: it can be finished with every coin and time to
// spare, and a physics or rules change that makes a jump fall short fails here.
// Then what the frame rate may not change: a recorded run replays to the same
// bits, and a ball reaches a coin at the same game time.
#include "game/GameRules.h"
#include "screens/PlayerProgress.h"
#include "support/ConsoleCapture.h"
#include "support/Route.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kSource = PEMBRIX_SOURCE_DIR "/";

struct RouteRun {
    std::string failure;  // empty when completed with every coin and a quarter of the time left
    std::vector<StepInput> inputs;
    std::vector<std::uint32_t> coinSteps;
};

// With `fallAfter` set, the ball drops out of the level right after it first
// reaches that checkpoint, as a player who slips there would.
RouteRun playRoute(int index, int fallAfter = -1) {
    RouteDriver driver(loadRoute(kSource + "tests/playthrough/level" + std::to_string(index + 1) + ".route"));
    if (!driver.route.error.empty()) return {"bad route: " + driver.route.error, {}, {}};
    ConsoleCapture console;  // a model or level message would go to the error stream
    PlayRecords game(loadShippedLevels(kSource));
    game.start(index);
    const Attempt& attempt = game.attempt;
    RouteRun run;
    std::string& failure = run.failure;
    bool slipped = false;
    while (attempt.outcome == AttemptOutcome::Playing && failure.empty()) {
        // While the ball is out of the level the player lets go, and takes up
        // the route again where the ball comes back.
        run.inputs.push_back(attempt.falling ? StepInput{} : stepInputFor(driver.steer(attempt, game.camera), game.camera));
        for (const GameEvent& event : game.step(run.inputs.back())) {
            if (event.type == GameEventType::CoinTaken) run.coinSteps.push_back(static_cast<std::uint32_t>(attempt.steps));
        }
        if (!slipped && attempt.checkpoint == fallAfter && fallAfter >= 0) {
            game.attempt.ball.position.y = kFallHeight - 1.0f;
            slipped = true;
        }
        if (attempt.falling && !slipped) failure = "the ball fell off";
        else if (driver.now.elapsed > 30.0f) failure = "a route step never finished";
        else if (driver.finished() && attempt.outcome == AttemptOutcome::Playing) failure = "the route ended first";
    }
    const Level& level = game.level();
    if (failure.empty() && attempt.outcome != AttemptOutcome::Complete) failure = "the game was lost";
    if (failure.empty() && fallAfter < 0 && attempt.timeLeft < level.levelTime * 0.25f) failure = "too little time left";
    if (failure.empty() && fallAfter >= 0 && !slipped) failure = "the checkpoint was never reached";
    if (failure.empty() && coinCount(level.objects) == 0) failure = "a level without coins";
    if (failure.empty() && !level.sunObj.empty() && !levelModels(game.session, index, game.library).sunFromFile) {
        failure = "no sun model";
    }
    if (!failure.empty()) {
        failure += " at " + std::to_string(attempt.clock) + " s, route line " +
                   (driver.finished() ? "(end)" : std::to_string(driver.route.steps[driver.current].line)) +
                   ", coins " + std::to_string(attempt.coinsTaken) + "/" + std::to_string(coinCount(level.objects));
    }
    failure += console.stderrText();
    return run;
}

// The recorded inputs in order, through frames of `seconds` and the simulation clock.
void replay(PlayRecords& game, const std::vector<StepInput>& inputs, int index, float seconds) {
    game.start(index);
    std::size_t next = 0;
    int frames = 0;
    for (; next < inputs.size(); ++frames) {
        for (int steps = game.clock.advance(seconds); steps > 0 && next < inputs.size(); --steps) {
            stepAttempt(game.attempt, inputs[next++]);
        }
    }
    EXPECT_NEAR(frames * seconds, inputs.size() * kStepSeconds, seconds);  // the frames' time is the steps'
}

template <typename T>
bool sameBits(const T& a, const T& b) { return std::memcmp(&a, &b, sizeof(T)) == 0; }

}  // namespace

TEST(Playthrough, EveryShippedLevelIsFinishedWithEveryCoinAndAQuarterOfTheTimeLeft) {
    for (int index = 0; index < kLevelCount; ++index) EXPECT_EQ(playRoute(index).failure, "") << "level " << index + 1;
}

TEST(Playthrough, EveryShippedLevelHasCheckpointsAndIsFinishedAfterAFallAtEachOfThem) {
    const std::vector<Level> levels = loadShippedLevels(kSource);
    for (int index = 0; index < kLevelCount; ++index) {
        EXPECT_GE(levels[static_cast<std::size_t>(index)].checkpoints.size(), 2u) << "level " << index + 1;
        for (int checkpoint = 0; checkpoint < static_cast<int>(levels[static_cast<std::size_t>(index)].checkpoints.size());
             ++checkpoint) {
            EXPECT_EQ(playRoute(index, checkpoint).failure, "") << "level " << index + 1 << ", checkpoint " << checkpoint;
        }
    }
}

// The ghost file holds what a run needs to be played again: through the file
// and back, the inputs take a fresh attempt to exactly where the run ended.
TEST(Playthrough, EveryShippedLevelsRunReplaysFromItsGhostFileToTheSameEnd) {
    for (int index = 0; index < kLevelCount; ++index) {
        const RouteRun run = playRoute(index);
        ASSERT_EQ(run.failure, "") << "level " << index + 1;
        ConsoleCapture console;
        PlayRecords original(loadShippedLevels(kSource)), again(loadShippedLevels(kSource));
        replay(original, run.inputs, index, kStepSeconds);
        RunRecording recording;
        recording.levelChecksum = levelChecksum("level file");
        recording.steps = run.inputs;
        recording.coinSteps = run.coinSteps;
        recording.finishStep = static_cast<std::uint32_t>(run.inputs.size());
        const ParsedGhost ghost = parseGhost(formatGhost(ghostOf(recording)), recording.levelChecksum);
        ASSERT_TRUE(ghost.ghost) << ghost.reason;
        replay(again, ghost.ghost->steps, index, kStepSeconds);
        const Attempt &a = original.attempt, &b = again.attempt;
        EXPECT_EQ(b.outcome, AttemptOutcome::Complete) << "level " << index + 1;
        EXPECT_TRUE(sameBits(a.ball.position, b.ball.position) && a.steps == b.steps && a.coinsTaken == b.coinsTaken);
    }
}

TEST(Playthrough, RecordedInputsEndInTheSameStateAt20And144FramesPerSecond) {
    const int index = 2;  // a ferry, crumbling tiles, belts, pads and anti-gravity
    const RouteRun run = playRoute(index);
    ASSERT_EQ(run.failure, "");
    ConsoleCapture console;
    PlayRecords slow(loadShippedLevels(kSource)), fast(loadShippedLevels(kSource));
    replay(slow, run.inputs, index, 1.0f / 20.0f);
    replay(fast, run.inputs, index, 1.0f / 144.0f);
    const Attempt &a = slow.attempt, &b = fast.attempt;
    EXPECT_EQ(a.outcome, AttemptOutcome::Complete);
    EXPECT_TRUE(sameBits(a.ball.position, b.ball.position) && sameBits(a.ball.velocity, b.ball.velocity) &&
                sameBits(a.ball.rotation, b.ball.rotation));
    EXPECT_TRUE(a.timeLeft == b.timeLeft && a.coinsTaken == b.coinsTaken && a.lives == b.lives && a.steps == b.steps);
    for (std::size_t i = 0; i < a.run.objects.size(); ++i) {
        const ObjectState &x = a.run.objects[i], &y = b.run.objects[i];
        EXPECT_TRUE(sameBits(x.pos, y.pos) && x.anim == y.anim && x.moveOffset == y.moveOffset &&
                    x.crumbleProgress == y.crumbleProgress && x.crumbled == y.crumbled && x.collected == y.collected)
            << "object " << i;
    }
}
