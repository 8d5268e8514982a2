#include "audio/SoundEffect.h"

const char* effectName(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::Roll: return "roll";
    case SoundEffect::Jump: return "jump";
    case SoundEffect::Land: return "land";
    case SoundEffect::Coin: return "coin";
    case SoundEffect::Magnet: return "magnet";
    case SoundEffect::SlowMo: return "slow_mo";
    case SoundEffect::AntiGravity: return "anti_gravity";
    case SoundEffect::Shield: return "shield";
    case SoundEffect::SpeedBoost: return "speed_boost";
    case SoundEffect::PowerupExpire: return "powerup_expire";
    case SoundEffect::Bounce: return "bounce";
    case SoundEffect::CrumbleCrack: return "crumble_crack";
    case SoundEffect::BeltHum: return "belt_hum";
    case SoundEffect::Fall: return "fall";
    case SoundEffect::Respawn: return "respawn";
    case SoundEffect::Checkpoint: return "checkpoint";
    case SoundEffect::LevelComplete: return "level_complete";
    case SoundEffect::GameOver: return "game_over";
    case SoundEffect::TimeLow: return "time_low";
    case SoundEffect::MenuHover: return "menu_hover";
    case SoundEffect::MenuClick: return "menu_click";
    case SoundEffect::Pause: return "pause";
    case SoundEffect::Count: break;
    }
    return "none";
}

bool effectLoops(SoundEffect effect) {
    return effect == SoundEffect::Roll || effect == SoundEffect::BeltHum;
}
