// Image textures through the cache on a real context: every channel count and
// row width reads back as the file holds it, the magenta substitute is reported
// once, solid colours are clamped, and release deletes and forgets them all.
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

namespace {

// Level 0 of a texture as `format` bytes, rows bottom first.
std::vector<std::uint8_t> levelZero(GLuint texture, GLenum format, size_t size) {
    std::vector<std::uint8_t> bytes(size);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return bytes;
}

class TextureCacheGl : public GlTest {
protected:
    void TearDown() override {
        releaseTextures();
        GlTest::TearDown();
    }
    // Writes a PNG from rows given top first and returns its path.
    std::string png(const std::string& name, int width, int height, int channels, const std::vector<std::uint8_t>& top) {
        const std::string path = (dir / name).string();
        EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, top.data(), width * channels), 0);
        return path;
    }
    TempDir dir;
    ConsoleCapture console;
};

}  // namespace

TEST_F(TextureCacheGl, EveryChannelCountAndRowWidthReadsBackAsTheFileHoldsIt) {
    // Rows of 3, 6, 9 and 20 bytes: only the last is whole words. Grey images
    // sample as grey (with their alpha); colour images are sRGB when asked.
    struct Case { int width, height, channels; GLenum format, internal, swizzleA; };
    for (const Case c : {Case{3, 3, 1, GL_RED, GL_R8, GL_ONE}, Case{3, 2, 2, GL_RG, GL_RG8, GL_GREEN},
                         Case{3, 2, 3, GL_RGB, GL_SRGB8, GL_ALPHA}, Case{5, 2, 4, GL_RGBA, GL_SRGB8_ALPHA8, GL_ALPHA}}) {
        SCOPED_TRACE(c.channels);
        std::vector<std::uint8_t> top, bottomFirst;
        for (int i = 0; i < c.width * c.height * c.channels; ++i) top.push_back(static_cast<std::uint8_t>(7 + 13 * i));
        const auto row = static_cast<std::ptrdiff_t>(c.width * c.channels);
        for (std::ptrdiff_t y = c.height - 1; y >= 0; --y)
            bottomFirst.insert(bottomFirst.end(), top.begin() + y * row, top.begin() + (y + 1) * row);
        const std::string path = png("rows" + std::to_string(c.channels) + ".png", c.width, c.height, c.channels, top);
        EXPECT_EQ(levelZero(loadTexture(path, true), c.format, top.size()), bottomFirst);
        GLint internal = 0, swizzle[4] = {};
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
        EXPECT_EQ(internal, static_cast<GLint>(c.internal));
        EXPECT_EQ(swizzle[2], c.channels < 3 ? GL_RED : GL_BLUE);
        EXPECT_EQ(swizzle[3], static_cast<GLint>(c.swizzleA));
        EXPECT_NE(console.stdoutText().find("[ModelLoader] Loaded texture: " + path + " (" + std::to_string(c.width) +
                                            "x" + std::to_string(c.height) + ")\n"), std::string::npos);
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);  // left as other uploads expect it
}

TEST_F(TextureCacheGl, AFailedImageIsReportedOnceAndServedMagentaSolidColoursAreClampedAndReleaseForgetsAll) {
    const std::string missing = (dir / "missing.png").string(), broken = dir.write("broken.png", "not a png").string();
    const GLuint magenta = loadTexture(missing, true);
    EXPECT_EQ(loadTexture(broken, false), magenta);
    EXPECT_EQ(solidColorTexture(Vec3(1, 0, 1)), magenta);
    EXPECT_EQ(levelZero(magenta, GL_RGB, 3), (std::vector<std::uint8_t>{255, 0, 255}));
    png("missing.png", 1, 1, 3, {1, 2, 3});  // fixing the file later changes nothing: the failure is cached
    EXPECT_EQ(loadTexture(missing, false), magenta);
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot load texture: " + missing +
                                        "\n[ModelLoader] Cannot load texture: " + broken + "\n");
    const GLuint odd = solidColorTexture(Vec3(-3.0f, 2.0f, 0.999f));
    EXPECT_EQ(levelZero(odd, GL_RGB, 3), (std::vector<std::uint8_t>{0, 255, 254}));
    EXPECT_EQ(solidColorTexture(Vec3(-3.0f, 2.0f, 0.999f)), odd);
    releaseTextures();  // deletes them all and forgets them: the fixed file is read now
    EXPECT_FALSE(glIsTexture(magenta) || glIsTexture(odd));
    EXPECT_EQ(levelZero(loadTexture(missing, false), GL_RGB, 3), (std::vector<std::uint8_t>{1, 2, 3}));
}
