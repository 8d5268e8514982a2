// Keys and mouse buttons as the game sees them in one frame. The window's
// events arrive between frames and `update` applies them: a key that went down
// since the last frame reads as pressed in this one even when it also came
// back up (a tap shorter than a frame is not lost), and it reads as held only
// while it is really down. Auto-repeat is ignored; an unknown key (-1, also
// what an unbound action holds) never reads as held or pressed. No window
// library here: the app feeds the events.
#pragma once

#include "input/Gamepad.h"

#include <unordered_map>
#include <vector>

constexpr int kMouseLeft = 0;
constexpr int kMouseRight = 1;

class Input {
public:
    // action: 1 press, 0 release, 2 repeat (dropped). Only queued here.
    void onKeyEvent(int key, int action);
    void onMouseButton(int button, int action);
    void onCursor(double x, double y);
    // The window lost the keyboard focus or was minimised.
    void onFocusLost();
    // The first connected pad as read this frame, or null when there is none.
    void setPad(const PadState* pad);
    // The pad in use went away (it pauses a game in play).
    void onPadLost();

    // Once per frame after polling: applies the queued events in arrival order.
    void update();

    bool isDown(int key) const;
    bool wasPressed(int key) const;
    // The keys that went down this frame, in order (for binding a key).
    const std::vector<int>& pressedKeys() const { return pressedThisFrame; }

    bool mouseDown(int button) const;
    bool mouseClicked(int button) const;  // went down this frame, however briefly
    double cursorX() const { return cursor[0]; }
    double cursorY() const { return cursor[1]; }
    bool cursorMoved() const { return moved; }
    // The window lost the focus or was minimised since the last frame.
    bool focusLost() const { return lostFocus; }

    bool padConnected() const { return hasPad; }
    bool padLost() const { return lostPad; }
    const PadState& pad() const { return padNow; }
    bool padDown(PadButton button) const { return hasPad && padNow.buttons[button]; }
    // Went down since the last frame (pads are read once a frame).
    bool padPressed(PadButton button) const { return padDown(button) && !padBefore.buttons[button]; }

private:
    struct ButtonState {
        bool down = false;
        bool pressed = false;
    };
    static void apply(std::unordered_map<int, ButtonState>& states, int code, int action);

    std::unordered_map<int, ButtonState> keys;
    std::unordered_map<int, ButtonState> buttons;
    std::vector<std::pair<int, int>> pendingKeys;
    std::vector<std::pair<int, int>> pendingButtons;
    std::vector<int> pressedThisFrame;
    double cursor[2] = {0.0, 0.0};
    double pendingCursor[2] = {0.0, 0.0};
    bool cursorPending = false;
    bool cursorKnown = false;
    bool moved = false;
    bool focusLostPending = false;
    bool lostFocus = false;
    bool hasPad = false;
    bool padLostPending = false;
    bool lostPad = false;
    PadState padNow;
    PadState padBefore;
};
