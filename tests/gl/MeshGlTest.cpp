// Meshes on the GPU: the attribute layout, drawing, culling of the shapes and
// deletion of the GL objects.
#include "gl/TestProgram.h"
#include "render/MeshGpu.h"
#include "render/Shapes.h"
#include "support/GlTest.h"

#include <utility>

namespace {

constexpr int kSize = 64;

class MeshGl : public GlTest {
protected:
    GLuint program = 0;

    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kSize, kSize);
        program = buildTestProgram(kAttributeVertexShader, kAttributeFragmentShader);
        ASSERT_NE(program, 0u);
        glUseProgram(program);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void TearDown() override {
        glUseProgram(0);
        glDeleteProgram(program);
        glDisable(GL_CULL_FACE);
        GlTest::TearDown();
    }

    void draw(const Model& model, const Mat4& matrix, int show) {
        glUniformMatrix4fv(glGetUniformLocation(program, "uMatrix"), 1, GL_FALSE, glm::value_ptr(matrix));
        glUniform1i(glGetUniformLocation(program, "uShow"), show);
        drawModel(model);
    }

    static std::vector<std::uint8_t> centre() { return readPixelsRgba(kSize / 2, kSize / 2, 1, 1); }
};

// A quad covering the whole viewport whose every vertex carries the same,
// distinct attribute values.
Model screenQuad() {
    Model model;
    model.loaded = true;
    Mesh& mesh = model.meshes.emplace_back();
    for (Vec2 corner : {Vec2(-1, -1), Vec2(1, -1), Vec2(1, 1), Vec2(-1, 1)}) {
        Vertex vertex;
        vertex.position = Vec3(corner, 0.0f);
        vertex.normal = Vec3(0.2f, 0.4f, 0.6f);
        vertex.uv = Vec2(0.8f, 0.1f);
        vertex.tangent = Vec3(0.3f, 0.7f, 0.9f);
        mesh.vertices.push_back(vertex);
    }
    mesh.indices = {0, 1, 2, 0, 2, 3};
    uploadMesh(mesh);
    return model;
}

void expectColour(const std::vector<std::uint8_t>& pixel, Vec3 expected) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(pixel[k], expected[k] * 255.0f, 2.0f) << "channel " << k;
}

}  // namespace

TEST_F(MeshGl, EachAttributeReachesItsLocationFromItsOffset) {
    const Model quad = screenQuad();
    const std::pair<int, Vec3> cases[] = {
        {1, Vec3(0.2f, 0.4f, 0.6f)},
        {2, Vec3(0.8f, 0.1f, 0.0f)},
        {3, Vec3(0.3f, 0.7f, 0.9f)},
    };
    for (const auto& [show, expected] : cases) {
        SCOPED_TRACE(show);
        glClear(GL_COLOR_BUFFER_BIT);
        draw(quad, Mat4(1.0f), show);
        expectColour(centre(), expected);
    }
}

TEST_F(MeshGl, UnuploadedMeshesAreSkippedAndTheRestDrawn) {
    Model model;
    model.meshes.emplace_back();  // vao 0: never drawn
    model.meshes.push_back(std::move(screenQuad().meshes[0]));
    draw(model, Mat4(1.0f), 1);
    expectColour(centre(), Vec3(0.2f, 0.4f, 0.6f));
}

TEST_F(MeshGl, ShapesSeenFromOutsideSurviveBackFaceCullingAndThePlaneOnlyFromBelow) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const Mat4 projection = glm::perspective(0.9f, 1.0f, 0.1f, 20.0f);
    struct Case {
        const char* name;
        Model model;
        Vec3 eye;
        bool visible;
    };
    Case cases[] = {
        {"sphere", makeSphere(20, 20, 1.0f), Vec3(0, 0.5f, 4), true},
        {"box", makeBox(1.0f), Vec3(1, 2, 3), true},
        {"cylinder", makeCylinder(0.5f, 1.0f, 24), Vec3(2, 1, 2), true},
        {"plane from above", makePlane(2.0f, 2.0f), Vec3(0, 3, 0.01f), false},
        {"plane from below", makePlane(2.0f, 2.0f), Vec3(0, -3, 0.01f), true},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.model.meshes[0].vao, 0u);
        glClear(GL_COLOR_BUFFER_BIT);
        const Mat4 view = glm::lookAt(c.eye, Vec3(0.0f), Vec3(0, 1, 0));
        draw(c.model, projection * view, 2);  // uv colour: never black inside
        const auto pixel = centre();
        EXPECT_EQ(pixel[0] + pixel[1] + pixel[2] > 0, c.visible);
    }
}

TEST_F(MeshGl, ReleaseDeletesTheObjectsAndAMoveHandsThemOver) {
    Model quad = screenQuad();
    Mesh& original = quad.meshes[0];
    const GLuint vao = original.vao;
    const GLuint vbo = original.vbo;
    const GLuint ebo = original.ebo;
    ASSERT_TRUE(glIsVertexArray(vao));
    {
        Mesh moved(std::move(original));
        EXPECT_EQ(original.vao, 0u);
        EXPECT_EQ(moved.vao, vao);
        Mesh assigned;
        assigned = std::move(moved);
        EXPECT_TRUE(glIsVertexArray(vao));
        EXPECT_TRUE(glIsBuffer(vbo));
        // `assigned` goes out of scope here and deletes the objects.
    }
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
    EXPECT_FALSE(glIsBuffer(ebo));
}
