// Gathers the penetrating contacts of the ball object from one contact query.
// Each normal points from the other object toward the ball (not unit length);
// depth is positive inside; objectIndex is the other object's user index (the
// tile's index in the level's objects, -1 for an object that is no tile).
#pragma once

#include "base/Math.h"

#include <btBulletCollisionCommon.h>

#include <vector>

struct Contact {
    Vec3 normal{0.0f};
    float depth = 0.0f;
    int objectIndex = -1;
};

struct ContactCollector : btCollisionWorld::ContactResultCallback {
    std::vector<Contact> contacts;
    const btCollisionObject* ballObject = nullptr;

    // Every object passes the filter; only penetrating points are kept.
    explicit ContactCollector(const btCollisionObject* ball);

    btScalar addSingleResult(btManifoldPoint& point, const btCollisionObjectWrapper* wrapper0,
                             int partId0, int index0, const btCollisionObjectWrapper* wrapper1,
                             int partId1, int index1) override;
};
