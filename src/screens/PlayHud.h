// What the player reads during play and on the two end screens: coins, lives
// and the countdown, the red fall flash, and the level-complete and game-over
// texts. Built as draw lists for a UI of width x height pixels.
#pragma once

#include "game/Attempt.h"
#include "ui/UiDrawList.h"

#include <string>

// "m:ss" of the whole seconds left, rounded up (0.2 s shows 0:01).
std::string countdownText(float timeLeft);

// White above 30 s, orange above 10 s, red from there on.
Vec4 countdownColor(float timeLeft);

// Coins, lives and the countdown; while falling also the flash and "FELL OFF!".
UiDrawList buildPlayHud(const Attempt& attempt, float width, float height);

UiDrawList buildLevelCompleteScreen(const Level& level, float width, float height);

UiDrawList buildGameOverScreen(const Attempt& attempt, float width, float height);
