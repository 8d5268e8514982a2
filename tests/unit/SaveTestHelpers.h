// Shared checks for the save tests: the console promise and what a folder holds.
#pragma once

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

// Exactly one console line, tagged as the save code's.
inline bool isOneSaveLine(const std::string& text) {
    return text.rfind("[Save] ", 0) == 0 && std::count(text.begin(), text.end(), '\n') == 1 && text.back() == '\n';
}

// The names in a folder, to see that no temporary file was left behind.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}
