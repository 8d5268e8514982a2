// The voices of the music: additive instruments and synthetic drums whose
// every sample is a pure function of the time since the note began, so a
// note can be rendered from any point on and gives the same samples.
#pragma once

#include "audio/MusicScore.h"

#include <cstddef>
#include <cstdint>

// Adds to out[0..count) the note's samples from `offset` samples after its
// start on; samples past the end of its release add nothing.
void renderNote(const NoteEvent& note, std::int64_t offset, std::size_t count, float* out);

// Samples from note-on to silence: held plus the instrument's release.
std::int64_t noteLength(const NoteEvent& note);
