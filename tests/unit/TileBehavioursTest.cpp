// How each kind of tile treats the ball, through the real physics step and
// through the contact response itself.
#include "physics/TileBehaviours.h"

#include "app/Ball.h"
#include "app/Input.h"
#include "config/Config.h"
#include "level/Level.h"
#include "physics/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kDt = 1.0f / 60.0f;

// A single 4 x 1 x 4 tile of `type` whose top face is y = 0.
Level levelWithTile(TileType type) {
    Level level;
    level.addTile({0.0f, -0.5f, 0.0f}, {4.0f, 1.0f, 4.0f}, Vec3(0.5f)).tileType = type;
    return level;
}

Ball ballAt(Vec3 position, Vec3 velocity) {
    Ball ball;
    resetBall(ball, position);
    ball.velocity = velocity;
    ball.grounded = false;
    return ball;
}

// Just inside the top face, falling a little as gravity leaves it each frame.
Ball ballOnTop() { return ballAt({0.2f, 0.49f, 0.1f}, {0.0f, -0.3f, 0.0f}); }

// Just inside the side face x = 2, rolling into it.
Ball ballAtSide() { return ballAt({2.45f, -0.5f, 0.0f}, {-2.0f, 0.0f, 0.0f}); }

// A unit normal in the x-y plane with the given y.
Vec3 normalWithY(float y) { return {std::sqrt(1.0f - y * y), y, 0.0f}; }

}  // namespace

TEST(ResolveContact, SupportsOnlyAboveSevenTenthsOfUp) {
    struct Case { float normalY; bool supporting; };
    const Case cases[] = {
        {0.7f, false},
        {std::nextafter(0.7f, 1.0f), true},
        {1.0f, true},
        {0.0f, false},
        {-1.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.normalY);
        Ball ball = ballAt(Vec3(0.0f), {0.0f, -3.0f, 0.0f});
        const Vec3 n = normalWithY(c.normalY);
        resolveContact(ball, n, 0.1f);
        EXPECT_EQ(ball.grounded, c.supporting);
        EXPECT_NEAR(glm::length(ball.position - n * 0.1f), 0.0f, 1e-6f);
        EXPECT_GE(glm::dot(ball.velocity, n), -1e-6f);  // nothing left going into the surface
        if (c.supporting) {
            EXPECT_EQ(ball.velocity.y, 0.0f);
        }
    }
}

TEST(ResolveContact, NothingIsReflected) {
    Ball ball = ballAt(Vec3(0.0f), {0.0f, -5.0f, 2.0f});
    resolveContact(ball, {0.0f, 0.0f, -1.0f}, 0.0f);  // a wall facing -z, hit at +2
    EXPECT_EQ(ball.velocity, Vec3(0.0f, -5.0f, 0.0f));
}

TEST(TileBehaviours, PlainAndTeleportTilesGroundWithNormalFriction) {
    for (const TileType type : {TileType::Normal, TileType::Teleport, static_cast<TileType>(42)}) {
        SCOPED_TRACE(static_cast<int>(type));
        Level level = levelWithTile(type);
        PhysicsWorld world;
        Ball ball = ballOnTop();
        ball.friction = 0.995f;
        ball.surface = 1;
        world.step(ball, level.objects, kDt);
        EXPECT_TRUE(ball.grounded);
        EXPECT_EQ(ball.surface, 0);
        EXPECT_EQ(ball.friction, 0.82f);
        EXPECT_NEAR(ball.position.y, 0.5f, 1e-4f);
    }
}

TEST(TileBehaviours, IceSetsItsFrictionOnlyWhileStoodOn) {
    Level level = levelWithTile(TileType::Ice);
    PhysicsWorld world;
    Ball top = ballOnTop();
    world.step(top, level.objects, kDt);
    EXPECT_TRUE(top.grounded);
    EXPECT_EQ(top.friction, 0.995f);
    EXPECT_EQ(top.surface, static_cast<int>(TileType::Ice));

    Ball side = ballAtSide();
    side.friction = 0.995f;
    world.step(side, level.objects, kDt);
    EXPECT_FALSE(side.grounded);
    EXPECT_EQ(side.friction, 0.82f);
    EXPECT_EQ(side.surface, 0);
    EXPECT_NEAR(side.position.x, 2.5f, 1e-4f);
    EXPECT_NEAR(side.velocity.x, 0.0f, 1e-5f);

    // Rolled off the ice onto nothing: the next step forgets it.
    Ball away = top;
    away.position = {10.0f, 0.5f, 0.0f};
    world.step(away, level.objects, kDt);
    EXPECT_EQ(away.friction, 0.82f);
}

TEST(TileBehaviours, IceKeepsTheBallSlidingLongerThanStone) {
    struct Case { TileType type; };
    float slid[2] = {0.0f, 0.0f};
    int i = 0;
    for (const Case c : {Case{TileType::Normal}, Case{TileType::Ice}}) {
        Level level;
        level.addTile({0.0f, -0.5f, 0.0f}, {100.0f, 1.0f, 4.0f}, Vec3(0.5f)).tileType = c.type;
        PhysicsWorld world;
        Ball ball = ballAt({-40.0f, 0.5f, 0.0f}, {6.0f, 0.0f, 0.0f});
        ball.grounded = true;
        const Input input;
        const Config config;
        for (int frame = 0; frame < 120; ++frame) {
            updateBall(ball, kDt, input, Vec3(0.0f, 0.0f, -1.0f), Vec3(1.0f, 0.0f, 0.0f), config, 1.0f, false);
            world.step(ball, level.objects, kDt);
        }
        slid[i++] = ball.position.x + 40.0f;
    }
    // Stone: 6 * 0.82 / 0.18 / 60 = 0.46 units; ice loses only 0.5 % a frame.
    EXPECT_NEAR(slid[0], 6.0f * 0.82f / 0.18f / 60.0f, 0.02f);
    EXPECT_GT(slid[1], 10.0f * slid[0]);
}

TEST(TileBehaviours, BouncyThrowsTheBallUpByOnePointEightOfItsLandingSpeed) {
    struct Case { float landing; float rebound; };
    const Case cases[] = {{-10.0f, 18.0f}, {-1.0f, 7.5600004f}, {0.0f, 7.5600004f},
                          {3.0f, 7.5600004f}, {-4.2f, 7.5600004f},
                          {-25.0f, 18.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.landing);
        Level level = levelWithTile(TileType::Bouncy);
        PhysicsWorld world;
        Ball ball = ballAt({0.2f, 0.48f, 0.1f}, {1.0f, c.landing, -0.5f});
        ball.friction = 0.995f;
        world.step(ball, level.objects, kDt);
        EXPECT_EQ(ball.velocity.y, c.rebound);
        EXPECT_NEAR(ball.velocity.x, 1.0f, 1e-5f);
        EXPECT_NEAR(ball.velocity.z, -0.5f, 1e-5f);
        EXPECT_FALSE(ball.grounded);
        EXPECT_EQ(ball.surface, static_cast<int>(TileType::Bouncy));
        EXPECT_EQ(ball.friction, 0.82f);
        EXPECT_NEAR(ball.position.y, 0.5f, 1e-4f);
    }
}

TEST(TileBehaviours, BallCannotComeToRestOnABouncyTile) {
    Level level = levelWithTile(TileType::Bouncy);
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    const Input input;
    const Config config;
    float highest = 0.0f;
    for (int frame = 0; frame < 40; ++frame) {  // the first bounce only
        updateBall(ball, kDt, input, Vec3(0.0f, 0.0f, -1.0f), Vec3(1.0f, 0.0f, 0.0f), config, 1.0f, false);
        world.step(ball, level.objects, kDt);
        highest = std::max(highest, ball.position.y);
    }
    // 7.56 up under gravity 20 rises about 1.43.
    EXPECT_NEAR(highest - 0.5f, 7.5600004f * 7.5600004f / 40.0f, 0.1f);
}

TEST(TileBehaviours, BallLeftOnABouncyPadNeitherGainsHeightForeverNorFallsThrough) {
    // A thin pad and the slowest frame the game allows: the worst case for tunnelling.
    Level level;
    level.addTile({0.0f, -0.25f, 0.0f}, {4.0f, 0.5f, 4.0f}, Vec3(0.5f)).tileType = TileType::Bouncy;
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    const Input input;
    const Config config;
    const float dt = 0.05f;
    float highest = 0.0f;
    for (int frame = 0; frame < 1200; ++frame) {  // a minute of bouncing
        updateBall(ball, dt, input, Vec3(0.0f, 0.0f, -1.0f), Vec3(1.0f, 0.0f, 0.0f), config, 1.0f, false);
        world.step(ball, level.objects, dt);
        ASSERT_GT(ball.position.y, -1.0f) << "fell through at frame " << frame;
        highest = std::max(highest, ball.position.y);
    }
    EXPECT_LT(highest, 0.5f + 18.0f * 18.0f / 40.0f + 1.0f);
}

TEST(TileBehaviours, BouncySideBlocksLikeAWall) {
    Level level = levelWithTile(TileType::Bouncy);
    PhysicsWorld world;
    Ball ball = ballAtSide();
    ball.velocity.y = -1.0f;
    world.step(ball, level.objects, kDt);
    EXPECT_NEAR(ball.position.x, 2.5f, 1e-4f);
    EXPECT_NEAR(ball.velocity.x, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(ball.velocity.y, -1.0f);
    EXPECT_EQ(ball.surface, 0);
}

TEST(TileBehaviours, BouncyAtExactlySevenTenthsIsASide) {
    SceneObject tile;
    tile.tileType = TileType::Bouncy;
    Ball ball = ballAt(Vec3(0.0f), {0.0f, -2.0f, 0.0f});
    applyTileContact(ball, tile, normalWithY(0.7f), 0.01f, kDt);
    EXPECT_LT(ball.velocity.y, 0.0f);
    EXPECT_EQ(ball.surface, 0);
}

TEST(TileBehaviours, CrumbleGivesWayAfterTheEighthTenthAndReturnsFiveSecondsLater) {
    Level level = levelWithTile(TileType::Crumble);
    SceneObject& tile = level.objects[0];
    PhysicsWorld world;
    const Input input;
    const Config config;
    const float dt = 0.1f;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    ball.grounded = true;
    auto frame = [&] {
        updateBall(ball, dt, input, Vec3(0.0f, 0.0f, -1.0f), Vec3(1.0f, 0.0f, 0.0f), config, 1.0f, false);
        world.step(ball, level.objects, dt);
    };
    for (int i = 1; i <= 7; ++i) {
        frame();
        SCOPED_TRACE(i);
        EXPECT_TRUE(ball.grounded);
        EXPECT_EQ(ball.surface, static_cast<int>(TileType::Crumble));
        EXPECT_FALSE(tile.crumbled);
        EXPECT_NEAR(tile.crumbleProgress, 0.1f * static_cast<float>(i), 1e-5f);
    }
    frame();
    EXPECT_TRUE(tile.crumbled);
    EXPECT_EQ(tile.crumbleProgress, 0.0f);
    EXPECT_EQ(tile.crumbleRespawn, 5.0f);
    const float restingHeight = ball.position.y;

    frame();  // gone from the next step on
    EXPECT_FALSE(ball.grounded);
    EXPECT_LT(ball.position.y, restingHeight);
    EXPECT_TRUE(world.tileBodies[0].body->getCollisionFlags() & btCollisionObject::CF_NO_CONTACT_RESPONSE);

    int stepsGone = 1;
    while (tile.crumbled && stepsGone < 100) {
        frame();
        ++stepsGone;
    }
    EXPECT_GE(stepsGone, 50);
    EXPECT_LE(stepsGone, 51);
    EXPECT_EQ(tile.crumbleProgress, 0.0f);
    EXPECT_FALSE(world.tileBodies[0].body->getCollisionFlags() & btCollisionObject::CF_NO_CONTACT_RESPONSE);
    EXPECT_LT(ball.position.y, -50.0f);  // it fell while the tile was away
}

TEST(TileBehaviours, CrumbleProgressWaitsWhileTheBallIsAway) {
    Level level = levelWithTile(TileType::Crumble);
    SceneObject& tile = level.objects[0];
    PhysicsWorld world;
    const float dt = 0.1f;
    auto stand = [&] {
        Ball ball = ballOnTop();
        world.step(ball, level.objects, dt);
    };
    for (int i = 0; i < 5; ++i) stand();
    for (int i = 0; i < 20; ++i) {
        Ball away = ballAt({20.0f, 0.5f, 0.0f}, Vec3(0.0f));
        world.step(away, level.objects, dt);
    }
    EXPECT_NEAR(tile.crumbleProgress, 0.5f, 1e-6f);
    stand();
    stand();
    EXPECT_FALSE(tile.crumbled);
    stand();
    EXPECT_TRUE(tile.crumbled);
}

TEST(TileBehaviours, CrumbleSideContactWearsProgressOffAtTwiceTheRate) {
    struct Case { float before; float after; };
    for (const Case c : {Case{0.3f, 0.1f}, Case{0.15f, 0.0f}, Case{0.0f, 0.0f}}) {
        SCOPED_TRACE(c.before);
        Level level = levelWithTile(TileType::Crumble);
        level.objects[0].crumbleProgress = c.before;
        PhysicsWorld world;
        Ball ball = ballAtSide();
        world.step(ball, level.objects, 0.1f);
        EXPECT_NEAR(level.objects[0].crumbleProgress, c.after, 1e-6f);
        EXPECT_GE(level.objects[0].crumbleProgress, 0.0f);
        EXPECT_NEAR(ball.position.x, 2.5f, 1e-4f);  // still solid from the side
        EXPECT_EQ(ball.surface, 0);
    }
}

TEST(TileBehaviours, CrumbledTileIsNotCollidedWith) {
    Level level = levelWithTile(TileType::Crumble);
    level.objects[0].crumbled = true;
    level.objects[0].crumbleRespawn = 3.0f;
    PhysicsWorld world;
    Ball ball = ballOnTop();
    const Vec3 before = ball.position;
    world.step(ball, level.objects, kDt);
    EXPECT_EQ(ball.position, before);
    EXPECT_FALSE(ball.grounded);
    EXPECT_FLOAT_EQ(level.objects[0].crumbleRespawn, 3.0f - kDt);
}

TEST(TileBehaviours, ConveyorPushesAlongItsBeltInTheHorizontalPlane) {
    struct Case { const char* name; Vec3 axis; Vec2 push; };
    const Case cases[] = {
        {"along z", {0.0f, 0.0f, 1.0f}, {0.0f, 5.0f}},
        {"default axis: along +x", {1.0f, 0.0f, 0.0f}, {5.0f, 0.0f}},
        {"slanted axis uses its horizontal part, normalised", {3.0f, 7.0f, -4.0f}, {3.0f, -4.0f}},
        {"vertical axis: nothing", {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f}},
        {"tiny axis is used as it is", {0.0005f, 0.0f, 0.0f}, {0.0025f, 0.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Level level = levelWithTile(TileType::Conveyor);
        level.objects[0].moveAxis = c.axis;
        PhysicsWorld world;
        Ball ball = ballOnTop();
        ball.velocity.x = 1.0f;
        for (int i = 0; i < 10; ++i) {
            ball.position.y = 0.49f;
            world.step(ball, level.objects, 0.1f);
        }
        EXPECT_TRUE(ball.grounded);
        EXPECT_EQ(ball.surface, static_cast<int>(TileType::Conveyor));
        EXPECT_NEAR(ball.velocity.x, 1.0f + c.push.x, 1e-4f);
        EXPECT_NEAR(ball.velocity.z, c.push.y, 1e-4f);
    }
}

TEST(TileBehaviours, ConveyorSideDoesNotPush) {
    Level level = levelWithTile(TileType::Conveyor);
    level.objects[0].moveAxis = {0.0f, 0.0f, 1.0f};
    PhysicsWorld world;
    Ball ball = ballAtSide();
    world.step(ball, level.objects, 0.1f);
    EXPECT_EQ(ball.velocity.z, 0.0f);
}

TEST(TileBehaviours, MovingTileBodyFollowsItsDrawnPlaceOneFrameLate) {
    Level level;
    level.addMovingTile({0.0f, -0.5f, 0.0f}, {2.0f, 1.0f, 2.0f}, Vec3(0.5f), {1.0f, 0.0f, 0.0f},
                        3.0f, 1.5f, 0.0f);
    PhysicsWorld world;
    Ball parked = ballAt({50.0f, 50.0f, 50.0f}, Vec3(0.0f));
    world.loadLevel(parked, level.objects);
    float time = 0.0f;
    for (int frame = 0; frame < 30; ++frame) {
        world.step(parked, level.objects, kDt);
        const float placedAt = level.objects[0].moveOffset;
        time += kDt;
        updateObjects(level.objects, kDt, time, parked.position, parked.radius);
        const float drawnAt = level.objects[0].moveOffset;
        ASSERT_NE(placedAt, drawnAt);
        const TileBody& tile = world.tileBodies[0];
        btTransform fromMotionState;
        tile.motionState->getWorldTransform(fromMotionState);
        EXPECT_FLOAT_EQ(tile.body->getWorldTransform().getOrigin().x(), placedAt);
        EXPECT_FLOAT_EQ(fromMotionState.getOrigin().x(), placedAt);
        EXPECT_FLOAT_EQ(tile.body->getWorldTransform().getOrigin().y(), -0.5f);
    }
}

TEST(TileBehaviours, MovingTileLiftsButDoesNotCarryTheBall) {
    Level level;
    level.addMovingTile({0.0f, -0.5f, 0.0f}, {4.0f, 1.0f, 4.0f}, Vec3(0.5f), {0.0f, 1.0f, 1.0f},
                        3.0f, 1.5f, 0.0f);
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, Vec3(0.0f));
    level.objects[0].moveOffset = 0.1f;  // risen and slid by 0.0707 along y and z
    world.step(ball, level.objects, kDt);
    EXPECT_TRUE(ball.grounded);
    EXPECT_NEAR(ball.position.y, 0.5f + 0.1f * std::sqrt(0.5f), 1e-4f);
    EXPECT_NEAR(ball.position.z, 0.0f, 1e-6f);
}

TEST(TileBehaviours, LaterContactOfTheStepDecidesTheSurface) {
    // Standing on ice while brushing a stone wall: the wall does not reset the ice.
    SceneObject ice;
    ice.tileType = TileType::Ice;
    SceneObject stone;
    Ball ball = ballAt(Vec3(0.0f), {1.0f, -1.0f, 0.0f});
    applyTileContact(ball, ice, {0.0f, 1.0f, 0.0f}, 0.01f, kDt);
    applyTileContact(ball, stone, {-1.0f, 0.0f, 0.0f}, 0.01f, kDt);
    EXPECT_EQ(ball.friction, 0.995f);
    EXPECT_EQ(ball.surface, static_cast<int>(TileType::Ice));
    applyTileContact(ball, stone, {0.0f, 1.0f, 0.0f}, 0.0f, kDt);
    EXPECT_EQ(ball.friction, 0.82f);
    EXPECT_EQ(ball.surface, 0);
}

TEST(TileBehaviours, MovingTileCollidesWhereItHasMovedToAndNotWhereItStarted) {
    Level level;
    level.addMovingTile({0.0f, -0.5f, 0.0f}, {2.0f, 1.0f, 2.0f}, Vec3(0.5f), {1.0f, 0.0f, 0.0f},
                        10.0f, 1.0f, 0.0f);
    PhysicsWorld world;
    Ball parked = ballAt({50.0f, 50.0f, 50.0f}, Vec3(0.0f));
    world.loadLevel(parked, level.objects);
    level.objects[0].moveOffset = 10.0f;
    Ball atStart = ballOnTop();
    world.step(atStart, level.objects, kDt);
    EXPECT_FALSE(atStart.grounded);
    Ball atNewPlace = ballAt({10.0f, 0.49f, 0.0f}, {0.0f, -0.3f, 0.0f});
    world.step(atNewPlace, level.objects, kDt);
    EXPECT_TRUE(atNewPlace.grounded);
    EXPECT_NEAR(atNewPlace.position.y, 0.5f, 1e-4f);
}
