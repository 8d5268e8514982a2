// Per-key state from the window's key events, aged once per frame. A key goes
// Pressed in the frame its press arrives, then Held; Released in the frame its
// release arrives, then Up. Auto-repeat events are ignored; -1 (an unbound key)
// is never held.
#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

struct GLFWwindow;

enum class KeyState { Up, Pressed, Held, Released };

class Input {
public:
    Input() = default;
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // Registers this instance for the window's key callback.
    void initialise(GLFWwindow* window);

    // Records one event (press 1, release 0; repeat 2 is dropped). The key
    // callback calls it; it only queues, `update` applies.
    void onKeyEvent(int key, int action);

    // Once per frame after polling: ages every key, then applies the queued
    // events in arrival order.
    void update();

    bool isDown(int key) const;
    bool wasPressed(int key) const;
    KeyState state(int key) const;

    GLFWwindow* window = nullptr;

private:
    std::unordered_map<int, KeyState> keyStates;
    std::vector<std::pair<int, int>> pendingEvents;
};
