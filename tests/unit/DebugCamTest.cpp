// The debug camera: look, fly, speed, limits, switching and its start from
// the orbit camera.
#include "app/DebugCam.h"

#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPress = 1;
constexpr int kKeyEqual = 61;
constexpr int kKeyMinus = 45;

void press(Input& input, int key) {
    input.onKeyEvent(key, kPress);
    input.update();
}

DebugCamPointer cursorAt(double x, double y, bool left = false, bool shift = false) {
    DebugCamPointer pointer;
    pointer.cursorX = x;
    pointer.cursorY = y;
    pointer.leftButtonDown = left;
    pointer.shiftDown = shift;
    return pointer;
}

void expectNear(Vec3 actual, Vec3 expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(DebugCam, ForwardFollowsYawAndPitch) {
    struct Case { float yaw; float pitch; Vec3 forward; };
    const Case cases[] = {
        {0.0f, 0.0f, {0.0f, 0.0f, 1.0f}},
        {90.0f, 0.0f, {1.0f, 0.0f, 0.0f}},
        {180.0f, 0.0f, {0.0f, 0.0f, -1.0f}},
        {0.0f, -90.0f, {0.0f, -1.0f, 0.0f}},
        {0.0f, 45.0f, {0.0f, std::sqrt(0.5f), std::sqrt(0.5f)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yaw);
        SCOPED_TRACE(c.pitch);
        DebugCam camera;
        camera.yaw = c.yaw;
        camera.pitch = c.pitch;
        expectNear(camera.forward(), c.forward, 1e-6f);
    }
}

TEST(DebugCam, InitFromReproducesTheOrbitCamerasEyeAndDirection) {
    struct Case { float yaw; float pitch; };
    for (const Case c : {Case{0.0f, -25.0f}, Case{180.0f, -80.0f}, Case{-170.0f, 10.0f}, Case{725.0f, -45.0f}}) {
        SCOPED_TRACE(c.yaw);
        OrbitCamera orbit;
        orbit.yaw = c.yaw;
        orbit.pitch = c.pitch;
        orbit.follow({3.0f, 1.0f, -2.0f}, 1.0f);
        DebugCam camera;
        camera.speed = 42.0f;
        camera.initFrom(orbit);
        EXPECT_EQ(camera.position, orbit.eye);
        expectNear(camera.forward(), orbit.forward(), 1e-5f);
        EXPECT_EQ(camera.speed, 42.0f);
        // The views agree, so switching on does not move the picture.
        const Vec4 target = camera.view() * Vec4(orbit.target, 1.0f);
        EXPECT_NEAR(target.x, 0.0f, 1e-3f);
        EXPECT_NEAR(target.y, 0.0f, 1e-3f);
    }
}

TEST(DebugCam, LeftDragLooksTheWayTheMouseMovesAfterItsFirstFrame) {
    const Config config;
    Input input;
    DebugCam camera;
    camera.pitch = 0.0f;
    camera.update(cursorAt(100.0, 100.0, true), input, config, 0.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    const Vec3 before = camera.forward();
    const Vec3 right = glm::normalize(glm::cross(before, Vec3(0.0f, 1.0f, 0.0f)));
    camera.update(cursorAt(120.0, 110.0, true), input, config, 0.0f);
    EXPECT_GT(glm::dot(camera.forward(), right), 0.0f);  // dragged right, looks right
    EXPECT_LT(camera.forward().y, 0.0f);                  // dragged down, looks down
    EXPECT_FLOAT_EQ(camera.yaw, -3.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -1.5f);
}

TEST(DebugCam, InvertYDoesNotApply) {
    Config config;
    config.invertY = true;
    Input input;
    DebugCam camera;
    camera.pitch = 0.0f;
    camera.update(cursorAt(0.0, 0.0, true), input, config, 0.0f);
    camera.update(cursorAt(0.0, 10.0, true), input, config, 0.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -1.5f);
}

TEST(DebugCam, PitchStopsAtEightyNineDegrees) {
    for (const double dy : {-10000.0, 10000.0}) {
        SCOPED_TRACE(dy);
        const Config config;
        Input input;
        DebugCam camera;
        camera.update(cursorAt(0.0, 0.0, true), input, config, 0.0f);
        camera.update(cursorAt(0.0, dy, true), input, config, 0.0f);
        EXPECT_FLOAT_EQ(camera.pitch, dy < 0 ? 89.0f : -89.0f);
    }
}

TEST(DebugCam, SpeedKeysChangeTenPerSecondWithinOneAndTwoHundred) {
    struct Case { int key; float seconds; float speed; };
    for (const Case c : {Case{kKeyEqual, 1.0f, 20.0f}, Case{kKeyMinus, 0.5f, 5.0f},
                         Case{kKeyEqual, 60.0f, 200.0f}, Case{kKeyMinus, 60.0f, 1.0f}}) {
        SCOPED_TRACE(c.key);
        SCOPED_TRACE(c.seconds);
        const Config config;
        Input input;
        press(input, c.key);
        DebugCam camera;
        const int frames = static_cast<int>(c.seconds * 100.0f);
        for (int i = 0; i < frames; ++i) camera.update(cursorAt(0.0, 0.0), input, config, 0.01f);
        EXPECT_NEAR(camera.speed, c.speed, 1e-3f);
    }
}

TEST(DebugCam, FliesAlongItsOwnAxesAtItsSpeedAndFourTimesWithShift) {
    const Config config;
    struct Case { const char* name; std::vector<int> keys; bool shift; };
    const Case cases[] = {
        {"forward", {config.keyMoveForward}, false},
        {"back", {config.keyMoveBack}, false},
        {"left", {config.keyMoveLeft}, false},
        {"right", {config.keyMoveRight}, false},
        {"up", {config.keyCamUp}, false},
        {"down", {config.keyCamDown}, false},
        {"forward with turbo", {config.keyMoveForward}, true},
        {"forward and left", {config.keyMoveForward, config.keyMoveLeft}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Input input;
        for (int key : c.keys) press(input, key);
        DebugCam camera;
        camera.yaw = 30.0f;
        const Vec3 forward = camera.forward();
        const Vec3 right = glm::normalize(glm::cross(forward, Vec3(0.0f, 1.0f, 0.0f)));
        Vec3 direction(0.0f);
        for (int key : c.keys) {
            if (key == config.keyMoveForward) direction += forward;
            if (key == config.keyMoveBack) direction -= forward;
            if (key == config.keyMoveLeft) direction -= right;
            if (key == config.keyMoveRight) direction += right;
            if (key == config.keyCamUp) direction.y += 1.0f;
            if (key == config.keyCamDown) direction.y -= 1.0f;
        }
        const Vec3 start = camera.position;
        camera.update(cursorAt(0.0, 0.0, false, c.shift), input, config, 0.5f);
        const float distance = 10.0f * 0.5f * (c.shift ? 4.0f : 1.0f);
        expectNear(camera.position - start, glm::normalize(direction) * distance, 1e-4f);
    }
}

TEST(DebugCam, OppositeKeysCancelWithoutNaN) {
    const Config config;
    Input input;
    press(input, config.keyCamUp);
    press(input, config.keyCamDown);
    DebugCam camera;
    const Vec3 start = camera.position;
    camera.update(cursorAt(0.0, 0.0), input, config, 0.5f);
    EXPECT_EQ(camera.position, start);
}

TEST(DebugCam, ToggleAnnouncesAndStartsFromTheOrbitView) {
    OrbitCamera orbit;
    orbit.yaw = 40.0f;
    orbit.follow({1.0f, 0.5f, 1.0f}, 1.0f);
    DebugCam camera;
    bool active = false;
    {
        ConsoleCapture console;
        toggleDebugCam(active, camera, orbit, 800, 600);
        EXPECT_EQ(console.stdoutText(),
                  "[DebugCam] ON  \xE2\x80\x94  LMB=look  WASD=fly  QE=up/down  Shift=turbo  F8=exit\n");
        EXPECT_EQ(console.stderrText(), "");
    }
    EXPECT_TRUE(active);
    EXPECT_FLOAT_EQ(camera.aspect, 800.0f / 600.0f);
    EXPECT_EQ(camera.position, orbit.eye);
    camera.position += Vec3(5.0f);
    {
        ConsoleCapture console;
        toggleDebugCam(active, camera, orbit, 800, 0);
        EXPECT_EQ(console.stdoutText(), "[DebugCam] OFF\n");
    }
    EXPECT_FALSE(active);
    EXPECT_EQ(camera.position, orbit.eye + Vec3(5.0f));  // switching off leaves it be
    {
        ConsoleCapture console;
        toggleDebugCam(active, camera, orbit, 800, 0);  // a minimised window keeps the aspect
    }
    EXPECT_FLOAT_EQ(camera.aspect, 800.0f / 600.0f);
    EXPECT_EQ(camera.position, orbit.eye);
}
