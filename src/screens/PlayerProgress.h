// What the player has earned between runs, kept in the save folder: which
// levels are open, the best times, and the ghost of each level's best run.
// Records load once at start-up and are saved after every completed run;
// ghosts load when their level starts. Without a save folder everything
// lives for this run only.
#pragma once

#include "game/Attempt.h"
#include "save/GhostFile.h"
#include "save/Records.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The inputs of an attempt as it is played, to save as a ghost or watch again.
struct RunRecording {
    int level = 1;                          // the level's slot, 1 for the first
    std::uint64_t levelChecksum = 0;
    std::vector<StepInput> steps;
    std::vector<std::uint32_t> coinSteps;   // the step count when each coin was taken
    std::uint32_t finishStep = 0;           // the step count when the end tile was reached
    std::vector<ActivePowerup> startPowerups;
    int startLives = kStartingLives;
};

// The ghost file's form of a recording, and back.
Ghost ghostOf(const RunRecording& run);
std::vector<ActivePowerup> powerupsOf(const Ghost& ghost);

// What a completed run changed, for the level-complete screen.
struct CompletionNote {
    std::string recordLine;  // "NEW RECORD 0:41.27 (was 0:45.90)", or empty
    bool openedNext = false;
};

class PlayerProgress {
public:
    explicit PlayerProgress(std::optional<std::filesystem::path> folder);

    const Records& records() const { return earned; }
    bool isOpen(int level) const { return isLevelOpen(earned, level); }

    // The saved ghost of `level` for this level file, or none.
    std::optional<Ghost> ghostFor(int level, std::uint64_t levelChecksum) const;

    // Counts a completed run: records, the next level opened, the ghost
    // replaced when the run was faster; saves both and prints what changed.
    CompletionNote completeRun(const RunRecording& run, int livesLost);

private:
    std::optional<std::filesystem::path> folder;
    Records earned;
};
