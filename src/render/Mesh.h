// Geometry shared by everything the scene draws: the 44-byte vertex, an
// indexed triangle list with its CPU copy (kept after upload; physics builds
// collision shapes from it), and a model made of meshes and materials.
// A Mesh owns its three GL objects and a Model its meshes; both move, never copy.
#pragma once

#include "base/Math.h"
#include "render/MtlMaterial.h"

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

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;  // three per triangle
    std::string materialName;            // empty for generated shapes
    unsigned int vao = 0;                // 0 until uploaded
    unsigned int vbo = 0;
    unsigned int ebo = 0;

    Mesh() = default;
    ~Mesh();
    Mesh(Mesh&& other) noexcept;
    Mesh& operator=(Mesh&& other) noexcept;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // Deletes the GL objects (while a context is current) and zeroes the names.
    void release();
};

struct Model {
    std::vector<Mesh> meshes;
    std::vector<MtlMaterial> materials;
    std::string path;     // the OBJ it was read from; empty for generated shapes
    bool loaded = false;  // usable; generated shapes always are

    Model() = default;
    Model(Model&&) noexcept = default;
    Model& operator=(Model&&) noexcept = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
};
