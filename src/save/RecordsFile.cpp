// records.ini reading and writing.
#include "save/RecordsFile.h"

#include "save/SaveFolder.h"

#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Plain digits only: no sign, no space, at most nine so it fits an int.
bool parseWhole(std::string_view text, int& out) {
    if (text.empty() || text.size() > 9) return false;
    out = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

// "4127" or "4127 2026-12-07".
bool parseBest(std::string_view value, int& centiseconds, std::string& date) {
    const size_t space = value.find_first_of(" \t");
    if (!parseWhole(value.substr(0, space), centiseconds)) return false;
    if (centiseconds < 1 || centiseconds > kMaxRaceCentiseconds) return false;
    date = space == std::string_view::npos ? std::string() : std::string(trimmed(value.substr(space)));
    return date.empty() || isIsoDate(date);
}

// One level.N.<field> fact merged in as a further run would be; false when not understood.
bool applyLevelFact(Records& records, int level, std::string_view field, std::string_view value) {
    int number = 0;
    if (field == "open") {
        if (value != "yes") return false;
        records.openLevels.insert(level);
        return true;
    }
    if (field == "best") {
        std::string date;
        if (!parseBest(value, number, date)) return false;
        LevelRecord& record = records.levels[level];
        if (!record.bestCentiseconds || number < *record.bestCentiseconds) {
            record.bestCentiseconds = number;
            record.bestDate = date;
        }
        if (isLevelSlot(level + 1)) records.openLevels.insert(level + 1);
        return true;
    }
    if (field == "fewestLivesLost") {
        if (!parseWhole(value, number)) return false;
        LevelRecord& record = records.levels[level];
        if (!record.fewestLivesLost || number < *record.fewestLivesLost) record.fewestLivesLost = number;
        return true;
    }
    return false;
}

bool applyLine(Records& records, std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    int number = 0;
    if (key == "format") return parseWhole(value, number);
    const std::string_view prefix = "level.";
    if (key.substr(0, prefix.size()) != prefix) return false;
    const std::string_view rest = key.substr(prefix.size());
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !parseWhole(rest.substr(0, dot), number) || !isLevelSlot(number)) {
        return false;
    }
    return applyLevelFact(records, number, rest.substr(dot + 1), value);
}

}  // namespace

ParsedRecords parseRecords(std::string_view text) {
    ParsedRecords parsed;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (end == std::string_view::npos || !applyLine(parsed.records, line)) ++parsed.linesNotUnderstood;
    }
    return parsed;
}

std::string formatRecords(const Records& records) {
    std::ostringstream out;
    out << "# Pembrix Adventure: open levels and best times (hundredths of a second)\n";
    out << "format = 1\n";
    for (int level = 1; level <= kMaxLevelSlot; ++level) {
        const auto found = records.levels.find(level);
        const bool open = isLevelOpen(records, level);
        if (!open && found == records.levels.end()) continue;
        const std::string key = "level." + std::to_string(level) + ".";
        if (open) out << key << "open = yes\n";
        if (found == records.levels.end()) continue;
        const LevelRecord& record = found->second;
        if (record.bestCentiseconds) {
            out << key << "best = " << *record.bestCentiseconds;
            if (isIsoDate(record.bestDate)) out << " " << record.bestDate;
            out << "\n";
        }
        if (record.fewestLivesLost) out << key << "fewestLivesLost = " << *record.fewestLivesLost << "\n";
    }
    return out.str();
}

Records loadRecords(const fs::path& folder) {
    const fs::path path = folder / kRecordsFileName;
    const SaveFileBytes file = readSaveFile(path, kMaxRecordsFileBytes);
    if (file.outcome == ReadOutcome::Missing) return Records{};
    if (file.outcome == ReadOutcome::Failed) {
        std::cerr << "[Save] could not read " << path.string() << ": " << file.problem
                  << "; starting with no records\n";
        return Records{};
    }
    if (file.bytes.find_first_not_of(" \t\r\n") == std::string::npos) {
        std::cerr << "[Save] " << path.string() << " is empty; starting with no records\n";
        return Records{};
    }
    ParsedRecords parsed = parseRecords(file.bytes);
    if (parsed.linesNotUnderstood > 0) {
        std::cerr << "[Save] " << path.string() << ": " << parsed.linesNotUnderstood
                  << (parsed.linesNotUnderstood == 1 ? " line" : " lines") << " not understood, kept as "
                  << badFilePath(path).filename().string() << " at the next save\n";
    }
    return parsed.records;
}

bool saveRecords(const fs::path& folder, const Records& records) {
    if (!ensureSaveFolder(folder)) return false;
    const fs::path path = folder / kRecordsFileName;
    // Whatever is about to be overwritten without having been understood whole stays aside.
    const SaveFileBytes old = readSaveFile(path, kMaxRecordsFileBytes);
    const bool understood = old.outcome != ReadOutcome::Failed && parseRecords(old.bytes).linesNotUnderstood == 0;
    return replaceFile(path, formatRecords(records), understood ? OldFile::Replace : OldFile::KeepAsBad);
}
