// The rules of an attempt, step by step on real records: falls and the shield,
// the countdown and the sun, coins and the magnet, the end tile, powerups, retries.
#include "game/GameRules.h"

#include "support/ConsoleCapture.h"
#include "support/PlayRecords.h"

#include <gtest/gtest.h>

// A 20 x 20 floor whose top is y = 0 under the start, or nothing to stand on.
static Level testLevel(bool floor = true) {
    Level level;
    if (floor) level.addTile(Vec3(0.0f, -0.5f, 0.0f), Vec3(20.0f, 1.0f, 20.0f), Vec3(0.5f));
    level.start = Vec3(0.0f, 0.5f, 0.0f);
    return level;
}

static ActivePowerup running(PowerupType type, float remaining) { return {kPowerupDuration, remaining, type}; }

static int countOf(const GameEvents& events, GameEventType type) {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](auto& e) { return e.type == type; }));
}

// An attempt at one level as the play world runs it, the console captured.
struct Game : ConsoleCapture, PlayRecords {
    explicit Game(Level level, std::vector<ActivePowerup> powerups = {}) : PlayRecords({std::move(level)}) {
        session.powerups = std::move(powerups);
        start(0);
    }
    // The number of steps until one reports `type`, or -1 after `limit` steps.
    int stepsUntil(GameEventType type, int limit = 1000, bool frozen = false) {
        for (int step = 1; step <= limit; ++step) {
            if (countOf(this->step({}, frozen), type) > 0) return step;
        }
        return -1;
    }
};

TEST(Falls, ALifeGoesAfterTheFallDelayAndTheBallRespawnsAtTheStartUntilNoneAreLeft) {
    Game game(testLevel(false));
    const Attempt& attempt = game.attempt;
    for (int life = 1; life <= kStartingLives; ++life) {
        ASSERT_GT(game.stepsUntil(GameEventType::FellOff), 0);
        EXPECT_LT(attempt.ball.position.y, kFallHeight);
        const float timeLeft = attempt.timeLeft;
        const auto end = life < kStartingLives ? GameEventType::Respawned : GameEventType::OutOfLives;
        EXPECT_NEAR(game.stepsUntil(end) * kStepSeconds, kFallDelay, kStepSeconds) << life;
        EXPECT_NEAR(attempt.timeLeft, timeLeft, kStepSeconds * 1.01f) << "the clock stands still while falling";
        EXPECT_EQ(attempt.lives, kStartingLives - life);
        EXPECT_TRUE(life == kStartingLives || attempt.ball.position == game.level().start) << "respawned at the start";
    }
    EXPECT_EQ(attempt.outcome, AttemptOutcome::OutOfLives);
    const int steps = attempt.steps;
    game.step({});
    EXPECT_EQ(attempt.steps, steps);  // nothing moves once the outcome is decided
}

TEST(Falls, AShieldSavesExactlyOneFallAndOnlyTheShieldIsUsedUp) {
    Game game(testLevel(false), {running(PowerupType::Magnet, 9), running(PowerupType::Shield, 9)});
    ASSERT_GT(game.stepsUntil(GameEventType::ShieldSaved), 0);
    const Attempt& attempt = game.attempt;
    EXPECT_TRUE(attempt.ball.position == game.level().start && attempt.lives == kStartingLives && !attempt.falling);
    ASSERT_EQ(attempt.powerups.size(), 1u);
    EXPECT_EQ(attempt.powerups[0].type, PowerupType::Magnet);
    EXPECT_GT(game.stepsUntil(GameEventType::FellOff), 0);
}

TEST(Countdown, RunsOutToTimeUpStandingStillUnderTheDebugCameraAndTheSunSinksWithIt) {
    Level level = testLevel();
    level.levelTime = 1.0f;
    Game game(level);
    EXPECT_EQ(game.stepsUntil(GameEventType::TimeUp, 120, true), -1);
    EXPECT_EQ(std::tie(game.attempt.timeLeft, game.attempt.ball.position), std::tie(level.levelTime, level.start));
    EXPECT_EQ(game.stepsUntil(GameEventType::TimeUp), 60);
    EXPECT_TRUE(game.attempt.outcome == AttemptOutcome::TimeUp && game.attempt.timeLeft == 0.0f);
    level.levelTime = 120.0f;
    EXPECT_EQ(Game(level).stepsUntil(GameEventType::TimeUp, 7300), 7200) << "the countdown drifted from the steps";
    level.levelTime = 100.0f;
    for (const auto& [timeLeft, height] : {std::pair{100.0f, 80.0f}, {25.0f, 20.0f}, {0.0f, 0.0f}, {-5.0f, 0.0f}}) {
        EXPECT_EQ(sunPosition(level, timeLeft), Vec3(level.sunPos.x, height, level.sunPos.z)) << timeLeft;
    }
    level.levelTime = 0.0f;  // a level without time has its sun on the horizon, not at NaN
    EXPECT_EQ(sunPosition(level, 0.0f).y, 0.0f);
}

TEST(Coins, TwoTakenInOneStepCountUpOneByOne) {
    Level level = testLevel();
    for (const Vec3 at : {Vec3(0, 0.5f, 0), Vec3(0, 0.6f, 0.2f), Vec3(9, 0.5f, 9)}) level.addCoin(at, 0.0f);
    Game game(level);
    EXPECT_EQ(countOf(game.step({}), GameEventType::CoinTaken), 2);
    EXPECT_EQ(game.attempt.coinsTaken, 2);
    const std::string out = game.stdoutText();
    EXPECT_TRUE(out.find("1/3\n") != std::string::npos && out.find("2/3\n") != std::string::npos) << out;
}

TEST(Magnet, PullsUncollectedCoinsInReachFasterWhenNearer) {
    const Vec3 ball(0, 0.5f, 0), direction = glm::normalize(Vec3(2, 1, -2));  // off every axis
    const struct { ObjectKind kind; float distance; bool collected; float speed; } cases[] = {
        {ObjectKind::Coin, 4, false, 7},      {ObjectKind::Coin, 2, false, 10.5f}, {ObjectKind::Coin, 9, false, 0},
        {ObjectKind::Coin, 0.005f, false, 0}, {ObjectKind::Coin, 4, true, 0},      {ObjectKind::Powerup, 4, false, 0}};
    for (const auto& c : cases) {
        Level level;
        level.objects.emplace_back().kind = c.kind;
        level.objects[0].pos = ball + direction * c.distance;
        LevelRun run = startRun(level);
        run.objects[0].collected = c.collected;
        pullCoins(level, run, ball, 0.1f);
        const Vec3 expected = ball + direction * (c.distance - c.speed * 0.1f);
        EXPECT_LT(glm::distance(run.objects[0].pos, expected), 1e-4f) << c.distance << " " << c.collected;
    }
}

TEST(EndTile, CountsOnlyWithEveryCoinTakenInTheBoxGrownByTheMarginFacesIncluded) {
    Level level;
    level.hasEndTile = true;
    level.endTilePos = {8, 0.5f, -8};  // spans x 7..9, y 0..1, z -9..-7
    level.addCoin({}, 0.0f);
    level.addPowerup({}, Vec3(1), 0.0f, PowerupType::Magnet);  // an untaken powerup does not hold the end back
    LevelRun run = startRun(level);
    EXPECT_FALSE(isEndReached(level, run, level.endTilePos, 0.5f));
    run.objects[0].collected = true;
    for (const auto& [p, inside] : {std::pair{Vec3(6.5f, 0.5f, -8), true}, {Vec3(9.5f, 1.5f, -6.5f), true},
                                    {Vec3(std::nextafter(6.5f, 0.0f), 0.5f, -8), false}}) {
        EXPECT_EQ(isEndReached(level, run, p, 0.5f), inside) << p.x << " " << p.y;
    }
    level.hasEndTile = false;
    EXPECT_FALSE(isEndReached(level, run, level.endTilePos, 100.0f));
}

// A ball resting on the end tile can sit a rounding error above it, and the
// time may run out in the very step it arrives: both still complete.
TEST(EndTile, ABallRestingOnItCompletesEvenInTheStepTheTimeRunsOut) {
    for (const auto& [time, height, complete] : {std::tuple{60.0f, 1.0f, true}, {60.0f, 1.0f + 1e-6f, true},
                                                 {kStepSeconds * 0.5f, 1.0f, true}, {60.0f, 1.2f, false}}) {
        Level level;
        level.hasEndTile = true;
        level.addTile(level.endTilePos, level.endTileSize, Vec3(1.0f));  // top at y = 0.5
        level.start = {0.3f, height, 0.3f};
        level.levelTime = time;
        Game game(level);
        game.step({});
        EXPECT_EQ(game.attempt.outcome == AttemptOutcome::Complete, complete) << time << " " << height;
    }
}

TEST(Powerups, TheyScaleOnlyTheBallAndThePhysicsAndExpireWithAnEvent) {
    using P = PowerupType;
    const float step = kStepSeconds, slow = kStepSeconds * kSlowMoScale;
    const struct { std::vector<P> types; float physicsDt, topSpeed, gravity; } cases[] = {
        {{P::Shield, P::Magnet}, step, 8, -20}, {{P::SlowMo}, slow, 8, -20}, {{P::SpeedBoost}, step, 17.6f, -20},
        {{P::AntiGravity}, step, 8, -10},       {{P::AntiGravity, P::SpeedBoost, P::SlowMo}, slow, 17.6f, -10}};
    for (const auto& c : cases) {
        std::vector<ActivePowerup> powerups;
        for (const P type : c.types) powerups.push_back(running(type, 5.0f));
        Game game(testLevel(false), powerups);
        game.attempt.ball.grounded = false;
        game.step(makeStepInput({0, -1}, false));
        const Vec3 expected = Vec3(0, c.gravity, -10 * c.topSpeed) * c.physicsDt;  // ten times the top speed a second
        EXPECT_LT(glm::distance(game.attempt.ball.velocity, expected), 1e-4f) << static_cast<int>(c.types[0]);
        EXPECT_EQ(std::make_pair(game.attempt.timeLeft, game.attempt.powerups[0].remaining),
                  std::make_pair(game.level().levelTime - step, 5.0f - step));  // timers keep the step
    }
    Game game(testLevel(), {running(P::Shield, 0.5f * kStepSeconds), running(P::Magnet, 2.0f)});
    const GameEvents events = game.step({});
    ASSERT_EQ(countOf(events, GameEventType::PowerupExpired), 1);
    const auto expired = [](const GameEvent& e) { return e.type == GameEventType::PowerupExpired; };
    EXPECT_EQ(std::find_if(events.begin(), events.end(), expired)->powerup, P::Shield);
}

// A retry is a new attempt at the same level: nothing of the last one may show,
// and the level itself never changes.
TEST(Retry, ANewAttemptFindsCoinsTheMagnetMovedAndTilesThatCrumbledBackInPlace) {
    Level level = testLevel();
    level.objects[0].tileType = TileType::Crumble;
    const Vec3 coinAt(0.0f, 0.5f, -5.0f);
    level.addCoin(coinAt, 0.0f);
    Game game(level, {running(PowerupType::Magnet, kPowerupDuration)});
    const std::vector<ObjectState>& objects = game.attempt.run.objects;
    for (int step = 0; step < 120 && !objects[0].crumbled; ++step) game.step({});
    ASSERT_TRUE(objects[0].crumbled);
    ASSERT_GT(glm::distance(objects[1].pos, coinAt), 1.0f);
    game.start(0);
    EXPECT_TRUE(!objects[0].crumbled && objects[0].crumbleProgress == 0.0f);
    EXPECT_TRUE(objects[1].pos == coinAt && !objects[1].collected);
    EXPECT_EQ(game.level().objects[1].pos, coinAt);
}

TEST(Checkpoints, AFallComesBackOverTheLastFlagReachedAndALifeGoesAsTheBallFalls) {
    Level level = testLevel();
    level.checkpoints = {Vec3(0.0f, 0.0f, -3.0f), Vec3(0.0f, 0.0f, -6.0f)};
    Game game(level);
    Attempt& attempt = game.attempt;
    EXPECT_EQ(respawnPoint(attempt), level.start) << "no flag reached: the start";
    GameEvents events;
    for (const float z : {-3.0f, -3.2f, -6.0f, -3.0f}) {  // the first flag twice, the second, the first again
        attempt.ball.position = Vec3(0.0f, 0.5f, z);
        reachCheckpoints(attempt, events);
    }
    EXPECT_EQ(countOf(events, GameEventType::CheckpointReached), 2) << "each flag speaks once";
    EXPECT_EQ(attempt.checkpoint, 0) << "the last one touched counts";
    attempt.ball.position.y = kFallHeight - 1.0f;
    EXPECT_GT(countOf(game.step({}), GameEventType::FellOff), 0);
    EXPECT_EQ(attempt.lives, kStartingLives - 1) << "the life goes as the ball falls";
    ASSERT_GT(game.stepsUntil(GameEventType::Respawned), 0);
    EXPECT_EQ(attempt.ball.position, level.checkpoints[0] + Vec3(0.0f, kCheckpointLift, 0.0f));
    EXPECT_EQ(attempt.lives, kStartingLives - 1);
}

TEST(Falls, ReachingTheDrawnGroundOfALevelWithOneIsAFallAtOnce) {
    Level level = testLevel(false);
    level.ground = true;
    Game game(level);
    EXPECT_FALSE(hasFallen(level, game.attempt.ball));
    const int steps = game.stepsUntil(GameEventType::FellOff);
    EXPECT_GT(steps, 0);
    EXPECT_GT(game.attempt.ball.position.y, kFallHeight) << "long before the level's floor";
}

TEST(EndTile, ALockedGateSaysHowManyCoinsAreLeftOncePerArrivalAndNotEveryStep) {
    Level level = testLevel();
    level.hasEndTile = true;
    level.endTilePos = Vec3(0.0f, 0.0f, -2.0f);
    level.endTileSize = Vec3(2.0f, 0.2f, 2.0f);
    level.addCoin(Vec3(5.0f, 0.5f, 5.0f), 0.0f);
    Game game(level);
    Attempt& attempt = game.attempt;
    GameEvents events;
    for (const float z : {-2.0f, -2.1f, -2.2f, 2.0f, -2.0f}) {  // on, staying, off, back on
        attempt.ball.position = Vec3(0.0f, 0.5f, z);
        noteLockedGate(attempt, attempt.ball.radius, events);
    }
    ASSERT_EQ(countOf(events, GameEventType::GateLocked), 2);
    EXPECT_EQ(events[0].strength, 1.0f) << "one coin left";
}
