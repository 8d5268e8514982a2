// The fixed-step accumulator.
#include "game/SimulationClock.h"

#include "game/Attempt.h"

#include <algorithm>
#include <cmath>

int SimulationClock::advance(float seconds) {
    if (!(seconds > 0.0f)) seconds = 0.0f;  // NaN too
    accumulated += std::min(seconds, kMaxFrameSeconds);
    // A frame of exactly 1/60 s is one step, although the float step is a
    // hair longer than 1/60: a thousandth of a step of slack keeps a 60 Hz
    // display from alternating between no step and two.
    const int steps = static_cast<int>(std::floor(accumulated / kStepSeconds + 1e-3));
    accumulated -= steps * static_cast<double>(kStepSeconds);
    if (accumulated < 0.0) accumulated = 0.0;
    return steps;
}

float SimulationClock::blend() const {
    return std::clamp(static_cast<float>(accumulated / kStepSeconds), 0.0f, 1.0f);
}
