// Rules of an attempt.
#include "game/GameRules.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

void respawn(Attempt& attempt) { resetBall(attempt.ball, respawnPoint(attempt)); }

bool insideEndBox(const Level& level, Vec3 p, float margin) {
    if (!level.hasEndTile) return false;
    for (int axis = 0; axis < 3; ++axis) {
        const float half = level.endTileSize[axis] * 0.5f;
        if (!(level.endTilePos[axis] - half - margin <= p[axis] && p[axis] <= level.endTilePos[axis] + half + margin)) {
            return false;
        }
    }
    return true;
}

void removeShields(std::vector<ActivePowerup>& active) {
    active.erase(std::remove_if(active.begin(), active.end(),
                                [](const ActivePowerup& entry) { return entry.type == PowerupType::Shield; }),
                 active.end());
}

bool isPickup(const SceneObject& object) {
    return object.kind == ObjectKind::Coin || object.kind == ObjectKind::Powerup;
}

// Returns true when the ball touches the pickup in this step.
bool animatePickup(const SceneObject& object, ObjectState& state, float dt, float time, Vec3 ballPos,
                   float ballRadius) {
    state.anim += dt * 90.0f;
    if (state.anim >= 360.0f) state.anim -= 360.0f;
    state.bob = std::sin(2.0f * time + object.phase) * 0.18f;
    const float distance = glm::length(ballPos - placedPosition(object, state));
    const float reach = std::max(object.size.x, std::max(object.size.y, object.size.z)) * 0.5f + ballRadius;
    return reach > distance;
}

GameEvent eventOf(GameEventType type, Vec3 position) {
    GameEvent event;
    event.type = type;
    event.position = position;
    return event;
}

}  // namespace

bool hasFallen(const Level& level, const Ball& ball) {
    if (ball.position.y < kFallHeight) return true;
    const bool overGround = std::fabs(ball.position.x) <= kGroundHalfWidth && std::fabs(ball.position.z) <= kGroundHalfWidth;
    return level.ground && overGround && ball.position.y - ball.radius < 0.0f;
}

Vec3 respawnPoint(const Attempt& attempt) {
    const Level& level = *attempt.level;
    const auto reached = static_cast<std::size_t>(attempt.checkpoint);
    if (attempt.checkpoint < 0 || reached >= level.checkpoints.size()) return level.start;
    return level.checkpoints[reached] + Vec3(0.0f, kCheckpointLift, 0.0f);
}

void updateFall(Attempt& attempt, float dt, GameEvents& events) {
    Ball& ball = attempt.ball;
    if (!attempt.falling && hasFallen(*attempt.level, ball)) {
        if (isPowerupActive(attempt.powerups, PowerupType::Shield)) {
            removeShields(attempt.powerups);
            respawn(attempt);
            say(attempt) << "Shield absorbed the fall! No life lost.\n";
            events.push_back(eventOf(GameEventType::ShieldSaved, ball.position));
            return;
        }
        // The life goes now, as the player sees the ball go; the respawn waits.
        attempt.falling = true;
        attempt.fallTimer = kFallDelay;
        attempt.lives -= 1;
        attempt.livesLost += 1;
        ball.velocity = Vec3(0.0f);
        say(attempt) << "Fell off! Lives remaining: " << attempt.lives << "\n";
        events.push_back(eventOf(GameEventType::FellOff, ball.position));
    }
    if (!attempt.falling) return;
    attempt.fallTimer -= dt;
    if (attempt.fallTimer > 0.0f) return;
    attempt.falling = false;
    if (attempt.lives <= 0) {
        attempt.outcome = AttemptOutcome::OutOfLives;
        say(attempt) << "GAME OVER\n";
        events.push_back(eventOf(GameEventType::OutOfLives, ball.position));
        return;
    }
    respawn(attempt);
    say(attempt) << "Respawned. Lives left: " << attempt.lives << "\n";
    events.push_back(eventOf(GameEventType::Respawned, ball.position));
}

void reachCheckpoints(Attempt& attempt, GameEvents& events) {
    const Level& level = *attempt.level;
    if (attempt.falling) return;
    for (std::size_t i = 0; i < level.checkpoints.size() && i < attempt.checkpointsReached.size(); ++i) {
        if (glm::length(attempt.ball.position - level.checkpoints[i]) > kCheckpointReach) continue;
        attempt.checkpoint = static_cast<int>(i);
        if (attempt.checkpointsReached[i]) continue;
        attempt.checkpointsReached[i] = true;
        say(attempt) << "Checkpoint!\n";
        GameEvent event = eventOf(GameEventType::CheckpointReached, level.checkpoints[i]);
        event.objectIndex = static_cast<int>(i);
        events.push_back(event);
    }
}

void noteLockedGate(Attempt& attempt, float margin, GameEvents& events) {
    const Level& level = *attempt.level;
    const int missing = coinCount(level.objects) - collectedCoinCount(level, attempt.run);
    const bool locked = missing > 0 && insideEndBox(level, attempt.ball.position, margin);
    if (locked && !attempt.atLockedGate) {
        say(attempt) << "Gate locked: " << missing << " coins left\n";
        GameEvent event = eventOf(GameEventType::GateLocked, attempt.ball.position);
        event.strength = static_cast<float>(missing);
        events.push_back(event);
    }
    attempt.atLockedGate = locked;
}

void updateCountdown(Attempt& attempt, float dt, GameEvents& events) {
    if (attempt.falling) return;
    // Counted in whole steps: float subtractions of the step drift by a few
    // steps over two minutes, and a one-second level ran for 61.
    attempt.countdownSteps += 1;
    attempt.timeLeft = static_cast<float>(attempt.level->levelTime - attempt.countdownSteps * static_cast<double>(dt));
    if (attempt.timeLeft > 0.0f) return;
    attempt.timeLeft = 0.0f;
    attempt.outcome = AttemptOutcome::TimeUp;
    say(attempt) << "Time's up! GAME OVER\n";
    events.push_back(eventOf(GameEventType::TimeUp, attempt.ball.position));
}

Vec3 sunPosition(const Level& level, float timeLeft) {
    const float fraction = level.levelTime > 0.0f ? std::clamp(timeLeft / level.levelTime, 0.0f, 1.0f) : 0.0f;
    return Vec3(level.sunPos.x, level.sunPos.y * fraction, level.sunPos.z);
}

void pullCoins(const Level& level, LevelRun& run, Vec3 ballPos, float dt) {
    for (std::size_t i = 0; i < level.objects.size() && i < run.objects.size(); ++i) {
        ObjectState& coin = run.objects[i];
        if (level.objects[i].kind != ObjectKind::Coin || coin.collected) continue;
        const Vec3 d = ballPos - coin.pos;
        const float dist = glm::length(d);
        if (dist < 0.01f || dist > kMagnetReach) continue;
        coin.pos += glm::normalize(d) * kMagnetPullSpeed * (1.0f - dist / kMagnetReach) * dt;
    }
}

std::vector<int> animateObjects(const Level& level, LevelRun& run, float dt, float time, Vec3 ballPos,
                                float ballRadius) {
    std::vector<int> picked;
    for (std::size_t i = 0; i < level.objects.size() && i < run.objects.size(); ++i) {
        const SceneObject& object = level.objects[i];
        ObjectState& state = run.objects[i];
        if (state.collected) continue;
        if (isPickup(object)) {
            if (animatePickup(object, state, dt, time, ballPos, ballRadius)) {
                state.collected = true;
                picked.push_back(static_cast<int>(i));
            }
        } else if (object.kind == ObjectKind::MovingTile) {
            state.anim += dt;
            state.moveOffset = std::sin(state.anim * object.moveSpeed) * object.moveAmplitude;
        }
    }
    return picked;
}

void collectPickups(Attempt& attempt, const std::vector<int>& picked, GameEvents& events) {
    const Level& level = *attempt.level;
    // Every pick of this step is already marked collected; count them up one
    // by one so two coins taken together read 1/2 then 2/2, not 2/2 twice.
    int coinsCollected = collectedCoinCount(level, attempt.run);
    for (int index : picked) {
        if (level.objects[index].kind == ObjectKind::Coin) --coinsCollected;
    }
    for (int index : picked) {
        const SceneObject& object = level.objects[index];
        GameEvent event = eventOf(GameEventType::CoinTaken, placedPosition(object, attempt.run.objects[index]));
        event.objectIndex = index;
        if (object.kind == ObjectKind::Coin) {
            attempt.coinsTaken += 1;
            ++coinsCollected;
            say(attempt) << "Coin! " << coinsCollected << "/" << coinCount(level.objects) << "\n";
        } else {
            say(attempt) << "Powerup: " << static_cast<int>(object.powerupType) << "\n";
            addPowerup(attempt.powerups, object.powerupType);
            event.type = GameEventType::PowerupTaken;
            event.powerup = object.powerupType;
        }
        events.push_back(event);
    }
}

bool isEndReached(const Level& level, const LevelRun& run, Vec3 p, float margin) {
    if (collectedCoinCount(level, run) < coinCount(level.objects)) return false;
    return insideEndBox(level, p, margin);
}
