// Renders every sound effect and the start of every built-in music style to
// WAV files, and prints each one's loudness over time (RMS per 50 ms window,
// as a bar per window), so a developer can both listen and read the shapes.
//   build/pembrix_audio_preview [out-folder] [music-seconds]
// With --play, runs the real engine for a few seconds instead: meadow music,
// every effect in turn and the rolling loop speeding up, through whatever
// output OpenAL picks (ALSOFT_DRIVERS=wave with a [wave] file records it).
//   build/pembrix_audio_preview --play
#include "audio/AudioEngine.h"
#include "audio/AudioFormat.h"
#include "audio/EffectRecipes.h"
#include "audio/Mixer.h"
#include "audio/MusicRender.h"
#include "audio/MusicScore.h"
#include "audio/MusicStyle.h"
#include "audio/WavFile.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

void printProfile(const std::string& name, const std::vector<float>& samples, std::size_t maxWindows,
                  float windowSeconds = 0.05f) {
    const std::size_t window = samplesFor(windowSeconds);
    std::printf("%-16s %5.2f s |", name.c_str(), static_cast<double>(samples.size()) / kSampleRate);
    for (std::size_t w = 0; w * window < samples.size() && w < maxWindows; ++w) {
        const float level = rms(samples, w * window, window);
        const char* bars = " .:-=+*#%@";
        std::printf("%c", bars[std::min(9, static_cast<int>(level * 25.0f))]);
    }
    std::printf("|\n");
}

// Beats per minute with the strongest pulse: the lag (within 60-200 bpm) at
// which the 10 ms loudness envelope best matches itself.
float pulseTempo(const std::vector<float>& samples) {
    const std::size_t window = samplesFor(0.01f);
    std::vector<float> envelope;
    for (std::size_t at = 0; at + window <= samples.size(); at += window) envelope.push_back(rms(samples, at, window));
    float mean = 0.0f;
    for (float e : envelope) mean += e / static_cast<float>(envelope.size());
    float bestBpm = 0.0f, best = -1e9f;
    for (std::size_t lag = 30; lag <= 100 && lag < envelope.size(); ++lag) {
        float sum = 0.0f;
        for (std::size_t i = lag; i < envelope.size(); ++i) sum += (envelope[i] - mean) * (envelope[i - lag] - mean);
        sum /= static_cast<float>(envelope.size() - lag);
        if (sum > best) {
            best = sum;
            bestBpm = 6000.0f / static_cast<float>(lag);
        }
    }
    return bestBpm;
}

int playThroughDevice() {
    MusicStyle music;
    builtinMusicStyle("meadow", music);
    const auto constructing = std::chrono::steady_clock::now();
    AudioEngine audio(AudioVolumes{});
    const double constructMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - constructing).count();
    std::vector<double> frameMs;
    int readyAt = -1;
    SoundFrame frame;
    frame.inPlay = true;
    frame.grounded = true;
    frame.music = &music;
    int nextEffect = 0;
    for (int tick = 0; tick < 60 * 16; ++tick) {
        frame.groundSpeed = static_cast<float>(tick % 240) / 20.0f;
        if (audio.ready() && tick % 40 == 0 && nextEffect < kSoundEffectCount) {
            const auto effect = static_cast<SoundEffect>(nextEffect++);
            if (!effectLoops(effect)) audio.cue({effect, Vec3(0.0f), 10.0f});
        }
        const auto before = std::chrono::steady_clock::now();
        audio.frame(frame, 1.0f / 60.0f);
        frameMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
        if (readyAt < 0 && audio.ready()) readyAt = tick;
        std::this_thread::sleep_for(std::chrono::microseconds(16667));
    }
    std::sort(frameMs.begin(), frameMs.end());
    std::printf(
        "Engine: constructed in %.2f ms, ready after %d frames; frame() median %.3f ms, 99th %.3f ms, worst %.3f ms\n",
        constructMs, readyAt, frameMs[frameMs.size() / 2], frameMs[frameMs.size() * 99 / 100], frameMs.back());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--play") == 0) return playThroughDevice();
    const std::filesystem::path folder = argc > 1 ? argv[1] : "audio-preview";
    std::filesystem::create_directories(folder);
    // Wall time, and this thread's CPU time, which other loads on the machine disturb less.
    const auto started = std::chrono::steady_clock::now();
    const std::clock_t cpuStarted = std::clock();
    std::vector<std::vector<float>> effects;
    for (int i = 0; i < kSoundEffectCount; ++i) effects.push_back(renderEffect(static_cast<SoundEffect>(i)));
    const double effectMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStarted) / CLOCKS_PER_SEC;
    std::printf("All %d effects rendered in %.1f ms (%.1f ms of CPU)\n", kSoundEffectCount, effectMs, cpuMs);
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const std::string name = effectName(static_cast<SoundEffect>(i));
        writeWav((folder / (name + ".wav")).string(), toPcm16(effects[static_cast<std::size_t>(i)]));
        printProfile(name, effects[static_cast<std::size_t>(i)], 60);
    }
    const float musicSeconds = argc > 2 ? std::stof(argv[2]) : 20.0f;
    for (const char* name : {"meadow", "frost", "ember", "menu"}) {
        MusicStyle style;
        builtinMusicStyle(name, style);
        const MusicScore score = composeMusic(style);
        std::vector<float> music(samplesFor(musicSeconds));
        const auto start = std::chrono::steady_clock::now();
        renderMusic(score, 0, music.size(), music.data());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf(
            "%s: %zu notes, %zu sections, loop %.1f s; %.0f s rendered in %.0f ms (%.1f %% of real time); "
            "strongest pulse %.0f bpm (tempo %.0f)\n",
            name, score.notes.size(), score.sections.size(), static_cast<double>(score.loopLength) / kSampleRate,
            static_cast<double>(musicSeconds), ms, ms / (10.0 * static_cast<double>(musicSeconds)),
            static_cast<double>(pulseTempo(music)), static_cast<double>(style.tempo));
        // Each section's opening 8 s: loudness and how many notes start in it, by part.
        for (const MusicSection& section : score.sections) {
            std::vector<float> part(samplesFor(8.0f));
            renderMusic(score, section.start, part.size(), part.data());
            int counts[6] = {};
            for (const NoteEvent& note : score.notes) {
                if (note.start >= section.start &&
                    note.start < section.start + static_cast<std::int64_t>(part.size())) {
                    ++counts[static_cast<int>(note.role)];
                }
            }
            const char* kinds[] = {"theme", "contrast", "bridge", "break"};
            std::printf("  %6.1f s %-8s v%d  rms %.3f  pad %d bass %d melody %d arpeggio %d drums %d\n",
                        static_cast<double>(section.start) / kSampleRate, kinds[static_cast<int>(section.kind)],
                        section.variant, static_cast<double>(rms(part, 0, part.size())), counts[0], counts[1],
                        counts[2], counts[4], counts[5]);
        }
        writeWav((folder / (std::string("music_") + name + ".wav")).string(), toPcm16(music));
        // A bar per quarter second: the beat shows as a ripple, sections as steps.
        for (std::size_t row = 0; row * 80 * samplesFor(0.25f) < music.size(); ++row) {
            const std::vector<float> part(
                music.begin() + static_cast<long>(row * 80 * samplesFor(0.25f)),
                music.begin() + static_cast<long>(std::min(music.size(), (row + 1) * 80 * samplesFor(0.25f))));
            printProfile(std::string("  ") + std::to_string(row * 20) + " s", part, 80, 0.25f);
        }
    }
    return 0;
}
