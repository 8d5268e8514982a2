// The tick of a menu's moving highlight and the click of a choice.
#pragma once

#include "screens/GameContext.h"

void menuSounds(GameContext& game, bool highlightMoved, bool chosen);
