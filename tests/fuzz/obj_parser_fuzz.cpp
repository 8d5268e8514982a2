// libFuzzer target: any bytes through the OBJ parser, with the invariants the
// renderer and the physics rely on checked after each parse.
#include "model/ObjParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ObjData parsed = parseObj(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const MeshData& mesh : parsed.meshes) {
        if (mesh.vertices.empty() || mesh.indices.size() % 3 != 0) std::abort();
        for (std::uint32_t index : mesh.indices) {
            if (index >= mesh.vertices.size()) std::abort();
        }
    }
    return 0;
}
