// What happened in a simulation step, for everything that reacts without
// changing the game: sparks, sounds, the HUD's messages. Rules produce events;
// they never draw or play.
#pragma once

#include "base/Math.h"
#include "level/Level.h"

#include <vector>

enum class GameEventType {
    CoinTaken,         // objectIndex: the coin; position: where it was drawn
    PowerupTaken,      // objectIndex, powerup
    PowerupExpired,    // powerup
    Jumped,
    Landed,            // strength: the downward speed at impact, units/s
    Bounced,           // strength: the rebound speed
    TileCrumbled,      // objectIndex: the crumble tile that gave way
    FellOff,           // a life is at stake
    ShieldSaved,
    Respawned,
    CheckpointReached, // objectIndex: the checkpoint's index in the level's list
    GateLocked,        // arrived at the end tile with coins left; strength: how many
    LevelComplete,
    TimeUp,
    OutOfLives,
};

struct GameEvent {
    GameEventType type = GameEventType::CoinTaken;
    Vec3 position{0.0f};
    int objectIndex = -1;
    float strength = 0.0f;
    PowerupType powerup = PowerupType::SpeedBoost;
};

using GameEvents = std::vector<GameEvent>;
