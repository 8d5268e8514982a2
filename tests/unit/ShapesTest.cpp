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

TEST(Shapes, SpherePoleTrianglesAreDegenerateButKept) {
    const Mesh mesh = buildSphereMesh(4, 6, 1.0f);
    // Triangle (a, a+1, b) of the top row has a and a+1 both at the pole.
    EXPECT_LT(glm::length(faceNormal(mesh, 0)), 1e-6f);
    EXPECT_NEAR(mesh.vertices[0].position.y, 1.0f, 1e-6f);
    EXPECT_NEAR(mesh.vertices.back().position.y, -1.0f, 1e-6f);
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

TEST(Shapes, SphereNormalIsThePositionDirectionAndUvFollowsTheGrid) {
    const int stacks = 6;
    const int slices = 8;
    const Mesh mesh = buildSphereMesh(stacks, slices, 2.5f);
    for (int i = 0; i <= stacks; ++i) {
        for (int j = 0; j <= slices; ++j) {
            SCOPED_TRACE(std::to_string(i) + "," + std::to_string(j));
            const Vertex& vertex = mesh.vertices[static_cast<size_t>(i * (slices + 1) + j)];
            EXPECT_NEAR(glm::length(vertex.position), 2.5f, 1e-5f);
            EXPECT_NEAR(glm::length(vertex.normal - vertex.position / 2.5f), 0.0f, 1e-5f);
            EXPECT_FLOAT_EQ(vertex.uv.x, static_cast<float>(j) / slices);
            EXPECT_FLOAT_EQ(vertex.uv.y, static_cast<float>(i) / stacks);
            // y falls from the top pole as the stack index grows.
            EXPECT_NEAR(vertex.position.y, 2.5f * std::cos(static_cast<float>(i) * 3.1415927f / stacks), 1e-5f);
        }
    }
}

TEST(Shapes, BoxFacesLieOnTheirPlanesWithCornerUvs) {
    const Mesh mesh = buildBoxMesh(3.0f);
    const Vec2 cornerUv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (size_t face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        const Vec3 normal = mesh.vertices[face * 4].normal;
        for (size_t corner = 0; corner < 4; ++corner) {
            const Vertex& vertex = mesh.vertices[face * 4 + corner];
            EXPECT_EQ(vertex.normal, normal);
            EXPECT_FLOAT_EQ(glm::dot(vertex.position, normal), 1.5f);
            EXPECT_EQ(vertex.uv, cornerUv[corner]);
            for (int axis = 0; axis < 3; ++axis) EXPECT_FLOAT_EQ(std::abs(vertex.position[axis]), 1.5f);
        }
        EXPECT_EQ(mesh.indices[face * 6], face * 4);
    }
    // Faces come in the order +Z, -Z, +X, -X, +Y, -Y.
    EXPECT_EQ(mesh.vertices[0].normal, Vec3(0, 0, 1));
    EXPECT_EQ(mesh.vertices[4].normal, Vec3(0, 0, -1));
    EXPECT_EQ(mesh.vertices[8].normal, Vec3(1, 0, 0));
    EXPECT_EQ(mesh.vertices[12].normal, Vec3(-1, 0, 0));
    EXPECT_EQ(mesh.vertices[16].normal, Vec3(0, 1, 0));
    EXPECT_EQ(mesh.vertices[20].normal, Vec3(0, -1, 0));
}

TEST(Shapes, CylinderSideCapsAndUvs) {
    const int segments = 12;
    const Mesh mesh = buildCylinderMesh(0.5f, 2.0f, segments);
    const size_t sideCount = 2 * (segments + 1);
    for (size_t k = 0; k < sideCount; ++k) {
        SCOPED_TRACE(k);
        const Vertex& vertex = mesh.vertices[k];
        EXPECT_FLOAT_EQ(vertex.position.y, k % 2 == 0 ? -1.0f : 1.0f);  // lower first
        EXPECT_FLOAT_EQ(vertex.uv.y, k % 2 == 0 ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(vertex.uv.x, static_cast<float>(k / 2) / segments);
        EXPECT_NEAR(std::hypot(vertex.position.x, vertex.position.z), 0.5f, 1e-6f);
        EXPECT_EQ(vertex.normal.y, 0.0f);
    }
    const Vertex& topCentre = mesh.vertices[sideCount];
    const Vertex& bottomCentre = mesh.vertices[sideCount + segments + 2];
    EXPECT_EQ(topCentre.position, Vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(topCentre.uv, Vec2(0.5f, 0.5f));
    EXPECT_EQ(bottomCentre.position, Vec3(0.0f, -1.0f, 0.0f));
    EXPECT_EQ(bottomCentre.normal, Vec3(0.0f, -1.0f, 0.0f));
    for (size_t k = sideCount; k < mesh.vertices.size(); ++k) {
        const Vertex& vertex = mesh.vertices[k];
        EXPECT_EQ(vertex.normal, Vec3(0.0f, vertex.position.y > 0 ? 1.0f : -1.0f, 0.0f));
        // Rim uv maps the unit circle into the texture: u = x / r * 0.5 + 0.5.
        EXPECT_NEAR(vertex.uv.x, vertex.position.x / 0.5f * 0.5f + 0.5f, 1e-6f);
        EXPECT_NEAR(vertex.uv.y, vertex.position.z / 0.5f * 0.5f + 0.5f, 1e-6f);
    }
}
