// The models the game ships: faces wind outwards and agree with their normals,
// stay cheap for a software rasteriser, name materials and textures that exist,
// and stand on the walking height the level files expect.
#include "render/ImageTexture.h"
#include "render/MtlParser.h"
#include "render/ObjParser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

TEST(ShippedModels, WindOutwardsStayWithinBudgetNameWhatExistsAndStandWhereTheLevelsExpect) {
    // Tiles have a flat top at 0.5 like the box they replace; the gate's floor is at 0, below its beams.
    const std::map<std::string, Vec2> floorAndCeiling = {{"island.obj", {0.5f, 10}}, {"floe.obj", {0.5f, 10}},
        {"raft.obj", {0.5f, 10}}, {"pillar.obj", {0.5f, 10}}, {"gate.obj", {0.0f, 1}}};
    const std::filesystem::path dir = std::filesystem::path(PEMBRIX_SOURCE_DIR) / "models";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".obj") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        const ObjData data = parseObj(readFile(entry.path()));
        ASSERT_EQ(data.mtlLibraries.size(), 1u);
        const MtlLibrary library = parseMtl(readFile(dir / data.mtlLibraries[0]), dir.string());
        const auto walk = floorAndCeiling.find(entry.path().filename().string());
        double volume = 0.0;
        size_t triangles = 0;
        float top = -1e9f;
        Vec2 low(1e9f), high(-1e9f);
        for (const Mesh& mesh : data.meshes) {
            EXPECT_TRUE(std::any_of(library.materials.begin(), library.materials.end(),
                                    [&](const MtlMaterial& m) { return m.name == mesh.materialName; })) << mesh.materialName;
            for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
                ++triangles;
                const Vertex &a = mesh.vertices[mesh.indices[i]], &b = mesh.vertices[mesh.indices[i + 1]],
                             &d = mesh.vertices[mesh.indices[i + 2]];
                const Vec3 facing = glm::cross(b.position - a.position, d.position - a.position);
                EXPECT_GT(glm::dot(facing, a.normal + b.normal + d.normal), 0.0f) << "triangle " << triangles;
                volume += glm::dot(a.position, glm::cross(b.position, d.position)) / 6.0;
                for (const Vec3 p : {a.position, b.position, d.position}) {
                    if (walk == floorAndCeiling.end() || p.y > walk->second.y) continue;
                    low = glm::min(low, Vec2(p.x, p.z));
                    high = glm::max(high, Vec2(p.x, p.z));
                    if (facing.y > 1e-6f) top = std::max(top, p.y);
                }
            }
        }
        EXPECT_GT(triangles, 0u);
        EXPECT_LE(triangles, 200u);  // every triangle is shaded per covered pixel on llvmpipe
        EXPECT_GT(volume, 0.0) << "the faces wind inwards";
        if (walk != floorAndCeiling.end()) {
            EXPECT_EQ(Vec4(low, high), Vec4(-0.5f, -0.5f, 0.5f, 0.5f));
            EXPECT_NEAR(top, walk->second.x, 1e-5f);
        }
        for (const MtlTextureRef& texture : library.textures) {
            const ImagePixels image = loadImagePixels(texture.path);
            EXPECT_FALSE(image.bytes.empty()) << texture.path;
            EXPECT_EQ(image.width & (image.width - 1), 0) << texture.path << " is not a power of two";
        }
    }
    EXPECT_GE(files, 5);
}
