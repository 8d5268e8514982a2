// One level as its file describes it: scene settings and the ordered list of
// placed objects. Coins, tiles, moving tiles and powerups share the
// SceneObject record, told apart by `kind`. Objects are only appended while a
// level is filled; afterwards the level is read-only, and what play changes
// lives in a LevelRun. Units: world units, y up, seconds, degrees.
#pragma once

#include "base/Math.h"

#include <string>
#include <vector>

enum class ObjectKind : int { Coin = 0, Tile = 1, MovingTile = 2, Powerup = 3 };
enum class ShapeKind : int { Sphere = 0, Box = 1, Cylinder = 2, Plane = 3, ObjFile = 4 };
enum class Material : int { None = 0, Stone = 1, Wood = 2, Marble = 3, Cobblestone = 4, Dirt = 5, Ice = 6 };
enum class TileType : int { Normal = 0, Ice = 1, Bouncy = 2, Crumble = 3, Conveyor = 4, Teleport = 5 };
enum class PowerupType : int { Magnet = 0, SlowMo = 1, AntiGravity = 2, Shield = 3, SpeedBoost = 4 };

struct SceneObject {
    ObjectKind kind = ObjectKind::Tile;
    ShapeKind shape = ShapeKind::Box;
    std::string objPath;               // set only together with shape ObjFile
    Vec3 pos{0.0f};                    // centre; a moving tile's rest position
    Vec3 size{0.0f};                   // full extents of a tile; scale of a pickup's mesh
    Vec3 color{0.0f};
    Material material = Material::None;
    TileType tileType = TileType::Normal;
    float phase = 0.0f;                // pickups: bob phase in radians
    Vec3 moveAxis{1.0f, 0.0f, 0.0f};   // moving tiles: unit direction; conveyors: belt
    float moveAmplitude = 3.0f;
    float moveSpeed = 1.5f;            // radians of the motion sine per second
    float moveOffset = 0.0f;           // displacement along moveAxis before the first step
    PowerupType powerupType = PowerupType::SpeedBoost;
};

struct Level {
    std::string name = "Unnamed Level";
    Vec3 skyColor{0.1f, 0.12f, 0.18f};
    bool ground = false;
    Vec3 sunPos{40.0f, 80.0f, 30.0f};  // at full height; it sinks as the clock runs down
    Vec3 sunColor{1.15f, 1.05f, 0.9f};
    Vec3 sunAmbient{0.15f, 0.15f, 0.22f};
    std::string sunObj;
    float levelTime = 120.0f;
    Vec3 start{0.0f, 1.0f, 0.0f};
    std::string ballObj;               // kept from the file; the ball is always a sphere
    bool hasEndTile = false;
    Vec3 endTilePos{0.0f};
    Vec3 endTileSize{2.0f, 1.0f, 2.0f};
    std::string endTileObj;
    int endTileObject = -1;            // the end tile's index in the objects, -1 without one
    // Points on the ground where checkpoint flags stand; reaching one makes it
    // the place a fall comes back to. In file order, which is the way through.
    std::vector<Vec3> checkpoints;
    std::string music;                 // the tune's description as the file gives it; empty for the default
    std::vector<SceneObject> objects;

    // Each adder appends an object with its kind's defaults and returns it;
    // the reference is valid until the next append.
    SceneObject& addTile(Vec3 position, Vec3 tileSize, Vec3 tileColor);
    SceneObject& addCoin(Vec3 position, float bobPhase);
    SceneObject& addMovingTile(Vec3 position, Vec3 tileSize, Vec3 tileColor, Vec3 axis,
                               float amplitude, float speed, float offset);
    SceneObject& addPowerup(Vec3 position, Vec3 powerupTint, float bobPhase, PowerupType type);
};

int coinCount(const std::vector<SceneObject>& objects);

// The colour a powerup has in the world and on the HUD.
Vec3 powerupColor(PowerupType type);
