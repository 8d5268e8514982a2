// Key-state tracker fed by the GLFW key callback.
#include "app/Input.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {
// The callback has no user pointer of ours to spare; one instance is registered.
Input* registeredInput = nullptr;

void keyCallback(GLFWwindow*, int key, int, int action, int) {
    if (registeredInput) registeredInput->onKeyEvent(key, action);
}
}  // namespace

Input::~Input() {
    if (registeredInput == this) registeredInput = nullptr;
}

void Input::initialise(GLFWwindow* w) {
    window = w;
    registeredInput = this;
    glfwSetKeyCallback(w, keyCallback);
}

void Input::onKeyEvent(int key, int action) {
    if (action == GLFW_REPEAT) return;
    pendingEvents.emplace_back(key, action);
}

void Input::update() {
    for (auto& entry : keyStates) {
        if (entry.second == KeyState::Pressed) entry.second = KeyState::Held;
        if (entry.second == KeyState::Released) entry.second = KeyState::Up;
    }
    for (const auto& [key, action] : pendingEvents) {
        if (action == GLFW_PRESS) keyStates[key] = KeyState::Pressed;
        if (action == GLFW_RELEASE) keyStates[key] = KeyState::Released;
    }
    pendingEvents.clear();
}

KeyState Input::state(int key) const {
    const auto found = keyStates.find(key);
    return found == keyStates.end() ? KeyState::Up : found->second;
}

bool Input::isDown(int key) const {
    const KeyState s = state(key);
    return s == KeyState::Pressed || s == KeyState::Held;
}

bool Input::wasPressed(int key) const { return state(key) == KeyState::Pressed; }
