// Geometry and choice tables of the menus: the main menu's three buttons, a
// button with its label, and the resolution and frame-cap tables the settings
// step through with wrap-around.
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

// Space kept free on each side of a button's label, pixels.
constexpr float kButtonTextMargin = 8.0f;

// A button: its box in the colour for whether it is highlighted, then its
// label centred in it, made smaller when it would not fit within the margins.
void appendButton(UiDrawList& list, UiBox box, bool over, Vec4 overColor, Vec4 idleColor, std::string_view text,
                  float textScale, Vec4 textColor);
