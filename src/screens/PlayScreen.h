// Live play: the player's keys and mouse become simulation steps, as many as
// the frame's time holds; the camera orbits with a right-button drag and zooms
// on its bindings; M leaves for the main menu; the pause key (or Escape, or the
// window losing the focus) pauses. The attempt's end leads to the
// level-complete or game-over screen.
#pragma once

#include "game/BallControl.h"
#include "screens/GameContext.h"
#include "screens/Screen.h"

// The player's keys (or, when no movement key is held, the pad's left stick)
// as one simulation step's input; `tap` is a jump pressed since the last step.
StepInput playerStepInput(const Input& input, const Config& keys, const MoveDirections& directions, bool tap);

// Degrees of yaw and pitch the right stick turns the camera in `dt` seconds.
Vec2 padOrbitDegrees(const Input& input, const Config& config, float dt);

class PlayScreen : public Screen {
public:
    explicit PlayScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

private:
    void orbitAndZoom(const FrameInfo& frame);

    GameContext& game;
    double lastCursorX = 0.0;
    double lastCursorY = 0.0;
    bool rightWasDown = false;
    bool jumpTapPending = false;  // a tap waits for the next step, however late it comes
    int settlingFrames = 0;       // frames after entering whose length is loading, not play
};
