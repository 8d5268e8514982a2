// The orbit camera.
#include "game/OrbitCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinPitch = -80.0f;
constexpr float kMaxPitch = 10.0f;
constexpr float kMinDistance = 4.0f;
constexpr float kMaxDistance = 30.0f;

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
    const Vec3 trailed = eye * (1.0f - share) + desired * share;
    eye = desired + (trailed - desired) * std::clamp(swing, 0.0f, 1.0f);
}

MoveDirections cameraMoveDirections(const OrbitCamera& camera) {
    return {flattened(camera.forward()), flattened(camera.right())};
}

float displayAspect(int width, int height, float previous) {
    if (width <= 0 || height <= 0) return previous;
    return static_cast<float>(width) / static_cast<float>(height);
}
