// Vertex and index construction of the procedural shapes.
#include "model/Shapes.h"

#include "model/VertexBasis.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

Vertex makeVertex(Vec3 position, Vec3 normal, Vec2 uv) {
    Vertex vertex;
    vertex.position = position;
    vertex.normal = normal;
    vertex.uv = uv;
    vertex.tangent = Vec3(1.0f, 0.0f, 0.0f);
    return vertex;
}

void addTriangle(MeshData& mesh, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    mesh.indices.push_back(a);
    mesh.indices.push_back(b);
    mesh.indices.push_back(c);
}

// A ring of cap vertices around a centre at height y, fanned so that the cap
// faces along `normalY` (+1 top, -1 bottom) when seen from outside.
void addCylinderCap(MeshData& mesh, float radius, float y, float normalY, int segments) {
    const Vec3 normal(0.0f, normalY, 0.0f);
    const auto centre = static_cast<std::uint32_t>(mesh.vertices.size());
    mesh.vertices.push_back(makeVertex(Vec3(0.0f, y, 0.0f), normal, Vec2(0.5f, 0.5f)));
    const std::uint32_t rim = centre + 1;
    for (int i = 0; i <= segments; ++i) {
        const float theta = static_cast<float>(i) * kTwoPi / static_cast<float>(segments);
        const float c = std::cos(theta);
        const float s = std::sin(theta);
        mesh.vertices.push_back(
            makeVertex(Vec3(c * radius, y, s * radius), normal, Vec2(c * 0.5f + 0.5f, s * 0.5f + 0.5f)));
    }
    for (int i = 0; i < segments; ++i) {
        const auto at = static_cast<std::uint32_t>(i);
        if (normalY > 0.0f) {
            addTriangle(mesh, centre, rim + at + 1, rim + at);
        } else {
            addTriangle(mesh, centre, rim + at, rim + at + 1);
        }
    }
}

}  // namespace

MeshData buildSphereMesh(int stacks, int slices, float radius) {
    MeshData mesh;
    for (int i = 0; i <= stacks; ++i) {
        const float phi = static_cast<float>(i) * kPi / static_cast<float>(stacks);
        for (int j = 0; j <= slices; ++j) {
            const float theta = static_cast<float>(j) * kTwoPi / static_cast<float>(slices);
            const Vec3 position(radius * std::sin(phi) * std::cos(theta), radius * std::cos(phi),
                                radius * std::sin(phi) * std::sin(theta));
            const Vec2 uv(static_cast<float>(j) / static_cast<float>(slices),
                          static_cast<float>(i) / static_cast<float>(stacks));
            mesh.vertices.push_back(makeVertex(position, position / glm::length(position), uv));
        }
    }
    // The pole rows produce degenerate triangles; they are kept so that every
    // stack has the same index pattern.
    const auto columns = static_cast<std::uint32_t>(slices + 1);
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const std::uint32_t a = static_cast<std::uint32_t>(i) * columns + static_cast<std::uint32_t>(j);
            const std::uint32_t b = a + columns;
            addTriangle(mesh, a, a + 1, b);
            addTriangle(mesh, a + 1, b + 1, b);
        }
    }
    computeTangents(mesh);
    return mesh;
}

MeshData buildBoxMesh(float size) {
    struct Face {
        Vec3 normal;
        Vec3 corners[4];
    };
    static const Face faces[6] = {
        {{0, 0, 1}, {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}},
        {{0, 0, -1}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},
        {{1, 0, 0}, {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}},
        {{-1, 0, 0}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}},
        {{0, 1, 0}, {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}}},
        {{0, -1, 0}, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
    };
    static const Vec2 cornerUv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const float half = size * 0.5f;
    MeshData mesh;
    for (const Face& face : faces) {
        const auto base = static_cast<std::uint32_t>(mesh.vertices.size());
        for (int corner = 0; corner < 4; ++corner) {
            mesh.vertices.push_back(makeVertex(face.corners[corner] * half, face.normal, cornerUv[corner]));
        }
        addTriangle(mesh, base, base + 1, base + 2);
        addTriangle(mesh, base, base + 2, base + 3);
    }
    computeTangents(mesh);
    return mesh;
}

MeshData buildCylinderMesh(float radius, float height, int segments) {
    const float half = height * 0.5f;
    MeshData mesh;
    for (int i = 0; i <= segments; ++i) {
        const float theta = static_cast<float>(i) * kTwoPi / static_cast<float>(segments);
        const float c = std::cos(theta);
        const float s = std::sin(theta);
        const float u = static_cast<float>(i) / static_cast<float>(segments);
        const Vec3 normal(c, 0.0f, s);
        mesh.vertices.push_back(makeVertex(Vec3(c * radius, -half, s * radius), normal, Vec2(u, 0.0f)));
        mesh.vertices.push_back(makeVertex(Vec3(c * radius, half, s * radius), normal, Vec2(u, 1.0f)));
    }
    for (int i = 0; i < segments; ++i) {
        const auto lower = static_cast<std::uint32_t>(2 * i);
        addTriangle(mesh, lower, lower + 1, lower + 2);
        addTriangle(mesh, lower + 1, lower + 3, lower + 2);
    }
    addCylinderCap(mesh, radius, half, 1.0f, segments);
    addCylinderCap(mesh, radius, -half, -1.0f, segments);
    computeTangents(mesh);
    return mesh;
}

MeshData buildPlaneMesh(float width, float depth) {
    const float a = width * 0.5f;
    const float d = depth * 0.5f;
    const Vec3 up(0.0f, 1.0f, 0.0f);
    MeshData mesh;
    mesh.vertices = {
        makeVertex(Vec3(-a, 0.0f, -d), up, Vec2(0.0f, 0.0f)),
        makeVertex(Vec3(a, 0.0f, -d), up, Vec2(1.0f, 0.0f)),
        makeVertex(Vec3(a, 0.0f, d), up, Vec2(1.0f, 1.0f)),
        makeVertex(Vec3(-a, 0.0f, d), up, Vec2(0.0f, 1.0f)),
    };
    // Clockwise from +Y on purpose: the plane is seen from below only.
    mesh.indices = {0, 1, 2, 0, 2, 3};
    computeTangents(mesh);
    return mesh;
}
