// What one attempt at a level changes of its placed objects: where pickups are
// and whether they were taken, the moving tiles' clocks, the crumble tiles'
// state. Built fresh from the level for every attempt, so a retry starts from
// exactly what the file describes. Indexed like the level's objects.
#pragma once

#include "level/Level.h"

#include <vector>

struct ObjectState {
    Vec3 pos{0.0f};                // where it is: pickups drift under the magnet
    float anim = 0.0f;             // pickups: spin in degrees; moving tiles: clock in s
    float bob = 0.0f;              // pickups: vertical offset of the bob
    float moveOffset = 0.0f;       // moving tiles: displacement along the axis
    float crumbleProgress = 0.0f;  // crumble tiles: seconds stood on
    float crumbleRespawn = 0.0f;   // seconds until a crumbled tile returns
    bool crumbled = false;         // gone: neither drawn nor solid
    bool collected = false;        // pickups taken in this attempt
};

struct LevelRun {
    std::vector<ObjectState> objects;
};

LevelRun startRun(const Level& level);

int collectedCoinCount(const Level& level, const LevelRun& run);

// Where a tile or pickup is drawn and collides now: a moving tile along its
// axis, a pickup bobbing over its (possibly drifted) place.
Vec3 placedPosition(const SceneObject& object, const ObjectState& state);
