// Mesh upload and drawing.
#include "render/GpuMesh.h"

#include <cstddef>

namespace {

void enableFloatAttribute(GLuint location, GLint components, std::size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offset));
}

}  // namespace

GpuMesh uploadMesh(const MeshData& mesh) {
    GpuMesh gpu;
    gpu.vao = makeGlVertexArray();
    gpu.vertexBuffer = makeGlBuffer();
    gpu.indexBuffer = makeGlBuffer();
    gpu.indexCount = static_cast<GLsizei>(mesh.indices.size());
    gpu.materialName = mesh.materialName;
    glBindVertexArray(gpu.vao.get());
    glBindBuffer(GL_ARRAY_BUFFER, gpu.vertexBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(Vertex)),
                 mesh.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.indexBuffer.get());
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
    return gpu;
}

void drawMesh(const GpuMesh& mesh) {
    if (!mesh.vao) return;
    glBindVertexArray(mesh.vao.get());
    glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
