// The orbit camera and the play frame's mouse and zoom control.
#include "app/OrbitCamera.h"

#include "app/Input.h"
#include "config/Config.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinPitch = -80.0f;
constexpr float kMaxPitch = 10.0f;
constexpr float kMinDistance = 4.0f;
constexpr float kMaxDistance = 30.0f;
constexpr float kZoomSpeed = 5.0f;  // units per second

Vec3 flattened(Vec3 direction) {
    direction.y = 0.0f;
    const float length = glm::length(direction);
    return length > 0.001f ? direction / length : direction;
}

}  // namespace

Vec3 OrbitCamera::forward() const { return glm::normalize(target - eye); }

Vec3 OrbitCamera::right() const { return glm::normalize(glm::cross(forward(), up)); }

Mat4 OrbitCamera::view() const { return glm::lookAt(eye, target, up); }

Mat4 OrbitCamera::projection() const {
    return glm::perspective(fov * kDegToRad, aspect, nearPlane, farPlane);
}

void OrbitCamera::orbit(float dx, float dy) {
    yaw += sensitivity * dx;
    pitch = std::clamp(pitch + sensitivity * dy, kMinPitch, kMaxPitch);
}

void OrbitCamera::zoom(float delta) {
    distance = std::clamp(distance + delta, kMinDistance, kMaxDistance);
}

void OrbitCamera::follow(Vec3 point, float step) {
    target = point;
    const float yawRad = yaw * kDegToRad;
    const float pitchRad = pitch * kDegToRad;
    const float horizontal = std::cos(pitchRad) * distance;
    const Vec3 desired(target.x + std::sin(yawRad) * horizontal,
                       target.y + std::sin(-pitchRad) * distance,
                       target.z + std::cos(yawRad) * horizontal);
    const float share = std::clamp(1.0f - std::exp(-followRate * step), 0.0f, 1.0f);
    eye = eye * (1.0f - share) + desired * share;
}

void updateOrbitControl(OrbitCamera& camera, OrbitDrag& drag, double cursorX, double cursorY,
                        bool rightButtonDown, const Input& input, const Config& config, float dt,
                        bool debugCamActive) {
    if (!debugCamActive) {
        if (rightButtonDown) {
            if (drag.rightWasDown) {
                const float dx = static_cast<float>(cursorX - drag.lastX);
                float dy = static_cast<float>(cursorY - drag.lastY);
                if (config.invertY) dy = -dy;
                camera.orbit(dx, dy);
            }
            drag.rightWasDown = true;
        } else {
            drag.rightWasDown = false;
        }
        if (input.isDown(config.keyCamUp)) camera.zoom(-kZoomSpeed * dt);
        if (input.isDown(config.keyCamDown)) camera.zoom(kZoomSpeed * dt);
    }
    drag.lastX = cursorX;
    drag.lastY = cursorY;
}

MoveDirections cameraMoveDirections(const OrbitCamera& camera) {
    return {flattened(camera.forward()), flattened(camera.right())};
}

float displayAspect(int width, int height, float previous) {
    if (width <= 0 || height <= 0) return previous;
    return static_cast<float>(width) / static_cast<float>(height);
}
