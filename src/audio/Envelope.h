// Loudness envelopes: functions of the time since a note began (seconds) that
// give a level 0..1, so a note is shaped the same wherever it is rendered from.
#pragma once

// Attack to 1, decay towards `sustain`, hold it while the note is held, then
// release to exactly 0. Times in seconds.
struct Adsr {
    float attack = 0.005f;
    float decay = 0.1f;    // time to come within 1 % of the sustain level
    float sustain = 0.7f;  // level 0..1
    float release = 0.1f;  // from the level at release to silence
};

// The level `t` seconds after note-on of a note held for `held` seconds.
float adsrLevel(const Adsr& envelope, float t, float held);

// An exponential fade that is 60 dB down (0.001) after `decayTime` seconds;
// 1 before t = 0 is never asked for.
float decayLevel(float t, float decayTime);
