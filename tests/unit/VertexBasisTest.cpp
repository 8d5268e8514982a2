// Smooth normals and tangents computed from the triangles.
#include "render/Shapes.h"
#include "render/VertexBasis.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vertex vertexAt(Vec3 position, Vec2 uv, Vec3 tangent = Vec3(1.0f, 0.0f, 0.0f)) {
    Vertex vertex;
    vertex.position = position;
    vertex.uv = uv;
    vertex.tangent = tangent;
    return vertex;
}

void expectNear(Vec3 actual, Vec3 expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

// Worked by hand: on the -Z face, s runs along -X. Corners 0 and 2 are in both
// triangles and end with (1,0,0) + 2 * (-1,0,0); corners 1 and 3 cancel the
// start tangent down to about 1e-7, which is left as it is.
TEST(Tangents, BoxBackFaceSharedCornersFlipAndLoneCornersStayTooShort) {
    const Mesh mesh = buildBoxMesh(1.0f);
    const size_t face = 4;  // the -Z face's first vertex
    expectNear(mesh.vertices[face + 0].tangent, Vec3(-1.0f, 0.0f, 0.0f));
    expectNear(mesh.vertices[face + 2].tangent, Vec3(-1.0f, 0.0f, 0.0f));
    for (size_t corner : {face + 1, face + 3}) {
        SCOPED_TRACE(corner);
        EXPECT_LT(glm::length(mesh.vertices[corner].tangent), 0.001f);
        EXPECT_GT(glm::length(mesh.vertices[corner].tangent), 0.0f);
    }
    // On the +Z face s runs along +X: every corner ends exactly on +X.
    for (size_t corner = 0; corner < 4; ++corner) expectNear(mesh.vertices[corner].tangent, Vec3(1, 0, 0));
}

TEST(Tangents, SumsStartFromTheTangentsTheVerticesHold) {
    // e1 = (2,0,0) along s, e2 = (0,0,3) along t: this triangle's T is (2,0,0).
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}, {0, 0}, {0, 0, 5}), vertexAt({2, 0, 0}, {1, 0}, {0, 0, 0}),
                     vertexAt({0, 0, 3}, {0, 1}, {0, 4, 0})};
    mesh.indices = {0, 1, 2};
    computeTangents(mesh);
    expectNear(mesh.vertices[0].tangent, Vec3(2, 0, 5) / std::sqrt(29.0f));
    expectNear(mesh.vertices[1].tangent, Vec3(1, 0, 0));
    expectNear(mesh.vertices[2].tangent, Vec3(2, 4, 0) / std::sqrt(20.0f));
}

TEST(Tangents, TangentFollowsSWhenTheUvIsRotated) {
    // s grows along +Z here, t along +X.
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}, {0, 0}, {0, 0, 0}), vertexAt({0, 0, 4}, {1, 0}, {0, 0, 0}),
                     vertexAt({4, 0, 0}, {0, 1}, {0, 0, 0})};
    mesh.indices = {0, 1, 2};
    computeTangents(mesh);
    for (const Vertex& vertex : mesh.vertices) expectNear(vertex.tangent, Vec3(0, 0, 1));
}

TEST(Tangents, IndicesOutsideTheVerticesAreSkipped) {
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}, {0, 0}), vertexAt({1, 0, 0}, {1, 0})};
    mesh.indices = {0, 1, 7, 0, 1};
    computeTangents(mesh);
    computeNormals(mesh);
    expectNear(mesh.vertices[0].tangent, Vec3(1, 0, 0));
    EXPECT_EQ(mesh.vertices[0].normal, Vec3(0.0f));
}

// Worked by hand: vertex 0 is shared by a triangle in z = 0 with face normal
// (0,0,4) and one in y = 0 with face normal (0,1,0); it gets (0,1,4)/sqrt(17).
TEST(Normals, AreaWeightedSumOfFaceNormals) {
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}, {}), vertexAt({2, 0, 0}, {}), vertexAt({0, 2, 0}, {}),
                     vertexAt({0, 0, 1}, {}), vertexAt({1, 0, 0}, {})};
    for (Vertex& vertex : mesh.vertices) vertex.normal = Vec3(9.0f);
    mesh.indices = {0, 1, 2, 0, 3, 4};
    computeNormals(mesh);
    expectNear(mesh.vertices[0].normal, Vec3(0, 1, 4) / std::sqrt(17.0f));
    expectNear(mesh.vertices[1].normal, Vec3(0, 0, 1));
    expectNear(mesh.vertices[2].normal, Vec3(0, 0, 1));
    expectNear(mesh.vertices[3].normal, Vec3(0, 1, 0));
    expectNear(mesh.vertices[4].normal, Vec3(0, 1, 0));
}

TEST(Normals, DegenerateAndUnusedVerticesEndAtZeroNotNan) {
    Mesh mesh;
    mesh.vertices = {vertexAt({0, 0, 0}, {}), vertexAt({1, 1, 1}, {}), vertexAt({2, 2, 2}, {}),
                     vertexAt({5, 5, 5}, {})};
    mesh.indices = {0, 1, 2};
    computeNormals(mesh);
    for (const Vertex& vertex : mesh.vertices) EXPECT_EQ(vertex.normal, Vec3(0.0f));
}
