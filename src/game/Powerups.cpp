// Timed powerups: effects, pick-up and ageing.
#include "game/Powerups.h"

#include <algorithm>

bool isPowerupActive(const std::vector<ActivePowerup>& active, PowerupType type) {
    return std::any_of(active.begin(), active.end(), [type](const ActivePowerup& entry) {
        return entry.type == type && entry.remaining > 0.0f;
    });
}

PowerupEffects powerupEffects(const std::vector<ActivePowerup>& active, float dt) {
    PowerupEffects effects;
    effects.physicsDt = isPowerupActive(active, PowerupType::SlowMo) ? dt * kSlowMoScale : dt;
    effects.speedMultiplier = isPowerupActive(active, PowerupType::SpeedBoost) ? kSpeedBoostMultiplier : 1.0f;
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

std::vector<PowerupType> agePowerups(std::vector<ActivePowerup>& active, float dt) {
    std::vector<PowerupType> expired;
    for (ActivePowerup& entry : active) {
        entry.remaining -= dt;
        if (entry.remaining <= 0.0f) expired.push_back(entry.type);
    }
    active.erase(std::remove_if(active.begin(), active.end(),
                                [](const ActivePowerup& entry) { return entry.remaining <= 0.0f; }),
                 active.end());
    return expired;
}
