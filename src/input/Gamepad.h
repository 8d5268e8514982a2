// A game controller in the standard layout the window library maps any known
// pad to: six axes in -1..1 (sticks pushed up read negative y) and fifteen
// buttons, indexed as the library indexes them. Plain data, so the mapping to
// the game's actions is tested without a device.
#pragma once

#include "base/Math.h"

#include <array>

enum PadButton {
    PadA = 0, PadB = 1, PadX = 2, PadY = 3, PadLeftBumper = 4, PadRightBumper = 5, PadBack = 6, PadStart = 7,
    PadGuide = 8, PadLeftThumb = 9, PadRightThumb = 10, PadDpadUp = 11, PadDpadRight = 12, PadDpadDown = 13,
    PadDpadLeft = 14, PadButtonCount = 15
};
enum PadAxis { PadLeftX = 0, PadLeftY = 1, PadRightX = 2, PadRightY = 3, PadLeftTrigger = 4, PadRightTrigger = 5 };

struct PadState {
    std::array<float, 6> axes{};
    std::array<bool, PadButtonCount> buttons{};
};

// A stick with its dead zone taken out: nothing inside `deadZone` of the
// centre, then a length that rises from 0 to 1 over the rest of the travel,
// the direction kept. Never longer than 1.
Vec2 applyDeadZone(Vec2 stick, float deadZone);

inline Vec2 leftStick(const PadState& pad) { return {pad.axes[PadLeftX], pad.axes[PadLeftY]}; }
inline Vec2 rightStick(const PadState& pad) { return {pad.axes[PadRightX], pad.axes[PadRightY]}; }
