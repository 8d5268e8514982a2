// How readable a colour is on another: the contrast ratio of their relative
// luminances (1 to 21; 4.5 is enough for text), as web accessibility measures
// it, and what a translucent layer over a colour looks like.
#pragma once

#include "base/Math.h"

// Relative luminance of an sRGB colour (components 0..1).
float relativeLuminance(Vec3 color);

float contrastRatio(Vec3 a, Vec3 b);

// `layer` (with its alpha) blended over `under`.
Vec3 blendOver(Vec4 layer, Vec3 under);
