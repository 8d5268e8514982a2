// Rebinding the keys and tuning the mouse and the pad: each action with its
// key and its pad control; choose one (click, or Enter on the highlight), then
// press the new key. Escape cancels; a key another action holds swaps the two
// and the screen says so; "Reset to defaults" restores every key. Apply writes
// config.ini and goes back to the settings; Back forgets the changes.
#pragma once

#include "screens/GameContext.h"
#include "screens/MenuList.h"
#include "screens/Screen.h"

#include <string>

// The outcome of a key pressed while an action waits for one.
struct BindingAttempt {
    bool bound = false;       // false: the key was refused and the action still waits
    bool cancelled = false;   // Escape: the action keeps its key
    std::string message;      // what the screen (and the console) says
};

// Binds the first key of `pressedKeys` to slot `slot` of `config`; the main
// menu key and keys that config.ini cannot name are refused.
BindingAttempt tryBinding(Config& config, int slot, const std::vector<int>& pressedKeys);

class ControlsScreen : public Screen {
public:
    explicit ControlsScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

    // What the last update laid out for the next draw.
    const UiDrawList& drawn() const { return layout; }

private:
    std::vector<MenuEntry> entries() const;

    GameContext& game;
    Config pending;        // the bindings and sensitivities being edited
    int capturing = -1;    // the slot waiting for a key, or -1
    std::string message;
    MenuList menu;
    UiDrawList layout;
};
