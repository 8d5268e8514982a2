// Key states across frames.
#include "app/Input.h"

#include <gtest/gtest.h>

namespace {
constexpr int kPress = 1;
constexpr int kRelease = 0;
constexpr int kRepeat = 2;
constexpr int kW = 87;
}  // namespace

TEST(Input, PressIsPressedForOneFrameThenHeldUntilReleased) {
    Input input;
    input.onKeyEvent(kW, kPress);
    input.update();
    EXPECT_TRUE(input.wasPressed(kW));
    EXPECT_TRUE(input.isDown(kW));
    input.update();
    EXPECT_FALSE(input.wasPressed(kW));
    EXPECT_TRUE(input.isDown(kW));
    EXPECT_EQ(input.state(kW), KeyState::Held);
    input.onKeyEvent(kW, kRelease);
    input.update();
    EXPECT_EQ(input.state(kW), KeyState::Released);
    EXPECT_FALSE(input.isDown(kW));
    input.update();
    EXPECT_EQ(input.state(kW), KeyState::Up);
}

TEST(Input, PressAndReleaseBetweenTwoFramesEndsReleased) {
    Input input;
    input.onKeyEvent(kW, kPress);
    input.onKeyEvent(kW, kRelease);
    input.update();
    EXPECT_EQ(input.state(kW), KeyState::Released);
    EXPECT_FALSE(input.wasPressed(kW));
    EXPECT_FALSE(input.isDown(kW));
}

TEST(Input, RepeatsAreIgnoredSoHoldingGivesOnePressedFrame) {
    Input input;
    input.onKeyEvent(kW, kPress);
    input.update();
    input.onKeyEvent(kW, kRepeat);
    input.update();
    EXPECT_FALSE(input.wasPressed(kW));
    EXPECT_TRUE(input.isDown(kW));
}

TEST(Input, EventsWaitForUpdateAndUnknownOrUnboundKeysAreNeverDown) {
    Input input;
    input.onKeyEvent(kW, kPress);
    EXPECT_FALSE(input.isDown(kW));
    EXPECT_FALSE(input.isDown(-1));
    EXPECT_FALSE(input.wasPressed(-1));
    input.update();
    EXPECT_FALSE(input.isDown(65));
}
