// Frame-rate cap, time step clamp and FPS counter with injected clock readings.
#include "app/FrameTiming.h"

#include <gtest/gtest.h>

namespace {
// A clock that advances by a fixed tick on every reading.
struct TickingClock {
    double now;
    double tick;
    double operator()() {
        now += tick;
        return now;
    }
};
}  // namespace

TEST(FrameTiming, CapOf60WaitsAtLeastOneSixtyFirstOfASecond) {
    TickingClock clock{10.0, 0.0001};
    const double start = waitForFrameStart(std::ref(clock), 10.0, 60);
    EXPECT_GE(start - 10.0, 1.0 / 61.0);
    EXPECT_LT(start - 10.0, 1.0 / 61.0 + 0.001);
}

TEST(FrameTiming, CapOfZeroOrLessDoesNotWait) {
    for (int cap : {0, -1}) {
        TickingClock clock{10.0, 0.0001};
        const double start = waitForFrameStart(std::ref(clock), 10.0, cap);
        EXPECT_NEAR(start, 10.0001, 1e-9) << cap;  // a single reading
    }
}

TEST(FrameTiming, AFrameThatTookLongerThanThePeriodDoesNotWait) {
    TickingClock clock{10.5, 0.0001};
    EXPECT_NEAR(waitForFrameStart(std::ref(clock), 10.0, 60), 10.5, 0.001);
}

TEST(FrameTiming, DtIsClampedTo50MsWithoutLowerClamp) {
    EXPECT_FLOAT_EQ(frameDt(10.3, 10.0), 0.05f);
    EXPECT_FLOAT_EQ(frameDt(10.01, 10.0), 0.01f);
    EXPECT_FLOAT_EQ(frameDt(10.0, 10.0), 0.0f);
    EXPECT_LT(frameDt(9.9, 10.0), 0.0f);
}

TEST(FrameTiming, FpsCounterRefreshesEveryQuarterSecondAndCountsClampedDt) {
    FpsCounter counter;
    for (int i = 0; i < 4; ++i) countFrame(counter, frameDt(0.3 * (i + 1), 0.3 * i));
    EXPECT_EQ(counter.rate, 0.0f);  // 4 x 0.05 s = 0.2 s gathered
    countFrame(counter, 0.05f);
    EXPECT_FLOAT_EQ(counter.rate, 5.0f / 0.25f);
    EXPECT_EQ(counter.frames, 0);
    EXPECT_EQ(counter.accumulated, 0.0f);
}
