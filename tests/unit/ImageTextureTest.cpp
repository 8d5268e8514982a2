// Image decoding and the upload format chosen for each channel count.
#include "render/ImageTexture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <string>
#include <vector>

namespace {

// A width x height image whose byte k of pixel (x, row-from-top y) is
// 10 * y + x + 60 * k, written as a PNG (top row first, as files are).
std::string writePng(const TempDir& dir, const std::string& name, int width, int height, int channels) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int k = 0; k < channels; ++k) bytes.push_back(static_cast<std::uint8_t>(10 * y + x + 60 * k));
        }
    }
    const std::string path = (dir / name).string();
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, bytes.data(), width * channels), 0);
    return path;
}

}  // namespace

TEST(ImagePixels, DecodesEveryChannelCountWithTheBottomRowFirst) {
    TempDir dir;
    for (int channels = 1; channels <= 4; ++channels) {
        SCOPED_TRACE(channels);
        const int width = 3;
        const int height = 2;
        const ImagePixels image = loadImagePixels(writePng(dir, "c.png", width, height, channels));
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        ASSERT_EQ(image.channels, channels);
        ASSERT_EQ(image.bytes.size(), static_cast<size_t>(width * height * channels));
        // First stored row is the file's last (y = 1), tightly packed.
        EXPECT_EQ(image.bytes[0], 10);
        EXPECT_EQ(image.bytes[static_cast<size_t>(2 * channels)], 12);
        EXPECT_EQ(image.bytes[static_cast<size_t>(width * channels)], 0);
        EXPECT_EQ(image.bytes[static_cast<size_t>(channels - 1)], 10 + 60 * (channels - 1));
    }
}

TEST(ImagePixels, MissingTruncatedAndNonImageFilesGiveNoBytes) {
    TempDir dir;
    const std::string good = writePng(dir, "good.png", 8, 8, 3);
    const std::string whole = readFile(good);
    const std::string cases[] = {
        (dir / "missing.png").string(),
        dir.write("text.png", "this is not an image").string(),
        dir.write("empty.png", "").string(),
        dir.write("cut.png", whole.substr(0, whole.size() / 2)).string(),
        dir.path().string(),
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        const ImagePixels image = loadImagePixels(path);
        EXPECT_TRUE(image.bytes.empty());
    }
}

TEST(TextureFormat, ChannelCountsChooseFormatsAndGreySwizzles) {
    struct Case {
        int channels;
        bool srgb;
        GLint internalFormat;
        GLenum dataFormat;
        GLint swizzle[4];
    };
    const Case cases[] = {
        {1, false, GL_R8, GL_RED, {GL_RED, GL_RED, GL_RED, GL_ONE}},
        {1, true, GL_R8, GL_RED, {GL_RED, GL_RED, GL_RED, GL_ONE}},
        {2, false, GL_RG8, GL_RG, {GL_RED, GL_RED, GL_RED, GL_GREEN}},
        {2, true, GL_RG8, GL_RG, {GL_RED, GL_RED, GL_RED, GL_GREEN}},
        {3, false, GL_RGB8, GL_RGB, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}},
        {3, true, GL_SRGB8, GL_RGB, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}},
        {4, false, GL_RGBA8, GL_RGBA, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}},
        {4, true, GL_SRGB8_ALPHA8, GL_RGBA, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + (c.srgb ? " srgb" : " linear"));
        const TextureFormat format = textureFormatFor(c.channels, c.srgb);
        EXPECT_EQ(format.internalFormat, c.internalFormat);
        EXPECT_EQ(format.dataFormat, c.dataFormat);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(format.swizzle[k], c.swizzle[k]) << k;
    }
}

TEST(TextureFormat, RowsThatAreNotWholeWordsUnpackByteAligned) {
    struct Case {
        int width, channels, alignment;
    };
    const Case cases[] = {
        {1, 1, 1}, {3, 1, 1}, {4, 1, 4}, {8, 1, 4},  {1, 3, 1},     {3, 3, 1}, {4, 3, 4},
        {5, 3, 1}, {1, 2, 1}, {2, 2, 4}, {7, 4, 4}, {1, 4, 4}, {65537, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.channels));
        EXPECT_EQ(unpackAlignmentFor(c.width, c.channels), c.alignment);
    }
}
