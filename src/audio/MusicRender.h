// Renders a composed piece at any position: sample i of the output is the
// piece's sample (first + i) modulo its loop length, a pure function of that
// index, so the music can be streamed in chunks of any size and wraps with
// no seam (the last notes ring on into the next pass). Output lies in -1..1.
#pragma once

#include "audio/MusicScore.h"

#include <cstddef>
#include <cstdint>

void renderMusic(const MusicScore& score, std::int64_t first, std::size_t count, float* out);
