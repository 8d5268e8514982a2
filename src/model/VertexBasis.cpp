// Smooth normals and texture-space tangents of indexed triangle meshes.
#include "model/VertexBasis.h"

#include <cstddef>

namespace {

constexpr float kShortestNormalisable = 0.001f;

void normaliseLongEnough(Vec3& direction) {
    const float length = glm::length(direction);
    if (length > kShortestNormalisable) direction /= length;
}

// Indices arrive from our own builders and parser, but a triangle that names a
// missing vertex is skipped rather than read out of bounds.
bool triangleInRange(const MeshData& mesh, std::size_t first) {
    const std::size_t count = mesh.vertices.size();
    return mesh.indices[first] < count && mesh.indices[first + 1] < count && mesh.indices[first + 2] < count;
}

}  // namespace

void computeTangents(MeshData& mesh) {
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        if (!triangleInRange(mesh, i)) continue;
        Vertex& v0 = mesh.vertices[mesh.indices[i]];
        Vertex& v1 = mesh.vertices[mesh.indices[i + 1]];
        Vertex& v2 = mesh.vertices[mesh.indices[i + 2]];
        const Vec3 e1 = v1.position - v0.position;
        const Vec3 e2 = v2.position - v0.position;
        const float ds1 = v1.uv.x - v0.uv.x;
        const float dt1 = v1.uv.y - v0.uv.y;
        const float ds2 = v2.uv.x - v0.uv.x;
        const float dt2 = v2.uv.y - v0.uv.y;
        // The tiny constant keeps a degenerate uv triangle finite without a
        // branch; such a triangle then adds a huge but finite tangent.
        const float f = 1.0f / (ds1 * dt2 - ds2 * dt1 + 0.0000001f);
        const Vec3 tangent = f * (e1 * dt2 - e2 * dt1);
        v0.tangent += tangent;
        v1.tangent += tangent;
        v2.tangent += tangent;
    }
    for (Vertex& vertex : mesh.vertices) normaliseLongEnough(vertex.tangent);
}

void computeNormals(MeshData& mesh) {
    for (Vertex& vertex : mesh.vertices) vertex.normal = Vec3(0.0f);
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        if (!triangleInRange(mesh, i)) continue;
        Vertex& v0 = mesh.vertices[mesh.indices[i]];
        Vertex& v1 = mesh.vertices[mesh.indices[i + 1]];
        Vertex& v2 = mesh.vertices[mesh.indices[i + 2]];
        const Vec3 faceNormal = glm::cross(v1.position - v0.position, v2.position - v0.position);
        v0.normal += faceNormal;
        v1.normal += faceNormal;
        v2.normal += faceNormal;
    }
    for (Vertex& vertex : mesh.vertices) normaliseLongEnough(vertex.normal);
}
