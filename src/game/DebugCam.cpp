// The debug camera: its view, its flight and its switching.
#include "game/DebugCam.h"

#include "game/OrbitCamera.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr float kPitchLimit = 89.0f;  // short of straight up or down, where lookAt degenerates
constexpr float kMinSpeed = 1.0f;
constexpr float kMaxSpeed = 200.0f;
constexpr float kSpeedChangePerSecond = 10.0f;
constexpr float kTurboFactor = 4.0f;

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

void DebugCam::update(const DebugCamControls& controls, float dt) {
    if (controls.lookButtonDown && looking) {
        yaw -= static_cast<float>(controls.cursorX - lastCursorX) * sensitivity;
        pitch = std::clamp(pitch - static_cast<float>(controls.cursorY - lastCursorY) * sensitivity,
                           -kPitchLimit, kPitchLimit);
    }
    looking = controls.lookButtonDown;
    lastCursorX = controls.cursorX;
    lastCursorY = controls.cursorY;

    if (controls.faster) speed = std::clamp(speed + kSpeedChangePerSecond * dt, kMinSpeed, kMaxSpeed);
    if (controls.slower) speed = std::clamp(speed - kSpeedChangePerSecond * dt, kMinSpeed, kMaxSpeed);
    const float effectiveSpeed = controls.turbo ? speed * kTurboFactor : speed;

    const float yawRad = yaw * kDegToRad;
    const Vec3 left = glm::normalize(Vec3(std::cos(yawRad), 0.0f, -std::sin(yawRad)));
    Vec3 direction(0.0f);
    if (controls.forward) direction += forward();
    if (controls.back) direction -= forward();
    if (controls.left) direction += left;
    if (controls.right) direction -= left;
    if (controls.up) direction.y += 1.0f;
    if (controls.down) direction.y -= 1.0f;
    if (glm::length(direction) > 0.001f) position += glm::normalize(direction) * effectiveSpeed * dt;
}

void toggleDebugCam(bool& active, DebugCam& debugCam, const OrbitCamera& orbit, int displayWidth,
                    int displayHeight) {
    active = !active;
    if (active) {
        debugCam.aspect = displayAspect(displayWidth, displayHeight, debugCam.aspect);
        debugCam.initFrom(orbit);
        std::cout << "[DebugCam] ON  \xE2\x80\x94  LMB=look  WASD=fly  QE=up/down  Shift=turbo  F8=exit\n";
    } else {
        std::cout << "[DebugCam] OFF\n";
    }
}
