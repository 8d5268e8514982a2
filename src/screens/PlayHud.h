// What the player reads during play and on the two end screens: coins, lives
// and the countdown, the red fall flash, and the level-complete and game-over
// texts. Built as draw lists for a UI of width x height pixels.
#pragma once

#include "game/Attempt.h"
#include "screens/PlayerProgress.h"
#include "ui/UiDrawList.h"

#include <string>

// "m:ss" of the whole seconds left, rounded up (0.2 s shows 0:01).
std::string countdownText(float timeLeft);

// White above 30 s, orange above 10 s, red from there on, all light enough
// to read on the HUD's panel.
Vec4 countdownColor(float timeLeft);

// Coins, lives and the countdown; while falling also the flash and "FELL OFF!".
UiDrawList buildPlayHud(const Attempt& attempt, float width, float height);

// The panel behind every HUD text and the end screens' panel: dark enough that
// white text reads at 4.5:1 or more over the brightest sky.
const Vec4 kHudBacking{0.0f, 0.0f, 0.05f, 0.8f};
const Vec4 kEndPanel{0.02f, 0.02f, 0.08f, 0.78f};

// The attempt's time so far: every step from the start, the fall delays
// included, in hundredths of a second; a record compares this.
int timeUsedCentiseconds(const Attempt& attempt);
// "TIME 0:41.27   COINS 17/17   LIVES LOST 1".
std::string runSummaryText(const Attempt& attempt);

UiDrawList buildLevelCompleteScreen(const Attempt& attempt, const CompletionNote& note, float width, float height);

// What the player is told in the middle of the screen: the level's name and
// its coins for the first two seconds, then "N COINS LEFT" at a locked gate.
UiDrawList buildCallouts(const Attempt& attempt, const std::string& gateMessage, float width, float height);

// The split against the ghost at the last coin, green ahead, red behind.
UiDrawList buildSplit(const std::string& split, bool ahead, float width, float height);

UiDrawList buildGameOverScreen(const Attempt& attempt, float width, float height);
