// 16-bit PCM WAV files, for previews of the synthesised sounds and for tests
// that read back what OpenAL's wave-file backend recorded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes mono samples at kSampleRate; false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples);

// Reads 16-bit integer or 32-bit float samples (plain or extensible format),
// as floats in -1..1 with the channels interleaved as stored. Empty when the
// file is missing or in another format.
struct WavData {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;
};
WavData readWav(const std::string& path);
