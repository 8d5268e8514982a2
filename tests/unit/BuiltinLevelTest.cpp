// "The Plains", the level built into the program and the fallback of every slot.
#include "level/BuiltinLevel.h"

#include <gtest/gtest.h>

TEST(BuiltinLevel, HoldsOneOfEachTileBehaviourSixCoinsTwoPowerupsAndTheEndTile) {
    const Level level = makeLevel1();
    ASSERT_EQ(level.objects.size(), 16u);
    EXPECT_EQ(coinCount(level.objects), 6);
    const std::pair<Material, TileType> tiles[] = {
        {Material::Cobblestone, TileType::Normal}, {Material::Stone, TileType::Normal},
        {Material::Wood, TileType::Bouncy},        {Material::Marble, TileType::Crumble},
        {Material::Stone, TileType::Normal},       {Material::Dirt, TileType::Conveyor},
        {Material::Ice, TileType::Ice}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(level.objects[i].material, tiles[i].first);
        EXPECT_EQ(level.objects[i].tileType, tiles[i].second);
    }
    EXPECT_EQ(level.objects[5].moveAxis, Vec3(1, 0, 0));  // also the conveyor's belt direction
    EXPECT_EQ(level.objects[6].moveAxis, Vec3(0, 0, 1));
    EXPECT_EQ(level.objects[13].powerupType, PowerupType::SpeedBoost);
    EXPECT_EQ(level.objects[14].powerupType, PowerupType::AntiGravity);
    for (const SceneObject& object : level.objects) EXPECT_TRUE(object.objPath.empty());
    ASSERT_TRUE(level.hasEndTile);
    EXPECT_EQ(level.objects[15].pos, level.endTilePos);
    EXPECT_EQ(level.objects[15].size, level.endTileSize);
    EXPECT_GT(level.start.y, level.objects[0].pos.y + level.objects[0].size.y * 0.5f);  // drops onto the floor
}
