// How the game's state turns into the gain and pitch of its sounds at play
// time: the rolling loop by ground speed (world units per second; the ball's
// top speed is 8, 16 with the boost), landings by impact speed, the belt hum
// by distance, and the 0-100 volume settings. Gains are 0..1, pitches are
// playback-rate factors (1 = as rendered).
#pragma once

// Silent when (nearly) still, rising steeply at first and levelling off at 1.
float rollLoopLevel(float groundSpeed);
// Slower rumble when slow, up to 1.5 times the rendered rate at full boost.
float rollPitch(float groundSpeed);

// 0 for a soft touch-down (below 1.5 units/s), louder and lower for harder hits.
float landingGain(float impactSpeed);
float landingPitch(float impactSpeed);

// Full within 2 units of a conveyor, fading to silence at 14.
float beltHumLevel(float distance);

// A volume setting (clamped to 0-100) as a gain: squared, since loudness is
// heard on a roughly logarithmic scale and a linear slider bunches at the top.
float volumeGain(int volume);
