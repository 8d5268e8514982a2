// A game in progress across its levels: the three level slots, which one is
// being played, and the lives and powerups carried from one level to the next.
// Attempts are made from it and hand their lives and powerups back.
#pragma once

#include "game/Attempt.h"
#include "game/LevelModels.h"
#include "model/ModelLibrary.h"

#include <cstdint>
#include <optional>
#include <vector>

constexpr int kLevelCount = 3;

struct GameSession {
    std::vector<Level> levels;  // always kLevelCount, loaded at start-up
    std::vector<std::optional<LevelModels>> models;  // per level, resolved when first played
    std::vector<std::uint64_t> levelChecksums;  // of each level file's bytes, to match ghosts to them
    int levelIndex = 0;
    int lives = kStartingLives;
    std::vector<ActivePowerup> powerups;
    bool singleLevel = false;  // a run of one level chosen on its own, not the whole game
};

// The models of level `index`, resolving them on first use.
const LevelModels& levelModels(GameSession& session, int index, ModelLibrary& library);

// Lives back to three, no powerups, the first level of the whole game.
void startNewGame(GameSession& session);

// An attempt at level `index` (taken modulo the level count) with the
// session's lives and powerups; prints the level's banner line.
Attempt beginLevel(GameSession& session, int index, ModelLibrary& library);

// What a finished or abandoned attempt leaves to the game: its lives and powerups.
void keepFromAttempt(GameSession& session, const Attempt& attempt);
