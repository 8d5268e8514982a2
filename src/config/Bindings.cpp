// The bindable actions and rebinding with swaps.
#include "config/Bindings.h"

const std::array<BindingSlot, kBindingCount> bindingSlots = {{
    {"Roll forward", &Config::keyMoveForward, "L-STICK"},
    {"Roll back", &Config::keyMoveBack, "L-STICK"},
    {"Roll left", &Config::keyMoveLeft, "L-STICK"},
    {"Roll right", &Config::keyMoveRight, "L-STICK"},
    {"Jump", &Config::keyJump, "A"},
    {"Pause", &Config::keyPause, "START"},
    {"Zoom in / rise", &Config::keyCamUp, "LB"},
    {"Zoom out / sink", &Config::keyCamDown, "RB"},
    {"Debug camera", &Config::keyDebugCam, ""},
    {"Normal maps", &Config::keyNormalMap, ""},
    {"FPS counter", &Config::keyShowFPS, ""},
    {"Wireframe", &Config::keyWireframe, ""},
    {"Back faces", &Config::keyBackCulling, ""},
}};

int bindKey(Config& config, int slot, int key) {
    if (slot < 0 || slot >= kBindingCount) return -1;
    int& target = config.*(bindingSlots[static_cast<std::size_t>(slot)].key);
    const int previous = target;
    int moved = -1;
    for (int other = 0; other < kBindingCount; ++other) {
        int& binding = config.*(bindingSlots[static_cast<std::size_t>(other)].key);
        if (other != slot && key >= 0 && binding == key) {
            binding = previous;
            moved = other;
        }
    }
    target = key;
    return moved;
}

void resetBindings(Config& config) {
    const Config defaults;
    for (const BindingSlot& slot : bindingSlots) config.*(slot.key) = defaults.*(slot.key);
}
