// The frame cap with a fake clock and a fake sleep: it sleeps until shortly
// before the frame is due and spins the rest, so frames neither start early
// nor keep a core busy.
#include "app/FrameTiming.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FrameTiming, TheCapSleepsUntilShortlyBeforeTheFrameIsDueThenSpinsToIt) {
    struct Case { int cap; double start, oversleep; bool sleeps; };
    for (const Case c : {Case{60, 10.0, 0.0, true}, Case{60, 10.0, 0.003, true}, Case{144, 10.005, 0.0, false},
                         Case{60, 10.5, 0.0, false}, Case{0, 10.0, 0.0, false}, Case{-1, 10.0, 0.0, false}}) {
        double now = c.start;
        std::vector<double> wakes;
        const auto clock = [&] { return now += 0.0001; };  // each reading takes a tenth of a millisecond
        const auto sleep = [&](double seconds) { wakes.push_back(now + seconds), now += seconds + c.oversleep; };
        const double begun = waitForFrameStart(clock, sleep, 10.0, c.cap);
        const double due = std::max(10.0 + framePeriod(c.cap), c.start);  // a late frame starts at once
        EXPECT_EQ(!wakes.empty(), c.sleeps) << c.cap << " from " << c.start;
        for (double wake : wakes) EXPECT_NEAR(wake, due - kSpinBeforeDue, 1e-3) << c.cap << " from " << c.start;
        EXPECT_TRUE(begun >= due && begun <= due + c.oversleep + 0.0002) << c.cap << " from " << c.start;
    }
    EXPECT_DOUBLE_EQ(framePeriod(60), 1.0 / 61.0);  // the measured rate lands at or just above the cap
}
