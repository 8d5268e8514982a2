// The level model: adders, counts, pick-ups, animation and the end test.
#include "level/Level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float kBallRadius = 0.5f;
const Vec3 kFarAway{1000.0f, 1000.0f, 1000.0f};

bool isFinite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// A level whose end box spans x 7..9, y 0..1, z -9..-7: bounds that are exact
// in float, so "exactly on a face" means exactly.
Level levelWithEndBox() {
    Level level;
    level.hasEndTile = true;
    level.endTilePos = {8.0f, 0.5f, -8.0f};
    level.endTileSize = {2.0f, 1.0f, 2.0f};
    return level;
}

}  // namespace

TEST(LevelAdders, MovingTileAxisBecomesUnitLengthWhateverItsScale) {
    struct Case {
        Vec3 axis;
        Vec3 unit;
    };
    const Case cases[] = {
        {{3.0f, 0.0f, 4.0f}, {0.6f, 0.0f, 0.8f}},
        {{0.0f, -2.0f, 0.0f}, {0.0f, -1.0f, 0.0f}},
        {{1e30f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},    // the square overflows
        {{0.0f, 0.0f, -1e-30f}, {0.0f, 0.0f, -1.0f}},  // the square underflows
        {{3e38f, 3e38f, 0.0f}, {0.70710678f, 0.70710678f, 0.0f}},
        {{1e-45f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},    // smallest denormal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "axis " << c.axis.x << " " << c.axis.y << " " << c.axis.z);
        Level level;
        const SceneObject& tile = level.addMovingTile({}, Vec3(1.0f), Vec3(1.0f), c.axis, 2.0f, 1.0f, 0.0f);
        EXPECT_NEAR(tile.moveAxis.x, c.unit.x, 1e-6f);
        EXPECT_NEAR(tile.moveAxis.y, c.unit.y, 1e-6f);
        EXPECT_NEAR(tile.moveAxis.z, c.unit.z, 1e-6f);
    }
}

TEST(LevelAdders, MovingTileWithoutAUsableAxisStaysAtRestWithoutNaN) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const Vec3 axis : {Vec3(0.0f), Vec3(inf, 0.0f, 0.0f), Vec3(0.0f, nan, 1.0f)}) {
        SCOPED_TRACE(testing::Message() << "axis " << axis.x << " " << axis.y << " " << axis.z);
        Level level;
        level.addMovingTile({1.0f, 2.0f, 3.0f}, Vec3(1.0f), Vec3(1.0f), axis, 3.0f, 1.5f, 0.0f);
        for (int frame = 0; frame < 10; ++frame) updateObjects(level.objects, 0.1f, 0.0f, kFarAway, kBallRadius);
        const SceneObject& tile = level.objects[0];
        EXPECT_EQ(tile.moveAxis, Vec3(0.0f));
        const Vec3 drawnAt = tile.pos + tile.moveAxis * tile.moveOffset;
        EXPECT_TRUE(isFinite(drawnAt));
        EXPECT_EQ(drawnAt, Vec3(1.0f, 2.0f, 3.0f));
    }
}

TEST(LevelCounts, CoinCountsIgnorePowerupsAndCountCollectedCoinsToo) {
    Level level;
    level.addCoin({}, 0.0f).collected = true;
    level.addCoin({}, 0.0f);
    level.addPowerup({}, Vec3(1.0f), 0.0f, PowerupType::Magnet).collected = true;
    level.addTile({}, Vec3(1.0f), Vec3(1.0f));
    EXPECT_EQ(coinCount(level.objects), 2);
    EXPECT_EQ(collectedCoinCount(level.objects), 1);
}

TEST(LevelPickups, ResetClearsPickupsButKeepsCrumbledTilesClocksAndMagnetMoves) {
    Level level;
    SceneObject& crumble = level.addTile({}, Vec3(1.0f), Vec3(1.0f));
    crumble.tileType = TileType::Crumble;
    crumble.crumbled = true;
    crumble.crumbleRespawn = 2.5f;
    SceneObject& coin = level.addCoin({4.0f, 1.0f, 0.0f}, 0.0f);
    coin.collected = true;
    coin.pos = {3.0f, 1.0f, 0.0f};  // pulled by the magnet
    coin.anim = 45.0f;
    level.addPowerup({}, Vec3(1.0f), 0.0f, PowerupType::Magnet).collected = true;

    resetPickups(level);

    EXPECT_FALSE(level.objects[1].collected);
    EXPECT_FALSE(level.objects[2].collected);
    EXPECT_TRUE(level.objects[0].crumbled);
    EXPECT_EQ(level.objects[0].crumbleRespawn, 2.5f);
    EXPECT_EQ(level.objects[1].pos, Vec3(3.0f, 1.0f, 0.0f));
    EXPECT_EQ(level.objects[1].anim, 45.0f);
}

TEST(LevelAnimation, SpinWrapsBelow360WithOneSubtraction) {
    struct Case {
        float anim;
        float dt;
        float expected;
    };
    const Case cases[] = {
        {359.9f, 0.01f, 0.8f},   // 360.8 - 360
        {270.0f, 1.0f, 0.0f},    // exactly 360 wraps to 0
        {0.0f, 5.0f, 90.0f},     // 450 - 360
        {0.0f, 9.0f, 450.0f},    // 810 - 360: only one subtraction
        {10.0f, 0.5f, 55.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "anim " << c.anim << " dt " << c.dt);
        Level level;
        level.addCoin({}, 0.0f).anim = c.anim;
        level.addPowerup({}, Vec3(1.0f), 0.0f, PowerupType::Shield).anim = c.anim;
        updateObjects(level.objects, c.dt, 0.0f, kFarAway, kBallRadius);
        EXPECT_NEAR(level.objects[0].anim, c.expected, 1e-3f);
        EXPECT_NEAR(level.objects[1].anim, c.expected, 1e-3f);
    }
}

TEST(LevelAnimation, BobFollowsTheGameClockAndPhaseNotTheFrameStep) {
    struct Case {
        float time;
        float phase;
    };
    for (const Case c : {Case{0.0f, 0.0f}, Case{0.7f, 0.3f}, Case{12.25f, 2.0f}, Case{3.0f, -1.0f}}) {
        SCOPED_TRACE(testing::Message() << "time " << c.time << " phase " << c.phase);
        Level level;
        level.addCoin({}, c.phase);
        level.addPowerup({}, Vec3(1.0f), c.phase, PowerupType::Magnet);
        updateObjects(level.objects, 0.016f, c.time, kFarAway, kBallRadius);
        const float expected = std::sin(2.0f * c.time + c.phase) * 0.18f;
        EXPECT_FLOAT_EQ(level.objects[0].bob, expected);
        EXPECT_FLOAT_EQ(level.objects[1].bob, expected);
        updateObjects(level.objects, 0.5f, c.time, kFarAway, kBallRadius);
        EXPECT_FLOAT_EQ(level.objects[0].bob, expected);
    }
}

TEST(LevelAnimation, MovingTileOffsetRunsFromItsOwnClockAndReplacesTheGivenOffset) {
    Level level;
    level.addMovingTile({}, Vec3(1.0f), Vec3(1.0f), {0.0f, 0.0f, 1.0f}, 2.5f, 1.8f, 7.0f);
    level.addTile({}, Vec3(1.0f), Vec3(1.0f));
    EXPECT_EQ(level.objects[0].moveOffset, 7.0f);
    float clock = 0.0f;
    for (const float dt : {0.1f, 0.25f, 0.016f, 1.0f}) {
        updateObjects(level.objects, dt, 100.0f, kFarAway, kBallRadius);
        clock += dt;
        SCOPED_TRACE(testing::Message() << "clock " << clock);
        EXPECT_FLOAT_EQ(level.objects[0].anim, clock);
        EXPECT_NEAR(level.objects[0].moveOffset, std::sin(clock * 1.8f) * 2.5f, 1e-5f);
    }
    EXPECT_EQ(level.objects[1].anim, 0.0f);  // static tiles have no clock
    EXPECT_EQ(level.objects[1].moveOffset, 0.0f);
}

TEST(LevelPickups, BallExactlyAtReachDoesNotCollectAnyCloserDoes) {
    Level level;
    level.addCoin({0.0f, 2.0f, 0.0f}, 0.0f);  // at time 0 and phase 0 the bob is 0
    const float reach = 0.28f * 0.5f + kBallRadius;
    const Vec3 atReach{reach, 2.0f, 0.0f};
    ASSERT_EQ(glm::length(atReach - Vec3(0.0f, 2.0f, 0.0f)), reach);

    EXPECT_TRUE(updateObjects(level.objects, 0.0f, 0.0f, atReach, kBallRadius).empty());
    EXPECT_FALSE(level.objects[0].collected);

    const Vec3 closer{std::nextafter(reach, 0.0f), 2.0f, 0.0f};
    EXPECT_EQ(updateObjects(level.objects, 0.0f, 0.0f, closer, kBallRadius), std::vector<int>{0});
}

TEST(LevelPickups, PowerupReachUsesItsLargestExtentAndTheBob) {
    Level level;
    level.addPowerup({0.0f, 1.0f, 0.0f}, Vec3(1.0f), 0.0f, PowerupType::SlowMo);  // size y 0.4
    const float time = 0.25f * 3.14159265f;  // sin(2t) = 1: the bob lifts it by 0.18
    // Beside the rest position but below the lifted centre: out of reach by 0.01.
    const Vec3 below{0.0f, 1.0f + 0.18f - (0.2f + kBallRadius) - 0.01f, 0.0f};
    EXPECT_TRUE(updateObjects(level.objects, 0.0f, time, below, kBallRadius).empty());
    const Vec3 above{0.0f, 1.0f + 0.18f + 0.2f + kBallRadius - 0.01f, 0.0f};
    EXPECT_EQ(updateObjects(level.objects, 0.0f, time, above, kBallRadius), std::vector<int>{0});
}

TEST(LevelPickups, EachPickupIsReturnedOnceInAscendingOrderAndThenFreezes) {
    Level level;
    level.addTile({}, Vec3(4.0f), Vec3(1.0f));
    level.addPowerup({}, Vec3(1.0f), 0.0f, PowerupType::Shield);
    level.addMovingTile({}, Vec3(1.0f), Vec3(1.0f), {1.0f, 0.0f, 0.0f}, 1.0f, 1.0f, 0.0f);
    level.addCoin({0.1f, 0.0f, 0.0f}, 0.0f);
    level.addCoin({50.0f, 0.0f, 0.0f}, 0.0f);

    EXPECT_EQ(updateObjects(level.objects, 0.1f, 0.0f, Vec3(0.0f), kBallRadius), (std::vector<int>{1, 3}));
    const float spinAtPickup = level.objects[3].anim;
    const float bobAtPickup = level.objects[3].bob;
    EXPECT_TRUE(updateObjects(level.objects, 0.1f, 1.0f, Vec3(0.0f), kBallRadius).empty());
    EXPECT_EQ(level.objects[3].anim, spinAtPickup);
    EXPECT_EQ(level.objects[3].bob, bobAtPickup);
    EXPECT_FALSE(level.objects[4].collected);
    EXPECT_EQ(collectedCoinCount(level.objects), 1);
}

TEST(LevelEnd, BoxFacesGrownByTheMarginAreInclusive) {
    Level level = levelWithEndBox();
    const float margin = 0.5f;
    struct Case {
        Vec3 p;
        bool inside;
    };
    const Case cases[] = {
        {{8.0f, 0.5f, -8.0f}, true},
        {{6.5f, 0.5f, -8.0f}, true},   // low x face
        {{9.5f, 0.5f, -8.0f}, true},   // high x face
        {{8.0f, -0.5f, -8.0f}, true},  // low y face
        {{8.0f, 1.5f, -8.0f}, true},
        {{8.0f, 0.5f, -9.5f}, true},
        {{8.0f, 0.5f, -6.5f}, true},
        {{9.5f, 1.5f, -6.5f}, true},   // a corner
        {{std::nextafter(6.5f, 0.0f), 0.5f, -8.0f}, false},
        {{std::nextafter(9.5f, 20.0f), 0.5f, -8.0f}, false},
        {{8.0f, std::nextafter(1.5f, 5.0f), -8.0f}, false},
        {{8.0f, 0.5f, std::nextafter(-9.5f, -20.0f)}, false},
        {{8.0f, 0.5f, 8.0f}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << " " << c.p.y << " " << c.p.z);
        EXPECT_EQ(isEndReached(level, c.p, margin), c.inside);
    }
}

TEST(LevelEnd, NeedsEveryCoinButNotThePowerups) {
    Level level = levelWithEndBox();
    const Vec3 centre = level.endTilePos;
    EXPECT_TRUE(isEndReached(level, centre, 0.5f));  // a level without coins
    level.addPowerup({}, Vec3(1.0f), 0.0f, PowerupType::Magnet);
    EXPECT_TRUE(isEndReached(level, centre, 0.5f));
    level.addCoin({}, 0.0f).collected = true;
    level.addCoin({}, 0.0f);
    EXPECT_FALSE(isEndReached(level, centre, 0.5f));
    level.objects.back().collected = true;
    EXPECT_TRUE(isEndReached(level, centre, 0.5f));
}

TEST(LevelEnd, NoEndTileMeansNeverReached) {
    Level level = levelWithEndBox();
    level.hasEndTile = false;
    for (const Vec3 p : {level.endTilePos, Vec3(0.0f), Vec3(6.5f, 0.5f, -8.0f)}) {
        EXPECT_FALSE(isEndReached(level, p, 100.0f));
    }
}

TEST(LevelEnd, ZeroSizedBoxLeavesOnlyTheMargin) {
    Level level = levelWithEndBox();
    level.endTileSize = Vec3(0.0f);
    EXPECT_TRUE(isEndReached(level, {8.5f, 0.5f, -8.0f}, 0.5f));
    EXPECT_FALSE(isEndReached(level, {8.5f, 0.5f, -8.0f}, 0.25f));
}

TEST(LevelPowerups, ValuesOutsideTheFiveTypesAreWhite) {
    EXPECT_EQ(powerupColor(static_cast<PowerupType>(5)), Vec3(1.0f));
    EXPECT_EQ(powerupColor(static_cast<PowerupType>(-1)), Vec3(1.0f));
}
