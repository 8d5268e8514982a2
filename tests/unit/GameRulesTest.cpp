// The rules of a game in progress on real records, with the exact console lines they print.
#include "app/GameRules.h"

#include "PlaySessionRig.h"
#include "UiTestHelpers.h"
#include "app/PlayScreens.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

std::string banner(const std::string& name, int coins, int lives) {
    return "\xE2\x94\x80\xE2\x94\x80 " + name + "  coins=" + std::to_string(coins) + "  lives=" + std::to_string(lives) +
           "\nWASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";
}

// A floor with an end tile at (5, 0, 0), its top at y = 0.5, and one coin at (-5, 0.5, 0).
Level goalLevel(const std::string& name) {
    Level level = testLevel(name);
    level.hasEndTile = true;
    level.endTilePos = {5, 0, 0};
    level.addCoin({-5, 0.5f, 0}, 0.0f);
    return level;
}

}  // namespace

// What each way back into a level resets, from one and the same game in progress.
TEST(ResetTable, EachEntryPointResetsExactlyItsFields) {
    enum Entry { NewGame, Start, Retry, Respawn, ShieldSave };
    const struct { Entry entry; int lives, coins; float timeLeft; bool pickupsReset; std::size_t powerups; } cases[] = {
        {NewGame, 3, 0, 90, true, 0}, {Start, 2, 0, 90, true, 2}, {Retry, 3, 0, 90, true, 2},
        {Respawn, 1, 1, 50, false, 2}, {ShieldSave, 2, 1, 50, false, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        Level level = goalLevel("Reset");
        level.levelTime = 90.0f;
        level.start = {2, 0.5f, -1};
        level.addPowerup({-5, 0.5f, 5}, Vec3(1), 0.0f, PowerupType::SlowMo);
        PlaySessionRig rig(level);
        GameProgress& p = rig.progress;
        ConsoleCapture console;
        startNewGame(rig.session);
        // A life lost, a coin and a powerup taken, time gone, two powerups running, the ball elsewhere.
        p.lives = 2, p.coinsThisLevel = 1, p.timeLeft = 50.0f;
        rig.level().objects[1].collected = rig.level().objects[2].collected = true;
        p.activePowerups = {activePowerup(PowerupType::Magnet, 6), activePowerup(PowerupType::SlowMo, 4)};
        if (c.entry == ShieldSave) p.activePowerups.insert(p.activePowerups.begin() + 1, activePowerup(PowerupType::Shield, 3));
        rig.ball.color = Vec3(0.1f), rig.ball.velocity = Vec3(1), rig.ball.friction = 0.98f;
        rig.ball.position = {7, c.entry >= Respawn ? -60.0f : 3.0f, 7};
        if (c.entry == NewGame) startNewGame(rig.session);
        if (c.entry == Start) startLevel(rig.session, 3);  // taken modulo the level count
        if (c.entry == Retry) retryLevel(rig.session);
        for (int frame = 0; frame < (c.entry == Respawn ? 5 : c.entry == ShieldSave); ++frame) updateFall(rig.session, 0.25f);
        EXPECT_EQ(std::make_tuple(rig.state, p.falling, p.lives, p.coinsThisLevel, p.timeLeft, p.levelIndex),
                  std::make_tuple(GameState::Playing, false, c.lives, c.coins, c.timeLeft, 0));
        EXPECT_EQ(rig.level().objects[1].collected || rig.level().objects[2].collected, !c.pickupsReset);
        ASSERT_EQ(p.activePowerups.size(), c.powerups);
        EXPECT_TRUE(c.powerups == 0 || p.activePowerups[0].remaining == 6.0f);
        EXPECT_EQ(std::tie(rig.ball.position, rig.ball.velocity, rig.ball.friction, rig.ball.color, rig.camera.target),
                  std::make_tuple(rig.level().start, Vec3(0), 0.82f, Vec3(0.1f), rig.level().start));
        EXPECT_EQ(rig.physics.tileBodies.size(), 1u);
    }
}

TEST(Powerups, KeepPickUpOrderRefreshInPlaceAndAShieldSavesExactlyOneFall) {
    Level level = testLevel("Powerups");
    for (const auto& [x, type] : {std::pair{6.0f, PowerupType::Shield}, {0.0f, PowerupType::Magnet}, {-6.0f, PowerupType::Shield}}) {
        level.addPowerup({x, 0.5f, 0}, Vec3(1), 0.0f, type);  // the object order is not the pick-up order
    }
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    for (const float x : {0.0f, 6.0f, -6.0f}) {
        rig.ball.position.x = x;
        updatePickupsAndGoal(rig.session, 1.0f, 0.0f);
    }
    std::vector<ActivePowerup>& list = rig.progress.activePowerups;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::make_tuple(list[0].type, list[0].remaining, list[1].type, list[1].remaining),
              std::make_tuple(PowerupType::Magnet, 7.0f, PowerupType::Shield, 9.0f));
    for (const float y : {-50.0f, -50.01f, -51.0f}) {  // at the fall height the ball has not fallen yet
        rig.ball.position.y = y;
        updateFall(rig.session, 0.6f);
    }
    EXPECT_EQ(std::make_tuple(rig.progress.lives, rig.progress.falling, list.size()), std::make_tuple(3, true, 1u));
    updateFall(rig.session, 0.6f);  // exactly the fall delay
    rig.progress.lives = 1;
    rig.ball.position.y = -51.0f;
    updateFall(rig.session, 0.6f);
    EXPECT_EQ(rig.state, GameState::Playing);
    updateFall(rig.session, 0.6f);
    EXPECT_EQ(std::make_tuple(rig.state, rig.progress.lives), std::make_tuple(GameState::GameOver, 0));
    EXPECT_EQ(console.stdoutText(), banner("Powerups", 0, 3) + "Powerup: 0\nPowerup: 3\nPowerup: 3\n"
              "Shield absorbed the fall! No life lost.\nFell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
              "Fell off! Lives remaining: 0\nGAME OVER\n");
    EXPECT_NE(findText(buildGameOverScreen(rig.progress, 640, 360), "No lives left."), nullptr);
    agePowerups(list, 7.0f);  // an entry with exactly no time left goes
    EXPECT_TRUE(list.empty());
}

TEST(Coins, TwoTakenInOneFrameCountUpOneByOneAndBurstWhereTheyAreDrawn) {
    Level level = testLevel("Coins");
    for (const Vec3 at : {Vec3(0, 0.5f, 0), Vec3(0, 0.6f, 0.2f), Vec3(9, 0.5f, 9)}) level.addCoin(at, at.y == 0.5f ? 0.7f : 0.0f);
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    updatePickupsAndGoal(rig.session, 0.016f, 0.4f);
    EXPECT_EQ(console.stdoutText(), banner("Coins", 3, 3) + "Coin! 1/3\nCoin! 2/3\n");
    EXPECT_EQ(std::make_pair(rig.progress.coinsThisLevel, rig.particles.aliveCount), std::make_pair(2, 96));
    const Particle& spark = rig.particles.particles[0];
    EXPECT_NEAR(glm::length(spark.position - Vec3(0, 0.5f + std::sin(0.8f + 0.7f) * 0.18f, 0)), 0.0f, 1e-5f);
    expectColor(spark.startColor, {1.0f, 0.92f, 0.1f, 1.0f});
    EXPECT_EQ(std::make_tuple(spark.drag, rig.particles.gravity[0], spark.life <= 0.85f), std::make_tuple(0.86f, -5.0f, true));
}

TEST(LevelTimer, StandsStillWhileFallingOrUnderTheDebugCamAndTheSunSinksWithIt) {
    Level level = testLevel("Sunset");
    level.levelTime = 100.0f;
    PlaySessionRig rig(level);
    ConsoleCapture console;
    startNewGame(rig.session);
    updateLevelTimer(rig.session, 25.0f, true);
    EXPECT_EQ(std::tie(rig.level().sunPos, rig.level().sunPosBase), std::make_tuple(Vec3(40, 60, 30), Vec3(40, 80, 30)));
    rig.progress.falling = true;
    updateLevelTimer(rig.session, 10.0f, true);
    rig.progress.falling = false;
    updateLevelTimer(rig.session, 10.0f, false);
    EXPECT_EQ(rig.progress.timeLeft, 75.0f);
    updateLevelTimer(rig.session, 75.0f, true);  // exactly used up
    EXPECT_EQ(std::make_tuple(rig.state, rig.level().sunPos.y), std::make_tuple(GameState::GameOver, 0.0f));
    EXPECT_EQ(console.stdoutText(), banner("Sunset", 0, 3) + "Time's up! GAME OVER\n");
    EXPECT_NE(findText(buildGameOverScreen(rig.progress, 640, 360), "Time ran out!"), nullptr);
    startLevel(rig.session, 0);
    rig.level().levelTime = 0.0f;  // a level without time has its sun on the horizon, not at NaN
    updateLevelTimer(rig.session, 0.0f, true);
    EXPECT_EQ(rig.level().sunPos.y, 0.0f);
}

TEST(Magnet, PullsUncollectedCoinsInReachFasterWhenNearer) {
    const Vec3 ball(0, 0.5f, 0), direction = glm::normalize(Vec3(2, 1, -2));  // off every axis
    const struct { ObjectKind kind; float distance; bool collected; float after; } cases[] = {
        {ObjectKind::Coin, 4, false, 4 - 0.7f}, {ObjectKind::Coin, 2, false, 2 - 1.05f}, {ObjectKind::Coin, 8, false, 8},
        {ObjectKind::Coin, 9, false, 9}, {ObjectKind::Coin, 0.005f, false, 0.005f}, {ObjectKind::Coin, 4, true, 4},
        {ObjectKind::Powerup, 4, false, 4}};
    for (const auto& c : cases) {
        std::vector<SceneObject> objects(1);
        objects[0].kind = c.kind, objects[0].collected = c.collected, objects[0].pos = ball + direction * c.distance;
        pullCoins(objects, ball, 0.1f);
        EXPECT_NEAR(glm::length(objects[0].pos - (ball + direction * c.after)), 0.0f, 1e-4f) << c.distance;
    }
}

// The end-tile slack: a ball resting on the tile counts despite rounding, one jumping over does not.
TEST(LevelComplete, ABallRestingOnTheEndTileCountsDespiteARoundingError) {
    for (const auto& [height, complete] : {std::pair{1.0f, true}, {1.0f + 1e-6f, true}, {1.2f, false}}) {
        PlaySessionRig rig(goalLevel("Goal"));
        ConsoleCapture console;
        startNewGame(rig.session);
        rig.level().objects[1].collected = true;
        rig.ball.position = {5.5f, height, 0.5f};
        updatePickupsAndGoal(rig.session, 0.016f, 0.0f);
        EXPECT_EQ(rig.state == GameState::LevelComplete, complete) << height;
    }
}

TEST(LevelComplete, LevelsFollowKeepingLivesAndPowerupsThenTheMenuAndANewGameStartsAtTheFirst) {
    PlaySessionRig rig(goalLevel("First"), goalLevel("Second"), goalLevel("Third"));
    ConsoleCapture console;
    startNewGame(rig.session);
    rig.progress.lives = 2;
    rig.progress.activePowerups = {activePowerup(PowerupType::SpeedBoost, 4.0f)};
    std::string expected = banner("First", 1, 3);
    for (int index = 0; index < kLevelCount; ++index) {
        SCOPED_TRACE(index);
        for (const float x : {5.0f, -5.0f, 5.0f}) {  // the end tile counts only once the coin is taken
            EXPECT_EQ(rig.state, GameState::Playing);
            rig.ball.position = {x, 0.5f, 0};
            updatePickupsAndGoal(rig.session, 0.0f, 0.0f);
        }
        EXPECT_EQ(std::make_pair(rig.state, rig.progress.advanceTimer), std::make_pair(GameState::LevelComplete, 3.0f));
        expected += "Coin! 1/1\nLEVEL COMPLETE: " + rig.level().name + "\n";
        updateLevelComplete(rig.session, 2.9f, index == 1, false);  // Space on the second, the countdown otherwise
        EXPECT_EQ(rig.state, index == 1 ? GameState::Playing : GameState::LevelComplete);
        if (index != 1) updateLevelComplete(rig.session, 0.1f, false, false);
        if (index < 2) expected += banner(index ? "Third" : "Second", 1, 2);
    }
    EXPECT_EQ(std::make_tuple(rig.state, rig.progress.levelIndex, rig.progress.lives), std::make_tuple(GameState::MainMenu, 2, 2));
    EXPECT_EQ(rig.progress.activePowerups.at(0).remaining, 4.0f);  // no ageing off the play frame
    EXPECT_EQ(console.stdoutText(), expected);
    startNewGame(rig.session);
    EXPECT_EQ(std::make_tuple(rig.progress.levelIndex, rig.progress.lives, rig.progress.activePowerups.size()), std::make_tuple(0, 3, 0u));
    rig.state = GameState::LevelComplete;
    updateLevelComplete(rig.session, 0.1f, true, true);  // M wins even in the frame the next level starts
    EXPECT_EQ(std::make_pair(rig.state, rig.progress.levelIndex), std::make_pair(GameState::MainMenu, 1));
}

TEST(GameOverScreen, SpaceRetriesTheSameLevelKeepingThePowerupsAndMLeavesEvenAfterARetry) {
    PlaySessionRig rig(testLevel("First"));
    ConsoleCapture console;
    startLevel(rig.session, -2);  // a negative index wraps too
    rig.progress.lives = 0;
    rig.progress.activePowerups = {activePowerup(PowerupType::Shield, 2.5f)};
    rig.state = GameState::GameOver;
    updateGameOver(rig.session, false, false);
    EXPECT_EQ(rig.state, GameState::GameOver);
    updateGameOver(rig.session, true, false);
    EXPECT_EQ(std::make_tuple(rig.state, rig.progress.levelIndex, rig.progress.lives, rig.progress.activePowerups.size()),
              std::make_tuple(GameState::Playing, 1, 3, 1u));
    rig.state = GameState::GameOver;
    updateGameOver(rig.session, true, true);
    EXPECT_EQ(rig.state, GameState::MainMenu);
}
