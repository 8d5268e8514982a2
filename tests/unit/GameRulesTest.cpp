// The rules of a game in progress on real records with the exact console lines
// they print, and whole play frames fed keys the way the window feeds them.
#include "support/ConsoleCapture.h"
#include "support/PlayRecords.h"

#include <gtest/gtest.h>

namespace {

constexpr float kDt = 0.05f;  // the longest step the frame loop hands over

// Nothing to stand on, or a 20 x 20 floor whose top is y = 0 under the start; with a goal also an end tile
// at (5, 0, 0), its top at y = 0.5, and one coin at (-5, 0.5, 0).
Level testLevel(const std::string& name, bool floor = true, bool goal = false) {
    Level level;
    level.name = name;
    if (floor) level.addTile(Vec3(0.0f, -0.5f, 0.0f), Vec3(20.0f, 1.0f, 20.0f), Vec3(0.5f));
    if (goal) level.addCoin({-5, 0.5f, 0}, 0.0f);
    level.start = Vec3(0.0f, 0.5f, 0.0f);
    level.hasEndTile = goal;
    level.endTilePos = {5, 0, 0};
    return level;
}

ActivePowerup activePowerup(PowerupType type, float remaining) { return {10.0f, remaining, type}; }

std::string banner(const std::string& name, int coins, int lives) {
    return "\xE2\x94\x80\xE2\x94\x80 " + name + "  coins=" + std::to_string(coins) + "  lives=" + std::to_string(lives) +
           "\nWASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";
}

// A new game on three levels with every record the rules act on, the console captured, and the frame
// loop's side of a play frame: keys aged once, then the simulation.
struct Game : ConsoleCapture, PlayRecords {
    explicit Game(Level first, std::vector<ActivePowerup> powerups = {}, Level second = testLevel("Second"),
                  Level third = testLevel("Third")) {
        levels = {std::move(first), std::move(second), std::move(third)};
        startNewGame(session);
        progress.activePowerups = std::move(powerups);
    }
    Level& level() { return levels[progress.levelIndex]; }
    void frames(int count, bool debugCam = false) {
        for (int i = 0; i < count; ++i) {
            input.update();
            updatePlayFrame(session, drag, input, config, PlayPointer{}, kDt, elapsed, debugCam, 640, 360);
            elapsed += kDt;
        }
    }
};

}  // namespace

// What each way back into a level resets, from one and the same game in progress.
TEST(ResetTable, EachEntryPointResetsExactlyItsFields) {
    enum Entry { NewGame, Start, Retry, Respawn, ShieldSave };
    const struct { Entry entry; int lives, coins; float timeLeft; bool pickupsReset; std::size_t powerups; } cases[] = {
        {NewGame, 3, 0, 90, true, 0}, {Start, 2, 0, 90, true, 2}, {Retry, 3, 0, 90, true, 2},
        {Respawn, 1, 1, 50, false, 2}, {ShieldSave, 2, 1, 50, false, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        Level level = testLevel("Reset", true, true);
        level.levelTime = 90.0f;
        level.start = {2, 0.5f, -1};
        level.addPowerup({-5, 0.5f, 5}, Vec3(1), 0.0f, PowerupType::SlowMo);
        Game game(level);
        GameProgress& p = game.progress;
        // A life lost, a coin and a powerup taken, time gone, two powerups running, the ball elsewhere.
        p.lives = 2;
        p.coinsThisLevel = 1;
        p.timeLeft = 50.0f;
        game.level().objects[1].collected = game.level().objects[2].collected = true;
        p.activePowerups = {activePowerup(PowerupType::Magnet, 6), activePowerup(PowerupType::SlowMo, 4)};
        if (c.entry == ShieldSave) p.activePowerups.insert(p.activePowerups.begin() + 1, activePowerup(PowerupType::Shield, 3));
        game.ball.color = Vec3(0.1f);
        game.ball.velocity = Vec3(1);
        game.ball.friction = 0.98f;
        game.ball.position = {7, c.entry >= Respawn ? -60.0f : 3.0f, 7};
        if (c.entry == NewGame) startNewGame(game.session);
        if (c.entry == Start) startLevel(game.session, 3);  // taken modulo the level count
        if (c.entry == Retry) retryLevel(game.session);
        const int fallFrames = c.entry == Respawn ? 5 : (c.entry == ShieldSave ? 1 : 0);
        for (int frame = 0; frame < fallFrames; ++frame) updateFall(game.session, 0.25f);
        EXPECT_EQ(std::make_tuple(game.state, p.falling, p.lives, p.coinsThisLevel, p.timeLeft, p.levelIndex),
                  std::make_tuple(GameState::Playing, false, c.lives, c.coins, c.timeLeft, 0));
        EXPECT_EQ(game.level().objects[1].collected || game.level().objects[2].collected, !c.pickupsReset);
        ASSERT_EQ(p.activePowerups.size(), c.powerups);
        EXPECT_TRUE(c.powerups == 0 || p.activePowerups[0].remaining == 6.0f);
        EXPECT_EQ(std::tie(game.ball.position, game.ball.velocity, game.ball.friction, game.ball.color, game.camera.target),
                  std::make_tuple(game.level().start, Vec3(0), 0.82f, Vec3(0.1f), game.level().start));
        EXPECT_EQ(game.physics.tileBodies.size(), 1u);
    }
}

TEST(Powerups, KeepPickUpOrderRefreshInPlaceAndAShieldSavesExactlyOneFall) {
    Level level = testLevel("Powerups");
    for (const auto& [x, type] : {std::pair{6.0f, PowerupType::Shield}, {0.0f, PowerupType::Magnet}, {-6.0f, PowerupType::Shield}}) {
        level.addPowerup({x, 0.5f, 0}, Vec3(1), 0.0f, type);  // the object order is not the pick-up order
    }
    Game game(level);
    for (const float x : {0.0f, 6.0f, -6.0f}) {
        game.ball.position.x = x;
        updatePickupsAndGoal(game.session, 1.0f, 0.0f);
    }
    std::vector<ActivePowerup>& list = game.progress.activePowerups;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::make_tuple(list[0].type, list[0].remaining, list[1].type, list[1].remaining),
              std::make_tuple(PowerupType::Magnet, 7.0f, PowerupType::Shield, 9.0f));
    for (const float y : {-50.0f, -50.01f, -51.0f}) {  // at the fall height the ball has not fallen yet
        game.ball.position.y = y;
        updateFall(game.session, 0.6f);
    }
    EXPECT_EQ(std::make_tuple(game.progress.lives, game.progress.falling, list.size()), std::make_tuple(3, true, 1u));
    updateFall(game.session, 0.6f);  // exactly the fall delay
    game.progress.lives = 1;
    game.ball.position.y = -51.0f;
    updateFall(game.session, 0.6f);
    EXPECT_EQ(game.state, GameState::Playing);
    updateFall(game.session, 0.6f);
    EXPECT_EQ(std::make_tuple(game.state, game.progress.lives), std::make_tuple(GameState::GameOver, 0));
    EXPECT_EQ(game.stdoutText(), banner("Powerups", 0, 3) + "Powerup: 0\nPowerup: 3\nPowerup: 3\n"
              "Shield absorbed the fall! No life lost.\nFell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
              "Fell off! Lives remaining: 0\nGAME OVER\n");
    agePowerups(list, 7.0f);  // an entry with exactly no time left goes
    EXPECT_TRUE(list.empty());
}

TEST(Coins, TwoTakenInOneFrameCountUpOneByOneAndBurstWhereTheyAreDrawn) {
    Level level = testLevel("Coins");
    for (const Vec3 at : {Vec3(0, 0.5f, 0), Vec3(0, 0.6f, 0.2f), Vec3(9, 0.5f, 9)}) level.addCoin(at, at.y == 0.5f ? 0.7f : 0.0f);
    Game game(level);
    updatePickupsAndGoal(game.session, 0.016f, 0.4f);
    EXPECT_EQ(game.stdoutText(), banner("Coins", 3, 3) + "Coin! 1/3\nCoin! 2/3\n");
    EXPECT_EQ(std::make_pair(game.progress.coinsThisLevel, game.particles.aliveCount), std::make_pair(2, 96));
    EXPECT_NEAR(glm::length(game.particles.particles[0].position - Vec3(0, 0.5f + std::sin(0.8f + 0.7f) * 0.18f, 0)), 0.0f, 1e-5f);
}

TEST(LevelTimer, StandsStillWhileFallingOrUnderTheDebugCamAndTheSunSinksWithIt) {
    Level level = testLevel("Sunset");
    level.levelTime = 100.0f;
    Game game(level);
    updateLevelTimer(game.session, 25.0f, true);
    EXPECT_EQ(std::tie(game.level().sunPos, game.level().sunPosBase), std::make_tuple(Vec3(40, 60, 30), Vec3(40, 80, 30)));
    game.progress.falling = true;
    updateLevelTimer(game.session, 10.0f, true);
    game.progress.falling = false;
    updateLevelTimer(game.session, 10.0f, false);
    EXPECT_EQ(game.progress.timeLeft, 75.0f);
    updateLevelTimer(game.session, 75.0f, true);  // exactly used up
    EXPECT_EQ(std::make_tuple(game.state, game.level().sunPos.y), std::make_tuple(GameState::GameOver, 0.0f));
    EXPECT_EQ(game.stdoutText(), banner("Sunset", 0, 3) + "Time's up! GAME OVER\n");
    startLevel(game.session, 0);
    game.level().levelTime = 0.0f;  // a level without time has its sun on the horizon, not at NaN
    updateLevelTimer(game.session, 0.0f, true);
    EXPECT_EQ(game.level().sunPos.y, 0.0f);
}

TEST(Magnet, PullsUncollectedCoinsInReachFasterWhenNearer) {
    const Vec3 ball(0, 0.5f, 0), direction = glm::normalize(Vec3(2, 1, -2));  // off every axis
    const struct { ObjectKind kind; float distance; bool collected; float after; } cases[] = {
        {ObjectKind::Coin, 4, false, 4 - 0.7f}, {ObjectKind::Coin, 2, false, 2 - 1.05f}, {ObjectKind::Coin, 8, false, 8},
        {ObjectKind::Coin, 9, false, 9}, {ObjectKind::Coin, 0.005f, false, 0.005f}, {ObjectKind::Coin, 4, true, 4},
        {ObjectKind::Powerup, 4, false, 4}};
    for (const auto& c : cases) {
        std::vector<SceneObject> objects(1);
        objects[0].kind = c.kind;
        objects[0].collected = c.collected;
        objects[0].pos = ball + direction * c.distance;
        pullCoins(objects, ball, 0.1f);
        EXPECT_NEAR(glm::length(objects[0].pos - (ball + direction * c.after)), 0.0f, 1e-4f) << c.distance;
    }
}

// The end-tile slack: a ball resting on the tile counts despite rounding, one jumping over does not.
TEST(LevelComplete, ABallRestingOnTheEndTileCountsDespiteARoundingError) {
    for (const auto& [height, complete] : {std::pair{1.0f, true}, {1.0f + 1e-6f, true}, {1.2f, false}}) {
        Game game(testLevel("Goal", true, true));
        game.level().objects[1].collected = true;
        game.ball.position = {5.5f, height, 0.5f};
        updatePickupsAndGoal(game.session, 0.016f, 0.0f);
        EXPECT_EQ(game.state == GameState::LevelComplete, complete) << height;
    }
}

TEST(LevelComplete, LevelsFollowKeepingLivesAndPowerupsThenTheMenuAndANewGameStartsAtTheFirst) {
    Game game(testLevel("First", true, true), {activePowerup(PowerupType::SpeedBoost, 4.0f)}, testLevel("Second", true, true),
              testLevel("Third", true, true));
    game.progress.lives = 2;
    std::string expected = banner("First", 1, 3);
    for (int index = 0; index < kLevelCount; ++index) {
        SCOPED_TRACE(index);
        for (const float x : {5.0f, -5.0f, 5.0f}) {  // the end tile counts only once the coin is taken
            EXPECT_EQ(game.state, GameState::Playing);
            game.ball.position = {x, 0.5f, 0};
            updatePickupsAndGoal(game.session, 0.0f, 0.0f);
        }
        EXPECT_EQ(std::make_pair(game.state, game.progress.advanceTimer), std::make_pair(GameState::LevelComplete, 3.0f));
        expected += "Coin! 1/1\nLEVEL COMPLETE: " + game.level().name + "\n";
        updateLevelComplete(game.session, 2.9f, index == 1, false);  // Space on the second, the countdown otherwise
        EXPECT_EQ(game.state, index == 1 ? GameState::Playing : GameState::LevelComplete);
        if (index != 1) updateLevelComplete(game.session, 0.1f, false, false);
        if (index < 2) expected += banner(index ? "Third" : "Second", 1, 2);
    }
    EXPECT_EQ(std::make_tuple(game.state, game.progress.levelIndex, game.progress.lives), std::make_tuple(GameState::MainMenu, 2, 2));
    EXPECT_EQ(game.progress.activePowerups.at(0).remaining, 4.0f);  // no ageing off the play frame
    EXPECT_EQ(game.stdoutText(), expected);
    startNewGame(game.session);
    EXPECT_EQ(std::make_tuple(game.progress.levelIndex, game.progress.lives, game.progress.activePowerups.size()), std::make_tuple(0, 3, 0u));
    game.state = GameState::LevelComplete;
    updateLevelComplete(game.session, 0.1f, true, true);  // M wins even in the frame the next level starts
    EXPECT_EQ(std::make_pair(game.state, game.progress.levelIndex), std::make_pair(GameState::MainMenu, 1));
}

TEST(GameOverScreen, SpaceRetriesTheSameLevelKeepingThePowerupsAndMLeavesEvenAfterARetry) {
    Game game(testLevel("First"), {activePowerup(PowerupType::Shield, 2.5f)});
    startLevel(game.session, -2);  // a negative index wraps too
    game.progress.lives = 0;
    game.state = GameState::GameOver;
    updateGameOver(game.session, false, false);
    EXPECT_EQ(game.state, GameState::GameOver);
    updateGameOver(game.session, true, false);
    EXPECT_EQ(std::make_tuple(game.state, game.progress.levelIndex, game.progress.lives, game.progress.activePowerups.size()),
              std::make_tuple(GameState::Playing, 1, 3, 1u));
    game.state = GameState::GameOver;
    updateGameOver(game.session, true, true);
    EXPECT_EQ(game.state, GameState::MainMenu);
}

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
    EXPECT_EQ(game.stdoutText(), banner("Photo finish", 0, 3) + "Time's up! GAME OVER\nLEVEL COMPLETE: Photo finish\n");
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
