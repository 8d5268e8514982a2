#include "audio/EffectRecipes.h"

#include "audio/AudioFormat.h"
#include "audio/Filter.h"
#include "audio/Mixer.h"
#include "audio/ToneLayer.h"

#include <algorithm>
#include <cmath>

namespace {

using W = Waveform;

Tone makeTone(float start, float held, PitchSweep pitch, W wave, float gain, Adsr envelope, float lowPass = 0.0f) {
    Tone tone;
    tone.start = start;
    tone.held = held;
    tone.pitch = pitch;
    tone.wave = wave;
    tone.gain = gain;
    tone.envelope = envelope;
    tone.lowPass = lowPass;
    return tone;
}

Tone withVibrato(Tone tone, float rate, float depth, float decay = 0.0f) {
    tone.vibratoRate = rate;
    tone.vibratoDepth = depth;
    tone.vibratoDecay = decay;
    return tone;
}

NoiseBurst makeNoise(float start, float held, NoiseShape shape, PitchSweep centre, float q, float gain, Adsr envelope,
                     std::uint32_t seed) {
    NoiseBurst burst;
    burst.start = start;
    burst.held = held;
    burst.shape = shape;
    burst.centre = centre;
    burst.q = q;
    burst.gain = gain;
    burst.envelope = envelope;
    burst.seed = seed;
    return burst;
}

PitchSweep steady(float hz) {
    return {hz, hz, 0.0f};
}
PitchSweep glide(float from, float to, float time) {
    return {from, to, time};
}

// A short, decaying envelope for struck and plucked sounds: no sustain.
Adsr strike(float attack, float decay, float release = 0.02f) {
    return {attack, decay, 0.0f, release};
}

// Brass-like note of the fanfares: two slightly detuned saws through a low pass.
void addBrass(std::vector<float>& out, float start, float held, float midi, float gain, float brightness,
              float vibratoDepth = 0.004f, float release = 0.12f) {
    const Adsr envelope{0.025f, 0.15f, 0.75f, release};
    for (float detune : {0.998f, 1.002f}) {
        addTone(out,
                withVibrato(makeTone(start, held, steady(noteHz(midi) * detune), W::Saw, gain, envelope, brightness),
                            5.2f, vibratoDepth));
    }
    addTone(out, makeTone(start, held, steady(noteHz(midi - 12.0f)), W::Sine, gain * 0.5f, envelope));
}

// Adds `layer` into the loop at `offset`, the part past the end wrapping to the front.
void addWrapped(std::vector<float>& loop, const std::vector<float>& layer, std::size_t offset) {
    for (std::size_t i = 0; i < layer.size(); ++i) loop[(offset + i) % loop.size()] += layer[i];
}

// Filters one period of a loop as if it had been playing forever: the first
// pass only settles the filter, so the second ends in the state it began with.
template <typename Filter>
void filterLoop(std::vector<float>& loop, Filter filter) {
    std::vector<float> out(loop.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < loop.size(); ++i) out[i] = filter(loop[i]);
    }
    loop.swap(out);
}

float loopTime(std::size_t i) {
    return static_cast<float>(i) * kSamplePeriod;
}

// Rolling: a rumble of low-passed noise, a low body tone and a little grit.
// Every periodic part repeats a whole number of times in the 2 s loop.
std::vector<float> roll() {
    std::vector<float> out = silence(2.0f);
    NoiseSource noise(11);
    for (float& s : out) s = noise.next();
    Biquad low(Biquad::Mode::LowPass, 300.0f, 0.9f);
    Biquad body(Biquad::Mode::BandPass, 140.0f, 1.4f);
    filterLoop(out, [&](float x) { return 0.9f * low.process(x) + 1.6f * body.process(x); });
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = loopTime(i);
        const float texture = 1.0f + 0.3f * sineCycles(3.0 * t) + 0.15f * sineCycles(7.0 * t + 0.3);
        const float tone =
            0.16f * sineCycles(55.0 * t) * (1.0f + 0.4f * sineCycles(2.0 * t)) + 0.05f * sineCycles(110.0 * t);
        out[i] = out[i] * texture + tone;
    }
    NoiseSource place(5);
    for (int grain = 0; grain < 14; ++grain) {
        std::vector<float> grit = silence(0.012f);
        addNoise(grit,
                 makeNoise(0.0f, 0.001f, NoiseShape::HighPass, steady(2500.0f), 1.0f, 0.04f + 0.03f * place.next(),
                           strike(0.0005f, 0.008f, 0.003f), static_cast<std::uint32_t>(grain + 1)));
        addWrapped(out, grit,
                   static_cast<std::size_t>((place.next() * 0.5f + 0.5f) * static_cast<float>(out.size() - 1)));
    }
    return out;
}

// A conveyor: motor hum on 50 Hz and its harmonics, and eight belt-link clicks a second.
std::vector<float> beltHum() {
    std::vector<float> out = silence(1.0f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = loopTime(i);
        out[i] = 0.5f * oscillator(W::Saw, 50.0 * t, 50.0f * kSamplePeriod);
    }
    Biquad motor(Biquad::Mode::LowPass, 380.0f, 0.707f);
    filterLoop(out, [&](float x) { return motor.process(x); });
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = loopTime(i);
        const float wobble = 1.0f + 0.12f * sineCycles(4.0 * t);
        out[i] = (out[i] + 0.18f * sineCycles(100.0 * t) + 0.06f * sineCycles(150.0 * t)) * wobble;
    }
    for (int link = 0; link < 8; ++link) {
        std::vector<float> click = silence(0.03f);
        addNoise(click, makeNoise(0.0f, 0.002f, NoiseShape::BandPass, steady(link % 2 ? 1700.0f : 2100.0f), 4.0f,
                                  link % 2 ? 0.35f : 0.5f, strike(0.0005f, 0.015f, 0.01f),
                                  static_cast<std::uint32_t>(40 + link)));
        addWrapped(out, click, static_cast<std::size_t>(link) * out.size() / 8 + 300);
    }
    return out;
}

std::vector<float> jump() {
    std::vector<float> out = silence(0.32f);
    const Adsr envelope{0.006f, 0.1f, 0.45f, 0.12f};
    addTone(out, makeTone(0.0f, 0.1f, glide(250.0f, 620.0f, 0.14f), W::Triangle, 0.55f, envelope));
    addTone(out, makeTone(0.0f, 0.08f, glide(500.0f, 1240.0f, 0.14f), W::Sine, 0.14f, envelope));
    addNoise(out, makeNoise(0.0f, 0.08f, NoiseShape::BandPass, glide(700.0f, 2600.0f, 0.15f), 1.2f, 0.3f,
                            {0.015f, 0.05f, 0.5f, 0.08f}, 3));
    return out;
}

std::vector<float> land() {
    std::vector<float> out = silence(0.3f);
    addTone(out, makeTone(0.0f, 0.2f, glide(125.0f, 45.0f, 0.09f), W::Sine, 0.9f, strike(0.002f, 0.16f)));
    addNoise(out, makeNoise(0.0f, 0.05f, NoiseShape::LowPass, glide(900.0f, 250.0f, 0.05f), 0.8f, 0.7f,
                            strike(0.001f, 0.05f, 0.03f), 5));
    addNoise(out, makeNoise(0.0f, 0.003f, NoiseShape::HighPass, steady(3000.0f), 1.0f, 0.12f,
                            strike(0.0005f, 0.004f, 0.002f), 6));
    return out;
}

// The classic pick-up: a bright fourth upwards, B5 then a ringing E6.
std::vector<float> coin() {
    std::vector<float> out = silence(0.75f);
    addChime(out, Chime{0.0f, noteHz(83), 0.45f, 0.25f, 0.6f});
    addTone(out, makeTone(0.0f, 0.06f, steady(noteHz(83)), W::Square, 0.12f, strike(0.002f, 0.08f, 0.02f), 3500.0f));
    addChime(out, Chime{0.075f, noteHz(88), 0.6f, 0.65f, 0.7f});
    addTone(out, makeTone(0.075f, 0.05f, steady(noteHz(88)), W::Square, 0.1f, {0.002f, 0.2f, 0.3f, 0.3f}, 3500.0f));
    addChime(out, Chime{0.075f, noteHz(100), 0.1f, 0.3f, 0.2f});
    return out;
}

// Magnet: a beating, wobbling whirr pulled upwards, caught by two metallic dings.
std::vector<float> magnet() {
    std::vector<float> out = silence(1.05f);
    const Adsr envelope{0.03f, 0.2f, 0.8f, 0.15f};
    for (float detune : {1.0f, 1.012f}) {
        addTone(out, withVibrato(makeTone(0.0f, 0.32f, glide(170.0f * detune, 350.0f * detune, 0.34f), W::Saw, 0.28f,
                                          envelope, 1300.0f),
                                 13.0f, 0.025f));
    }
    addChime(out, Chime{0.3f, noteHz(84), 0.45f, 0.7f, 0.9f});
    addChime(out, Chime{0.37f, noteHz(91), 0.3f, 0.6f, 0.7f});
    return out;
}

// Slow motion: everything sinks a couple of octaves, like a tape winding down.
std::vector<float> slowMo() {
    std::vector<float> out = silence(1.05f);
    const Adsr envelope{0.01f, 0.3f, 0.6f, 0.25f};
    addTone(out, withVibrato(makeTone(0.0f, 0.6f, glide(660.0f, 165.0f, 0.7f), W::Saw, 0.35f, envelope, 1800.0f), 6.0f,
                             0.01f));
    addTone(out, makeTone(0.0f, 0.6f, glide(330.0f, 82.0f, 0.7f), W::Triangle, 0.35f, envelope));
    addChime(out, Chime{0.0f, noteHz(72), 0.3f, 1.0f, 0.5f});
    addNoise(out, makeNoise(0.0f, 0.4f, NoiseShape::BandPass, glide(3000.0f, 500.0f, 0.6f), 1.0f, 0.12f,
                            {0.05f, 0.2f, 0.6f, 0.2f}, 9));
    return out;
}

// Anti-gravity: a quick rising arpeggio over a floating, wavering whistle.
std::vector<float> antiGravity() {
    std::vector<float> out = silence(1.1f);
    const float notes[] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i)
        addChime(out, Chime{0.06f * static_cast<float>(i), noteHz(notes[i]), 0.3f + 0.03f * static_cast<float>(i), 0.7f,
                            0.4f});
    addTone(out,
            withVibrato(makeTone(0.0f, 0.45f, glide(300.0f, 1200.0f, 0.5f), W::Sine, 0.2f, {0.1f, 0.2f, 0.8f, 0.25f}),
                        7.0f, 0.03f));
    addNoise(out,
             makeNoise(0.0f, 0.4f, NoiseShape::BandPass, steady(4000.0f), 0.7f, 0.08f, {0.2f, 0.1f, 0.8f, 0.3f}, 13));
    return out;
}

// Shield: a C major swell closing over a low body, and a bright ring of metal.
std::vector<float> shield() {
    std::vector<float> out = silence(1.0f);
    const Adsr envelope{0.08f, 0.3f, 0.5f, 0.35f};
    for (float midi : {60.0f, 64.0f, 67.0f}) {
        addTone(out, withVibrato(makeTone(0.0f, 0.3f, glide(noteHz(midi) * 0.94f, noteHz(midi), 0.1f), W::Saw, 0.16f,
                                          envelope, 900.0f),
                                 5.0f, 0.004f));
    }
    addTone(out, makeTone(0.0f, 0.4f, steady(noteHz(48)), W::Sine, 0.35f, strike(0.02f, 0.4f, 0.1f)));
    addChime(out, Chime{0.05f, noteHz(84), 0.3f, 0.9f, 1.0f});
    return out;
}

// Speed boost: a rising zoom with a wind rush, landing on a ping.
std::vector<float> speedBoost() {
    std::vector<float> out = silence(0.75f);
    const Adsr envelope{0.01f, 0.2f, 0.8f, 0.15f};
    addTone(out, makeTone(0.0f, 0.3f, glide(150.0f, 900.0f, 0.3f), W::Saw, 0.3f, envelope, 2500.0f));
    addTone(out, makeTone(0.0f, 0.3f, glide(300.0f, 1800.0f, 0.3f), W::Square, 0.08f, envelope, 3000.0f));
    addNoise(out, makeNoise(0.0f, 0.3f, NoiseShape::BandPass, glide(500.0f, 5000.0f, 0.35f), 1.5f, 0.4f,
                            {0.05f, 0.1f, 0.8f, 0.15f}, 17));
    addChime(out, Chime{0.28f, noteHz(91), 0.25f, 0.4f, 0.6f});
    return out;
}

// A powerup running out: two soft notes stepping down, the second sagging.
std::vector<float> powerupExpire() {
    std::vector<float> out = silence(0.62f);
    addTone(out, makeTone(0.0f, 0.09f, steady(noteHz(79)), W::Triangle, 0.4f, {0.004f, 0.08f, 0.6f, 0.05f}, 2200.0f));
    addTone(out, withVibrato(makeTone(0.12f, 0.15f, glide(noteHz(72), noteHz(67), 0.3f), W::Triangle, 0.45f,
                                      {0.004f, 0.15f, 0.5f, 0.25f}, 2000.0f),
                             6.0f, 0.01f));
    addTone(out,
            makeTone(0.12f, 0.15f, glide(noteHz(60), noteHz(55), 0.3f), W::Sine, 0.15f, {0.004f, 0.15f, 0.5f, 0.25f}));
    return out;
}

// A bouncy pad: a springy "boing" whose wobble dies away, over a soft thump.
std::vector<float> bounce() {
    std::vector<float> out = silence(0.55f);
    addTone(out,
            withVibrato(makeTone(0.0f, 0.45f, glide(140.0f, 420.0f, 0.06f), W::Sine, 0.6f, strike(0.003f, 0.4f, 0.05f)),
                        11.0f, 0.09f, 0.5f));
    addTone(out, withVibrato(makeTone(0.0f, 0.3f, glide(280.0f, 840.0f, 0.06f), W::Triangle, 0.15f,
                                      strike(0.003f, 0.25f, 0.05f)),
                             11.0f, 0.09f, 0.5f));
    addTone(out, makeTone(0.0f, 0.1f, glide(90.0f, 50.0f, 0.08f), W::Sine, 0.4f, strike(0.002f, 0.1f)));
    return out;
}

// A tile starting to crumble: a thump, a rumble and a scatter of stony cracks.
std::vector<float> crumbleCrack() {
    std::vector<float> out = silence(0.6f);
    addTone(out, makeTone(0.0f, 0.15f, glide(110.0f, 60.0f, 0.1f), W::Sine, 0.35f, strike(0.002f, 0.15f)));
    addNoise(out,
             makeNoise(0.0f, 0.25f, NoiseShape::LowPass, steady(300.0f), 0.8f, 0.45f, {0.01f, 0.2f, 0.4f, 0.2f}, 21));
    NoiseSource scatter(23);
    for (int crack = 0; crack < 8; ++crack) {
        const float start = 0.35f * static_cast<float>(crack) / 8.0f + 0.02f * scatter.next();
        const float centre = 2700.0f + 1200.0f * scatter.next();
        const float gain = (0.75f - 0.06f * static_cast<float>(crack)) * (0.8f + 0.2f * scatter.next());
        addNoise(out, makeNoise(std::max(start, 0.0f), 0.004f, NoiseShape::BandPass, steady(centre), 2.0f, gain,
                                strike(0.0005f, 0.02f, 0.015f), static_cast<std::uint32_t>(100 + crack)));
    }
    return out;
}

// Falling off: a long whistle sliding down, and wind.
std::vector<float> fall() {
    std::vector<float> out = silence(1.4f);
    const Adsr envelope{0.1f, 0.3f, 0.9f, 0.2f};
    addTone(out,
            withVibrato(makeTone(0.0f, 1.1f, glide(1500.0f, 350.0f, 1.2f), W::Sine, 0.45f, envelope), 5.0f, 0.006f));
    addTone(out, makeTone(0.0f, 1.1f, glide(1500.0f, 350.0f, 1.2f), W::Triangle, 0.08f, envelope));
    addNoise(out, makeNoise(0.0f, 1.1f, NoiseShape::BandPass, glide(800.0f, 300.0f, 1.2f), 0.8f, 0.15f, envelope, 29));
    return out;
}

// Respawn: a glow swelling up into a sparkling G major arpeggio.
std::vector<float> respawn() {
    std::vector<float> out = silence(1.15f);
    addNoise(out, makeNoise(0.0f, 0.3f, NoiseShape::BandPass, glide(2000.0f, 6000.0f, 0.3f), 0.9f, 0.14f,
                            {0.3f, 0.1f, 0.5f, 0.2f}, 31));
    const float notes[] = {79, 83, 86, 91};
    for (int i = 0; i < 4; ++i)
        addChime(out, Chime{0.15f + 0.05f * static_cast<float>(i), noteHz(notes[i]), 0.3f, 0.8f, 0.4f});
    addTone(out, makeTone(0.0f, 0.35f, steady(noteHz(67)), W::Sine, 0.25f, {0.25f, 0.2f, 0.8f, 0.35f}));
    addTone(out, makeTone(0.0f, 0.35f, steady(noteHz(74)), W::Sine, 0.15f, {0.25f, 0.2f, 0.8f, 0.35f}));
    return out;
}

// Checkpoint: one clear ding with its fifth and a soft body.
std::vector<float> checkpoint() {
    std::vector<float> out = silence(0.85f);
    addChime(out, Chime{0.0f, noteHz(88), 0.6f, 0.85f, 0.5f});
    addChime(out, Chime{0.0f, noteHz(95), 0.22f, 0.6f, 0.3f});
    addTone(out, makeTone(0.0f, 0.05f, steady(noteHz(76)), W::Sine, 0.2f, strike(0.003f, 0.4f, 0.1f)));
    return out;
}

// Level complete: a brass fanfare climbing a C major chord to a held top note
// over the full chord, with a low boom and chimes on the arrival.
std::vector<float> levelComplete() {
    std::vector<float> out = silence(2.5f);
    const float lead[][3] = {
        {0.0f, 0.09f, 67}, {0.12f, 0.09f, 72}, {0.24f, 0.09f, 76}, {0.36f, 0.22f, 79}, {0.64f, 0.09f, 76}};
    for (const auto& note : lead) addBrass(out, note[0], note[1], note[2], 0.22f, 3200.0f);
    addBrass(out, 0.78f, 0.9f, 84, 0.22f, 3200.0f, 0.006f, 0.7f);
    for (float midi : {60.0f, 64.0f, 67.0f, 72.0f}) addBrass(out, 0.78f, 0.9f, midi, 0.1f, 2000.0f, 0.0f, 0.7f);
    addTone(out, makeTone(0.78f, 0.3f, glide(noteHz(36) * 1.5f, noteHz(36), 0.05f), W::Sine, 0.5f,
                          strike(0.004f, 0.8f, 0.2f)));
    for (int i = 0; i < 3; ++i)
        addChime(out, Chime{0.78f + 0.06f * static_cast<float>(i),
                            noteHz(i == 0   ? 84
                                   : i == 1 ? 88
                                            : 91),
                            0.18f, 1.2f, 0.5f});
    return out;
}

// Game over: the sad trombone, three steps down and a long wavering last note.
std::vector<float> gameOver() {
    std::vector<float> out = silence(2.7f);
    const float notes[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i) addBrass(out, 0.38f * static_cast<float>(i), 0.28f, notes[i], 0.25f, 900.0f);
    const Adsr envelope{0.03f, 0.3f, 0.8f, 0.4f};
    for (float detune : {0.998f, 1.002f}) {
        addTone(out, withVibrato(makeTone(1.14f, 1.1f, glide(noteHz(64) * detune, noteHz(63) * detune, 1.2f), W::Saw,
                                          0.25f, envelope, 900.0f),
                                 4.5f, 0.015f));
    }
    addTone(out, makeTone(1.14f, 1.1f, glide(noteHz(52), noteHz(51), 1.2f), W::Sine, 0.2f, envelope));
    return out;
}

// The last seconds' tick: a dry woodblock knock.
std::vector<float> timeLow() {
    std::vector<float> out = silence(0.12f);
    addNoise(out, makeNoise(0.0f, 0.002f, NoiseShape::BandPass, steady(2500.0f), 6.0f, 0.8f,
                            strike(0.0005f, 0.01f, 0.01f), 37));
    addTone(out, makeTone(0.0f, 0.06f, steady(1800.0f), W::Sine, 0.5f, strike(0.001f, 0.05f)));
    addTone(out, makeTone(0.0f, 0.05f, steady(900.0f), W::Sine, 0.35f, strike(0.001f, 0.04f)));
    return out;
}

std::vector<float> menuHover() {
    std::vector<float> out = silence(0.09f);
    addTone(out, makeTone(0.0f, 0.05f, steady(1320.0f), W::Sine, 0.5f, strike(0.002f, 0.05f)));
    addTone(out, makeTone(0.0f, 0.03f, steady(2640.0f), W::Sine, 0.1f, strike(0.002f, 0.03f)));
    return out;
}

std::vector<float> menuClick() {
    std::vector<float> out = silence(0.18f);
    addNoise(out, makeNoise(0.0f, 0.002f, NoiseShape::HighPass, steady(2000.0f), 1.0f, 0.3f,
                            strike(0.0005f, 0.003f, 0.002f), 41));
    addTone(out, makeTone(0.0f, 0.03f, steady(880.0f), W::Triangle, 0.45f, strike(0.002f, 0.06f)));
    addTone(out, makeTone(0.035f, 0.08f, steady(1320.0f), W::Triangle, 0.45f, strike(0.002f, 0.09f)));
    return out;
}

std::vector<float> pause() {
    std::vector<float> out = silence(0.5f);
    addTone(out, makeTone(0.0f, 0.08f, steady(noteHz(79)), W::Triangle, 0.4f, strike(0.003f, 0.2f, 0.05f), 2500.0f));
    addTone(out, makeTone(0.09f, 0.2f, steady(noteHz(72)), W::Triangle, 0.45f, strike(0.003f, 0.3f, 0.1f), 2500.0f));
    addChime(out, Chime{0.09f, noteHz(84), 0.12f, 0.35f, 0.2f});
    return out;
}

std::vector<float> recipe(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::Roll: return roll();
    case SoundEffect::Jump: return jump();
    case SoundEffect::Land: return land();
    case SoundEffect::Coin: return coin();
    case SoundEffect::Magnet: return magnet();
    case SoundEffect::SlowMo: return slowMo();
    case SoundEffect::AntiGravity: return antiGravity();
    case SoundEffect::Shield: return shield();
    case SoundEffect::SpeedBoost: return speedBoost();
    case SoundEffect::PowerupExpire: return powerupExpire();
    case SoundEffect::Bounce: return bounce();
    case SoundEffect::CrumbleCrack: return crumbleCrack();
    case SoundEffect::BeltHum: return beltHum();
    case SoundEffect::Fall: return fall();
    case SoundEffect::Respawn: return respawn();
    case SoundEffect::Checkpoint: return checkpoint();
    case SoundEffect::LevelComplete: return levelComplete();
    case SoundEffect::GameOver: return gameOver();
    case SoundEffect::TimeLow: return timeLow();
    case SoundEffect::MenuHover: return menuHover();
    case SoundEffect::MenuClick: return menuClick();
    case SoundEffect::Pause: return pause();
    case SoundEffect::Count: break;
    }
    return {};
}

// Peak level of each effect before the limiter: quiet interface blips, full
// fanfares. The loops sit lower, since the game raises them with speed.
float peakLevel(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::MenuHover: return 0.35f;
    case SoundEffect::MenuClick:
    case SoundEffect::Pause: return 0.5f;
    case SoundEffect::Roll:
    case SoundEffect::BeltHum:
    case SoundEffect::TimeLow: return 0.6f;
    case SoundEffect::LevelComplete:
    case SoundEffect::GameOver:
    case SoundEffect::Coin:  // the sound the whole game is about
    case SoundEffect::Land: return 0.9f;
    default: return 0.75f;
    }
}

// The last 8 ms fade out, so a sound cut at its buffer's end cannot click.
void fadeTail(std::vector<float>& samples) {
    const std::size_t fade = std::min(samples.size(), samplesFor(0.008f));
    for (std::size_t i = 0; i < fade; ++i)
        samples[samples.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
}

}  // namespace

std::vector<float> renderEffect(SoundEffect effect) {
    std::vector<float> samples = recipe(effect);
    if (!effectLoops(effect)) fadeTail(samples);
    normalizePeak(samples, peakLevel(effect));
    for (float& s : samples) s = softLimit(s);
    return samples;
}
