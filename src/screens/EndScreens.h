// The two screens at the end of an attempt, drawn over the frozen scene of the
// level. Level complete: shows a new record; Space or the pad's A (or three
// seconds) goes on to the next level, back to the main menu after the last or
// to the level select after a level played alone; R (the pad's Y) watches the
// run again. Game over: Space or A tries the level again with three lives. On
// both, M, Escape or the pad's B go to the main menu.
#pragma once

#include "screens/GameContext.h"
#include "screens/Screen.h"

constexpr float kAdvanceDelay = 3.0f;  // the level-complete screen moves on by itself

class LevelCompleteScreen : public Screen {
public:
    explicit LevelCompleteScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

private:
    GameContext& game;
    float advanceTimer = kAdvanceDelay;
};

class GameOverScreen : public Screen {
public:
    explicit GameOverScreen(GameContext& context) : game(context) {}
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

private:
    GameContext& game;
};
