// Contact gathering: only penetration counts, and the normal points at the ball
// whichever side of the pair the library put it on (the physics step alone
// never shows the ball as the second object).
#include "physics/ContactCollector.h"

#include <gtest/gtest.h>

TEST(ContactCollector, KeepsOnlyPenetrationWithTheNormalTowardTheBallOnEitherSide) {
    struct Case { bool ballFirst; float distance; float normalY; };
    for (const Case c : {Case{true, -0.25f, 1}, Case{false, -0.25f, -1}, Case{true, 0, 0}, Case{false, 0.01f, 0}}) {
        SCOPED_TRACE(testing::Message() << "ball first " << c.ballFirst << ", distance " << c.distance);
        btSphereShape ballShape(0.5f);
        btBoxShape tileShape(btVector3(1.0f, 1.0f, 1.0f));
        btCollisionObject ball, tile;
        tile.setUserIndex(7);
        const btTransform identity = btTransform::getIdentity();
        const btCollisionObjectWrapper ballSide(nullptr, &ballShape, &ball, identity, -1, -1);
        const btCollisionObjectWrapper tileSide(nullptr, &tileShape, &tile, identity, -1, -1);
        btManifoldPoint point(btVector3(0, 0, 0), btVector3(0, 0, 0), btVector3(0, 1, 0), c.distance);
        ContactCollector collector(&ball);
        collector.addSingleResult(point, c.ballFirst ? &ballSide : &tileSide, 0, 0, c.ballFirst ? &tileSide : &ballSide, 0, 0);
        ASSERT_EQ(collector.contacts.size(), c.normalY != 0.0f ? 1u : 0u);
        for (const Contact& contact : collector.contacts) {
            EXPECT_EQ(contact.normal, Vec3(0.0f, c.normalY, 0.0f));
            EXPECT_FLOAT_EQ(contact.depth, 0.25f);
            EXPECT_EQ(contact.objectIndex, 7);
        }
    }
}
