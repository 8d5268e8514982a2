// Helpers of the scene-renderer GL tests: the play camera placed behind a point
// as the game places it, world points projected to window pixels, and pixel
// patches averaged, so tests can ask what the screen shows at a place.
#pragma once

#include "app/OrbitCamera.h"
#include "render/Math.h"
#include "support/GlTest.h"

#include <cmath>
#include <cstdint>
#include <vector>

struct SceneCamera {
    Mat4 view{1.0f};
    Mat4 projection{1.0f};
    int width = 0;
    int height = 0;
};

// The orbit camera settled behind `target` (yaw and pitch in degrees).
inline SceneCamera orbitCameraOn(Vec3 target, int width, int height, float yaw = 0.0f, float pitch = -25.0f,
                                 float distance = 12.0f) {
    OrbitCamera camera;
    camera.yaw = yaw;
    camera.pitch = pitch;
    camera.distance = distance;
    camera.aspect = static_cast<float>(width) / static_cast<float>(height);
    for (int i = 0; i < 20; ++i) camera.follow(target, 1.0f);
    return {camera.view(), camera.projection(), width, height};
}

// Window pixel (x right, y up from the bottom row, as glReadPixels counts) of
// a world point; `visible` is false behind the camera or off the window.
struct PixelSpot {
    int x = 0;
    int y = 0;
    bool visible = false;
};

inline PixelSpot pixelOf(const SceneCamera& camera, Vec3 world) {
    const Vec4 clip = camera.projection * camera.view * Vec4(world, 1.0f);
    PixelSpot spot;
    if (clip.w <= 0.0f) return spot;
    const float x = (clip.x / clip.w * 0.5f + 0.5f) * static_cast<float>(camera.width);
    const float y = (clip.y / clip.w * 0.5f + 0.5f) * static_cast<float>(camera.height);
    spot.x = static_cast<int>(std::floor(x));
    spot.y = static_cast<int>(std::floor(y));
    spot.visible = spot.x >= 0 && spot.y >= 0 && spot.x < camera.width && spot.y < camera.height;
    return spot;
}

// Mean colour (0..1) and mean luminance spread of a square of pixels.
struct PatchStats {
    Vec3 mean{0.0f};
    float lumaSpread = 0.0f;  // standard deviation of the luminance, 0..1
};

inline PatchStats patchAround(PixelSpot spot, int radius) {
    const int side = 2 * radius + 1;
    const std::vector<std::uint8_t> rgba = readPixelsRgba(spot.x - radius, spot.y - radius, side, side);
    PatchStats stats;
    std::vector<float> luma;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const Vec3 c(rgba[i] / 255.0f, rgba[i + 1] / 255.0f, rgba[i + 2] / 255.0f);
        stats.mean += c;
        luma.push_back(0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b);
    }
    const float n = static_cast<float>(luma.size());
    stats.mean /= n;
    float lumaMean = 0.0f;
    for (float l : luma) lumaMean += l / n;
    float variance = 0.0f;
    for (float l : luma) variance += (l - lumaMean) * (l - lumaMean) / n;
    stats.lumaSpread = std::sqrt(variance);
    return stats;
}

inline float luma(Vec3 c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }
