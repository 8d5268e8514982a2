// Stick dead zones.
#include "input/Gamepad.h"

#include <algorithm>
#include <cmath>

Vec2 applyDeadZone(Vec2 stick, float deadZone) {
    const float length = glm::length(stick);
    if (!(length > deadZone) || !std::isfinite(length)) return Vec2(0.0f);
    const float zone = std::clamp(deadZone, 0.0f, 0.95f);
    const float scaled = std::min(1.0f, (length - zone) / (1.0f - zone));
    return stick / length * scaled;
}
