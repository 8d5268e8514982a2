// What every parsed level must satisfy whatever bytes it came from: no
// infinite or NaN number anywhere, since one would spread into positions,
// collision bodies and the pick-up test. Shared by the fuzzer and the replay test.
#pragma once

#include "level/Level.h"

#include <cmath>
#include <initializer_list>

inline bool hasOnlyFiniteNumbers(const Level& level) {
    bool finite = std::isfinite(level.levelTime);
    const auto check = [&](std::initializer_list<float> numbers) {
        for (float n : numbers) finite = finite && std::isfinite(n);
    };
    for (Vec3 v : {level.skyColor, level.sunPos, level.sunColor, level.sunAmbient, level.start,
                   level.endTilePos, level.endTileSize}) {
        check({v.x, v.y, v.z});
    }
    for (const SceneObject& o : level.objects) {
        for (Vec3 v : {o.pos, o.size, o.color, o.moveAxis}) check({v.x, v.y, v.z});
        check({o.phase, o.moveAmplitude, o.moveSpeed, o.moveOffset});
    }
    return finite;
}
