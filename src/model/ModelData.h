// Geometry on the CPU, shared by drawing and collision: the 44-byte vertex, an
// indexed triangle list, and a model made of meshes and the materials its MTL
// files define. Nothing here knows GL; the renderer uploads a copy.
#pragma once

#include "base/Math.h"
#include "model/MtlMaterial.h"

#include <cstdint>
#include <string>
#include <vector>

struct Vertex {
    Vec3 position{0.0f};
    Vec3 normal{0.0f, 1.0f, 0.0f};
    Vec2 uv{0.0f};
    Vec3 tangent{1.0f, 0.0f, 0.0f};
};
static_assert(sizeof(Vertex) == 44, "the vertex layout is 44 tightly packed bytes");

struct MeshData {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;  // three per triangle
    std::string materialName;            // empty for generated shapes
};

struct ModelData {
    std::vector<MeshData> meshes;
    std::vector<MtlMaterial> materials;
    std::string path;     // the OBJ it was read from; empty for generated shapes
    bool loaded = false;  // usable; generated shapes always are
};
