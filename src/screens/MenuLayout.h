// Geometry and choice tables of the two menu screens: the main menu's three
// buttons, the settings panel with its four arrow rows and two buttons, and the
// resolution and frame-cap tables the arrows step through with wrap-around.
// Pixel space of the UI: origin top-left, y down.
#pragma once

#include "base/Math.h"
#include "ui/UiDrawList.h"

#include <array>
#include <string>
#include <string_view>

struct ScreenSize {
    int width = 0;
    int height = 0;
};

constexpr std::array<ScreenSize, 5> kResolutions = {{{800, 600}, {1280, 720}, {1600, 900}, {1920, 1080}, {2560, 1440}}};
constexpr std::array<int, 4> kFpsCaps = {60, 100, 120, 200};

// (index + step) wrapped into 0..count-1, also for an index that is out of range.
int wrapIndex(int index, int step, int count);

// The first table row equal to the value, or 0 when none is.
int findResolutionIndex(int width, int height);
int findFpsCapIndex(int fpsCap);

// The row of the table at `index` (wrapped, so any index is safe).
ScreenSize resolutionAt(int index);
int fpsCapAt(int index);

// "1280x720".
std::string resolutionText(ScreenSize size);

struct MainMenuButtons {
    UiBox play;
    UiBox settings;
    UiBox quit;
};

// Three 220 x 44 buttons centred across the width, the first at 48 % of the
// height and each next one 54 pixels lower.
MainMenuButtons buildMainMenuButtons(float width, float height);

struct SettingsLayout {
    UiBox panel;         // 520 x 320, centred, its top at 24 % of the height
    float rowX = 0.0f;   // rows start 24 pixels inside the panel
    float firstRowY = 0.0f;
    float rowWidth = 472.0f;
    UiBox apply;
    UiBox back;
};
constexpr float kSettingRowStep = 60.0f;

SettingsLayout buildSettingsLayout(float width, float height);

struct SettingRowBoxes {
    UiBox decrement;        // the "<" arrow
    UiBox increment;        // the ">" arrow
    float valueCenterX = 0.0f;
};

// A row's label takes the first 180 pixels, then a 32 x 24 arrow, the value
// centred between the arrows, and the second arrow flush with the row's end
// less 20 pixels.
SettingRowBoxes buildSettingRowBoxes(float x, float y, float rowWidth);

// Appends one settings row (label, arrows in their hover colour, value) and
// reports which arrow the click of this frame hit; `decrement` and `increment`
// are always written. Returns whether either was hit.
bool appendSettingRow(UiDrawList& list, std::string_view label, std::string_view value, float x, float y,
                      float rowWidth, double mouseX, double mouseY, bool clicked, bool& decrement,
                      bool& increment);

// Space kept free on each side of a button's label, pixels.
constexpr float kButtonTextMargin = 8.0f;

// A button: its box in the colour for whether it is highlighted, then its
// label centred in it, made smaller when it would not fit within the margins.
void appendButton(UiDrawList& list, UiBox box, bool over, Vec4 overColor, Vec4 idleColor, std::string_view text,
                  float textScale, Vec4 textColor);
