// The device layer through OpenAL Soft itself: its wave-file backend records
// what is played; a missing library, no output, or an output lost mid-game
// leaves the game silent with exactly one "[Audio] " line.
#include "audio/AudioEngine.h"
#include "audio/Mixer.h"
#include "audio/WavFile.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

// OpenAL Soft takes its backend and settings from the environment; the home
// and config folders point into the scratch folder so nothing real is read.
// Each case runs in a process of its own, so nothing needs restoring.
void useOpenAlEnvironment(const TempDir& dir, const std::string& drivers, const std::string& waveFile) {
    setenv("HOME", dir.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("ALSOFT_DRIVERS", drivers.c_str(), 1);
    setenv("ALSOFT_CONF", dir.write("alsoft.conf", "[wave]\nfile = " + waveFile + "\n").c_str(), 1);
}

// Frames at about 60 a second of real time (OpenAL plays in real time).
void playFrames(AudioEngine& audio, const SoundFrame& frame, int frames) {
    for (int i = 0; i < frames; ++i) {
        audio.frame(frame, 1.0f / 60.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
}

// Waits for the start-up worker (a guard against a hang, not a speed check).
void waitUntilReady(AudioEngine& audio, const SoundFrame& frame) {
    for (int i = 0; i < 1000 && !audio.ready(); ++i) playFrames(audio, frame, 1);
    ASSERT_TRUE(audio.ready());
}

int audioLines(const std::string& text) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);) count += line.rfind("[Audio] ", 0) == 0;
    return count;
}

// OpenAL Soft reads its environment once per process and then stays loaded,
// so each case runs in a fresh process of its own (the test binary started
// again for this one case).
template <typename Body>
void inFreshProcess(Body body) {
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

TEST(AudioDevice, PlaysThroughOpenAlIntoTheWaveBackend) {
    inFreshProcess([] {
        TempDir dir;
        const std::string wave = (dir / "out.wav").string();
        useOpenAlEnvironment(dir, "wave", wave);
        ConsoleCapture console;
        SoundFrame frame;
        {
            AudioEngine audio(AudioVolumes{100, 0, 100});
            waitUntilReady(audio, frame);
            ASSERT_FALSE(audio.silent()) << console.stderrText();
            playFrames(audio, frame, 15);
            audio.cue({SoundEffect::Coin, Vec3(0.0f), 1.0f});
            playFrames(audio, frame, 40);
        }
        EXPECT_EQ(audioLines(console.stdoutText()), 1);
        EXPECT_EQ(console.stderrText(), "");
        const WavData recorded = readWav(wave);
        ASSERT_GT(recorded.samples.size(), static_cast<std::size_t>(recorded.sampleRate / 2));
        const std::size_t window = static_cast<std::size_t>(recorded.sampleRate * recorded.channels / 20);
        float loudest = 0.0f;
        for (std::size_t at = 0; at + window <= recorded.samples.size(); at += window)
            loudest = std::max(loudest, rms(recorded.samples, at, window));
        EXPECT_LT(rms(recorded.samples, 0, window), 0.001f);  // silence before the coin
        EXPECT_GT(loudest, 0.05f);
    });
}

TEST(AudioDevice, NoLibraryOrNoOutputMeansSilenceAndOneLine) {
    inFreshProcess([] {
        TempDir dir;
        MusicStyle music;
        builtinMusicStyle("menu", music);
        SoundFrame frame;
        frame.inPlay = true;
        frame.grounded = true;
        frame.groundSpeed = 8.0f;
        frame.music = &music;
        for (const auto& [library, drivers] : {std::make_pair("libpembrix-no-such-openal.so.1", "wave"),
                                               std::make_pair(kOpenAlLibrary, "no-such-backend")}) {
            SCOPED_TRACE(library);
            useOpenAlEnvironment(dir, drivers, (dir / "unused.wav").string());
            ConsoleCapture console;
            AudioEngine audio(AudioVolumes{}, library);
            waitUntilReady(audio, frame);
            audio.cue({SoundEffect::Jump, Vec3(0.0f), 1.0f});
            playFrames(audio, frame, 10);
            EXPECT_TRUE(audio.silent());
            EXPECT_EQ(audioLines(console.stderrText()), 1) << console.stderrText();
            EXPECT_EQ(console.stdoutText(), "");
        }
    });
}

// A wave file on /dev/full fails its first write: OpenAL then reports the
// device disconnected, as it does when a headset is unplugged.
TEST(AudioDevice, AnOutputLostMidGameFallsSilentWithOneLine) {
    inFreshProcess([] {
        TempDir dir;
        useOpenAlEnvironment(dir, "wave", "/dev/full");
        ConsoleCapture console;
        SoundFrame frame;
        AudioEngine audio(AudioVolumes{});
        waitUntilReady(audio, frame);
        for (int i = 0; i < 300 && !audio.silent(); ++i) playFrames(audio, frame, 1);
        audio.cue({SoundEffect::Coin, Vec3(0.0f), 1.0f});
        playFrames(audio, frame, 10);
        EXPECT_TRUE(audio.silent());
        EXPECT_EQ(audioLines(console.stdoutText()), 1);  // it did start
        EXPECT_EQ(audioLines(console.stderrText()), 1) << console.stderrText();
        EXPECT_NE(console.stderrText().find("disconnected"), std::string::npos);
    });
}
