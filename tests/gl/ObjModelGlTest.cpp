// A real OBJ with its MTL and PNG texture read, uploaded and drawn, and the
// model cache's GL objects deleted at release.
#include "gl/TestProgram.h"
#include "level/Level.h"
#include "render/MeshGpu.h"
#include "render/ModelCache.h"
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

#include <string>
#include <vector>

namespace {

constexpr int kSize = 64;

// A screen-filling quad in two materials' worth of meshes: the left half
// textured, the right half plain green.
const char* kObj =
    "# two halves of the screen\n"
    "mtllib scene.mtl\n"
    "v -1 -1 0\nv 0 -1 0\nv 0 1 0\nv -1 1 0\nv 1 -1 0\nv 1 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "usemtl textured\n"
    "f 1/1/1 2/2/1 3/3/1 4/4/1\n"
    "usemtl paint\n"
    "f 2/1/1 5/2/1 6/3/1 3/4/1\n";

const char* kMtl =
    "newmtl textured\n"
    "Kd 1 1 1\n"
    "map_Kd checker.png\n"
    "bump -bm 0.5 missing_normal.png\n"
    "newmtl paint\n"
    "Kd 0 1 0\n";

// Top row first, as in the file: red, green over blue, white.
const std::vector<std::uint8_t> kChecker = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

const MtlMaterial* materialNamed(const Model& model, const std::string& name) {
    for (const MtlMaterial& material : model.materials) {
        if (material.name == name) return &material;
    }
    return nullptr;
}

class ObjModelGl : public GlTest {
protected:
    TempDir dir;
    void TearDown() override {
        releaseModels();
        releaseTextures();
        GlTest::TearDown();
    }
};

}  // namespace

TEST_F(ObjModelGl, ObjWithMtlAndPngLoadsUploadsAndDrawsItsTexture) {
    dir.write("models/scene.obj", kObj);
    dir.write("models/scene.mtl", kMtl);
    const std::string png = (dir / "models" / "checker.png").string();
    ASSERT_NE(stbi_write_png(png.c_str(), 2, 2, 3, kChecker.data(), 6), 0);
    const std::string objPath = (dir / "models" / "scene.obj").string();
    const std::string folder = (dir / "models").string();

    ConsoleCapture console;
    SceneObject object;
    object.shape = ShapeKind::ObjFile;
    object.objPath = objPath;
    const Model& model = resolveModel(object);
    EXPECT_EQ(console.stdoutText(), "[ModelLoader] Loaded texture: " + folder + "/checker.png (2x2)\n" +
                                        "[ModelLoader] Loaded OBJ: " + objPath + " | meshes=2 materials=2\n");
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot load texture: " + folder + "/missing_normal.png\n");
    ASSERT_TRUE(model.loaded);
    ASSERT_EQ(model.meshes.size(), 2u);
    const MtlMaterial* textured = materialNamed(model, "textured");
    const MtlMaterial* paint = materialNamed(model, "paint");
    ASSERT_NE(textured, nullptr);
    ASSERT_NE(paint, nullptr);
    EXPECT_NE(textured->mapKd, 0u);
    EXPECT_EQ(textured->mapBump, solidColorTexture(Vec3(1, 0, 1)));
    EXPECT_EQ(paint->mapKd, 0u);

    setWindowSize(kSize, kSize);
    const GLuint program = buildTestProgram(kAttributeVertexShader, kAttributeFragmentShader);
    ASSERT_NE(program, 0u);
    glUseProgram(program);
    const Mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "uMatrix"), 1, GL_FALSE, glm::value_ptr(identity));
    glUniform1i(glGetUniformLocation(program, "uShow"), 0);
    glEnable(GL_CULL_FACE);  // the file winds counter-clockwise towards the viewer
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLuint white = solidColorTexture(Vec3(1.0f));
    for (const Mesh& mesh : model.meshes) {
        const MtlMaterial* material = materialNamed(model, mesh.materialName);
        ASSERT_NE(material, nullptr);
        glBindTexture(GL_TEXTURE_2D, material->mapKd != 0 ? material->mapKd : white);
        glUniform3fv(glGetUniformLocation(program, "uColor"), 1, glm::value_ptr(material->diffuse));
        glBindVertexArray(mesh.vao);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_INT, nullptr);
        glBindVertexArray(0);
    }
    savePng(PEMBRIX_ARTIFACT_DIR "/obj-model.png", kSize, kSize, readPixelsRgba(0, 0, kSize, kSize));

    // Near the texel centres of the left half (linear filtering blends in a
    // little of the neighbours): the image's bottom row is at v = 0.
    struct Probe {
        const char* name;
        int x, y;
        std::uint8_t r, g, b;
    };
    const Probe probes[] = {
        {"bottom left: blue", 8, 16, 0, 0, 255},
        {"bottom right of texture: white", 24, 16, 255, 255, 255},
        {"top left: red", 8, 48, 255, 0, 0},
        {"top right of texture: green", 24, 48, 0, 255, 0},
        {"plain half: Kd green", 48, 32, 0, 255, 0},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        const auto pixel = readPixelsRgba(probe.x, probe.y, 1, 1);
        EXPECT_NEAR(pixel[0], probe.r, 20);
        EXPECT_NEAR(pixel[1], probe.g, 20);
        EXPECT_NEAR(pixel[2], probe.b, 20);
    }
    glUseProgram(0);
    glDeleteProgram(program);
    glDisable(GL_CULL_FACE);
}

TEST_F(ObjModelGl, DrawModelDrawsEveryUploadedMeshOfALoadedFile) {
    dir.write("m/scene.obj", kObj);
    ConsoleCapture console;  // the library is missing: meshes still draw
    const Model& model = getCachedModel((dir / "m" / "scene.obj").string());
    ASSERT_EQ(model.meshes.size(), 2u);
    setWindowSize(kSize, kSize);
    const GLuint program = buildTestProgram(kAttributeVertexShader, kAttributeFragmentShader);
    glUseProgram(program);
    const Mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "uMatrix"), 1, GL_FALSE, glm::value_ptr(identity));
    glUniform1i(glGetUniformLocation(program, "uShow"), 1);  // the file's normal (0, 0, 1)
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawModel(model);
    for (int x : {8, 56}) {
        SCOPED_TRACE(x);
        const auto pixel = readPixelsRgba(x, 32, 1, 1);
        EXPECT_EQ(pixel[0], 0);
        EXPECT_EQ(pixel[1], 0);
        EXPECT_EQ(pixel[2], 255);
    }
    glUseProgram(0);
    glDeleteProgram(program);
}

TEST_F(ObjModelGl, ReleaseDeletesTheObjectsOfCachedAndFallbackModels) {
    dir.write("ok.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    ConsoleCapture console;
    SceneObject loaded;
    loaded.objPath = (dir / "ok.obj").string();
    SceneObject missing;
    missing.shape = ShapeKind::Cylinder;
    missing.objPath = (dir / "missing.obj").string();
    const GLuint loadedVao = resolveModel(loaded).meshes[0].vao;
    const GLuint fallbackVao = resolveModel(missing).meshes[0].vao;
    const GLuint fallbackVbo = resolveModel(missing).meshes[0].vbo;
    ASSERT_TRUE(glIsVertexArray(loadedVao));
    ASSERT_TRUE(glIsVertexArray(fallbackVao));
    releaseModels();
    EXPECT_FALSE(glIsVertexArray(loadedVao));
    EXPECT_FALSE(glIsVertexArray(fallbackVao));
    EXPECT_FALSE(glIsBuffer(fallbackVbo));
}
