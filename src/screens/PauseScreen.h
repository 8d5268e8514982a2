// The game stopped over its frozen scene: nothing advances (the attempt's
// clock, the physics, the countdown, the powerups, the sparks, the sun). Its
// buttons: Continue (also the pause key or Escape), Restart level (costs no
// life), Main menu (also M) and Quit game; it lists the controls as bound.
#pragma once

#include "screens/ButtonList.h"
#include "screens/GameContext.h"
#include "screens/Screen.h"

class PauseScreen : public Screen {
public:
    explicit PauseScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

    // What the last update laid out for the next draw.
    const UiDrawList& drawn() const { return layout; }

private:
    GameContext& game;
    ButtonList buttons;
    UiDrawList layout;
};

// The pause panel's buttons, centred in a screen of width x height.
std::vector<UiBox> pauseButtonBoxes(float width, float height);
