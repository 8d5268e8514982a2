// How each kind of tile treats the ball: one contact through the resolver, and
// whole steps of the collision world for bounces, crumbling and moving tiles.
#include "physics/TileBehaviours.h"

#include "PhysicsRig.h"
#include "physics/ContactResolver.h"

#include <gtest/gtest.h>

// One contact 0.02 deep along `normal` with a tile of `type` whose belt runs along `belt`.
static Ball touch(TileType type, Vec3 normal, Vec3 velocity, float dt = kStepSeconds, float* crumble = nullptr,
                  Vec3 belt = {0, 0, 1}) {
    Level level;
    addFloor(level, type).moveAxis = belt;
    LevelRun run = startRun(level);
    if (crumble) run.objects[0].crumbleProgress = *crumble;
    Ball ball;
    ball.velocity = velocity;
    ball.friction = 0.5f;
    std::vector<Contact> contacts = {{normal, 0.02f, 0}};
    resolveContacts(ball, level.objects, run, contacts, dt);
    if (crumble) *crumble = run.objects[0].crumbleProgress;
    return ball;
}

TEST(TileBehaviours, OnlyANormalAboveSevenTenthsSupportsAndOnlyTheSpeedIntoTheSurfaceGoes) {
    const Vec3 v(-1.0f, -3.0f, 0.5f);
    for (const float y : {0.7f, std::nextafter(0.7f, 1.0f), 1.0f, 0.0f, -1.0f}) {
        const Vec3 n(std::sqrt(1.0f - y * y), y, 0.0f);
        const Ball ball = touch(TileType::Normal, n, v);
        const Vec3 kept = v - n * std::min(0.0f, glm::dot(v, n));  // nothing reflected, nothing taken moving away
        EXPECT_EQ(ball.grounded, y > 0.7f) << y;
        EXPECT_LT(glm::distance(ball.position, Vec3(0.0f, 0.5f, 0.0f) + n * 0.02f), 1e-6f) << y;
        EXPECT_LT(glm::distance(ball.velocity, y > 0.7f ? Vec3(kept.x, 0.0f, kept.z) : kept), 1e-5f) << y;
        EXPECT_EQ(touch(TileType::Bouncy, n, v).velocity.y > 0.0f, y > 0.7f) << y;  // a bouncy side is a wall
    }
}

TEST(TileBehaviours, TopsSetFrictionSurfaceAndBounceWhileEverySideIsAWall) {
    using T = TileType;
    const float floorBounce = kBounceFloor * kBounceGain;  // a ball never comes to rest on a pad
    struct Case { T type; bool side; float vy, rebound, friction; T surface; };
    const float grip = kNormalFriction, ice = kIceFriction;
    for (const Case& c : {Case{T::Normal, false, -0.3f, 0, grip, T::Normal}, {T(42), false, -0.3f, 0, grip, T::Normal},
                          {T::Teleport, false, -0.3f, 0, grip, T::Normal}, {T::Ice, false, -0.3f, 0, ice, T::Ice},
                          {T::Bouncy, false, -10, 18, grip, T::Bouncy},
                          {T::Bouncy, false, 3, floorBounce, grip, T::Bouncy},
                          {T::Bouncy, false, -1, floorBounce, grip, T::Bouncy},
                          {T::Bouncy, false, -25, kBounceMaxRebound, grip, T::Bouncy},  // not 45
                          {T::Ice, true, -1, -1, grip, T::Normal}, {T::Bouncy, true, -1, -1, grip, T::Normal},
                          {T::Conveyor, true, -1, -1, grip, T::Normal}, {T::Crumble, true, -1, -1, grip, T::Normal}}) {
        const Ball ball = touch(c.type, c.side ? Vec3(1, 0, 0) : Vec3(0, 1, 0), {c.side ? -2.0f : 1.0f, c.vy, -0.5f});
        EXPECT_TRUE(std::abs(ball.velocity.y - c.rebound) < 1e-5f && ball.grounded == (c.rebound == 0.0f) &&
                    ball.velocity.x == (c.side ? 0.0f : 1.0f) && ball.velocity.z == -0.5f &&
                    ball.friction == c.friction && ball.surface == static_cast<int>(c.surface))
            << static_cast<int>(c.type) << (c.side ? " side" : " top") << ", vy " << c.vy << " gave vy "
            << ball.velocity.y << ", surface " << ball.surface << ", friction " << ball.friction;
    }
}

TEST(TileBehaviours, AConveyorPushesAlongTheLevelPartOfItsBeltAndOnlyFromAbove) {
    for (const auto& [belt, push] : {std::pair{Vec3(0, 0, 1), Vec2(0, 5)}, {Vec3(3, 7, -4), Vec2(3, -4)},
                                     {Vec3(0, 1, 0), Vec2(0)}, {Vec3(0.0005f, 0, 0), Vec2(0.0025f, 0)}}) {
        const Ball ball = touch(TileType::Conveyor, {0, 1, 0}, {1.0f, -0.3f, 0.0f}, 1.0f, nullptr, belt);
        EXPECT_LT(glm::distance(Vec2(ball.velocity.x, ball.velocity.z), Vec2(1, 0) + push), 1e-5f) << belt.x;
    }
    EXPECT_EQ(touch(TileType::Conveyor, {0, 0, 1}, Vec3(0.0f), 1.0f).velocity, Vec3(0.0f));
}

TEST(TileBehaviours, APadThrowsAFallOfUpToEightUnitsBackAtOnePointEightTimesItsLandingSpeed) {
    for (const float height : {0.0f, 1.0f, 4.0f, 8.0f}) {
        Rig rig;
        addFloor(rig.level, TileType::Bouncy);
        rig.load({0.0f, 0.5f + height, 0.0f});
        float landing = 0.0f;
        while (rig.ball.velocity.y <= 0.0f && rig.ball.position.y > -1.0f) {
            updateBall(rig.ball, kStepSeconds, {}, 1.0f, false);
            landing = -rig.ball.velocity.y;
            rig.world.step(rig.ball, rig.level, rig.run, kStepSeconds);
        }
        EXPECT_NEAR(landing, std::sqrt(40.0f * height), 0.5f) << height;
        EXPECT_FLOAT_EQ(rig.ball.velocity.y, std::max(landing, kBounceFloor) * kBounceGain) << height;
    }
    Rig left;  // a ball left on a pad climbs to its capped rebound and never higher
    addFloor(left.level, TileType::Bouncy, {4.0f, 0.5f, 4.0f});
    left.load({0.0f, 0.5f, 0.0f});
    left.measure(60 * 120);
    EXPECT_GT(left.low, 0.45f);
    EXPECT_NEAR(left.high, 0.5f + kBounceMaxRebound * kBounceMaxRebound / 40.0f, 0.6f);
}

TEST(TileBehaviours, CrumbleGivesWayAfterEightTenthsOfStandingAndReturnsFiveSecondsLater) {
    Rig rig;
    addFloor(rig.level, TileType::Crumble);
    rig.load({0.0f, 0.5f, 0.0f});
    const ObjectState& tile = rig.run.objects[0];
    int stood = 0;
    for (; !tile.crumbled && stood < 100; ++stood) {
        rig.measure(1);
        if (stood != 20) continue;
        const float progress = tile.crumbleProgress;  // untouched, the progress stays
        Ball away = rig.ball;
        away.position.x += 20.0f;
        for (int i = 0; i < 30; ++i) rig.world.step(away, rig.level, rig.run, kStepSeconds);
        EXPECT_EQ(tile.crumbleProgress, progress);
    }
    EXPECT_NEAR(stood * kStepSeconds, kCrumbleDelay, kStepSeconds * 1.01f);
    rig.measure(1);
    EXPECT_FALSE(rig.ball.grounded);
    int gone = 1;
    for (; tile.crumbled && gone < 1000; ++gone) rig.measure(1);
    EXPECT_NEAR(gone * kStepSeconds, kCrumbleRespawn, kStepSeconds * 1.01f);
    EXPECT_FALSE(tile.crumbleProgress != 0.0f || rig.world.bodies()[0].body->getCollisionFlags() &
                                                      btCollisionObject::CF_NO_CONTACT_RESPONSE);
    for (float progress : {0.3f, 0.01f}) {  // a side contact wears progress off at 2 per second, down to 0
        const float before = progress;
        touch(TileType::Crumble, {1, 0, 0}, Vec3(0.0f), 0.1f, &progress);
        EXPECT_NEAR(progress, std::max(0.0f, before - 0.2f), 1e-6f);
    }
}

TEST(TileBehaviours, AMovingTileCollidesWhereItsRunStateHasItThisStep) {
    Rig rig;
    rig.level.addMovingTile({0.0f, -0.5f, 0.0f}, {2.0f, 1.0f, 2.0f}, Vec3(0.5f), {1, 0, 0}, 10.0f, 1.5f, 0.0f);
    for (const float x : {0.0f, 4.0f}) {
        rig.load({x, 0.49f, 0.0f}, {0.0f, -0.3f, 0.0f});
        rig.run.objects[0].moveOffset = 4.0f;
        rig.world.step(rig.ball, rig.level, rig.run, kStepSeconds);
        EXPECT_EQ(rig.world.bodies()[0].body->getWorldTransform().getOrigin().x(), 4.0f);
        EXPECT_EQ(rig.ball.grounded, x == 4.0f) << x;
    }
}
