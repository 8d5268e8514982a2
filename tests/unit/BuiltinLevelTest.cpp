// "The Plains", the level built into the program, checked against its layout.
#include "level/BuiltinLevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Expected {
    ObjectKind kind;
    Vec3 pos;
    Material material;
    TileType tileType;
};

// Index, kind, position and surface of every object, in the order of the layout.
const Expected kLayout[] = {
    {ObjectKind::Tile, {0.0f, -0.5f, 0.0f}, Material::Cobblestone, TileType::Normal},
    {ObjectKind::Tile, {6.0f, 0.5f, 0.0f}, Material::Stone, TileType::Normal},
    {ObjectKind::Tile, {-6.0f, 0.5f, 2.0f}, Material::Wood, TileType::Bouncy},
    {ObjectKind::Tile, {0.0f, 0.5f, -7.0f}, Material::Marble, TileType::Crumble},
    {ObjectKind::Tile, {3.0f, 1.5f, -7.0f}, Material::Stone, TileType::Normal},
    {ObjectKind::MovingTile, {-2.0f, 0.5f, -4.0f}, Material::Dirt, TileType::Conveyor},
    {ObjectKind::MovingTile, {5.0f, 1.5f, 5.0f}, Material::Ice, TileType::Ice},
    {ObjectKind::Coin, {3.0f, 1.2f, 0.0f}, Material::None, TileType::Normal},
    {ObjectKind::Coin, {-3.0f, 1.2f, 2.0f}, Material::None, TileType::Normal},
    {ObjectKind::Coin, {0.0f, 1.2f, -4.0f}, Material::None, TileType::Normal},
    {ObjectKind::Coin, {5.0f, 1.2f, 5.0f}, Material::None, TileType::Normal},
    {ObjectKind::Coin, {3.0f, 2.2f, -7.0f}, Material::None, TileType::Normal},
    {ObjectKind::Coin, {-2.0f, 1.8f, -4.0f}, Material::None, TileType::Normal},
    {ObjectKind::Powerup, {0.0f, 1.5f, 5.0f}, Material::None, TileType::Normal},
    {ObjectKind::Powerup, {-5.0f, 1.5f, -1.0f}, Material::None, TileType::Normal},
    {ObjectKind::Tile, {8.0f, 0.5f, -8.0f}, Material::None, TileType::Normal},
};

}  // namespace

TEST(BuiltinLevel, HoldsSixteenObjectsWithSixCoinsInLayoutOrder) {
    const Level level = makeLevel1();
    EXPECT_EQ(level.name, "The Plains");
    ASSERT_EQ(level.objects.size(), std::size(kLayout));
    EXPECT_EQ(coinCount(level.objects), 6);
    for (std::size_t i = 0; i < level.objects.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "object " << i);
        const SceneObject& object = level.objects[i];
        EXPECT_EQ(object.kind, kLayout[i].kind);
        EXPECT_EQ(object.pos, kLayout[i].pos);
        EXPECT_EQ(object.material, kLayout[i].material);
        EXPECT_EQ(object.tileType, kLayout[i].tileType);
        EXPECT_TRUE(object.objPath.empty());  // every object keeps its procedural shape
        EXPECT_NE(object.shape, ShapeKind::ObjFile);
        EXPECT_FALSE(object.collected);
    }
}

TEST(BuiltinLevel, MovingTilesRunAlongBothHorizontalAxes) {
    const Level level = makeLevel1();
    const SceneObject& conveyor = level.objects[5];
    EXPECT_EQ(conveyor.moveAxis, Vec3(1.0f, 0.0f, 0.0f));  // also the belt direction
    EXPECT_FLOAT_EQ(conveyor.moveAmplitude, 3.5f);
    EXPECT_FLOAT_EQ(conveyor.moveSpeed, 1.2f);
    const SceneObject& ice = level.objects[6];
    EXPECT_EQ(ice.moveAxis, Vec3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(ice.moveAmplitude, 2.5f);
    EXPECT_FLOAT_EQ(ice.moveSpeed, 1.8f);
}

TEST(BuiltinLevel, PowerupsWearTheirTypesColours) {
    const Level level = makeLevel1();
    EXPECT_EQ(level.objects[13].powerupType, PowerupType::SpeedBoost);
    EXPECT_EQ(level.objects[14].powerupType, PowerupType::AntiGravity);
    for (const int i : {13, 14}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(level.objects[i].color, powerupColor(level.objects[i].powerupType));
    }
    EXPECT_FLOAT_EQ(level.objects[13].phase, 0.3f);
    EXPECT_FLOAT_EQ(level.objects[14].phase, 1.2f);
}

TEST(BuiltinLevel, EndTileObjectMatchesTheEndBox) {
    const Level level = makeLevel1();
    ASSERT_TRUE(level.hasEndTile);
    const SceneObject& end = level.objects.back();
    EXPECT_EQ(end.pos, level.endTilePos);
    EXPECT_EQ(end.size, level.endTileSize);
    EXPECT_EQ(level.endTileSize, Vec3(2.5f, 0.6f, 2.5f));
    EXPECT_EQ(end.color, Vec3(0.1f, 0.9f, 0.3f));
    EXPECT_TRUE(level.endTileObj.empty());
}

TEST(BuiltinLevel, StartDropsOntoTheFloorAndTheSunKeepsItsBase) {
    const Level level = makeLevel1();
    const SceneObject& floor = level.objects[0];
    EXPECT_FLOAT_EQ(floor.pos.y + floor.size.y * 0.5f, 0.0f);  // the top face is y = 0
    EXPECT_GT(level.start.y, 0.0f);
    EXPECT_LT(std::abs(level.start.x - floor.pos.x), floor.size.x * 0.5f);
    EXPECT_LT(std::abs(level.start.z - floor.pos.z), floor.size.z * 0.5f);
    EXPECT_EQ(level.sunPosBase, level.sunPos);
    EXPECT_EQ(level.sunColor, Vec3(1.2f, 1.05f, 0.85f));  // warmer than a default level's
    EXPECT_FALSE(level.ground);
}

TEST(BuiltinLevel, EveryCoinCanBeCollectedAndThenTheEndIsReachable) {
    Level level = makeLevel1();
    EXPECT_FALSE(isEndReached(level, level.endTilePos, 0.5f));
    for (std::size_t i = 0; i < level.objects.size(); ++i) {
        if (level.objects[i].kind != ObjectKind::Coin) continue;
        const std::vector<int> picked = updateObjects(level.objects, 0.016f, 0.0f, level.objects[i].pos, 0.5f);
        EXPECT_NE(std::find(picked.begin(), picked.end(), static_cast<int>(i)), picked.end()) << i;
    }
    EXPECT_TRUE(isEndReached(level, level.endTilePos, 0.5f));
}
