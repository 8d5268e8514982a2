// A short description of a tune, from which the whole piece is composed:
// tempo, key, scale, the chords of the bars, the instruments, how busy the
// rhythm section is, and the seed the melodies grow from.
//
// A level file's `music` value is one line of words (case does not matter):
//   value   := [style] setting*          a named style as the base, else meadow
//   style   := meadow | frost | ember | menu
//   setting := tempo <bpm 40-220> | key <note> | scale <scale> | <scale>
//            | chords <degree>+ | lead <lead> | pad <pad> | bass <bass>
//            | groove <groove> | seed <whole number>
//   note    := C D E F G A B, then # or b, then an octave 2-5 (default 4): F#3
//   scale   := major | minor | dorian | mixolydian | lydian
//   degree  := 1-7 or i-vii (chords built on that step of the scale, one per bar)
//   lead    := bell | flute | pluck | square      pad := warm | glass | organ
//   bass    := round | pluck | saw                groove := calm | gentle | bouncy | driving
// Examples: "frost", "tempo 128 minor", "ember key D3 chords i vi iii vii seed 9".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Scale { Major, Minor, Dorian, Mixolydian, Lydian };
enum class LeadTimbre { Bell, Flute, Pluck, Square };
enum class PadTimbre { Warm, Glass, Organ };
enum class BassTimbre { Round, Pluck, Saw };
// Calm: no drums, long notes. Gentle: a shaker. Bouncy: kick, snare and hats.
// Driving: four on the floor and sixteenth hats.
enum class Groove { Calm, Gentle, Bouncy, Driving };

struct MusicStyle {
    std::string name = "meadow";
    float tempo = 116.0f;  // beats per minute
    int tonic = 62;        // MIDI note of the key's tonic (60 = middle C)
    Scale scale = Scale::Major;
    std::vector<int> chords{1, 5, 6, 4};  // scale degrees 1-7, one chord per bar, repeating
    LeadTimbre lead = LeadTimbre::Pluck;
    PadTimbre pad = PadTimbre::Warm;
    BassTimbre bass = BassTimbre::Round;
    Groove groove = Groove::Bouncy;
    std::uint32_t seed = 3;
};

// Same tune: every field but the name.
bool sameTune(const MusicStyle& a, const MusicStyle& b);

// The built-in styles by name (meadow, frost, ember, menu); false for others.
bool builtinMusicStyle(const std::string& name, MusicStyle& style);

struct MusicStyleParse {
    MusicStyle style;
    std::string warning;  // empty when the text was understood (or empty)
};

// Reads a `music` value. Empty text gives the default style quietly; text it
// cannot read gives the default style and a warning for the caller to print.
MusicStyleParse parseMusicStyle(const std::string& text);
