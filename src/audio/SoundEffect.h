// The game's sound effects. Roll and BeltHum are seamless loops whose gain and
// pitch the game changes while they play; every other effect plays once.
#pragma once

enum class SoundEffect {
    Roll,
    Jump,
    Land,
    Coin,
    Magnet,
    SlowMo,
    AntiGravity,
    Shield,
    SpeedBoost,
    PowerupExpire,
    Bounce,
    CrumbleCrack,
    BeltHum,
    Fall,
    Respawn,
    Checkpoint,
    LevelComplete,
    GameOver,
    TimeLow,
    MenuHover,
    MenuClick,
    Pause,
    Count
};

constexpr int kSoundEffectCount = static_cast<int>(SoundEffect::Count);

// A lower-case name fit for a file name ("level_complete").
const char* effectName(SoundEffect effect);

bool effectLoops(SoundEffect effect);
