// Each effect's recipe: layered tones, chimes and filtered noise rendered into
// float samples at kSampleRate, brought to the effect's own peak level and
// limited, so no sample reaches past full scale. The same effect renders to
// the same samples every time. Loops end where they began, for a seamless wrap.
#pragma once

#include "audio/SoundEffect.h"

#include <vector>

std::vector<float> renderEffect(SoundEffect effect);
