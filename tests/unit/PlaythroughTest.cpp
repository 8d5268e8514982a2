// Each shipped level played from start to end tile with the game's own play
// frame at 60 Hz, steered by the route beside this test with key events: it
// proves the level can be finished in time, and catches a physics or rules
// change that makes a jump fall short or a coin unreachable.
#include "app/Ball.h"
#include "app/GameProgress.h"
#include "app/GameRules.h"
#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "app/PlayFrame.h"
#include "config/Config.h"
#include "level/LevelHandler.h"
#include "physics/PhysicsWorld.h"
#include "render/ModelCache.h"
#include "render/ParticleSystem.h"

#include "support/ConsoleCapture.h"
#include "support/Route.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr float kDt = 1.0f / 60.0f;
// On the software renderer the game runs nearer 20 to 30 frames a second;
// jumps and bounces come out a little lower there.
constexpr float kSlowFrameSteps[] = {1.0f / 30.0f, 1.0f / 20.0f};
constexpr float kStepTimeLimit = 30.0f;  // no route step should take this long
constexpr float kRequiredTimeShare = 0.25f;

const std::filesystem::path kSourceDir = PEMBRIX_SOURCE_DIR;

std::string describe(Vec3 p) {
    std::ostringstream text;
    text.precision(3);
    text << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return text.str();
}

// The game's long-lived records as main owns them, on the shipped level files.
struct Game {
    Config config;
    Input input;
    Ball ball;
    OrbitCamera camera;
    OrbitDrag drag;
    PhysicsWorld physics{resolveModel};
    ParticleSystem particles;
    std::vector<Level> levels;
    GameProgress progress;
    GameState state = GameState::MainMenu;

    Game() {
        particles.init(2048);  // the pool only: there is no GL here
        for (int slot = 1; slot <= kLevelCount; ++slot) {
            const auto path = kSourceDir / "levels" / ("level" + std::to_string(slot) + ".plvl");
            levels.push_back(LevelHandler::load(path.string()));
        }
    }
    PlaySession session() { return {progress, levels, ball, camera, physics, particles, state}; }
};

struct Outcome {
    bool completed = false;
    std::string failure;
    float timeLeft = 0.0f;
    float levelTime = 0.0f;
};

std::string missingCoins(const Level& level) {
    std::string text;
    for (const SceneObject& object : level.objects) {
        if (object.kind == ObjectKind::Coin && !object.collected) text += " " + describe(object.pos);
    }
    return text.empty() ? " none" : text;
}

// Plays level `index` as a new game (index 0) or as the next level after the
// ones before it, the way the level-complete screen starts it.
Outcome playLevel(Game& game, int index, const Route& route, float dt) {
    PlaySession session = game.session();
    startNewGame(session);
    if (index > 0) startLevel(session, index);
    game.state = GameState::Playing;
    const Level& level = session.currentLevel();
    RouteDriver driver(route);
    float elapsed = 0.0f;
    Outcome outcome;
    outcome.levelTime = level.levelTime;
    const auto where = [&] {
        const RouteStep* step = driver.currentStep();
        std::ostringstream text;
        text << " at " << elapsed << " s, ball at " << describe(game.ball.position) << ", route line "
             << (step ? std::to_string(step->line) : std::string("(finished)")) << ", coins "
             << collectedCoinCount(level.objects) << "/" << coinCount(level.objects) << ", missing:"
             << missingCoins(level);
        return text.str();
    };
    while (game.state == GameState::Playing) {
        driver.steer(game.ball, level, game.camera, game.config, game.input, dt);
        game.input.update();
        updatePlayFrame(session, game.drag, game.input, game.config, PlayPointer{}, dt, elapsed, false, 1280, 720);
        elapsed += dt;
        if (game.progress.falling) {
            outcome.failure = "the ball fell off" + where();
            return outcome;
        }
        if (driver.stepTime() > kStepTimeLimit) {
            outcome.failure = "a route step never finished" + where();
            return outcome;
        }
        if (driver.finished() && game.state == GameState::Playing) {
            outcome.failure = "the route ended before the level did" + where();
            return outcome;
        }
    }
    outcome.completed = game.state == GameState::LevelComplete;
    outcome.timeLeft = game.progress.timeLeft;
    if (!outcome.completed) outcome.failure = "the game ended" + where();
    return outcome;
}

void expectPlaythrough(int index, float dt = kDt) {
    const auto routePath = kSourceDir / "tests" / "playthrough" / ("level" + std::to_string(index + 1) + ".route");
    const Route route = loadRoute(routePath.string());
    ASSERT_TRUE(route.errors.empty()) << route.errors.front();
    ASSERT_FALSE(route.steps.empty());

    Outcome outcome;
    std::string errors;
    std::string name;
    {
        ConsoleCapture console;
        Game game;
        name = game.levels[index].name;
        outcome = playLevel(game, index, route, dt);
        errors = console.stderrText();
    }
    // Model, texture and level messages would all go to the error stream.
    EXPECT_EQ(errors, "");
    ASSERT_TRUE(outcome.completed) << name << ": " << outcome.failure;
    EXPECT_GE(outcome.timeLeft, outcome.levelTime * kRequiredTimeShare) << name;
    std::cout << "[ playthrough ] " << name << " at " << 1.0f / dt << " Hz: completed with " << outcome.timeLeft
              << " of " << outcome.levelTime << " s left\n";
}

}  // namespace

TEST(Playthrough, FirstLevelIsFinishedWithEveryCoinAndTimeToSpare) { expectPlaythrough(0); }

TEST(Playthrough, SecondLevelIsFinishedWithEveryCoinAndTimeToSpare) { expectPlaythrough(1); }

TEST(Playthrough, ThirdLevelIsFinishedWithEveryCoinAndTimeToSpare) { expectPlaythrough(2); }

TEST(Playthrough, EveryLevelIsFinishedAtTheFrameRatesOfASoftwareRenderer) {
    for (const float dt : kSlowFrameSteps) {
        for (int index = 0; index < kLevelCount; ++index) {
            SCOPED_TRACE("level " + std::to_string(index + 1) + " at " + std::to_string(1.0f / dt) + " Hz");
            expectPlaythrough(index, dt);
        }
    }
}

TEST(Route, ReadsEveryStepAndReportsLinesItCannotRead) {
    const Route route = parseRoute(
        "# warm-up\n"
        "go 1 -2\n"
        "jump 0 -6 5   # over the gap\n"
        "\n"
        "hold 0 -6 1.5\n"
        "await 3 2 -9 0.6 0.2\n"
        "bounce 4 -12 2\n"
        "ride 0 7.5 -35 0.4\n"
        "take -2 -52\n"
        "go 1\n"
        "fly 0 0\n"
        "hold 0 0 1 extra\n"
        "bounce 0 0 0\n"
        "ride 0 7.5\n"
        "take 1 2 3\n");
    ASSERT_EQ(route.steps.size(), 7u);
    EXPECT_EQ(route.steps[0].action, RouteAction::Go);
    EXPECT_EQ(route.steps[0].speed, 8.0f);
    EXPECT_EQ(route.steps[1].action, RouteAction::Jump);
    EXPECT_EQ(route.steps[1].target, Vec3(0.0f, 0.0f, -6.0f));
    EXPECT_EQ(route.steps[1].speed, 5.0f);
    EXPECT_EQ(route.steps[1].line, 3);
    EXPECT_EQ(route.steps[2].seconds, 1.5f);
    EXPECT_EQ(route.steps[3].target, Vec3(3.0f, 2.0f, -9.0f));
    EXPECT_EQ(route.steps[3].tolerance, 0.2f);
    EXPECT_EQ(route.steps[4].count, 2);
    EXPECT_EQ(route.steps[5].action, RouteAction::Ride);
    EXPECT_EQ(route.steps[5].target, Vec3(0.0f, 7.5f, -35.0f));
    EXPECT_EQ(route.steps[5].tolerance, 0.4f);
    EXPECT_EQ(route.steps[6].action, RouteAction::Take);
    EXPECT_EQ(route.steps[6].target, Vec3(-2.0f, 0.0f, -52.0f));
    ASSERT_EQ(route.errors.size(), 6u);
    EXPECT_EQ(route.errors[0].rfind("line 10:", 0), 0u);
    EXPECT_EQ(route.errors[5].rfind("line 15:", 0), 0u);
}

TEST(Route, PredictsAMovingTileAlongItsSine) {
    Level level;
    SceneObject& tile = level.addMovingTile({2.0f, 1.0f, 0.0f}, {2.0f, 0.5f, 2.0f}, {1.0f, 1.0f, 1.0f},
                                            {0.0f, 0.0f, 1.0f}, 3.0f, 1.5f, 0.0f);
    tile.anim = 0.4f;
    // What updateObjects will make of the tile after the same time must match.
    std::vector<SceneObject> objects = level.objects;
    const Vec3 predicted = predictedTilePosition(objects[0], 0.5f);
    for (int i = 0; i < 30; ++i) updateObjects(objects, 0.5f / 30.0f, 0.0f, Vec3(100.0f), 0.5f);
    const Vec3 actual = objects[0].pos + objects[0].moveAxis * objects[0].moveOffset;
    EXPECT_NEAR(predicted.z, actual.z, 1e-4f);
    EXPECT_NEAR(predicted.x, 2.0f, 1e-6f);
}

TEST(Route, DriverStopsItsKeysWhenItArrives) {
    // A ball on flat ground beside the target: one Go step, then nothing held.
    Route route = parseRoute("go 0 -1\n");
    RouteDriver driver(route);
    Ball ball;
    ball.position = {0.0f, 0.5f, 0.0f};
    Level level;
    OrbitCamera camera;
    camera.follow(ball.position, 1.0f);
    Config config;
    Input input;
    ASSERT_TRUE(driver.steer(ball, level, camera, config, input, kDt));
    input.update();
    EXPECT_TRUE(input.isDown(config.keyMoveForward));  // the camera looks along -z
    EXPECT_FALSE(input.isDown(config.keyMoveBack));
    ball.position.z = -0.8f;
    EXPECT_FALSE(driver.steer(ball, level, camera, config, input, kDt));
    input.update();
    EXPECT_FALSE(input.isDown(config.keyMoveForward));
}
