// The main menu (title, three buttons, the controls footer) and the settings
// screen (four rows of a label and a value between arrows, Apply and Back).
// Buttons act on the frame the left button goes down over them.
#pragma once

#include "screens/ButtonList.h"
#include "screens/GameContext.h"
#include "screens/MenuList.h"
#include "screens/Screen.h"
#include "ui/UiDrawList.h"

// The menus' own background, whatever level was played last, and the light
// lavender of their small print, which reads on it at better than 4.5:1.
const Vec3 kMenuBackground{0.1f, 0.12f, 0.18f};
const Vec4 kFooterColor{0.68f, 0.68f, 0.88f, 1.0f};

class MainMenuScreen : public Screen {
public:
    explicit MainMenuScreen(GameContext& context) : game(context) {}
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

    // What the last update laid out for the next draw.
    const UiDrawList& drawn() const { return layout; }

private:
    GameContext& game;
    ButtonList buttons;
    UiDrawList layout;  // built by update, drawn by draw
};

// The settings screen's rows, top to bottom, and where they lie.
namespace SettingRow {
enum : int {
    Resolution, Fullscreen, FpsCap, VSync, AntiAliasing, Shadows, MasterVolume, MusicVolume, EffectsVolume,
    CameraFollow, InvertY, Ghost, ControlsButton, ApplyButton, BackButton, Count
};
}  // namespace SettingRow
MenuArea settingsArea(float width, float height);

// The settings' choices while the screen is open; written to the config by Apply.
struct SettingsChoices {
    int resolutionIndex = 0;
    bool fullscreen = false;
    int fpsCapIndex = 0;
    bool invertY = false;
    bool vsync = false;
    int msaa = 4;
    ShadowQuality shadows = ShadowQuality::High;
    int masterVolume = 80;
    int musicVolume = 60;
    int effectsVolume = 80;
    int cameraFollow = 10;
    bool ghost = true;
};

// The choices a config opens the screen with: the first table row equal to the
// configured size and cap, or row 0 when none is.
SettingsChoices choicesFrom(const Config& config);
// Writes the choices into the config's fields.
void applyChoices(const SettingsChoices& choices, Config& config);
// Steps setting row `row` by `step` (-1 or +1), wrapping or stopping at the ends
// as each setting does.
void stepChoice(SettingsChoices& choices, int row, int step);
// The settings screen's rows and buttons as menu entries.
std::vector<MenuEntry> settingsEntries(const SettingsChoices& choices);

class SettingsScreen : public Screen {
public:
    explicit SettingsScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

    // What the last update laid out for the next draw.
    const UiDrawList& drawn() const { return layout; }

private:
    GameContext& game;
    SettingsChoices choices;
    MenuList menu;
    UiDrawList layout;
};
