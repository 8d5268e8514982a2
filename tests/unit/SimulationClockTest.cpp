// Frame time into whole steps: the same game time at any frame rate, a stall
// capped, and the share of a step the drawing is past the last one.
#include "game/SimulationClock.h"

#include "game/Attempt.h"

#include <gtest/gtest.h>

TEST(SimulationClock, FramesAddUpToWholeStepsAtAnyRateAndAStallToAQuarterSecond) {
    struct Case { float frame; int frames, mostPerFrame; };
    for (const Case c : {Case{kStepSeconds, 600, 1},  // a 60 Hz display never alternates 0 and 2
                         Case{1.0f / 144.0f, 1440, 1}, Case{1.0f / 20.0f, 200, 3}, Case{1.0f / 15.0f, 150, 4},
                         Case{1.0f / 59.0f, 590, 2}}) {
        SimulationClock clock;
        int steps = 0, most = 0;
        for (int i = 0; i < c.frames; ++i) {
            const int now = clock.advance(c.frame);
            steps += now;
            most = std::max(most, now);
        }
        EXPECT_NEAR(steps, 600, 1) << c.frame;  // ten seconds
        EXPECT_EQ(most, c.mostPerFrame) << c.frame;
    }
    SimulationClock clock;
    EXPECT_EQ(clock.advance(5.0f), 15);
    for (const float bad : {-1.0f, NAN, 0.0f}) EXPECT_EQ(clock.advance(bad), 0) << bad;
}

TEST(SimulationClock, TheBlendIsTheShareOfAStepSinceTheLastAndAResetForgetsIt) {
    SimulationClock clock;
    EXPECT_EQ(clock.advance(kStepSeconds * 2.5f), 2);
    EXPECT_NEAR(clock.blend(), 0.5f, 1e-4f);
    EXPECT_EQ(clock.advance(kStepSeconds * 0.25f), 0);
    EXPECT_NEAR(clock.blend(), 0.75f, 1e-4f);
    clock.reset();
    EXPECT_EQ(clock.blend(), 0.0f);
    EXPECT_EQ(clock.advance(kStepSeconds * 0.9f), 0);
}
