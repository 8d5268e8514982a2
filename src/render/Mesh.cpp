// Lifetime of a mesh: the CPU copy moves with it, the GL names move or are
// deleted exactly once. Headless runs never upload, so they never delete.
#include "render/Mesh.h"

#include "render/Gl.h"

#include <utility>

Mesh::~Mesh() { release(); }

Mesh::Mesh(Mesh&& other) noexcept
    : vertices(std::move(other.vertices)),
      indices(std::move(other.indices)),
      materialName(std::move(other.materialName)),
      vao(std::exchange(other.vao, 0u)),
      vbo(std::exchange(other.vbo, 0u)),
      ebo(std::exchange(other.ebo, 0u)) {}

Mesh& Mesh::operator=(Mesh&& other) noexcept {
    if (this != &other) {
        release();
        vertices = std::move(other.vertices);
        indices = std::move(other.indices);
        materialName = std::move(other.materialName);
        vao = std::exchange(other.vao, 0u);
        vbo = std::exchange(other.vbo, 0u);
        ebo = std::exchange(other.ebo, 0u);
    }
    return *this;
}

void Mesh::release() {
    if (glLoaded()) {
        if (ebo) glDeleteBuffers(1, &ebo);
        if (vbo) glDeleteBuffers(1, &vbo);
        if (vao) glDeleteVertexArrays(1, &vao);
    }
    vao = vbo = ebo = 0;
}
