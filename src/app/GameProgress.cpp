// Timed powerups: effects, pick-up and ageing.
#include "app/GameProgress.h"

#include <algorithm>

bool isPowerupActive(const std::vector<ActivePowerup>& active, PowerupType type) {
    return std::any_of(active.begin(), active.end(), [type](const ActivePowerup& entry) {
        return entry.type == type && entry.remaining > 0.0f;
    });
}

PowerupEffects powerupEffects(const std::vector<ActivePowerup>& active, float dt) {
    PowerupEffects effects;
    effects.physicsDt = isPowerupActive(active, PowerupType::SlowMo) ? dt * kSlowMoScale : dt;
    effects.speedMultiplier =
        isPowerupActive(active, PowerupType::SpeedBoost) ? kSpeedBoostMultiplier : 1.0f;
    effects.antiGravity = isPowerupActive(active, PowerupType::AntiGravity);
    return effects;
}

void addPowerup(std::vector<ActivePowerup>& active, PowerupType type) {
    for (ActivePowerup& entry : active) {
        if (entry.type == type) {
            entry.remaining = kPowerupDuration;
            return;
        }
    }
    active.push_back({kPowerupDuration, kPowerupDuration, type});
}

void agePowerups(std::vector<ActivePowerup>& active, float dt) {
    for (ActivePowerup& entry : active) entry.remaining -= dt;
    active.erase(std::remove_if(active.begin(), active.end(),
                                [](const ActivePowerup& entry) { return entry.remaining <= 0.0f; }),
                 active.end());
}
