// A step's contacts, from the library's report to the ball: only penetration
// counts and every normal points at the ball, and the same contacts move the
// ball the same way whatever order the library reports them in.
#include "physics/ContactResolver.h"

#include "PhysicsRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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
        collector.addSingleResult(point, c.ballFirst ? &ballSide : &tileSide, 0, 0,
                                  c.ballFirst ? &tileSide : &ballSide, 0, 0);
        ASSERT_EQ(collector.contacts.size(), c.normalY != 0.0f ? 1u : 0u);
        for (const Contact& contact : collector.contacts) {
            EXPECT_EQ(contact.normal, Vec3(0.0f, c.normalY, 0.0f));
            EXPECT_FLOAT_EQ(contact.depth, 0.25f);
            EXPECT_EQ(contact.objectIndex, 7);
        }
    }
}

TEST(ContactResolver, AnyReportOrderGivesTheSameBallAndIgnoredContactsDoNothing) {
    Level level;
    for (int i = 0; i < 4; ++i) addFloor(level);
    level.objects[2].tileType = TileType::Crumble;
    level.addCoin(Vec3(0.0f), 0.0f);
    LevelRun run = startRun(level);
    run.objects[2].crumbled = true;
    run.objects[4].collected = true;
    // A seam of rounded edges under the ball, a duplicate floor contact, a wall,
    // and contacts that must not count: a crumbled tile, a taken pickup, an
    // index past the list, a degenerate normal (not unit length as reported).
    const std::vector<Contact> reported = {
        {{0.15f, 1.98f, 0.0f}, 0.004f, 0}, {{-0.15f, 1.98f, 0.0f}, 0.004f, 1}, {{0.0f, 1.0f, 0.0f}, 0.003f, 0},
        {{-3.0f, 0.0f, 0.0f}, 0.01f, 1},   {{0.0f, 1.0f, 0.0f}, 0.5f, 2},      {{0.0f, 1.0f, 0.0f}, 0.5f, 4},
        {{0.0f, 1.0f, 0.0f}, 0.5f, 7},     {{0.0f, 0.0f, 0.0f}, 0.5f, 0}};
    std::vector<int> order = {0, 1, 2, 3, 4, 5, 6, 7};
    Ball first;
    do {  // all 40320 orders
        std::vector<Contact> contacts;
        for (int i : order) contacts.push_back(reported[i]);
        Ball ball;
        ball.position = {0.0f, 0.49f, 0.0f};
        ball.velocity = {0.3f, -2.0f, 0.1f};
        resolveContacts(ball, level.objects, run, contacts, kStepSeconds);
        ASSERT_EQ(contacts.size(), 4u) << "ignored contacts are dropped";
        if (order == std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}) {
            first = ball;
            EXPECT_TRUE(ball.grounded);
            EXPECT_LT(ball.position.y, 0.49f + 0.0045f) << "the seam's two edges and the floor pushed once, not thrice";
        }
        ASSERT_EQ(ball.position, first.position);
        ASSERT_EQ(ball.velocity, first.velocity);
    } while (std::next_permutation(order.begin(), order.end()));
}
