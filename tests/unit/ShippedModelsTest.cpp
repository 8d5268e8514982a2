// The models the game ships: faces wind outwards and agree with their normals,
// stay cheap for a software rasteriser, name materials and textures that exist,
// and have their walking surfaces where the level files expect them.
#include "render/ImageTexture.h"
#include "render/MtlParser.h"
#include "render/ObjParser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

const std::filesystem::path kModelDir = std::filesystem::path(PEMBRIX_SOURCE_DIR) / "models";

std::vector<Vec3> cornersOf(const ObjData& data, std::vector<Vec3>* normalSums = nullptr) {
    std::vector<Vec3> corners;
    for (const Mesh& mesh : data.meshes) {
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            Vec3 sum(0.0f);
            for (std::size_t k = i; k < i + 3; ++k) {
                corners.push_back(mesh.vertices[mesh.indices[k]].position);
                sum += mesh.vertices[mesh.indices[k]].normal;
            }
            if (normalSums) normalSums->push_back(sum);
        }
    }
    return corners;
}

}  // namespace

TEST(ShippedModels, WindOutwardsAgreeWithTheirNormalsStayWithinBudgetAndNameWhatExists) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kModelDir)) {
        if (entry.path().extension() != ".obj") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        const ObjData data = parseObj(readFile(entry.path()));
        std::vector<Vec3> normalSums;
        const std::vector<Vec3> c = cornersOf(data, &normalSums);
        ASSERT_FALSE(c.empty());
        EXPECT_LE(c.size() / 3, 200u);  // every triangle is shaded per covered pixel on llvmpipe
        double volume = 0.0;
        for (std::size_t t = 0; t < normalSums.size(); ++t) {
            const Vec3 facing = glm::cross(c[3 * t + 1] - c[3 * t], c[3 * t + 2] - c[3 * t]);
            EXPECT_GT(glm::dot(facing, normalSums[t]), 0.0f) << "triangle " << t;
            volume += glm::dot(c[3 * t], glm::cross(c[3 * t + 1], c[3 * t + 2])) / 6.0;
        }
        EXPECT_GT(volume, 0.0) << "the faces wind inwards";
        ASSERT_EQ(data.mtlLibraries.size(), 1u);
        const MtlLibrary library = parseMtl(readFile(kModelDir / data.mtlLibraries[0]), kModelDir.string());
        for (const Mesh& mesh : data.meshes) {
            EXPECT_TRUE(std::any_of(library.materials.begin(), library.materials.end(),
                                    [&](const MtlMaterial& m) { return m.name == mesh.materialName; }))
                << mesh.materialName;
        }
        for (const MtlTextureRef& texture : library.textures) {
            const ImagePixels image = loadImagePixels(texture.path);
            EXPECT_FALSE(image.bytes.empty()) << texture.path;
            EXPECT_EQ(image.width & (image.width - 1), 0) << texture.path << " is not a power of two";
        }
    }
    EXPECT_GE(files, 5);
}

TEST(ShippedModels, WalkingSurfacesFillTheUnitSquareAtTheHeightTheLevelsExpect) {
    // Tiles have a flat top at 0.5 like the box they replace; the gate's floor is
    // at 0 so a ball on it is inside the end box, below its beams.
    struct Case { const char* file; float floor, ceiling; };
    const Case cases[] = {{"island.obj", 0.5f, 10.0f}, {"floe.obj", 0.5f, 10.0f}, {"raft.obj", 0.5f, 10.0f},
                          {"pillar.obj", 0.5f, 10.0f}, {"gate.obj", 0.0f, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<Vec3> corners = cornersOf(parseObj(readFile(kModelDir / c.file)));
        Vec3 low(1e9f), high(-1e9f);
        for (const Vec3& p : corners) {
            if (p.y <= c.ceiling) low = glm::min(low, p), high = glm::max(high, p);
        }
        EXPECT_EQ(Vec2(low.x, low.z), Vec2(-0.5f));
        EXPECT_EQ(Vec2(high.x, high.z), Vec2(0.5f));
        for (const Vec2 at : {Vec2(0.0f, 0.3f), Vec2(0.45f, 0.45f), Vec2(-0.45f, 0.45f), Vec2(0.3f, -0.45f)}) {
            float top = -1e9f;  // the highest upward face under the point, below the ceiling
            for (std::size_t i = 0; i < corners.size(); i += 3) {
                const Vec3 a = corners[i], b = corners[i + 1], d = corners[i + 2];
                if (glm::cross(b - a, d - a).y <= 1e-6f) continue;
                const float det = (b.z - d.z) * (a.x - d.x) + (d.x - b.x) * (a.z - d.z);
                const float u = ((b.z - d.z) * (at.x - d.x) + (d.x - b.x) * (at.y - d.z)) / det;
                const float v = ((d.z - a.z) * (at.x - d.x) + (a.x - d.x) * (at.y - d.z)) / det;
                const float y = u * a.y + v * b.y + (1.0f - u - v) * d.y;
                if (u >= -1e-5f && v >= -1e-5f && u + v <= 1.0f + 1e-5f && y < c.ceiling) top = std::max(top, y);
            }
            EXPECT_NEAR(top, c.floor, 1e-5f) << at.x << " " << at.y;
        }
    }
}
