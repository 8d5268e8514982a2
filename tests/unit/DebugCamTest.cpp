// The debug camera: its start from the orbit view, look, speed, flight and switch.
#include "app/DebugCam.h"

#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <vector>

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
