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

// The frame loop's side of a play frame: keys aged once, then the simulation.
struct FrameDriver {
    PlaySessionRig& rig;
    Input input;
    Config config;
    OrbitDrag drag;
    float elapsed = 0.0f;
    explicit FrameDriver(PlaySessionRig& session) : rig(session) {}

    void frames(int count, bool debugCam = false) {
        for (int i = 0; i < count; ++i, elapsed += kDt) {
            input.update();
            updatePlayFrame(rig.session, drag, input, config, PlayPointer{}, kDt, elapsed, debugCam, 640, 360);
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
        PlaySessionRig rig(testLevel("Void", false));
        ConsoleCapture console;
        startNewGame(rig.session);
        for (const P type : c.types) rig.progress.activePowerups.push_back(activePowerup(type, 5.0f));
        rig.ball.grounded = false;
        FrameDriver driver{rig};
        driver.input.onKeyEvent(driver.config.keyMoveForward, 1);
        driver.frames(1);
        // From rest the ball gains ten times its top speed per second; the camera looks along -z.
        EXPECT_NEAR(glm::length(rig.ball.velocity - Vec3(0, c.gravity, -10 * c.topSpeed) * c.physicsDt), 0.0f, 1e-4f);
        EXPECT_EQ(std::make_pair(rig.progress.timeLeft, rig.progress.activePowerups[0].remaining),
                  std::make_pair(120.0f - kDt, 5.0f - kDt));  // timers keep the frame's own time
    }
}

TEST(PlayFrame, ABallWithNothingUnderItLosesThreeLivesWhileTheCountdownWaitsOutEachFall) {
    PlaySessionRig rig(testLevel("Void", false));
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver driver{rig};
    int fallingFrames = 0;
    while (rig.state == GameState::Playing && driver.elapsed < 60.0f) {
        const float countdown = rig.progress.timeLeft;
        driver.frames(1);
        if (rig.progress.falling) { EXPECT_EQ(rig.progress.timeLeft, countdown); }
        fallingFrames += rig.progress.falling;
    }
    EXPECT_NEAR(fallingFrames * kDt, 3 * 1.2f, 3 * kDt);
    const std::string out = console.stdoutText();
    EXPECT_EQ(out.substr(out.find("Fell")), "Fell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
              "Fell off! Lives remaining: 1\nRespawned. Lives left: 1\nFell off! Lives remaining: 0\nGAME OVER\n");
}

TEST(PlayFrame, TheDebugCameraFreezesBallFallAndCountdownButNotPickups) {
    Level level = testLevel("Frozen", false);
    level.addPowerup(level.start, Vec3(1), 0.0f, PowerupType::Magnet);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver driver{rig};
    driver.input.onKeyEvent(driver.config.keyMoveForward, 1);
    driver.frames(10, true);
    EXPECT_EQ(std::make_tuple(rig.ball.position, rig.ball.velocity, rig.progress.timeLeft),
              std::make_tuple(rig.level().start, Vec3(0), 120.0f));
    EXPECT_NEAR(rig.progress.activePowerups.at(0).remaining, 10.0f - 10 * kDt, 1e-4f);
    driver.frames(3);
    EXPECT_LT(rig.ball.position.y, rig.level().start.y);
}

TEST(PlayFrame, ALevelCompletedInTheFrameTheTimeRunsOutCountsAsComplete) {
    Level level = testLevel("Photo finish");
    level.levelTime = 0.04f;
    level.hasEndTile = true;
    level.endTilePos = Vec3(0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver{rig}.frames(1);
    EXPECT_EQ(rig.state, GameState::LevelComplete);
    const std::string out = console.stdoutText();
    EXPECT_LT(out.find("Time's up! GAME OVER\n"), out.find("LEVEL COMPLETE: Photo finish\n"));
    EXPECT_NE(out.find("LEVEL COMPLETE"), std::string::npos);
}

TEST(PlayFrame, OnlyAnActiveMagnetDrawsACoinInUntilTheBallTakesIt) {
    for (const bool magnet : {false, true}) {
        Level level = testLevel("Magnet");
        level.addCoin({0, 0.5f, 5}, 0.0f);
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);
        if (magnet) rig.progress.activePowerups = {activePowerup(PowerupType::Magnet, 10.0f)};
        FrameDriver{rig}.frames(20);  // one second: 14 units/s at the ball, 5.6 at distance 5
        EXPECT_EQ(rig.progress.coinsThisLevel, magnet ? 1 : 0);
        EXPECT_NEAR(rig.ball.position.z, 0.0f, 0.01f);  // the coin came, not the ball
    }
}
