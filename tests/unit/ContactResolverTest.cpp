// One step's contacts against the ball: the same contacts move the ball the
// same way whatever order the collision library reports them in.
#include "physics/ContactResolver.h"

#include "PhysicsRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(ContactResolver, AnyReportOrderGivesTheSameBallAndIgnoredContactsDoNothing) {
    Level level;
    for (int i = 0; i < 3; ++i) addFloor(level);
    level.objects[2].tileType = TileType::Crumble;
    level.objects[2].crumbled = true;
    // A seam of rounded edges under the ball, a duplicate floor contact, a wall,
    // and contacts that must not count: a crumbled tile, an index past the list,
    // a degenerate normal (not unit length as reported).
    const std::vector<Contact> reported = {
        {{0.15f, 1.98f, 0.0f}, 0.004f, 0}, {{-0.15f, 1.98f, 0.0f}, 0.004f, 1}, {{0.0f, 1.0f, 0.0f}, 0.003f, 0},
        {{-3.0f, 0.0f, 0.0f}, 0.01f, 1},   {{0.0f, 1.0f, 0.0f}, 0.5f, 2},      {{0.0f, 1.0f, 0.0f}, 0.5f, 7},
        {{0.0f, 0.0f, 0.0f}, 0.5f, 0}};
    std::vector<int> order = {0, 1, 2, 3, 4, 5, 6};
    Ball first;
    do {  // all 5040 orders
        std::vector<Contact> contacts;
        for (int i : order) contacts.push_back(reported[i]);
        Ball ball = ballAt({0.0f, 0.49f, 0.0f}, {0.3f, -2.0f, 0.1f});
        resolveContacts(ball, level.objects, contacts, 1.0f / 60.0f);
        ASSERT_EQ(contacts.size(), 4u) << "ignored contacts are dropped";
        if (order == std::vector<int>{0, 1, 2, 3, 4, 5, 6}) {
            first = ball;
            EXPECT_TRUE(ball.grounded);
            EXPECT_LT(ball.position.y, 0.49f + 0.0045f) << "the seam's two edges and the floor pushed once, not thrice";
        }
        ASSERT_EQ(ball.position, first.position);
        ASSERT_EQ(ball.velocity, first.velocity);
    } while (std::next_permutation(order.begin(), order.end()));
}
