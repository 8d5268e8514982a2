// The game across levels.
#include "game/GameSession.h"

#include <iostream>

const LevelModels& levelModels(GameSession& session, int index, ModelLibrary& library) {
    if (session.models.size() < session.levels.size()) session.models.resize(session.levels.size());
    std::optional<LevelModels>& models = session.models[static_cast<std::size_t>(index)];
    if (!models) models = resolveLevelModels(session.levels[static_cast<std::size_t>(index)], library);
    return *models;
}

void startNewGame(GameSession& session) {
    session.lives = kStartingLives;
    session.powerups.clear();
    session.levelIndex = 0;
    session.singleLevel = false;
}

Attempt beginLevel(GameSession& session, int index, ModelLibrary& library) {
    const int count = static_cast<int>(session.levels.size());
    session.levelIndex = count > 0 ? ((index % count) + count) % count : 0;
    const Level& level = session.levels[static_cast<std::size_t>(session.levelIndex)];
    std::cout << "\u2500\u2500 " << level.name << "  coins=" << coinCount(level.objects)
              << "  lives=" << session.lives << "\n";
    const LevelModels& models = levelModels(session, session.levelIndex, library);
    return startAttempt(level, collisionModels(models, library), session.lives, session.powerups);
}

void keepFromAttempt(GameSession& session, const Attempt& attempt) {
    session.lives = attempt.lives;
    session.powerups = attempt.powerups;
}
