// The orbit camera: limits, the exponential follow, its steering directions, and
// the play frame's drag and zoom.
#include "app/OrbitCamera.h"

#include "app/Input.h"
#include "config/Config.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(OrbitCamera, PitchAndDistanceStayWithinTheirLimitsWhileYawIsFree) {
    struct Case { float dx, dy, zoom, yaw, pitch, distance; };
    for (const Case c : {Case{5000, 1000, 100, 500, 10, 30}, Case{0, -1000, -100, 0, -80, 4},
                         Case{-10, 50, -2.5f, -1, -20, 9.5f}}) {
        OrbitCamera camera;
        camera.orbit(c.dx, c.dy);
        camera.zoom(c.zoom);
        EXPECT_EQ(Vec3(camera.yaw, camera.pitch, camera.distance), Vec3(c.yaw, c.pitch, c.distance)) << c.dy;
    }
}

TEST(OrbitCamera, FollowClosesTheSameShareOfTheGapEachSecondAtAnyFrameRate) {
    for (const int frames : {1, 30, 144}) {  // one step of 1.0 all but lands it behind the target
        OrbitCamera camera;
        camera.yaw = 90.0f;  // the eye on the +x side, lifted by half the distance
        camera.pitch = -30.0f;
        camera.distance = 10.0f;
        camera.eye = {40.0f, 0.0f, 10.0f};
        const Vec3 target(1.0f, 2.0f, 3.0f);
        const Vec3 behind = target + Vec3(10.0f * std::cos(0.5235988f), 5.0f, 0.0f);
        const float gap = glm::distance(camera.eye, behind);
        for (int i = 0; i < frames; ++i) camera.follow(target, 1.0f / static_cast<float>(frames));
        EXPECT_EQ(camera.target, target);
        EXPECT_NEAR(glm::distance(camera.eye, behind), gap * std::exp(-6.0f), gap * 1e-4f) << frames;
    }
}

TEST(OrbitCamera, SteersByFlatUnitDirectionsNeverNaN) {
    OrbitCamera camera;
    camera.yaw = 30.0f;
    camera.pitch = -60.0f;
    camera.follow({2.0f, 0.0f, -3.0f}, 1.0f);
    const MoveDirections steer = cameraMoveDirections(camera);
    EXPECT_EQ(steer.forward.y, 0.0f);
    EXPECT_NEAR(glm::length(steer.forward), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(steer.forward, glm::normalize(camera.target - camera.eye)), std::cos(60.0f * kDegToRad), 5e-3f);
    EXPECT_LT(glm::distance(steer.right, glm::normalize(glm::cross(steer.forward, Vec3(0, 1, 0)))), 1e-5f);
    camera.up = {0.0f, 0.0f, -1.0f};  // looking straight down
    camera.eye = {2.0f, 10.0f, -3.0f};
    EXPECT_EQ(cameraMoveDirections(camera).forward, Vec3(0.0f));
    EXPECT_FLOAT_EQ(displayAspect(1280, 720, 1.0f), 1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(displayAspect(1280, 0, 1.5f), 1.5f);  // minimised: the previous one
}

TEST(OrbitControl, DragTurnsByTheMotionSinceTheLastFrameButNeverOnItsFirstAndKeysZoom) {
    struct Case { bool invert, debug; int zoomKey; float pitch, distance; };
    const Config keys;
    for (const Case c : {Case{false, false, keys.keyCamUp, -23, 11.75f}, Case{true, false, keys.keyCamDown, -27, 12.25f},
                         Case{false, true, keys.keyCamUp, -25, 12}}) {  // the debug camera freezes both
        SCOPED_TRACE(testing::Message() << "invert " << c.invert << ", debug " << c.debug);
        Config config;
        config.invertY = c.invert;
        Input input;
        input.onKeyEvent(c.zoomKey, 1);
        input.update();
        OrbitCamera camera;
        OrbitDrag drag;
        const auto frame = [&](double x, double y, bool held) {
            updateOrbitControl(camera, drag, x, y, held, input, config, 0.01f, c.debug);
        };
        frame(100, 100, false);
        frame(400, 300, true);
        EXPECT_EQ(Vec2(camera.yaw, camera.pitch), Vec2(0.0f, -25.0f));
        frame(410, 320, true);
        EXPECT_EQ(Vec2(camera.yaw, camera.pitch), Vec2(c.debug ? 0.0f : 1.0f, c.pitch));
        frame(900, 20, false);
        frame(0, 0, true);
        EXPECT_EQ(camera.yaw, c.debug ? 0.0f : 1.0f);
        EXPECT_NEAR(camera.distance, c.distance, 1e-4f);  // 5 units a second for five frames
        EXPECT_EQ(Vec2(drag.lastX, drag.lastY), Vec2(0.0f));  // remembered even while frozen
    }
}
