// The procedural textures on the CPU: the same pixels on every build and in
// parallel as one by one, in the colours their materials have.
#include "render/ProceduralTexture.h"

#include "base/Math.h"

#include <gtest/gtest.h>

using namespace ProceduralTexture;

static Vec3 meanColor(const Pixels& pixels) {
    Vec3 sum(0.0f);
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) sum += Vec3(pixels[i], pixels[i + 1], pixels[i + 2]);
    return sum / static_cast<float>(pixels.size() / 3);
}

TEST(ProceduralTexture, EveryTextureIsBuiltTheSameEachTimeAndInParallelAsAlone) {
    std::vector<TextureRequest> requests = startupRequests();
    requests.insert(requests.begin() + 3, {{TextureKind::Albedo, 0}, {TextureKind::NormalMap, 4}});
    std::vector<Pixels> alone;
    for (const TextureRequest& request : requests) alone.push_back(buildPixels(request));
    for (std::size_t i = 0; i < requests.size(); ++i) EXPECT_TRUE(buildPixels(requests[i]) == alone[i]) << i;
    for (unsigned threads : {0u, 2u, 5u}) EXPECT_TRUE(buildAllPixels(requests, threads) == alone) << threads;
}

TEST(ProceduralTexture, EachMaterialLooksLikeItselfAndShinesAsItShould) {
    Vec3 albedo[7];
    float shine[7], relief[7];
    for (std::uint32_t m = 1; m <= 6; ++m) {
        albedo[m] = meanColor(buildAlbedoPixels(m));
        shine[m] = meanColor(buildSpecularPixels(m)).r;
        relief[m] = meanColor(buildNormalMapPixels(m)).b;
    }
    const auto grey = [](Vec3 c) { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 15.0f; };
    const auto brown = [](Vec3 c) { return c.r > c.g && c.g > c.b && c.r - c.b > 60.0f; };
    EXPECT_TRUE(grey(albedo[1]) && grey(albedo[3])) << "stone and marble";
    EXPECT_TRUE(brown(albedo[2]) && brown(albedo[5]) && albedo[5].g < albedo[2].g) << "wood, and darker dirt";
    EXPECT_TRUE(albedo[4].r >= albedo[4].g && albedo[4].g >= albedo[4].b && !brown(albedo[4])) << "warm grey cobbles";
    EXPECT_TRUE(albedo[6].b > albedo[6].g && albedo[6].g > albedo[6].r) << "blue ice";
    EXPECT_TRUE(shine[6] > shine[3] && shine[3] > shine[1] && shine[1] > shine[5]) << "ice, marble, stone, dirt";
    for (std::uint32_t m = 1; m <= 6; ++m) EXPECT_GT(relief[m], 200.0f) << m;  // normals mostly out of the surface
    EXPECT_TRUE(buildAlbedoPixels(0).empty() && buildAlbedoPixels(7).empty() && buildNormalMapPixels(0).empty());
}
