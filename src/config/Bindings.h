// The actions a player can bind to a key, in the order the controls screen
// lists them, with the pad control that does the same. Rebinding keeps every
// key on one action: taking a key that another action holds swaps the two.
#pragma once

#include "config/Config.h"

#include <array>

struct BindingSlot {
    const char* action;   // as the controls screen names it
    int Config::*key;     // the binding in the config
    const char* pad;      // the pad control that does the same, or "" for none
};

constexpr int kBindingCount = 13;
extern const std::array<BindingSlot, kBindingCount> bindingSlots;

// Binds `key` to slot `slot`. When another action held `key`, it gets the
// slot's old key instead; returns that action's slot, or -1 when none was
// moved.
int bindKey(Config& config, int slot, int key);

// Every binding back to its default; the other settings stay.
void resetBindings(Config& config);
