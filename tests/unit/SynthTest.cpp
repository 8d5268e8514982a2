// The synthesiser's building blocks: waves, noise, envelopes, filters, sweeps and the limiter.
#include "audio/AudioFormat.h"
#include "audio/Envelope.h"
#include "audio/Filter.h"
#include "audio/Mixer.h"
#include "audio/Oscillator.h"
#include "audio/PitchSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// RMS of a filter's steady output for a sine at `hz` (the first 0.1 s settles it).
template <typename Filter>
float sineThrough(Filter filter, float hz) {
    std::vector<float> out;
    for (int i = 0; i < kSampleRate / 2; ++i) {
        const float y = filter.process(sineCycles(static_cast<double>(hz) * i / kSampleRate));
        if (i >= kSampleRate / 10) out.push_back(y);
    }
    return rms(out, 0, out.size());
}

}  // namespace

TEST(SynthOscillators, WavesStayInRangeAndTheSineIsAccurate) {
    float sineError = 0.0f;
    for (int i = -2000; i <= 2000; ++i) {
        const double phase = i * 0.00123;
        sineError = std::fmax(sineError,
                              std::fabs(sineCycles(phase) - static_cast<float>(std::sin(6.283185307179586 * phase))));
        for (Waveform wave : {Waveform::Sine, Waveform::Square, Waveform::Saw, Waveform::Triangle}) {
            const float value = oscillator(wave, phase, 0.02f);
            ASSERT_TRUE(value >= -1.0f && value <= 1.0f) << static_cast<int>(wave) << " at " << phase;
        }
    }
    EXPECT_LT(sineError, 1e-5f);
}

TEST(SynthOscillators, NoiseRepeatsForASeedAndDiffersBetweenSeeds) {
    NoiseSource a(7), b(7), c(8);
    int same = 0, differ = 0;
    double sum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const float x = a.next();
        ASSERT_TRUE(x >= -1.0f && x <= 1.0f);
        same += x == b.next();
        differ += x != c.next();
        sum += x;
        EXPECT_EQ(hashNoise(3, i), hashNoise(3, i));
    }
    EXPECT_EQ(same, 10000);
    EXPECT_GT(differ, 9900);
    EXPECT_LT(std::fabs(sum / 10000), 0.05);  // centred on zero
    EXPECT_NE(hashNoise(3, 5), hashNoise(4, 5));
}

TEST(SynthEnvelopes, AdsrRisesHoldsAndReleasesToExactlyZero) {
    const Adsr envelope{0.01f, 0.1f, 0.5f, 0.2f};
    EXPECT_FLOAT_EQ(adsrLevel(envelope, 0.01f, 1.0f), 1.0f);
    EXPECT_NEAR(adsrLevel(envelope, 0.5f, 1.0f), 0.5f, 0.01f);
    EXPECT_EQ(adsrLevel(envelope, 1.2f, 1.0f), 0.0f);
    EXPECT_EQ(adsrLevel(envelope, -0.1f, 1.0f), 0.0f);
    float previous = 1.0f;
    for (float t = 1.0f; t < 1.3f; t += 0.001f) {
        const float level = adsrLevel(envelope, t, 1.0f);
        EXPECT_LE(level, previous + 1e-6f);  // the release only falls
        previous = level;
    }
    EXPECT_NEAR(decayLevel(0.5f, 0.5f), 0.001f, 1e-5f);
}

TEST(SynthFilters, PassTheirBandAndStopTheRest) {
    EXPECT_GT(sineThrough(OnePole(OnePole::Mode::LowPass, 500.0f), 100.0f),
              4.0f * sineThrough(OnePole(OnePole::Mode::LowPass, 500.0f), 8000.0f));
    EXPECT_GT(sineThrough(OnePole(OnePole::Mode::HighPass, 2000.0f), 8000.0f),
              4.0f * sineThrough(OnePole(OnePole::Mode::HighPass, 2000.0f), 100.0f));
    const Biquad band(Biquad::Mode::BandPass, 1000.0f, 4.0f);
    EXPECT_NEAR(sineThrough(band, 1000.0f), std::sqrt(0.5f), 0.02f);  // unity gain at the centre
    EXPECT_GT(sineThrough(band, 1000.0f), 5.0f * sineThrough(band, 4000.0f));
    const Biquad low(Biquad::Mode::LowPass, 1000.0f, 0.707f);
    EXPECT_GT(sineThrough(low, 200.0f), 30.0f * sineThrough(low, 10000.0f));  // two poles: 12 dB an octave
}

TEST(SynthFilters, DecayIntoTrueZeroInsteadOfDenormals) {
    Biquad biquad(Biquad::Mode::LowPass, 300.0f, 4.0f);
    OnePole onePole(OnePole::Mode::LowPass, 50.0f);
    biquad.process(1.0f);
    onePole.process(1.0f);
    float a = 1.0f, b = 1.0f;
    for (int i = 0; i < 10 * kSampleRate; ++i) {
        a = biquad.process(0.0f);
        b = onePole.process(0.0f);
        ASSERT_NE(std::fpclassify(a), FP_SUBNORMAL);
        ASSERT_NE(std::fpclassify(b), FP_SUBNORMAL);
    }
    EXPECT_EQ(a, 0.0f);
    EXPECT_EQ(b, 0.0f);
}

TEST(SynthPitchSweep, PhaseIsTheIntegralOfTheFrequency) {
    const PitchSweep sweep{200.0f, 800.0f, 0.5f};
    EXPECT_FLOAT_EQ(sweepFrequency(sweep, 0.0f), 200.0f);
    EXPECT_NEAR(sweepFrequency(sweep, 0.25f), 400.0f, 0.01f);  // halfway in time is halfway in octaves
    EXPECT_FLOAT_EQ(sweepFrequency(sweep, 2.0f), 800.0f);
    for (double t : {0.1, 0.3, 0.49, 0.7}) {
        const double h = 1e-4;
        EXPECT_NEAR((sweepPhase(sweep, t + h) - sweepPhase(sweep, t - h)) / (2 * h),
                    sweepFrequency(sweep, static_cast<float>(t)), 0.5);
    }
    EXPECT_EQ(sweepPhase(sweep, 0.0), 0.0);
}

TEST(SynthMixer, LimiterIsSmoothBoundedAndLeavesQuietSamplesAlone) {
    EXPECT_EQ(softLimit(0.3f), 0.3f);
    EXPECT_EQ(softLimit(-0.6f), -0.6f);
    EXPECT_EQ(softLimit(std::nanf("")), 0.0f);
    float previous = -2.0f;
    for (float x = -50.0f; x <= 50.0f; x += 0.01f) {
        const float y = softLimit(x);
        ASSERT_TRUE(y >= -1.0f && y <= 1.0f && y >= previous) << x;
        previous = y;
    }
    EXPECT_EQ(toPcm16(2.0f), 32767);
    EXPECT_EQ(toPcm16(-2.0f), -32767);
    EXPECT_EQ(toPcm16(0.5f), 16384);
    std::vector<float> samples{0.1f, -0.4f, 0.2f};
    normalizePeak(samples, 0.8f);
    EXPECT_FLOAT_EQ(samples[1], -0.8f);
    EXPECT_FLOAT_EQ(samples[0], 0.2f);
}
