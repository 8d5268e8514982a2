// The frame loop's timing decisions, free of any window so that tests can feed
// them clock readings: the frame-rate cap, the clamped time step and the FPS
// counter. Times are seconds.
#pragma once

#include <functional>

// Longest time step one frame may advance the game by.
constexpr float kMaxFrameDt = 0.05f;

// The shortest frame period for a cap: 1 / (cap + 1), or 0 (no cap) for a cap
// of 0 or less.
double framePeriod(int fpsCap);

// Busy-waits on `clock` until a full period has passed since
// `previousFrameStart`; returns the clock reading that starts this frame.
double waitForFrameStart(const std::function<double()>& clock, double previousFrameStart,
                         int fpsCap);

// now - previous as float, clamped to at most kMaxFrameDt (no lower clamp).
float frameDt(double now, double previous);

struct FpsCounter {
    int frames = 0;
    float accumulated = 0.0f;
    float rate = 0.0f;  // 0 until the first measurement
};

// Counts one frame of `dt`; refreshes `rate` once a quarter second has gathered.
void countFrame(FpsCounter& counter, float dt);
