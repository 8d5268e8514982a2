// Renders every sound effect and the start of every built-in music style to
// WAV files, and prints each one's loudness over time (RMS per 50 ms window,
// as a bar per window), so a developer can both listen and read the shapes.
//   build/pembrix_audio_preview [out-folder] [music-seconds]
#include "audio/EffectRecipes.h"
#include "audio/Mixer.h"
#include "audio/WavFile.h"
#include "audio/AudioFormat.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void printProfile(const std::string& name, const std::vector<float>& samples, std::size_t maxWindows) {
    const std::size_t window = samplesFor(0.05f);
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
    return 0;
}
