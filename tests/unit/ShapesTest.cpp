// The procedural shapes: sizes, winding, normals and texture coordinates.
#include "render/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

Vec3 faceNormal(const Mesh& mesh, size_t firstIndex) {
    const Vec3 p0 = mesh.vertices[mesh.indices[firstIndex]].position;
    const Vec3 p1 = mesh.vertices[mesh.indices[firstIndex + 1]].position;
    const Vec3 p2 = mesh.vertices[mesh.indices[firstIndex + 2]].position;
    return glm::cross(p1 - p0, p2 - p0);
}

Vec3 centroid(const Mesh& mesh, size_t firstIndex) {
    return (mesh.vertices[mesh.indices[firstIndex]].position + mesh.vertices[mesh.indices[firstIndex + 1]].position +
            mesh.vertices[mesh.indices[firstIndex + 2]].position) /
           3.0f;
}

struct ShapeCase {
    const char* name;
    std::function<Model()> make;
    size_t vertices;
    size_t indices;
};

const ShapeCase kShapes[] = {
    {"sphere 20x20", [] { return makeSphere(20, 20, 1.0f); }, 441, 2400},
    {"sphere 28x28", [] { return makeSphere(28, 28, 1.0f); }, 29 * 29, 28 * 28 * 6},
    {"sphere 3x5", [] { return makeSphere(3, 5, 2.0f); }, 4 * 6, 3 * 5 * 6},
    {"box", [] { return makeBox(1.0f); }, 24, 36},
    {"cylinder 24", [] { return makeCylinder(0.5f, 1.0f, 24); }, 50 + 2 * 26, 288},
    {"cylinder 3", [] { return makeCylinder(1.0f, 2.0f, 3); }, 8 + 2 * 5, 3 * 12},
    {"plane", [] { return makePlane(1.0f, 1.0f); }, 4, 6},
};

}  // namespace

TEST(Shapes, VertexAndIndexCountsAndEveryIndexInRange) {
    for (const ShapeCase& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const Model model = shape.make();
        EXPECT_TRUE(model.loaded);
        EXPECT_TRUE(model.path.empty());
        EXPECT_TRUE(model.materials.empty());
        ASSERT_EQ(model.meshes.size(), 1u);
        const Mesh& mesh = model.meshes[0];
        EXPECT_EQ(mesh.vertices.size(), shape.vertices);
        EXPECT_EQ(mesh.indices.size(), shape.indices);
        EXPECT_TRUE(mesh.materialName.empty());
        for (std::uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
    }
}

TEST(Shapes, ClosedShapesWindCounterClockwiseSeenFromOutside) {
    // The shapes are convex around the origin, so "outside" of a triangle is
    // the direction from the origin to its centroid.
    const std::pair<const char*, Mesh> shapes[] = {
        {"sphere", buildSphereMesh(20, 20, 1.0f)},
        {"box", buildBoxMesh(1.0f)},
        {"cylinder", buildCylinderMesh(0.5f, 1.0f, 24)},
    };
    for (const auto& [name, mesh] : shapes) {
        SCOPED_TRACE(name);
        int checked = 0;
        for (size_t i = 0; i < mesh.indices.size(); i += 3) {
            const Vec3 normal = faceNormal(mesh, i);
            if (glm::length(normal) < 1e-6f) continue;  // the sphere's pole triangles
            ++checked;
            EXPECT_GT(glm::dot(normal, centroid(mesh, i)), 0.0f) << "triangle " << i / 3;
        }
        EXPECT_GT(checked, 0);
    }
}

TEST(Shapes, PlaneWindsClockwiseFromAboveAgainstItsUpNormals) {
    const Mesh mesh = buildPlaneMesh(2.0f, 4.0f);
    for (size_t i = 0; i < mesh.indices.size(); i += 3) {
        SCOPED_TRACE(i / 3);
        EXPECT_LT(faceNormal(mesh, i).y, 0.0f);
    }
    for (const Vertex& vertex : mesh.vertices) {
        EXPECT_EQ(vertex.normal, Vec3(0.0f, 1.0f, 0.0f));
        EXPECT_EQ(vertex.position.y, 0.0f);
        EXPECT_EQ(std::abs(vertex.position.x), 1.0f);
        EXPECT_EQ(std::abs(vertex.position.z), 2.0f);
    }
}

TEST(Shapes, NormalsAreUnitLengthAndPointOutwards) {
    const std::pair<const char*, Mesh> shapes[] = {
        {"sphere", buildSphereMesh(20, 20, 3.0f)},
        {"box", buildBoxMesh(2.0f)},
        {"cylinder", buildCylinderMesh(0.5f, 1.0f, 24)},
        {"plane", buildPlaneMesh(1.0f, 1.0f)},
    };
    for (const auto& [name, mesh] : shapes) {
        SCOPED_TRACE(name);
        for (const Vertex& vertex : mesh.vertices) {
            EXPECT_NEAR(glm::length(vertex.normal), 1.0f, 1e-5f);
            if (std::string(name) != "plane") {
                EXPECT_GE(glm::dot(vertex.normal, vertex.position), 0.0f);
            }
        }
    }
}
