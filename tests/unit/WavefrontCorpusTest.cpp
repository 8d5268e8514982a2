// Replays every OBJ, MTL, config and image file that once troubled (or was
// made to trouble) the readers, checking what the game relies on.
#include "config/Config.h"
#include "render/ImageTexture.h"
#include "render/MtlParser.h"
#include "render/ObjParser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

namespace {

std::vector<std::filesystem::path> corpusFiles(const char* folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(PEMBRIX_CORPUS_DIR) / folder)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    return files;
}

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

TEST(WavefrontCorpus, ObjFilesGiveWholeTrianglesOverTheirOwnFiniteVertices) {
    const auto files = corpusFiles("obj");
    ASSERT_GE(files.size(), 10u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const ObjData parsed = parseObj(readFile(file));
        for (const Mesh& mesh : parsed.meshes) {
            EXPECT_FALSE(mesh.vertices.empty());
            EXPECT_EQ(mesh.indices.size() % 3, 0u);
            for (std::uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
            for (const Vertex& vertex : mesh.vertices) {
                EXPECT_TRUE(finite(vertex.position));
                EXPECT_TRUE(std::isfinite(vertex.uv.x) && std::isfinite(vertex.uv.y));
            }
        }
    }
}

TEST(WavefrontCorpus, MtlFilesGiveUniqueNamesAndPathsUnderTheFolder) {
    const auto files = corpusFiles("mtl");
    ASSERT_GE(files.size(), 5u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const MtlLibrary library = parseMtl(readFile(file), "base");
        std::set<std::string> names;
        for (const MtlMaterial& material : library.materials) {
            EXPECT_TRUE(names.insert(material.name).second) << material.name;
            EXPECT_TRUE(finite(material.ambient) && finite(material.diffuse) && finite(material.specular));
            EXPECT_TRUE(std::isfinite(material.shininess));
        }
        for (const MtlTextureRef& texture : library.textures) EXPECT_EQ(texture.path.rfind("base/", 0), 0u);
    }
}

TEST(ConfigCorpus, FilesSaveAndReadBackToTheSameText) {
    const auto files = corpusFiles("config");
    ASSERT_GE(files.size(), 8u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        Config config;
        std::istringstream text(readFile(file));
        parseConfig(config, text);
        Config again;
        std::istringstream saved(formatConfig(config));
        parseConfig(again, saved);
        EXPECT_EQ(formatConfig(again), formatConfig(config));
        // A file the game saved itself is written back byte for byte.
        if (file.filename().string().rfind("saved-", 0) == 0) {
            EXPECT_EQ(formatConfig(config), readFile(file));
        }
    }
}

// Files named bad-* are no usable image; every other one must decode whole.
TEST(ImageCorpus, GoodFilesDecodeWholeAndBadOnesGiveNoBytes) {
    const auto files = corpusFiles("image");
    ASSERT_GE(files.size(), 10u);
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const std::string bytes = readFile(file);
        const ImagePixels image = decodeImagePixels(bytes);
        // bad-png-* files hold a chunk longer than the file, which stb_image would allocate.
        if (name.rfind("bad-png-", 0) == 0) {
            EXPECT_FALSE(pngChunksFitFile(bytes));
        }
        if (name.rfind("bad-", 0) == 0) {
            EXPECT_TRUE(image.bytes.empty());
            continue;
        }
        EXPECT_TRUE(pngChunksFitFile(bytes));
        ASSERT_GE(image.channels, 1);
        ASSERT_LE(image.channels, 4);
        EXPECT_EQ(image.bytes.size(), static_cast<size_t>(image.width) * image.height * image.channels);
    }
}
