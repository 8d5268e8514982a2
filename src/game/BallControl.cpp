// The player's control of the ball: input to velocity, gravity, jump and the
// rolling rotation.
#include "game/BallControl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kAccelerationPerTopSpeed = 10.0f;  // reaches top speed in 0.1 s from rest
constexpr float kFrictionStepsPerSecond = 60.0f;   // friction is stated per 1/60 s
constexpr double kGravity = -20.0;
constexpr double kAntiGravity = -10.0;
constexpr float kJumpSpeed = 7.0f;
constexpr float kMinimumRollSpeed = 0.01f;

void limitHorizontalSpeed(Vec3& velocity, float topSpeed) {
    const float speed = std::sqrt(velocity.x * velocity.x + velocity.z * velocity.z);
    if (speed > topSpeed) {
        const float scale = topSpeed / speed;
        velocity.x *= scale;
        velocity.z *= scale;
    }
}

std::int16_t quantised(float value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * kMoveScale));
}

}  // namespace

Vec2 keyboardWish(bool forward, bool back, bool left, bool right, const MoveDirections& directions) {
    Vec2 wish(0.0f);
    if (forward) wish += Vec2(directions.forward.x, directions.forward.z);
    if (back) wish -= Vec2(directions.forward.x, directions.forward.z);
    if (left) wish -= Vec2(directions.right.x, directions.right.z);
    if (right) wish += Vec2(directions.right.x, directions.right.z);
    const float length = glm::length(wish);
    return length > 0.01f ? wish / length : Vec2(0.0f);
}

Vec2 stickWish(Vec2 stick, const MoveDirections& directions) {
    const Vec2 forward(directions.forward.x, directions.forward.z);
    const Vec2 right(directions.right.x, directions.right.z);
    const Vec2 wish = right * stick.x - forward * stick.y;
    const float length = glm::length(wish);
    return length > 1.0f ? wish / length : wish;
}

StepInput makeStepInput(Vec2 wish, bool jump) {
    const float length = glm::length(wish);
    if (!std::isfinite(length)) wish = Vec2(0.0f);
    else if (length > 1.0f) wish /= length;
    StepInput input;
    input.moveX = quantised(wish.x);
    input.moveZ = quantised(wish.y);
    input.jump = jump;
    return input;
}

Vec2 stepWish(const StepInput& input) {
    return Vec2(static_cast<float>(input.moveX), static_cast<float>(input.moveZ)) / kMoveScale;
}

bool updateBall(Ball& ball, float dt, const StepInput& input, float speedMultiplier, bool antiGravity) {
    const Vec2 wish = stepWish(input);
    const float topSpeed = kBallTopSpeed * speedMultiplier;
    ball.velocity.x += wish.x * topSpeed * dt * kAccelerationPerTopSpeed;
    ball.velocity.z += wish.y * topSpeed * dt * kAccelerationPerTopSpeed;

    if (ball.grounded) {
        const float keep = 1.0f - (1.0f - ball.friction) * dt * kFrictionStepsPerSecond;
        ball.velocity.x *= keep;
        ball.velocity.z *= keep;
    }
    limitHorizontalSpeed(ball.velocity, topSpeed);

    const double gravity = antiGravity ? kAntiGravity : kGravity;
    ball.velocity.y = static_cast<float>(static_cast<double>(ball.velocity.y) + dt * gravity);
    ball.velocity.y = std::clamp(ball.velocity.y, -kBallTerminalSpeed, kBallTerminalSpeed);

    // Edge-triggered: holding the button through a landing does not jump again.
    bool jumped = false;
    if (input.jump && !ball.jumpHeld && ball.grounded) {
        ball.velocity.y = kJumpSpeed;
        ball.grounded = false;
        jumped = true;
    }
    ball.jumpHeld = input.jump;
    rollBall(ball, dt);
    return jumped;
}

// The product is renormalised because thousands of rolls per minute otherwise
// let the quaternion drift away from unit length and the drawn ball shear.
void rollBall(Ball& ball, float dt) {
    const float speed = std::sqrt(ball.velocity.x * ball.velocity.x + ball.velocity.z * ball.velocity.z);
    if (speed <= kMinimumRollSpeed) return;
    const Vec3 axis = glm::normalize(Vec3(ball.velocity.z, 0.0f, -ball.velocity.x));
    const float angle = speed * dt / ball.radius;
    const Quat delta(std::cos(angle * 0.5f), axis * std::sin(angle * 0.5f));
    ball.rotation = glm::normalize(delta * ball.rotation);
}
