// libFuzzer target: any bytes as an image file through the texture loader's
// decode and format choice; a decoded image must be whole and within limits.
#include "render/ImageTexture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ImagePixels image = decodeImagePixels(std::string_view(reinterpret_cast<const char*>(data), size));
    if (image.bytes.empty()) return 0;
    const long long pixels = static_cast<long long>(image.width) * image.height;
    if (image.width <= 0 || image.height <= 0 || pixels > kMaxImagePixels) std::abort();
    if (image.channels < 1 || image.channels > 4) std::abort();
    if (image.bytes.size() != static_cast<std::size_t>(pixels) * static_cast<std::size_t>(image.channels)) std::abort();
    const TextureFormat format = textureFormatFor(image.channels, true);
    const int formatChannels = format.dataFormat == GL_RED ? 1 : format.dataFormat == GL_RG ? 2
                             : format.dataFormat == GL_RGB ? 3 : 4;
    if (formatChannels != image.channels) std::abort();
    const int alignment = unpackAlignmentFor(image.width, image.channels);
    if ((static_cast<long long>(image.width) * image.channels) % alignment != 0) std::abort();
    return 0;
}
