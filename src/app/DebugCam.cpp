// The debug camera: its view, its flight and its switching.
#include "app/DebugCam.h"

#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr float kPitchLimit = 89.0f;  // short of straight up or down, where lookAt degenerates
constexpr float kMinSpeed = 1.0f;
constexpr float kMaxSpeed = 200.0f;
constexpr float kSpeedChangePerSecond = 10.0f;
constexpr float kTurboFactor = 4.0f;
constexpr int kKeyEqual = 61;
constexpr int kKeyMinus = 45;
constexpr int kMouseLeft = 0;
constexpr int kKeyLeftShift = 340;
constexpr int kKeyRightShift = 344;

}  // namespace

Vec3 DebugCam::forward() const {
    const float yawRad = yaw * kDegToRad;
    const float pitchRad = pitch * kDegToRad;
    return glm::normalize(Vec3(std::sin(yawRad) * std::cos(pitchRad), std::sin(pitchRad),
                               std::cos(yawRad) * std::cos(pitchRad)));
}

Mat4 DebugCam::view() const {
    return glm::lookAt(position, position + forward(), Vec3(0.0f, 1.0f, 0.0f));
}

Mat4 DebugCam::projection() const {
    return glm::perspective(fov * kDegToRad, aspect, nearPlane, farPlane);
}

void DebugCam::initFrom(const OrbitCamera& orbit) {
    position = orbit.eye;
    const Vec3 f = orbit.forward();
    pitch = std::asin(std::clamp(f.y, -1.0f, 1.0f)) * kRadToDeg;
    yaw = std::atan2(f.x, f.z) * kRadToDeg;
}

void DebugCam::update(const DebugCamPointer& pointer, const Input& input, const Config& config,
                      float dt) {
    if (pointer.leftButtonDown && looking) {
        yaw -= static_cast<float>(pointer.cursorX - lastCursorX) * sensitivity;
        pitch = std::clamp(pitch - static_cast<float>(pointer.cursorY - lastCursorY) * sensitivity,
                           -kPitchLimit, kPitchLimit);
    }
    looking = pointer.leftButtonDown;
    lastCursorX = pointer.cursorX;
    lastCursorY = pointer.cursorY;

    if (input.isDown(kKeyEqual)) {
        speed = std::clamp(speed + kSpeedChangePerSecond * dt, kMinSpeed, kMaxSpeed);
    }
    if (input.isDown(kKeyMinus)) {
        speed = std::clamp(speed - kSpeedChangePerSecond * dt, kMinSpeed, kMaxSpeed);
    }
    const float effectiveSpeed = pointer.shiftDown ? speed * kTurboFactor : speed;

    const float yawRad = yaw * kDegToRad;
    const Vec3 left = glm::normalize(Vec3(std::cos(yawRad), 0.0f, -std::sin(yawRad)));
    Vec3 direction(0.0f);
    if (input.isDown(config.keyMoveForward)) direction += forward();
    if (input.isDown(config.keyMoveBack)) direction -= forward();
    if (input.isDown(config.keyMoveLeft)) direction += left;
    if (input.isDown(config.keyMoveRight)) direction -= left;
    if (input.isDown(config.keyCamUp)) direction.y += 1.0f;
    if (input.isDown(config.keyCamDown)) direction.y -= 1.0f;
    if (glm::length(direction) > 0.001f) {
        position += glm::normalize(direction) * effectiveSpeed * dt;
    }
}

void DebugCam::update(GLFWwindow* window, const Input& input, const Config& config, float dt) {
    DebugCamPointer pointer;
    glfwGetCursorPos(window, &pointer.cursorX, &pointer.cursorY);
    pointer.leftButtonDown = glfwGetMouseButton(window, kMouseLeft) == GLFW_PRESS;
    pointer.shiftDown = glfwGetKey(window, kKeyLeftShift) == GLFW_PRESS ||
                        glfwGetKey(window, kKeyRightShift) == GLFW_PRESS;
    update(pointer, input, config, dt);
}

void toggleDebugCam(bool& debugCamActive, DebugCam& debugCam, const OrbitCamera& orbit,
                    int displayWidth, int displayHeight) {
    debugCamActive = !debugCamActive;
    if (debugCamActive) {
        debugCam.aspect = displayAspect(displayWidth, displayHeight, debugCam.aspect);
        debugCam.initFrom(orbit);
        std::cout << "[DebugCam] ON  \xE2\x80\x94  LMB=look  WASD=fly  QE=up/down  Shift=turbo  F8=exit\n";
    } else {
        std::cout << "[DebugCam] OFF\n";
    }
}
