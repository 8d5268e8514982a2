// The layers effect recipes stack into a buffer: a pitched tone (one oscillator
// with a glide, vibrato, envelope and an optional low pass), a filtered noise
// burst, and a struck chime of decaying partials. Times are seconds from the
// buffer's start; each layer is clipped at the buffer's end.
#pragma once

#include "audio/Envelope.h"
#include "audio/Oscillator.h"
#include "audio/PitchSweep.h"

#include <cstdint>
#include <vector>

struct Tone {
    float start = 0.0f;
    float held = 0.1f;  // seconds before the release begins
    PitchSweep pitch{440.0f, 440.0f, 0.0f};
    Waveform wave = Waveform::Sine;
    float gain = 0.5f;
    Adsr envelope;
    float vibratoRate = 0.0f;   // Hz
    float vibratoDepth = 0.0f;  // fraction of the frequency
    float vibratoDecay = 0.0f;  // seconds for the vibrato to die out (60 dB); 0 keeps it
    float lowPass = 0.0f;       // Hz of a two-pole (12 dB/octave) low pass; 0 for none
};

enum class NoiseShape { LowPass, HighPass, BandPass };

struct NoiseBurst {
    float start = 0.0f;
    float held = 0.05f;
    float gain = 0.5f;
    Adsr envelope{0.002f, 0.05f, 0.5f, 0.05f};
    NoiseShape shape = NoiseShape::BandPass;
    PitchSweep centre{1000.0f, 1000.0f, 0.0f};  // cutoff or centre, Hz
    float q = 1.0f;
    std::uint32_t seed = 1;
};

// Struck-metal partials over `frequency`: the fundamental, the octave, a
// twelfth and an inharmonic shimmer, the higher ones dying sooner.
struct Chime {
    float start = 0.0f;
    float frequency = 1000.0f;
    float gain = 0.5f;
    float decayTime = 0.5f;   // of the fundamental, to -60 dB
    float brightness = 0.5f;  // 0..1, weight of the upper partials
};

void addTone(std::vector<float>& buffer, const Tone& tone);
void addNoise(std::vector<float>& buffer, const NoiseBurst& burst);
void addChime(std::vector<float>& buffer, const Chime& chime);

// A buffer of silence `seconds` long.
std::vector<float> silence(float seconds);

// MIDI note number to Hz (69 = A4 = 440 Hz).
float noteHz(float midiNote);
