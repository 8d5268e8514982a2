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
#include "screens/PlayerProgress.h"

#include <optional>
#include <string>

struct Graphics;

// The ghost's pale blue, drawn see-through.
const Vec3 kGhostColor{0.55f, 0.8f, 1.0f};

// The way on from checkpoint `checkpoint` on the ground (x, z), unit length:
// towards the next checkpoint, else the end tile.
Vec2 wayOnFrom(const Level& level, int checkpoint);
// The orbit camera's yaw that looks along `way`.
float yawTowards(Vec2 way);

class PlayWorld {
public:
    PlayWorld(GameSession& session, ModelLibrary& library, PlayerProgress& progress);

    // Lives back to three, no powerups, the first level of the whole game.
    void startNewGame();
    // Level `index` alone, with three lives and no powerups.
    void startSingleLevel(int index);
    // The level at `index`, with the session's lives and powerups.
    void startLevel(int index);
    // The same level again with three lives; powerups carry over.
    void retry();
    // The same level from its start, with the lives the player has now and
    // the powerups carried into it: restarting costs no life.
    void restartLevel();
    // Lives and powerups go on to the next level; false (nothing started) when
    // the last level is done, or after a level played alone.
    bool startNextLevel();
    // The run just completed again from its recording, saying nothing; false
    // when there is none.
    bool startReplay();
    // One step of the replay; false once its recording is used up.
    bool stepReplay();
    bool replaying() const { return watching; }

    // One simulation step: the attempt, then the camera follows the ball (not
    // while `ballFrozen`) and taken coins burst into sparks.
    GameEvents step(const StepInput& input, bool ballFrozen);

    // The console line of the controls, printed at every level start.
    void setControlsLine(std::string line) { controlsLine = std::move(line); }
    // Whether attempts race the ghost of the level's best run.
    void showGhosts(bool on) { ghostsShown = on; }

    // What the last completed run changed in the records.
    const CompletionNote& completion() const { return lastCompletion; }
    // The split against the ghost at the last coin ("+1.23", "-0.40") while
    // it is shown, else empty; negative is ahead.
    const std::string& split() const { return splitText; }
    bool splitAhead() const { return splitIsAhead; }
    // "3 COINS LEFT" for a while after the ball reached a locked gate, else empty.
    const std::string& gateMessage() const { return gateText; }
    // Counts down the split's and the gate message's time on screen (frame seconds).
    void ageMessages(float seconds);

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
    void startGhost();
    void stepGhost();
    void noteCoin(const GameEvent& event);
    void followBall(bool ballFrozen);
    void rememberPose();

    GameSession& game;
    ModelLibrary& library;
    PlayerProgress& progress;
    Attempt current;
    RunRecording recording;
    RunRecording lastRun;  // the last completed run, for its replay
    CompletionNote lastCompletion;
    bool watching = false;
    std::size_t replayNext = 0;
    bool ghostsShown = true;
    // The best run, raced step for step by a quiet attempt of its own that
    // nothing in the player's attempt can touch.
    struct GhostRace {
        Ghost ghost;
        Attempt attempt;
        std::size_t next = 0;
        Vec3 previousPosition{0.0f};
        Vec3 latestPosition{0.0f};
    };
    std::optional<GhostRace> ghostRace;
    std::string splitText;
    bool splitIsAhead = false;
    float splitShownFor = 0.0f;
    std::string gateText;
    float gateShownFor = 0.0f;
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
