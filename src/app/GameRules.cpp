// Rules of a game in progress.
#include "app/GameRules.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

void respawnAtStart(PlaySession& session) {
    Level& level = session.currentLevel();
    resetBall(session.ball, level.start);
    session.camera.follow(level.start, 1.0f);
}

ParticleBurst coinBurst(Vec3 position) {
    ParticleBurst burst;
    burst.position = position;
    burst.count = kCoinBurstParticles;
    burst.speed = 5.0f;
    burst.startColor = Vec4(1.0f, 0.92f, 0.1f, 1.0f);
    burst.endColor = Vec4(1.0f, 0.4f, 0.0f, 0.0f);
    burst.startSize = 0.22f;
    burst.endSize = 0.0f;
    burst.lifetime = 0.85f;
    burst.drag = 0.86f;
    burst.gravity = -5.0f;
    return burst;
}

void removeShields(std::vector<ActivePowerup>& active) {
    active.erase(std::remove_if(active.begin(), active.end(),
                                [](const ActivePowerup& entry) { return entry.type == PowerupType::Shield; }),
                 active.end());
}

// A ball resting on the end tile sits exactly on the top face of the box grown
// by its radius, and the push-out can leave it a rounding error above, where it
// would never count; a hundredth of a unit more takes it in.
constexpr float kEndTileSlack = 0.01f;

void checkLevelComplete(PlaySession& session) {
    Level& level = session.currentLevel();
    if (!isEndReached(level, session.ball.position, session.ball.radius + kEndTileSlack)) return;
    session.state = GameState::LevelComplete;
    session.progress.advanceTimer = kAdvanceDelay;
    std::cout << "LEVEL COMPLETE: " << level.name << "\n";
}

}  // namespace

void startLevel(PlaySession& session, int index) {
    GameProgress& progress = session.progress;
    progress.levelIndex = ((index % kLevelCount) + kLevelCount) % kLevelCount;
    Level& level = session.currentLevel();
    resetPickups(level);
    resetBall(session.ball, level.start);
    progress.coinsThisLevel = 0;
    progress.falling = false;
    progress.fallTimer = 0.0f;
    progress.timeLeft = level.levelTime;
    progress.sunBase = level.sunPosBase;
    progress.sunCurrent = progress.sunBase;
    session.camera.follow(session.ball.position, 1.0f);
    std::cout << "\u2500\u2500 " << level.name << "  coins=" << coinCount(level.objects)
              << "  lives=" << progress.lives << "\n";
    std::cout << "WASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";
    session.physics.loadLevel(session.ball, level.objects);
}

void startNewGame(PlaySession& session) {
    session.progress.lives = kStartingLives;
    session.progress.falling = false;
    session.progress.activePowerups.clear();
    startLevel(session, 0);
}

void retryLevel(PlaySession& session) {
    session.progress.lives = kStartingLives;
    session.progress.coinsThisLevel = 0;
    startLevel(session, session.progress.levelIndex);
}

void updateFall(PlaySession& session, float dt) {
    GameProgress& progress = session.progress;
    if (!progress.falling && session.ball.position.y < kFallHeight) {
        if (isPowerupActive(progress.activePowerups, PowerupType::Shield)) {
            removeShields(progress.activePowerups);
            respawnAtStart(session);
            std::cout << "Shield absorbed the fall! No life lost.\n";
            return;
        }
        progress.falling = true;
        progress.fallTimer = kFallDelay;
        session.ball.velocity = Vec3(0.0f);
        std::cout << "Fell off! Lives remaining: " << progress.lives - 1 << "\n";
    }
    if (!progress.falling) return;
    progress.fallTimer -= dt;
    if (progress.fallTimer > 0.0f) return;
    progress.falling = false;
    progress.lives -= 1;
    if (progress.lives <= 0) {
        session.state = GameState::GameOver;
        std::cout << "GAME OVER\n";
        return;
    }
    respawnAtStart(session);
    std::cout << "Respawned. Lives left: " << progress.lives << "\n";
}

void updateLevelTimer(PlaySession& session, float dt, bool timerRuns) {
    GameProgress& progress = session.progress;
    Level& level = session.currentLevel();
    if (!progress.falling && timerRuns) {
        progress.timeLeft -= dt;
        if (progress.timeLeft <= 0.0f) {
            progress.timeLeft = 0.0f;
            session.state = GameState::GameOver;
            std::cout << "Time's up! GAME OVER\n";
        }
    }
    const float fraction =
        level.levelTime > 0.0f ? std::clamp(progress.timeLeft / level.levelTime, 0.0f, 1.0f) : 0.0f;
    progress.sunCurrent = Vec3(progress.sunBase.x, progress.sunBase.y * fraction, progress.sunBase.z);
    level.sunPos = progress.sunCurrent;
}

void pullCoins(std::vector<SceneObject>& objects, Vec3 ballPos, float dt) {
    for (SceneObject& object : objects) {
        if (object.kind != ObjectKind::Coin || object.collected) continue;
        const Vec3 d = ballPos - object.pos;
        const float dist = glm::length(d);
        if (dist < 0.01f || dist > kMagnetReach) continue;
        object.pos += glm::normalize(d) * kMagnetPullSpeed * (1.0f - dist * 0.125f) * dt;
    }
}

void collectPickups(PlaySession& session, const std::vector<int>& picked) {
    GameProgress& progress = session.progress;
    std::vector<SceneObject>& objects = session.currentLevel().objects;
    // Every pick of this frame is already marked collected; count them up one
    // by one so two coins taken together read 1/2 then 2/2, not 2/2 twice.
    int coinsCollected = collectedCoinCount(objects);
    for (int index : picked) {
        if (objects[index].kind == ObjectKind::Coin) --coinsCollected;
    }
    for (int index : picked) {
        const SceneObject& object = objects[index];
        if (object.kind == ObjectKind::Coin) {
            progress.coinsThisLevel += 1;
            ++coinsCollected;
            std::cout << "Coin! " << coinsCollected << "/" << coinCount(objects) << "\n";
            session.particles.emit(coinBurst(object.pos + Vec3(0.0f, object.bob, 0.0f)));
        } else if (object.kind == ObjectKind::Powerup) {
            std::cout << "Powerup: " << static_cast<int>(object.powerupType) << "\n";
            addPowerup(progress.activePowerups, object.powerupType);
        }
    }
}

void updatePickupsAndGoal(PlaySession& session, float dt, float elapsedTime) {
    GameProgress& progress = session.progress;
    std::vector<SceneObject>& objects = session.currentLevel().objects;
    if (isPowerupActive(progress.activePowerups, PowerupType::Magnet)) {
        pullCoins(objects, session.ball.position, dt);
    }
    const std::vector<int> picked =
        updateObjects(objects, dt, elapsedTime, session.ball.position, session.ball.radius);
    collectPickups(session, picked);
    agePowerups(progress.activePowerups, dt);
    checkLevelComplete(session);
}

void updateLevelComplete(PlaySession& session, float dt, bool spacePressed, bool menuPressed) {
    GameProgress& progress = session.progress;
    progress.advanceTimer -= dt;
    if (spacePressed || progress.advanceTimer <= 0.0f) {
        const int next = (progress.levelIndex + 1) % kLevelCount;
        if (next == 0) {
            session.state = GameState::MainMenu;  // the last level is done
        } else {
            session.state = GameState::Playing;
            startLevel(session, next);
        }
    }
    if (menuPressed) session.state = GameState::MainMenu;
}

void updateGameOver(PlaySession& session, bool spacePressed, bool menuPressed) {
    if (spacePressed) {
        retryLevel(session);
        session.state = GameState::Playing;
    }
    if (menuPressed) session.state = GameState::MainMenu;
}
