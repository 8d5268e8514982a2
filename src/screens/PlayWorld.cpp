// The world under play: attempts, steps and the blended scene.
#include "screens/PlayWorld.h"

#include "game/GameRules.h"

#include <algorithm>
#include <iostream>

namespace {
constexpr int kParticleCapacity = 2048;
}  // namespace

PlayWorld::PlayWorld(GameSession& session, ModelLibrary& models)
    : game(session), library(models), sparks(kParticleCapacity) {}

void PlayWorld::begin(Attempt attempt) {
    current = std::move(attempt);
    if (!controlsLine.empty()) std::cout << controlsLine << "\n";
    orbit.follow(current.ball.position, 1.0f);
    simulation.reset();
    sparks.clear();
    rememberPose();
    previous = latest;
}

void PlayWorld::startNewGame() {
    ::startNewGame(game);
    startLevel(0);
}

void PlayWorld::startLevel(int index) { begin(beginLevel(game, index, library)); }

void PlayWorld::retry() {
    game.lives = kStartingLives;
    game.powerups = current.powerups;
    startLevel(game.levelIndex);
}

void PlayWorld::restartLevel() {
    game.lives = current.lives;
    startLevel(game.levelIndex);
}

bool PlayWorld::startNextLevel() {
    keepFromAttempt(game, current);
    const int next = (game.levelIndex + 1) % kLevelCount;
    if (next == 0) return false;
    startLevel(next);
    return true;
}

void PlayWorld::rememberPose() {
    latest.objects = objectPoses(*current.level, current.run);
    latest.ballPosition = current.ball.position;
    latest.ballRotation = current.ball.rotation;
    latest.eye = orbit.eye;
    latest.target = orbit.target;
}

GameEvents PlayWorld::step(const StepInput& input, bool ballFrozen) {
    std::swap(previous, latest);
    GameEvents events = stepAttempt(current, input, ballFrozen);
    for (const GameEvent& event : events) {
        if (event.type == GameEventType::CoinTaken) sparks.emit(coinBurst(event.position));
        // The camera jumps with the ball rather than sweep across the level.
        if (event.type == GameEventType::Respawned || event.type == GameEventType::ShieldSaved) {
            orbit.follow(current.ball.position, 1.0f);
        }
    }
    if (!ballFrozen) orbit.follow(current.ball.position, kStepSeconds);
    rememberPose();
    const bool jumped = std::any_of(events.begin(), events.end(), [](const GameEvent& event) {
        return event.type == GameEventType::Respawned || event.type == GameEventType::ShieldSaved;
    });
    if (jumped) previous = latest;  // no blending across a teleport
    return events;
}

SceneDrawList PlayWorld::scene(float blend) {
    blendPoses(previous.objects, latest.objects, blend, blended);
    BallPose ball;
    ball.position = glm::mix(previous.ballPosition, latest.ballPosition, blend);
    ball.rotation = glm::slerp(previous.ballRotation, latest.ballRotation, blend);
    ball.radius = current.ball.radius;
    ball.color = current.ball.color;
    const LevelModels& models = levelModels(game, game.levelIndex, library);
    return buildLevelScene(*current.level, current.run, models, blended, ball,
                           sunPosition(*current.level, current.timeLeft));
}

OrbitCamera PlayWorld::drawnCamera(float blend) const {
    OrbitCamera camera = orbit;
    camera.eye = glm::mix(previous.eye, latest.eye, blend);
    camera.target = glm::mix(previous.target, latest.target, blend);
    return camera;
}
