#include "audio/Mixer.h"

#include "audio/AudioFormat.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kKnee = 0.6f;

}  // namespace

float softLimit(float x) {
    if (std::isnan(x)) return 0.0f;
    const float magnitude = std::fabs(x);
    if (magnitude <= kKnee) return flushDenormal(x);
    const float bent = kKnee + (1.0f - kKnee) * std::tanh((magnitude - kKnee) / (1.0f - kKnee));
    return std::copysign(std::fmin(bent, 1.0f), x);
}

void mixInto(std::vector<float>& dst, const std::vector<float>& src, float gain, std::size_t offset) {
    if (offset >= dst.size()) return;
    const std::size_t count = std::min(src.size(), dst.size() - offset);
    for (std::size_t i = 0; i < count; ++i) dst[offset + i] += gain * src[i];
}

void normalizePeak(std::vector<float>& samples, float peak) {
    float largest = 0.0f;
    for (float s : samples) largest = std::max(largest, std::fabs(s));
    if (largest <= 0.0f) return;
    const float scale = peak / largest;
    for (float& s : samples) s = flushDenormal(s * scale);
}

std::int16_t toPcm16(float sample) {
    if (std::isnan(sample)) return 0;
    const float scaled = std::clamp(sample, -1.0f, 1.0f) * 32767.0f;
    return static_cast<std::int16_t>(std::lround(scaled));
}

std::vector<std::int16_t> toPcm16(const std::vector<float>& samples) {
    std::vector<std::int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) { return toPcm16(s); });
    return pcm;
}

float rms(const std::vector<float>& samples, std::size_t first, std::size_t count) {
    if (first >= samples.size()) return 0.0f;
    const std::size_t end = std::min(samples.size(), first + count);
    double sum = 0.0;
    for (std::size_t i = first; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return static_cast<float>(std::sqrt(sum / static_cast<double>(end - first)));
}
