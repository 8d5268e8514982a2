// The texture recipes and their noise against values printed by
// tools/texture_reference.py, a separate double-precision implementation written
// from the recipes and the published algorithms (it reproduces Perlin's own
// noise(3.14, 42, 7) = 0.136919958784): a checksum and two texels per texture, the
// materials without relief or without any texture, and the mip chain.
#include "render/Noise.h"
#include "render/ProceduralTexture.h"
#include "support/ConsoleCapture.h"

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

using namespace ProceduralTexture;

TEST(ProceduralTexture, EveryStartupTextureKeepsItsChecksumAndItsReferenceTexels) {
    using K = TextureKind;
    struct Texel { int x, y, r, g, b; };
    struct Case { K kind; std::uint32_t material; std::uint64_t fnv1a; Texel a, b; };
    const Case cases[] = {
        {K::Albedo, 1, 0xc674492d88226358ull, {0, 255, 131, 128, 123}, {128, 64, 127, 124, 119}},
        {K::Albedo, 2, 0xe37d45c12f6579c4ull, {255, 0, 172, 117, 52}, {17, 203, 114, 63, 20}},
        {K::Albedo, 3, 0x6ab4b9dfae7ebda9ull, {0, 255, 184, 175, 170}, {77, 131, 234, 229, 224}},
        {K::Albedo, 4, 0x73d5303c4c5432dfull, {0, 0, 153, 143, 127}, {17, 203, 173, 163, 144}},
        {K::Albedo, 5, 0xa5e2cbb2e9b45e73ull, {255, 255, 122, 87, 41}, {17, 203, 114, 80, 37}},
        {K::Albedo, 6, 0x52b0270c3e041232ull, {255, 0, 182, 209, 239}, {17, 203, 174, 204, 237}},
        {K::Specular, 1, 0x77d43e0c45473219ull, {0, 255, 33, 33, 33}, {77, 131, 28, 28, 28}},
        {K::Specular, 2, 0x6f6b1177f07ebd88ull, {255, 0, 142, 142, 142}, {17, 203, 13, 13, 13}},
        {K::Specular, 3, 0x4cb073f8d22b8e5aull, {0, 255, 167, 167, 167}, {77, 131, 203, 203, 203}},
        {K::Specular, 4, 0xafcf09431dacbc35ull, {255, 255, 85, 85, 85}, {17, 203, 68, 68, 68}},
        {K::Specular, 5, 0x29717be47edbec87ull, {255, 0, 8, 8, 8}, {0, 255, 9, 9, 9}},
        {K::Specular, 6, 0x4b9db5ef5e90d718ull, {0, 0, 209, 209, 209}, {17, 203, 188, 188, 188}},
        {K::NormalMap, 1, 0xc327bd19a7923ee2ull, {0, 0, 154, 72, 239}, {128, 64, 92, 136, 249}},
        {K::NormalMap, 2, 0xe9877d38b0006854ull, {0, 255, 119, 15, 187}, {17, 203, 32, 180, 194}},
        {K::NormalMap, 3, 0xc8f002275fb0e0ecull, {255, 0, 138, 103, 252}, {17, 203, 94, 133, 250}},
        {K::NormalMap, 5, 0xfb9a6a6c20df9075ull, {255, 255, 143, 68, 239}, {17, 203, 93, 135, 250}},
        {K::NormalMap, 6, 0x0d449c21f19c0ec4ull, {0, 0, 80, 157, 242}, {255, 255, 178, 171, 235}},
        {K::BallSpecular, 0, 0x07f732e6098175abull, {0, 0, 227, 227, 227}, {17, 203, 17, 17, 17}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", material " << c.material);
        const Pixels pixels = buildPixels({c.kind, c.material});
        ASSERT_EQ(pixels.size(), kByteCount);
        std::uint64_t hash = 1469598103934665603ull;
        for (std::uint8_t byte : pixels) hash = (hash ^ byte) * 1099511628211ull;
        EXPECT_EQ(hash, c.fnv1a);
        for (const Texel& t : {c.a, c.b}) {
            const auto at = pixels.begin() + (t.y * kSize + t.x) * 3;
            EXPECT_EQ(std::vector<int>(at, at + 3), std::vector<int>({t.r, t.g, t.b})) << t.x << ", " << t.y;
        }
    }
}

// Materials without a texture get none, and those without relief a uniform one; the
// parallel build gives the same pixels, with those empty or uniform ones among the bands.
TEST(ProceduralTexture, UniformOrNoTexturesAndAParallelBuildLikeEachAloneAndHeadlessLookupsMakeNothing) {
    using K = TextureKind;
    struct Case { TextureRequest request; bool empty; std::uint8_t r, g, b; };
    const Case plain[] = {{{K::Albedo, 0}, true, 0, 0, 0},         {{K::NormalMap, 0}, true, 0, 0, 0},
                          {{K::Albedo, 7}, true, 0, 0, 0},         {{K::Specular, 7}, false, 114, 114, 114},
                          {{K::NormalMap, 4}, false, 128, 128, 255},
                          {{K::NormalMap, 0xFFFFFFFEu}, false, 128, 128, 255}};
    std::vector<TextureRequest> requests = startupRequests();
    for (const Case& c : plain) {
        Pixels uniform;
        for (int i = 0; i < (c.empty ? 0 : kSize * kSize); ++i) uniform.insert(uniform.end(), {c.r, c.g, c.b});
        EXPECT_TRUE(buildPixels(c.request) == uniform) << static_cast<int>(c.request.kind) << " " << c.request.material;
        requests.insert(requests.begin() + 3, c.request);
    }
    std::vector<Pixels> alone;
    for (const TextureRequest& request : requests) alone.push_back(buildPixels(request));
    for (unsigned threads : {0u, 1u, 2u, 5u}) EXPECT_TRUE(buildAllPixels(requests, threads) == alone) << threads;
    ConsoleCapture console;
    generateAll();
    EXPECT_EQ(albedoTexture(1) + normalMapTexture(4) + ballSpecularTexture(), 0u);
    releaseAll();
    EXPECT_EQ(console.stdoutText() + console.stderrText(), "");
}

TEST(ProceduralTexture, MipChainHalvesDownToOneTexelAveragingEachChannelOfTwoByTwo) {
    // Red counts columns, green rows, blue is a 0/255 checkerboard: a mixed-up
    // channel, row or column gives another value, and every mean is a half.
    Pixels base(kByteCount);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            std::uint8_t* texel = &base[(static_cast<std::size_t>(y) * kSize + x) * 3];
            texel[0] = static_cast<std::uint8_t>(x);
            texel[1] = static_cast<std::uint8_t>(y);
            texel[2] = (x + y) % 2 == 0 ? 0 : 255;
        }
    }
    const MipChain chain = buildMipChain(base);
    ASSERT_EQ(chain.size(), 9u);
    EXPECT_TRUE(chain[0] == base);
    for (std::size_t level = 1; level < chain.size(); ++level) {
        const std::size_t size = static_cast<std::size_t>(kSize) >> level;
        EXPECT_EQ(chain[level].size(), size * size * 3) << level;
    }
    for (int y = 0; y < kSize / 2; ++y) {
        for (int x = 0; x < kSize / 2; ++x) {
            const std::uint8_t* texel = &chain[1][(static_cast<std::size_t>(y) * kSize / 2 + x) * 3];
            ASSERT_EQ(std::vector<int>(texel, texel + 3), std::vector<int>({2 * x + 1, 2 * y + 1, 128})) << x << ", " << y;
        }
    }
    EXPECT_TRUE(buildMipChain(Pixels()).empty());
    EXPECT_TRUE(buildMipChain(Pixels(kByteCount - 3, 7)).empty());
}

TEST(ProceduralTexture, MipTexelRoundsEachRowPairThenTheirMeanHalfUp) {
    // A whole texture of one 2 x 2 tile (top-left, top-right, bottom-left,
    // bottom-right); a plain rounded mean of four gives another value in all but
    // the first two.
    struct Case { std::uint8_t tile[4]; int expected; };
    for (const Case& c : {Case{{0, 255, 255, 0}, 128}, Case{{0, 1, 0, 1}, 1}, Case{{1, 0, 0, 0}, 1},
                          Case{{0, 0, 0, 1}, 1}, Case{{255, 254, 254, 254}, 255}, Case{{3, 0, 0, 2}, 2}}) {
        Pixels base(kByteCount);
        for (std::size_t i = 0; i < base.size(); ++i) {
            const std::size_t texel = i / 3;
            base[i] = c.tile[(texel / kSize % 2) * 2 + texel % 2];
        }
        const MipChain chain = buildMipChain(base);
        ASSERT_EQ(chain.size(), 9u);
        EXPECT_TRUE(chain[1] == Pixels(chain[1].size(), static_cast<std::uint8_t>(c.expected)))
            << int(c.tile[0]) << " " << int(c.tile[1]) << " " << int(c.tile[2]) << " " << int(c.tile[3]);
    }
}
