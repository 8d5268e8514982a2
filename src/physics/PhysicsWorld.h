// The collision world of one attempt. The library finds contacts only: the
// world is never stepped and has no gravity. The tiles are mirrored as mass-0
// bodies in object order, the ball as a non-responding sphere; each step moves
// the ball by its velocity in sub-steps short enough that it cannot pass
// through a thin tile, pushes it out of what it penetrates and records what it
// stands on. States: empty -> loaded (ball object and tile bodies of a level).
#pragma once

#include "level/LevelRun.h"
#include "model/ModelData.h"
#include "physics/ContactCollector.h"
#include "physics/TileBody.h"

#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

struct Ball;

// The longest move of one sub-step: with the ball's radius of 0.5 a tile 0.2
// thick is met while the centre is still above the tile's middle.
constexpr float kMaxSubStepTravel = 0.25f;
constexpr int kMaxSubSteps = 16;

// How many sub-steps a step of `dt` at `velocity` takes (1 to kMaxSubSteps).
int subStepsFor(Vec3 velocity, float dt);

class PhysicsWorld {
public:
    PhysicsWorld() = default;
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Rebuilds the ball object and one body per tile (coins and powerups get
    // none); `models[i]` is the model object i is drawn from, or null.
    void loadLevel(const Ball& ball, const Level& level, const LevelRun& run,
                   const std::vector<const ModelData*>& models);

    // One step: crumble timers, moving tiles and the crumble switch, then the
    // ball's move in sub-steps, each followed by its contacts (resolveContacts).
    void step(Ball& ball, const Level& level, LevelRun& run, float dt);

    // Frees everything; the world is empty until the next loadLevel.
    void shutdown();

    bool loaded() const { return world != nullptr; }
    const std::vector<TileBody>& bodies() const { return tileBodies; }

private:
    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> world;
    std::unique_ptr<btCollisionObject> ballObject;
    std::unique_ptr<btSphereShape> ballShape;
    std::vector<TileBody> tileBodies;
    // The contact list of the last query, kept so that a step reuses its memory.
    std::vector<Contact> contactBuffer;

    void createWorld();
    void clearBodies();
    void resolveBall(Ball& ball, const Level& level, LevelRun& run, float dt);
};
