// The two cameras: the orbit camera's limits, exponential follow, steering
// directions and the play frame's drag and zoom; the debug camera's start from the
// orbit view, look, speed, flight and switch.
#include "app/DebugCam.h"
#include "app/OrbitCamera.h"

#include "app/Input.h"
#include "config/Config.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

TEST(DebugCam, EachSwitchIsAnnouncedAndSwitchingOnStartsFromTheOrbitView) {
    const std::string on = "[DebugCam] ON  \xE2\x80\x94  LMB=look  WASD=fly  QE=up/down  Shift=turbo  F8=exit\n";
    for (const Vec2 angles : {Vec2(0, -25), Vec2(180, -80), Vec2(-170, 10), Vec2(725, -45)}) {
        SCOPED_TRACE(angles.x);
        OrbitCamera orbit;
        orbit.yaw = angles.x;
        orbit.pitch = angles.y;
        orbit.follow({3.0f, 1.0f, -2.0f}, 1.0f);
        DebugCam camera;
        bool active = false;
        ConsoleCapture console;
        toggleDebugCam(active, camera, orbit, 800, 600);
        EXPECT_TRUE(active);
        EXPECT_EQ(camera.position, orbit.eye);
        const Vec4 target = camera.view() * Vec4(orbit.target, 1.0f);  // the picture does not move
        EXPECT_LT(glm::length(Vec2(target)), 1e-3f);
        EXPECT_LT(target.z, 0.0f);
        camera.position += Vec3(5.0f);
        toggleDebugCam(active, camera, orbit, 800, 0);
        EXPECT_EQ(camera.position, orbit.eye + Vec3(5.0f));  // switching off leaves it be
        toggleDebugCam(active, camera, orbit, 800, 0);
        EXPECT_FLOAT_EQ(camera.aspect, 800.0f / 600.0f);  // a minimised window keeps the aspect
        EXPECT_EQ(console.stdoutText(), on + "[DebugCam] OFF\n" + on);
    }
}

TEST(DebugCam, LeftDragLooksAfterItsFirstFrameIgnoringInvertYUpToEightyNineDegrees) {
    Config inverted;
    inverted.invertY = true;
    const Input input;
    DebugCam camera;
    camera.pitch = 0.0f;
    EXPECT_LT(glm::distance(camera.forward(), Vec3(0, 0, 1)), 1e-6f);
    const auto drag = [&](double x, double y) { camera.update({x, y, true, false}, input, inverted, 0.0f); };
    drag(100, 100);
    EXPECT_EQ(camera.yaw, 0.0f);
    drag(120, 110);
    EXPECT_FLOAT_EQ(camera.yaw, -3.0f);  // right, seen from +z looking along it
    EXPECT_FLOAT_EQ(camera.pitch, -1.5f);
    drag(120, 10000);
    EXPECT_FLOAT_EQ(camera.pitch, -89.0f);
    drag(120, -10000);
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
}

TEST(DebugCam, FliesAlongItsOwnAxesAtItsSpeedFourTimesWithShiftAndKeysSetTheSpeed) {
    const Config config;
    DebugCam start;
    start.yaw = 30.0f;
    const Vec3 forward = start.forward();
    const Vec3 right = glm::normalize(glm::cross(forward, Vec3(0.0f, 1.0f, 0.0f)));
    const int kEqual = 61, kMinus = 45;
    struct Case { std::vector<int> keys; bool shift; float seconds; Vec3 move; float speed; };
    const Case cases[] = {
        {{config.keyMoveForward}, false, 0.5f, forward * 5.0f, 10},
        {{config.keyMoveLeft}, false, 0.5f, right * -5.0f, 10},
        {{config.keyCamDown}, false, 0.5f, {0.0f, -5.0f, 0.0f}, 10},
        {{config.keyMoveBack}, true, 0.5f, forward * -20.0f, 10},
        {{config.keyMoveForward, config.keyMoveRight}, false, 0.5f, glm::normalize(forward + right) * 5.0f, 10},
        {{config.keyCamUp, config.keyCamDown}, false, 0.5f, Vec3(0.0f), 10},  // cancelled, not NaN
        {{kEqual}, false, 1.0f, Vec3(0.0f), 20}, {{kEqual}, false, 60.0f, Vec3(0.0f), 200},
        {{kMinus}, false, 60.0f, Vec3(0.0f), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys.front() << ", shift " << c.shift << ", " << c.seconds << " s");
        Input input;
        for (int key : c.keys) input.onKeyEvent(key, 1);
        input.update();
        DebugCam camera = start;
        const int steps = c.seconds > 0.5f ? static_cast<int>(c.seconds * 100.0f) : 1;
        for (int i = 0; i < steps; ++i) camera.update({0, 0, false, c.shift}, input, config, c.seconds / steps);
        EXPECT_LT(glm::distance(camera.position - start.position, c.move), 1e-4f);
        EXPECT_NEAR(camera.speed, c.speed, 1e-3f);
    }
}
