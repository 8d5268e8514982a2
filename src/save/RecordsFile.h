// records.ini in the save folder: the Records as text, one fact per line, so a
// damaged line costs only that fact. What the game writes:
//
//   # Pembrix Adventure: open levels and best times (hundredths of a second)
//   format = 1
//   level.1.open = yes
//   level.1.best = 4127 2026-12-07       time used, then the day it was set (optional)
//   level.1.fewestLivesLost = 0
//   level.2.open = yes
//
// N in level.N.* is a slot 1..99; a best time is 1..8640000 hundredths. Blank
// lines and lines starting with '#' are skipped; spaces around '=' and a CR
// before the line feed are allowed. A last line with no line feed was cut off
// and is not used. Any other line (unknown key, bad number or date, a slot out
// of range) is not understood: it is ignored and the file as it was is kept
// as records.ini.bad when the game next saves. A best time also opens the next
// slot. A fact given twice counts as two runs: the faster time, the fewer
// lives lost.
#pragma once

#include "save/Records.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

constexpr const char* kRecordsFileName = "records.ini";
// Far above 99 slots of facts; a larger file is not the game's and is not read in.
constexpr std::size_t kMaxRecordsFileBytes = 64 * 1024;

struct ParsedRecords {
    Records records;
    int linesNotUnderstood = 0;
};

ParsedRecords parseRecords(std::string_view text);
std::string formatRecords(const Records& records);

// The records in `folder`, or fresh ones when the file is missing or unusable;
// prints at most one "[Save] " line (none for a missing file: the first run).
Records loadRecords(const std::filesystem::path& folder);

// Replaces records.ini in `folder` (created when missing). An old file with
// anything not understood in it, or that could not be read, becomes
// records.ini.bad first. False after one "[Save] " line.
bool saveRecords(const std::filesystem::path& folder, const Records& records);
