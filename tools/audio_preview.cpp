// Renders every sound effect and the start of every built-in music style to
// WAV files, and prints each one's loudness over time (RMS per 50 ms window,
// as a bar per window), so a developer can both listen and read the shapes.
//   build/pembrix_audio_preview [out-folder] [music-seconds]
#include "audio/AudioFormat.h"
#include "audio/EffectRecipes.h"
#include "audio/Mixer.h"
#include "audio/MusicRender.h"
#include "audio/MusicScore.h"
#include "audio/MusicStyle.h"
#include "audio/WavFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
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

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : "audio-preview";
    std::filesystem::create_directories(folder);
    const auto started = std::chrono::steady_clock::now();
    std::vector<std::vector<float>> effects;
    for (int i = 0; i < kSoundEffectCount; ++i) effects.push_back(renderEffect(static_cast<SoundEffect>(i)));
    const double effectMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("All %d effects rendered in %.1f ms\n", kSoundEffectCount, effectMs);
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
        std::printf("%s: %zu notes, %zu sections, loop %.1f s; %.0f s rendered in %.0f ms (%.1f %% of real time)\n", name,
                    score.notes.size(), score.sections.size(), static_cast<double>(score.loopLength) / kSampleRate,
                    static_cast<double>(musicSeconds), ms, ms / (10.0 * static_cast<double>(musicSeconds)));
        writeWav((folder / (std::string("music_") + name + ".wav")).string(), toPcm16(music));
        // A bar per quarter second: the beat shows as a ripple, sections as steps.
        for (std::size_t row = 0; row * 80 * samplesFor(0.25f) < music.size(); ++row) {
            const std::vector<float> part(music.begin() + static_cast<long>(row * 80 * samplesFor(0.25f)),
                                          music.begin() + static_cast<long>(std::min(music.size(), (row + 1) * 80 * samplesFor(0.25f))));
            printProfile(std::string("  ") + std::to_string(row * 20) + " s", part, 80, 0.25f);
        }
    }
    return 0;
}
