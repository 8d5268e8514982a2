// The three level files the game ships: they load cleanly and are playable.
#include "level/LevelHandler.h"

#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The ball as the game moves it: radius 0.5, a jump rises about 1.225
// (7 units/s against a gravity of 20) and 2.45 under anti-gravity, carrying
// about 5 units; a bouncy tile's throws grow up to 18 units/s, 8.1 high.
constexpr float kBallRadius = 0.5f;
constexpr float kJumpHeight = 1.225f;
constexpr float kAntiGravityJumpHeight = 2.45f;
constexpr float kJumpCarry = 5.0f;
constexpr float kBounceHeight = 8.1f;
constexpr float kBobAmplitude = 0.18f;

const std::filesystem::path kSourceDir = PEMBRIX_SOURCE_DIR;

std::filesystem::path levelPath(int slot) {
    return kSourceDir / "levels" / ("level" + std::to_string(slot) + ".plvl");
}

struct Shipped {
    Level level;
    std::string out;
    std::string err;
};

Shipped loadShipped(int slot) {
    ConsoleCapture console;
    Level level = LevelHandler::load(levelPath(slot).string());
    return {std::move(level), console.stdoutText(), console.stderrText()};
}

bool isTile(const SceneObject& object) {
    return object.kind == ObjectKind::Tile || object.kind == ObjectKind::MovingTile;
}

// Half extents of the space a tile ever covers, its motion included.
Vec3 sweptHalfSize(const SceneObject& tile) {
    Vec3 half = tile.size * 0.5f;
    if (tile.kind == ObjectKind::MovingTile) half += glm::abs(tile.moveAxis) * std::fabs(tile.moveAmplitude);
    return half;
}

// The tile under point p (x and z within its swept footprint) whose top is
// highest below p, or null.
const SceneObject* tileBelow(const Level& level, Vec3 p) {
    const SceneObject* best = nullptr;
    for (const SceneObject& tile : level.objects) {
        if (!isTile(tile)) continue;
        const Vec3 half = sweptHalfSize(tile);
        const float top = tile.pos.y + half.y;
        if (std::fabs(p.x - tile.pos.x) > half.x || std::fabs(p.z - tile.pos.z) > half.z || top >= p.y) continue;
        if (!best || top > best->pos.y + sweptHalfSize(*best).y) best = &tile;
    }
    return best;
}

// The tile with the highest top whose swept footprint comes within a jump's
// carry of p (x and z) and lies below p, or null: a pickup over a gap hangs
// where a jump from there passes.
const SceneObject* tileWithinJump(const Level& level, Vec3 p) {
    const SceneObject* best = nullptr;
    for (const SceneObject& tile : level.objects) {
        if (!isTile(tile)) continue;
        const Vec3 half = sweptHalfSize(tile);
        const float top = tile.pos.y + half.y;
        const float dx = std::max(0.0f, std::fabs(p.x - tile.pos.x) - half.x);
        const float dz = std::max(0.0f, std::fabs(p.z - tile.pos.z) - half.z);
        if (std::hypot(dx, dz) > kJumpCarry || top >= p.y) continue;
        if (!best || top > best->pos.y + sweptHalfSize(*best).y) best = &tile;
    }
    return best;
}

// A pickup is reachable when the ball, rolling on the tile under it or at the
// top of a jump (or bounce) from it, passes within reach at some point of the
// bob. A pickup over a gap is reachable from a tile within a jump's carry at
// the height of an anti-gravity jump.
bool isReachable(const Level& level, const SceneObject& pickup) {
    const SceneObject* tile = tileBelow(level, pickup.pos);
    const bool overGap = tile == nullptr;
    if (overGap) tile = tileWithinJump(level, pickup.pos);
    if (!tile) return false;
    const float top = tile->pos.y + sweptHalfSize(*tile).y;
    const float reach = std::max({pickup.size.x, pickup.size.y, pickup.size.z}) * 0.5f + kBallRadius;
    const float climb = tile->tileType == TileType::Bouncy ? kBounceHeight
                        : overGap                         ? kAntiGravityJumpHeight
                                                          : kJumpHeight;
    const float lowest = pickup.pos.y - kBobAmplitude;
    const float rolling = top + kBallRadius;
    return lowest < rolling + climb + reach && pickup.pos.y + kBobAmplitude > rolling - reach;
}

std::string firstWord(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    return LevelHandler::toLower(word);
}

}  // namespace

TEST(ShippedLevels, LoadWithoutAMessageAndHoldCoinsAndAnEndTile) {
    std::set<std::string> names;
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(levelPath(slot).string());
        const Shipped shipped = loadShipped(slot);
        EXPECT_EQ(shipped.err, "");
        EXPECT_EQ(shipped.out.rfind("[LevelHandler] Loaded '" + shipped.level.name + "'", 0), 0u);
        EXPECT_GE(coinCount(shipped.level.objects), 1);
        EXPECT_TRUE(shipped.level.hasEndTile);
        EXPECT_NE(shipped.level.name, "Unnamed Level");
        EXPECT_NE(shipped.level.name, "The Plains");
        names.insert(shipped.level.name);
    }
    EXPECT_EQ(names.size(), 3u);
}

TEST(ShippedLevels, StartEndAndEveryPickupSitOverATileWithinReach) {
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(levelPath(slot).string());
        const Level level = loadShipped(slot).level;
        const SceneObject* underStart = tileBelow(level, level.start);
        ASSERT_NE(underStart, nullptr);
        EXPECT_NE(underStart->kind, ObjectKind::MovingTile);
        EXPECT_NE(underStart->tileType, TileType::Crumble);
        EXPECT_GE(level.start.y - (underStart->pos.y + underStart->size.y * 0.5f), kBallRadius);
        EXPECT_NE(tileBelow(level, level.endTilePos + Vec3(0.0f, 1.0f, 0.0f)), nullptr);
        for (std::size_t i = 0; i < level.objects.size(); ++i) {
            const SceneObject& object = level.objects[i];
            if (object.kind != ObjectKind::Coin && object.kind != ObjectKind::Powerup) continue;
            EXPECT_TRUE(isReachable(level, object)) << "object " << i << " at " << object.pos.x << " "
                                                    << object.pos.y << " " << object.pos.z;
        }
    }
}

TEST(ShippedLevels, EveryModelTheyNameExistsWithItsMaterialLibrary) {
    std::set<std::string> paths;
    for (int slot = 1; slot <= 3; ++slot) {
        const Level level = loadShipped(slot).level;
        for (const std::string& path : {level.sunObj, level.ballObj, level.endTileObj}) {
            if (!path.empty()) paths.insert(path);
        }
        for (const SceneObject& object : level.objects) {
            if (!object.objPath.empty()) paths.insert(object.objPath);
        }
    }
    EXPECT_GE(paths.size(), 2u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::filesystem::path obj = kSourceDir / path;
        ASSERT_TRUE(std::filesystem::is_regular_file(obj));
        std::istringstream lines(readFile(obj));
        for (std::string line; std::getline(lines, line);) {
            std::istringstream in(line);
            std::string key, library;
            if (in >> key >> library && key == "mtllib") {
                EXPECT_TRUE(std::filesystem::is_regular_file(obj.parent_path() / library)) << library;
            }
        }
    }
}

// "ball_obj" is left out: the ball is always drawn as the procedural sphere,
// so a level naming a ball model would promise something the game never shows.
TEST(ShippedLevels, TogetherTheyUseEveryDirectiveTileTypeAndPowerup) {
    const std::map<std::string, std::string> directiveOf = {
        {"name", "name"},         {"sky", "sky"},           {"sky_color", "sky"},
        {"ground", "ground"},     {"sun_pos", "sun_pos"},   {"sun_position", "sun_pos"},
        {"sun_color", "sun_col"}, {"sun_colour", "sun_col"}, {"sun_ambient", "ambient"},
        {"ambient", "ambient"},   {"sun_obj", "sun_obj"},   {"time", "time"},
        {"level_time", "time"},   {"start", "start"},
        {"tile", "tile"},         {"movetile", "movetile"}, {"coin", "coin"},
        {"powerup", "powerup"},   {"end_tile", "end_tile"}, {"endtile", "end_tile"},
    };
    std::set<std::string> used;
    std::set<PowerupType> powerups;
    std::set<TileType> tileTypes;
    std::set<Material> materials;
    bool staticModelTile = false, movingModelTile = false, modelPickup = false, phasedCoin = false;
    bool tunedMovingTile = false, groundOn = false;
    for (int slot = 1; slot <= 3; ++slot) {
        std::istringstream lines(readFile(levelPath(slot)));
        for (std::string line; std::getline(lines, line);) {
            const auto found = directiveOf.find(firstWord(line));
            if (found != directiveOf.end()) used.insert(found->second);
        }
        const Level level = loadShipped(slot).level;
        groundOn = groundOn || level.ground;
        for (const SceneObject& object : level.objects) {
            const bool model = object.shape == ShapeKind::ObjFile;
            staticModelTile = staticModelTile || (object.kind == ObjectKind::Tile && model);
            movingModelTile = movingModelTile || (object.kind == ObjectKind::MovingTile && model);
            modelPickup = modelPickup || (!isTile(object) && model);
            phasedCoin = phasedCoin || (object.kind == ObjectKind::Coin && object.phase != 0.0f);
            tunedMovingTile = tunedMovingTile || (object.kind == ObjectKind::MovingTile && object.moveOffset != 0.0f &&
                                                  object.moveAmplitude != 3.0f && object.moveSpeed != 1.5f);
            if (object.kind == ObjectKind::Powerup) powerups.insert(object.powerupType);
            if (isTile(object)) {
                tileTypes.insert(object.tileType);
                materials.insert(object.material);
            }
        }
    }
    EXPECT_EQ(used.size(), 14u);
    EXPECT_EQ(powerups.size(), 5u);
    for (const TileType type : {TileType::Ice, TileType::Bouncy, TileType::Crumble, TileType::Conveyor}) {
        EXPECT_EQ(tileTypes.count(type), 1u) << static_cast<int>(type);
    }
    EXPECT_GE(materials.size(), 5u);
    EXPECT_TRUE(staticModelTile);
    EXPECT_TRUE(movingModelTile);
    EXPECT_TRUE(modelPickup);
    EXPECT_TRUE(phasedCoin);
    EXPECT_TRUE(tunedMovingTile);
    EXPECT_TRUE(groundOn);
}
