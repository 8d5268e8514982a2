// The per-tile behaviours of the physics step.
#include "physics/TileBehaviours.h"

#include "physics/Ball.h"
#include "physics/TileBody.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kConveyorMinimumLength = 0.001f;

bool isTileIndex(int index, const std::vector<SceneObject>& objects, const LevelRun& run) {
    return index >= 0 && static_cast<size_t>(index) < objects.size() && static_cast<size_t>(index) < run.objects.size();
}

void standOnGround(Ball& ball, Vec3 n, float depth, TileType surface, float friction) {
    resolveContact(ball, n, depth);
    if (isSupporting(n)) {
        ball.friction = friction;
        ball.surface = static_cast<int>(surface);
    }
}

// The rebound is 1.8 times the landing speed, at least 1.8 times the floor, so
// a ball can never come to rest on a bouncy tile. Friction is not touched.
void bounce(Ball& ball, Vec3 n, float depth) {
    if (!isSupporting(n)) {
        resolveContact(ball, n, depth);  // a side blocks like a wall
        return;
    }
    ball.surface = static_cast<int>(TileType::Bouncy);
    ball.position += n * depth;
    const float rebound = std::max(kBounceFloor, std::fabs(std::min(0.0f, ball.velocity.y))) * kBounceGain;
    ball.velocity.y = std::min(rebound, kBounceMaxRebound);
    ball.grounded = false;
}

void crumble(Ball& ball, ObjectState& tile, Vec3 n, float depth, float dt) {
    resolveContact(ball, n, depth);
    if (isSupporting(n)) {
        ball.surface = static_cast<int>(TileType::Crumble);
        tile.crumbleProgress += dt;
        if (tile.crumbleProgress >= kCrumbleDelay) {
            tile.crumbled = true;
            tile.crumbleProgress = 0.0f;
            tile.crumbleRespawn = kCrumbleRespawn;
        }
    } else {
        tile.crumbleProgress = std::max(0.0f, tile.crumbleProgress - kCrumbleDecayPerSecond * dt);
    }
}

void convey(Ball& ball, const SceneObject& tile, Vec3 n, float depth, float dt) {
    resolveContact(ball, n, depth);
    if (!isSupporting(n)) return;
    ball.surface = static_cast<int>(TileType::Conveyor);
    float dx = tile.moveAxis.x;
    float dz = tile.moveAxis.z;
    const float length = std::sqrt(dx * dx + dz * dz);
    if (length > kConveyorMinimumLength) {
        dx /= length;
        dz /= length;
    }
    ball.velocity.x += dx * kConveyorAcceleration * dt;
    ball.velocity.z += dz * kConveyorAcceleration * dt;
}

}  // namespace

void resolveContact(Ball& ball, Vec3 n, float depth) {
    ball.position += n * depth;
    const float intoSurface = glm::dot(ball.velocity, n);
    if (intoSurface < 0.0f) ball.velocity -= n * intoSurface;
    if (isSupporting(n)) {
        ball.grounded = true;
        if (ball.velocity.y < 0.0f) ball.velocity.y = 0.0f;
    }
}

void updateCrumbleTimers(const std::vector<SceneObject>& objects, LevelRun& run, float dt) {
    for (std::size_t i = 0; i < objects.size() && i < run.objects.size(); ++i) {
        ObjectState& state = run.objects[i];
        if (objects[i].tileType != TileType::Crumble || !state.crumbled) continue;
        state.crumbleRespawn -= dt;
        if (state.crumbleRespawn <= 0.0f) {
            state.crumbled = false;
            state.crumbleProgress = 0.0f;
        }
    }
}

void placeMovingTiles(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects,
                      const LevelRun& run) {
    for (TileBody& tile : tileBodies) {
        if (!isTileIndex(tile.objectIndex, objects, run)) continue;
        const SceneObject& object = objects[tile.objectIndex];
        if (object.kind != ObjectKind::MovingTile) continue;
        btTransform transform;
        transform.setIdentity();
        transform.setOrigin(tileBodyOrigin(object, run.objects[tile.objectIndex]));
        tile.motionState->setWorldTransform(transform);
        tile.body->setWorldTransform(transform);
    }
}

void switchCrumbleCollision(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects,
                            const LevelRun& run) {
    for (TileBody& tile : tileBodies) {
        if (!isTileIndex(tile.objectIndex, objects, run)) continue;
        if (objects[tile.objectIndex].tileType != TileType::Crumble) continue;
        int flags = tile.body->getCollisionFlags();
        if (run.objects[tile.objectIndex].crumbled) {
            flags |= btCollisionObject::CF_NO_CONTACT_RESPONSE;
        } else {
            flags &= ~btCollisionObject::CF_NO_CONTACT_RESPONSE;
        }
        tile.body->setCollisionFlags(flags);
    }
}

void applyTileContact(Ball& ball, const SceneObject& tile, ObjectState& state, Vec3 n, float depth, float dt) {
    switch (tile.tileType) {
        case TileType::Ice:
            standOnGround(ball, n, depth, TileType::Ice, kIceFriction);
            return;
        case TileType::Bouncy:
            bounce(ball, n, depth);
            return;
        case TileType::Crumble:
            crumble(ball, state, n, depth, dt);
            return;
        case TileType::Conveyor:
            convey(ball, tile, n, depth, dt);
            return;
        case TileType::Normal:
        case TileType::Teleport:
            break;
    }
    standOnGround(ball, n, depth, TileType::Normal, kNormalFriction);
}
