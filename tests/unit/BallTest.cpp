// The ball's own motion: acceleration, friction, top speed, gravity, jump,
// integration and rolling, at fixed time steps.
#include "app/Ball.h"

#include "app/Input.h"
#include "config/Config.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPress = 1;
constexpr int kRelease = 0;
const Vec3 kForward(0.0f, 0.0f, -1.0f);
const Vec3 kRight(1.0f, 0.0f, 0.0f);

void press(Input& input, int key) {
    input.onKeyEvent(key, kPress);
    input.update();
}

void release(Input& input, int key) {
    input.onKeyEvent(key, kRelease);
    input.update();
}

float horizontalSpeed(const Ball& ball) { return std::hypot(ball.velocity.x, ball.velocity.z); }

// Runs `frames` updates; the ground state is whatever the caller set (no physics).
void run(Ball& ball, const Input& input, int frames, float dt, float speedMultiplier = 1.0f,
         bool antiGravity = false) {
    const Config config;
    for (int i = 0; i < frames; ++i) {
        updateBall(ball, dt, input, kForward, kRight, config, speedMultiplier, antiGravity);
    }
}

}  // namespace

TEST(Ball, HeldForwardOnGroundSettlesAtTheBalanceOfAccelerationAndFriction) {
    struct Case { float fps; };
    for (const Case c : {Case{60.0f}, Case{30.0f}, Case{144.0f}}) {
        SCOPED_TRACE(c.fps);
        const float dt = 1.0f / c.fps;
        const float keep = 1.0f - 10.8f * dt;  // 18 % lost per 1/60 s
        const float balance = 80.0f * dt * keep / (1.0f - keep);
        Input input;
        press(input, Config{}.keyMoveForward);
        Ball ball;
        run(ball, input, static_cast<int>(5.0f * c.fps), dt);
        EXPECT_NEAR(horizontalSpeed(ball), balance, 1e-3f);
        EXPECT_LT(horizontalSpeed(ball), 8.0f);
        EXPECT_LT(ball.velocity.z, 0.0f);  // along the camera's forward
    }
}

TEST(Ball, BalanceSpeedAtSixtyFramesIsAboutSixPointZeroSeven) {
    Input input;
    press(input, Config{}.keyMoveForward);
    Ball ball;
    run(ball, input, 300, 1.0f / 60.0f);
    EXPECT_NEAR(horizontalSpeed(ball), 6.07f, 0.01f);
}

TEST(Ball, TopSpeedLimitsOnIceAndInTheAir) {
    struct Case { const char* name; bool grounded; float friction; float multiplier; float top; };
    const Case cases[] = {
        {"ice", true, 0.995f, 1.0f, 8.0f},
        {"air", false, 0.82f, 1.0f, 8.0f},
        {"air, boosted", false, 0.82f, 2.2f, 17.6f},
        {"ice, boosted", true, 0.995f, 2.2f, 17.6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Input input;
        press(input, Config{}.keyMoveRight);
        Ball ball;
        ball.grounded = c.grounded;
        ball.friction = c.friction;
        run(ball, input, 180, 1.0f / 60.0f, c.multiplier);
        EXPECT_NEAR(horizontalSpeed(ball), c.top, 1e-4f);
        EXPECT_GT(ball.velocity.x, 0.0f);
    }
}

TEST(Ball, AccelerationIsTenTimesTopSpeedInEveryDirectionIncludingDiagonals) {
    const Config config;
    struct Case { const char* name; std::vector<int> keys; Vec2 direction; };
    const float d = std::sqrt(0.5f);
    const Case cases[] = {
        {"forward", {config.keyMoveForward}, {0.0f, -1.0f}},
        {"back", {config.keyMoveBack}, {0.0f, 1.0f}},
        {"left", {config.keyMoveLeft}, {-1.0f, 0.0f}},
        {"right", {config.keyMoveRight}, {1.0f, 0.0f}},
        {"forward right", {config.keyMoveForward, config.keyMoveRight}, {d, -d}},
        {"back left", {config.keyMoveBack, config.keyMoveLeft}, {-d, d}},
        {"forward and back cancel", {config.keyMoveForward, config.keyMoveBack}, {0.0f, 0.0f}},
    };
    const float dt = 1.0f / 60.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Input input;
        for (int key : c.keys) input.onKeyEvent(key, kPress);
        input.update();
        Ball ball;
        ball.grounded = false;
        run(ball, input, 1, dt);
        EXPECT_NEAR(ball.velocity.x, c.direction.x * 80.0f * dt, 1e-5f);
        EXPECT_NEAR(ball.velocity.z, c.direction.y * 80.0f * dt, 1e-5f);
    }
}

TEST(Ball, DirectionsFollowTheCameraNotTheWorldAxes) {
    const Config config;
    Input input;
    press(input, config.keyMoveForward);
    Ball ball;
    ball.grounded = false;
    const Vec3 forward(1.0f, 0.0f, 0.0f);  // camera looking along +x
    const Vec3 right(0.0f, 0.0f, 1.0f);
    updateBall(ball, 0.1f, input, forward, right, config, 1.0f, false);
    EXPECT_GT(ball.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.0f);
}

TEST(Ball, NoFrictionInTheAirAndFrictionOnTheGround) {
    Input input;
    Ball air;
    air.grounded = false;
    air.velocity = {3.0f, 0.0f, -2.0f};
    run(air, input, 120, 1.0f / 60.0f);
    EXPECT_EQ(air.velocity.x, 3.0f);
    EXPECT_EQ(air.velocity.z, -2.0f);

    Ball ground;
    ground.velocity = {3.0f, 0.0f, -2.0f};
    run(ground, input, 1, 1.0f / 60.0f);
    EXPECT_NEAR(ground.velocity.x, 3.0f * 0.82f, 1e-5f);
    EXPECT_NEAR(ground.velocity.z, -2.0f * 0.82f, 1e-5f);
}

TEST(Ball, GravityIsTwentyOrTenUnderAntiGravity) {
    Input input;
    for (const bool antiGravity : {false, true}) {
        SCOPED_TRACE(antiGravity);
        Ball ball;
        ball.grounded = false;
        run(ball, input, 50, 0.01f, 1.0f, antiGravity);
        EXPECT_NEAR(ball.velocity.y, antiGravity ? -5.0f : -10.0f, 1e-4f);
    }
}

TEST(Ball, JumpRisesAboutOnePointTwoTwoFiveOrTwiceThatUnderAntiGravity) {
    struct Case { bool antiGravity; float height; };
    for (const Case c : {Case{false, 49.0f / 40.0f}, Case{true, 49.0f / 20.0f}}) {
        SCOPED_TRACE(c.antiGravity);
        Input input;
        press(input, Config{}.keyJump);
        Ball ball;
        const float startY = ball.position.y;
        float peak = startY;
        const float dt = 1.0f / 4000.0f;
        for (int i = 0; i < 40000; ++i) {
            run(ball, input, 1, dt, 1.0f, c.antiGravity);
            peak = std::max(peak, ball.position.y);
        }
        EXPECT_NEAR(peak - startY, c.height, 0.01f);
    }
}

TEST(Ball, OneJumpPerPress) {
    const Config config;
    Input input;
    press(input, config.keyJump);
    Ball ball;
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_EQ(ball.velocity.y, 7.0f);
    EXPECT_FALSE(ball.grounded);

    // Landing while the key is still held does not jump again.
    ball.grounded = true;
    ball.velocity.y = 0.0f;
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_LT(ball.velocity.y, 0.0f);
    EXPECT_TRUE(ball.grounded);

    release(input, config.keyJump);
    run(ball, input, 1, 1.0f / 60.0f);
    press(input, config.keyJump);
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_EQ(ball.velocity.y, 7.0f);
}

TEST(Ball, JumpPressedInTheAirDoesNothingEvenAfterLanding) {
    const Config config;
    Input input;
    Ball ball;
    ball.grounded = false;
    press(input, config.keyJump);
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_LT(ball.velocity.y, 0.0f);
    ball.grounded = true;
    run(ball, input, 1, 1.0f / 60.0f);
    EXPECT_LT(ball.velocity.y, 0.0f);
}

TEST(Ball, PositionAdvancesByTheNewVelocity) {
    Input input;
    Ball ball;
    ball.grounded = false;
    ball.velocity = {2.0f, 1.0f, -4.0f};
    ball.position = {1.0f, 5.0f, 1.0f};
    run(ball, input, 1, 0.5f);
    // Gravity first: the height moves with the speed after gravity (1 - 10).
    EXPECT_FLOAT_EQ(ball.position.x, 2.0f);
    EXPECT_FLOAT_EQ(ball.position.y, 5.0f - 4.5f);
    EXPECT_FLOAT_EQ(ball.position.z, -1.0f);
}

TEST(Ball, BallAtRestOrBarelyMovingKeepsItsOrientationExactly) {
    for (const float speed : {0.0f, 0.009f}) {
        SCOPED_TRACE(speed);
        Input input;
        Ball ball;
        ball.grounded = false;
        ball.rotation = glm::normalize(Quat(0.9f, 0.1f, -0.3f, 0.2f));
        const Quat before = ball.rotation;
        ball.velocity = {speed, 0.0f, 0.0f};
        run(ball, input, 600, 1.0f / 60.0f);
        EXPECT_EQ(ball.rotation.x, before.x);
        EXPECT_EQ(ball.rotation.y, before.y);
        EXPECT_EQ(ball.rotation.z, before.z);
        EXPECT_EQ(ball.rotation.w, before.w);
    }
}

TEST(Ball, RollsWithoutSlippingAboutTheAxisAcrossItsMotion) {
    // A quarter turn: the top of the ball comes round to the front.
    struct Case { Vec3 velocity; };
    for (const Case c : {Case{{2.0f, 0.0f, 0.0f}}, Case{{0.0f, 0.0f, -3.0f}}, Case{{-1.0f, 0.0f, 1.0f}}}) {
        SCOPED_TRACE(c.velocity.x);
        Input input;
        Ball ball;
        ball.grounded = false;
        ball.velocity = c.velocity;
        const float speed = glm::length(c.velocity);
        const int frames = 100;
        const float dt = (0.25f * 2.0f * 3.14159265f * ball.radius) / speed / frames;
        for (int i = 0; i < frames; ++i) {
            ball.velocity.y = 0.0f;  // keep the roll horizontal
            run(ball, input, 1, dt);
        }
        const Vec3 top = ball.rotation * Vec3(0.0f, 1.0f, 0.0f);
        const Vec3 front = c.velocity / speed;
        EXPECT_NEAR(top.x, front.x, 1e-3f);
        EXPECT_NEAR(top.y, 0.0f, 1e-3f);
        EXPECT_NEAR(top.z, front.z, 1e-3f);
    }
}

TEST(Ball, RotationStaysUnitOverALongGame) {
    Input input;
    Ball ball;
    ball.grounded = false;
    // An hour at 60 frames per second, turning all the while.
    for (int i = 0; i < 216000; ++i) {
        const float angle = static_cast<float>(i) * 0.001f;
        ball.velocity = {7.9f * std::cos(angle), 0.0f, 7.9f * std::sin(angle)};
        run(ball, input, 1, 1.0f / 60.0f);
    }
    const float length = std::sqrt(ball.rotation.x * ball.rotation.x + ball.rotation.y * ball.rotation.y +
                                   ball.rotation.z * ball.rotation.z + ball.rotation.w * ball.rotation.w);
    EXPECT_NEAR(length, 1.0f, 1e-6f);
}

TEST(Ball, ModelMatrixPlacesRotatesAndScales) {
    Ball ball;
    ball.position = {1.0f, 2.0f, 3.0f};
    ball.radius = 0.5f;
    // A quarter turn about +z takes +y to -x.
    ball.rotation = glm::angleAxis(1.5707964f, Vec3(0.0f, 0.0f, 1.0f));
    const Vec4 top = ballModelMatrix(ball) * Vec4(0.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_NEAR(top.x, 0.5f, 1e-6f);
    EXPECT_NEAR(top.y, 2.0f, 1e-6f);
    EXPECT_NEAR(top.z, 3.0f, 1e-6f);
    EXPECT_FLOAT_EQ(top.w, 1.0f);
    const Vec4 centre = ballModelMatrix(ball) * Vec4(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(Vec3(centre), ball.position);
}

TEST(Ball, ResetKeepsSizeAndColourAndClearsTheRest) {
    Ball ball;
    ball.radius = 0.7f;
    ball.color = {0.1f, 0.2f, 0.3f};
    ball.velocity = {1.0f, 2.0f, 3.0f};
    ball.rotation = glm::normalize(Quat(0.5f, 0.5f, 0.5f, 0.1f));
    ball.grounded = false;
    ball.jumpHeld = true;
    ball.surface = 3;
    ball.friction = 0.995f;
    resetBall(ball, {4.0f, 5.0f, 6.0f});
    EXPECT_EQ(ball.position, Vec3(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(ball.velocity, Vec3(0.0f));
    EXPECT_EQ(ball.rotation, Quat(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(ball.radius, 0.7f);
    EXPECT_EQ(ball.color, Vec3(0.1f, 0.2f, 0.3f));
    EXPECT_TRUE(ball.grounded);
    EXPECT_FALSE(ball.jumpHeld);
    EXPECT_EQ(ball.surface, 0);
    EXPECT_EQ(ball.friction, 0.82f);
}
