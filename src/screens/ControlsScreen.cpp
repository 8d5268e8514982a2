// The controls screen.
#include "screens/ControlsScreen.h"

#include "config/Bindings.h"
#include "config/KeyNames.h"
#include "input/Keys.h"
#include "input/MenuInput.h"
#include "screens/Graphics.h"
#include "screens/MenuSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

namespace {

enum Row {
    MouseRow = kBindingCount, PadCameraRow, DeadZoneRow, ResetButton, ApplyButton, BackButton, RowCount
};

const Vec4 kGold{1.0f, 0.84f, 0.0f, 1.0f};

std::string twoDecimals(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

// Steps of `size` between `low` and `high`, landing on whole steps.
float stepped(float value, int step, float size, float low, float high) {
    return std::clamp(std::round(value / size + static_cast<float>(step)) * size, low, high);
}

MenuArea controlsArea(float width, float height) {
    MenuArea area;
    area.width = std::min(600.0f, width - 40.0f);
    area.x = width * 0.5f - area.width * 0.5f;
    area.y = height * 0.13f;
    area.rowHeight = std::clamp((height * 0.86f - area.y) / static_cast<float>(RowCount), 22.0f, 34.0f);
    area.textScale = area.rowHeight >= 30.0f ? 1.6f : 1.3f;
    return area;
}

}  // namespace

BindingAttempt tryBinding(Config& config, int slot, const std::vector<int>& pressedKeys) {
    BindingAttempt attempt;
    if (pressedKeys.empty() || slot < 0 || slot >= kBindingCount) return attempt;
    const int key = pressedKeys.front();
    const BindingSlot& target = bindingSlots[static_cast<std::size_t>(slot)];
    if (key == kKeyEscape) {
        attempt.cancelled = true;
        attempt.message = std::string(target.action) + " keeps " + nameOfKey(config.*(target.key));
        return attempt;
    }
    if (key == kKeyM) {
        attempt.message = "M opens the main menu in play; choose another key";
        return attempt;
    }
    if (nameOfKey(key) == "?") {
        attempt.message = "That key cannot be saved in config.ini; choose another";
        return attempt;
    }
    const int moved = bindKey(config, slot, key);
    attempt.bound = true;
    attempt.message = std::string(target.action) + ": " + nameOfKey(key);
    if (moved >= 0) {
        const BindingSlot& other = bindingSlots[static_cast<std::size_t>(moved)];
        attempt.message += "  (" + std::string(other.action) + " now " + nameOfKey(config.*(other.key)) + ")";
    }
    return attempt;
}

void ControlsScreen::enter(ScreenId) {
    pending = game.config;
    capturing = -1;
    message.clear();
    menu.highlightEntry(0);
}

std::vector<MenuEntry> ControlsScreen::entries() const {
    std::vector<MenuEntry> list;
    for (int i = 0; i < kBindingCount; ++i) {
        const BindingSlot& slot = bindingSlots[static_cast<std::size_t>(i)];
        std::string keys = i == capturing ? "PRESS A KEY" : nameOfKey(pending.*(slot.key));
        if (slot.pad[0] != '\0') keys += std::string("  /  ") + slot.pad;
        list.push_back({EntryKind::Choice, slot.action, keys});
    }
    list.push_back({EntryKind::Value, "Mouse orbit", twoDecimals(pending.mouseSensitivity)});
    list.push_back({EntryKind::Value, "Pad camera", std::to_string(static_cast<int>(pending.padCameraSensitivity))});
    list.push_back({EntryKind::Value, "Stick dead zone", twoDecimals(pending.padDeadZone)});
    list.push_back({EntryKind::Button, "RESET TO DEFAULTS", ""});
    list.push_back({EntryKind::Button, "APPLY", ""});
    list.push_back({EntryKind::Button, "BACK", ""});
    return list;
}

ScreenId ControlsScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const MenuArea area = controlsArea(frame.width, frame.height);
    ScreenId next = ScreenId::Controls;
    if (capturing >= 0) {
        // While an action waits for its key, every key is a candidate.
        BindingAttempt attempt = tryBinding(pending, capturing, input.pressedKeys());
        if (input.padPressed(PadB)) attempt = {false, true, "Cancelled"};
        if (!attempt.message.empty()) {
            message = attempt.message;
            if (attempt.bound) std::cout << "[Input] " << message << "\n";
        }
        if (attempt.bound || attempt.cancelled) capturing = -1;
    } else {
        const MenuResult result = menu.update(input, entries(), area);
        menuSounds(game, menu.moved(), result.entry >= 0);
        if (result.entry >= 0 && result.entry < kBindingCount) {
            capturing = result.entry;
            message = std::string("Press a key for ") + bindingSlots[static_cast<std::size_t>(capturing)].action +
                      "  (Esc cancels)";
        } else if (result.entry == MouseRow) {
            pending.mouseSensitivity = stepped(pending.mouseSensitivity, result.step, 0.05f, 0.05f, 0.5f);
        } else if (result.entry == PadCameraRow) {
            pending.padCameraSensitivity = stepped(pending.padCameraSensitivity, result.step, 30.0f, 60.0f, 360.0f);
        } else if (result.entry == DeadZoneRow) {
            pending.padDeadZone = stepped(pending.padDeadZone, result.step, 0.05f, 0.05f, 0.5f);
        } else if (result.entry == ResetButton) {
            resetBindings(pending);
            message = "Every key back to its default";
        } else if (result.entry == ApplyButton) {
            game.config = pending;
            game.shell.saveSettings(game.config);
            next = ScreenId::Settings;
        } else if (result.entry == BackButton || menuBack(input)) {
            next = ScreenId::Settings;
        }
    }

    const float cx = frame.width * 0.5f;
    layout.clear();
    layout.push_back(makeCenteredTextDraw("CONTROLS", cx, frame.height * 0.04f, 3.2f, kGold));
    const UiBox panel{area.x - 12.0f, area.y - 8.0f, area.width + 24.0f,
                      area.rowHeight * static_cast<float>(RowCount) + 12.0f};
    layout.push_back(makeRectDraw(panel, {0.07f, 0.04f, 0.18f, 0.88f}));
    menu.append(layout, entries(), area);
    layout.push_back(makeCenteredTextDraw(message, cx, panel.y + panel.h + 8.0f, 1.4f, {1.0f, 0.9f, 0.5f, 1.0f}));
    return next;
}

void ControlsScreen::draw(const FrameInfo&) { game.graphics.canvas.draw(layout); }
