// The collision world on Bullet and the physics step.
#include "physics/PhysicsWorld.h"

#include "app/Ball.h"
#include "level/Level.h"
#include "physics/ContactCollector.h"
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

// Contacts that no longer block: past the list, a taken pickup, a crumbled tile.
bool isIgnored(int index, const std::vector<SceneObject>& objects) {
    if (index < 0 || static_cast<size_t>(index) >= objects.size()) return true;
    const SceneObject& object = objects[index];
    if (object.collected) return true;
    return object.tileType == TileType::Crumble && object.crumbled;
}

// The depths are measured once, before any push. Two triangles sharing an
// edge, or two tiles sharing a seam, report the same penetration along the
// same normal; pushing by both would lift the ball clear of the ground and
// leave it ungrounded every other frame. So a contact only pushes by what the
// earlier contacts of this step have not already pushed along its normal.
// Pushes that went against the normal are not added: a squeezed ball keeps
// the plain sum of its pushes.
float remainingDepth(float depth, Vec3 pushedSoFar, Vec3 unitNormal) {
    const float along = glm::dot(pushedSoFar, unitNormal);
    return along > 0.0f ? std::max(0.0f, depth - along) : depth;
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
    resolveContacts(ball, objects, dt);
}

void PhysicsWorld::resolveContacts(Ball& ball, std::vector<SceneObject>& objects, float dt) {
    ContactCollector collector(ballObject.get());
    collector.contacts.swap(contactBuffer);
    collector.contacts.clear();
    world->contactTest(ballObject.get(), collector);

    ball.friction = kNormalFriction;
    ball.surface = static_cast<int>(TileType::Normal);
    ball.grounded = false;
    const Vec3 start = ball.position;
    for (const Contact& contact : collector.contacts) {
        if (isIgnored(contact.objectIndex, objects)) continue;
        const float length = glm::length(contact.normal);
        // A degenerate normal has no direction to push along; dividing by it
        // would put NaN into the ball for good.
        if (!(length > 0.0f) || !std::isfinite(length)) continue;
        const Vec3 n = contact.normal / length;
        applyTileContact(ball, objects[contact.objectIndex], n,
                         remainingDepth(contact.depth, ball.position - start, n), dt);
    }
    contactBuffer.swap(collector.contacts);
}
