// The settings screen.
#include "screens/MenuScreens.h"

#include "input/MenuInput.h"
#include "screens/Graphics.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"

#include <algorithm>

namespace {

const Vec4 kGold{1.0f, 0.84f, 0.0f, 1.0f};
constexpr int kSamples[] = {0, 2, 4};
const ShadowQuality kShadowSteps[] = {ShadowQuality::Off, ShadowQuality::Low, ShadowQuality::Medium,
                                      ShadowQuality::High};

const char* onOff(bool on) { return on ? "ON" : "OFF"; }

int sampleIndex(int samples) { return samples >= 4 ? 2 : (samples >= 2 ? 1 : 0); }

int shadowIndex(ShadowQuality quality) {
    for (int i = 0; i < 4; ++i) {
        if (kShadowSteps[i] == quality) return i;
    }
    return 3;
}

std::string shadowText(ShadowQuality quality) {
    switch (quality) {
        case ShadowQuality::Off: return "OFF";
        case ShadowQuality::Low: return "LOW";
        case ShadowQuality::Medium: return "MEDIUM";
        case ShadowQuality::High: break;
    }
    return "HIGH";
}

// Volumes go 0..100 in tens and stop at the ends.
int stepVolume(int volume, int step) { return std::clamp((volume / 10 + step) * 10, 0, 100); }

}  // namespace

MenuArea settingsArea(float width, float height) {
    MenuArea area;
    area.width = std::min(560.0f, width - 40.0f);
    area.x = width * 0.5f - area.width * 0.5f;
    area.y = height * 0.15f;
    area.rowHeight = std::clamp((height * 0.9f - area.y) / static_cast<float>(SettingRow::Count), 24.0f, 38.0f);
    area.textScale = area.rowHeight >= 32.0f ? 1.7f : 1.4f;
    return area;
}

SettingsChoices choicesFrom(const Config& config) {
    SettingsChoices choices;
    choices.fullscreen = config.fullscreen;
    choices.resolutionIndex = findResolutionIndex(config.screenWidth, config.screenHeight);
    choices.fpsCapIndex = findFpsCapIndex(config.fpsCap);
    choices.invertY = config.invertY;
    choices.vsync = config.vsync;
    choices.msaa = config.msaa;
    choices.shadows = config.shadowQuality;
    choices.masterVolume = config.masterVolume;
    choices.musicVolume = config.musicVolume;
    choices.effectsVolume = config.effectsVolume;
    choices.cameraFollow = config.cameraFollow;
    choices.ghost = config.ghost;
    return choices;
}

void applyChoices(const SettingsChoices& choices, Config& config) {
    const ScreenSize size = resolutionAt(choices.resolutionIndex);
    config.screenWidth = size.width;
    config.screenHeight = size.height;
    config.fullscreen = choices.fullscreen;
    config.fpsCap = fpsCapAt(choices.fpsCapIndex);
    config.invertY = choices.invertY;
    config.vsync = choices.vsync;
    config.msaa = choices.msaa;
    config.shadowQuality = choices.shadows;
    config.masterVolume = choices.masterVolume;
    config.musicVolume = choices.musicVolume;
    config.effectsVolume = choices.effectsVolume;
    config.cameraFollow = choices.cameraFollow;
    config.ghost = choices.ghost;
}

void stepChoice(SettingsChoices& c, int row, int step) {
    const int resolutions = static_cast<int>(kResolutions.size());
    const int caps = static_cast<int>(kFpsCaps.size());
    switch (row) {
        case SettingRow::Resolution: c.resolutionIndex = wrapIndex(c.resolutionIndex, step, resolutions); break;
        case SettingRow::Fullscreen: c.fullscreen = !c.fullscreen; break;
        case SettingRow::FpsCap: c.fpsCapIndex = wrapIndex(c.fpsCapIndex, step, caps); break;
        case SettingRow::VSync: c.vsync = !c.vsync; break;
        case SettingRow::AntiAliasing: c.msaa = kSamples[wrapIndex(sampleIndex(c.msaa), step, 3)]; break;
        case SettingRow::Shadows: c.shadows = kShadowSteps[wrapIndex(shadowIndex(c.shadows), step, 4)]; break;
        case SettingRow::MasterVolume: c.masterVolume = stepVolume(c.masterVolume, step); break;
        case SettingRow::MusicVolume: c.musicVolume = stepVolume(c.musicVolume, step); break;
        case SettingRow::EffectsVolume: c.effectsVolume = stepVolume(c.effectsVolume, step); break;
        case SettingRow::CameraFollow: c.cameraFollow = std::clamp(c.cameraFollow + step, 0, 10); break;
        case SettingRow::InvertY: c.invertY = !c.invertY; break;
        case SettingRow::Ghost: c.ghost = !c.ghost; break;
        default: break;
    }
}

std::vector<MenuEntry> settingsEntries(const SettingsChoices& c) {
    const auto value = [](const char* label, std::string text) { return MenuEntry{EntryKind::Value, label, text}; };
    const auto button = [](const char* label) { return MenuEntry{EntryKind::Button, label, ""}; };
    return {
        value("Resolution:", resolutionText(resolutionAt(c.resolutionIndex))),
        value("Fullscreen:", onOff(c.fullscreen)),
        value("FPS Cap:", std::to_string(fpsCapAt(c.fpsCapIndex))),
        value("VSync:", onOff(c.vsync)),
        value("Anti-aliasing:", c.msaa > 0 ? std::to_string(c.msaa) + "X *" : "OFF *"),
        value("Shadows:", shadowText(c.shadows)),
        value("Master volume:", std::to_string(c.masterVolume)),
        value("Music volume:", std::to_string(c.musicVolume)),
        value("Effects volume:", std::to_string(c.effectsVolume)),
        value("Camera follow:", std::to_string(c.cameraFollow)),
        value("Y-Axis inv.:", onOff(c.invertY)),
        value("Ghost runs:", onOff(c.ghost)),
        button("CONTROLS..."),
        button("APPLY"),
        button("BACK"),
    };
}

void SettingsScreen::enter(ScreenId from) {
    // The controls screen is a detour: the choices made here so far wait for it.
    if (from == ScreenId::Controls) return;
    choices = choicesFrom(game.config);
    menu.highlightEntry(0);
}

ScreenId SettingsScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const MenuArea area = settingsArea(frame.width, frame.height);
    std::vector<MenuEntry> entries = settingsEntries(choices);
    const MenuResult result = menu.update(input, entries, area);
    menuSounds(game, menu.moved(), result.entry >= 0);
    if (result.entry >= 0 && result.entry < SettingRow::ControlsButton) {
        stepChoice(choices, result.entry, result.step);
        entries = settingsEntries(choices);
    }

    const float cx = frame.width * 0.5f;
    layout.clear();
    layout.push_back(makeCenteredTextDraw("SETTINGS", cx, frame.height * 0.05f, 3.5f, kGold));
    const UiBox panel{area.x - 12.0f, area.y - 10.0f, area.width + 24.0f,
                      area.rowHeight * static_cast<float>(SettingRow::Count) + 16.0f};
    layout.push_back(makeRectDraw(panel, {0.07f, 0.04f, 0.18f, 0.88f}));
    menu.append(layout, entries, area);
    layout.push_back(makeCenteredTextDraw("* takes effect at the next start", cx, panel.y + panel.h + 8.0f, 1.3f,
                                          {0.6f, 0.6f, 0.85f, 1.0f}));

    if (result.entry == SettingRow::ApplyButton) {
        applyChoices(choices, game.config);
        game.shell.applySettings(game.config);
        return ScreenId::MainMenu;
    }
    if (result.entry == SettingRow::ControlsButton) return ScreenId::Controls;
    if (result.entry == SettingRow::BackButton || menuBack(input)) return ScreenId::MainMenu;
    return ScreenId::Settings;
}

void SettingsScreen::draw(const FrameInfo&) { game.graphics.canvas.draw(layout); }
