// Gradient, fractal and cellular noise against an independent implementation.
//
// The expected values were printed by tools/texture_reference.py, a separate
// double-precision Python implementation of the published improved-noise
// algorithm (it also reproduces Perlin's own published noise(3.14, 42, 7) =
// 0.136919958784). Tolerances cover single versus double precision only.
#include "render/Noise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {
std::string where(float x, float y, float z) {
    return "at (" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) + ")";
}
}  // namespace

TEST(Noise, MatchesTheReferenceAlgorithm) {
    struct Case {
        float x, y, z, expected;
    };
    const Case cases[] = {
        {3.14f, 42.0f, 7.0f, 0.136919959f},          // Perlin's published sample
        {0.5f, 0.5f, 0.5f, -0.250000000f},
        {0.25f, 0.75f, 0.1f, -0.071114352f},
        {-0.3f, 1.7f, 2.2f, -0.029045453f},
        {-1.25f, -0.5f, -3.75f, -0.221897125f},      // negative cells on every axis
        {10.1f, -20.2f, 30.3f, 0.341036015f},
        {255.5f, 1.5f, 0.3f, -0.008154000f},         // the last cell before the wrap
        {-255.5f, 256.25f, -1.75f, -0.066623688f},
        {300.7f, -300.7f, 0.0f, -0.177865474f},
        {1000.125f, 0.375f, -0.625f, -0.227222639f},
        {7.0f, 8.0f, 9.0f, 0.0f},                    // lattice points are zero
        {-4.0f, 0.0f, 12.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(c.x, c.y, c.z));
        EXPECT_NEAR(noise(c.x, c.y, c.z), c.expected, 1e-4f);
    }
}

TEST(Noise, RepeatsEvery256UnitsOnEachAxisAlsoBelowZero) {
    // Dyadic coordinates stay exact when shifted, so the values must be equal bit for bit.
    const float points[][3] = {{0.25f, 0.5f, 0.75f}, {-3.125f, 17.5f, -0.375f}, {100.0625f, -7.25f, 2.5f}};
    for (const auto& p : points) {
        SCOPED_TRACE(where(p[0], p[1], p[2]));
        const float value = noise(p[0], p[1], p[2]);
        EXPECT_EQ(noise(p[0] + 256.0f, p[1], p[2]), value);
        EXPECT_EQ(noise(p[0], p[1] - 256.0f, p[2]), value);
        EXPECT_EQ(noise(p[0], p[1], p[2] - 512.0f), value);
    }
}

TEST(Noise, CoordinatesBeyondIntRangeGiveAFiniteValue) {
    for (float big : {3e9f, -3e9f, 1e30f, -1e30f}) {
        SCOPED_TRACE(big);
        EXPECT_TRUE(std::isfinite(noise(big, 0.5f, -big)));
        EXPECT_TRUE(std::isfinite(cellular(big, -big)));
    }
}

TEST(Fbm, MatchesTheReferenceSum) {
    struct Case {
        float x, y, z;
        int octaves;
        float persistence, lacunarity, expected;
    };
    const Case cases[] = {
        {0.3f, 0.7f, 0.3f, 6, 0.5f, 2.0f, -0.046782001f},
        {1.9f, -2.4f, 1.7f, 3, 0.4f, 2.0f, -0.059806705f},
        {-5.2f, 3.3f, 0.9f, 4, 0.55f, 2.5f, 0.101991348f},
        {0.1f, 0.2f, 0.3f, 1, 0.5f, 2.0f, 0.351229249f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(c.x, c.y, c.z) + " octaves " + std::to_string(c.octaves));
        EXPECT_NEAR(fbm(c.x, c.y, c.z, c.octaves, c.persistence, c.lacunarity), c.expected, 1e-4f);
    }
}

TEST(Fbm, NoOctavesOrCancellingWeightsGiveZeroNotNaN) {
    EXPECT_EQ(fbm(0.3f, 0.4f, 0.5f, 0, 0.5f, 2.0f), 0.0f);
    EXPECT_EQ(fbm(0.3f, 0.4f, 0.5f, -3, 0.5f, 2.0f), 0.0f);
    EXPECT_EQ(fbm(0.3f, 0.4f, 0.5f, 2, -1.0f, 2.0f), 0.0f);  // weights 1 and -1
    EXPECT_EQ(turbulence(0.3f, 0.4f, 0.5f, 0), 0.0f);
}

TEST(Turbulence, MatchesTheReferenceSum) {
    struct Case {
        float x, y, z;
        int octaves;
        float expected;
    };
    const Case cases[] = {
        {0.4f, 0.9f, 0.5f, 5, 0.117240277f},
        {-2.2f, 7.1f, 1.1f, 4, 0.167084418f},
        {3.3f, -0.6f, 0.0f, 1, 0.086191073f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(c.x, c.y, c.z) + " octaves " + std::to_string(c.octaves));
        EXPECT_NEAR(turbulence(c.x, c.y, c.z, c.octaves), c.expected, 1e-4f);
    }
}

TEST(Cellular, MatchesTheReferenceOnCellBoundariesAndBelowZero) {
    struct Case {
        float x, y, expected;
    };
    const Case cases[] = {
        {0.5f, 0.5f, 0.476442346f},
        {-0.5f, -0.5f, 0.580504759f},
        {-1.0f, 0.0f, 0.786545843f},   // exactly on boundaries: floor(-1) is cell -1
        {-1.0f, -1.0f, 0.603310106f},
        {0.0f, -1.0f, 0.192316860f},
        {-0.999f, 2.25f, 0.195970461f},
        {-256.0f, 3.5f, 0.181930778f},  // cell -256 hashes like cell 0
        {-256.5f, -257.25f, 0.470724041f},
        {-37.75f, 12.125f, 0.628881068f},
        {2.0f, 2.0f, 0.057901267f},
        {255.9f, -0.1f, 0.174784978f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(c.x, c.y, 0.0f));
        EXPECT_NEAR(cellular(c.x, c.y), c.expected, 1e-4f);
    }
}

TEST(Cellular, IsZeroOnTheFeaturePointsOfNegativeCells) {
    // Feature points where the cell index modulo 256 must keep the low eight
    // bits (-1 -> 255); a sign-keeping remainder would move them elsewhere.
    struct Case {
        float x, y;
    };
    const Case points[] = {
        {-0.007843137f, -0.807843137f},    // cell (-1, -1)
        {-0.772549020f, 0.752941176f},     // cell (-1, 0)
        {0.074509804f, -0.090196078f},     // cell (0, -1)
        {-255.925490196f, -256.090196078f},  // cell (-256, -257)
        {-128.666666667f, 5.517647059f},   // cell (-129, 5)
    };
    for (const Case& p : points) {
        SCOPED_TRACE(where(p.x, p.y, 0.0f));
        EXPECT_NEAR(cellular(p.x, p.y), 0.0f, 1e-4f);
    }
}

TEST(NoiseGrid, EqualsTheScalarSumsBitForBit) {
    // The textures are generated through the grids; their checksums hold only
    // while every grid value is exactly the scalar one.
    const std::vector<float> xs = {-300.7f, -1.0f, -0.015625f, 0.0f, 0.3f, 1.9f, 63.99f, 255.5f, 1000.125f};
    const std::vector<float> ys = {-7.25f, -0.5f, 0.1f, 2.0f, 41.7f};
    struct Case {
        float z;
        int octaves;
        float persistence, lacunarity;
    };
    const Case cases[] = {{0.3f, 6, 0.5f, 2.0f}, {-1.7f, 3, 0.4f, 2.5f}, {2.1f, 5, 0.55f, 1.9f}, {0.0f, 1, 0.6f, 2.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE("z " + std::to_string(c.z) + ", octaves " + std::to_string(c.octaves));
        std::vector<float> sums;
        std::vector<float> creases;
        fbmGrid(xs, ys, c.z, c.octaves, c.persistence, c.lacunarity, sums);
        turbulenceGrid(xs, ys, c.z, c.octaves, creases);
        ASSERT_EQ(sums.size(), xs.size() * ys.size());
        ASSERT_EQ(creases.size(), xs.size() * ys.size());
        for (std::size_t j = 0; j < ys.size(); ++j) {
            for (std::size_t i = 0; i < xs.size(); ++i) {
                SCOPED_TRACE(where(xs[i], ys[j], c.z));
                EXPECT_EQ(sums[j * xs.size() + i], fbm(xs[i], ys[j], c.z, c.octaves, c.persistence, c.lacunarity));
                EXPECT_EQ(creases[j * xs.size() + i], turbulence(xs[i], ys[j], c.z, c.octaves));
            }
        }
    }
}

TEST(NoiseGrid, WithoutLayersEveryPointIsZero) {
    std::vector<float> out = {5.0f};
    fbmGrid({0.3f, 0.7f}, {0.2f}, 0.5f, 0, 0.5f, 2.0f, out);
    EXPECT_EQ(out, std::vector<float>({0.0f, 0.0f}));
}
