// The folder where the game keeps what it remembers between runs:
// $XDG_DATA_HOME/pembrix/ (else $HOME/.local/share/pembrix/) with ghosts/ below
// it. A file there is only ever replaced whole: the old one stays until the new
// one is on disk, and every failure is one "[Save] " line on std::cerr.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The save folder for these values of XDG_DATA_HOME and HOME (null when
// unset). An XDG_DATA_HOME that is empty or relative does not count; none when
// HOME is not absolute either, as there is then nowhere sensible to write.
std::optional<std::filesystem::path> saveFolderPath(const char* xdgDataHome, const char* home);

// Creates `folder` and its ghosts/ when missing. False after one "[Save] " line.
bool ensureSaveFolder(const std::filesystem::path& folder);

enum class OldFile { Replace, KeepAsBad };

// Writes `bytes` to a temporary file beside `path`, flushes and syncs it and
// renames it over `path`; with KeepAsBad an old regular file is first renamed
// to `path`.bad. On failure the old file is as it was, the temporary is gone
// and one "[Save] " line is printed.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, OldFile old = OldFile::Replace);

// Renames `path` to `path`.bad, replacing an older .bad. False after one "[Save] " line.
bool keepAsBad(const std::filesystem::path& path);

std::filesystem::path badFilePath(const std::filesystem::path& path);

enum class ReadOutcome { Read, Missing, Failed };

struct SaveFileBytes {
    ReadOutcome outcome = ReadOutcome::Missing;
    std::string bytes;    // the whole file when Read
    std::string problem;  // why it could not be read when Failed
};

// Reads a whole regular file of at most `maxBytes`; anything else (a folder, a
// FIFO, no permission, a larger file) is Failed without reading it all.
SaveFileBytes readSaveFile(const std::filesystem::path& path, std::size_t maxBytes);
