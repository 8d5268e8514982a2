// The collision world on Bullet and the physics step.
#include "physics/PhysicsWorld.h"

#include "physics/Ball.h"
#include "physics/ContactResolver.h"
#include "physics/TileBehaviours.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

btTransform placedAt(Vec3 position) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(position.x, position.y, position.z));
    return transform;
}

bool hasBody(const SceneObject& object) {
    return object.kind == ObjectKind::Tile || object.kind == ObjectKind::MovingTile;
}

}  // namespace

int subStepsFor(Vec3 velocity, float dt) {
    const float travel = glm::length(velocity) * dt;
    if (!(travel > kMaxSubStepTravel)) return 1;  // NaN too: one step, as before
    return std::min(kMaxSubSteps, static_cast<int>(std::ceil(travel / kMaxSubStepTravel)));
}

PhysicsWorld::~PhysicsWorld() { shutdown(); }

void PhysicsWorld::createWorld() {
    btDefaultCollisionConstructionInfo info;
    collisionConfiguration = std::make_unique<btDefaultCollisionConfiguration>(info);
    dispatcher = std::make_unique<btCollisionDispatcher>(collisionConfiguration.get());
    broadphase = std::make_unique<btDbvtBroadphase>();
    solver = std::make_unique<btSequentialImpulseConstraintSolver>();
    world = std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                      solver.get(), collisionConfiguration.get());
    world->setGravity(btVector3(0.0f, 0.0f, 0.0f));
    // Static tiles never move: the world puts them to sleep when they are
    // added, so the per-step bounds update only has to visit the ball and the
    // moving tiles (which never sleep). Same contacts, a fraction of the work
    // on large levels.
    world->setForceUpdateAllAabbs(false);
}

void PhysicsWorld::loadLevel(const Ball& ball, const Level& level, const LevelRun& run,
                             const std::vector<const ModelData*>& models) {
    if (!world) createWorld();
    clearBodies();

    ballShape = std::make_unique<btSphereShape>(ball.radius);
    ballObject = std::make_unique<btCollisionObject>();
    ballObject->setCollisionShape(ballShape.get());
    ballObject->setCollisionFlags(btCollisionObject::CF_KINEMATIC_OBJECT |
                                  btCollisionObject::CF_NO_CONTACT_RESPONSE);
    ballObject->setWorldTransform(placedAt(ball.position));
    world->addCollisionObject(ballObject.get(), btBroadphaseProxy::StaticFilter,
                              btBroadphaseProxy::AllFilter ^ btBroadphaseProxy::StaticFilter);

    const std::size_t count = std::min(level.objects.size(), run.objects.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!hasBody(level.objects[i])) continue;
        const ModelData* model = i < models.size() ? models[i] : nullptr;
        TileBody tile = buildTileBody(level.objects[i], run.objects[i], static_cast<int>(i), model);
        world->addRigidBody(tile.body.get(), btBroadphaseProxy::DefaultFilter, btBroadphaseProxy::AllFilter);
        tileBodies.push_back(std::move(tile));
    }
}

void PhysicsWorld::clearBodies() {
    if (!world) return;
    if (ballObject) world->removeCollisionObject(ballObject.get());
    ballObject.reset();
    ballShape.reset();
    for (TileBody& tile : tileBodies) {
        if (tile.body) world->removeRigidBody(tile.body.get());
        tile.body.reset();
        tile.motionState.reset();
        tile.shape.reset();
        tile.triangleMesh.reset();
    }
    tileBodies.clear();
}

void PhysicsWorld::shutdown() {
    clearBodies();
    world.reset();
    solver.reset();
    broadphase.reset();
    dispatcher.reset();
    collisionConfiguration.reset();
}

void PhysicsWorld::step(Ball& ball, const Level& level, LevelRun& run, float dt) {
    if (world) {
        updateCrumbleTimers(level.objects, run, dt);
        placeMovingTiles(tileBodies, level.objects, run);
        switchCrumbleCollision(tileBodies, level.objects, run);
    }
    const int subSteps = subStepsFor(ball.velocity, dt);
    const float subDt = dt / static_cast<float>(subSteps);
    for (int i = 0; i < subSteps; ++i) {
        ball.position += ball.velocity * subDt;
        resolveBall(ball, level, run, subDt);
    }
}

void PhysicsWorld::resolveBall(Ball& ball, const Level& level, LevelRun& run, float dt) {
    if (!world || !ballObject) {
        // Nothing to stand on: the ball falls freely.
        ball.friction = kNormalFriction;
        ball.surface = static_cast<int>(TileType::Normal);
        ball.grounded = false;
        return;
    }
    ballObject->setWorldTransform(placedAt(ball.position));
    world->updateAabbs();
    ContactCollector collector(ballObject.get());
    collector.contacts.swap(contactBuffer);
    collector.contacts.clear();
    world->contactTest(ballObject.get(), collector);
    resolveContacts(ball, level.objects, run, collector.contacts, dt);
    contactBuffer.swap(collector.contacts);
}
