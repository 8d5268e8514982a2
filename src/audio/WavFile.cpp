#include "audio/WavFile.h"

#include "audio/AudioFormat.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

void putLittle(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t little(const char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    putLittle(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittle(out, 16, 4);  // format chunk size
    putLittle(out, 1, 2);   // PCM
    putLittle(out, 1, 2);   // mono
    putLittle(out, kSampleRate, 4);
    putLittle(out, kSampleRate * 2, 4);  // bytes per second
    putLittle(out, 2, 2);                // bytes per frame
    putLittle(out, 16, 2);               // bits per sample
    out.write("data", 4);
    putLittle(out, dataBytes, 4);
    for (std::int16_t s : samples) putLittle(out, static_cast<std::uint16_t>(s), 2);
    return static_cast<bool>(out);
}

WavData readWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char header[12];
    if (!in.read(header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return {};
    WavData wav;
    int bits = 0;
    bool floats = false;
    char chunk[8];
    while (in.read(chunk, 8)) {
        const std::uint32_t size = little(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            std::vector<char> format(size);
            if (size < 16 || !in.read(format.data(), size)) return {};
            std::uint32_t tag = little(format.data(), 2);
            if (tag == 0xFFFE && size >= 26) tag = little(format.data() + 24, 2);  // the sub-format's first bytes
            if (tag != 1 && tag != 3) return {};
            floats = tag == 3;
            wav.channels = static_cast<int>(little(format.data() + 2, 2));
            wav.sampleRate = static_cast<int>(little(format.data() + 4, 4));
            bits = static_cast<int>(little(format.data() + 14, 2));
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (bits != (floats ? 32 : 16)) return {};
            // A recorder still running may leave the size unwritten; take what is there.
            std::vector<char> data;
            data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            const std::size_t width = floats ? 4 : 2;
            const std::size_t count = (size == 0 ? data.size() : std::min<std::size_t>(size, data.size())) / width;
            wav.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint32_t word = little(&data[width * i], static_cast<int>(width));
                if (floats) {
                    std::memcpy(&wav.samples[i], &word, 4);
                } else {
                    wav.samples[i] = static_cast<float>(static_cast<std::int16_t>(word)) / 32768.0f;
                }
            }
            return wav;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return {};
}
