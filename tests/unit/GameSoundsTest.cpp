// Which sound each moment of play makes, and what the sound hears of play.
#include "screens/GameSounds.h"

#include <gtest/gtest.h>

TEST(GameSounds, EveryMomentCuesItsEffectWithWhereAndHowHardItHappened) {
    GameEvent landing;
    landing.type = GameEventType::Landed;
    landing.position = Vec3(1.0f, 2.0f, 3.0f);
    landing.strength = 9.5f;
    GameEvent shield;
    shield.type = GameEventType::PowerupTaken;
    shield.powerup = PowerupType::Shield;
    GameEvent flag;
    flag.type = GameEventType::CheckpointReached;
    const std::vector<SoundCue> cues = cuesFor({landing, shield, flag});
    ASSERT_EQ(cues.size(), 3u);
    EXPECT_EQ(cues[0].effect, SoundEffect::Land);
    EXPECT_EQ(cues[0].strength, 9.5f);
    EXPECT_EQ(cues[0].position, landing.position);
    EXPECT_EQ(cues[1].effect, SoundEffect::Shield);
    EXPECT_EQ(cues[2].effect, SoundEffect::Checkpoint);
}

TEST(GameSounds, TheBeltHumsByTheDistanceToTheNearestBeltAndNotAtAllWithout) {
    Level level;
    level.addTile(Vec3(0.0f), Vec3(2.0f), Vec3(1.0f)).tileType = TileType::Conveyor;
    level.addTile(Vec3(0.0f, 0.0f, 20.0f), Vec3(2.0f), Vec3(1.0f));
    const LevelRun run = startRun(level);
    EXPECT_EQ(nearestBeltDistance(level, run, Vec3(0.5f)), 0.0f) << "on the belt";
    EXPECT_NEAR(nearestBeltDistance(level, run, Vec3(4.0f, 0.0f, 0.0f)), 3.0f, 1e-6f);
    level.objects[0].tileType = TileType::Normal;
    EXPECT_TRUE(std::isinf(nearestBeltDistance(level, run, Vec3(0.0f))));
}
