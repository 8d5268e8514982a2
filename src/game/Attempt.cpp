// Starting an attempt and its fixed step, in the game's order.
#include "game/Attempt.h"

#include "game/BallControl.h"
#include "game/GameRules.h"

#include <iostream>

namespace {

// A ball resting on the end tile sits exactly on the top face of the box grown
// by its radius, and the push-out can leave it a rounding error above, where it
// would never count; a hundredth of a unit more takes it in.
constexpr float kEndTileSlack = 0.01f;

GameEvent eventAt(GameEventType type, Vec3 position, float strength = 0.0f) {
    GameEvent event;
    event.type = type;
    event.position = position;
    event.strength = strength;
    return event;
}

// The ball's control and the collision step, with what they did to report.
void moveBall(Attempt& attempt, const StepInput& input, GameEvents& events) {
    const PowerupEffects effects = powerupEffects(attempt.powerups, kStepSeconds);
    Ball& ball = attempt.ball;
    if (updateBall(ball, effects.physicsDt, input, effects.speedMultiplier, effects.antiGravity)) {
        events.push_back(eventAt(GameEventType::Jumped, ball.position));
    }
    const bool wasGrounded = ball.grounded;
    const float fallSpeed = -ball.velocity.y;
    const LevelRun& run = attempt.run;
    std::vector<bool> wasCrumbled;
    wasCrumbled.reserve(run.objects.size());
    for (const ObjectState& state : run.objects) wasCrumbled.push_back(state.crumbled);

    attempt.physics->step(ball, *attempt.level, attempt.run, effects.physicsDt);

    if (ball.surface == static_cast<int>(TileType::Bouncy) && ball.velocity.y > 0.0f) {
        events.push_back(eventAt(GameEventType::Bounced, ball.position, ball.velocity.y));
    } else if (!wasGrounded && ball.grounded) {
        events.push_back(eventAt(GameEventType::Landed, ball.position, fallSpeed));
    }
    for (std::size_t i = 0; i < run.objects.size(); ++i) {
        if (run.objects[i].crumbled && !wasCrumbled[i]) {
            GameEvent event = eventAt(GameEventType::TileCrumbled, placedPosition(attempt.level->objects[i], run.objects[i]));
            event.objectIndex = static_cast<int>(i);
            events.push_back(event);
        }
    }
}

void checkLevelComplete(Attempt& attempt, GameEvents& events) {
    const Level& level = *attempt.level;
    if (!isEndReached(level, attempt.run, attempt.ball.position, attempt.ball.radius + kEndTileSlack)) return;
    attempt.outcome = AttemptOutcome::Complete;
    say(attempt) << "LEVEL COMPLETE: " << level.name << "\n";
    events.push_back(eventAt(GameEventType::LevelComplete, attempt.ball.position));
}

}  // namespace

std::ostream& say(const Attempt& attempt) {
    // A stream without a buffer takes every write and keeps nothing.
    static std::ostream nowhere(nullptr);
    return attempt.quiet ? nowhere : std::cout;
}

Attempt startAttempt(const Level& level, const std::vector<const ModelData*>& models, int lives,
                     std::vector<ActivePowerup> powerups) {
    Attempt attempt;
    attempt.level = &level;
    attempt.run = startRun(level);
    resetBall(attempt.ball, level.start);
    attempt.powerups = std::move(powerups);
    attempt.lives = lives;
    attempt.timeLeft = level.levelTime;
    attempt.checkpointsReached.assign(level.checkpoints.size(), false);
    attempt.physics = std::make_unique<PhysicsWorld>();
    attempt.physics->loadLevel(attempt.ball, level, attempt.run, models);
    return attempt;
}

GameEvents stepAttempt(Attempt& attempt, const StepInput& input, bool ballFrozen) {
    GameEvents events;
    if (attempt.outcome != AttemptOutcome::Playing || !attempt.level) return events;
    const Level& level = *attempt.level;
    if (!ballFrozen) {
        moveBall(attempt, input, events);
        updateFall(attempt, kStepSeconds, events);
        if (attempt.outcome != AttemptOutcome::Playing) return events;
        reachCheckpoints(attempt, events);
        updateCountdown(attempt, kStepSeconds, events);
    }
    if (isPowerupActive(attempt.powerups, PowerupType::Magnet)) {
        pullCoins(level, attempt.run, attempt.ball.position, kStepSeconds);
    }
    const std::vector<int> picked = animateObjects(level, attempt.run, kStepSeconds, attempt.clock,
                                                   attempt.ball.position, attempt.ball.radius);
    collectPickups(attempt, picked, events);
    for (PowerupType expired : agePowerups(attempt.powerups, kStepSeconds)) {
        GameEvent event = eventAt(GameEventType::PowerupExpired, attempt.ball.position);
        event.powerup = expired;
        events.push_back(event);
    }
    // Completing in the step the time runs out still counts as complete.
    if (attempt.outcome == AttemptOutcome::Playing || attempt.outcome == AttemptOutcome::TimeUp) {
        checkLevelComplete(attempt, events);
    }
    if (attempt.outcome == AttemptOutcome::Playing) noteLockedGate(attempt, attempt.ball.radius + kEndTileSlack, events);
    attempt.clock += kStepSeconds;
    attempt.steps += 1;
    return events;
}
