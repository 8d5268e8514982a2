// Wavefront OBJ text to meshes: fanned faces, vertices shared by equal corner
// text within a mesh, material and group splits, defaults for anything broken,
// and the folder a path names.
#include "model/ObjParser.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {
const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
}  // namespace

TEST(ObjParser, FacesAreFannedAndEqualCornerTextSharesAVertexWithinAMeshOnly) {
    struct Case { std::string faces; std::vector<std::uint32_t> indices; size_t vertices; };
    for (const Case& c : {Case{"f 4 3 2 1", {0, 1, 2, 0, 2, 3}, 4}, Case{"f 1 2 3 4 1", {0, 1, 2, 0, 2, 3, 0, 3, 0}, 4},
                          Case{"f 1 2\nf 3\nf", {}, 0}, Case{"f 1 2 3\nf 1 3 4", {0, 1, 2, 0, 2, 3}, 4},
                          Case{"f 1 2 3\nf 1/0 3 4", {0, 1, 2, 3, 2, 4}, 5}}) {  // the same corner in other text
        const ObjData data = parseObj(kSquare + c.faces + "\n");
        ASSERT_EQ(data.meshes.size(), c.indices.empty() ? 0u : 1u) << c.faces;
        for (const MeshData& mesh : data.meshes) {
            EXPECT_EQ(mesh.indices, c.indices) << c.faces;
            EXPECT_EQ(mesh.vertices.size(), c.vertices) << c.faces;
        }
    }
    EXPECT_EQ(parseObj(kSquare + "f 1 2 3 4\n").meshes[0].vertices[3].position, Vec3(0, 1, 0));
}

TEST(ObjParser, MaterialAndGroupLinesSplitMeshesWithoutSharingVertices) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"f 1 2 3\n", {"default"}},                          {"usemtl red\nusemtl blue\nf 1 2 3\n", {"blue"}},
        {"f 1 2 3\nusemtl red\nf 1 2 3\n", {"default", "red"}}, {"usemtl a\nf 1 2 3\nusemtl a\nf 1 2 3\n", {"a", "a"}},
        {"g a\nusemtl m\nf 1 2 3\ng b\nf 1 2 3\no c\nf 1 2 3\n", {"m", "m", "m"}},
        {"g a\ng b\nf 1 2 3\n", {"default"}},                {"f 1 2 3\ng part\ng again\nf 1 2 3\n", {"default", ""}},
        {"usemtl unused\n", {}},                             {"f 1 2 3\nusemtl trailing\n", {"default"}},
        {"usemtl\nf 1 2 3\n", {""}},
    };
    for (const auto& [body, materials] : cases) {
        std::vector<std::string> names;
        for (const MeshData& mesh : parseObj(kSquare + body).meshes) {
            names.push_back(mesh.materialName);
            EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2})) << body;
        }
        EXPECT_EQ(names, materials) << body;
    }
}

TEST(ObjParser, CornersPickTheirEntriesAndNormalsAreComputedOnlyWithoutAnyVn) {
    const ObjData indexed = parseObj("v 1 2 3\nv 4 5 6\nv 7 8 9\nvt 0.25 0.75\nvt 0.5 1\nvn 0 0 1\nvn 1 0 0\n"
                                     "f 3/2/1 1/1/2 2//2\n");
    const std::vector<Vertex>& v = indexed.meshes[0].vertices;
    EXPECT_EQ(v[0].position, Vec3(7, 8, 9));
    EXPECT_EQ(v[0].normal, Vec3(0, 0, 1));
    EXPECT_EQ(v[1].uv, Vec2(0.25f, 0.75f));  // v is not flipped
    EXPECT_EQ(v[2].uv, Vec2(0.0f));
    const ObjData computed = parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_LT(glm::distance(computed.meshes[0].vertices[0].normal, Vec3(0, 0, 1)), 1e-5f);
    // One "vn", even unused and after the faces, turns it off: corners without one keep up.
    EXPECT_EQ(parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nvn 1 0 0\n").meshes[0].vertices[0].normal, Vec3(0, 1, 0));
    // Tangents follow the file's uvs: s runs along -Z, added to the start (1,0,0).
    const ObjData mapped = parseObj("v 0 0 0\nv 0 0 -2\nv 0 3 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    EXPECT_LT(glm::distance(mapped.meshes[0].vertices[0].tangent, Vec3(1, 0, -2) / std::sqrt(5.0f)), 1e-5f);
}

TEST(ObjParser, InvalidOrOutOfRangeIndicesAndMalformedNumbersTakeTheDefaults) {
    for (const char* face : {"f -3 -2 -1", "f 0 4 99", "f 4/2/2 5/0/-1 6/9/9", "f a b c",
                             "f 99999999999999999999/99999999999999999999 -99999999999999999999 "
                             "2147483648//2147483648"}) {
        const ObjData data = parseObj(std::string("v 1 1 1\nv 2 2 2\nv 3 3 3\nvt 0.5 0.5\nvn 1 0 0\n") + face + "\n");
        ASSERT_EQ(data.meshes.size(), 1u);
        for (const Vertex& vertex : data.meshes[0].vertices) {
            EXPECT_TRUE(vertex.position == Vec3(0) && vertex.normal == Vec3(0, 1, 0) && vertex.uv == Vec2(0)) << face;
        }
    }
    // A malformed entry is kept, so later indices stay in place.
    const ObjData data = parseObj("v 1 bad 3\nv 0 1 0\nv 0 0 1\nvt 0.5 x\nvn 0 zero 1\nf 1/1/1 2/1/1 3/1/1\n");
    const std::vector<Vertex>& v = data.meshes[0].vertices;
    EXPECT_TRUE(v[0].position == Vec3(1, 0, 0) && v[2].position == Vec3(0, 0, 1) && v[0].uv == Vec2(0.5f, 0));
    EXPECT_EQ(v[0].normal, Vec3(0.0f));
}

TEST(ObjParser, CommentsCaseLibrariesAndTheFolderOfAPath) {
    const ObjData data = parseObj("# v 9 9 9\nmtllib a.mtl\nV 5 5 5\nv 0 0 0\nv 1 0 0\nv 0 1 0 # trailing\n"
                                  "mtllib b.mtl extra\nF 1 2 3\nf 1 2 3\n");
    EXPECT_EQ(data.mtlLibraries, (std::vector<std::string>{"a.mtl", "b.mtl"}));
    ASSERT_EQ(data.meshes.size(), 1u);
    EXPECT_EQ(data.meshes[0].indices.size(), 3u);
    EXPECT_EQ(data.meshes[0].vertices[2].position, Vec3(0, 1, 0));
    const std::pair<const char*, const char*> folders[] = {{"models/coin.obj", "models"}, {"coin.obj", ""},
        {"a/b/c.obj", "a/b"}, {"models\\coin.obj", "models"}, {"a/b\\c.obj", "a/b"}, {"models//coin.obj", "models"},
        {"/coin.obj", ""}, {"", ""}};
    for (const auto& [path, folder] : folders) EXPECT_EQ(objDirectory(path), folder) << path;
}
