#include "audio/MusicInstruments.h"

#include "audio/AudioFormat.h"
#include "audio/Envelope.h"
#include "audio/Oscillator.h"
#include "audio/PitchSweep.h"
#include "audio/ToneLayer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Partial {
    float ratio;  // of the note's frequency
    float gain;
    float decay;  // seconds to fall 60 dB; 0 holds its level
};

struct Voice {
    std::array<Partial, 8> partials{};
    int count = 0;
    Adsr envelope;
    float vibratoDepth = 0.0f;  // fraction of the frequency
    float vibratoDelay = 0.0f;  // seconds before the vibrato fades in
    float tremolo = 0.0f;       // depth of a 4.5 Hz loudness wobble
    float breath = 0.0f;        // level of air noise under the tone
};

Voice voice(std::initializer_list<Partial> partials, Adsr envelope) {
    Voice v;
    for (const Partial& p : partials) v.partials[static_cast<std::size_t>(v.count++)] = p;
    v.envelope = envelope;
    return v;
}

Voice voiceFor(Instrument instrument) {
    const float release = instrumentRelease(instrument);
    switch (instrument) {
    case Instrument::PadWarm:  // two detuned stacks, the upper harmonics slowly closing
        return voice({{0.9965f, 0.5f, 0},
                      {1.0035f, 0.5f, 0},
                      {1.993f, 0.2f, 0},
                      {2.007f, 0.2f, 0},
                      {2.99f, 0.1f, 6},
                      {3.01f, 0.1f, 6},
                      {4.0f, 0.07f, 4}},
                     {0.3f, 0.8f, 0.8f, release});
    case Instrument::PadGlass: {  // hollow and bright: strong octave and double octave, shimmering
        Voice v = voice({{0.997f, 0.5f, 0}, {1.003f, 0.5f, 0}, {2.0f, 0.35f, 0}, {3.0f, 0.06f, 0}, {4.0f, 0.16f, 0}},
                        {0.5f, 1.0f, 0.85f, release});
        v.tremolo = 0.12f;
        return v;
    }
    case Instrument::PadOrgan:
        return voice({{1.0f, 0.45f, 0}, {1.003f, 0.3f, 0}, {2.0f, 0.3f, 0}, {3.0f, 0.12f, 0}, {4.0f, 0.15f, 0}},
                     {0.04f, 0.3f, 0.9f, release});
    case Instrument::BassRound:
        return voice({{1.0f, 1.0f, 0}, {2.0f, 0.35f, 0}, {3.0f, 0.1f, 0}}, {0.008f, 0.35f, 0.6f, release});
    case Instrument::BassPluck:
        return voice(
            {{1.0f, 1.0f, 2.0f}, {2.0f, 0.5f, 1.0f}, {3.0f, 0.3f, 0.6f}, {4.0f, 0.18f, 0.4f}, {5.0f, 0.1f, 0.3f}},
            {0.004f, 0.4f, 0.5f, release});
    case Instrument::BassSaw:  // a saw whose filter snaps shut: upper harmonics die first
        return voice({{1.0f, 0.9f, 0},
                      {2.0f, 0.45f, 3.0f},
                      {3.0f, 0.3f, 0.8f},
                      {4.0f, 0.22f, 0.5f},
                      {5.0f, 0.18f, 0.35f},
                      {6.0f, 0.15f, 0.3f},
                      {7.0f, 0.13f, 0.25f}},
                     {0.005f, 0.25f, 0.75f, release});
    case Instrument::LeadBell:
        return voice(
            {{1.0f, 1.0f, 1.8f}, {2.0f, 0.3f, 0.9f}, {3.0f, 0.1f, 0.5f}, {4.2f, 0.06f, 0.25f}, {7.1f, 0.03f, 0.08f}},
            {0.003f, 0.1f, 1.0f, release});
    case Instrument::LeadFlute: {
        Voice v = voice({{1.0f, 1.0f, 0}, {2.0f, 0.2f, 0}, {3.0f, 0.07f, 0}}, {0.07f, 0.2f, 0.85f, release});
        v.vibratoDepth = 0.006f;
        v.vibratoDelay = 0.25f;
        v.breath = 0.05f;
        return v;
    }
    case Instrument::LeadPluck:  // marimba-like: a soft bar with a ringing overtone near the fourth harmonic
        return voice({{1.0f, 1.0f, 1.0f}, {2.0f, 0.12f, 0.5f}, {3.93f, 0.25f, 0.18f}}, {0.002f, 0.1f, 1.0f, release});
    case Instrument::LeadSquare: {
        Voice v = voice({{1.0f, 0.8f, 0},
                         {1.004f, 0.3f, 0},
                         {3.0f, 0.27f, 0},
                         {5.0f, 0.16f, 3.0f},
                         {7.0f, 0.11f, 2.0f},
                         {9.0f, 0.07f, 1.5f}},
                        {0.008f, 0.2f, 0.7f, release});
        v.vibratoDepth = 0.005f;
        v.vibratoDelay = 0.2f;
        return v;
    }
    case Instrument::Arpeggio:
        return voice({{1.0f, 1.0f, 1.2f}, {2.0f, 0.2f, 0.6f}, {3.0f, 0.06f, 0.3f}}, {0.004f, 0.1f, 1.0f, release});
    default: return Voice{};
    }
}

// Pitched voices are computed in segments of 32 samples whose edges sit on
// multiples of 32 counted from the note-on. At each edge the loudness and the
// exact phase of every partial are worked out; within a segment the loudness
// moves linearly and each partial turns as a rotating complex number. A block
// that starts inside a segment still rotates from the segment's edge, so every
// sample is a function of its index alone, whatever the block boundaries.
constexpr std::int64_t kSegment = 32;
constexpr std::size_t kMaxPartials = 8;
constexpr double kVibratoRate = 5.2;

float partialLevel(const Voice& v, const Partial& p, float t, float held) {
    float level = p.gain * adsrLevel(v.envelope, t, held);
    if (p.decay > 0.0f) level *= decayLevel(t, p.decay);
    if (v.tremolo > 0.0f) level *= 1.0f + v.tremolo * sineCycles(4.5 * t);
    return level;
}

// Vibrato as a phase offset in cycles of the fundamental, fading in after its delay.
double vibratoCycles(const Voice& v, double frequency, double t) {
    if (v.vibratoDepth <= 0.0f || t <= v.vibratoDelay) return 0.0;
    const double fadeIn = std::min((t - v.vibratoDelay) / 0.3, 1.0);
    return fadeIn * v.vibratoDepth * frequency / (6.283185307179586 * kVibratoRate) * sineCycles(kVibratoRate * t);
}

void renderPitched(const NoteEvent& note, std::int64_t offset, std::int64_t end, float* out) {
    const Voice v = voiceFor(note.instrument);
    const double frequency = noteHz(note.midi);
    const float held = static_cast<float>(note.held) * kSamplePeriod;
    // Unused and inaudible (above 0.45 of the rate) partials stay at zero gain.
    std::array<double, kMaxPartials> cycles{};  // per sample
    std::array<float, kMaxPartials> level{}, slope{}, re{}, im{}, turnRe{}, turnIm{};
    for (std::int64_t n = offset; n < end;) {
        const std::int64_t edge = n / kSegment * kSegment;
        const std::int64_t segmentEnd = std::min(end, edge + kSegment);
        const double t0 = static_cast<double>(edge) / kSampleRate;
        const double t1 = static_cast<double>(edge + kSegment) / kSampleRate;
        const double vibrato0 = vibratoCycles(v, frequency, t0);
        const double vibrato1 = vibratoCycles(v, frequency, t1);
        for (std::size_t k = 0; k < kMaxPartials; ++k) {
            if (static_cast<int>(k) >= v.count || frequency * v.partials[k].ratio >= 0.45 * kSampleRate) {
                level[k] = slope[k] = re[k] = im[k] = turnIm[k] = 0.0f;
                turnRe[k] = 1.0f;
                continue;
            }
            const Partial& p = v.partials[k];
            cycles[k] = frequency * p.ratio / kSampleRate;
            const double phase0 = cycles[k] * static_cast<double>(edge) + vibrato0 * p.ratio;
            const double phase1 = cycles[k] * static_cast<double>(edge + kSegment) + vibrato1 * p.ratio;
            const double step = (phase1 - phase0) / kSegment;
            re[k] = sineCycles(phase0 + 0.25);
            im[k] = sineCycles(phase0);
            turnRe[k] = sineCycles(step + 0.25);
            turnIm[k] = sineCycles(step);
            level[k] = note.gain * partialLevel(v, p, static_cast<float>(t0), held);
            slope[k] = (note.gain * partialLevel(v, p, static_cast<float>(t1), held) - level[k]) / kSegment;
        }
        for (std::int64_t m = edge; m < segmentEnd; ++m) {
            if (m >= n) {
                float sample = 0.0f;
                for (std::size_t k = 0; k < kMaxPartials; ++k) sample += level[k] * im[k];
                out[m - offset] += sample;
            }
            for (std::size_t k = 0; k < kMaxPartials; ++k) {
                const float nextRe = re[k] * turnRe[k] - im[k] * turnIm[k];
                im[k] = re[k] * turnIm[k] + im[k] * turnRe[k];
                re[k] = nextRe;
                level[k] += slope[k];
            }
        }
        if (v.breath > 0.0f) {
            for (std::int64_t m = n; m < segmentEnd; ++m) {
                const float air = hashNoise(17, m) - hashNoise(17, m - 1);
                out[m - offset] +=
                    note.gain * v.breath * adsrLevel(v.envelope, static_cast<float>(m) * kSamplePeriod, held) * air;
            }
        }
        n = segmentEnd;
    }
}

// Noise that is already high-passed: the difference of neighbouring hash values.
float brightNoise(std::uint32_t seed, std::int64_t n, int gap) {
    return 0.5f * (hashNoise(seed, n) - hashNoise(seed, n - gap));
}

void renderDrum(const NoteEvent& note, std::int64_t offset, std::int64_t end, float* out) {
    static const PitchSweep kKickSweep{160.0f, 48.0f, 0.07f};
    for (std::int64_t n = offset; n < end; ++n) {
        const float t = static_cast<float>(n) * kSamplePeriod;
        float sample = 0.0f;
        switch (note.instrument) {
        case Instrument::Kick: {
            const float onset = std::min(t / 0.001f, 1.0f);
            sample = onset * decayLevel(t, 0.4f) * sineCycles(sweepPhase(kKickSweep, t)) +
                     0.3f * decayLevel(t, 0.006f) * hashNoise(3, n);
            break;
        }
        case Instrument::Snare:
            sample = 0.5f * decayLevel(t, 0.12f) * sineCycles(185.0 * t) +
                     0.25f * decayLevel(t, 0.08f) * sineCycles(330.0 * t) +
                     0.8f * decayLevel(t, 0.2f) * brightNoise(5, n, 1);
            break;
        case Instrument::Hat: sample = decayLevel(t, 0.05f) * brightNoise(7, n, 1); break;
        case Instrument::Shaker:
            sample = std::min(t / 0.015f, 1.0f) * decayLevel(t, 0.1f) * brightNoise(11, n, 2);
            break;
        default: break;
        }
        out[n - offset] += note.gain * sample;
    }
}

bool isDrum(Instrument instrument) {
    return instrument == Instrument::Kick || instrument == Instrument::Snare || instrument == Instrument::Hat ||
           instrument == Instrument::Shaker;
}

}  // namespace

std::int64_t noteLength(const NoteEvent& note) {
    return note.held + static_cast<std::int64_t>(samplesFor(instrumentRelease(note.instrument)));
}

void renderNote(const NoteEvent& note, std::int64_t offset, std::size_t count, float* out) {
    const std::int64_t begin = std::max<std::int64_t>(offset, 0);
    const std::int64_t end = std::min(offset + static_cast<std::int64_t>(count), noteLength(note));
    if (begin >= end) return;
    float* target = out + (begin - offset);
    if (isDrum(note.instrument)) {
        renderDrum(note, begin, end, target);
    } else {
        renderPitched(note, begin, end, target);
    }
}
