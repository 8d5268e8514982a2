// The overlays drawn at the end of every frame: the FPS panel in the
// bottom-right corner, one panel per active powerup down the right edge, and
// the debug-camera banner. Built as draw lists for a UI of the given size in pixels.
#pragma once

#include "game/Powerups.h"
#include "ui/UiDrawList.h"

#include <string>
#include <vector>

// The label of a powerup panel; a type the game does not know gets "POWERUP".
const char* powerupLabel(PowerupType type);

// "FPS: " and the whole frames per second on a dark panel; green from 60,
// yellow from 30, red below.
UiDrawList buildFpsPanel(float fps, float width, float height);

// For each entry in list order: panel, colour strip, label, whole seconds left
// (rounded up) and a bar that shrinks and reddens as the time runs out.
UiDrawList buildPowerupPanels(const std::vector<ActivePowerup>& active, float width);

// "DEBUG CAM  (F8 to exit)" in the top-left corner, naming the real binding.
UiDraw buildDebugCamBanner(const std::string& keyName);
