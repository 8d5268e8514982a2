// The level model: moving-tile axes, pick-ups, animation clocks and the end test.
#include "level/Level.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const Vec3 kFarAway{1000.0f};
}  // namespace

// A zero, tiny, huge or non-finite axis must not put NaN into the tile.
TEST(LevelAdders, MovingTileAxisIsUnitOrZeroSoTheTileNeverGetsNaN) {
    const struct { Vec3 axis, unit; } cases[] = {
        {{3, 0, 4}, {0.6f, 0, 0.8f}}, {{1e30f, 0, 0}, {1, 0, 0}}, {{0, 0, -1e-30f}, {0, 0, -1}}, {{1e-45f, 0, 0}, {1, 0, 0}},
        {{3e38f, 3e38f, 0}, {0.70710678f, 0.70710678f, 0}}, {Vec3(0), Vec3(0)}, {{INFINITY, 0, 0}, Vec3(0)}, {{0, NAN, 1}, Vec3(0)}};
    for (const auto& c : cases) {
        Level level;
        level.addMovingTile({1, 2, 3}, Vec3(1), Vec3(1), c.axis, 3.0f, 1.5f, 0.0f);
        updateObjects(level.objects, 0.7f, 0.0f, kFarAway, 0.5f);
        const SceneObject& tile = level.objects[0];
        EXPECT_NEAR(glm::length(tile.moveAxis - c.unit), 0.0f, 1e-6f) << c.axis.x << " " << c.axis.y << " " << c.axis.z;
        EXPECT_TRUE(std::isfinite(glm::length(tile.pos + tile.moveAxis * tile.moveOffset)));
    }
}

TEST(LevelAnimation, SpinWrapsOnceAndBobAndTilesRunOnTheirClocks) {
    for (const auto& [anim, dt, expected] : {std::tuple{359.9f, 0.01f, 0.8f}, {270.0f, 1.0f, 0.0f}, {0.0f, 9.0f, 450.0f}}) {
        Level level;
        level.addCoin({}, 0.0f).anim = anim;
        updateObjects(level.objects, dt, 0.0f, kFarAway, 0.5f);
        EXPECT_NEAR(level.objects[0].anim, expected, 1e-3f) << anim << " + " << dt << " s";
    }
    Level level;
    level.addPowerup({}, Vec3(1), 0.3f, PowerupType::Magnet);
    level.addMovingTile({}, Vec3(1), Vec3(1), {0, 0, 1}, 2.5f, 1.8f, 7.0f);
    for (const float time : {12.25f, 3.0f}) {  // the bob follows the game clock, not the steps
        updateObjects(level.objects, 0.25f, time, kFarAway, 0.5f);
        EXPECT_FLOAT_EQ(level.objects[0].bob, std::sin(2.0f * time + 0.3f) * 0.18f);
    }
    EXPECT_FLOAT_EQ(level.objects[1].moveOffset, std::sin(0.5f * 1.8f) * 2.5f);  // its own clock, not the given 7
}

TEST(LevelPickups, ReachIsStrictUsesTheLargestExtentAndTheBobAndPicksOnce) {
    Level level;
    level.addCoin({0, 2, 0}, 0.0f);  // at time 0 and phase 0 the bob is 0
    const float reach = 0.28f * 0.5f + 0.5f;
    EXPECT_TRUE(updateObjects(level.objects, 0.0f, 0.0f, {reach, 2, 0}, 0.5f).empty());
    EXPECT_EQ(updateObjects(level.objects, 0.0f, 0.0f, {std::nextafter(reach, 0.0f), 2, 0}, 0.5f), std::vector{0});
    EXPECT_TRUE(updateObjects(level.objects, 0.1f, 0.0f, {0, 2, 0}, 0.5f).empty());
    level.addPowerup({5, 1, 0}, Vec3(1), 0.0f, PowerupType::SlowMo);  // half height 0.2: reach 0.7
    const float time = 0.25f * 3.14159265f;                            // sin(2t) = 1 lifts it to 1.18
    EXPECT_TRUE(updateObjects(level.objects, 0.0f, time, {5, 1.18f - 0.71f, 0}, 0.5f).empty());
    EXPECT_EQ(updateObjects(level.objects, 0.0f, time, {5, 1.18f + 0.69f, 0}, 0.5f), std::vector{1});
}

TEST(LevelEnd, NeedsAnEndTileEveryCoinAndABallInTheInclusiveGrownBox) {
    Level level;
    level.hasEndTile = true;
    level.endTilePos = {8, 0.5f, -8};  // spans x 7..9, y 0..1, z -9..-7
    level.endTileSize = {2, 1, 2};
    const struct { Vec3 p; bool inside; } cases[] = {
        {{6.5f, 0.5f, -8}, true}, {{9.5f, 1.5f, -6.5f}, true}, {{8, -0.5f, -9.5f}, true}, {{std::nextafter(6.5f, 0.0f), 0.5f, -8}, false},
        {{8, std::nextafter(1.5f, 2.0f), -8}, false}, {{8, 0.5f, std::nextafter(-9.5f, -10.0f)}, false}};
    for (const auto& c : cases) EXPECT_EQ(isEndReached(level, c.p, 0.5f), c.inside) << c.p.x << " " << c.p.y << " " << c.p.z;
    level.addCoin({}, 0.0f);
    EXPECT_FALSE(isEndReached(level, level.endTilePos, 0.5f));
    level.objects[0].collected = true;
    level.addPowerup({}, Vec3(1), 0.0f, PowerupType::Magnet);  // an untaken powerup does not hold the end back
    EXPECT_TRUE(isEndReached(level, level.endTilePos, 0.5f));
    level.hasEndTile = false;
    EXPECT_FALSE(isEndReached(level, level.endTilePos, 100.0f));
}
