// The frame loop's pieces that need no window: key states across frames, and the
// frame-rate cap, time step clamp and FPS counter with injected clock readings.
#include "app/FrameTiming.h"
#include "app/Input.h"

#include <gtest/gtest.h>

TEST(Input, EventsWaitForTheFrameRepeatsAreIgnoredAndUnboundKeysAreNeverDown) {
    const int w = 87, press = 1, release = 0, repeat = 2;
    Input input;
    input.onKeyEvent(w, press);
    EXPECT_FALSE(input.isDown(w));
    const struct { int event; KeyState state; bool pressed, down; } frames[] = {
        {-1, KeyState::Pressed, true, true}, {repeat, KeyState::Held, false, true},
        {release, KeyState::Released, false, false}, {-1, KeyState::Up, false, false}};
    for (const auto& f : frames) {
        if (f.event >= 0) input.onKeyEvent(w, f.event);
        input.update();
        EXPECT_EQ(std::make_tuple(input.state(w), input.wasPressed(w), input.isDown(w)), std::make_tuple(f.state, f.pressed, f.down));
    }
    input.onKeyEvent(w, press);  // pressed and released between two frames
    input.onKeyEvent(w, release);
    input.update();
    EXPECT_EQ(std::make_tuple(input.state(w), input.wasPressed(w), input.isDown(-1), input.wasPressed(-1)),
              std::make_tuple(KeyState::Released, false, false, false));
}

TEST(FrameTiming, TheCapWaitsOneOverCapPlusOneAndNothingWhenOffOrLate) {
    const struct { double start; int cap; double lo, hi; } cases[] = {
        {10.0, 60, 10.0 + 1.0 / 61.0, 10.0 + 1.0 / 61.0 + 0.001}, {10.0, 0, 10.0001, 10.0001}, {10.0, -1, 10.0001, 10.0001},
        {10.5, 60, 10.5001, 10.501}};  // a frame longer than the period
    for (const auto& c : cases) {
        double now = c.start;
        const double begun = waitForFrameStart([&] { return now += 0.0001; }, 10.0, c.cap);
        EXPECT_GE(begun, c.lo - 1e-9) << c.cap;
        EXPECT_LE(begun, c.hi + 1e-9) << c.cap;
    }
}

TEST(FrameTiming, DtIsClampedAbove50MsOnlyAndTheFpsCounterRefreshesEveryQuarterSecond) {
    EXPECT_EQ(std::make_tuple(frameDt(10.3, 10.0), frameDt(10.0, 10.0), frameDt(9.9, 10.0) < 0.0f), std::make_tuple(0.05f, 0.0f, true));
    FpsCounter counter;
    for (int i = 0; i < 4; ++i) countFrame(counter, frameDt(0.3 * (i + 1), 0.3 * i));
    EXPECT_EQ(counter.rate, 0.0f);  // 4 clamped frames give 0.2 s
    countFrame(counter, 0.05f);
    EXPECT_EQ(std::make_tuple(counter.rate, counter.frames, counter.accumulated), std::make_tuple(20.0f, 0, 0.0f));
}
