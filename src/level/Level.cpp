// Level object adders and counts.
#include "level/Level.h"

#include <algorithm>
#include <cmath>

namespace {

// A zero axis would divide by zero and put NaN into the tile's position,
// drawing and body; such a tile stays at rest instead. Components whose
// squares leave float range (1e30, 1e-30) are brought near 1 first, so a file
// with extreme numbers still gets a unit axis rather than inf or zero.
Vec3 unitAxisOrZero(Vec3 axis) {
    if (!std::isfinite(axis.x) || !std::isfinite(axis.y) || !std::isfinite(axis.z)) return Vec3(0.0f);
    const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    const float inverse = 1.0f / length;
    if (length > 0.0f && std::isfinite(length) && std::isfinite(inverse)) return axis * inverse;
    const float largest = std::max({std::fabs(axis.x), std::fabs(axis.y), std::fabs(axis.z)});
    if (!(largest > 0.0f)) return Vec3(0.0f);
    const Vec3 scaled = axis / largest;
    return scaled * (1.0f / std::sqrt(scaled.x * scaled.x + scaled.y * scaled.y + scaled.z * scaled.z));
}

}  // namespace

SceneObject& Level::addTile(Vec3 position, Vec3 tileSize, Vec3 tileColor) {
    SceneObject& object = objects.emplace_back();
    object.kind = ObjectKind::Tile;
    object.shape = ShapeKind::Box;
    object.pos = position;
    object.size = tileSize;
    object.color = tileColor;
    return object;
}

SceneObject& Level::addCoin(Vec3 position, float bobPhase) {
    SceneObject& object = objects.emplace_back();
    object.kind = ObjectKind::Coin;
    object.shape = ShapeKind::Sphere;
    object.pos = position;
    object.size = Vec3(0.28f);
    object.color = Vec3(1.0f, 0.84f, 0.0f);
    object.phase = bobPhase;
    return object;
}

SceneObject& Level::addMovingTile(Vec3 position, Vec3 tileSize, Vec3 tileColor, Vec3 axis,
                                  float amplitude, float speed, float offset) {
    SceneObject& object = objects.emplace_back();
    object.kind = ObjectKind::MovingTile;
    object.shape = ShapeKind::Box;
    object.pos = position;
    object.size = tileSize;
    object.color = tileColor;
    object.moveAxis = unitAxisOrZero(axis);
    object.moveAmplitude = amplitude;
    object.moveSpeed = speed;
    object.moveOffset = offset;
    return object;
}

SceneObject& Level::addPowerup(Vec3 position, Vec3 powerupTint, float bobPhase, PowerupType type) {
    SceneObject& object = objects.emplace_back();
    object.kind = ObjectKind::Powerup;
    object.shape = ShapeKind::Sphere;
    object.pos = position;
    object.size = Vec3(0.22f, 0.4f, 0.22f);
    object.color = powerupTint;
    object.phase = bobPhase;
    object.powerupType = type;
    return object;
}

int coinCount(const std::vector<SceneObject>& objects) {
    int count = 0;
    for (const SceneObject& object : objects) {
        if (object.kind == ObjectKind::Coin) ++count;
    }
    return count;
}

Vec3 powerupColor(PowerupType type) {
    switch (type) {
        case PowerupType::Magnet: return {1.0f, 0.84f, 0.0f};
        case PowerupType::SlowMo: return {0.5f, 0.5f, 1.0f};
        case PowerupType::AntiGravity: return {0.6f, 0.0f, 1.0f};
        case PowerupType::Shield: return {0.2f, 0.4f, 1.0f};
        case PowerupType::SpeedBoost: return {0.2f, 0.9f, 1.0f};
    }
    return {1.0f, 1.0f, 1.0f};
}
