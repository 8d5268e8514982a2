// OBJ and MTL text: lines, numbers and face corners; OBJ faces, groups, materials,
// shared corners and defaults; MTL materials with their texture paths.
#include "render/MtlParser.h"
#include "render/ObjParser.h"
#include "render/WavefrontText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

TEST(WavefrontText, NumbersStopAtTheFirstBadValueAndTheRestAreZero) {
    struct Case { const char* text; std::vector<float> expected; };
    for (const Case& c : {Case{"  -1.5\t2e2   .25 9", {-1.5f, 200, 0.25f}}, Case{"+2 -3 +.5", {2, -3, 0.5f}},
                          Case{"1.5abc 2 3", {1.5f, 0, 0}}, Case{"1 2", {1, 2, 0}}, Case{"nan 1 1", {0, 0, 0}},
                          Case{"1 inf 1", {1, 0, 0}}, Case{"1e999 1 1", {0, 0, 0}}, Case{"+-1 1 1", {0, 0, 0}},
                          Case{"- 1 1", {0, 0, 0}}, Case{"1 2 3\r", {1, 2, 3}}, Case{"0x10 1 1", {0, 0, 0}}}) {
        std::vector<float> values = {7, 7, 7};
        WordCursor cursor{c.text};
        readFloats(cursor, values.data(), 3);
        EXPECT_EQ(values, c.expected) << c.text;
    }
}

TEST(WavefrontText, CornerFormsAndIndicesThatDoNotFitAnInt) {
    struct Case { const char* token; std::vector<long long> indices; };
    for (const Case& c : {Case{"7", {7, 0, 0}}, Case{"7/3", {7, 3, 0}}, Case{"7//2", {7, 0, 2}}, Case{"7/3/2/9", {7, 3, 2}},
                          Case{"-1/-2/-3", {-1, -2, -3}}, Case{"+4", {4, 0, 0}}, Case{"-2147483648", {-2147483648LL, 0, 0}},
                          Case{"2147483648/1/1", {0, 1, 1}}, Case{"1/99999999999999999999999/5", {1, 0, 5}},
                          Case{"/2/3", {0, 0, 0}}, Case{"1/x/3", {1, 0, 0}}, Case{"1.5/2", {1, 0, 0}}, Case{"", {0, 0, 0}}}) {
        const CornerIndices corner = parseCorner(c.token);
        EXPECT_EQ(std::vector<long long>({corner.position, corner.uv, corner.normal}), c.indices) << c.token;
    }
}

TEST(WavefrontText, LinesSkipBlanksAndColumnZeroCommentsOnly) {
    std::vector<std::string> seen;
    forEachWavefrontLine("v 1\r\n\n# comment\n\r\n  # indented\n   \nlast 2", [&seen](std::string_view first, WordCursor& rest) {
        seen.push_back(std::string(first) + "|" + std::string(rest.nextWord()));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"v|1", "|", "#|indented", "|", "last|2"}));
}

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
        for (const Mesh& mesh : data.meshes) {
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
        for (const Mesh& mesh : parseObj(kSquare + body).meshes) {
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
    EXPECT_LT(glm::distance(parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n").meshes[0].vertices[0].normal, Vec3(0, 0, 1)), 1e-5f);
    // One "vn", even unused and after the faces, turns it off: corners without one keep up.
    EXPECT_EQ(parseObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nvn 1 0 0\n").meshes[0].vertices[0].normal, Vec3(0, 1, 0));
    // Tangents follow the file's uvs: s runs along -Z, added to the start (1,0,0).
    const ObjData mapped = parseObj("v 0 0 0\nv 0 0 -2\nv 0 3 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    EXPECT_LT(glm::distance(mapped.meshes[0].vertices[0].tangent, Vec3(1, 0, -2) / std::sqrt(5.0f)), 1e-5f);
}

TEST(ObjParser, InvalidOrOutOfRangeIndicesAndMalformedNumbersTakeTheDefaults) {
    for (const char* face : {"f -3 -2 -1", "f 0 4 99", "f 4/2/2 5/0/-1 6/9/9", "f a b c",
                             "f 99999999999999999999/99999999999999999999 -99999999999999999999 2147483648//2147483648"}) {
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

TEST(MtlParser, KeysFillTheCurrentMaterialAndARepeatedNameResetsItInPlace) {
    const MtlLibrary library = parseMtl("Kd 1 0 0\r\nmap_Kd early.png\r\n# newmtl hidden\r\nnewmtl a\r\nKd 1 0 0\r\n"
                                        "map_Kd a.png\r\nnewmtl b\r\nKa 0.2 0.3 0.4\r\nKs 0.5 oops 1\r\nKd x\r\nNs many\r\n"
                                        "newmtl a\r\nNs 96\r\n", "d");
    ASSERT_EQ(library.materials.size(), 2u);
    EXPECT_EQ(library.materials[0].name, "a");
    EXPECT_EQ(library.materials[0].diffuse, Vec3(0.8f));  // reset, then only Ns given
    EXPECT_EQ(library.materials[0].shininess, 96.0f);
    EXPECT_EQ(library.materials[0].mapKdPath, "");
    ASSERT_EQ(library.textures.size(), 1u);  // the reset material's map was still named
    EXPECT_EQ(library.textures[0].path, "d/a.png");
    const MtlMaterial& b = library.materials[1];  // malformed numbers: the unread components are 0
    EXPECT_TRUE(b.ambient == Vec3(0.2f, 0.3f, 0.4f) && b.specular == Vec3(0.5f, 0, 0) && b.diffuse == Vec3(0));
    EXPECT_EQ(b.shininess, 0.0f);
}

TEST(MtlParser, TextureMapsResolveAgainstTheFolderInFileOrderAndBumpTakesOnlyBm) {
    const MtlLibrary library =
        parseMtl("newmtl m\nmap_Kd albedo.png\nmap_Ks spec.png\nmap_Ns gloss.png\nbump -bm 0.5 bumpy.png\nnorm n.png\n", "p");
    EXPECT_EQ(library.materials[0].mapKdPath, "p/albedo.png");
    EXPECT_EQ(library.materials[0].mapKsPath, "p/gloss.png");  // the later of map_Ks and map_Ns
    std::string order;
    for (const MtlTextureRef& texture : library.textures) order += texture.path + (texture.srgb ? " srgb, " : ", ");
    EXPECT_EQ(order, "p/albedo.png srgb, p/spec.png, p/gloss.png, p/bumpy.png, p/n.png, ");
    EXPECT_EQ(parseMtl("newmtl m\nmap_Kd tex.png\n", "").materials[0].mapKdPath, "/tex.png");
    const std::pair<const char*, const char*> bumps[] = {
        {"map_Bump n.png", "d/n.png"}, {"bump -bm 0.3 n.png extra", "d/n.png"}, {"norm -bm", "d/"},
        {"bump -s 1 1 1 n.png", "d/-s"}, {"map_bump n.png", ""}};  // other options are taken for the file; case counts
    for (const auto& [line, path] : bumps) {
        EXPECT_EQ(parseMtl(std::string("newmtl m\n") + line + "\n", "d").materials[0].mapBumpPath, path) << line;
    }
}
