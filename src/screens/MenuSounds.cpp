// Menu ticks and clicks.
#include "screens/MenuSounds.h"

#include "audio/AudioEngine.h"

void menuSounds(GameContext& game, bool highlightMoved, bool chosen) {
    if (chosen) {
        game.audio.cue({SoundEffect::MenuClick, Vec3(0.0f), 1.0f});
    } else if (highlightMoved) {
        game.audio.cue({SoundEffect::MenuHover, Vec3(0.0f), 1.0f});
    }
}
