// Whole-system runs on the built-in level at 60 Hz: the play frame's ball
// control, physics step, camera follow and object update together.
#include "app/Ball.h"
#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "level/BuiltinLevel.h"
#include "physics/PhysicsWorld.h"

#include <gtest/gtest.h>

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr int kPress = 1;

// The play frame's order: directions, ball, physics, follow, objects.
struct PlainsRun {
    Level level = makeLevel1();
    PhysicsWorld world;
    Ball ball;
    OrbitCamera camera;
    Input input;
    Config config;
    float time = 0.0f;

    PlainsRun() {
        resetBall(ball, level.start);
        camera.follow(level.start, 1.0f);
        world.loadLevel(ball, level.objects);
    }

    void frame() {
        const MoveDirections directions = cameraMoveDirections(camera);
        updateBall(ball, kDt, input, directions.forward, directions.right, config, 1.0f, false);
        world.step(ball, level.objects, kDt);
        camera.follow(ball.position, kDt);
        time += kDt;
        updateObjects(level.objects, kDt, time, ball.position, ball.radius);
    }
};

}  // namespace

TEST(PlainsPhysics, DroppedBallComesToRestOnTheFloorWithoutSinkingOrJitter) {
    PlainsRun run;
    for (int i = 0; i < 60; ++i) run.frame();
    float lowest = 1e9f;
    float highest = -1e9f;
    for (int i = 0; i < 300; ++i) {
        run.frame();
        SCOPED_TRACE(i);
        ASSERT_TRUE(run.ball.grounded);
        lowest = std::min(lowest, run.ball.position.y);
        highest = std::max(highest, run.ball.position.y);
    }
    EXPECT_NEAR(lowest, 0.5f, 1e-3f);
    EXPECT_NEAR(highest, 0.5f, 1e-3f);
    EXPECT_NEAR(run.ball.position.x, run.level.start.x, 1e-4f);
    EXPECT_NEAR(run.ball.position.z, run.level.start.z, 1e-4f);
    EXPECT_EQ(run.ball.surface, 0);
}

TEST(PlainsPhysics, HeldForwardRollsOffTheEdgeAndFalls) {
    // Camera behind the ball on the -z side and on the +x side: both paths
    // from the start to the edge are clear of raised tiles.
    for (const float yaw : {180.0f, 90.0f}) {
        SCOPED_TRACE(yaw);
        PlainsRun run;
        run.camera.yaw = yaw;
        run.camera.follow(run.ball.position, 1.0f);
        run.input.onKeyEvent(run.config.keyMoveForward, kPress);
        run.input.update();
        float lowestOnFloor = 1e9f;
        int frames = 0;
        for (; frames < 600 && run.ball.position.y >= -50.0f; ++frames) {
            run.frame();
            const bool overFloor = std::abs(run.ball.position.x) < 10.9f && std::abs(run.ball.position.z) < 10.9f;
            if (overFloor && frames > 60) lowestOnFloor = std::min(lowestOnFloor, run.ball.position.y);
        }
        EXPECT_LT(run.ball.position.y, -50.0f);
        EXPECT_GT(lowestOnFloor, 0.49f);  // it rolled on the floor, not through it
        EXPECT_LT(frames, 600);
    }
}
