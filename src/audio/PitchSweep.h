// An exponential pitch glide: the frequency moves from `from` to `to` Hz over
// `time` seconds at a steady number of semitones per second, then stays. The
// phase is its exact integral, so a sweep can be read at any time on its own.
#pragma once

struct PitchSweep {
    float from = 440.0f;
    float to = 440.0f;
    float time = 0.0f;
};

// Frequency (Hz) at `t` seconds.
float sweepFrequency(const PitchSweep& sweep, float t);

// Phase in cycles at `t` seconds, 0 at t = 0.
double sweepPhase(const PitchSweep& sweep, double t);
