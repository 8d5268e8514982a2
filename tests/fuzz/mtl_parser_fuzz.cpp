// libFuzzer target: any bytes through the MTL parser; every material name is
// unique and every texture path lies under the given folder.
#include "model/MtlParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MtlLibrary library = parseMtl(std::string_view(reinterpret_cast<const char*>(data), size), "dir");
    std::set<std::string> names;
    for (const MtlMaterial& material : library.materials) {
        if (!names.insert(material.name).second) std::abort();
    }
    for (const MtlTextureRef& texture : library.textures) {
        if (texture.path.rfind("dir/", 0) != 0) std::abort();
    }
    return 0;
}
