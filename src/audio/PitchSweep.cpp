#include "audio/PitchSweep.h"

#include <cmath>

float sweepFrequency(const PitchSweep& sweep, float t) {
    if (sweep.time <= 0.0f || t >= sweep.time) return sweep.to;
    if (t <= 0.0f) return sweep.from;
    return sweep.from * std::pow(sweep.to / sweep.from, t / sweep.time);
}

double sweepPhase(const PitchSweep& sweep, double t) {
    if (sweep.time <= 0.0f) return sweep.to * t;
    const double ratio = static_cast<double>(sweep.to) / sweep.from;
    const double glideTime = std::fmin(t, sweep.time);
    double phase;
    if (std::fabs(ratio - 1.0) < 1e-9) {
        phase = sweep.from * glideTime;
    } else {
        const double logRatio = std::log(ratio);
        phase = sweep.from * sweep.time / logRatio * (std::exp(logRatio * glideTime / sweep.time) - 1.0);
    }
    return t > sweep.time ? phase + sweep.to * (t - sweep.time) : phase;
}
