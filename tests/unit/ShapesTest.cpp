// The procedural shapes (sizes, winding seen from outside, normals) and the
// smooth normals and tangents computed from triangles, worked by hand.
#include "render/Shapes.h"
#include "render/VertexBasis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

TEST(Shapes, CountsWindingOutwardsAndUnitNormalsWithThePlaneWoundAgainstItsNormals) {
    // Every shape is convex around the origin: "outside" runs from it to a triangle's corners.
    struct Case { const char* name; Mesh mesh; size_t vertices, indices; };
    const Case cases[] = {{"sphere", buildSphereMesh(20, 20, 3.0f), 21 * 21, 20 * 20 * 6},
                          {"sphere 3x5", buildSphereMesh(3, 5, 2.0f), 4 * 6, 3 * 5 * 6},
                          {"box", buildBoxMesh(2.0f), 24, 36},
                          {"cylinder", buildCylinderMesh(0.5f, 1.0f, 24), 50 + 2 * 26, 24 * 12},
                          {"plane", buildPlaneMesh(2.0f, 4.0f), 4, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool plane = std::string(c.name) == "plane";
        ASSERT_EQ(c.mesh.vertices.size(), c.vertices);
        ASSERT_EQ(c.mesh.indices.size(), c.indices);
        for (size_t i = 0; i < c.mesh.indices.size(); i += 3) {
            ASSERT_LT(std::max({c.mesh.indices[i], c.mesh.indices[i + 1], c.mesh.indices[i + 2]}), c.vertices);
            const Vec3 a = c.mesh.vertices[c.mesh.indices[i]].position, b = c.mesh.vertices[c.mesh.indices[i + 1]].position,
                       d = c.mesh.vertices[c.mesh.indices[i + 2]].position;
            const Vec3 facing = glm::cross(b - a, d - a);
            const Vec3 outside = plane ? Vec3(0, -1, 0) : a + b + d;
            EXPECT_TRUE(glm::length(facing) < 1e-6f || glm::dot(facing, outside) > 0.0f) << i / 3;  // poles are degenerate
        }
        for (const Vertex& vertex : c.mesh.vertices) {
            EXPECT_NEAR(glm::length(vertex.normal), 1.0f, 1e-5f);
            EXPECT_GE(glm::dot(vertex.normal, plane ? Vec3(0, 1, 0) : vertex.position), 0.0f);
        }
    }
}

namespace {

Vertex vertexAt(Vec3 position, Vec2 uv = {}, Vec3 tangent = {1, 0, 0}) {
    Vertex vertex;
    vertex.position = position;
    vertex.uv = uv;
    vertex.tangent = tangent;
    vertex.normal = Vec3(9.0f);
    return vertex;
}

}  // namespace

TEST(VertexBasis, TangentSumsStartFromTheHeldTangentAndTooShortOnesStayUnnormalised) {
    // The box's -Z face (from vertex 4): s runs along -X, so corners 4 and 6, in both
    // triangles, end at (1,0,0) + 2 (-1,0,0); corners 5 and 7 cancel down to about 1e-7.
    const Mesh box = buildBoxMesh(1.0f);
    EXPECT_LT(glm::distance(box.vertices[4].tangent, Vec3(-1, 0, 0)) + glm::distance(box.vertices[6].tangent, Vec3(-1, 0, 0)), 1e-5f);
    EXPECT_GT(glm::length(box.vertices[5].tangent), 0.0f);
    EXPECT_LT(glm::length(box.vertices[5].tangent) + glm::length(box.vertices[7].tangent), 0.002f);
    Mesh mesh;  // e1 = (2,0,0) along s, e2 = (0,0,3) along t: the triangle adds (2,0,0)
    mesh.vertices = {vertexAt({0, 0, 0}, {0, 0}, {0, 0, 5}), vertexAt({2, 0, 0}, {1, 0}, {0, 0, 0}),
                     vertexAt({0, 0, 3}, {0, 1}, {0, 4, 0})};
    mesh.indices = {0, 1, 2, 0, 1, 7};  // the second triangle reads past the vertices: skipped
    computeTangents(mesh);
    EXPECT_LT(glm::distance(mesh.vertices[0].tangent, Vec3(2, 0, 5) / std::sqrt(29.0f)), 1e-5f);
    EXPECT_LT(glm::distance(mesh.vertices[2].tangent, Vec3(2, 4, 0) / std::sqrt(20.0f)), 1e-5f);
}

TEST(VertexBasis, NormalsAreAreaWeightedSumsAndZeroWhereNoTriangleDefinesOne) {
    // Vertex 0 is shared by a triangle in z = 0 (face normal (0,0,4)) and one in y = 0 ((0,1,0)).
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}), vertexAt({2, 0, 0}), vertexAt({0, 2, 0}), vertexAt({0, 0, 1}),
                     vertexAt({1, 0, 0}), vertexAt({5, 5, 5}), vertexAt({6, 6, 6}), vertexAt({7, 7, 7})};
    mesh.indices = {0, 1, 2, 0, 3, 4, 5, 6, 7, 0, 1, 99};  // then a degenerate and a broken triangle
    computeNormals(mesh);
    const Vec3 expected[] = {Vec3(0, 1, 4) / std::sqrt(17.0f), {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}, {}, {}, {}};
    for (size_t i = 0; i < 8; ++i) EXPECT_LT(glm::distance(mesh.vertices[i].normal, expected[i]), 1e-5f) << i;
}
