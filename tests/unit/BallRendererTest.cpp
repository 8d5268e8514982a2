// The scene renderer's CPU half: where objects are drawn and the sun's view for the shadow map.
#include "level/Level.h"
#include "render/BallRenderer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vec3 transformPoint(const Mat4& m, Vec3 p) {
    const Vec4 r = m * Vec4(p, 1.0f);
    return Vec3(r) / r.w;
}

}  // namespace

TEST(ObjectModelMatrix, PlacesScalesSpinsAndBobsByKind) {
    // Every object: pos (1, 2, 3), size (2, 4, 6), anim 90, bob 0.5, offset 1.5 along +z.
    struct Case { ObjectKind kind; Vec3 local, expected; };
    for (const Case c : {Case{ObjectKind::Tile, {0.5f, 0.5f, 0.5f}, {2.0f, 4.5f, 6.0f}},  // scaled, placed, bobbed
                         Case{ObjectKind::Coin, {0.5f, 0.0f, 0.0f}, {1.0f, 2.5f, 2.0f}},  // a quarter turn about y
                         Case{ObjectKind::Powerup, {0.0f, 0.0f, 0.5f}, {4.0f, 2.5f, 3.0f}},
                         Case{ObjectKind::MovingTile, {0.5f, 0.5f, 0.5f}, {2.0f, 4.0f, 7.5f}}}) {  // moved, no bob
        SceneObject object;
        object.kind = c.kind;
        object.pos = {1.0f, 2.0f, 3.0f};
        object.size = {2.0f, 4.0f, 6.0f};
        object.anim = 90.0f;
        object.bob = 0.5f;
        object.moveAxis = {0.0f, 0.0f, 1.0f};
        object.moveOffset = 1.5f;
        EXPECT_LT(glm::distance(transformPoint(objectModelMatrix(object), c.local), c.expected), 1e-4f)
            << static_cast<int>(c.kind);
    }
}

TEST(LightSpaceMatrix, FocusSitsMidMapTheSunLooksDownItsDirectionAndOverheadStaysFinite) {
    const Vec3 focus(3.0f, 1.0f, -2.0f);
    for (const Vec3 sun : {Vec3(40, 80, 30), Vec3(-50, 70, 40), Vec3(60, 5, 0), Vec3(0, 80, 0), Vec3(0.5f, 80, -0.5f)}) {
        SCOPED_TRACE(testing::Message() << sun.x << " " << sun.y << " " << sun.z);
        const Mat4 m = lightSpaceMatrix(sun, focus, 14.0f);
        const Vec3 centre = transformPoint(m, focus);
        const Vec3 towardsSun = transformPoint(m, focus + glm::normalize(sun) * 5.0f);
        EXPECT_LT(glm::length(Vec2(centre)) + glm::length(Vec2(towardsSun)), 1e-4f);  // both on the focus's texel
        EXPECT_LT(towardsSun.z, centre.z);
        const bool overhead = std::abs(sun.x) + std::abs(sun.z) <= 1.0f;  // then +z is the map's up
        const Vec3 across = overhead ? Vec3(0, 0, 1) : glm::normalize(glm::cross(sun, Vec3(0.0f, 1.0f, 0.0f)));
        const Vec3 edge = transformPoint(m, focus + across * 16.8f);  // the box is 1.2 extents wide each way
        EXPECT_NEAR(overhead ? edge.y : std::max(std::fabs(edge.x), std::fabs(edge.y)), 1.0f, 1e-3f);
    }
    EXPECT_TRUE(std::isfinite(transformPoint(lightSpaceMatrix(Vec3(0.0f), focus, 14.0f), focus).x));  // no direction
}
