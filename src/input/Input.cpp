// Frame-latched key and mouse state.
#include "input/Input.h"

namespace {
constexpr int kRelease = 0;
constexpr int kPress = 1;
}  // namespace

void Input::onKeyEvent(int key, int action) {
    if (action != kPress && action != kRelease) return;
    pendingKeys.emplace_back(key, action);
}

void Input::onMouseButton(int button, int action) {
    if (action != kPress && action != kRelease) return;
    pendingButtons.emplace_back(button, action);
}

void Input::onCursor(double x, double y) {
    pendingCursor[0] = x;
    pendingCursor[1] = y;
    cursorPending = true;
}

void Input::onFocusLost() { focusLostPending = true; }

void Input::onPadLost() { padLostPending = true; }

void Input::setPad(const PadState* pad) {
    padBefore = hasPad ? padNow : PadState();
    hasPad = pad != nullptr;
    padNow = pad ? *pad : PadState();
}

void Input::apply(std::unordered_map<int, ButtonState>& states, int code, int action) {
    ButtonState& state = states[code];
    if (action == kPress) {
        state.down = true;
        state.pressed = true;
    } else {
        state.down = false;  // a press earlier in the same frame still counts
    }
}

void Input::update() {
    for (auto& entry : keys) entry.second.pressed = false;
    for (auto& entry : buttons) entry.second.pressed = false;
    pressedThisFrame.clear();
    for (const auto& [key, action] : pendingKeys) {
        if (key < 0) continue;
        apply(keys, key, action);
        if (action == kPress) pressedThisFrame.push_back(key);
    }
    for (const auto& [button, action] : pendingButtons) apply(buttons, button, action);
    pendingKeys.clear();
    pendingButtons.clear();
    lostFocus = focusLostPending;
    focusLostPending = false;
    lostPad = padLostPending;
    padLostPending = false;
    // The first report only says where the pointer rests: it has not moved,
    // so it does not take a menu's highlight from the keys.
    moved = cursorPending && cursorKnown && (pendingCursor[0] != cursor[0] || pendingCursor[1] != cursor[1]);
    if (cursorPending) cursorKnown = true;
    if (cursorPending) {
        cursor[0] = pendingCursor[0];
        cursor[1] = pendingCursor[1];
        cursorPending = false;
    }
}

bool Input::isDown(int key) const {
    const auto found = keys.find(key);
    return key >= 0 && found != keys.end() && found->second.down;
}

bool Input::wasPressed(int key) const {
    const auto found = keys.find(key);
    return key >= 0 && found != keys.end() && found->second.pressed;
}

bool Input::mouseDown(int button) const {
    const auto found = buttons.find(button);
    return found != buttons.end() && found->second.down;
}

bool Input::mouseClicked(int button) const {
    const auto found = buttons.find(button);
    return found != buttons.end() && found->second.pressed;
}
