// The single collision world. The library finds contacts only: the world is
// never stepped and has no gravity. The tiles are mirrored as mass-0 bodies in
// object order, the ball as a non-responding sphere moved to the ball's place
// every step; the step then pushes the ball out of what it penetrates and
// records what it stands on. States: absent -> created (library objects) ->
// loaded (ball object and tile bodies of one level).
#pragma once

#include "physics/ContactCollector.h"
#include "physics/TileBody.h"

#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

struct Ball;
struct SceneObject;

class PhysicsWorld {
public:
    // `resolver` gives the model of an OBJ tile; without one every tile is a box.
    explicit PhysicsWorld(ModelResolver resolver = {});
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Rebuilds the ball object and one body per tile of `objects` (coins and
    // powerups get none), creating the library objects first when absent.
    void loadLevel(const Ball& ball, std::vector<SceneObject>& objects);

    // One frame: tile behaviours before the query (crumble timers, moving
    // tiles, crumble switch), then every penetrating contact of the ball
    // (resolveContacts). Builds the bodies first when there are none.
    void step(Ball& ball, std::vector<SceneObject>& objects, float dt);

    // Removes and frees the ball object and every tile body.
    void clearBodies();

    // Frees everything; a later loadLevel or step starts a new world.
    void shutdown();

    bool initialised() const { return world != nullptr; }

    ModelResolver modelResolver;
    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> world;
    std::unique_ptr<btCollisionObject> ballObject;
    std::unique_ptr<btSphereShape> ballShape;
    std::vector<TileBody> tileBodies;

private:
    // The contact list of the last step, kept so that a step reuses its memory.
    std::vector<Contact> contactBuffer;

    void createWorld();
    void buildBodies(const Ball& ball, std::vector<SceneObject>& objects);
    void collectAndResolveContacts(Ball& ball, std::vector<SceneObject>& objects, float dt);
};
