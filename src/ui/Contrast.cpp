// Contrast of colours.
#include "ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

float linear(float channel) {
    const float c = std::clamp(channel, 0.0f, 1.0f);
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

}  // namespace

float relativeLuminance(Vec3 color) {
    return 0.2126f * linear(color.r) + 0.7152f * linear(color.g) + 0.0722f * linear(color.b);
}

float contrastRatio(Vec3 a, Vec3 b) {
    const float la = relativeLuminance(a);
    const float lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05f) / (std::min(la, lb) + 0.05f);
}

Vec3 blendOver(Vec4 layer, Vec3 under) { return glm::mix(under, Vec3(layer), std::clamp(layer.a, 0.0f, 1.0f)); }
