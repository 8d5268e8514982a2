// The rules of a game in progress on real records: level starts, falls and the
// shield, the countdown and the sun, the magnet, pickups, completion, the end
// screens' keys and the exact console lines they print.
#include "app/GameRules.h"

#include "PlaySessionRig.h"
#include "UiTestHelpers.h"
#include "app/PlayScreens.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const std::string kControlsLine =
    "WASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";
// Two U+2500 box-drawing lines in UTF-8, then a space.
const std::string kLevelBanner = "\xE2\x94\x80\xE2\x94\x80 ";

ActivePowerup active(PowerupType type, float remaining) {
    ActivePowerup entry;
    entry.duration = 10.0f;
    entry.remaining = remaining;
    entry.type = type;
    return entry;
}

void expectVec(Vec3 actual, Vec3 expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A ball as it is after `resetBall` at `start`, radius and colour untouched.
void expectFreshBallAt(const Ball& ball, Vec3 start) {
    expectVec(ball.position, start);
    expectVec(ball.velocity, Vec3(0.0f));
    EXPECT_FLOAT_EQ(ball.rotation.w, 1.0f);
    EXPECT_FLOAT_EQ(ball.rotation.x, 0.0f);
    EXPECT_TRUE(ball.grounded);
    EXPECT_FALSE(ball.jumpHeld);
    EXPECT_EQ(ball.surface, 0);
    EXPECT_FLOAT_EQ(ball.friction, 0.82f);
}

// Runs the fall rule until the fall delay has passed (falls of 0.25 s frames).
void sitOutFallDelay(PlaySessionRig& rig) {
    for (int frame = 0; frame < 5; ++frame) updateFall(rig.session, 0.25f);
}

}  // namespace

TEST(StartLevel, PrintsTheBannerAndControlsAndBuildsTheLevelsBodies) {
    Level level = floorLevel("Test Plains");
    level.addCoin(Vec3(3.0f, 0.5f, 0.0f), 0.0f);
    level.addCoin(Vec3(-3.0f, 0.5f, 0.0f), 0.0f);
    PlaySessionRig rig(level);
    rig.progress.lives = 2;
    ConsoleCapture console;
    startLevel(rig.session, 0);
    EXPECT_EQ(console.stdoutText(), kLevelBanner + "Test Plains  coins=2  lives=2\n" + kControlsLine);
    EXPECT_EQ(console.stderrText(), "");
    EXPECT_EQ(rig.physics.tileBodies.size(), 1u);
    expectVec(rig.camera.target, rig.level().start);
}

TEST(StartLevel, AnyIndexIsTakenModuloTheThreeLevels) {
    const struct {
        int index;
        int expected;
    } cases[] = {{0, 0}, {2, 2}, {3, 0}, {7, 1}, {-1, 2}, {-3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        PlaySessionRig rig(floorLevel("First"));
        ConsoleCapture console;
        startLevel(rig.session, c.index);
        EXPECT_EQ(rig.progress.levelIndex, c.expected);
    }
}

// What each way into a level resets, from one and the same game in progress.
TEST(ResetTable, EachEntryPointResetsExactlyItsFields) {
    enum class Entry { NewGame, StartLevel, Retry, Respawn, ShieldSave };
    struct Case {
        const char* name;
        Entry entry;
        int lives;
        int coins;
        float timeLeft;
        bool pickupsReset;
        bool powerupsEmptied;
    };
    const Case cases[] = {
        {"new game", Entry::NewGame, 3, 0, 90.0f, true, true},
        {"start level", Entry::StartLevel, 2, 0, 90.0f, true, false},
        {"retry", Entry::Retry, 3, 0, 90.0f, true, false},
        {"respawn", Entry::Respawn, 1, 1, 50.0f, false, false},
        {"shield save", Entry::ShieldSave, 2, 1, 50.0f, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Level level = floorLevel("Reset");
        level.levelTime = 90.0f;
        level.start = Vec3(2.0f, 0.5f, -1.0f);
        level.addCoin(Vec3(5.0f, 0.5f, 5.0f), 0.0f);
        level.addPowerup(Vec3(-5.0f, 0.5f, 5.0f), Vec3(1.0f), 0.0f, PowerupType::SlowMo);
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);

        // A game in progress: a life lost, a coin and a powerup taken, time
        // gone, two powerups running, the ball rolling somewhere else.
        rig.progress.lives = 2;
        rig.progress.coinsThisLevel = 1;
        rig.progress.timeLeft = 50.0f;
        rig.level().objects[1].collected = true;
        rig.level().objects[2].collected = true;
        rig.progress.activePowerups = {active(PowerupType::Magnet, 6.0f), active(PowerupType::SlowMo, 4.0f)};
        rig.ball.color = Vec3(0.1f, 0.2f, 0.3f);
        rig.ball.position = Vec3(7.0f, 3.0f, 7.0f);
        rig.ball.velocity = Vec3(1.0f, 2.0f, 3.0f);
        rig.ball.rotation = Quat(0.0f, 1.0f, 0.0f, 0.0f);
        rig.ball.grounded = false;
        rig.ball.jumpHeld = true;
        rig.ball.surface = 2;
        rig.ball.friction = 0.98f;

        switch (c.entry) {
            case Entry::NewGame: startNewGame(rig.session); break;
            case Entry::StartLevel: startLevel(rig.session, 0); break;
            case Entry::Retry: retryLevel(rig.session); break;
            case Entry::Respawn:
                rig.ball.position.y = -60.0f;
                sitOutFallDelay(rig);
                break;
            case Entry::ShieldSave:
                rig.progress.activePowerups.insert(rig.progress.activePowerups.begin() + 1,
                                                   active(PowerupType::Shield, 3.0f));
                rig.ball.position.y = -60.0f;
                updateFall(rig.session, 0.25f);
                break;
        }

        EXPECT_EQ(rig.state, GameState::Playing);
        EXPECT_EQ(rig.progress.lives, c.lives);
        EXPECT_EQ(rig.progress.coinsThisLevel, c.coins);
        EXPECT_FLOAT_EQ(rig.progress.timeLeft, c.timeLeft);
        EXPECT_EQ(rig.level().objects[1].collected, !c.pickupsReset);
        EXPECT_EQ(rig.level().objects[2].collected, !c.pickupsReset);
        if (c.powerupsEmptied) {
            EXPECT_TRUE(rig.progress.activePowerups.empty());
        } else {
            ASSERT_EQ(rig.progress.activePowerups.size(), 2u);
            EXPECT_EQ(rig.progress.activePowerups[0].type, PowerupType::Magnet);
            EXPECT_EQ(rig.progress.activePowerups[1].type, PowerupType::SlowMo);
            EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].remaining, 6.0f);
        }
        expectFreshBallAt(rig.ball, rig.level().start);
        expectVec(rig.ball.color, Vec3(0.1f, 0.2f, 0.3f));
        expectVec(rig.camera.target, rig.level().start);
        EXPECT_FALSE(rig.progress.falling);
    }
}

TEST(Fall, WithOneLifeTheOverlayLastsTheFallDelayThenNoLivesAreLeft) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture start;
    startNewGame(rig.session);
    rig.progress.lives = 1;
    rig.ball.position.y = -50.5f;
    rig.ball.velocity = Vec3(0.0f, -20.0f, 0.0f);

    ConsoleCapture console;
    updateFall(rig.session, 0.25f);
    EXPECT_EQ(console.stdoutText(), "Fell off! Lives remaining: 0\n");
    expectVec(rig.ball.velocity, Vec3(0.0f));

    // 0.25 s frames: the overlay is up for the frames before 1.2 s have passed.
    for (int frame = 1; frame <= 4; ++frame) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(rig.progress.falling);
        const UiDrawList hud = buildPlayHud(rig.progress, rig.level(), 640.0f, 360.0f);
        const UiDraw* flash = findRect(hud, {0.0f, 0.0f, 640.0f, 360.0f});
        ASSERT_NE(flash, nullptr);
        const float alpha = std::sin(rig.progress.fallTimer * 12.0f) * 0.2f + 0.3f;
        expectColor(flash->color, {0.8f, 0.05f, 0.05f, alpha});
        EXPECT_NE(findText(hud, "FELL OFF!"), nullptr);
        EXPECT_EQ(rig.state, GameState::Playing);
        if (frame < 4) updateFall(rig.session, 0.25f);
    }
    EXPECT_EQ(rig.progress.lives, 1);
    updateFall(rig.session, 0.25f);
    EXPECT_EQ(rig.state, GameState::GameOver);
    EXPECT_EQ(rig.progress.lives, 0);
    EXPECT_FALSE(rig.progress.falling);
    EXPECT_EQ(console.stdoutText(), "Fell off! Lives remaining: 0\nGAME OVER\n");
    EXPECT_EQ(findRect(buildPlayHud(rig.progress, rig.level(), 640.0f, 360.0f), {0.0f, 0.0f, 640.0f, 360.0f}),
              nullptr);
    const UiDrawList screen = buildGameOverScreen(rig.progress, 640.0f, 360.0f);
    EXPECT_NE(findText(screen, "No lives left."), nullptr);
    EXPECT_EQ(findText(screen, "Time ran out!"), nullptr);
}

TEST(Fall, WithLivesLeftTheBallRespawnsAfterTheDelayWithTheLine) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture start;
    startNewGame(rig.session);
    rig.ball.position.y = -51.0f;
    ConsoleCapture console;
    updateFall(rig.session, 0.6f);
    EXPECT_TRUE(rig.progress.falling);
    updateFall(rig.session, 0.6f);  // exactly the delay: a timer at 0 ends it
    EXPECT_FALSE(rig.progress.falling);
    EXPECT_EQ(console.stdoutText(), "Fell off! Lives remaining: 2\nRespawned. Lives left: 2\n");
    EXPECT_EQ(rig.state, GameState::Playing);
}

TEST(Fall, ABallAtTheFallHeightHasNotFallenYet) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture console;
    startNewGame(rig.session);
    rig.ball.position.y = -50.0f;
    updateFall(rig.session, 0.1f);
    EXPECT_FALSE(rig.progress.falling);
    rig.ball.position.y = -50.01f;
    updateFall(rig.session, 0.1f);
    EXPECT_TRUE(rig.progress.falling);
}

TEST(Shield, SavesExactlyOneFallThenTheNextFallCostsALife) {
    PlaySessionRig rig(voidLevel("Void"));
    ConsoleCapture start;
    startNewGame(rig.session);
    rig.progress.activePowerups = {active(PowerupType::Shield, 8.0f), active(PowerupType::Magnet, 8.0f)};
    rig.ball.position = Vec3(4.0f, -51.0f, 4.0f);

    ConsoleCapture console;
    updateFall(rig.session, 0.1f);
    EXPECT_EQ(console.stdoutText(), "Shield absorbed the fall! No life lost.\n");
    EXPECT_EQ(rig.progress.lives, 3);
    EXPECT_FALSE(rig.progress.falling);
    expectFreshBallAt(rig.ball, rig.level().start);
    ASSERT_EQ(rig.progress.activePowerups.size(), 1u);
    EXPECT_EQ(rig.progress.activePowerups[0].type, PowerupType::Magnet);

    rig.ball.position.y = -51.0f;
    updateFall(rig.session, 0.1f);
    EXPECT_TRUE(rig.progress.falling);
    EXPECT_EQ(console.stdoutText(),
              "Shield absorbed the fall! No life lost.\nFell off! Lives remaining: 2\n");
}

TEST(Shield, ASecondShieldRefreshesTheFirstInsteadOfAddingAnother) {
    Level level = floorLevel("Shields");
    level.addPowerup(Vec3(0.0f, 0.5f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::Shield);
    level.addPowerup(Vec3(6.0f, 0.5f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::Shield);
    PlaySessionRig rig(level);
    ConsoleCapture start;
    startNewGame(rig.session);

    ConsoleCapture console;
    updatePickupsAndGoal(rig.session, 0.5f, 0.0f);
    for (int i = 0; i < 6; ++i) agePowerups(rig.progress.activePowerups, 1.0f);
    rig.ball.position = Vec3(6.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 0.5f, 0.0f);

    EXPECT_EQ(console.stdoutText(), "Powerup: 3\nPowerup: 3\n");
    ASSERT_EQ(rig.progress.activePowerups.size(), 1u);
    EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].remaining, 9.5f);  // refreshed, then aged by this frame
    EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].duration, 10.0f);
}

TEST(Powerups, TwoTypesRunTogetherInTheOrderFirstPickedUp) {
    Level level = floorLevel("Two powerups");
    // The object order is the reverse of the pick-up order.
    level.addPowerup(Vec3(6.0f, 0.5f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::SlowMo);
    level.addPowerup(Vec3(0.0f, 0.5f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::Magnet);
    level.addPowerup(Vec3(-6.0f, 0.5f, 0.0f), Vec3(1.0f), 0.0f, PowerupType::Magnet);
    PlaySessionRig rig(level);
    ConsoleCapture start;
    startNewGame(rig.session);

    ConsoleCapture console;
    updatePickupsAndGoal(rig.session, 1.0f, 0.0f);
    rig.ball.position = Vec3(6.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 1.0f, 1.0f);
    rig.ball.position = Vec3(-6.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 1.0f, 2.0f);

    EXPECT_EQ(console.stdoutText(), "Powerup: 0\nPowerup: 1\nPowerup: 0\n");
    const std::vector<ActivePowerup>& list = rig.progress.activePowerups;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].type, PowerupType::Magnet);
    EXPECT_FLOAT_EQ(list[0].remaining, 9.0f);
    EXPECT_EQ(list[1].type, PowerupType::SlowMo);
    EXPECT_FLOAT_EQ(list[1].remaining, 8.0f);
}

TEST(Coins, EachPickupCountsPrintsAndBurstsAtTheCoinAsDrawn) {
    Level level = floorLevel("Coins");
    level.addTile(Vec3(0.0f, 5.0f, 0.0f), Vec3(1.0f), Vec3(1.0f));  // not a pickup: no line
    level.addCoin(Vec3(0.0f, 0.5f, 0.0f), 0.7f);
    level.addCoin(Vec3(0.0f, 0.6f, 0.2f), 0.0f);
    level.addCoin(Vec3(9.0f, 0.5f, 9.0f), 0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture start;
    startNewGame(rig.session);

    ConsoleCapture console;
    const float elapsed = 0.4f;
    updatePickupsAndGoal(rig.session, 0.016f, elapsed);
    EXPECT_EQ(console.stdoutText(), "Coin! 1/3\nCoin! 2/3\n");
    EXPECT_EQ(rig.progress.coinsThisLevel, 2);
    EXPECT_EQ(rig.particles.aliveCount, 96);

    const SceneObject& coin = rig.level().objects[2];
    const Vec3 shown = coin.pos + Vec3(0.0f, std::sin(2.0f * elapsed + 0.7f) * 0.18f, 0.0f);
    for (int slot = 0; slot < 48; ++slot) {
        SCOPED_TRACE(slot);
        const Particle& spark = rig.particles.particles[static_cast<size_t>(slot)];
        ASSERT_TRUE(spark.alive);
        expectVec(spark.position, shown);
        expectColor(spark.startColor, {1.0f, 0.92f, 0.1f, 1.0f});
        expectColor(spark.endColor, {1.0f, 0.4f, 0.0f, 0.0f});
        EXPECT_LE(spark.startSize, 0.22f + 1e-6f);
        EXPECT_FLOAT_EQ(spark.endSize, 0.0f);
        EXPECT_LE(spark.life, 0.85f + 1e-6f);
        EXPECT_GT(spark.life, 0.5f);
        EXPECT_FLOAT_EQ(spark.drag, 0.86f);
        EXPECT_LE(glm::length(spark.velocity), 5.0f + 1e-4f);
        EXPECT_FLOAT_EQ(rig.particles.gravity[static_cast<size_t>(slot)], -5.0f);
    }
}

TEST(LevelTimer, RunningOutStopsAtZeroAndEndsTheGameWithTimeRanOut) {
    const float steps[] = {0.5f, 0.75f};
    for (float dt : steps) {
        SCOPED_TRACE(dt);
        Level level = floorLevel("Short");
        level.levelTime = 1.0f;
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);
        updateLevelTimer(rig.session, dt, true);
        EXPECT_EQ(rig.state, GameState::Playing);
        updateLevelTimer(rig.session, dt, true);
        EXPECT_EQ(rig.state, GameState::GameOver);
        EXPECT_EQ(rig.progress.timeLeft, 0.0f);
        const std::string out = console.stdoutText();
        const std::string line = "Time's up! GAME OVER\n";
        ASSERT_GE(out.size(), line.size());
        EXPECT_EQ(out.substr(out.size() - line.size()), line);
        EXPECT_FLOAT_EQ(rig.progress.sunCurrent.y, 0.0f);
        const UiDrawList screen = buildGameOverScreen(rig.progress, 640.0f, 360.0f);
        EXPECT_NE(findText(screen, "Time ran out!"), nullptr);
        EXPECT_EQ(findText(screen, "No lives left."), nullptr);
    }
}

TEST(LevelTimer, StandsStillDuringTheFallDelayAndUnderTheDebugCamera) {
    const struct {
        const char* name;
        bool falling;
        bool timerRuns;
        float expected;
    } cases[] = {{"running", false, true, 59.5f},
                 {"falling", true, true, 60.0f},
                 {"debug camera", false, false, 60.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Level level = floorLevel("Timer");
        level.levelTime = 60.0f;
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);
        rig.progress.falling = c.falling;
        updateLevelTimer(rig.session, 0.5f, c.timerRuns);
        EXPECT_FLOAT_EQ(rig.progress.timeLeft, c.expected);
    }
}

TEST(Sun, SinksInProportionToTheTimeLeft) {
    Level level = floorLevel("Sunset");
    level.levelTime = 100.0f;
    level.sunPosBase = Vec3(40.0f, 80.0f, 30.0f);
    level.sunPos = level.sunPosBase;
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    expectVec(rig.progress.sunCurrent, Vec3(40.0f, 80.0f, 30.0f));

    updateLevelTimer(rig.session, 25.0f, true);
    expectVec(rig.progress.sunCurrent, Vec3(40.0f, 60.0f, 30.0f));
    expectVec(rig.level().sunPos, Vec3(40.0f, 60.0f, 30.0f));
    expectVec(rig.level().sunPosBase, Vec3(40.0f, 80.0f, 30.0f));

    updateLevelTimer(rig.session, 75.0f, true);
    expectVec(rig.level().sunPos, Vec3(40.0f, 0.0f, 30.0f));

    // A new start puts the sun back up.
    startLevel(rig.session, 0);
    updateLevelTimer(rig.session, 0.0f, true);
    expectVec(rig.level().sunPos, Vec3(40.0f, 80.0f, 30.0f));
}

TEST(Sun, ALevelWithoutTimeHasItsSunOnTheHorizon) {
    Level level = floorLevel("No time");
    level.levelTime = 0.0f;
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    updateLevelTimer(rig.session, 0.0f, false);
    EXPECT_FLOAT_EQ(rig.level().sunPos.y, 0.0f);
    EXPECT_FALSE(std::isnan(rig.level().sunPos.y));
}

TEST(Magnet, PullsUncollectedCoinsInReachFasterWhenNearer) {
    const Vec3 ball(0.0f, 0.5f, 0.0f);
    const float dt = 0.1f;
    const struct {
        const char* name;
        ObjectKind kind;
        float distance;
        bool collected;
        float expectedDistance;
    } cases[] = {
        {"coin at 4 moves 7 units/s", ObjectKind::Coin, 4.0f, false, 4.0f - 0.7f},
        {"coin at 2 moves 10.5 units/s", ObjectKind::Coin, 2.0f, false, 2.0f - 1.05f},
        {"coin at the reach does not move", ObjectKind::Coin, 8.0f, false, 8.0f},
        {"coin at 9 is out of reach", ObjectKind::Coin, 9.0f, false, 9.0f},
        {"coin on the ball stays put", ObjectKind::Coin, 0.005f, false, 0.005f},
        {"collected coin stays put", ObjectKind::Coin, 4.0f, true, 4.0f},
        {"powerup is not pulled", ObjectKind::Powerup, 4.0f, false, 4.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<SceneObject> objects(1);
        objects[0].kind = c.kind;
        objects[0].collected = c.collected;
        // Off every axis, so a pull along the wrong direction shows.
        const Vec3 direction = glm::normalize(Vec3(2.0f, 1.0f, -2.0f));
        objects[0].pos = ball + direction * c.distance;
        pullCoins(objects, ball, dt);
        expectVec(objects[0].pos, ball + direction * c.expectedDistance, 1e-4f);
    }
}

TEST(Magnet, OnlyPullsWhileAMagnetIsActive) {
    for (bool magnet : {false, true}) {
        SCOPED_TRACE(magnet);
        Level level = floorLevel("Magnet");
        level.addCoin(Vec3(0.0f, 0.5f, 4.0f), 0.0f);
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);
        if (magnet) rig.progress.activePowerups = {active(PowerupType::Magnet, 5.0f)};
        updatePickupsAndGoal(rig.session, 0.1f, 0.0f);
        EXPECT_NEAR(rig.level().objects[1].pos.z, magnet ? 3.3f : 4.0f, 1e-4f);
    }
}

TEST(LevelComplete, NeedsEveryCoinAndTheEndTile) {
    Level level = floorLevel("Goal");
    level.hasEndTile = true;
    level.endTilePos = Vec3(5.0f, 0.0f, 0.0f);
    level.endTileSize = Vec3(2.0f, 1.0f, 2.0f);
    level.addCoin(Vec3(-5.0f, 0.5f, 0.0f), 0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture start;
    startNewGame(rig.session);

    ConsoleCapture console;
    rig.ball.position = Vec3(5.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 0.1f, 0.0f);
    EXPECT_EQ(rig.state, GameState::Playing);  // a coin is missing
    rig.ball.position = Vec3(-5.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 0.1f, 0.1f);
    EXPECT_EQ(rig.state, GameState::Playing);
    rig.ball.position = Vec3(5.0f, 0.5f, 0.0f);
    updatePickupsAndGoal(rig.session, 0.1f, 0.2f);
    EXPECT_EQ(rig.state, GameState::LevelComplete);
    EXPECT_FLOAT_EQ(rig.progress.advanceTimer, 3.0f);
    EXPECT_EQ(console.stdoutText(), "Coin! 1/1\nLEVEL COMPLETE: Goal\n");
}

TEST(LevelComplete, ABallRestingOnTheEndTileCountsDespiteRoundingButOneHoveringAboveDoesNot) {
    const struct {
        const char* name;
        float heightAboveTop;  // of the ball's centre over the end tile's top face
        bool complete;
    } cases[] = {{"resting exactly", 0.5f, true},
                 {"a rounding error above", 0.5f + 1e-6f, true},
                 {"jumping over", 0.7f, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Level level = floorLevel("Goal");
        level.hasEndTile = true;
        level.endTilePos = Vec3(0.0f, -0.5f, 0.0f);
        level.endTileSize = Vec3(4.0f, 1.0f, 4.0f);
        PlaySessionRig rig(level);
        ConsoleCapture console;
        startNewGame(rig.session);
        rig.ball.position = Vec3(1.0f, c.heightAboveTop, 1.0f);
        updatePickupsAndGoal(rig.session, 0.016f, 0.0f);
        EXPECT_EQ(rig.state == GameState::LevelComplete, c.complete);
    }
}

TEST(LevelComplete, ALevelWithoutAnEndTileCannotBeCompleted) {
    Level level = floorLevel("Endless");
    level.endTilePos = Vec3(0.0f);  // a box around the ball, but no end tile
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    for (int frame = 0; frame < 10; ++frame) updatePickupsAndGoal(rig.session, 0.1f, 0.1f * frame);
    EXPECT_EQ(rig.state, GameState::Playing);
}

TEST(LevelComplete, SpaceOrTheThreeSecondCountdownStartsTheNextLevelKeepingLivesAndPowerups) {
    for (bool space : {false, true}) {
        SCOPED_TRACE(space ? "space" : "countdown");
        PlaySessionRig rig(floorLevel("First"));
        ConsoleCapture start;
        startNewGame(rig.session);
        rig.progress.lives = 2;
        rig.progress.activePowerups = {active(PowerupType::SpeedBoost, 4.0f)};
        rig.state = GameState::LevelComplete;
        rig.progress.advanceTimer = 3.0f;

        ConsoleCapture console;
        if (!space) {
            updateLevelComplete(rig.session, 1.0f, false, false);
            updateLevelComplete(rig.session, 1.0f, false, false);
            EXPECT_EQ(rig.state, GameState::LevelComplete);
        }
        updateLevelComplete(rig.session, 1.0f, space, false);
        EXPECT_EQ(rig.state, GameState::Playing);
        EXPECT_EQ(rig.progress.levelIndex, 1);
        EXPECT_EQ(rig.progress.lives, 2);
        ASSERT_EQ(rig.progress.activePowerups.size(), 1u);
        EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].remaining, 4.0f);  // no ageing off the play frame
        EXPECT_EQ(console.stdoutText(), kLevelBanner + "Second  coins=0  lives=2\n" + kControlsLine);
    }
}

TEST(LevelComplete, AfterTheThirdLevelTheMenuComesAndANewGameBeginsAtTheFirst) {
    PlaySessionRig rig(floorLevel("First"));
    ConsoleCapture start;
    startNewGame(rig.session);
    startLevel(rig.session, 2);
    rig.progress.lives = 1;
    rig.progress.activePowerups = {active(PowerupType::Magnet, 4.0f)};
    rig.state = GameState::LevelComplete;
    rig.progress.advanceTimer = 3.0f;

    ConsoleCapture console;
    updateLevelComplete(rig.session, 3.0f, false, false);
    EXPECT_EQ(rig.state, GameState::MainMenu);
    EXPECT_EQ(rig.progress.levelIndex, 2);
    EXPECT_EQ(console.stdoutText(), "");

    startNewGame(rig.session);
    EXPECT_EQ(rig.progress.levelIndex, 0);
    EXPECT_EQ(rig.progress.lives, 3);
    EXPECT_TRUE(rig.progress.activePowerups.empty());
    EXPECT_EQ(console.stdoutText(), kLevelBanner + "First  coins=0  lives=3\n" + kControlsLine);
}

TEST(LevelComplete, MenuKeyWinsEvenInTheFrameTheNextLevelStarts) {
    PlaySessionRig rig(floorLevel("First"));
    ConsoleCapture console;
    startNewGame(rig.session);
    rig.state = GameState::LevelComplete;
    rig.progress.advanceTimer = 3.0f;
    updateLevelComplete(rig.session, 0.1f, true, true);
    EXPECT_EQ(rig.state, GameState::MainMenu);
    EXPECT_EQ(rig.progress.levelIndex, 1);
}

TEST(GameOverScreen, SpaceRetriesTheSameLevelKeepingTheActivePowerups) {
    PlaySessionRig rig(floorLevel("First"), floorLevel("Second"));
    ConsoleCapture start;
    startNewGame(rig.session);
    startLevel(rig.session, 1);
    rig.progress.lives = 0;
    rig.progress.coinsThisLevel = 4;
    rig.progress.timeLeft = 0.0f;
    rig.progress.activePowerups = {active(PowerupType::Shield, 2.5f), active(PowerupType::SlowMo, 7.0f)};
    rig.state = GameState::GameOver;

    ConsoleCapture console;
    updateGameOver(rig.session, false, false);
    EXPECT_EQ(rig.state, GameState::GameOver);
    updateGameOver(rig.session, true, false);
    EXPECT_EQ(rig.state, GameState::Playing);
    EXPECT_EQ(rig.progress.levelIndex, 1);
    EXPECT_EQ(rig.progress.lives, 3);
    EXPECT_EQ(rig.progress.coinsThisLevel, 0);
    EXPECT_FLOAT_EQ(rig.progress.timeLeft, rig.level().levelTime);
    ASSERT_EQ(rig.progress.activePowerups.size(), 2u);
    EXPECT_EQ(rig.progress.activePowerups[0].type, PowerupType::Shield);
    EXPECT_FLOAT_EQ(rig.progress.activePowerups[0].remaining, 2.5f);
    EXPECT_EQ(rig.progress.activePowerups[1].type, PowerupType::SlowMo);
    EXPECT_EQ(console.stdoutText(), kLevelBanner + "Second  coins=0  lives=3\n" + kControlsLine);
}

TEST(GameOverScreen, MenuKeyLeavesForTheMenuAlsoAfterARetry) {
    for (bool space : {false, true}) {
        SCOPED_TRACE(space);
        PlaySessionRig rig(floorLevel("First"));
        ConsoleCapture console;
        startNewGame(rig.session);
        rig.progress.lives = 0;
        rig.state = GameState::GameOver;
        updateGameOver(rig.session, space, true);
        EXPECT_EQ(rig.state, GameState::MainMenu);
        EXPECT_EQ(rig.progress.lives, space ? 3 : 0);
    }
}
