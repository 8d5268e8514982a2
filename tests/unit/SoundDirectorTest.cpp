// The mixer's decisions: the commands a frame's cues and state turn into.
#include "audio/EffectControls.h"
#include "audio/SoundDirector.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

template <typename Command>
std::vector<Command> only(const std::vector<AudioCommand>& commands) {
    std::vector<Command> found;
    for (const AudioCommand& command : commands) {
        if (const auto* c = std::get_if<Command>(&command)) found.push_back(*c);
    }
    return found;
}

std::vector<SoundEffect> played(const std::vector<AudioCommand>& commands) {
    std::vector<SoundEffect> effects;
    for (const PlayEffect& play : only<PlayEffect>(commands)) effects.push_back(play.effect);
    return effects;
}

SoundFrame rolling(float speed) {
    SoundFrame frame;
    frame.inPlay = true;
    frame.grounded = true;
    frame.groundSpeed = speed;
    return frame;
}

// The roll loop's gain after `frames` frames of `frame` (0 once stopped).
float rollGainAfter(SoundDirector& director, const SoundFrame& frame, int frames) {
    float gain = 0.0f;
    for (int i = 0; i < frames; ++i) {
        const std::vector<AudioCommand> out = director.update({}, frame, 1.0f / 60.0f);
        for (const SetLoop& loop : only<SetLoop>(out))
            if (loop.loop == LoopSound::Roll) gain = loop.gain;
        for (const StopLoop& stop : only<StopLoop>(out))
            if (stop.loop == LoopSound::Roll) gain = 0.0f;
    }
    return gain;
}

}  // namespace

TEST(SoundDirector, RollingFollowsSpeedAndFallsSilentInTheAirAndWhenPaused) {
    SoundDirector director;
    const float slow = rollGainAfter(director, rolling(2.0f), 30);
    const float fast = rollGainAfter(director, rolling(8.0f), 30);
    EXPECT_GT(slow, 0.0f);
    EXPECT_GT(fast, slow);
    SoundFrame airborne = rolling(8.0f);
    airborne.grounded = false;
    EXPECT_EQ(rollGainAfter(director, airborne, 30), 0.0f);
    rollGainAfter(director, rolling(8.0f), 30);
    SoundFrame paused = rolling(8.0f);
    paused.paused = true;
    EXPECT_EQ(rollGainAfter(director, paused, 1), 0.0f);
    SoundFrame menu = rolling(8.0f);
    menu.inPlay = false;
    EXPECT_EQ(rollGainAfter(director, menu, 30), 0.0f);
}

TEST(SoundDirector, TheClockTicksOncePerSecondOnlyBelowTen) {
    SoundDirector director;
    SoundFrame frame = rolling(0.0f);
    int ticks = 0, ticksAbove = 0;
    for (float left = 14.0f; left > 0.0f; left -= 1.0f / 60.0f) {
        frame.timeLeft = left;
        const std::vector<SoundEffect> effects = played(director.update({}, frame, 1.0f / 60.0f));
        const int here = static_cast<int>(std::count(effects.begin(), effects.end(), SoundEffect::TimeLow));
        ticks += here;
        if (left >= 10.0f) ticksAbove += here;
    }
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(ticksAbove, 0);
    frame.timeLeft = 5.5f;
    frame.paused = true;
    EXPECT_TRUE(played(director.update({}, frame, 1.0f)).empty());
}

TEST(SoundDirector, APausedGameLetsOnlyTheInterfaceThrough) {
    SoundDirector director;
    SoundFrame frame = rolling(5.0f);
    director.update({}, frame, 0.1f);
    frame.paused = true;
    const std::vector<SoundCue> cues = {{SoundEffect::Coin, Vec3(0.0f), 1.0f},
                                        {SoundEffect::Pause, Vec3(0.0f), 1.0f},
                                        {SoundEffect::Jump, Vec3(0.0f), 1.0f},
                                        {SoundEffect::MenuHover, Vec3(0.0f), 1.0f}};
    const std::vector<AudioCommand> out = director.update(cues, frame, 0.1f);
    EXPECT_EQ(played(out), (std::vector<SoundEffect>{SoundEffect::Pause, SoundEffect::MenuHover}));
    const auto pauseAt =
        std::find_if(out.begin(), out.end(), [](const AudioCommand& c) { return std::holds_alternative<PauseAll>(c); });
    const auto soundAt = std::find_if(out.begin(), out.end(),
                                      [](const AudioCommand& c) { return std::holds_alternative<PlayEffect>(c); });
    EXPECT_LT(pauseAt, soundAt);  // the pause screen's own sound is not paused
    frame.paused = false;
    EXPECT_EQ(only<ResumeAll>(director.update({}, frame, 0.1f)).size(), 1u);
}

TEST(SoundDirector, CuesPlayOnceAFrameAtTheirPlaceAndStrength) {
    SoundDirector director;
    const SoundFrame frame = rolling(0.0f);
    const Vec3 where(3.0f, 1.0f, -7.0f);
    const std::vector<SoundCue> cues = {{SoundEffect::Coin, where, 1.0f},
                                        {SoundEffect::Coin, where, 1.0f},
                                        {SoundEffect::Land, where, 1.0f},
                                        {SoundEffect::Land, where, 12.0f},
                                        {SoundEffect::LevelComplete, where, 1.0f}};
    const std::vector<PlayEffect> plays = only<PlayEffect>(director.update(cues, frame, 0.1f));
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_TRUE(plays[0].positional && plays[0].position == where);
    EXPECT_EQ(plays[1].gain, landingGain(12.0f));  // the hardest of the landings
    EXPECT_FALSE(plays[2].positional);
    EXPECT_TRUE(only<PlayEffect>(director.update({{SoundEffect::Land, where, 0.5f}}, frame, 0.1f)).empty());
    // A quick run of coins climbs in pitch.
    const float second = only<PlayEffect>(director.update({{SoundEffect::Coin, where, 1.0f}}, frame, 0.1f))[0].pitch;
    EXPECT_GT(second, plays[0].pitch);
}

TEST(SoundDirector, BeltHumFadesWithDistanceAndMusicChangesOnlyWhenTheTuneDoes) {
    SoundDirector director;
    SoundFrame frame = rolling(0.0f);
    MusicStyle meadow, frost;
    builtinMusicStyle("meadow", meadow);
    builtinMusicStyle("frost", frost);
    frame.music = &meadow;
    float previous = 2.0f;
    int musicChanges = 0;
    for (float distance : {1.0f, 6.0f, 10.0f, 30.0f}) {
        frame.conveyorDistance = distance;
        float gain = 0.0f;
        for (int i = 0; i < 120; ++i) {
            const std::vector<AudioCommand> out = director.update({}, frame, 1.0f / 60.0f);
            musicChanges += static_cast<int>(only<SetMusic>(out).size());
            for (const SetLoop& loop : only<SetLoop>(out))
                if (loop.loop == LoopSound::Belt) gain = loop.gain;
            for (const StopLoop& stop : only<StopLoop>(out))
                if (stop.loop == LoopSound::Belt) gain = 0.0f;
        }
        EXPECT_LT(gain, previous) << distance;
        previous = gain;
    }
    EXPECT_EQ(previous, 0.0f);
    EXPECT_EQ(musicChanges, 1);
    frame.music = &frost;
    const std::vector<SetMusic> change = only<SetMusic>(director.update({}, frame, 0.1f));
    ASSERT_EQ(change.size(), 1u);
    EXPECT_TRUE(change[0].style && sameTune(*change[0].style, frost));
    frame.music = nullptr;
    EXPECT_FALSE(only<SetMusic>(director.update({}, frame, 0.1f)).at(0).style.has_value());
}
