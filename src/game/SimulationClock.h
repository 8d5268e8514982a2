// Turns frame times into whole simulation steps. Time accumulates; each full
// kStepSeconds becomes one step, so the game advances the same at any frame
// rate. A frame adds at most kMaxFrameSeconds, so a stall (a dragged window, a
// debugger) cannot make the next frame spiral into ever more steps. What is
// left over says how far the drawing is between the last two steps.
#pragma once

constexpr float kMaxFrameSeconds = 0.25f;

class SimulationClock {
public:
    // Adds a frame of `seconds` (negative counts as 0) and returns how many
    // steps are due now.
    int advance(float seconds);
    // 0..1: the share of a step that has passed since the last one.
    float blend() const;
    // Forgets time not yet stepped (a new attempt, leaving a pause).
    void reset() { accumulated = 0.0; }

private:
    double accumulated = 0.0;  // double, so long sessions do not lose fractions of a step
};
