// The orbit camera: limits, the exponential follow, the view it gives, and the
// play frame's drag and zoom.
#include "app/OrbitCamera.h"

#include "app/Input.h"
#include "config/Config.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPress = 1;

void press(Input& input, int key) {
    input.onKeyEvent(key, kPress);
    input.update();
}

void expectNear(Vec3 actual, Vec3 expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(OrbitCamera, PitchStopsAtMinusEightyAndTen) {
    struct Case { float dy; float pitch; };
    for (const Case c : {Case{1000.0f, 10.0f}, Case{-1000.0f, -80.0f}, Case{50.0f, -20.0f}}) {
        SCOPED_TRACE(c.dy);
        OrbitCamera camera;
        camera.orbit(0.0f, c.dy);
        EXPECT_FLOAT_EQ(camera.pitch, c.pitch);
    }
}

TEST(OrbitCamera, YawTurnsWithoutLimit) {
    OrbitCamera camera;
    camera.orbit(5000.0f, 0.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 500.0f);
}

TEST(OrbitCamera, DistanceStopsAtFourAndThirty) {
    struct Case { float delta; float distance; };
    for (const Case c : {Case{-100.0f, 4.0f}, Case{100.0f, 30.0f}, Case{-2.5f, 9.5f}}) {
        SCOPED_TRACE(c.delta);
        OrbitCamera camera;
        camera.zoom(c.delta);
        EXPECT_FLOAT_EQ(camera.distance, c.distance);
    }
}

TEST(OrbitCamera, FollowWithAStepOfOneLandsAlmostExactlyBehindTheTarget) {
    OrbitCamera camera;
    camera.yaw = 90.0f;
    camera.pitch = -30.0f;
    camera.distance = 10.0f;
    const Vec3 target(1.0f, 2.0f, 3.0f);
    // Yaw 90 puts the eye on the +x side; pitch -30 lifts it by half the distance.
    const Vec3 behind = target + Vec3(10.0f * std::cos(0.5235988f), 5.0f, 0.0f);
    const float before = glm::length(camera.eye - behind);
    camera.follow(target, 1.0f);
    EXPECT_EQ(camera.target, target);
    EXPECT_NEAR(glm::length(camera.eye - behind), before * std::exp(-6.0f), before * 1e-4f);
    EXPECT_NEAR(glm::length(camera.eye - target), 10.0f, 0.05f);
}

TEST(OrbitCamera, FollowClosesTheSameShareInOneSecondAtAnyFrameRate) {
    for (const float fps : {30.0f, 60.0f, 144.0f}) {
        SCOPED_TRACE(fps);
        OrbitCamera camera;
        camera.yaw = 0.0f;
        camera.pitch = 0.0f;
        camera.distance = 10.0f;
        const Vec3 target(0.0f);
        const Vec3 behind(0.0f, 0.0f, 10.0f);
        camera.eye = Vec3(40.0f, 0.0f, 10.0f);
        const int frames = static_cast<int>(fps);
        for (int i = 0; i < frames; ++i) camera.follow(target, 1.0f / fps);
        EXPECT_NEAR(glm::length(camera.eye - behind), 40.0f * std::exp(-6.0f), 1e-3f);
    }
}

TEST(OrbitCamera, ViewLooksFromEyeToTargetAndRightIsToTheRight) {
    OrbitCamera camera;
    camera.eye = {0.0f, 0.0f, 10.0f};
    camera.target = {0.0f, 0.0f, 0.0f};
    expectNear(camera.forward(), {0.0f, 0.0f, -1.0f}, 1e-6f);
    expectNear(camera.right(), {1.0f, 0.0f, 0.0f}, 1e-6f);
    const Vec4 target = camera.view() * Vec4(camera.target, 1.0f);
    expectNear(Vec3(target), {0.0f, 0.0f, -10.0f}, 1e-5f);
    // A point on the top edge of the field of view lands on the top of clip space.
    camera.aspect = 1.0f;
    const float y = 10.0f * std::tan(0.5f * camera.fov * kDegToRad);
    const Vec4 clip = camera.projection() * camera.view() * Vec4(0.0f, y, 0.0f, 1.0f);
    EXPECT_NEAR(clip.y / clip.w, 1.0f, 1e-5f);
}

TEST(OrbitCamera, MoveDirectionsAreFlattenedAndUnitLength) {
    OrbitCamera camera;
    camera.yaw = 30.0f;
    camera.pitch = -60.0f;
    camera.follow({2.0f, 0.0f, -3.0f}, 1.0f);
    const MoveDirections directions = cameraMoveDirections(camera);
    EXPECT_EQ(directions.forward.y, 0.0f);
    EXPECT_EQ(directions.right.y, 0.0f);
    EXPECT_NEAR(glm::length(directions.forward), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::length(directions.right), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(directions.forward, directions.right), 0.0f, 1e-5f);
    // Forward points away from the eye, seen from above.
    const Vec3 away = camera.target - camera.eye;
    EXPECT_GT(directions.forward.x * away.x + directions.forward.z * away.z, 0.0f);
}

TEST(OrbitCamera, MoveDirectionStraightDownIsLeftUnnormalisedInsteadOfNaN) {
    OrbitCamera camera;
    camera.up = {0.0f, 0.0f, -1.0f};  // keeps right() defined while looking straight down
    camera.eye = {0.0f, 10.0f, 0.0f};
    camera.target = {0.0f, 0.0f, 0.0f};
    const MoveDirections directions = cameraMoveDirections(camera);
    EXPECT_EQ(directions.forward, Vec3(0.0f));
    EXPECT_NEAR(glm::length(directions.right), 1.0f, 1e-6f);
}

TEST(OrbitControl, FirstFrameOfADragNeverTurnsThenTheMotionTurns) {
    const Config config;
    Input input;
    OrbitCamera camera;
    OrbitDrag drag;
    updateOrbitControl(camera, drag, 100.0, 100.0, false, input, config, 0.016f, false);
    updateOrbitControl(camera, drag, 400.0, 300.0, true, input, config, 0.016f, false);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -25.0f);
    updateOrbitControl(camera, drag, 410.0, 320.0, true, input, config, 0.016f, false);
    EXPECT_FLOAT_EQ(camera.yaw, 1.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -23.0f);
    // Released, moved, pressed again: the new drag starts without a jump.
    updateOrbitControl(camera, drag, 900.0, 20.0, false, input, config, 0.016f, false);
    updateOrbitControl(camera, drag, 0.0, 0.0, true, input, config, 0.016f, false);
    EXPECT_FLOAT_EQ(camera.yaw, 1.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -23.0f);
}

TEST(OrbitControl, InvertYTurnsVerticalMotionTheOtherWay) {
    for (const bool invert : {false, true}) {
        SCOPED_TRACE(invert);
        Config config;
        config.invertY = invert;
        Input input;
        OrbitCamera camera;
        OrbitDrag drag;
        updateOrbitControl(camera, drag, 0.0, 0.0, true, input, config, 0.016f, false);
        updateOrbitControl(camera, drag, 0.0, 30.0, true, input, config, 0.016f, false);
        EXPECT_FLOAT_EQ(camera.pitch, invert ? -28.0f : -22.0f);
    }
}

TEST(OrbitControl, CameraBindingsZoomFiveUnitsPerSecond) {
    const Config config;
    struct Case { const char* name; std::vector<int> keys; float distance; };
    const Case cases[] = {
        {"closer", {config.keyCamUp}, 11.0f},
        {"farther", {config.keyCamDown}, 13.0f},
        {"both cancel", {config.keyCamUp, config.keyCamDown}, 12.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Input input;
        for (int key : c.keys) press(input, key);
        OrbitCamera camera;
        OrbitDrag drag;
        for (int i = 0; i < 10; ++i) {
            updateOrbitControl(camera, drag, 0.0, 0.0, false, input, config, 0.02f, false);
        }
        EXPECT_NEAR(camera.distance, c.distance, 1e-4f);
    }
}

TEST(OrbitControl, DebugCameraFreezesOrbitAndZoomButTheCursorIsRemembered) {
    const Config config;
    Input input;
    press(input, config.keyCamUp);
    OrbitCamera camera;
    OrbitDrag drag;
    updateOrbitControl(camera, drag, 0.0, 0.0, true, input, config, 0.1f, false);
    const float distance = camera.distance;
    updateOrbitControl(camera, drag, 500.0, 500.0, true, input, config, 0.1f, true);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    EXPECT_FLOAT_EQ(camera.distance, distance);
    EXPECT_EQ(drag.lastX, 500.0);
    EXPECT_EQ(drag.lastY, 500.0);
    // Back in play with the button still held: only motion since then turns.
    updateOrbitControl(camera, drag, 510.0, 500.0, true, input, config, 0.0f, false);
    EXPECT_FLOAT_EQ(camera.yaw, 1.0f);
}

TEST(OrbitCamera, DisplayAspectKeepsThePreviousValueWithoutAHeight) {
    EXPECT_FLOAT_EQ(displayAspect(1280, 720, 1.0f), 1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(displayAspect(1280, 0, 1.5f), 1.5f);
    EXPECT_FLOAT_EQ(displayAspect(0, 0, 1.5f), 1.5f);
}
