// Records and ghosts between runs.
#include "screens/PlayerProgress.h"

#include "save/RaceTime.h"
#include "save/RecordsFile.h"

#include <ctime>
#include <iostream>

Ghost ghostOf(const RunRecording& run) {
    Ghost ghost;
    ghost.levelChecksum = run.levelChecksum;
    ghost.steps = run.steps;
    ghost.coinSteps = run.coinSteps;
    ghost.finishStep = run.finishStep;
    for (const ActivePowerup& powerup : run.startPowerups) {
        ghost.powerups.push_back({static_cast<std::uint8_t>(powerup.type), powerup.remaining});
    }
    return ghost;
}

std::vector<ActivePowerup> powerupsOf(const Ghost& ghost) {
    std::vector<ActivePowerup> powerups;
    for (const GhostPowerup& saved : ghost.powerups) {
        powerups.push_back({kPowerupDuration, saved.remaining, static_cast<PowerupType>(saved.type)});
    }
    return powerups;
}

PlayerProgress::PlayerProgress(std::optional<std::filesystem::path> saveFolder) : folder(std::move(saveFolder)) {
    if (folder) {
        earned = loadRecords(*folder);
    } else {
        std::cerr << "[Save] No home folder to keep records in; they last until the game closes.\n";
    }
}

std::optional<Ghost> PlayerProgress::ghostFor(int level, std::uint64_t levelChecksum) const {
    if (!folder) return std::nullopt;
    return loadGhost(*folder, level, levelChecksum);
}

CompletionNote PlayerProgress::completeRun(const RunRecording& run, int livesLost) {
    CompletionNote note;
    const int centiseconds = centisecondsForSteps(run.finishStep);
    const CompletionOutcome outcome =
        recordCompletion(earned, run.level, centiseconds, livesLost, localIsoDate(std::time(nullptr)));
    earned = outcome.records;
    note.openedNext = outcome.openedNext;
    if (outcome.newBest) {
        note.recordLine = newRecordLine(centiseconds, outcome.previousBest);
        std::cout << note.recordLine << "\n";
    }
    if (!folder) return note;
    saveRecords(*folder, earned);
    const Ghost ghost = ghostOf(run);
    if (isFasterGhost(ghost, ghostFor(run.level, run.levelChecksum))) saveGhost(*folder, run.level, ghost);
    return note;
}
