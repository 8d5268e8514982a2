// Image files as textures: decoding to bytes (bottom row first, as GL expects,
// 1 to 4 channels as the file has them) and the upload of such pixels as a
// mipmapped, repeating 2D texture. One-channel images show as grey and
// two-channel ones as grey with alpha; rows need not be 4-byte aligned.
#pragma once

#include "render/GlHandles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ImagePixels {
    int width = 0;
    int height = 0;
    int channels = 0;                  // 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> bytes;   // rows bottom first, tightly packed; empty when unusable
};

// The most pixels an image may hold (8192 x 8192): a few header bytes can
// claim gigabytes, which must not be allocated before the data is seen.
constexpr long long kMaxImagePixels = 8192LL * 8192LL;

// False for a PNG with a chunk longer than the bytes left after it (true for
// any other file): stb_image grows its buffer to a chunk's stated length
// before reading it, so one damaged length in a tiny file costs gigabytes.
bool pngChunksFitFile(std::string_view fileBytes);

// Decodes the bytes of an image file (any format stb_image reads), flipped so
// the bottom row comes first. Empty `bytes` when they are not a usable image,
// claim more than kMaxImagePixels or more than the file can plausibly hold,
// or are a PNG whose chunks do not fit the file.
ImagePixels decodeImagePixels(std::string_view fileBytes);

// Reads a regular file and decodes it as above; empty `bytes` when the file
// is missing, not a regular file (a FIFO would block) or not decodable.
ImagePixels loadImagePixels(const std::string& path);

// How pixels of `channels` bytes each go to GL.
struct TextureFormat {
    GLint internalFormat = GL_RGBA;
    GLenum dataFormat = GL_RGBA;
    GLint swizzle[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
};
TextureFormat textureFormatFor(int channels, bool srgb);

// 4 when every row of `width` pixels is a multiple of four bytes long, else 1.
int unpackAlignmentFor(int width, int channels);

// A new texture holding `image` with mipmaps, repeat wrapping and trilinear
// filtering. Needs the GL context; the image must have bytes.
GlTexture uploadImageTexture(const ImagePixels& image, bool srgb);
