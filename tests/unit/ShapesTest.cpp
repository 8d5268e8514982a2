// The procedural shapes: sizes, winding seen from outside, and normals.
#include "render/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
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
