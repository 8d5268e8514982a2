// How each kind of tile treats the ball, through the physics step and the contact response.
#include "physics/TileBehaviours.h"

#include "PhysicsRig.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ResolveContact, SupportsOnlyAboveSevenTenthsAndRemovesOnlyTheSpeedIntoTheSurface) {
    const Vec3 v(-1.0f, -3.0f, 0.5f);
    for (const float y : {0.7f, std::nextafter(0.7f, 1.0f), 1.0f, 0.0f, -1.0f}) {
        SCOPED_TRACE(y);
        const Vec3 n(std::sqrt(1.0f - y * y), y, 0.0f);
        const bool supporting = y > 0.7f;
        Ball ball = ballAt(Vec3(0.0f), v);
        resolveContact(ball, n, 0.1f);
        EXPECT_EQ(ball.grounded, supporting);
        EXPECT_LT(glm::distance(ball.position, n * 0.1f), 1e-6f);
        const Vec3 kept = v - n * std::min(0.0f, glm::dot(v, n));  // nothing reflected, nothing taken moving away
        EXPECT_LT(glm::distance(ball.velocity, supporting ? Vec3(kept.x, 0.0f, kept.z) : kept), 1e-5f);
        SceneObject bouncy;  // a bouncy side is a wall
        bouncy.tileType = TileType::Bouncy;
        Ball bounced = ballAt(Vec3(0.0f), v);
        applyTileContact(bounced, bouncy, n, 0.1f, 1.0f / 60.0f);
        EXPECT_EQ(bounced.velocity.y > 0.0f, supporting);
    }
}

TEST(TileBehaviours, TopSetsFrictionSurfaceAndBounceWhileEverySideIsAWallThatOnlyWearsCrumble) {
    using T = TileType;
    const float floorBounce = 7.5600004f;  // 1.8 x the floor speed 4.2000003
    struct Case { T type; bool side; float vy, progress, rebound, friction; int surface; float progressAfter; };
    const Case cases[] = {
        {T::Normal, false, -0.3f, 0, 0, 0.82f, 0, 0},    {T::Teleport, false, -0.3f, 0, 0, 0.82f, 0, 0},
        {T(42), false, -0.3f, 0, 0, 0.82f, 0, 0},        {T::Ice, false, -0.3f, 0, 0, 0.995f, 1, 0},
        {T::Bouncy, false, -10, 0, 18, 0.82f, 2, 0},     {T::Bouncy, false, -1, 0, floorBounce, 0.82f, 2, 0},
        {T::Bouncy, false, 0, 0, floorBounce, 0.82f, 2, 0}, {T::Bouncy, false, 3, 0, floorBounce, 0.82f, 2, 0},
        {T::Bouncy, false, -25, 0, 18, 0.82f, 2, 0},     // capped
        {T::Ice, true, -1, 0, -1, 0.82f, 0, 0},          {T::Bouncy, true, -1, 0, -1, 0.82f, 0, 0},
        {T::Conveyor, true, -1, 0, -1, 0.82f, 0, 0},     {T::Crumble, true, -1, 0.3f, -1, 0.82f, 0, 0.1f},
        {T::Crumble, true, -1, 0.15f, -1, 0.82f, 0, 0},  // side contact wears 2 x dt off, down to 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.type) << (c.side ? " side" : " top") << ", vy " << c.vy);
        Level level;
        SceneObject& tile = addFloor(level, c.type);
        tile.moveAxis = {0.0f, 0.0f, 1.0f};
        tile.crumbleProgress = c.progress;
        PhysicsWorld world;
        Ball ball = c.side ? ballAt({2.45f, -0.5f, 0.0f}, {-2.0f, c.vy, 0.0f})  // into the face x = 2
                           : ballAt({0.2f, 0.48f, 0.1f}, {1.0f, c.vy, -0.5f});
        ball.friction = 0.5f;
        ball.surface = 9;
        world.step(ball, level.objects, 0.1f);
        EXPECT_NEAR(c.side ? ball.position.x : ball.position.y, c.side ? 2.5f : 0.5f, 1e-4f);
        EXPECT_NEAR(ball.velocity.y, c.rebound, c.type == T::Bouncy && !c.side ? 0.0f : 1e-5f);
        EXPECT_LT(glm::distance(Vec2(ball.velocity.x, ball.velocity.z), c.side ? Vec2(0.0f) : Vec2(1.0f, -0.5f)), 1e-5f);
        EXPECT_EQ(ball.grounded, c.rebound == 0.0f);
        EXPECT_EQ(ball.friction, c.friction);
        EXPECT_EQ(ball.surface, c.surface);
        EXPECT_NEAR(tile.crumbleProgress, c.progressAfter, 1e-6f);
    }
}

TEST(TileBehaviours, BallLeftOnAThinBouncyPadAtTheSlowestStepNeitherClimbsForeverNorTunnels) {
    Level level;
    addFloor(level, TileType::Bouncy, {4.0f, 0.5f, 4.0f});
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    const HeightRange range = simulate(world, ball, level.objects, 1200, 0.05f);
    EXPECT_GT(range.low, -1.0f);
    EXPECT_LT(range.high, 0.5f + 18.0f * 18.0f / 40.0f + 1.0f);
}

TEST(TileBehaviours, CrumbleGivesWayAfterTheEighthTenthAndReturnsFiveSecondsLater) {
    Level level;
    SceneObject& tile = addFloor(level, TileType::Crumble);
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    const auto frame = [&] { simulate(world, ball, level.objects, 1, 0.1f); };
    for (int i = 1; i <= 7; ++i) {
        frame();
        EXPECT_EQ(ball.surface, static_cast<int>(TileType::Crumble)) << i;
        EXPECT_NEAR(tile.crumbleProgress, 0.1f * static_cast<float>(i), 1e-5f) << i;
        for (int away = 0; away < (i == 4 ? 20 : 0); ++away) {  // untouched: no decay
            Ball other = ballAt({20.0f, 0.5f, 0.0f}, Vec3(0.0f));
            world.step(other, level.objects, 0.1f);
        }
    }
    EXPECT_FALSE(tile.crumbled);
    frame();
    EXPECT_TRUE(tile.crumbled);
    EXPECT_EQ(tile.crumbleProgress, 0.0f);
    frame();
    EXPECT_FALSE(ball.grounded);
    EXPECT_LT(ball.position.y, 0.45f);
    int stepsGone = 1;
    for (; tile.crumbled && stepsGone < 100; ++stepsGone) frame();
    EXPECT_GE(stepsGone, 50);
    EXPECT_LE(stepsGone, 51);
    EXPECT_EQ(tile.crumbleProgress, 0.0f);
    EXPECT_FALSE(world.tileBodies[0].body->getCollisionFlags() & btCollisionObject::CF_NO_CONTACT_RESPONSE);
}

TEST(TileBehaviours, ConveyorPushesAlongTheHorizontalPartOfItsAxis) {
    const std::pair<Vec3, Vec2> cases[] = {{{0, 0, 1}, {0, 5}}, {{3, 7, -4}, {3, -4}}, {{0, 1, 0}, {0, 0}},
                                           {{0.0005f, 0, 0}, {0.0025f, 0}}};  // too short to normalise
    for (const auto& [axis, push] : cases) {
        SCOPED_TRACE(testing::Message() << axis.x << " " << axis.y << " " << axis.z);
        Level level;
        addFloor(level, TileType::Conveyor).moveAxis = axis;
        PhysicsWorld world;
        Ball ball = ballAt({0.2f, 0.49f, 0.1f}, {1.0f, -0.3f, 0.0f});
        for (int i = 0; i < 10; ++i, ball.position.y = 0.49f) world.step(ball, level.objects, 0.1f);
        EXPECT_EQ(ball.surface, static_cast<int>(TileType::Conveyor));
        EXPECT_LT(glm::distance(Vec2(ball.velocity.x, ball.velocity.z), Vec2(1.0f, 0.0f) + push), 1e-4f);
    }
}

TEST(TileBehaviours, MovingTileBodyIsWhereTheTileWasDrawnLastFrameAndCollidesThere) {
    Level level;
    level.addMovingTile({0.0f, -0.5f, 0.0f}, {2.0f, 1.0f, 2.0f}, Vec3(0.5f), {1.0f, 0.0f, 0.0f}, 10.0f, 1.5f, 0.0f);
    PhysicsWorld world;
    Ball parked = ballAt({50.0f, 50.0f, 50.0f}, Vec3(0.0f));
    Sim sim{world, parked, level.objects};
    for (int frame = 1; frame <= 30; ++frame) {
        const float drawnAt = level.objects[0].moveOffset;
        sim.frame();
        ASSERT_NE(drawnAt, level.objects[0].moveOffset);
        btTransform moved;
        world.tileBodies[0].motionState->getWorldTransform(moved);
        EXPECT_EQ(Vec2(world.tileBodies[0].body->getWorldTransform().getOrigin().x(), moved.getOrigin().x()), Vec2(drawnAt));
    }
    const float drawnAt = level.objects[0].moveOffset;
    for (const float x : {0.0f, drawnAt}) {  // only where it was drawn last frame
        Ball ball = ballAt({x, 0.49f, 0.0f}, {0.0f, -0.3f, 0.0f});
        world.step(ball, level.objects, 1.0f / 60.0f);
        EXPECT_EQ(ball.grounded, x == drawnAt);
    }
}
