// Finding the data folder and the writable files' folders.
#include "app/GameFolders.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

#ifndef PEMBRIX_DATA_BESIDE_BINARY
#define PEMBRIX_DATA_BESIDE_BINARY "../share/pembrix"
#endif
#ifndef PEMBRIX_INSTALLED_DATA
#define PEMBRIX_INSTALLED_DATA "/usr/local/share/pembrix"
#endif

namespace {

bool isAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string joined(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).lexically_normal().string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string executablePath() {
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    // A binary replaced while it runs reads as "<path> (deleted)": no folder to trust.
    if (error || !path.is_absolute() || !fs::exists(path, error)) return "";
    return path.string();
}

std::string workingFolder() {
    std::error_code error;
    const fs::path path = fs::current_path(error);
    return error ? "" : path.string();
}

bool holdsShaders(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(fs::path(folder) / "shaders", error);
}

}  // namespace

std::vector<std::string> dataFolderCandidates(const FolderFacts& facts, const std::string& besideBinary,
                                              const std::string& installed) {
    std::vector<std::string> candidates;
    const auto add = [&](const std::string& folder) {
        if (!isAbsolute(folder)) return;
        const std::string normal = fs::path(folder).lexically_normal().string();
        for (const std::string& known : candidates) {
            if (fs::path(known) == fs::path(normal)) return;
        }
        candidates.push_back(normal);
    };
    add(facts.workingFolder);
    if (isAbsolute(facts.executable)) add(joined(fs::path(facts.executable).parent_path().string(), besideBinary));
    add(installed);
    return candidates;
}

std::string xdgBaseFolder(const std::string& value, const std::string& home, const std::string& fallback) {
    if (isAbsolute(value)) return value;
    return isAbsolute(home) ? joined(home, fallback) : "";
}

GameFolders resolveGameFolders(const FolderFacts& facts, const std::vector<std::string>& candidates,
                               const std::function<bool(const std::string&)>& holdsData) {
    GameFolders folders;
    folders.tried = candidates;
    for (const std::string& candidate : candidates) {
        if (!holdsData(candidate)) continue;
        folders.dataFolder = candidate;
        folders.dataInWorkingFolder = fs::path(candidate) == fs::path(facts.workingFolder).lexically_normal();
        break;
    }
    if (folders.dataInWorkingFolder) {
        folders.configPath = "config.ini";
        folders.logPath = "log.txt";
        return folders;
    }
    // Absolute paths: the working folder changes to the data folder later.
    const std::string config = xdgBaseFolder(facts.xdgConfigHome, facts.home, ".config");
    const std::string state = xdgBaseFolder(facts.xdgStateHome, facts.home, ".local/state");
    folders.configPath = joined(config.empty() ? facts.workingFolder : joined(config, "pembrix"), "config.ini");
    folders.logPath = joined(state.empty() ? facts.workingFolder : joined(state, "pembrix"), "log.txt");
    return folders;
}

GameFolders findGameFolders() {
    FolderFacts facts;
    facts.workingFolder = workingFolder();
    facts.executable = executablePath();
    facts.home = environment("HOME");
    facts.xdgConfigHome = environment("XDG_CONFIG_HOME");
    facts.xdgStateHome = environment("XDG_STATE_HOME");
    const std::vector<std::string> candidates =
        dataFolderCandidates(facts, PEMBRIX_DATA_BESIDE_BINARY, PEMBRIX_INSTALLED_DATA);
    GameFolders folders = resolveGameFolders(facts, candidates, holdsShaders);
    // A failure shows when the log cannot be opened, which says so.
    makeFolderFor(folders.logPath);
    return folders;
}

void enterDataFolder(const GameFolders& folders) {
    if (folders.dataInWorkingFolder) return;
    if (folders.dataFolder.empty()) {
        std::string tried;
        for (const std::string& folder : folders.tried) tried += (tried.empty() ? "" : ", ") + folder;
        std::cerr << "[Files] No game data (shaders/, levels/, models/) in " << tried
                  << "; playing on with what is built in.\n";
        return;
    }
    // Shaders, levels and the models that levels name are all opened by
    // relative paths, so standing in the data folder serves every one of them.
    std::error_code error;
    fs::current_path(folders.dataFolder, error);
    if (error) {
        std::cerr << "[Files] Cannot enter the game data in " << folders.dataFolder << ": " << error.message()
                  << "\n";
        return;
    }
    std::cout << "[Files] Game data in " << folders.dataFolder << "; settings " << folders.configPath << ", log "
              << folders.logPath << "\n";
}

bool makeFolderFor(const std::string& file) {
    const fs::path folder = fs::path(file).parent_path();
    fs::path made;
    std::error_code error;
    for (const fs::path& part : folder) {
        made /= part;
        if (mkdir(made.c_str(), 0700) != 0 && !fs::is_directory(made, error)) return false;
    }
    return true;
}
