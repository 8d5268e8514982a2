// The procedural textures as GL textures: uploads that read back as built,
// the caches and their messages, and release.
#include "render/ProceduralTexture.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#include <set>
#include <string>

using namespace ProceduralTexture;

namespace {
Pixels readBack(GLuint texture) {
    Pixels pixels(kByteCount, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

GLint levelParameter(GLuint texture, GLint level, GLenum name) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

GLint parameter(GLuint texture, GLenum name) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

GLuint lookup(TextureRequest request) {
    switch (request.kind) {
        case TextureKind::Albedo: return albedoTexture(request.material);
        case TextureKind::Specular: return specularTexture(request.material);
        case TextureKind::NormalMap: return normalMapTexture(request.material);
        case TextureKind::BallSpecular: return ballSpecularTexture();
    }
    return 0;
}

std::string describe(TextureRequest request) {
    return std::to_string(static_cast<int>(request.kind)) + "/" + std::to_string(request.material);
}
}  // namespace

class ProceduralTextureGl : public GlTest {
protected:
    // The caches are process-wide: every test starts and ends with them empty.
    void SetUp() override {
        GlTest::SetUp();
        releaseAll();
    }
    void TearDown() override {
        releaseAll();
        GlTest::TearDown();
    }
};

TEST_F(ProceduralTextureGl, GenerateAllMakesEighteenTexturesThatReadBackAsBuilt) {
    ConsoleCapture console;
    generateAll();
    EXPECT_EQ(console.stdoutText(),
              "[ProceduralTexture] Generated: stone (256x256)\n"
              "[ProceduralTexture] Generated: wood (256x256)\n"
              "[ProceduralTexture] Generated: marble (256x256)\n"
              "[ProceduralTexture] Generated: cobblestone (256x256)\n"
              "[ProceduralTexture] Generated: dirt (256x256)\n"
              "[ProceduralTexture] Generated: ice (256x256)\n"
              "[ProceduralTexture] Generated: ball_specular (256x256)\n");
    EXPECT_EQ(console.stderrText(), "");
    const std::string afterGeneration = console.stdoutText();

    std::set<GLuint> names;
    for (const TextureRequest& request : startupRequests()) {
        SCOPED_TRACE(describe(request));
        const GLuint texture = lookup(request);
        ASSERT_NE(texture, 0u);
        names.insert(texture);
        EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
        EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_WIDTH), 256);
        EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_HEIGHT), 256);
        EXPECT_EQ(levelParameter(texture, 8, GL_TEXTURE_WIDTH), 1);  // the mipmap chain is complete
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
        EXPECT_TRUE(readBack(texture) == buildPixels(request)) << "texels differ from the CPU buffer";
    }
    EXPECT_EQ(names.size(), 18u);
    // The lookups above found everything cached: nothing more was generated.
    EXPECT_EQ(console.stdoutText(), afterGeneration);
}

TEST_F(ProceduralTextureGl, GenerateAllAgainKeepsTheCachedTextures) {
    generateAll();
    const GLuint stone = albedoTexture(1);
    const GLuint ball = ballSpecularTexture();
    ConsoleCapture console;
    generateAll();
    EXPECT_EQ(console.stdoutText(), "");
    EXPECT_EQ(albedoTexture(1), stone);
    EXPECT_EQ(ballSpecularTexture(), ball);
}

TEST_F(ProceduralTextureGl, MaterialZeroHasNoTexturesAndUnknownMaterialsGetDefaults) {
    ConsoleCapture console;
    EXPECT_EQ(albedoTexture(0), 0u);
    EXPECT_EQ(specularTexture(0), 0u);
    EXPECT_EQ(normalMapTexture(0), 0u);

    EXPECT_EQ(albedoTexture(7), 0u);
    const GLuint specular = specularTexture(7);
    const GLuint normal = normalMapTexture(7);
    ASSERT_NE(specular, 0u);
    ASSERT_NE(normal, 0u);
    EXPECT_TRUE(readBack(specular) == Pixels(kByteCount, 114));
    const Pixels flat = readBack(normal);
    for (std::size_t i = 0; i < flat.size(); i += 3) {
        ASSERT_EQ(flat[i], 128) << "texel " << i / 3;
        ASSERT_EQ(flat[i + 1], 128) << "texel " << i / 3;
        ASSERT_EQ(flat[i + 2], 255) << "texel " << i / 3;
    }
    EXPECT_EQ(specularTexture(7), specular);
    EXPECT_EQ(normalMapTexture(7), normal);
    EXPECT_EQ(console.stdoutText(), "");  // only colour maps and the ball's map are announced
}

TEST_F(ProceduralTextureGl, CobblestoneNormalMapIsMadeOnItsFirstRequestOnly) {
    generateAll();
    std::set<GLuint> startup;
    for (const TextureRequest& request : startupRequests()) startup.insert(lookup(request));
    const GLuint cobble = normalMapTexture(4);
    ASSERT_NE(cobble, 0u);
    EXPECT_EQ(startup.count(cobble), 0u);
    EXPECT_TRUE(readBack(cobble) == buildNormalMapPixels(4));
    EXPECT_EQ(normalMapTexture(4), cobble);
}

TEST_F(ProceduralTextureGl, ReleaseAllDeletesEveryTextureAndALaterLookupGeneratesAgain) {
    generateAll();
    std::set<GLuint> names;
    for (const TextureRequest& request : startupRequests()) names.insert(lookup(request));
    names.insert(specularTexture(7));
    names.insert(normalMapTexture(4));
    releaseAll();
    for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << "texture " << name;

    ConsoleCapture console;
    const GLuint stone = albedoTexture(1);
    const GLuint ball = ballSpecularTexture();
    EXPECT_EQ(console.stdoutText(),
              "[ProceduralTexture] Generated: stone (256x256)\n"
              "[ProceduralTexture] Generated: ball_specular (256x256)\n");
    EXPECT_TRUE(glIsTexture(stone));
    EXPECT_TRUE(readBack(stone) == buildAlbedoPixels(1));
    EXPECT_TRUE(glIsTexture(ball));
}
