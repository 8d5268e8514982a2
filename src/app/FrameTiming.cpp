// Frame-rate cap, frame time and FPS counter.
#include "app/FrameTiming.h"

#include "game/SimulationClock.h"

#include <algorithm>

double framePeriod(int fpsCap) {
    // cap + 1 keeps the measured rate at or just above the cap despite the
    // wait overshooting by a little.
    return fpsCap > 0 ? 1.0 / (static_cast<double>(fpsCap) + 1.0) : 0.0;
}

double waitForFrameStart(const std::function<double()>& clock, const std::function<void(double)>& sleep,
                         double previousFrameStart, int fpsCap) {
    const double period = framePeriod(fpsCap);
    if (period <= 0.0) return clock();
    const double due = previousFrameStart + period;
    double now = clock();
    // Sleeping hands the core back (a busy-wait kept one at 100 % in the menus).
    while (due - now > kSpinBeforeDue) {
        sleep(due - now - kSpinBeforeDue);
        now = clock();
    }
    while (now < due) now = clock();
    return now;
}

float frameSeconds(double now, double previous) {
    return std::clamp(static_cast<float>(now - previous), 0.0f, kMaxFrameSeconds);
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
