// The collision world on Bullet and the physics step.
#include "physics/PhysicsWorld.h"

#include "app/Ball.h"
#include "level/Level.h"
#include "physics/ContactCollector.h"
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

PhysicsWorld::PhysicsWorld(ModelResolver resolver) : modelResolver(std::move(resolver)) {}

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

void PhysicsWorld::buildBodies(const Ball& ball, std::vector<SceneObject>& objects) {
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

    for (size_t i = 0; i < objects.size(); ++i) {
        if (!hasBody(objects[i])) continue;
        TileBody tile = buildTileBody(objects[i], static_cast<int>(i), modelResolver);
        world->addRigidBody(tile.body.get(), btBroadphaseProxy::DefaultFilter,
                            btBroadphaseProxy::AllFilter);
        tileBodies.push_back(std::move(tile));
    }
}

void PhysicsWorld::loadLevel(const Ball& ball, std::vector<SceneObject>& objects) {
    buildBodies(ball, objects);
}

void PhysicsWorld::clearBodies() {
    if (!world) return;
    if (ballObject) world->removeCollisionObject(ballObject.get());
    ballObject.reset();
    ballShape.reset();
    for (TileBody& tile : tileBodies) {
        if (tile.body) world->removeRigidBody(tile.body.get());
        tile.motionState.reset();
        tile.body.reset();
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

void PhysicsWorld::step(Ball& ball, std::vector<SceneObject>& objects, float dt) {
    if (!world || tileBodies.empty()) buildBodies(ball, objects);
    updateCrumbleTimers(objects, dt);
    placeMovingTiles(tileBodies, objects);
    switchCrumbleCollision(tileBodies, objects);
    ballObject->setWorldTransform(placedAt(ball.position));
    world->updateAabbs();
    collectAndResolveContacts(ball, objects, dt);
}

void PhysicsWorld::collectAndResolveContacts(Ball& ball, std::vector<SceneObject>& objects, float dt) {
    ContactCollector collector(ballObject.get());
    collector.contacts.swap(contactBuffer);
    collector.contacts.clear();
    world->contactTest(ballObject.get(), collector);
    resolveContacts(ball, objects, collector.contacts, dt);
    contactBuffer.swap(collector.contacts);
}
