// The frame loop's timing decisions, free of any window so that tests can feed
// them clock readings: the frame-rate cap, the frame time and the FPS counter.
// Times are seconds.
#pragma once

#include <functional>

// The shortest frame period for a cap: 1 / (cap + 1), or 0 (no cap) for a cap
// of 0 or less.
double framePeriod(int fpsCap);

// How long before a frame is due the cap stops sleeping and spins: sleeping
// wakes late by up to a millisecond or two, spinning is exact.
constexpr double kSpinBeforeDue = 0.002;

// Waits until a full period has passed since `previousFrameStart`: sleeps (on
// `sleep`, given seconds) until kSpinBeforeDue before that, then reads `clock`
// until it is due. Returns the clock reading that starts this frame.
double waitForFrameStart(const std::function<double()>& clock, const std::function<void(double)>& sleep,
                         double previousFrameStart, int fpsCap);

// The time between two frames, never negative, at most a quarter second (a
// stall, a dragged window) so nothing jumps too far in one frame.
float frameSeconds(double now, double previous);

struct FpsCounter {
    int frames = 0;
    float accumulated = 0.0f;
    float rate = 0.0f;  // 0 until the first measurement
};

// Counts one frame of `dt`; refreshes `rate` once a quarter second has gathered.
void countFrame(FpsCounter& counter, float dt);
