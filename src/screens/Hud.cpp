// Layout of the FPS panel, the powerup panels and the debug-camera banner.
#include "screens/Hud.h"

#include "ui/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kFpsTextScale = 2.0f;
constexpr float kFpsPanelHeight = 32.0f;
constexpr float kFpsPanelPadding = 8.0f;
constexpr float kHudMargin = 10.0f;

constexpr float kPowerupPanelWidth = 160.0f;
constexpr float kPowerupPanelHeight = 46.0f;
constexpr float kPowerupPanelStep = 52.0f;
constexpr float kPowerupRightMargin = 14.0f;
constexpr float kPowerupFirstY = 34.0f;
constexpr float kPowerupBarWidth = 140.0f;
constexpr float kSecondsScale = 1.5f;

// A float to int that cannot overflow: a rate or a time that is not finite or
// is out of range becomes the nearest representable whole number (NaN 0).
int wholeNumber(float value) {
    if (std::isnan(value)) return 0;
    const float limit = 2.0e9f;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

Vec4 fpsColor(float fps) {
    if (fps >= 60.0f) return {0.3f, 1.0f, 0.4f, 1.0f};
    if (fps >= 30.0f) return {1.0f, 0.85f, 0.2f, 1.0f};
    return {1.0f, 0.25f, 0.2f, 1.0f};
}

void appendPowerupPanel(UiDrawList& list, const ActivePowerup& powerup, float px, float py) {
    // The same colour as the pickup in the world, so the two are read as one.
    const Vec3 rgb = powerupColor(powerup.type);
    list.push_back(makeRectDraw({px, py, kPowerupPanelWidth, kPowerupPanelHeight}, {0.05f, 0.05f, 0.15f, 0.82f}));
    list.push_back(makeRectDraw({px, py, 4.0f, kPowerupPanelHeight}, Vec4(rgb, 1.0f)));
    list.push_back(makeTextDraw(powerupLabel(powerup.type), px + 12.0f, py + 6.0f, 1.6f, Vec4(rgb, 1.0f)));

    const std::string seconds = std::to_string(wholeNumber(std::ceil(powerup.remaining))) + "s";
    const float secondsX = px + kPowerupPanelWidth - textWidth(seconds, kSecondsScale) - 8.0f;
    list.push_back(makeTextDraw(seconds, secondsX, py + 6.0f, kSecondsScale, {0.8f, 0.8f, 0.8f, 1.0f}));

    list.push_back(makeRectDraw({px + 12.0f, py + 32.0f, kPowerupBarWidth, 8.0f}, {0.15f, 0.15f, 0.25f, 1.0f}));
    const float f = powerup.duration > 0.0f ? std::clamp(powerup.remaining / powerup.duration, 0.0f, 1.0f) : 0.0f;
    // The fill runs from the powerup's own colour at full time to a warning red.
    const Vec4 fill(rgb.r * f + (1.0f - f), rgb.g * f + 0.2f * (1.0f - f), rgb.b * f + 0.1f * (1.0f - f), 1.0f);
    list.push_back(makeRectDraw({px + 12.0f, py + 32.0f, kPowerupBarWidth * f, 8.0f}, fill));
}

}  // namespace

const char* powerupLabel(PowerupType type) {
    switch (type) {
        case PowerupType::Magnet: return "MAGNET";
        case PowerupType::SlowMo: return "SLOW-MO";
        case PowerupType::AntiGravity: return "ANTI-GRAV";
        case PowerupType::Shield: return "SHIELD";
        case PowerupType::SpeedBoost: return "SPEED";
    }
    return "POWERUP";
}

UiDrawList buildFpsPanel(float fps, float width, float height) {
    const std::string text = "FPS: " + std::to_string(wholeNumber(fps));
    const float panelWidth = textWidth(text, kFpsTextScale) + 2.0f * kFpsPanelPadding;
    const float x = width - panelWidth - kHudMargin;
    const float y = height - kFpsPanelHeight - kHudMargin;
    UiDrawList list;
    list.push_back(makeRectDraw({x, y, panelWidth, kFpsPanelHeight}, {0.0f, 0.0f, 0.0f, 0.55f}));
    list.push_back(makeTextDraw(text, x + kFpsPanelPadding, y + kFpsPanelPadding, kFpsTextScale, fpsColor(fps)));
    return list;
}

UiDrawList buildPowerupPanels(const std::vector<ActivePowerup>& active, float width) {
    UiDrawList list;
    const float px = width - kPowerupPanelWidth - kPowerupRightMargin;
    float py = kPowerupFirstY;
    for (const ActivePowerup& powerup : active) {
        appendPowerupPanel(list, powerup, px, py);
        py += kPowerupPanelStep;
    }
    return list;
}

UiDraw buildDebugCamBanner(const std::string& keyName) {
    return makeTextDraw("DEBUG CAM  (" + keyName + " to exit)", 10.0f, 10.0f, 1.8f, {1.0f, 0.4f, 0.1f, 1.0f});
}
