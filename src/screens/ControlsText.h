// The controls as the player's own bindings name them, for the console line at
// every level start and the main menu's footer. An unbound action shows "?".
#pragma once

#include "config/Config.h"

#include <string>

// "WASD=move  SPACE=jump  ESC=pause  RMB=orbit  QE=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam"
// with the default bindings.
std::string consoleControlsLine(const Config& config);

// "W A S D move  SPACE jump  ESC pause  RMB camera  F8 debug camera" with the default bindings.
std::string menuControlsLine(const Config& config);
