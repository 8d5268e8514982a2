// A timed powerup in effect. The game keeps them in the order first picked up;
// a type is in effect while an entry of it has time remaining.
#pragma once

#include "level/Level.h"

struct ActivePowerup {
    float duration = 10.0f;  // seconds; always the full powerup time
    float remaining = 0.0f;  // seconds left
    PowerupType type = PowerupType::SpeedBoost;
};
