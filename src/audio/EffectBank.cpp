#include "audio/EffectBank.h"

#include "audio/EffectRecipes.h"
#include "audio/Mixer.h"

EffectBank renderEffectBank() {
    EffectBank bank;
    for (int i = 0; i < kSoundEffectCount; ++i)
        bank.samples[static_cast<std::size_t>(i)] = toPcm16(renderEffect(static_cast<SoundEffect>(i)));
    return bank;
}
