// The player's control of the ball: input to velocity, gravity, jump,
// integration and the rolling rotation.
#include "app/Ball.h"

#include "app/Input.h"
#include "config/Config.h"

#include <cmath>

namespace {

constexpr float kTopSpeed = 8.0f;
constexpr float kAccelerationPerTopSpeed = 10.0f;  // reaches top speed in 0.1 s from rest
constexpr float kFrictionFramesPerSecond = 60.0f;  // friction is stated per 1/60 s
constexpr double kGravity = -20.0;
constexpr double kAntiGravity = -10.0;
constexpr float kJumpSpeed = 7.0f;
constexpr float kMinimumRollSpeed = 0.01f;

// Camera-relative wish direction from the movement bindings, (x, z) in world space.
Vec2 wishDirection(const Input& input, const Config& config, Vec3 forward, Vec3 right) {
    Vec2 direction(0.0f);
    if (input.isDown(config.keyMoveForward)) direction += Vec2(forward.x, forward.z);
    if (input.isDown(config.keyMoveBack)) direction -= Vec2(forward.x, forward.z);
    if (input.isDown(config.keyMoveLeft)) direction -= Vec2(right.x, right.z);
    if (input.isDown(config.keyMoveRight)) direction += Vec2(right.x, right.z);
    const float length = glm::length(direction);
    if (length > 0.01f) direction /= length;
    return direction;
}

void limitHorizontalSpeed(Vec3& velocity, float topSpeed) {
    const float speed = std::sqrt(velocity.x * velocity.x + velocity.z * velocity.z);
    if (speed > topSpeed) {
        const float scale = topSpeed / speed;
        velocity.x *= scale;
        velocity.z *= scale;
    }
}

// Rolls without slipping about the world axis up x velocity. The product is
// renormalised because thousands of rolls per minute otherwise let the
// quaternion drift away from unit length and the drawn ball shear.
void roll(Ball& ball, float dt) {
    const float speed = std::sqrt(ball.velocity.x * ball.velocity.x + ball.velocity.z * ball.velocity.z);
    if (speed <= kMinimumRollSpeed) return;
    const Vec3 axis = glm::normalize(Vec3(ball.velocity.z, 0.0f, -ball.velocity.x));
    const float angle = speed * dt / ball.radius;
    const Quat delta(std::cos(angle * 0.5f), axis * std::sin(angle * 0.5f));
    ball.rotation = glm::normalize(delta * ball.rotation);
}

}  // namespace

void resetBall(Ball& ball, Vec3 position) {
    Ball fresh;
    fresh.radius = ball.radius;
    fresh.color = ball.color;
    fresh.position = position;
    ball = fresh;
}

void updateBall(Ball& ball, float dt, const Input& input, Vec3 forward, Vec3 right,
                const Config& config, float speedMultiplier, bool antiGravity) {
    const Vec2 direction = wishDirection(input, config, forward, right);
    const float topSpeed = kTopSpeed * speedMultiplier;
    ball.velocity.x += direction.x * topSpeed * dt * kAccelerationPerTopSpeed;
    ball.velocity.z += direction.y * topSpeed * dt * kAccelerationPerTopSpeed;

    if (ball.grounded) {
        const float keep = 1.0f - (1.0f - ball.friction) * dt * kFrictionFramesPerSecond;
        ball.velocity.x *= keep;
        ball.velocity.z *= keep;
    }
    limitHorizontalSpeed(ball.velocity, topSpeed);

    const double gravity = antiGravity ? kAntiGravity : kGravity;
    ball.velocity.y = static_cast<float>(static_cast<double>(ball.velocity.y) + dt * gravity);

    // Edge-triggered: holding the key through a landing does not jump again.
    const bool jumpDown = input.isDown(config.keyJump);
    if (jumpDown && !ball.jumpHeld && ball.grounded) {
        ball.velocity.y = kJumpSpeed;
        ball.grounded = false;
    }
    ball.jumpHeld = jumpDown;

    ball.position += ball.velocity * dt;
    roll(ball, dt);
}

Mat4 ballModelMatrix(const Ball& ball) {
    Mat4 model = glm::translate(Mat4(1.0f), ball.position) * glm::mat4_cast(ball.rotation);
    model[0] *= ball.radius;
    model[1] *= ball.radius;
    model[2] *= ball.radius;
    return model;
}
