// Whole play frames, headless, with keys fed the way the window feeds them:
// which clocks the powerups scale, the order of the rules within a frame and
// what the debug camera freezes.
#include "app/PlayFrame.h"

#include "PlaySessionRig.h"
#include "app/Input.h"
#include "config/Config.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

constexpr float kDt = 0.05f;  // the longest step the frame loop hands over

// A new game on `level` and the frame loop's side of a play frame: keys aged once, then the simulation.
struct Game : ConsoleCapture, PlaySessionRig {
    Input input;
    Config config;
    OrbitDrag drag;
    float elapsed = 0.0f;
    explicit Game(Level level, std::vector<ActivePowerup> powerups = {}) : PlaySessionRig(std::move(level)) {
        startNewGame(session);
        progress.activePowerups = std::move(powerups);
    }
    void frames(int count, bool debugCam = false) {
        for (int i = 0; i < count; ++i, elapsed += kDt) {
            input.update();
            updatePlayFrame(session, drag, input, config, PlayPointer{}, kDt, elapsed, debugCam, 640, 360);
        }
    }
};

}  // namespace

TEST(PlayFrame, PowerupsScaleOnlyTheBallAndThePhysicsAndForwardRollsAwayFromTheCamera) {
    using P = PowerupType;
    const struct { std::vector<P> types; float physicsDt, topSpeed, gravity; } cases[] = {
        {{P::Shield, P::Magnet}, kDt, 8, -20}, {{P::SlowMo}, kDt * 0.35f, 8, -20}, {{P::SpeedBoost}, kDt, 17.6f, -20},
        {{P::AntiGravity}, kDt, 8, -10}, {{P::AntiGravity, P::SpeedBoost, P::SlowMo}, kDt * 0.35f, 17.6f, -10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.types.size() * 10 + static_cast<int>(c.types[0]));
        std::vector<ActivePowerup> powerups;
        for (const P type : c.types) powerups.push_back(activePowerup(type, 5.0f));
        Game game(testLevel("Void", false), powerups);
        game.ball.grounded = false;
        game.input.onKeyEvent(game.config.keyMoveForward, 1);
        game.frames(1);
        // From rest the ball gains ten times its top speed per second; the camera looks along -z.
        EXPECT_NEAR(glm::length(game.ball.velocity - Vec3(0, c.gravity, -10 * c.topSpeed) * c.physicsDt), 0.0f, 1e-4f);
        EXPECT_EQ(std::make_pair(game.progress.timeLeft, game.progress.activePowerups[0].remaining),
                  std::make_pair(120.0f - kDt, 5.0f - kDt));  // timers keep the frame's own time
    }
}

TEST(PlayFrame, TheDebugCameraFreezesBallFallAndCountdownButNotPickups) {
    Level level = testLevel("Frozen", false);
    level.addPowerup(level.start, Vec3(1), 0.0f, PowerupType::Magnet);
    Game game(level);
    game.input.onKeyEvent(game.config.keyMoveForward, 1);
    game.frames(10, true);
    EXPECT_EQ(std::make_tuple(game.ball.position, game.ball.velocity, game.progress.timeLeft),
              std::make_tuple(game.level().start, Vec3(0), 120.0f));
    EXPECT_NEAR(game.progress.activePowerups.at(0).remaining, 10.0f - 10 * kDt, 1e-4f);
    game.frames(3);
    EXPECT_LT(game.ball.position.y, game.level().start.y);
}

TEST(PlayFrame, ALevelCompletedInTheFrameTheTimeRunsOutCountsAsComplete) {
    Level level = testLevel("Photo finish");
    level.levelTime = 0.04f;
    level.hasEndTile = true;
    level.endTilePos = Vec3(0.0f);
    Game game(level);
    game.frames(1);
    EXPECT_EQ(game.state, GameState::LevelComplete);
    const std::string out = game.stdoutText();
    EXPECT_LT(out.find("Time's up! GAME OVER\n"), out.find("LEVEL COMPLETE: Photo finish\n"));
    EXPECT_NE(out.find("LEVEL COMPLETE"), std::string::npos);
}

TEST(PlayFrame, OnlyAnActiveMagnetDrawsACoinInUntilTheBallTakesIt) {
    for (const bool magnet : {false, true}) {
        Level level = testLevel("Magnet");
        level.addCoin({0, 0.5f, 5}, 0.0f);
        Game game(level, magnet ? std::vector{activePowerup(PowerupType::Magnet, 10.0f)} : std::vector<ActivePowerup>{});
        game.frames(20);  // one second: 14 units/s at the ball, 5.6 at distance 5
        EXPECT_EQ(game.progress.coinsThisLevel, magnet ? 1 : 0);
        EXPECT_NEAR(game.ball.position.z, 0.0f, 0.01f);  // the coin came, not the ball
    }
}
