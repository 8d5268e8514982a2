// The effect recipes: every effect is well-formed and has a shape; loops wrap
// seamlessly; the play-time controls move the way the game needs.
#include "audio/AudioFormat.h"
#include "audio/EffectBank.h"
#include "audio/EffectControls.h"
#include "audio/EffectRecipes.h"
#include "audio/Mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const std::size_t kWindow = samplesFor(0.05f);

// The strongest frequency (Hz, 50 Hz steps up to 4 kHz) in samples [first, first + count).
float dominantHz(const std::vector<float>& s, std::size_t first, std::size_t count) {
    float best = 0.0f, bestPower = -1.0f;
    for (float hz = 100.0f; hz <= 4000.0f; hz += 50.0f) {
        double re = 0.0, im = 0.0;
        for (std::size_t i = first; i < first + count && i < s.size(); ++i) {
            const double angle = 6.283185307179586 * hz * static_cast<double>(i) / kSampleRate;
            re += s[i] * std::cos(angle);
            im += s[i] * std::sin(angle);
        }
        if (re * re + im * im > bestPower) {
            bestPower = static_cast<float>(re * re + im * im);
            best = hz;
        }
    }
    return best;
}

}  // namespace

TEST(EffectRecipes, EveryEffectIsRepeatableInRangeAndAudible) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        SCOPED_TRACE(effectName(effect));
        const std::vector<float> samples = renderEffect(effect);
        ASSERT_GE(samples.size(), kWindow);
        EXPECT_LT(samples.size(), samplesFor(3.0f));
        EXPECT_EQ(samples, renderEffect(effect));
        for (float s : samples) {
            ASSERT_TRUE(std::fabs(s) <= 1.0f) << s;  // also false for NaN
            ASSERT_NE(std::fpclassify(s), FP_SUBNORMAL);
        }
        EXPECT_GT(rms(samples, 0, samples.size()), 0.02f);
    }
}

// A one-shot starts at once, peaks early and dies away; its last window is near silence.
TEST(EffectRecipes, OneShotsHaveAnAttackAndADecay) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        if (effectLoops(effect)) continue;
        SCOPED_TRACE(effectName(effect));
        const std::vector<float> s = renderEffect(effect);
        std::vector<float> windows;
        for (std::size_t at = 0; at < s.size(); at += kWindow / 2) windows.push_back(rms(s, at, kWindow / 2));
        const auto loudest = std::max_element(windows.begin(), windows.end());
        EXPECT_GT(windows.front(), 0.0f);
        EXPECT_LT(static_cast<std::size_t>(loudest - windows.begin()), windows.size() * 3 / 4);
        EXPECT_LT(windows.back(), 0.1f * *loudest);
    }
}

TEST(EffectRecipes, LoopsWrapWithoutASeam) {
    for (SoundEffect effect : {SoundEffect::Roll, SoundEffect::BeltHum}) {
        SCOPED_TRACE(effectName(effect));
        const std::vector<float> s = renderEffect(effect);
        float largestStep = 0.0f;
        for (std::size_t i = 1; i < s.size(); ++i) largestStep = std::max(largestStep, std::fabs(s[i] - s[i - 1]));
        EXPECT_LT(std::fabs(s.front() - s.back()), 0.5f * largestStep);
        EXPECT_GT(rms(s, s.size() - kWindow, kWindow), 0.5f * rms(s, 0, kWindow));  // no fade at either end
    }
}

TEST(EffectRecipes, JumpRisesAndFallSinks) {
    const std::vector<float> jump = renderEffect(SoundEffect::Jump);
    EXPECT_GT(dominantHz(jump, samplesFor(0.1f), samplesFor(0.05f)), 1.5f * dominantHz(jump, 0, samplesFor(0.05f)));
    const std::vector<float> fall = renderEffect(SoundEffect::Fall);
    EXPECT_GT(dominantHz(fall, samplesFor(0.1f), samplesFor(0.1f)),
              2.0f * dominantHz(fall, samplesFor(1.0f), samplesFor(0.1f)));
}

TEST(EffectControls, RollingGrowsLouderAndHigherWithSpeed) {
    const std::vector<float> roll = renderEffect(SoundEffect::Roll);
    EXPECT_EQ(rollLoopLevel(0.0f), 0.0f);
    EXPECT_EQ(rollLoopLevel(std::nanf("")), 0.0f);
    float previousRms = 0.0f, previousPitch = 0.0f;
    for (float speed = 1.0f; speed <= 16.0f; speed += 1.0f) {
        // The loop's loudness as played: its samples scaled by the level for this speed.
        const float played = rollLoopLevel(speed) * rms(roll, 0, roll.size());
        EXPECT_GE(played, previousRms) << speed;
        EXPECT_GE(rollPitch(speed), previousPitch) << speed;
        EXPECT_LE(rollLoopLevel(speed), 1.0f);
        previousRms = played;
        previousPitch = rollPitch(speed);
    }
    EXPECT_GT(rollLoopLevel(8.0f), 2.0f * rollLoopLevel(1.0f));
    EXPECT_GT(rollPitch(8.0f), rollPitch(1.0f));
}

TEST(EffectControls, LandingsBeltAndVolumes) {
    EXPECT_EQ(landingGain(1.0f), 0.0f);  // a soft touch-down makes no sound
    EXPECT_GT(landingGain(15.0f), landingGain(5.0f));
    EXPECT_LT(landingPitch(15.0f), landingPitch(5.0f));  // harder is deeper
    EXPECT_EQ(beltHumLevel(1.0f), 1.0f);
    EXPECT_GT(beltHumLevel(5.0f), beltHumLevel(10.0f));
    EXPECT_EQ(beltHumLevel(20.0f), 0.0f);
    EXPECT_EQ(beltHumLevel(std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(volumeGain(0), 0.0f);
    EXPECT_EQ(volumeGain(100), 1.0f);
    EXPECT_EQ(volumeGain(250), 1.0f);
    EXPECT_LT(volumeGain(50), 0.5f);
}

TEST(EffectBank, HoldsEveryEffectAsSixteenBitSamples) {
    const EffectBank bank = renderEffectBank();
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        EXPECT_EQ(bank[effect], toPcm16(renderEffect(effect))) << effectName(effect);
    }
}
