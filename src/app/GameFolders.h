// Where the game reads its data (shaders/, levels/, models/) and writes
// config.ini and log.txt. Started in a folder that holds the data, as from the
// repository, everything stays in that folder; an installed game reads the
// data it was installed with and writes into the player's XDG folders.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What start-up reads once from the process and its environment; empty when unknown or unset.
struct FolderFacts {
    std::string workingFolder;  // absolute
    std::string executable;     // this program's absolute path
    std::string home;           // $HOME
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME
    std::string xdgStateHome;   // $XDG_STATE_HOME
};

struct GameFolders {
    std::vector<std::string> tried;  // the data folders looked in, in order
    std::string dataFolder;          // the first of them that holds the data; empty when none does
    bool dataInWorkingFolder = false;
    std::string configPath;
    std::string logPath;
};

// The data folders to look in, in order and without repeats: the working
// folder, `besideBinary` taken from the executable's folder (so a moved
// install still finds its data), then `installed` (the prefix built in).
std::vector<std::string> dataFolderCandidates(const FolderFacts& facts, const std::string& besideBinary,
                                              const std::string& installed);

// An XDG base folder: `value` when it is an absolute path (the rules ignore a
// relative one), else `home`/`fallback`; empty when neither is absolute.
std::string xdgBaseFolder(const std::string& value, const std::string& home, const std::string& fallback);

// The first candidate for which `holdsData` is true, and where the writable
// files go: beside that data when it is the working folder (relative names,
// as always), else pembrix/ under the XDG config and state folders, else,
// with no usable home, the working folder.
GameFolders resolveGameFolders(const FolderFacts& facts, const std::vector<std::string>& candidates,
                               const std::function<bool(const std::string&)>& holdsData);

// Reads the facts of this process, resolves them for the installed layout and
// creates log.txt's folder. Prints nothing: the log is not open yet.
GameFolders findGameFolders();

// Once the log is open: says which data folder is used, or that none was
// found, and makes a data folder other than the working one the working
// folder. Every data path, in the code and in level files, is relative.
void enterDataFolder(const GameFolders& folders);

// Creates the missing folders above `file`, each private to the player (0700,
// as the XDG rules ask); false when one cannot be made.
bool makeFolderFor(const std::string& file);
