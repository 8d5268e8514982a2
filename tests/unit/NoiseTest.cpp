// Gradient, fractal and cellular noise against values printed by
// tools/texture_reference.py, a separate double-precision implementation of the
// published algorithms (it reproduces Perlin's own noise(3.14, 42, 7) = 0.136919958784).
#include "render/Noise.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Noise, GradientAndFractalSumsMatchTheReference) {
    struct Case { float x, y, z, noise; };
    // Negative cells and the seams where the permutation table repeats.
    for (const Case c : {Case{3.14f, 42, 7, 0.136919959f}, Case{-1.25f, -0.5f, -3.75f, -0.221897125f},
                         Case{255.5f, 1.5f, 0.3f, -0.008154f}, Case{-255.5f, 256.25f, -1.75f, -0.066623688f},
                         Case{300.7f, -300.7f, 0, -0.177865474f}, Case{-4, 0, 12, 0}}) {
        EXPECT_NEAR(noise(c.x, c.y, c.z), c.noise, 1e-4f) << c.x << " " << c.y << " " << c.z;
    }
    EXPECT_NEAR(fbm(-5.2f, 3.3f, 0.9f, 4, 0.55f, 2.5f), 0.101991348f, 1e-4f);
    EXPECT_NEAR(turbulence(-2.2f, 7.1f, 1.1f, 4), 0.167084418f, 1e-4f);
}

TEST(Noise, NoLayersCancellingWeightsAndHugeCoordinatesGiveFiniteValues) {
    EXPECT_EQ(fbm(0.3f, 0.4f, 0.5f, 0, 0.5f, 2.0f), 0.0f);
    EXPECT_EQ(fbm(0.3f, 0.4f, 0.5f, 2, -1.0f, 2.0f), 0.0f);  // weights 1 and -1: 0, not 0 / 0
    EXPECT_EQ(turbulence(0.3f, 0.4f, 0.5f, -3), 0.0f);
    for (const float big : {3e9f, -3e9f, 1e30f, -1e30f}) {  // beyond int range
        EXPECT_TRUE(std::isfinite(noise(big, 0.5f, -big)) && std::isfinite(cellular(big, -big))) << big;
    }
}

TEST(Cellular, MatchesTheReferenceOnCellBoundariesAndBelowZero) {
    struct Case { float x, y, expected; };
    const Case cases[] = {
        {-1.0f, 0.0f, 0.786545843f},    {-1.0f, -1.0f, 0.603310106f},       {-256.5f, -257.25f, 0.470724041f},
        {255.9f, -0.1f, 0.174784978f},  {-0.007843137f, -0.807843137f, 0}, {-0.77254902f, 0.752941176f, 0},
        {-255.925490196f, -256.090196078f, 0}, {-128.666666667f, 5.517647059f, 0},  // feature points of cells -1, -256, -129
    };
    for (const Case& c : cases) EXPECT_NEAR(cellular(c.x, c.y), c.expected, 1e-4f) << c.x << " " << c.y;
}
