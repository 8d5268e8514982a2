// A moving tile's axis from any numbers a file gives: unit length or zero,
// never one that puts NaN into the tile.
#include "level/LevelRun.h"

#include <gtest/gtest.h>

TEST(LevelAdders, MovingTileAxisIsUnitOrZeroSoTheTileNeverGetsNaN) {
    for (const auto& [axis, unit] : {std::pair{Vec3(3, 0, 4), Vec3(0.6f, 0, 0.8f)}, {Vec3(1e30f, 0, 0), Vec3(1, 0, 0)},
                                     {Vec3(0, 0, -1e-30f), Vec3(0, 0, -1)}, {Vec3(1e-45f, 0, 0), Vec3(1, 0, 0)},
                                     {Vec3(3e38f, 3e38f, 0), Vec3(0.70710678f, 0.70710678f, 0)}, {Vec3(0), Vec3(0)},
                                     {Vec3(INFINITY, 0, 0), Vec3(0)}, {Vec3(0, NAN, 1), Vec3(0)}}) {
        Level level;
        const SceneObject& tile = level.addMovingTile({1, 2, 3}, Vec3(1), Vec3(1), axis, 3.0f, 1.5f, 0.5f);
        EXPECT_LT(glm::length(tile.moveAxis - unit), 1e-6f) << axis.x << " " << axis.y << " " << axis.z;
        EXPECT_TRUE(std::isfinite(glm::length(placedPosition(tile, startRun(level).objects[0])))) << axis.x;
    }
}
