// The models the game ships (made by tools/make_models.py): their faces wind
// outwards, agree with their normals, stay cheap for a software rasteriser,
// name materials and textures that exist, and have their walking surfaces
// where the level files expect them.
#include "render/ImageTexture.h"
#include "render/MtlParser.h"
#include "render/ObjParser.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kModelDir = fs::path(PEMBRIX_SOURCE_DIR) / "models";
// Every triangle is shaded for every pixel it covers on llvmpipe; a tile or
// pickup model has no need for more.
constexpr std::size_t kTriangleBudget = 200;

std::vector<fs::path> shippedObjFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kModelDir)) {
        if (entry.path().extension() == ".obj") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Triangle {
    Vec3 a, b, c;
    Vec3 normalSum;  // of the three vertex normals
};

std::vector<Triangle> trianglesOf(const ObjData& data) {
    std::vector<Triangle> triangles;
    for (const Mesh& mesh : data.meshes) {
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            const Vertex& a = mesh.vertices[mesh.indices[i]];
            const Vertex& b = mesh.vertices[mesh.indices[i + 1]];
            const Vertex& c = mesh.vertices[mesh.indices[i + 2]];
            triangles.push_back({a.position, b.position, c.position, a.normal + b.normal + c.normal});
        }
    }
    return triangles;
}

// The highest upward-facing surface under (x, z) that lies below `ceiling`.
std::optional<float> surfaceHeight(const std::vector<Triangle>& triangles, float x, float z, float ceiling) {
    std::optional<float> best;
    for (const Triangle& t : triangles) {
        const Vec3 n = glm::cross(t.b - t.a, t.c - t.a);
        if (n.y <= 1e-6f) continue;
        // Barycentric test in the xz plane, then the plane's height there.
        const float d = (t.b.z - t.c.z) * (t.a.x - t.c.x) + (t.c.x - t.b.x) * (t.a.z - t.c.z);
        const float u = ((t.b.z - t.c.z) * (x - t.c.x) + (t.c.x - t.b.x) * (z - t.c.z)) / d;
        const float v = ((t.c.z - t.a.z) * (x - t.c.x) + (t.a.x - t.c.x) * (z - t.c.z)) / d;
        if (u < -1e-5f || v < -1e-5f || u + v > 1.0f + 1e-5f) continue;
        const float y = u * t.a.y + v * t.b.y + (1.0f - u - v) * t.c.y;
        if (y < ceiling && (!best || y > *best)) best = y;
    }
    return best;
}

}  // namespace

TEST(ShippedModels, WindOutwardsAgreeWithTheirNormalsAndStayWithinBudget) {
    const std::vector<fs::path> files = shippedObjFiles();
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const ObjData data = parseObj(readFile(file));
        const std::vector<Triangle> triangles = trianglesOf(data);
        ASSERT_FALSE(triangles.empty());
        EXPECT_LE(triangles.size(), kTriangleBudget);
        double volume = 0.0;
        int against = 0;
        for (const Triangle& t : triangles) {
            const Vec3 facing = glm::cross(t.b - t.a, t.c - t.a);
            EXPECT_GT(glm::length(facing), 1e-6f) << "a degenerate triangle";
            if (glm::dot(facing, t.normalSum) <= 0.0f) ++against;
            volume += glm::dot(t.a, glm::cross(t.b, t.c)) / 6.0;
        }
        EXPECT_EQ(against, 0) << "triangles whose winding disagrees with their normals";
        EXPECT_GT(volume, 0.0) << "the faces wind inwards";
    }
}

TEST(ShippedModels, NameMaterialsAndTexturesThatExistAndDecode) {
    for (const fs::path& file : shippedObjFiles()) {
        SCOPED_TRACE(file.filename().string());
        const ObjData data = parseObj(readFile(file));
        ASSERT_EQ(data.mtlLibraries.size(), 1u);
        const fs::path mtlPath = kModelDir / data.mtlLibraries[0];
        const std::string mtlText = readFile(mtlPath);
        ASSERT_FALSE(mtlText.empty()) << mtlPath;
        const MtlLibrary library = parseMtl(mtlText, kModelDir.string());
        for (const Mesh& mesh : data.meshes) {
            const bool named = std::any_of(library.materials.begin(), library.materials.end(),
                                           [&](const MtlMaterial& m) { return m.name == mesh.materialName; });
            EXPECT_TRUE(named) << mesh.materialName;
        }
        for (const MtlMaterial& material : library.materials) {
            // A diffuse map with a specular map is drawn as a box-mapped surface material.
            EXPECT_FALSE(!material.mapKdPath.empty() && !material.mapKsPath.empty()) << material.name;
        }
        for (const MtlTextureRef& texture : library.textures) {
            const ImagePixels image = loadImagePixels(texture.path);
            EXPECT_FALSE(image.bytes.empty()) << texture.path;
            EXPECT_EQ(image.width, image.height) << texture.path;
            EXPECT_EQ(image.width & (image.width - 1), 0) << texture.path << " is not a power of two";
        }
    }
}

TEST(ShippedModels, WalkingSurfacesLieWhereTheLevelsExpectThem) {
    // Tile models fill the unit square with a flat top at 0.5, like the box
    // they replace; the gate's floor is at 0 so a ball on it is inside the end box.
    struct Case {
        const char* file;
        float floor;
        float ceiling;  // surfaces above this (the gate's beams) are not floor
    };
    const Case cases[] = {
        {"island.obj", 0.5f, 10.0f}, {"floe.obj", 0.5f, 10.0f}, {"raft.obj", 0.5f, 10.0f},
        {"pillar.obj", 0.5f, 10.0f}, {"gate.obj", 0.0f, 1.0f},
    };
    const float samples[][2] = {{0.0f, 0.3f}, {0.45f, 0.45f}, {-0.45f, 0.45f}, {0.3f, -0.45f}, {-0.2f, -0.3f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<Triangle> triangles = trianglesOf(parseObj(readFile(kModelDir / c.file)));
        ASSERT_FALSE(triangles.empty());
        float lowX = 1e9f, highX = -1e9f, lowZ = 1e9f, highZ = -1e9f;
        for (const Triangle& t : triangles) {
            for (const Vec3& p : {t.a, t.b, t.c}) {
                if (p.y > c.ceiling) continue;
                lowX = std::min(lowX, p.x), highX = std::max(highX, p.x);
                lowZ = std::min(lowZ, p.z), highZ = std::max(highZ, p.z);
            }
        }
        EXPECT_FLOAT_EQ(lowX, -0.5f);
        EXPECT_FLOAT_EQ(highX, 0.5f);
        EXPECT_FLOAT_EQ(lowZ, -0.5f);
        EXPECT_FLOAT_EQ(highZ, 0.5f);
        for (const auto& sample : samples) {
            const std::optional<float> height = surfaceHeight(triangles, sample[0], sample[1], c.ceiling);
            ASSERT_TRUE(height.has_value()) << sample[0] << " " << sample[1];
            EXPECT_NEAR(*height, c.floor, 1e-5f) << sample[0] << " " << sample[1];
        }
    }
}
