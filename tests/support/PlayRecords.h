// Every record a game in progress acts on, owned together for play without a
// window: the rules and whole play frames run on them as the frame loop runs
// them. Starts in Playing with the particle pool's CPU half ready; no level is
// started.
#pragma once

#include "app/GameRules.h"
#include "app/Input.h"
#include "app/PlayFrame.h"
#include "config/Config.h"

#include <utility>
#include <vector>

struct PlayRecords {
    GameProgress progress;
    std::vector<Level> levels;
    Ball ball;
    OrbitCamera camera;
    PhysicsWorld physics;
    ParticleSystem particles;
    GameState state = GameState::Playing;
    PlaySession session{progress, levels, ball, camera, physics, particles, state};
    Input input;
    Config config;
    OrbitDrag drag;
    float elapsed = 0.0f;

    // `resolver` gives the physics the models of OBJ tiles; without one they are boxes.
    explicit PlayRecords(ModelResolver resolver = {}) : physics(std::move(resolver)) { particles.init(2048); }
};
