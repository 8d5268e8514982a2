// Contact gathering: only penetration counts, and the normal always points at
// the ball whichever side of the pair the library put it on.
#include "physics/ContactCollector.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
    btSphereShape ballShape{0.5f};
    btBoxShape tileShape{btVector3(1.0f, 1.0f, 1.0f)};
    btCollisionObject ball;
    btCollisionObject tile;
    btTransform identity = btTransform::getIdentity();
    btCollisionObjectWrapper ballWrapper{nullptr, &ballShape, &ball, identity, -1, -1};
    btCollisionObjectWrapper tileWrapper{nullptr, &tileShape, &tile, identity, -1, -1};

    Pair() {
        ball.setCollisionShape(&ballShape);
        tile.setCollisionShape(&tileShape);
        tile.setUserIndex(7);
    }
};

btManifoldPoint pointWith(btVector3 normalOnB, float distance) {
    return btManifoldPoint(btVector3(0, 0, 0), btVector3(0, 0, 0), normalOnB, distance);
}

}  // namespace

TEST(ContactCollector, NormalPointsTowardTheBallOnEitherSideOfThePair) {
    struct Case { bool ballFirst; Vec3 expected; };
    for (const Case c : {Case{true, {0.0f, 1.0f, 0.0f}}, Case{false, {0.0f, -1.0f, 0.0f}}}) {
        SCOPED_TRACE(c.ballFirst);
        Pair pair;
        ContactCollector collector(&pair.ball);
        btManifoldPoint point = pointWith(btVector3(0.0f, 1.0f, 0.0f), -0.25f);
        if (c.ballFirst) {
            collector.addSingleResult(point, &pair.ballWrapper, 0, 0, &pair.tileWrapper, 0, 0);
        } else {
            collector.addSingleResult(point, &pair.tileWrapper, 0, 0, &pair.ballWrapper, 0, 0);
        }
        ASSERT_EQ(collector.contacts.size(), 1u);
        EXPECT_EQ(collector.contacts[0].normal, c.expected);
        EXPECT_FLOAT_EQ(collector.contacts[0].depth, 0.25f);
        EXPECT_EQ(collector.contacts[0].objectIndex, 7);
    }
}

TEST(ContactCollector, TouchingOrSeparatedPointsAreNotContacts) {
    for (const float distance : {0.0f, 0.01f, 1.0f}) {
        SCOPED_TRACE(distance);
        Pair pair;
        ContactCollector collector(&pair.ball);
        btManifoldPoint point = pointWith(btVector3(0.0f, 1.0f, 0.0f), distance);
        EXPECT_EQ(collector.addSingleResult(point, &pair.ballWrapper, 0, 0, &pair.tileWrapper, 0, 0), 0.0f);
        EXPECT_TRUE(collector.contacts.empty());
    }
}

TEST(ContactCollector, LetsEveryFilterGroupThrough) {
    Pair pair;
    ContactCollector collector(&pair.ball);
    btBroadphaseProxy proxy;
    for (const int group : {1, 2, 64, -1}) {
        SCOPED_TRACE(group);
        proxy.m_collisionFilterGroup = group;
        proxy.m_collisionFilterMask = group;
        EXPECT_TRUE(collector.needsCollision(&proxy));
    }
}
