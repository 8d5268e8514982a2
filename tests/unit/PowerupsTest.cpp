// Timed powerups: the order they were first picked up in, refreshing in place,
// ageing out with the types that ran out, and only those left taking effect.
#include "game/Powerups.h"

#include <gtest/gtest.h>

TEST(Powerups, KeepTheFirstPickUpOrderRefreshInPlaceAndAgeOutWithTheirTypes) {
    std::vector<ActivePowerup> active;
    for (const PowerupType type : {PowerupType::Magnet, PowerupType::Shield, PowerupType::SlowMo}) {
        addPowerup(active, type);
        agePowerups(active, 3.0f);
    }
    addPowerup(active, PowerupType::Magnet);
    ASSERT_EQ(active.size(), 3u);
    EXPECT_EQ(std::make_tuple(active[0].type, active[0].remaining, active[1].remaining, active[2].remaining),
              std::make_tuple(PowerupType::Magnet, kPowerupDuration, 4.0f, 7.0f));
    EXPECT_EQ(agePowerups(active, 4.0f), std::vector{PowerupType::Shield});  // exactly no time left: gone
    EXPECT_EQ(std::make_pair(active[0].type, active[1].type), std::make_pair(PowerupType::Magnet, PowerupType::SlowMo));
    EXPECT_FALSE(powerupEffects(active, 0.5f).antiGravity);
    EXPECT_EQ(powerupEffects(active, 0.5f).physicsDt, 0.5f * kSlowMoScale);
    EXPECT_EQ(agePowerups(active, 6.0f), (std::vector{PowerupType::Magnet, PowerupType::SlowMo}));
    EXPECT_TRUE(active.empty());
    EXPECT_EQ(powerupEffects({{kPowerupDuration, 0.0f, PowerupType::SlowMo}}, 0.5f).physicsDt, 0.5f);
}
