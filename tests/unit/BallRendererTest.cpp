// The scene renderer's CPU half: where objects are drawn, how crumbling tiles
// are shaded, and the sun's view for the shadow map.
#include "level/Level.h"
#include "render/BallRenderer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vec3 transformPoint(const Mat4& m, Vec3 p) {
    const Vec4 r = m * Vec4(p, 1.0f);
    return Vec3(r) / r.w;
}

void expectNear(Vec3 actual, Vec3 expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool finite(const Mat4& m) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            if (!std::isfinite(m[c][r])) return false;
        }
    }
    return true;
}

}  // namespace

TEST(ObjectModelMatrix, PlacesScalesSpinsAndBobsByKind) {
    struct Case {
        const char* name;
        ObjectKind kind;
        Vec3 local;     // a point of the unit shape
        Vec3 expected;  // where it lands
    };
    // Every object: pos (1, 2, 3), size (2, 4, 6), anim 90, bob 0.5, moving
    // offset 1.5 along (0, 0, 1).
    const Case cases[] = {
        {"tile: scaled, then placed with its bob", ObjectKind::Tile,
         {0.5f, 0.5f, 0.5f}, {2.0f, 4.5f, 6.0f}},
        {"coin: spun a quarter turn about y, then bobbed", ObjectKind::Coin, {0.5f, 0.0f, 0.0f},
         {1.0f, 2.5f, 2.0f}},
        {"powerup spins like a coin", ObjectKind::Powerup, {0.0f, 0.0f, 0.5f}, {4.0f, 2.5f, 3.0f}},
        {"moving tile: moved along its axis, no bob, no spin", ObjectKind::MovingTile, {0.5f, 0.5f, 0.5f},
         {2.0f, 4.0f, 7.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneObject object;
        object.kind = c.kind;
        object.pos = {1.0f, 2.0f, 3.0f};
        object.size = {2.0f, 4.0f, 6.0f};
        object.anim = 90.0f;
        object.bob = 0.5f;
        object.moveAxis = {0.0f, 0.0f, 1.0f};
        object.moveOffset = 1.5f;
        expectNear(transformPoint(objectModelMatrix(object), c.local), c.expected);
    }
}

TEST(ObjectShade, OnlyCrumblingTilesReddenAndOnlyAsTheyGiveWay) {
    const Vec3 green(0.3f, 0.8f, 0.45f);
    struct Case {
        TileType type;
        float progress;
        float colourShare;  // of the crumble red in the colour
    };
    const Case cases[] = {
        {TileType::Normal, 0.5f, 0.0f},  {TileType::Ice, 0.7f, 0.0f},      {TileType::Crumble, 0.0f, 0.0f},
        {TileType::Crumble, 0.4f, 0.35f}, {TileType::Crumble, 0.8f, 0.7f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.type) << " at " << c.progress);
        SceneObject tile;
        tile.color = green;
        tile.tileType = c.type;
        tile.crumbleProgress = c.progress;
        const ObjectShade shade = objectShade(tile);
        expectNear(shade.color, green + (Vec3(0.9f, 0.15f, 0.1f) - green) * c.colourShare);
        // The tint travels 0.6 / 0.7 as far towards its red as the colour does.
        const float tintShare = c.colourShare * 0.6f / 0.7f;
        expectNear(shade.tint, Vec3(1.0f) + (Vec3(1.0f, 0.2f, 0.1f) - Vec3(1.0f)) * tintShare);
    }
}

TEST(LightSpaceMatrix, FocusSitsMidMapAndTheSunLooksDownItsDirection) {
    const Vec3 suns[] = {{40.0f, 80.0f, 30.0f}, {-50.0f, 70.0f, 40.0f}, {60.0f, 5.0f, 0.0f}};
    const Vec3 focus(3.0f, 1.0f, -2.0f);
    const float extent = 14.0f;
    for (Vec3 sun : suns) {
        SCOPED_TRACE(testing::Message() << sun.x << " " << sun.y << " " << sun.z);
        const Mat4 m = lightSpaceMatrix(sun, focus, extent);
        const Vec3 centre = transformPoint(m, focus);
        EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
        EXPECT_NEAR(centre.y, 0.0f, 1e-4f);
        // Points along the sun's direction share the focus's texel, and the
        // one nearer the sun is nearer in depth.
        const Vec3 towardsSun = transformPoint(m, focus + glm::normalize(sun) * 5.0f);
        EXPECT_NEAR(towardsSun.x, 0.0f, 1e-4f);
        EXPECT_NEAR(towardsSun.y, 0.0f, 1e-4f);
        EXPECT_LT(towardsSun.z, centre.z);
        // The box is 1.2 extents wide each way: a point 1.2 extents off the
        // focus across the light's view lands on the map's edge.
        const Vec3 across = glm::normalize(glm::cross(glm::normalize(sun), Vec3(0.0f, 1.0f, 0.0f)));
        const Vec3 edge = transformPoint(m, focus + across * (1.2f * extent));
        EXPECT_NEAR(std::max(std::fabs(edge.x), std::fabs(edge.y)), 1.0f, 1e-3f);
    }
}

TEST(LightSpaceMatrix, SunOverheadOrAtTheOriginStillGivesAUsableView) {
    const Vec3 focus(1.0f, 0.5f, 2.0f);
    const Vec3 overheadSuns[] = {{0.0f, 80.0f, 0.0f}, {0.5f, 80.0f, -0.5f}, {0.0f, 0.0f, 0.0f}};
    for (Vec3 sun : overheadSuns) {
        SCOPED_TRACE(testing::Message() << sun.x << " " << sun.y << " " << sun.z);
        const Mat4 m = lightSpaceMatrix(sun, focus, 14.0f);
        ASSERT_TRUE(finite(m));
        // Seen from above with (0, 0, 1) as up: +x stays a map axis, and a
        // point above the focus is nearer the light.
        const Vec3 east = transformPoint(m, focus + Vec3(4.0f, 0.0f, 0.0f)) - transformPoint(m, focus);
        EXPECT_GT(std::fabs(east.x) + std::fabs(east.y), 0.2f);
        const Vec3 south = transformPoint(m, focus + Vec3(0.0f, 0.0f, 4.0f)) - transformPoint(m, focus);
        EXPECT_GT(south.y, 0.2f) << "up (0, 0, 1) puts +z at the top of the map";
        EXPECT_LT(transformPoint(m, focus + Vec3(0.0f, 3.0f, 0.0f)).z, transformPoint(m, focus).z);
    }
}
