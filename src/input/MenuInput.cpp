// Menu moves from keys and pad.
#include "input/MenuInput.h"

#include "input/Keys.h"

namespace {
constexpr int kKeyA = 65;
constexpr int kKeyD = 68;
constexpr int kKeyS = 83;
constexpr int kKeyW = 87;
}  // namespace

MenuMove menuMove(const Input& input) {
    if (input.wasPressed(kKeyUp) || input.wasPressed(kKeyW) || input.padPressed(PadDpadUp)) return MenuMove::Up;
    if (input.wasPressed(kKeyDown) || input.wasPressed(kKeyS) || input.padPressed(PadDpadDown)) return MenuMove::Down;
    if (input.wasPressed(kKeyLeft) || input.wasPressed(kKeyA) || input.padPressed(PadDpadLeft)) return MenuMove::Left;
    if (input.wasPressed(kKeyRight) || input.wasPressed(kKeyD) || input.padPressed(PadDpadRight)) {
        return MenuMove::Right;
    }
    return MenuMove::None;
}

bool menuConfirm(const Input& input) {
    return input.wasPressed(kKeyEnter) || input.wasPressed(kKeyKeypadEnter) || input.wasPressed(kKeySpace) ||
           input.padPressed(PadA);
}

bool menuBack(const Input& input) { return input.wasPressed(kKeyEscape) || input.padPressed(PadB); }
