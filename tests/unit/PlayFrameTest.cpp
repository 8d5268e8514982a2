// Whole play frames, headless, with keys fed the way the window feeds them:
// the order of the rules within a frame, which clocks the powerups scale, and
// what the debug camera freezes.
#include "app/PlayFrame.h"

#include "PlaySessionRig.h"
#include "app/Input.h"
#include "config/Config.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr float kDt = 0.05f;  // the longest step the frame loop hands over

ActivePowerup active(PowerupType type, float remaining) {
    ActivePowerup entry;
    entry.remaining = remaining;
    entry.type = type;
    return entry;
}

// The frame loop's side of a play frame: keys aged once, then the simulation.
struct FrameDriver {
    PlaySessionRig& rig;
    Input input;
    Config config;
    OrbitDrag drag;
    float elapsed = 0.0f;

    explicit FrameDriver(PlaySessionRig& session) : rig(session) {}

    void press(int key) { input.onKeyEvent(key, 1); }
    void release(int key) { input.onKeyEvent(key, 0); }

    void frame(float dt = kDt, bool debugCam = false) {
        input.update();
        elapsed += dt;
        updatePlayFrame(rig.session, drag, input, config, PlayPointer{}, dt, elapsed, debugCam, 640, 360);
    }
    void frames(int count, float dt = kDt, bool debugCam = false) {
        for (int i = 0; i < count; ++i) frame(dt, debugCam);
    }
};

// A floor long enough to run on for seconds in any direction.
Level longFloor(const std::string& name) {
    Level level = floorLevel(name);
    level.objects[0].size = Vec3(200.0f, 1.0f, 200.0f);
    return level;
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(PlayFrame, ACoinAtTheStartIsTakenInTheFirstFrame) {
    Level level = floorLevel("Coin at start");
    level.addCoin(level.start, 0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver driver(rig);
    driver.frame();
    const std::string out = console.stdoutText();
    EXPECT_NE(out.find("Coin! 1/1\n"), std::string::npos) << out;
    EXPECT_EQ(rig.progress.coinsThisLevel, 1);
    EXPECT_EQ(rig.particles.aliveCount, 48);
    driver.frames(20);
    EXPECT_EQ(countOf(console.stdoutText(), "Coin!"), 1);  // taken once, not every frame
}

TEST(PlayFrame, ABallWithNothingUnderItLosesThreeLivesWithEveryLineInOrder) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver driver(rig);
    float timeBeforeFirstFall = -1.0f;
    for (int frame = 0; frame < 600 && rig.state == GameState::Playing; ++frame) {
        driver.frame();
        if (rig.progress.falling && timeBeforeFirstFall < 0.0f) timeBeforeFirstFall = rig.progress.timeLeft;
        // The countdown stands still for the whole fall delay.
        if (rig.progress.falling) {
            EXPECT_FLOAT_EQ(rig.progress.timeLeft, timeBeforeFirstFall);
        } else {
            timeBeforeFirstFall = -1.0f;
        }
    }
    EXPECT_EQ(rig.state, GameState::GameOver);
    EXPECT_EQ(rig.progress.lives, 0);
    const std::string out = console.stdoutText();
    const std::string expected =
        "Fell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
        "Fell off! Lives remaining: 1\nRespawned. Lives left: 1\n"
        "Fell off! Lives remaining: 0\nGAME OVER\n";
    ASSERT_GE(out.size(), expected.size());
    EXPECT_EQ(out.substr(out.size() - expected.size()), expected);
}

TEST(PlayFrame, SlowMotionSlowsOnlyTheBallAndThePhysics) {
    for (bool slow : {false, true}) {
        SCOPED_TRACE(slow ? "slow motion" : "normal");
        PlaySessionRig rig(voidLevel("Void"));
        ConsoleCapture console;
        startNewGame(rig.session);
        rig.progress.activePowerups = {active(PowerupType::SlowMo, 5.0f)};
        if (!slow) rig.progress.activePowerups[0].type = PowerupType::Shield;
        rig.ball.grounded = false;
        FrameDriver driver(rig);
        driver.frame();
        const float physicsDt = slow ? kDt * 0.35f : kDt;
        EXPECT_NEAR(rig.ball.velocity.y, -20.0f * physicsDt, 1e-5f);
        EXPECT_NEAR(rig.ball.position.y, 1.0f - 20.0f * physicsDt * physicsDt, 1e-5f);
        // The countdown and the powerup itself run on the frame's own time.
        EXPECT_FLOAT_EQ(rig.progress.timeLeft, 120.0f - kDt);
        EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].remaining, 5.0f - kDt);
    }
}

TEST(PlayFrame, AntiGravityHalvesTheFall) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture console;
    startNewGame(rig.session);
    rig.progress.activePowerups = {active(PowerupType::AntiGravity, 5.0f)};
    FrameDriver driver(rig);
    driver.frame();
    EXPECT_NEAR(rig.ball.velocity.y, -10.0f * kDt, 1e-5f);
}

TEST(PlayFrame, HoldingForwardRollsAwayFromTheCameraFasterUnderSpeedBoost) {
    const float dt = 1.0f / 60.0f;
    float speeds[2] = {0.0f, 0.0f};
    for (int boost = 0; boost < 2; ++boost) {
        SCOPED_TRACE(boost ? "boost" : "plain");
        PlaySessionRig rig(longFloor("Runway"));
        ConsoleCapture console;
        startNewGame(rig.session);
        FrameDriver driver(rig);
        driver.frames(5, dt);  // settle on the floor
        if (boost) rig.progress.activePowerups = {active(PowerupType::SpeedBoost, 10.0f)};
        driver.press(driver.config.keyMoveForward);
        driver.frames(30, dt);
        speeds[boost] = glm::length(Vec2(rig.ball.velocity.x, rig.ball.velocity.z));
        // The camera sits on the +z side at the start, so forward is -z.
        EXPECT_LT(rig.ball.position.z, -1.0f);
        EXPECT_NEAR(rig.ball.position.x, 0.0f, 0.01f);
        EXPECT_NEAR(rig.ball.position.y, 0.5f, 0.05f);
        EXPECT_LE(speeds[boost], 8.0f * (boost ? 2.2f : 1.0f) + 1e-3f);
        driver.release(driver.config.keyMoveForward);
        driver.frames(60, dt);
        EXPECT_LT(glm::length(Vec2(rig.ball.velocity.x, rig.ball.velocity.z)), speeds[boost] * 0.01f);
    }
    // Acceleration scales with the boost, so the speed after the same time does too.
    ASSERT_GT(speeds[0], 1.0f);
    EXPECT_NEAR(speeds[1] / speeds[0], 2.2f, 0.02f);
}

TEST(PlayFrame, TheDebugCameraFreezesBallAndCountdownButNotPickups) {
    Level level = voidLevel("Frozen");
    level.addPowerup(level.start, Vec3(1.0f), 0.0f, PowerupType::Magnet);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    const Vec3 eye = rig.camera.eye;
    FrameDriver driver(rig);
    driver.press(driver.config.keyMoveForward);
    driver.frames(10, kDt, true);

    EXPECT_EQ(rig.ball.position, rig.level().start);
    EXPECT_EQ(rig.ball.velocity, Vec3(0.0f));
    EXPECT_FLOAT_EQ(rig.progress.timeLeft, 120.0f);
    EXPECT_FALSE(rig.progress.falling);
    EXPECT_EQ(rig.camera.eye, eye);
    EXPECT_NE(console.stdoutText().find("Powerup: 0\n"), std::string::npos);
    ASSERT_EQ(rig.progress.activePowerups.size(), 1u);
    EXPECT_NEAR(rig.progress.activePowerups[0].remaining, 10.0f - 10 * kDt, 1e-4f);

    // Leaving the debug camera lets the ball fall again.
    driver.frames(3);
    EXPECT_LT(rig.ball.position.y, rig.level().start.y);
}

TEST(PlayFrame, ALevelCompletedInTheFrameTheTimeRunsOutCountsAsComplete) {
    Level level = floorLevel("Photo finish");
    level.levelTime = 0.04f;
    level.hasEndTile = true;
    level.endTilePos = Vec3(0.0f);
    level.endTileSize = Vec3(2.0f, 1.0f, 2.0f);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    FrameDriver driver(rig);
    driver.frame();
    EXPECT_EQ(rig.state, GameState::LevelComplete);
    EXPECT_FLOAT_EQ(rig.progress.timeLeft, 0.0f);
    EXPECT_FLOAT_EQ(rig.progress.advanceTimer, 3.0f);
    const std::string out = console.stdoutText();
    const size_t timeUp = out.find("Time's up! GAME OVER\n");
    const size_t complete = out.find("LEVEL COMPLETE: Photo finish\n");
    ASSERT_NE(complete, std::string::npos) << out;
    EXPECT_LT(timeUp, complete);
}

TEST(PlayFrame, TheMagnetDrawsACoinInUntilTheBallTakesIt) {
    Level level = floorLevel("Magnet");
    level.addCoin(Vec3(0.0f, 0.5f, 5.0f), 0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    rig.progress.activePowerups = {active(PowerupType::Magnet, 10.0f)};
    FrameDriver driver(rig);
    int frames = 0;
    while (rig.progress.coinsThisLevel == 0 && frames < 200) {
        driver.frame();
        ++frames;
    }
    EXPECT_EQ(rig.progress.coinsThisLevel, 1);
    // 14 units/s at the ball, 5.6 at distance 5: well under two seconds.
    EXPECT_LT(frames * kDt, 2.0f);
    EXPECT_NEAR(rig.ball.position.z, 0.0f, 0.01f);  // the coin came, not the ball
}
