// The world under play: attempts, steps and the blended scene.
#include "screens/PlayWorld.h"

#include "game/GameRules.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr int kParticleCapacity = 2048;
// How far below the lowest tile a falling ball is left to fall out of sight
// rather than be chased into the void.
constexpr float kWatchBelow = 2.0f;

float lowestTileBottom(const Level& level) {
    float lowest = level.start.y;
    for (const SceneObject& object : level.objects) {
        if (object.kind != ObjectKind::Tile && object.kind != ObjectKind::MovingTile) continue;
        const float reach = object.kind == ObjectKind::MovingTile ? std::fabs(object.moveAxis.y * object.moveAmplitude) : 0.0f;
        lowest = std::min(lowest, object.pos.y - object.size.y * 0.5f - reach);
    }
    return lowest;
}

}  // namespace

PlayWorld::PlayWorld(GameSession& session, ModelLibrary& models)
    : game(session), library(models), sparks(kParticleCapacity) {}

void PlayWorld::begin(Attempt attempt) {
    current = std::move(attempt);
    lowestPoint = lowestTileBottom(*current.level);
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
    followBall(ballFrozen);
    rememberPose();
    const bool jumped = std::any_of(events.begin(), events.end(), [](const GameEvent& event) {
        return event.type == GameEventType::Respawned || event.type == GameEventType::ShieldSaved;
    });
    if (jumped) previous = latest;  // no blending across a teleport
    return events;
}

void PlayWorld::followBall(bool ballFrozen) {
    if (ballFrozen) return;
    const Vec3 ball = current.ball.position;
    // Below every tile the eye stays put and watches the ball fall away.
    if (ball.y < lowestPoint - kWatchBelow) {
        orbit.target = ball;
        return;
    }
    orbit.follow(ball, kStepSeconds);
}

SceneDrawList PlayWorld::scene(float blend) {
    blendPoses(previous.objects, latest.objects, blend, blended);
    BallPose ball;
    ball.position = glm::mix(previous.ballPosition, latest.ballPosition, blend);
    ball.rotation = glm::slerp(previous.ballRotation, latest.ballRotation, blend);
    ball.radius = current.ball.radius;
    ball.color = current.ball.color;
    const LevelModels& models = levelModels(game, game.levelIndex, library);
    const float seconds = current.clock + (blend - 1.0f) * kStepSeconds;
    return buildLevelScene(*current.level, current.run, models, blended, ball,
                           sunPosition(*current.level, current.timeLeft), seconds);
}

OrbitCamera PlayWorld::drawnCamera(float blend) const {
    OrbitCamera camera = orbit;
    camera.eye = glm::mix(previous.eye, latest.eye, blend);
    camera.target = glm::mix(previous.target, latest.target, blend);
    return camera;
}
