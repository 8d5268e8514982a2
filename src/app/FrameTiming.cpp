// Frame-rate cap, time step and FPS counter.
#include "app/FrameTiming.h"

#include <algorithm>

double framePeriod(int fpsCap) {
    // cap + 1 keeps the measured rate at or just above the cap despite the
    // busy-wait overshooting by a little.
    return fpsCap > 0 ? 1.0 / (static_cast<double>(fpsCap) + 1.0) : 0.0;
}

double waitForFrameStart(const std::function<double()>& clock, double previousFrameStart,
                         int fpsCap) {
    const double period = framePeriod(fpsCap);
    if (period > 0.0) {
        while (clock() - previousFrameStart < period) {
        }
    }
    return clock();
}

float frameDt(double now, double previous) {
    return std::min(static_cast<float>(now - previous), kMaxFrameDt);
}

void countFrame(FpsCounter& counter, float dt) {
    counter.frames += 1;
    counter.accumulated += dt;
    if (counter.accumulated >= 0.25f) {
        counter.rate = static_cast<float>(counter.frames) / counter.accumulated;
        counter.frames = 0;
        counter.accumulated = 0.0f;
    }
}
