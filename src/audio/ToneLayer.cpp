#include "audio/ToneLayer.h"

#include "audio/AudioFormat.h"
#include "audio/Filter.h"

#include <algorithm>
#include <cmath>

namespace {

// The samples [first, last) of the buffer that a layer starting at `start`
// and lasting `length` seconds covers.
struct Span {
    std::size_t first;
    std::size_t last;
};

Span spanOf(const std::vector<float>& buffer, float start, float length) {
    const std::size_t first = std::min(samplesFor(start), buffer.size());
    const std::size_t last = std::min(first + samplesFor(length), buffer.size());
    return {first, last};
}

// Envelopes, glides and vibrato move at a control rate of one value per 16
// samples (0.36 ms), linearly joined: far finer than the ear follows, and it
// keeps exp and pow out of the per-sample loop.
constexpr std::size_t kControlStep = 16;
constexpr float kControlPeriod = kControlStep * kSamplePeriod;

// Runs `perSample(index, level)` over the span with the envelope level
// interpolated, after `perStep(time)` at the start of every control step.
template <typename PerStep, typename PerSample>
void controlLoop(const Span& span, const Adsr& envelope, float held, PerStep perStep, PerSample perSample) {
    float level = adsrLevel(envelope, 0.0f, held);
    for (std::size_t block = span.first; block < span.last; block += kControlStep) {
        const float t = static_cast<float>(block - span.first) * kSamplePeriod;
        const float nextLevel = adsrLevel(envelope, t + kControlPeriod, held);
        const float slope = (nextLevel - level) / kControlStep;
        perStep(t);
        const std::size_t end = std::min(block + kControlStep, span.last);
        for (std::size_t i = block; i < end; ++i) perSample(i, level + slope * static_cast<float>(i - block));
        level = nextLevel;
    }
}

}  // namespace

void addTone(std::vector<float>& buffer, const Tone& tone) {
    const Span span = spanOf(buffer, tone.start, tone.held + tone.envelope.release);
    Biquad lowPass(Biquad::Mode::LowPass, tone.lowPass > 0.0f ? tone.lowPass : 20000.0f, 0.707f);
    double phase = 0.0;
    float increment = 0.0f;
    controlLoop(
        span, tone.envelope, tone.held,
        [&](float t) {
            float vibrato = tone.vibratoDepth * sineCycles(static_cast<double>(tone.vibratoRate) * t);
            if (tone.vibratoDecay > 0.0f) vibrato *= decayLevel(t, tone.vibratoDecay);
            increment = sweepFrequency(tone.pitch, t) * (1.0f + vibrato) * kSamplePeriod;
        },
        [&](std::size_t i, float level) {
            float sample = oscillator(tone.wave, phase, increment);
            if (tone.lowPass > 0.0f) sample = lowPass.process(sample);
            buffer[i] += tone.gain * level * sample;
            phase += increment;
        });
}

void addNoise(std::vector<float>& buffer, const NoiseBurst& burst) {
    const Span span = spanOf(buffer, burst.start, burst.held + burst.envelope.release);
    NoiseSource noise(burst.seed);
    OnePole highPass(OnePole::Mode::HighPass, burst.centre.from);
    Biquad biquad(burst.shape == NoiseShape::LowPass ? Biquad::Mode::LowPass : Biquad::Mode::BandPass,
                  burst.centre.from, burst.q);
    const bool sweeps = burst.centre.from != burst.centre.to;
    controlLoop(
        span, burst.envelope, burst.held,
        [&](float t) {
            if (!sweeps) return;
            const float centre = sweepFrequency(burst.centre, t);
            highPass.setCutoff(centre);
            biquad.setFrequency(centre, burst.q);
        },
        [&](std::size_t i, float level) {
            const float white = noise.next();
            const float shaped = burst.shape == NoiseShape::HighPass ? highPass.process(white) : biquad.process(white);
            buffer[i] += burst.gain * level * shaped;
        });
}

void addChime(std::vector<float>& buffer, const Chime& chime) {
    struct Partial {
        float ratio, weight, decayShare;
    };
    // Ratios of a small struck bar: harmonic below, one inharmonic shimmer above.
    const Partial partials[] = {{1.0f, 1.0f, 1.0f}, {2.0f, 0.45f, 0.6f}, {3.0f, 0.2f, 0.4f}, {4.16f, 0.15f, 0.25f}};
    const Span span = spanOf(buffer, chime.start, chime.decayTime);
    const std::size_t attack = samplesFor(0.002f);  // a struck onset, yet no click
    for (const Partial& p : partials) {
        const float weight = p.ratio == 1.0f ? p.weight : p.weight * chime.brightness;
        const double increment = static_cast<double>(chime.frequency) * p.ratio * kSamplePeriod;
        if (weight <= 0.0f || increment >= 0.45) continue;
        // A decaying rotation: the sine and its 60 dB fall over the partial's
        // decay time come from one complex multiply per sample.
        const double fall = decayLevel(kSamplePeriod, chime.decayTime * p.decayShare);
        const double stepRe = fall * std::cos(6.283185307179586 * increment);
        const double stepIm = fall * std::sin(6.283185307179586 * increment);
        double re = chime.gain * weight;
        double im = 0.0;
        for (std::size_t i = span.first; i < span.last; ++i) {
            const std::size_t n = i - span.first;
            const double onset = n < attack ? static_cast<double>(n) / static_cast<double>(attack) : 1.0;
            buffer[i] += static_cast<float>(onset * im);
            const double nextRe = re * stepRe - im * stepIm;
            im = re * stepIm + im * stepRe;
            re = nextRe;
        }
    }
}

std::vector<float> silence(float seconds) {
    return std::vector<float>(samplesFor(seconds), 0.0f);
}

float noteHz(float midiNote) {
    return 440.0f * std::exp2((midiNote - 69.0f) / 12.0f);
}
