// Every OBJ, MTL, config and image file that once troubled (or was made to
// trouble) a reader, replayed with what the game relies on after reading it.
#include "config/Config.h"
#include "model/MtlParser.h"
#include "model/ObjParser.h"
#include "render/ImageTexture.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

static bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

static Config parsed(const std::string& text) {
    Config config;
    std::istringstream input(text);
    parseConfig(config, input);
    return config;
}

// Calls `check` with the name and bytes of every file in the corpus folder; at least `least` of them.
using FileCheck = std::function<void(const std::string& name, const std::string& bytes)>;
static void replay(const char* folder, int least, const FileCheck& check) {
    ConsoleCapture console;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(PEMBRIX_CORPUS_DIR "/") + folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        check(entry.path().filename().string(), readFile(entry.path()));
        ++files;
    }
    EXPECT_GE(files, least) << folder;
}

TEST(Corpus, ObjFilesGiveWholeTrianglesOverTheirOwnFiniteVertices) {
    replay("obj", 10, [](const std::string&, const std::string& bytes) {
        for (const MeshData& mesh : parseObj(bytes).meshes) {
            EXPECT_TRUE(!mesh.vertices.empty() && mesh.indices.size() % 3 == 0);
            for (std::uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
            for (const Vertex& v : mesh.vertices) EXPECT_TRUE(finite(v.position) && finite(Vec3(v.uv, 0.0f)));
        }
    });
}

TEST(Corpus, MtlFilesGiveUniqueFiniteMaterialsAndPathsUnderTheFolder) {
    replay("mtl", 5, [](const std::string&, const std::string& bytes) {
        const MtlLibrary library = parseMtl(bytes, "base");
        std::set<std::string> names;
        for (const MtlMaterial& m : library.materials) {
            EXPECT_TRUE(names.insert(m.name).second) << m.name;
            EXPECT_TRUE(finite(m.ambient) && finite(m.diffuse) && finite(m.specular) && std::isfinite(m.shininess));
        }
        for (const MtlTextureRef& texture : library.textures) EXPECT_EQ(texture.path.rfind("base/", 0), 0u);
    });
}

// Config files as earlier versions of the game saved them, and hostile ones.
TEST(Corpus, ConfigFilesSaveAndReadBackToTheSameTextAndTheGamesOwnByteForByte) {
    replay("config", 8, [](const std::string& name, const std::string& bytes) {
        const std::string saved = formatConfig(parsed(bytes));
        EXPECT_EQ(formatConfig(parsed(saved)), saved);
        EXPECT_TRUE(name.rfind("saved-", 0) != 0 || saved == bytes) << "the game's own file changed";
    });
}

// bad-* files are no usable image; bad-png-* ones hold a chunk longer than the
// file, which stb_image would allocate before reading.
TEST(Corpus, GoodImagesDecodeWholeAndBadOnesGiveNoBytes) {
    replay("image", 10, [](const std::string& name, const std::string& bytes) {
        const ImagePixels image = decodeImagePixels(bytes);
        const bool bad = name.rfind("bad-", 0) == 0;
        EXPECT_TRUE((name.rfind("bad-png-", 0) != 0 && bad) || pngChunksFitFile(bytes) == !bad);
        const std::size_t whole = static_cast<std::size_t>(image.width) * image.height * image.channels;
        EXPECT_TRUE(bad ? image.bytes.empty()
                        : image.channels >= 1 && image.channels <= 4 && image.bytes.size() == whole);
    });
}
