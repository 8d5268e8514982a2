// The world under play: attempts, steps, recordings, the ghost and the blended scene.
#include "screens/PlayWorld.h"

#include "game/GameRules.h"
#include "save/RaceTime.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr int kParticleCapacity = 2048;
// How far below the lowest tile a falling ball is left to fall out of sight
// rather than be chased into the void.
constexpr float kWatchBelow = 2.0f;
constexpr float kSplitSeconds = 2.0f;
// A ghost never runs out of lives: it only replays a run that finished.
constexpr int kGhostLives = 1000;

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

Vec2 wayOnFrom(const Level& level, int checkpoint) {
    const auto from = static_cast<std::size_t>(checkpoint);
    if (from >= level.checkpoints.size()) return Vec2(0.0f, -1.0f);
    const Vec3 here = level.checkpoints[from];
    const Vec3 next = from + 1 < level.checkpoints.size() ? level.checkpoints[from + 1]
                      : level.hasEndTile                  ? level.endTilePos
                                                          : here + Vec3(0.0f, 0.0f, -1.0f);
    const Vec2 way(next.x - here.x, next.z - here.z);
    const float length = glm::length(way);
    return length > 0.001f ? way / length : Vec2(0.0f, -1.0f);
}

float yawTowards(Vec2 way) { return std::atan2(-way.x, -way.y) * kRadToDeg; }

PlayWorld::PlayWorld(GameSession& session, ModelLibrary& models, PlayerProgress& earned)
    : game(session), library(models), progress(earned), sparks(kParticleCapacity) {}

void PlayWorld::begin(Attempt attempt) {
    current = std::move(attempt);
    lowestPoint = lowestTileBottom(*current.level);
    if (!controlsLine.empty() && !current.quiet) std::cout << controlsLine << "\n";
    orbit.follow(current.ball.position, 1.0f);
    simulation.reset();
    sparks.clear();
    splitText.clear();
    gateText.clear();
    recording = RunRecording();
    recording.level = game.levelIndex + 1;
    const auto slot = static_cast<std::size_t>(game.levelIndex);
    recording.levelChecksum = slot < game.levelChecksums.size() ? game.levelChecksums[slot] : 0;
    recording.startPowerups = current.powerups;
    recording.startLives = current.lives;
    ghostRace.reset();
    if (!current.quiet && ghostsShown) startGhost();
    rememberPose();
    previous = latest;
}

void PlayWorld::startGhost() {
    std::optional<Ghost> ghost = progress.ghostFor(recording.level, recording.levelChecksum);
    if (!ghost) return;
    const LevelModels& models = levelModels(game, game.levelIndex, library);
    Attempt racer = startAttempt(*current.level, collisionModels(models, library), kGhostLives, powerupsOf(*ghost));
    racer.quiet = true;
    const Vec3 start = racer.ball.position;
    ghostRace = GhostRace{std::move(*ghost), std::move(racer), 0, start, start};
}

void PlayWorld::stepGhost() {
    if (!ghostRace) return;
    GhostRace& race = *ghostRace;
    race.previousPosition = race.latestPosition;
    if (race.next < race.ghost.steps.size() && race.attempt.outcome == AttemptOutcome::Playing) {
        stepAttempt(race.attempt, race.ghost.steps[race.next++]);
    }
    race.latestPosition = race.attempt.ball.position;
}

void PlayWorld::startNewGame() {
    ::startNewGame(game);
    startLevel(0);
}

void PlayWorld::startSingleLevel(int index) {
    ::startNewGame(game);
    game.singleLevel = true;
    startLevel(index);
}

void PlayWorld::startLevel(int index) {
    watching = false;
    begin(beginLevel(game, index, library));
}

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
    if (next == 0 || game.singleLevel) return false;
    startLevel(next);
    return true;
}

bool PlayWorld::startReplay() {
    if (lastRun.steps.empty() || !current.level) return false;
    const LevelModels& models = levelModels(game, game.levelIndex, library);
    Attempt replay = startAttempt(*current.level, collisionModels(models, library), lastRun.startLives,
                                  lastRun.startPowerups);
    replay.quiet = true;
    watching = true;
    replayNext = 0;
    begin(std::move(replay));
    return true;
}

bool PlayWorld::stepReplay() {
    if (!watching || replayNext >= lastRun.steps.size() || current.outcome != AttemptOutcome::Playing) return false;
    step(lastRun.steps[replayNext++], false);
    return true;
}

void PlayWorld::rememberPose() {
    latest.objects = objectPoses(*current.level, current.run);
    latest.ballPosition = current.ball.position;
    latest.ballRotation = current.ball.rotation;
    latest.eye = orbit.eye;
    latest.target = orbit.target;
}

void PlayWorld::noteCoin(const GameEvent& event) {
    sparks.emit(coinBurst(event.position));
    if (watching) return;
    const auto steps = static_cast<std::uint32_t>(current.steps);
    const std::size_t coin = recording.coinSteps.size();
    recording.coinSteps.push_back(steps);
    if (!ghostRace) return;
    if (const std::optional<int> behind = coinSplit(ghostRace->ghost, coin, steps)) {
        splitText = formatSplit(*behind);
        splitIsAhead = *behind < 0;
        splitShownFor = kSplitSeconds;
    }
}

void PlayWorld::ageMessages(float seconds) {
    splitShownFor -= seconds;
    if (splitShownFor <= 0.0f) splitText.clear();
    gateShownFor -= seconds;
    if (gateShownFor <= 0.0f) gateText.clear();
}

GameEvents PlayWorld::step(const StepInput& input, bool ballFrozen) {
    std::swap(previous, latest);
    if (!watching) recording.steps.push_back(input);
    GameEvents events = stepAttempt(current, input, ballFrozen);
    stepGhost();
    bool teleported = false;
    for (const GameEvent& event : events) {
        if (event.type == GameEventType::CoinTaken) noteCoin(event);
        // The camera jumps with the ball rather than sweep across the level,
        // and from a checkpoint it looks on along the way.
        if (event.type == GameEventType::Respawned || event.type == GameEventType::ShieldSaved) {
            if (current.checkpoint >= 0) orbit.yaw = yawTowards(wayOnFrom(*current.level, current.checkpoint));
            orbit.follow(current.ball.position, 1.0f);
            teleported = true;
        }
        if (event.type == GameEventType::GateLocked) {
            gateText = std::to_string(static_cast<int>(event.strength)) + " COINS LEFT";
            gateShownFor = kSplitSeconds;
        }
        if (event.type == GameEventType::LevelComplete && !watching) {
            recording.finishStep = static_cast<std::uint32_t>(current.steps);
            lastRun = recording;
            lastCompletion = progress.completeRun(recording, current.livesLost);
        }
    }
    followBall(ballFrozen);
    rememberPose();
    if (teleported) previous = latest;  // no blending across a teleport
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
    PlayMarks marks;
    marks.seconds = current.clock + (blend - 1.0f) * kStepSeconds;
    marks.gateOpen = collectedCoinCount(*current.level, current.run) == coinCount(current.level->objects);
    marks.checkpointsReached = current.checkpointsReached;
    SceneDrawList scene = buildLevelScene(*current.level, current.run, models, blended, ball,
                                          sunPosition(*current.level, current.timeLeft), marks, library);
    if (ghostRace) {
        const Vec3 at = glm::mix(ghostRace->previousPosition, ghostRace->latestPosition, blend);
        scene.ghosts.push_back({ballModelMatrix(at, ghostRace->attempt.ball.rotation, current.ball.radius), kGhostColor});
    }
    return scene;
}

OrbitCamera PlayWorld::drawnCamera(float blend) const {
    OrbitCamera camera = orbit;
    camera.eye = glm::mix(previous.eye, latest.eye, blend);
    camera.target = glm::mix(previous.target, latest.target, blend);
    return camera;
}
