// The game being played as the screens see it: the session across levels, the
// attempt at the current level, the orbit camera that follows the ball, the
// sparks, and what is needed to draw it all smoothly: the poses of the last two
// simulation steps, blended by the share of a step the frame is past the last.
// The play screen advances it; the end screens and the pause screen only draw it.
#pragma once

#include "game/GameSession.h"
#include "game/OrbitCamera.h"
#include "game/SimulationClock.h"
#include "render/ParticlePool.h"
#include "render/SceneDrawList.h"
#include "screens/LevelScene.h"

#include <string>

struct Graphics;

class PlayWorld {
public:
    PlayWorld(GameSession& session, ModelLibrary& library);

    // Lives back to three, no powerups, the first level.
    void startNewGame();
    // The level at `index`, with the session's lives and powerups.
    void startLevel(int index);
    // The same level again with three lives; powerups carry over.
    void retry();
    // The same level from its start, with the lives the player has now and
    // the powerups carried into it: restarting costs no life.
    void restartLevel();
    // Lives and powerups go on to the next level; false (nothing started) when
    // the last level is done.
    bool startNextLevel();

    // One simulation step: the attempt, then the camera follows the ball (not
    // while `ballFrozen`) and taken coins burst into sparks.
    GameEvents step(const StepInput& input, bool ballFrozen);

    // The console line of the controls, printed at every level start.
    void setControlsLine(std::string line) { controlsLine = std::move(line); }

    // The scene as the frame shows it, `blend` (0..1) of a step past the last.
    SceneDrawList scene(float blend);
    // Where the orbit camera is drawn from at `blend`.
    OrbitCamera drawnCamera(float blend) const;

    Attempt& attempt() { return current; }
    const Attempt& attempt() const { return current; }
    const Level& level() const { return *current.level; }
    GameSession& session() { return game; }
    OrbitCamera& camera() { return orbit; }
    SimulationClock& clock() { return simulation; }
    ParticlePool& particles() { return sparks; }
    bool started() const { return current.level != nullptr; }

private:
    void begin(Attempt attempt);
    void followBall(bool ballFrozen);
    void rememberPose();

    GameSession& game;
    ModelLibrary& library;
    Attempt current;
    OrbitCamera orbit;
    SimulationClock simulation;
    ParticlePool sparks;
    std::string controlsLine;
    float lowestPoint = 0.0f;  // below every tile of the level: past it the camera only watches
    // The last two steps' poses; the frame blends between them.
    struct Pose {
        std::vector<ObjectPose> objects;
        Vec3 ballPosition{0.0f};
        Quat ballRotation{1.0f, 0.0f, 0.0f, 0.0f};
        Vec3 eye{0.0f};
        Vec3 target{0.0f};
    };
    Pose previous;
    Pose latest;
    std::vector<ObjectPose> blended;
};
