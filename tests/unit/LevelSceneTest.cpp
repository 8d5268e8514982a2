// A level under play as a scene: what is left out, how a crumbling tile
// reddens, and poses blended between two steps.
#include "screens/LevelScene.h"

#include "physics/TileBehaviours.h"

#include <gtest/gtest.h>

TEST(LevelScene, TakenPickupsAndCrumbledTilesAreNotDrawn) {
    Level level;
    level.addTile(Vec3(0.0f), Vec3(1.0f), Vec3(0.5f)).tileType = TileType::Crumble;
    level.addCoin(Vec3(1.0f), 0.0f);
    level.addPowerup(Vec3(2.0f), Vec3(1.0f), 0.0f, PowerupType::Shield);
    level.addMovingTile(Vec3(3.0f), Vec3(1.0f), Vec3(0.5f), {1, 0, 0}, 1.0f, 1.0f, 0.0f);
    ModelLibrary library;
    const LevelModels models = resolveLevelModels(level, library);
    LevelRun run = startRun(level);
    const auto drawn = [&] {
        return buildLevelScene(level, run, models, objectPoses(level, run), {}, Vec3(1), {}, library).items;
    };
    EXPECT_EQ(drawn().size(), 4u);
    run.objects[0].crumbled = run.objects[1].collected = run.objects[2].collected = true;
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(drawn()[0].model, models.objects[3]);
}

TEST(LevelScene, ACrumbleTileReddensAsItGivesWayAndOtherTilesKeepTheirColour) {
    Level level;
    SceneObject& tile = level.addTile(Vec3(0.0f), Vec3(1.0f), Vec3(0.2f, 0.6f, 0.9f));
    ObjectState state;
    state.crumbleProgress = 0.5f * kCrumbleDelay;
    EXPECT_EQ(objectShade(tile, state).color, tile.color);  // not a crumble tile
    tile.tileType = TileType::Crumble;
    float redness = -1.0f;
    for (const float share : {0.0f, 0.25f, 0.5f, 1.0f}) {
        state.crumbleProgress = share * kCrumbleDelay;
        const ObjectShade shade = objectShade(tile, state);
        const float red = shade.color.r - shade.color.b + shade.tint.r - shade.tint.b;
        EXPECT_TRUE(red > redness && (share > 0.0f || shade.color == tile.color)) << share;
        redness = red;
    }
}

TEST(LevelScene, PosesBlendPositionsAndTurnSpinsTheShortWayRound) {
    std::vector<ObjectPose> out;
    blendPoses({{Vec3(0.0f), 350.0f}, {Vec3(2.0f), 10.0f}}, {{Vec3(4.0f), 10.0f}, {Vec3(2.0f), 350.0f}, {Vec3(7), 90}},
               0.25f, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].position, Vec3(1.0f));
    EXPECT_FLOAT_EQ(out[0].spin, 355.0f);  // forward over 360, not back through 180
    EXPECT_FLOAT_EQ(out[1].spin, 5.0f);
    EXPECT_EQ(out[2].position, Vec3(7.0f));  // new since the last step: where it is now
}
