// The ball's own motion at fixed time steps, without physics.
#include "app/Ball.h"

#include "app/Input.h"
#include "config/Config.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const Config kConfig;

void send(Input& input, int key, int action) {
    input.onKeyEvent(key, action);
    input.update();
}

// The camera looks along -z; the ground state is whatever the caller set.
void run(Ball& ball, const Input& input, int frames, float dt, float boost = 1.0f, bool antiGravity = false) {
    for (int i = 0; i < frames; ++i) updateBall(ball, dt, input, {0, 0, -1}, {1, 0, 0}, kConfig, boost, antiGravity);
}

}  // namespace

TEST(Ball, HeldKeysSettleAtTheGroundBalanceOrTheTopSpeed) {
    const int w = kConfig.keyMoveForward, d = kConfig.keyMoveRight;
    struct Case { std::vector<int> keys; bool grounded; float friction, boost, fps, speed; };
    const Case cases[] = {{{w}, true, 0.82f, 1, 60, 6.07407f}, {{w, d}, true, 0.82f, 1, 60, 6.07407f},  // 80/60 x 0.82/0.18
                          {{w}, true, 0.82f, 1, 30, 4.74074f}, {{w}, true, 0.995f, 1, 60, 8},
                          {{w, d}, false, 0.82f, 1, 60, 8},    {{w}, false, 0.82f, 2.2f, 60, 17.6f},
                          {{d}, true, 0.995f, 2.2f, 144, 17.6f}};
    for (const Case& c : cases) {
        Input input;
        for (int key : c.keys) send(input, key, 1);
        Ball ball;
        ball.grounded = c.grounded;
        ball.friction = c.friction;
        run(ball, input, static_cast<int>(5 * c.fps), 1.0f / c.fps, c.boost);
        EXPECT_NEAR(std::hypot(ball.velocity.x, ball.velocity.z), c.speed, 1e-3f)
            << c.keys.size() << " keys at " << c.fps << " fps, friction " << c.friction << ", grounded " << c.grounded;
    }
}

TEST(Ball, JumpsOncePerPressAsHighAsGravityAllows) {
    for (const bool antiGravity : {false, true}) {
        Input input;
        send(input, kConfig.keyJump, 1);
        Ball ball;
        float peak = 0.0f;
        for (int i = 0; i < 20000; ++i) {
            run(ball, input, 1, 1.0f / 4000.0f, 1.0f, antiGravity);
            peak = std::max(peak, ball.position.y - 0.5f);
        }
        EXPECT_NEAR(peak, antiGravity ? 2.45f : 1.225f, 0.01f) << antiGravity;  // 7 x 7 / 2g
    }
    Input input;
    Ball ball;
    ball.grounded = false;
    send(input, kConfig.keyJump, 1);  // pressed in the air
    run(ball, input, 1, 1.0f / 60.0f);
    ball.grounded = true;  // landed, still holding it
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_LT(ball.velocity.y, 0.0f);
    send(input, kConfig.keyJump, 0);
    run(ball, input, 1, 1.0f / 60.0f);
    send(input, kConfig.keyJump, 1);
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_EQ(ball.velocity.y, 7.0f);
}

TEST(Ball, RollsAboutTheAxisAcrossItsMotionKeepsItsOrientationAtRestAndStaysUnit) {
    const Input input;
    for (const Vec3 velocity : {Vec3(2, 0, 0), Vec3(-1, 0, 1)}) {
        Ball ball;
        ball.grounded = false;
        for (int i = 0; i < 100; ++i) {  // a quarter turn brings the top round to the front
            ball.velocity = velocity;
            run(ball, input, 1, 0.25f * 3.14159265f / glm::length(velocity) / 100.0f);
        }
        EXPECT_LT(glm::distance(ball.rotation * Vec3(0, 1, 0), glm::normalize(velocity)), 2e-3f) << velocity.x;
    }
    Ball resting;
    resting.rotation = glm::normalize(Quat(0.9f, 0.1f, -0.3f, 0.2f));
    const Quat before = resting.rotation;
    resting.velocity = {0.009f, 0, 0};  // barely moving counts as at rest
    run(resting, input, 600, 1.0f / 60.0f);
    EXPECT_TRUE(resting.rotation == before);
    Ball rolling;  // an hour of turning drifts a quaternion that is not renormalised
    for (int i = 0; i < 216000; ++i) {
        rolling.velocity = {7.9f * std::cos(i * 0.001f), 0.0f, 7.9f * std::sin(i * 0.001f)};
        run(rolling, input, 1, 1.0f / 60.0f);
    }
    EXPECT_NEAR(glm::length(rolling.rotation), 1.0f, 1e-6f);
}
