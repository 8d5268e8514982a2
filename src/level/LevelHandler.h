// Level files: plain text, one directive per line ("sky 0.5 0.6 0.9",
// "tile px py pz sx sy sz r g b tags", ...), read into a Level. The reader never
// rejects a file: unknown keys are reported with their line number and skipped,
// missing or malformed numbers leave the field as it was (vectors start at zero),
// and a file that cannot be opened is replaced by the built-in level.
#pragma once

#include "level/Level.h"

#include <iosfwd>
#include <string>

namespace LevelHandler {

// Reads the file at `path`. Always returns a level: "The Plains" with a message
// on the error stream when it is no regular file that can be opened.
Level load(const std::string& path);

// Reads level text from `input` until it ends or fails, then prints the
// "Loaded" line. Exposed so tests and the fuzzer can feed text directly.
Level parse(std::istream& input);

// Every byte through the C library's tolower (C locale: only A-Z change).
std::string toLower(std::string word);

// True for words that name a model file rather than a number or a tile word:
// any word with a slash or backslash, or one ending in "." and letters only.
bool looksLikePath(const std::string& word);

// Exact, case-sensitive names ("stone", "wood", ...); anything else is None.
Material materialFromName(const std::string& name);

// Case-insensitive names ("ice", "bouncy", ...); anything else is Normal.
TileType tileTypeFromName(const std::string& word);

// Case-insensitive names; an unknown word (the empty word included) is reported
// as written and gives SpeedBoost.
PowerupType powerupTypeFromName(const std::string& word);

}  // namespace LevelHandler
