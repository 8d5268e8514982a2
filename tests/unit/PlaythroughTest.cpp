// Each shipped level played from start to end tile with the game's own play
// frame, steered by the route beside this test with key events: the level can
// be finished in time, also at a software renderer's frame rates, and a physics
// or rules change that makes a jump fall short fails here.
#include "app/PlayFrame.h"
#include "level/LevelHandler.h"
#include "render/ModelCache.h"

#include "support/ConsoleCapture.h"
#include "support/Route.h"

#include <gtest/gtest.h>

namespace {

// Plays level `index` as the level-complete screen starts it; returns what went
// wrong, or nothing when it was completed with a quarter of its time left.
std::string play(int index, float dt) {
    RouteDriver driver(loadRoute(PEMBRIX_SOURCE_DIR "/tests/playthrough/level" + std::to_string(index + 1) + ".route"));
    if (!driver.route.error.empty()) return "bad route: " + driver.route.error;
    ConsoleCapture console;  // a model, texture or level message would go to the error stream
    std::vector<Level> levels;
    for (int slot = 1; slot <= kLevelCount; ++slot) {
        levels.push_back(LevelHandler::load(PEMBRIX_SOURCE_DIR "/levels/level" + std::to_string(slot) + ".plvl"));
    }
    Config config;
    Input input;
    Ball ball;
    OrbitCamera camera;
    OrbitDrag drag;
    PhysicsWorld physics{resolveModel};
    ParticleSystem particles;
    particles.init(2048);  // the pool only: there is no GL here
    GameProgress progress;
    GameState state = GameState::Playing;
    PlaySession session{progress, levels, ball, camera, physics, particles, state};
    startNewGame(session);
    if (index > 0) startLevel(session, index);
    const Level& level = session.currentLevel();
    std::string failure;
    float elapsed = 0.0f;
    for (; state == GameState::Playing && failure.empty(); elapsed += dt) {
        driver.steer(ball, level, camera, config, input, dt);
        input.update();
        updatePlayFrame(session, drag, input, config, PlayPointer{}, dt, elapsed, false, 1280, 720);
        if (progress.falling) failure = "the ball fell off";
        else if (driver.now.elapsed > 30.0f) failure = "a route step never finished";
        else if (driver.finished() && state == GameState::Playing) failure = "the route ended before the level";
    }
    if (failure.empty() && state != GameState::LevelComplete) failure = "the game was lost";
    if (failure.empty() && progress.timeLeft < level.levelTime * 0.25f) failure = "too little time left";
    if (failure.empty() && coinCount(level.objects) == 0) failure = "a level without coins";
    // Only the renderer loads the sun model, so its file is checked here.
    if (failure.empty() && !level.sunObj.empty() && readFile(PEMBRIX_SOURCE_DIR "/" + level.sunObj).empty()) failure = "no sun model";
    if (!failure.empty()) {
        failure += " at " + std::to_string(elapsed) + " s, route line " +
                   (driver.finished() ? "(end)" : std::to_string(driver.route.steps[driver.current].line)) + ", coins " +
                   std::to_string(collectedCoinCount(level.objects)) + "/" + std::to_string(coinCount(level.objects));
    }
    return failure + console.stderrText();
}

}  // namespace

TEST(Playthrough, EveryShippedLevelIsFinishedWithEveryCoinAndTimeToSpareAt60And30And20Hz) {
    for (const float rate : {60.0f, 30.0f, 20.0f}) {
        for (int index = 0; index < kLevelCount; ++index) {
            EXPECT_EQ(play(index, 1.0f / rate), "") << "level " << index + 1 << " at " << rate << " Hz";
        }
    }
}
