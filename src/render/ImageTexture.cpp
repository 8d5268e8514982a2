// stb_image decoding and the texture upload of decoded pixels.
#include "render/ImageTexture.h"

#include <stb_image.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace {

// No format we read packs much more than a thousand decoded bytes into one
// file byte (deflate stops near 1032); a damaged header claiming more, say a
// 17-byte run-length TGA of 56 million pixels, would take seconds of decoding
// into a huge allocation. Any image up to a mebibyte decoded is allowed.
constexpr long long kMaxDecodedBytesPerFileByte = 4096;
constexpr long long kSmallImageAllowance = 1 << 20;

bool isPlausibleImageSize(int width, int height, int channels, std::size_t fileSize) {
    const long long decoded = static_cast<long long>(width) * height * channels;
    return decoded <= static_cast<long long>(fileSize) * kMaxDecodedBytesPerFileByte + kSmallImageAllowance;
}

}  // namespace

bool pngChunksFitFile(std::string_view fileBytes) {
    static constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
    if (fileBytes.substr(0, kSignature.size()) != kSignature) return true;
    std::uint64_t at = kSignature.size();
    while (at + 8 <= fileBytes.size()) {
        const auto* field = reinterpret_cast<const unsigned char*>(fileBytes.data() + at);
        const std::uint64_t length = (std::uint64_t{field[0]} << 24) | (field[1] << 16) | (field[2] << 8) | field[3];
        if (at + 8 + length > fileBytes.size()) return false;
        if (fileBytes.substr(at + 4, 4) == "IEND") return true;
        at += 12 + length;  // length, type, data, CRC
    }
    return true;
}

ImagePixels decodeImagePixels(std::string_view fileBytes) {
    ImagePixels image;
    // stb_image takes an int length; anything that large is no texture of ours.
    if (fileBytes.empty() || fileBytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return image;
    }
    const auto* data = reinterpret_cast<const stbi_uc*>(fileBytes.data());
    const int length = static_cast<int>(fileBytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return image;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxImagePixels) return image;
    if (!isPlausibleImageSize(width, height, channels, fileBytes.size())) return image;
    if (!pngChunksFitFile(fileBytes)) return image;
    stbi_set_flip_vertically_on_load(1);
    stbi_uc* decoded = stbi_load_from_memory(data, length, &width, &height, &channels, 0);
    if (decoded == nullptr) return image;
    if (width > 0 && height > 0 && static_cast<long long>(width) * height <= kMaxImagePixels && channels >= 1 &&
        channels <= 4) {
        image.width = width;
        image.height = height;
        image.channels = channels;
        const std::size_t size = static_cast<std::size_t>(width) * height * channels;
        image.bytes.assign(decoded, decoded + size);
    }
    stbi_image_free(decoded);
    return image;
}

ImagePixels loadImagePixels(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return {};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return {};
    return decodeImagePixels(bytes);
}

TextureFormat textureFormatFor(int channels, bool srgb) {
    TextureFormat format;
    switch (channels) {
    case 1:
        format.internalFormat = GL_R8;
        format.dataFormat = GL_RED;
        // A grey image is grey, not red.
        format.swizzle[1] = GL_RED;
        format.swizzle[2] = GL_RED;
        format.swizzle[3] = GL_ONE;
        break;
    case 2:
        // Grey plus alpha; there is no sRGB two-channel format in core GL.
        format.internalFormat = GL_RG8;
        format.dataFormat = GL_RG;
        format.swizzle[1] = GL_RED;
        format.swizzle[2] = GL_RED;
        format.swizzle[3] = GL_GREEN;
        break;
    case 3:
        format.internalFormat = srgb ? GL_SRGB8 : GL_RGB8;
        format.dataFormat = GL_RGB;
        break;
    default:
        format.internalFormat = srgb ? GL_SRGB8_ALPHA8 : GL_RGBA8;
        format.dataFormat = GL_RGBA;
        break;
    }
    return format;
}

int unpackAlignmentFor(int width, int channels) {
    const long long rowBytes = static_cast<long long>(width) * channels;
    return rowBytes % 4 == 0 ? 4 : 1;
}

GlTexture uploadImageTexture(const ImagePixels& image, bool srgb) {
    const TextureFormat format = textureFormatFor(image.channels, srgb);
    GlTexture texture = makeGlTexture();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignmentFor(image.width, image.channels));
    glTexImage2D(GL_TEXTURE_2D, 0, format.internalFormat, image.width, image.height, 0, format.dataFormat,
                 GL_UNSIGNED_BYTE, image.bytes.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the GL default other uploads assume
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, format.swizzle);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
