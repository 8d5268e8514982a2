// One screen of the game. Each frame the current screen takes the frame's
// input and decides (and says which screen comes next), then draws itself;
// nothing is decided while drawing. The app owns one object per screen and
// calls `enter` when a screen becomes current.
#pragma once

#include "input/Input.h"

enum class ScreenId { MainMenu, LevelSelect, Settings, Controls, Play, Pause, LevelComplete, Replay, GameOver, Quit };

struct FrameInfo {
    const Input& input;
    float dt = 0.0f;        // seconds since the last frame, at most a quarter second
    float width = 1.0f;     // the UI's pixels (window coordinates)
    float height = 1.0f;
    int framebufferWidth = 1;
    int framebufferHeight = 1;
};

class Screen {
public:
    virtual ~Screen() = default;
    // `from` is the screen that was current before.
    virtual void enter(ScreenId from) { (void)from; }
    // Returns the next screen, or this screen's own id to stay.
    virtual ScreenId update(const FrameInfo& frame) = 0;
    virtual void draw(const FrameInfo& frame) = 0;
};
