// OBJ text to meshes: faces, groups, materials, shared corners and defaults.
#include "render/ObjParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const char* kSquare =
    "v 0 0 0\n"
    "v 1 0 0\n"
    "v 1 1 0\n"
    "v 0 1 0\n";

std::vector<std::string> materialNames(const ObjData& data) {
    std::vector<std::string> names;
    for (const Mesh& mesh : data.meshes) names.push_back(mesh.materialName);
    return names;
}

void expectNear(Vec3 actual, Vec3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

}  // namespace

TEST(ObjParser, PolygonsAreFannedFromTheirFirstCorner) {
    struct Case {
        const char* face;
        std::vector<std::uint32_t> indices;
    };
    const Case cases[] = {
        {"f 1 2 3", {0, 1, 2}},
        {"f 1 2 3 4", {0, 1, 2, 0, 2, 3}},
        {"f 4 3 2 1", {0, 1, 2, 0, 2, 3}},
        {"f 1 2 3 4 1", {0, 1, 2, 0, 2, 3, 0, 3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        const ObjData data = parseObj(std::string(kSquare) + c.face + "\n");
        ASSERT_EQ(data.meshes.size(), 1u);
        EXPECT_EQ(data.meshes[0].indices, c.indices);
    }
    // The quad's second triangle is (1, 3, 4): its third vertex is corner 4.
    const ObjData quad = parseObj(std::string(kSquare) + "f 1 2 3 4\n");
    EXPECT_EQ(quad.meshes[0].vertices[3].position, Vec3(0, 1, 0));
}

TEST(ObjParser, FacesWithFewerThanThreeCornersAddNothing) {
    EXPECT_TRUE(parseObj(std::string(kSquare) + "f 1 2\nf 3\nf\n").meshes.empty());
}

TEST(ObjParser, EqualTokensShareAVertexWithinAMeshOnly) {
    const ObjData same = parseObj(std::string(kSquare) + "f 1 2 3\nf 1 3 4\n");
    ASSERT_EQ(same.meshes.size(), 1u);
    EXPECT_EQ(same.meshes[0].vertices.size(), 4u);

    // "1" and "1/0" name the same position but are different text.
    const ObjData differentText = parseObj(std::string(kSquare) + "f 1 2 3\nf 1/0 3 4\n");
    EXPECT_EQ(differentText.meshes[0].vertices.size(), 5u);

    const ObjData split = parseObj(std::string(kSquare) + "usemtl a\nf 1 2 3\nusemtl b\nf 1 2 3\n");
    ASSERT_EQ(split.meshes.size(), 2u);
    for (const Mesh& mesh : split.meshes) {
        EXPECT_EQ(mesh.vertices.size(), 3u);
        EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    }
}

TEST(ObjParser, MaterialAndGroupLinesSplitMeshes) {
    struct Case {
        const char* body;
        std::vector<std::string> materials;
    };
    const Case cases[] = {
        {"f 1 2 3\n", {"default"}},
        {"usemtl red\nf 1 2 3\n", {"red"}},
        {"usemtl red\nusemtl blue\nf 1 2 3\n", {"blue"}},
        {"f 1 2 3\nusemtl red\nf 1 2 3\n", {"default", "red"}},
        {"usemtl red\nf 1 2 3\nusemtl red\nf 1 2 3\n", {"red", "red"}},
        {"g first\nusemtl m\nf 1 2 3\ng second\nf 1 2 3\no third\nf 1 2 3\n", {"m", "m", "m"}},
        {"g a\ng b\nf 1 2 3\n", {"default"}},
        {"f 1 2 3\ng part\nf 1 2 3\n", {"default", ""}},
        {"f 1 2 3\ng part\ng again\nf 1 2 3\n", {"default", ""}},
        {"usemtl unused\n", {}},
        {"f 1 2 3\nusemtl trailing\n", {"default"}},
        {"usemtl\nf 1 2 3\n", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(materialNames(parseObj(std::string(kSquare) + c.body)), c.materials);
    }
}

TEST(ObjParser, NormalsAreComputedOnlyWhenTheFileHasNoVn) {
    const ObjData computed = parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    for (const Vertex& vertex : computed.meshes[0].vertices) expectNear(vertex.normal, Vec3(0, 0, 1));

    // One "vn" anywhere, even unused and after the faces, turns it off: corners
    // without a normal index keep the up vector.
    const ObjData given = parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nvn 1 0 0\n");
    for (const Vertex& vertex : given.meshes[0].vertices) EXPECT_EQ(vertex.normal, Vec3(0, 1, 0));

    const ObjData indexed = parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 -1\nf 1//1 2//1 3\n");
    EXPECT_EQ(indexed.meshes[0].vertices[0].normal, Vec3(0, 0, -1));
    EXPECT_EQ(indexed.meshes[0].vertices[1].normal, Vec3(0, 0, -1));
    EXPECT_EQ(indexed.meshes[0].vertices[2].normal, Vec3(0, 1, 0));
}

TEST(ObjParser, CornerIndicesPickPositionsUvsAndNormals) {
    const ObjData data = parseObj(
        "v 1 2 3\nv 4 5 6\nv 7 8 9\n"
        "vt 0.25 0.75\nvt 0.5 1\n"
        "vn 0 0 1\nvn 1 0 0\n"
        "f 3/2/1 1/1/2 2//2\n");
    const Mesh& mesh = data.meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.vertices[0].position, Vec3(7, 8, 9));
    EXPECT_EQ(mesh.vertices[0].uv, Vec2(0.5f, 1.0f));
    EXPECT_EQ(mesh.vertices[0].normal, Vec3(0, 0, 1));
    EXPECT_EQ(mesh.vertices[1].position, Vec3(1, 2, 3));
    EXPECT_EQ(mesh.vertices[1].uv, Vec2(0.25f, 0.75f));  // v is not flipped
    EXPECT_EQ(mesh.vertices[1].normal, Vec3(1, 0, 0));
    EXPECT_EQ(mesh.vertices[2].uv, Vec2(0.0f, 0.0f));
}

TEST(ObjParser, InvalidIndicesTakeTheDefaultsInsteadOfFailing) {
    const char* header = "v 1 1 1\nv 2 2 2\nv 3 3 3\nvt 0.5 0.5\nvn 1 0 0\n";
    const char* faces[] = {
        "f -3 -2 -1",
        "f 0 4 99",
        "f 4/2/2 5/0/-1 6/9/9",
        "f 99999999999999999999/99999999999999999999/99999999999999999999 -99999999999999999999 2147483648//2147483648",
        "f a b c",
    };
    for (const char* face : faces) {
        SCOPED_TRACE(face);
        const ObjData data = parseObj(std::string(header) + face + "\n");
        ASSERT_EQ(data.meshes.size(), 1u);
        ASSERT_EQ(data.meshes[0].vertices.size(), 3u);
        for (const Vertex& vertex : data.meshes[0].vertices) {
            EXPECT_EQ(vertex.position, Vec3(0.0f));
            EXPECT_EQ(vertex.normal, Vec3(0.0f, 1.0f, 0.0f));
            EXPECT_EQ(vertex.uv, Vec2(0.0f));
        }
    }
}

TEST(ObjParser, MalformedNumbersKeepTheEntrySoLaterIndicesStayInPlace) {
    const ObjData data = parseObj(
        "v 1 bad 3\nv 0 1 0\nv 0 0 1\n"
        "vt 0.5 x\n"
        "vn 0 zero 1\n"
        "f 1/1/1 2/1/1 3/1/1\n");
    const Mesh& mesh = data.meshes[0];
    EXPECT_EQ(mesh.vertices[0].position, Vec3(1, 0, 0));
    EXPECT_EQ(mesh.vertices[1].position, Vec3(0, 1, 0));
    EXPECT_EQ(mesh.vertices[2].position, Vec3(0, 0, 1));
    EXPECT_EQ(mesh.vertices[0].uv, Vec2(0.5f, 0.0f));
    EXPECT_EQ(mesh.vertices[0].normal, Vec3(0.0f));
}

TEST(ObjParser, OnlyPositionsAndFacesGiveSmoothNormalsZeroUvsAndTangents) {
    // Two triangles folded along the x axis: the shared edge's corners get
    // the normalised sum of both face normals, (0, 1, 1) / sqrt 2.
    const ObjData data = parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\nf 1 4 2\n");
    const Mesh& mesh = data.meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 4u);
    expectNear(mesh.vertices[0].normal, Vec3(0, 1, 1) / std::sqrt(2.0f));
    expectNear(mesh.vertices[1].normal, Vec3(0, 1, 1) / std::sqrt(2.0f));
    expectNear(mesh.vertices[2].normal, Vec3(0, 0, 1));
    expectNear(mesh.vertices[3].normal, Vec3(0, 1, 0));
    for (const Vertex& vertex : mesh.vertices) {
        EXPECT_EQ(vertex.uv, Vec2(0.0f));
        // All uvs equal: each triangle adds a zero tangent to the start (1,0,0).
        expectNear(vertex.tangent, Vec3(1, 0, 0));
    }
}

TEST(ObjParser, TangentsAreComputedFromTheFileUvs) {
    // s runs along -Z: T = (0,0,-2) added to the start (1,0,0).
    const ObjData data = parseObj("v 0 0 0\nv 0 0 -2\nv 0 3 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    for (const Vertex& vertex : data.meshes[0].vertices) expectNear(vertex.tangent, Vec3(1, 0, -2) / std::sqrt(5.0f));
}

TEST(ObjParser, CommentsCarriageReturnsAndMaterialLibraries) {
    const std::string lf = "# v 9 9 9\nmtllib a.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0 # trailing\nmtllib b.mtl extra\nf 1 2 3\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {lf, crlf}) {
        const ObjData data = parseObj(text);
        EXPECT_EQ(data.mtlLibraries, (std::vector<std::string>{"a.mtl", "b.mtl"}));
        ASSERT_EQ(data.meshes.size(), 1u);
        EXPECT_EQ(data.meshes[0].vertices[2].position, Vec3(0, 1, 0));
    }
}

TEST(ObjParser, KeywordsAreCaseSensitiveAndUnknownLinesIgnored) {
    const ObjData data = parseObj("V 5 5 5\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvp 1 2\ns 1\nF 1 2 3\nf 1 2 3\n");
    ASSERT_EQ(data.meshes.size(), 1u);
    EXPECT_EQ(data.meshes[0].indices.size(), 3u);
    EXPECT_EQ(data.meshes[0].vertices[0].position, Vec3(0.0f));
}

TEST(ObjParser, FolderOfAPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"models/coin.obj", "models"},
        {"coin.obj", ""},
        {"a/b/c.obj", "a/b"},
        {"models\\coin.obj", "models"},
        {"a/b\\c.obj", "a/b"},
        {"models//coin.obj", "models"},
        {"/coin.obj", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(objDirectory(path), folder);
    }
}
