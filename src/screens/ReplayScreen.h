// Watching the run just finished from its recording: the same simulation, fed
// the recorded inputs step by step, the camera following the ball. Escape
// (or the pad's B) ends it; at its end it goes back to the level-complete
// screen by itself.
#pragma once

#include "screens/GameContext.h"
#include "screens/Screen.h"

class ReplayScreen : public Screen {
public:
    explicit ReplayScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

private:
    GameContext& game;
    bool available = false;
    float afterEnd = 0.0f;  // seconds the last frame of the replay has been shown
};
