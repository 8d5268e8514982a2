// What every parsed level must satisfy whatever bytes it came from: no
// infinite or NaN number anywhere, since one would spread into positions,
// collision bodies and the pick-up test. Shared by the fuzzer and the replay test.
#pragma once

#include "level/Level.h"

#include <cmath>

inline bool isFiniteVec3(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

inline bool hasOnlyFiniteNumbers(const SceneObject& object) {
    return isFiniteVec3(object.pos) && isFiniteVec3(object.size) && isFiniteVec3(object.color) &&
           isFiniteVec3(object.moveAxis) && std::isfinite(object.phase) && std::isfinite(object.moveAmplitude) &&
           std::isfinite(object.moveSpeed) && std::isfinite(object.moveOffset) && std::isfinite(object.anim);
}

inline bool hasOnlyFiniteNumbers(const Level& level) {
    if (!isFiniteVec3(level.skyColor) || !isFiniteVec3(level.sunPos) || !isFiniteVec3(level.sunPosBase) ||
        !isFiniteVec3(level.sunColor) || !isFiniteVec3(level.sunAmbient) || !isFiniteVec3(level.start) ||
        !isFiniteVec3(level.endTilePos) || !isFiniteVec3(level.endTileSize) || !std::isfinite(level.levelTime)) {
        return false;
    }
    for (const SceneObject& object : level.objects) {
        if (!hasOnlyFiniteNumbers(object)) return false;
    }
    return true;
}
