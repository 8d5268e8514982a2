// The fixed keys the game reads besides the bindings of config.ini. The codes
// are the window library's key codes, as the bindings are.
#pragma once

constexpr int kKeySpace = 32;
constexpr int kKeyMinus = 45;
constexpr int kKeyEqual = 61;
constexpr int kKeyM = 77;
constexpr int kKeyR = 82;
constexpr int kKeyEscape = 256;
constexpr int kKeyEnter = 257;
constexpr int kKeyTab = 258;
constexpr int kKeyRight = 262;
constexpr int kKeyLeft = 263;
constexpr int kKeyDown = 264;
constexpr int kKeyUp = 265;
constexpr int kKeyKeypadEnter = 335;
constexpr int kKeyLeftShift = 340;
constexpr int kKeyRightShift = 344;
