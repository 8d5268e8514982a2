// The texture recipes: texels against an independent implementation, a
// checksum per texture against regressions, and the materials without relief
// or without any texture.
#include "render/ProceduralTexture.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace ProceduralTexture;

namespace {
std::string describe(TextureRequest request) {
    static const char* const kKinds[] = {"albedo", "specular", "normal map", "ball specular"};
    return std::string(kKinds[static_cast<int>(request.kind)]) + " of material " + std::to_string(request.material);
}

// FNV-1a over every byte: any changed texel changes it.
std::uint64_t checksum(const Pixels& pixels) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : pixels) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

void expectUniform(const Pixels& pixels, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    ASSERT_EQ(pixels.size(), kByteCount);
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        ASSERT_EQ(pixels[i], r) << "texel " << i / 3;
        ASSERT_EQ(pixels[i + 1], g) << "texel " << i / 3;
        ASSERT_EQ(pixels[i + 2], b) << "texel " << i / 3;
    }
}
}  // namespace

TEST(ProceduralTexture, TexelsMatchTheIndependentRecipes) {
    // Printed by tools/texture_reference.py (double precision, written from the
    // recipes without this code). It lists only texels whose value lies well
    // away from every truncation step and threshold, so single precision must
    // agree exactly; rounding instead of truncating would not. The normal-map
    // rows at x or y = 0 and 255 need the heights just outside the texture.
    struct Case {
        TextureKind kind;
        std::uint32_t material;
        int x, y;
        std::uint8_t rgb[3];
    };
    const Case cases[] = {
        {TextureKind::Albedo, 1, 0, 0, {146, 143, 139}},
        {TextureKind::Albedo, 1, 255, 255, {141, 139, 134}},
        {TextureKind::Albedo, 1, 0, 255, {131, 128, 123}},
        {TextureKind::Albedo, 1, 255, 0, {142, 140, 135}},
        {TextureKind::Albedo, 1, 128, 64, {127, 124, 119}},
        {TextureKind::Albedo, 2, 0, 0, {134, 82, 31}},
        {TextureKind::Albedo, 2, 255, 255, {124, 73, 25}},
        {TextureKind::Albedo, 2, 0, 255, {160, 106, 45}},
        {TextureKind::Albedo, 2, 255, 0, {172, 117, 52}},
        {TextureKind::Albedo, 2, 17, 203, {114, 63, 20}},
        {TextureKind::Albedo, 3, 255, 255, {159, 148, 142}},
        {TextureKind::Albedo, 3, 0, 255, {184, 175, 170}},
        {TextureKind::Albedo, 3, 255, 0, {157, 146, 141}},
        {TextureKind::Albedo, 3, 17, 203, {77, 70, 72}},
        {TextureKind::Albedo, 3, 77, 131, {234, 229, 224}},
        {TextureKind::Albedo, 4, 0, 0, {153, 143, 127}},
        {TextureKind::Albedo, 4, 0, 255, {174, 164, 145}},
        {TextureKind::Albedo, 4, 17, 203, {173, 163, 144}},
        {TextureKind::Albedo, 4, 128, 64, {163, 153, 135}},
        {TextureKind::Albedo, 4, 77, 131, {172, 162, 143}},
        {TextureKind::Albedo, 5, 0, 0, {118, 83, 39}},
        {TextureKind::Albedo, 5, 255, 255, {122, 87, 41}},
        {TextureKind::Albedo, 5, 0, 255, {127, 91, 44}},
        {TextureKind::Albedo, 5, 255, 0, {117, 82, 38}},
        {TextureKind::Albedo, 5, 17, 203, {114, 80, 37}},
        {TextureKind::Albedo, 6, 0, 0, {193, 216, 242}},
        {TextureKind::Albedo, 6, 255, 255, {185, 209, 239}},
        {TextureKind::Albedo, 6, 0, 255, {184, 210, 240}},
        {TextureKind::Albedo, 6, 255, 0, {182, 209, 239}},
        {TextureKind::Albedo, 6, 17, 203, {174, 204, 237}},
        {TextureKind::Specular, 1, 0, 0, {32, 32, 32}},
        {TextureKind::Specular, 1, 0, 255, {33, 33, 33}},
        {TextureKind::Specular, 1, 17, 203, {30, 30, 30}},
        {TextureKind::Specular, 1, 128, 64, {34, 34, 34}},
        {TextureKind::Specular, 1, 77, 131, {28, 28, 28}},
        {TextureKind::Specular, 2, 0, 0, {27, 27, 27}},
        {TextureKind::Specular, 2, 255, 255, {14, 14, 14}},
        {TextureKind::Specular, 2, 0, 255, {129, 129, 129}},
        {TextureKind::Specular, 2, 255, 0, {142, 142, 142}},
        {TextureKind::Specular, 2, 17, 203, {13, 13, 13}},
        {TextureKind::Specular, 3, 0, 0, {133, 133, 133}},
        {TextureKind::Specular, 3, 0, 255, {167, 167, 167}},
        {TextureKind::Specular, 3, 17, 203, {84, 84, 84}},
        {TextureKind::Specular, 3, 128, 64, {133, 133, 133}},
        {TextureKind::Specular, 3, 77, 131, {203, 203, 203}},
        {TextureKind::Specular, 4, 0, 0, {34, 34, 34}},
        {TextureKind::Specular, 4, 255, 255, {85, 85, 85}},
        {TextureKind::Specular, 4, 0, 255, {68, 68, 68}},
        {TextureKind::Specular, 4, 255, 0, {94, 94, 94}},
        {TextureKind::Specular, 4, 17, 203, {68, 68, 68}},
        {TextureKind::Specular, 5, 0, 0, {9, 9, 9}},
        {TextureKind::Specular, 5, 255, 255, {9, 9, 9}},
        {TextureKind::Specular, 5, 0, 255, {9, 9, 9}},
        {TextureKind::Specular, 5, 255, 0, {8, 8, 8}},
        {TextureKind::Specular, 5, 17, 203, {8, 8, 8}},
        {TextureKind::Specular, 6, 0, 0, {209, 209, 209}},
        {TextureKind::Specular, 6, 255, 255, {202, 202, 202}},
        {TextureKind::Specular, 6, 0, 255, {199, 199, 199}},
        {TextureKind::Specular, 6, 255, 0, {197, 197, 197}},
        {TextureKind::Specular, 6, 17, 203, {188, 188, 188}},
        {TextureKind::NormalMap, 1, 0, 0, {154, 72, 239}},
        {TextureKind::NormalMap, 1, 255, 255, {112, 148, 252}},
        {TextureKind::NormalMap, 1, 255, 0, {115, 159, 250}},
        {TextureKind::NormalMap, 1, 17, 203, {114, 84, 246}},
        {TextureKind::NormalMap, 1, 128, 64, {92, 136, 249}},
        {TextureKind::NormalMap, 2, 0, 0, {52, 159, 225}},
        {TextureKind::NormalMap, 2, 255, 255, {162, 74, 238}},
        {TextureKind::NormalMap, 2, 0, 255, {119, 15, 187}},
        {TextureKind::NormalMap, 2, 255, 0, {132, 124, 254}},
        {TextureKind::NormalMap, 2, 17, 203, {32, 180, 194}},
        {TextureKind::NormalMap, 3, 0, 0, {112, 127, 254}},
        {TextureKind::NormalMap, 3, 255, 255, {114, 156, 251}},
        {TextureKind::NormalMap, 3, 255, 0, {138, 103, 252}},
        {TextureKind::NormalMap, 3, 17, 203, {94, 133, 250}},
        {TextureKind::NormalMap, 3, 128, 64, {106, 131, 253}},
        {TextureKind::NormalMap, 5, 0, 0, {179, 104, 241}},
        {TextureKind::NormalMap, 5, 255, 255, {143, 68, 239}},
        {TextureKind::NormalMap, 5, 0, 255, {96, 98, 247}},
        {TextureKind::NormalMap, 5, 255, 0, {151, 137, 252}},
        {TextureKind::NormalMap, 5, 17, 203, {93, 135, 250}},
        {TextureKind::NormalMap, 6, 0, 0, {80, 157, 242}},
        {TextureKind::NormalMap, 6, 255, 255, {178, 171, 235}},
        {TextureKind::NormalMap, 6, 0, 255, {127, 127, 255}},
        {TextureKind::NormalMap, 6, 255, 0, {140, 139, 253}},
        {TextureKind::NormalMap, 6, 17, 203, {127, 127, 255}},
        {TextureKind::BallSpecular, 0, 0, 0, {227, 227, 227}},
        {TextureKind::BallSpecular, 0, 255, 255, {11, 11, 11}},
        {TextureKind::BallSpecular, 0, 0, 255, {4, 4, 4}},
        {TextureKind::BallSpecular, 0, 255, 0, {220, 220, 220}},
        {TextureKind::BallSpecular, 0, 17, 203, {17, 17, 17}},
    };
    Pixels pixels;
    TextureRequest built{TextureKind::Albedo, 0};
    for (const Case& c : cases) {
        const TextureRequest request{c.kind, c.material};
        SCOPED_TRACE(describe(request) + " at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")");
        if (request.kind != built.kind || request.material != built.material || pixels.empty()) {
            pixels = buildPixels(request);
            built = request;
        }
        ASSERT_EQ(pixels.size(), kByteCount);
        const std::size_t at = (static_cast<std::size_t>(c.y) * kSize + c.x) * 3;
        EXPECT_EQ(pixels[at], c.rgb[0]);
        EXPECT_EQ(pixels[at + 1], c.rgb[1]);
        EXPECT_EQ(pixels[at + 2], c.rgb[2]);
    }
}

TEST(ProceduralTexture, EveryStartupTextureKeepsItsChecksum) {
    // Recorded from this code once the texel checks above passed: they catch
    // any texel that changes, for instance through a faster generation path.
    struct Case {
        TextureRequest request;
        std::uint64_t checksum;
    };
    const Case cases[] = {
        {{TextureKind::Albedo, 1}, 0xc674492d88226358ull},
        {{TextureKind::Albedo, 2}, 0xe37d45c12f6579c4ull},
        {{TextureKind::Albedo, 3}, 0x6ab4b9dfae7ebda9ull},
        {{TextureKind::Albedo, 4}, 0x73d5303c4c5432dfull},
        {{TextureKind::Albedo, 5}, 0xa5e2cbb2e9b45e73ull},
        {{TextureKind::Albedo, 6}, 0x52b0270c3e041232ull},
        {{TextureKind::Specular, 1}, 0x77d43e0c45473219ull},
        {{TextureKind::Specular, 2}, 0x6f6b1177f07ebd88ull},
        {{TextureKind::Specular, 3}, 0x4cb073f8d22b8e5aull},
        {{TextureKind::Specular, 4}, 0xafcf09431dacbc35ull},
        {{TextureKind::Specular, 5}, 0x29717be47edbec87ull},
        {{TextureKind::Specular, 6}, 0x4b9db5ef5e90d718ull},
        {{TextureKind::NormalMap, 1}, 0xc327bd19a7923ee2ull},
        {{TextureKind::NormalMap, 2}, 0xe9877d38b0006854ull},
        {{TextureKind::NormalMap, 3}, 0xc8f002275fb0e0ecull},
        {{TextureKind::NormalMap, 5}, 0xfb9a6a6c20df9075ull},
        {{TextureKind::NormalMap, 6}, 0x0d449c21f19c0ec4ull},
        {{TextureKind::BallSpecular, 0}, 0x07f732e6098175abull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.request));
        EXPECT_EQ(checksum(buildPixels(c.request)), c.checksum);
    }
}

TEST(ProceduralTexture, ParallelBuildEqualsBuildingEachTextureAlone) {
    // The start-up set plus requests without pixels and with uniform ones, so
    // that the band split also meets empty buffers.
    std::vector<TextureRequest> requests = startupRequests();
    requests.insert(requests.begin() + 3, {TextureKind::Albedo, 0});
    requests.push_back({TextureKind::NormalMap, 4});
    requests.push_back({TextureKind::Albedo, 7});
    requests.push_back({TextureKind::Specular, 7});
    std::vector<Pixels> plain;
    for (const TextureRequest& request : requests) plain.push_back(buildPixels(request));

    for (unsigned threads : {0u, 1u, 2u, 5u}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        const std::vector<Pixels> parallel = buildAllPixels(requests, threads);
        ASSERT_EQ(parallel.size(), requests.size());
        for (std::size_t i = 0; i < requests.size(); ++i) {
            SCOPED_TRACE(describe(requests[i]));
            EXPECT_TRUE(parallel[i] == plain[i]) << "the parallel buffer differs";
        }
    }
}

TEST(ProceduralTexture, StartupRequestsAreTheEighteenInGenerationOrder) {
    const std::vector<TextureRequest> requests = startupRequests();
    ASSERT_EQ(requests.size(), 18u);
    std::string order;
    for (const TextureRequest& request : requests) order += describe(request) + "; ";
    EXPECT_EQ(order,
              "albedo of material 1; albedo of material 2; albedo of material 3; albedo of material 4; "
              "albedo of material 5; albedo of material 6; specular of material 1; specular of material 2; "
              "specular of material 3; specular of material 4; specular of material 5; specular of material 6; "
              "normal map of material 1; normal map of material 2; normal map of material 3; "
              "normal map of material 5; normal map of material 6; ball specular of material 0; ");
}

TEST(ProceduralTexture, MaterialZeroHasNoTextures) {
    EXPECT_TRUE(buildAlbedoPixels(0).empty());
    EXPECT_TRUE(buildSpecularPixels(0).empty());
    EXPECT_TRUE(buildNormalMapPixels(0).empty());
}

TEST(ProceduralTexture, UnknownMaterialsGetNoColourAUniformSpecularAndAFlatNormalMap) {
    for (std::uint32_t material : {7u, 8u, 1000u, 0xFFFFFFFEu}) {
        SCOPED_TRACE(material);
        EXPECT_TRUE(buildAlbedoPixels(material).empty());
        expectUniform(buildSpecularPixels(material), 114, 114, 114);
        expectUniform(buildNormalMapPixels(material), 128, 128, 255);
    }
}

TEST(ProceduralTexture, CobblestoneNormalMapIsFlat) { expectUniform(buildNormalMapPixels(4), 128, 128, 255); }

TEST(ProceduralTexture, WithoutGlEveryLookupIsZeroAndNothingIsAnnounced) {
    // Headless runs (tools, these tests) have no context to upload to.
    ConsoleCapture console;
    generateAll();
    EXPECT_EQ(albedoTexture(1), 0u);
    EXPECT_EQ(specularTexture(7), 0u);
    EXPECT_EQ(normalMapTexture(4), 0u);
    EXPECT_EQ(ballSpecularTexture(), 0u);
    releaseAll();
    EXPECT_EQ(console.stdoutText(), "");
    EXPECT_EQ(console.stderrText(), "");
}
