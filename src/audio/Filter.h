// Recursive filters for effects: a one-pole low/high pass and a biquad band
// pass or resonant low pass (the usual audio cookbook forms). Cutoffs in Hz at
// kSampleRate; states are flushed to zero before they become denormal.
#pragma once

class OnePole {
public:
    enum class Mode { LowPass, HighPass };
    OnePole(Mode mode, float cutoff) : mode(mode) { setCutoff(cutoff); }
    void setCutoff(float cutoff);
    float process(float x);

private:
    Mode mode;
    float coefficient = 1.0f;
    float state = 0.0f;
};

class Biquad {
public:
    enum class Mode { BandPass, LowPass };
    // `q` is the resonance: 0.707 is flat for a low pass; higher rings more.
    Biquad(Mode mode, float frequency, float q) : mode(mode) { setFrequency(frequency, q); }
    void setFrequency(float frequency, float q);
    float process(float x);

private:
    Mode mode;
    float b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float z1 = 0, z2 = 0;  // transposed direct form II state
};
