// Mesh ownership of its GL objects, upload and drawing.
#include "render/Gl.h"
#include "render/MeshGpu.h"

#include <cstddef>
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
    // Without loaded entry points there is no context to delete from.
    if (glLoaded()) {
        if (vao != 0) glDeleteVertexArrays(1, &vao);
        if (vbo != 0) glDeleteBuffers(1, &vbo);
        if (ebo != 0) glDeleteBuffers(1, &ebo);
    }
    vao = 0;
    vbo = 0;
    ebo = 0;
}

namespace {

void enableFloatAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offset));
}

}  // namespace

void uploadMesh(Mesh& mesh) {
    mesh.release();
    glGenVertexArrays(1, &mesh.vao);
    glGenBuffers(1, &mesh.vbo);
    glGenBuffers(1, &mesh.ebo);
    glBindVertexArray(mesh.vao);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(Vertex)),
                 mesh.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
                 mesh.indices.data(), GL_STATIC_DRAW);
    enableFloatAttribute(0, 3, offsetof(Vertex, position));
    enableFloatAttribute(1, 3, offsetof(Vertex, normal));
    enableFloatAttribute(2, 2, offsetof(Vertex, uv));
    enableFloatAttribute(3, 3, offsetof(Vertex, tangent));
    // The element buffer binding belongs to the vertex array, so only the
    // array buffer is unbound after it.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void uploadModelIfGl(Model& model) {
    if (!glLoaded()) return;
    for (Mesh& mesh : model.meshes) uploadMesh(mesh);
}

void drawModel(const Model& model) {
    for (const Mesh& mesh : model.meshes) {
        if (mesh.vao == 0) continue;
        glBindVertexArray(mesh.vao);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_INT, nullptr);
        glBindVertexArray(0);
    }
}
