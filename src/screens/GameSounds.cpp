// Game moments to sound cues, and the frame's sound state.
#include "screens/GameSounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

SoundEffect pickupSound(PowerupType type) {
    switch (type) {
        case PowerupType::Magnet: return SoundEffect::Magnet;
        case PowerupType::SlowMo: return SoundEffect::SlowMo;
        case PowerupType::AntiGravity: return SoundEffect::AntiGravity;
        case PowerupType::Shield: return SoundEffect::Shield;
        case PowerupType::SpeedBoost: break;
    }
    return SoundEffect::SpeedBoost;
}

std::vector<SoundCue> cuesFor(const GameEvents& events) {
    std::vector<SoundCue> cues;
    for (const GameEvent& event : events) {
        SoundCue cue;
        cue.position = event.position;
        cue.strength = event.strength;
        switch (event.type) {
            case GameEventType::CoinTaken: cue.effect = SoundEffect::Coin; break;
            case GameEventType::PowerupTaken: cue.effect = pickupSound(event.powerup); break;
            case GameEventType::PowerupExpired: cue.effect = SoundEffect::PowerupExpire; break;
            case GameEventType::Jumped: cue.effect = SoundEffect::Jump; break;
            case GameEventType::Landed: cue.effect = SoundEffect::Land; break;
            case GameEventType::Bounced: cue.effect = SoundEffect::Bounce; break;
            case GameEventType::TileCrumbled: cue.effect = SoundEffect::CrumbleCrack; break;
            case GameEventType::FellOff: cue.effect = SoundEffect::Fall; break;
            case GameEventType::ShieldSaved:
            case GameEventType::Respawned: cue.effect = SoundEffect::Respawn; break;
            case GameEventType::CheckpointReached: cue.effect = SoundEffect::Checkpoint; break;
            case GameEventType::GateLocked: cue.effect = SoundEffect::PowerupExpire; break;
            case GameEventType::LevelComplete: cue.effect = SoundEffect::LevelComplete; break;
            case GameEventType::TimeUp:
            case GameEventType::OutOfLives: cue.effect = SoundEffect::GameOver; break;
        }
        cues.push_back(cue);
    }
    return cues;
}

float nearestBeltDistance(const Level& level, const LevelRun& run, Vec3 point) {
    float nearest = std::numeric_limits<float>::infinity();
    for (std::size_t i = 0; i < level.objects.size() && i < run.objects.size(); ++i) {
        const SceneObject& tile = level.objects[i];
        if (tile.tileType != TileType::Conveyor || run.objects[i].crumbled) continue;
        const Vec3 centre = placedPosition(tile, run.objects[i]);
        const Vec3 outside = glm::max(glm::abs(point - centre) - tile.size * 0.5f, Vec3(0.0f));
        nearest = std::min(nearest, glm::length(outside));
    }
    return nearest;
}

SoundFrame playSoundFrame(const Attempt& attempt, const OrbitCamera& listener, bool paused) {
    SoundFrame frame;
    frame.inPlay = true;
    frame.paused = paused;
    const Ball& ball = attempt.ball;
    frame.groundSpeed = std::sqrt(ball.velocity.x * ball.velocity.x + ball.velocity.z * ball.velocity.z);
    frame.grounded = ball.grounded && !attempt.falling;
    frame.ballPosition = ball.position;
    frame.listenerPosition = listener.eye;
    frame.listenerForward = listener.forward();
    frame.listenerUp = listener.up;
    if (attempt.level) frame.conveyorDistance = nearestBeltDistance(*attempt.level, attempt.run, ball.position);
    frame.timeLeft = attempt.timeLeft;
    return frame;
}
