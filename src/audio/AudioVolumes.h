// The three volume settings, 0-100 each (config keys masterVolume,
// musicVolume, effectsVolume); the effective gain of a sound is the product
// of master and its own kind's, each through volumeGain.
#pragma once

struct AudioVolumes {
    int master = 80;
    int music = 60;
    int effects = 80;
};
