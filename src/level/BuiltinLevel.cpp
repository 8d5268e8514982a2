// The built-in level, object for object.
#include "level/BuiltinLevel.h"

namespace {

void addTiles(Level& level) {
    // The floor: a 22 x 22 slab whose top face is y = 0, under the start.
    level.addTile({0.0f, -0.5f, 0.0f}, {22.0f, 1.0f, 22.0f}, {0.28f, 0.32f, 0.42f}).material =
        Material::Cobblestone;
    level.addTile({6.0f, 0.5f, 0.0f}, {3.0f, 1.0f, 3.0f}, {0.4f, 0.6f, 0.9f}).material = Material::Stone;
    SceneObject& bouncy = level.addTile({-6.0f, 0.5f, 2.0f}, {2.0f, 2.0f, 2.0f}, {0.9f, 0.5f, 0.3f});
    bouncy.material = Material::Wood;
    bouncy.tileType = TileType::Bouncy;
    SceneObject& crumble = level.addTile({0.0f, 0.5f, -7.0f}, {4.0f, 1.0f, 2.0f}, {0.3f, 0.8f, 0.45f});
    crumble.material = Material::Marble;
    crumble.tileType = TileType::Crumble;
    level.addTile({3.0f, 1.5f, -7.0f}, {2.0f, 1.0f, 2.0f}, {0.55f, 0.45f, 0.85f}).material = Material::Stone;
    SceneObject& conveyor = level.addMovingTile({-2.0f, 0.5f, -4.0f}, {2.0f, 0.4f, 2.0f}, {0.7f, 0.4f, 0.9f},
                                                {1.0f, 0.0f, 0.0f}, 3.5f, 1.2f, 0.0f);
    conveyor.material = Material::Dirt;
    conveyor.tileType = TileType::Conveyor;
    SceneObject& ice = level.addMovingTile({5.0f, 1.5f, 5.0f}, {1.5f, 0.4f, 1.5f}, {0.4f, 0.8f, 0.7f},
                                           {0.0f, 0.0f, 1.0f}, 2.5f, 1.8f, 0.0f);
    ice.material = Material::Ice;
    ice.tileType = TileType::Ice;
}

void addPickups(Level& level) {
    level.addCoin({3.0f, 1.2f, 0.0f}, 0.0f);
    level.addCoin({-3.0f, 1.2f, 2.0f}, 1.0f);
    level.addCoin({0.0f, 1.2f, -4.0f}, 2.0f);
    level.addCoin({5.0f, 1.2f, 5.0f}, 0.5f);
    level.addCoin({3.0f, 2.2f, -7.0f}, 1.5f);
    level.addCoin({-2.0f, 1.8f, -4.0f}, 0.8f);  // above the conveyor's rest position
    level.addPowerup({0.0f, 1.5f, 5.0f}, {0.2f, 0.9f, 1.0f}, 0.3f, PowerupType::SpeedBoost);
    level.addPowerup({-5.0f, 1.5f, -1.0f}, {0.6f, 0.0f, 1.0f}, 1.2f, PowerupType::AntiGravity);
}

}  // namespace

Level makeLevel1() {
    Level level;
    level.name = "The Plains";
    level.skyColor = {0.1f, 0.12f, 0.18f};
    level.levelTime = 120.0f;
    level.start = {0.0f, 1.0f, 0.0f};
    level.sunPos = {40.0f, 80.0f, 30.0f};
    level.sunColor = {1.2f, 1.05f, 0.85f};
    level.sunAmbient = {0.15f, 0.15f, 0.22f};
    addTiles(level);
    addPickups(level);
    level.hasEndTile = true;
    level.endTilePos = {8.0f, 0.5f, -8.0f};
    level.endTileSize = {2.5f, 0.6f, 2.5f};
    level.endTileObject = static_cast<int>(level.objects.size());
    level.addTile(level.endTilePos, level.endTileSize, {0.1f, 0.9f, 0.3f});
    return level;
}
