// A composed piece: every note of one full pass of a tune, placed in samples.
// The piece is built from 8-bar sections (a theme A, a contrast B, a bridge C
// and a sparse break) in an order that lasts well over two minutes, ends on
// the tonic and then starts again from sample 0, the last notes' tails ringing
// on into the next pass. Composing is deterministic: a style gives one score.
#pragma once

#include "audio/MusicStyle.h"

#include <cstdint>
#include <vector>

enum class Instrument : std::uint8_t {
    PadWarm,
    PadGlass,
    PadOrgan,
    BassRound,
    BassPluck,
    BassSaw,
    LeadBell,
    LeadFlute,
    LeadPluck,
    LeadSquare,
    Arpeggio,
    Kick,
    Snare,
    Hat,
    Shaker
};

enum class MusicRole : std::uint8_t { Pad, Bass, Melody, Echo, Arpeggio, Drums };

struct NoteEvent {
    std::int64_t start = 0;  // sample of the note-on within one pass
    std::int32_t held = 0;   // samples before the release begins
    Instrument instrument = Instrument::LeadBell;
    MusicRole role = MusicRole::Melody;
    float midi = 60.0f;  // pitch as a MIDI note number (drums: unused)
    float gain = 0.0f;
};

enum class SectionKind : std::uint8_t { Theme, Contrast, Bridge, Break };

struct MusicSection {
    SectionKind kind = SectionKind::Theme;
    int variant = 0;         // how many of this kind came before it
    std::int64_t start = 0;  // samples
};

struct MusicScore {
    std::int64_t loopLength = 0;   // samples in one pass
    std::int64_t longestNote = 0;  // held + release of the longest note, samples
    float mixGain = 1.0f;          // evens out loudness between sparse and busy grooves
    std::vector<MusicSection> sections;
    std::vector<NoteEvent> notes;  // sorted by start
};

MusicScore composeMusic(const MusicStyle& style);

// Seconds a note of `instrument` rings on after its release begins.
float instrumentRelease(Instrument instrument);
