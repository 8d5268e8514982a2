// The ball's own motion at the fixed step, without physics: where held keys
// settle, the jump, the roll, and the quantised input a replay relies on.
#include "game/BallControl.h"

#include "game/Attempt.h"

#include <gtest/gtest.h>

static bool step(Ball& ball, Vec2 wish, bool jump, float boost = 1.0f, bool antiGravity = false) {
    return updateBall(ball, kStepSeconds, makeStepInput(wish, jump), boost, antiGravity);
}

// How high the centre rises after a jump, moved by the velocity after each step.
static float jumpPeak(bool antiGravity) {
    Ball ball;
    float height = 0.0f, peak = 0.0f;
    do {
        step(ball, {}, true, 1.0f, antiGravity);
        peak = std::max(peak, height += ball.velocity.y * kStepSeconds);
    } while (height > 0.0f);
    return peak;
}

TEST(BallControl, HeldKeysSettleAtTheGroundBalanceOrTheTopSpeed) {
    const Vec2 diagonal = glm::normalize(Vec2(1.0f, -1.0f));
    struct Case { const char* name; Vec2 wish; bool grounded; float friction, boost, speed; };
    for (const Case& c : {Case{"ground", {0, -1}, true, 0.82f, 1, 6.07407f},  // 80/60 x 0.82/0.18
                          Case{"ground, diagonal", diagonal, true, 0.82f, 1, 6.07407f},
                          Case{"ice", {0, -1}, true, 0.995f, 1, 8}, Case{"air", diagonal, false, 0.82f, 1, 8},
                          Case{"air, boosted", {0, -1}, false, 0.82f, kSpeedBoostMultiplier, 17.6f},
                          Case{"ice, boosted", {1, 0}, true, 0.995f, kSpeedBoostMultiplier, 17.6f}}) {
        Ball ball;
        ball.grounded = c.grounded;
        ball.friction = c.friction;
        for (int i = 0; i < 300; ++i) step(ball, c.wish, false, c.boost);
        EXPECT_NEAR(std::hypot(ball.velocity.x, ball.velocity.z), c.speed, 1e-3f) << c.name;
    }
}

TEST(BallControl, TheJumpIsEdgeTriggeredAOneStepTapJumpsAndAntiGravityJumpsTwiceAsHigh) {
    Ball ball;
    ball.grounded = false;
    step(ball, {}, true);  // pressed in the air
    ball.grounded = true;  // landed, still held
    EXPECT_FALSE(step(ball, {}, true) || step(ball, {}, false));
    EXPECT_TRUE(step(ball, {}, true));  // held for one step
    EXPECT_EQ(std::make_pair(ball.velocity.y, ball.grounded), std::make_pair(7.0f, false));
    EXPECT_NEAR(jumpPeak(false), 7.0f * 7.0f / 40.0f, 0.1f);
    EXPECT_NEAR(jumpPeak(true) / jumpPeak(false), 2.0f, 0.1f);
}

TEST(BallControl, KeepsItsOrientationAtRestAndStaysAUnitRotationAfterAnHourOfRolling) {
    Ball ball;
    ball.rotation = glm::normalize(Quat(0.9f, 0.1f, -0.3f, 0.2f));
    const Quat before = ball.rotation;
    ball.velocity = {0.009f, 0, 0};  // barely moving counts as at rest
    rollBall(ball, 10.0f);
    EXPECT_TRUE(ball.rotation == before);
    for (int i = 0; i < 216000; ++i) {  // an hour of turning drifts a quaternion that is not renormalised
        ball.velocity = {7.9f * std::cos(i * 0.001f), 0.0f, 7.9f * std::sin(i * 0.001f)};
        rollBall(ball, kStepSeconds);
    }
    EXPECT_NEAR(glm::length(ball.rotation), 1.0f, 1e-6f);
}

TEST(StepInput, KeysCancelOrNormaliseAndTheWishIsQuantisedToAtMostOneUnit) {
    const MoveDirections camera{{0, 0, -1}, {1, 0, 0}};
    EXPECT_EQ(keyboardWish(true, true, false, false, camera), Vec2(0.0f));
    EXPECT_NEAR(glm::length(keyboardWish(true, false, false, true, camera)), 1.0f, 1e-6f);
    for (const Vec2 wish : {Vec2(0.3f, -0.7f), Vec2(3.0f, 4.0f), Vec2(NAN, 1.0f), Vec2(INFINITY, 0.0f)}) {
        const bool finite = std::isfinite(glm::length(wish));
        const Vec2 expected = !finite ? Vec2(0.0f) : glm::length(wish) > 1.0f ? glm::normalize(wish) : wish;
        EXPECT_LE(glm::distance(stepWish(makeStepInput(wish, false)), expected), 1.0f / kMoveScale) << wish.x;
    }
}
