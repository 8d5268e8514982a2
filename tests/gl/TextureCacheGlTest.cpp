// Image textures through the cache: formats, row alignment, the grey
// swizzles, the magenta substitute and deletion.
#include "gl/TestProgram.h"
#include "render/ImageTexture.h"
#include "render/MeshGpu.h"
#include "render/Shapes.h"
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

#include <string>
#include <vector>

namespace {

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Writes `top` (rows top first, as in the file) and returns the path.
std::string writePng(const TempDir& dir, const std::string& name, int width, int height, int channels,
                     const std::vector<std::uint8_t>& top) {
    const std::string path = (dir / name).string();
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, top.data(), width * channels), 0);
    return path;
}

std::vector<std::uint8_t> distinctBytes(int width, int height, int channels) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < width * height * channels; ++i) bytes.push_back(static_cast<std::uint8_t>(7 + 13 * i));
    return bytes;
}

// The file's rows in GL order, bottom first.
std::vector<std::uint8_t> bottomFirst(const std::vector<std::uint8_t>& top, int width, int height, int channels) {
    std::vector<std::uint8_t> flipped;
    const size_t row = static_cast<size_t>(width * channels);
    for (int y = height - 1; y >= 0; --y) {
        flipped.insert(flipped.end(), top.begin() + static_cast<long>(y * row), top.begin() + static_cast<long>((y + 1) * row));
    }
    return flipped;
}

std::vector<std::uint8_t> levelZero(GLuint texture, GLenum format, size_t size) {
    std::vector<std::uint8_t> bytes(size);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return bytes;
}

GLint levelParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

GLint textureParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

class TextureCacheGl : public GlTest {
protected:
    TempDir dir;
    void TearDown() override {
        releaseTextures();
        GlTest::TearDown();
    }
};

}  // namespace

TEST_F(TextureCacheGl, ImagesReachTheTextureRowForRowWhateverTheirWidth) {
    struct Case {
        int width, height, channels;
        GLenum readFormat;
    };
    // Row lengths of 3, 9, 6 and 20 bytes: only the last is whole words.
    const Case cases[] = {{3, 3, 1, GL_RED}, {3, 2, 3, GL_RGB}, {3, 2, 2, GL_RG}, {5, 2, 4, GL_RGBA}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channels);
        const auto top = distinctBytes(c.width, c.height, c.channels);
        ConsoleCapture console;
        const std::string path =
            writePng(dir, "rows" + std::to_string(c.channels) + ".png", c.width, c.height, c.channels, top);
        const GLuint texture = loadTexture(path, false);
        ASSERT_NE(texture, 0u);
        EXPECT_EQ(levelZero(texture, c.readFormat, top.size()), bottomFirst(top, c.width, c.height, c.channels));
        EXPECT_EQ(console.stdoutText(), "[ModelLoader] Loaded texture: " + path + " (" + std::to_string(c.width) +
                                            "x" + std::to_string(c.height) + ")\n");
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);  // left as other uploads expect it
}

TEST_F(TextureCacheGl, ColourImagesAreSrgbOnRequestAndMipmappedRepeating) {
    const auto top = distinctBytes(4, 4, 3);
    ConsoleCapture console;
    const GLuint colour = loadTexture(writePng(dir, "albedo.png", 4, 4, 3, top), true);
    const GLuint data = loadTexture(writePng(dir, "spec.png", 4, 4, 4, distinctBytes(4, 4, 4)), false);
    EXPECT_EQ(levelParameter(colour, GL_TEXTURE_INTERNAL_FORMAT), GL_SRGB8);
    EXPECT_EQ(levelParameter(data, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
    for (GLuint texture : {colour, data}) {
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint smallest = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallest);
        EXPECT_EQ(smallest, 1);  // the 1 x 1 mip level exists
    }
}

TEST_F(TextureCacheGl, AFailedImageIsReportedOnceAndServedMagentaFromTheCache) {
    const std::string missing = (dir / "missing.png").string();
    const std::string broken = dir.write("broken.png", "not a png").string();
    ConsoleCapture console;
    const GLuint first = loadTexture(missing, true);
    const GLuint second = loadTexture(missing, false);
    const GLuint other = loadTexture(broken, true);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(other, first);  // every failure shares the one substitute
    EXPECT_EQ(solidColorTexture(Vec3(1, 0, 1)), first);
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot load texture: " + missing + "\n" +
                                        "[ModelLoader] Cannot load texture: " + broken + "\n");
    EXPECT_EQ(levelZero(first, GL_RGB, 3), (std::vector<std::uint8_t>{255, 0, 255}));
    // Fixing the file later changes nothing: the failure is cached.
    writePng(dir, "missing.png", 1, 1, 3, {1, 2, 3});
    EXPECT_EQ(loadTexture(missing, true), first);
    EXPECT_EQ(count(console.stderrText(), missing), 1);
}

TEST_F(TextureCacheGl, SolidColoursAreTruncatedBytesCachedByColour) {
    const GLuint a = solidColorTexture(Vec3(0.5f, 0.25f, 1.0f));
    const GLuint again = solidColorTexture(Vec3(0.5f, 0.25f, 1.0f));
    const GLuint b = solidColorTexture(Vec3(-3.0f, 2.0f, 0.999f));
    EXPECT_EQ(a, again);
    EXPECT_NE(a, b);
    EXPECT_EQ(levelZero(a, GL_RGB, 3), (std::vector<std::uint8_t>{127, 63, 255}));
    EXPECT_EQ(levelZero(b, GL_RGB, 3), (std::vector<std::uint8_t>{0, 255, 254}));
    EXPECT_EQ(textureParameter(a, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
}

TEST_F(TextureCacheGl, ReleaseDeletesEveryTextureAndForgetsThem) {
    ConsoleCapture console;
    const GLuint image = loadTexture(writePng(dir, "x.png", 2, 2, 3, distinctBytes(2, 2, 3)), false);
    const GLuint magenta = loadTexture((dir / "gone.png").string(), false);
    ASSERT_TRUE(glIsTexture(image));
    releaseTextures();
    EXPECT_FALSE(glIsTexture(image));
    EXPECT_FALSE(glIsTexture(magenta));
    // A path asked for again is read again.
    loadTexture((dir / "gone.png").string(), false);
    EXPECT_EQ(count(console.stderrText(), "gone.png"), 2);
}

// Sampling shows what a person sees: grey images are grey, not red, and a
// grey-with-alpha image keeps its alpha.
TEST_F(TextureCacheGl, GreyImagesSampleAsGreyAndKeepTheirAlpha) {
    setWindowSize(16, 16);
    const GLuint program = buildTestProgram(kAttributeVertexShader, kAttributeFragmentShader);
    ASSERT_NE(program, 0u);
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "uMatrix"), 1, GL_FALSE,
                       glm::value_ptr(glm::rotate(Mat4(1.0f), 1.5707964f, Vec3(1, 0, 0)) *
                                      glm::scale(Mat4(1.0f), Vec3(2.0f))));
    const Vec3 white(1.0f);
    glUniform3fv(glGetUniformLocation(program, "uColor"), 1, glm::value_ptr(white));
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    const Model plane = makePlane(1.0f, 1.0f);
    ConsoleCapture console;
    const GLuint grey = loadTexture(writePng(dir, "grey.png", 1, 1, 1, {100}), false);
    const GLuint greyAlpha = loadTexture(writePng(dir, "ga.png", 1, 1, 2, {60, 200}), false);
    struct Case {
        GLuint texture;
        int show;
        int expected;
    };
    const Case cases[] = {{grey, 0, 100}, {grey, 4, 255}, {greyAlpha, 0, 60}, {greyAlpha, 4, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.texture) + " show " + std::to_string(c.show));
        glBindTexture(GL_TEXTURE_2D, c.texture);
        glUniform1i(glGetUniformLocation(program, "uShow"), c.show);
        glClear(GL_COLOR_BUFFER_BIT);
        drawModel(plane);
        const auto pixel = readPixelsRgba(8, 8, 1, 1);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(pixel[k], c.expected, 1) << "channel " << k;
    }
    glUseProgram(0);
    glDeleteProgram(program);
}
