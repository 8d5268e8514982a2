// Whole-system runs on the built-in level at 60 Hz, in the play frame's order:
// directions, ball, physics, camera follow, objects.
#include "app/OrbitCamera.h"
#include "level/BuiltinLevel.h"

#include "PhysicsRig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct PlainsRun {
    Level level = makeLevel1();
    PhysicsWorld world;
    Ball ball;
    OrbitCamera camera;
    Input input;
    Config config;
    float time = 0.0f;

    explicit PlainsRun(float yaw) {
        resetBall(ball, level.start);
        camera.yaw = yaw;
        camera.follow(level.start, 1.0f);
        world.loadLevel(ball, level.objects);
    }

    void frame() {
        const MoveDirections directions = cameraMoveDirections(camera);
        updateBall(ball, 1.0f / 60.0f, input, directions.forward, directions.right, config, 1.0f, false);
        world.step(ball, level.objects, 1.0f / 60.0f);
        camera.follow(ball.position, 1.0f / 60.0f);
        time += 1.0f / 60.0f;
        updateObjects(level.objects, 1.0f / 60.0f, time, ball.position, ball.radius);
    }
};

}  // namespace

TEST(PlainsPhysics, DroppedBallComesToRestOnTheFloorWithoutSinkingOrJitter) {
    PlainsRun run(0.0f);
    for (int i = 0; i < 60; ++i) run.frame();
    for (int i = 0; i < 300; ++i) {
        run.frame();
        ASSERT_TRUE(run.ball.grounded) << i;
        ASSERT_NEAR(run.ball.position.y, 0.5f, 1e-3f) << i;
    }
    EXPECT_NEAR(run.ball.position.x, run.level.start.x, 1e-4f);
    EXPECT_NEAR(run.ball.position.z, run.level.start.z, 1e-4f);
}

TEST(PlainsPhysics, HeldForwardRollsOnTheFloorOffTheEdgeAndFalls) {
    for (const float yaw : {180.0f, 90.0f}) {  // both paths to the edge are clear of raised tiles
        SCOPED_TRACE(yaw);
        PlainsRun run(yaw);
        run.input.onKeyEvent(run.config.keyMoveForward, 1);
        run.input.update();
        float lowestOnFloor = 1e9f;
        for (int frame = 0; frame < 600 && run.ball.position.y >= -50.0f; ++frame) {
            run.frame();
            const bool overFloor = std::abs(run.ball.position.x) < 10.9f && std::abs(run.ball.position.z) < 10.9f;
            if (overFloor && frame > 60) lowestOnFloor = std::min(lowestOnFloor, run.ball.position.y);
        }
        EXPECT_LT(run.ball.position.y, -50.0f);
        EXPECT_GT(lowestOnFloor, 0.49f);
    }
}
