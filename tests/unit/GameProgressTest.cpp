// Timed powerups: when a type is in effect, what it does to the frame, how a
// pick-up starts or refreshes one, and how they age and run out in order.
#include "app/GameProgress.h"

#include <gtest/gtest.h>

namespace {

ActivePowerup entry(PowerupType type, float remaining) {
    ActivePowerup powerup;
    powerup.duration = 10.0f;
    powerup.remaining = remaining;
    powerup.type = type;
    return powerup;
}

}  // namespace

TEST(PowerupEffects, EachTypeChangesOnlyItsOwnPartOfTheFrame) {
    const float dt = 0.04f;
    const struct {
        const char* name;
        std::vector<ActivePowerup> active;
        float physicsDt;
        float speed;
        bool antiGravity;
    } cases[] = {
        {"none", {}, dt, 1.0f, false},
        {"slow motion", {entry(PowerupType::SlowMo, 5.0f)}, dt * 0.35f, 1.0f, false},
        {"speed boost", {entry(PowerupType::SpeedBoost, 5.0f)}, dt, 2.2f, false},
        {"anti-gravity", {entry(PowerupType::AntiGravity, 5.0f)}, dt, 1.0f, true},
        {"magnet and shield", {entry(PowerupType::Magnet, 5.0f), entry(PowerupType::Shield, 5.0f)}, dt, 1.0f, false},
        {"all three at once",
         {entry(PowerupType::AntiGravity, 1.0f), entry(PowerupType::SpeedBoost, 2.0f), entry(PowerupType::SlowMo, 3.0f)},
         dt * 0.35f, 2.2f, true},
        {"run out", {entry(PowerupType::SlowMo, 0.0f), entry(PowerupType::SpeedBoost, -1.0f)}, dt, 1.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PowerupEffects effects = powerupEffects(c.active, dt);
        EXPECT_FLOAT_EQ(effects.physicsDt, c.physicsDt);
        EXPECT_FLOAT_EQ(effects.speedMultiplier, c.speed);
        EXPECT_EQ(effects.antiGravity, c.antiGravity);
    }
}

TEST(PowerupEffects, ATypeIsInEffectOnlyWhileTimeRemains) {
    EXPECT_TRUE(isPowerupActive({entry(PowerupType::Shield, 0.01f)}, PowerupType::Shield));
    EXPECT_FALSE(isPowerupActive({entry(PowerupType::Shield, 0.0f)}, PowerupType::Shield));
    EXPECT_FALSE(isPowerupActive({entry(PowerupType::Magnet, 5.0f)}, PowerupType::Shield));
    EXPECT_TRUE(isPowerupActive({entry(PowerupType::Shield, 0.0f), entry(PowerupType::Shield, 3.0f)},
                                PowerupType::Shield));
}

TEST(AddPowerup, ANewTypeIsAppendedWithTheFullTime) {
    std::vector<ActivePowerup> active = {entry(PowerupType::Magnet, 3.0f)};
    addPowerup(active, PowerupType::AntiGravity);
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0].type, PowerupType::Magnet);
    EXPECT_EQ(active[1].type, PowerupType::AntiGravity);
    EXPECT_FLOAT_EQ(active[1].remaining, 10.0f);
    EXPECT_FLOAT_EQ(active[1].duration, 10.0f);
}

TEST(AddPowerup, ATypeAlreadyRunningIsRefreshedInItsPlace) {
    std::vector<ActivePowerup> active = {entry(PowerupType::Magnet, 3.0f), entry(PowerupType::Shield, 0.5f),
                                         entry(PowerupType::SlowMo, 6.0f)};
    addPowerup(active, PowerupType::Shield);
    ASSERT_EQ(active.size(), 3u);
    EXPECT_EQ(active[1].type, PowerupType::Shield);
    EXPECT_FLOAT_EQ(active[1].remaining, 10.0f);
    EXPECT_FLOAT_EQ(active[0].remaining, 3.0f);
    EXPECT_FLOAT_EQ(active[2].remaining, 6.0f);
}

TEST(AgePowerups, ExpiredEntriesGoAndTheOthersKeepTheirOrder) {
    std::vector<ActivePowerup> active = {entry(PowerupType::SpeedBoost, 2.0f), entry(PowerupType::Magnet, 0.5f),
                                         entry(PowerupType::Shield, 0.75f), entry(PowerupType::SlowMo, 1.0f),
                                         entry(PowerupType::AntiGravity, 9.0f)};
    agePowerups(active, 0.75f);
    // 0.5 and exactly 0.75 are used up; the rest keep their order.
    ASSERT_EQ(active.size(), 3u);
    EXPECT_EQ(active[0].type, PowerupType::SpeedBoost);
    EXPECT_EQ(active[1].type, PowerupType::SlowMo);
    EXPECT_EQ(active[2].type, PowerupType::AntiGravity);
    EXPECT_FLOAT_EQ(active[0].remaining, 1.25f);
    EXPECT_FLOAT_EQ(active[1].remaining, 0.25f);
    EXPECT_FLOAT_EQ(active[2].remaining, 8.25f);
    EXPECT_FLOAT_EQ(active[2].duration, 10.0f);
}

TEST(AgePowerups, APowerupLastsItsTenSecondsAtSixtyFramesASecond) {
    std::vector<ActivePowerup> active;
    addPowerup(active, PowerupType::Magnet);
    int frames = 0;
    while (!active.empty() && frames < 1000) {
        agePowerups(active, 1.0f / 60.0f);
        ++frames;
    }
    EXPECT_NEAR(frames, 600, 1);
}
