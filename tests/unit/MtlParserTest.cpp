// MTL text to materials with texture paths.
#include "render/MtlParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const MtlMaterial* find(const MtlLibrary& library, const std::string& name) {
    for (const MtlMaterial& material : library.materials) {
        if (material.name == name) return &material;
    }
    return nullptr;
}

}  // namespace

TEST(MtlParser, ColoursShininessAndDefaults) {
    const MtlLibrary library = parseMtl(
        "newmtl red\nKa 0.2 0.3 0.4\nKd 1 0 0\nKs 0.1 0.1 0.1\nNs 96\n"
        "newmtl plain\n",
        "models");
    ASSERT_EQ(library.materials.size(), 2u);
    const MtlMaterial& red = library.materials[0];
    EXPECT_EQ(red.name, "red");
    EXPECT_EQ(red.ambient, Vec3(0.2f, 0.3f, 0.4f));
    EXPECT_EQ(red.diffuse, Vec3(1, 0, 0));
    EXPECT_EQ(red.specular, Vec3(0.1f));
    EXPECT_EQ(red.shininess, 96.0f);
    const MtlMaterial& plain = library.materials[1];
    EXPECT_EQ(plain.name, "plain");
    EXPECT_EQ(plain.ambient, Vec3(0.1f));
    EXPECT_EQ(plain.diffuse, Vec3(0.8f));
    EXPECT_EQ(plain.specular, Vec3(0.5f));
    EXPECT_EQ(plain.shininess, 32.0f);
    EXPECT_TRUE(plain.mapKdPath.empty());
    EXPECT_EQ(plain.mapKd, 0u);
    EXPECT_TRUE(library.textures.empty());
}

TEST(MtlParser, KeysBeforeTheFirstMaterialAreIgnored) {
    const MtlLibrary library = parseMtl("Kd 1 0 0\nmap_Kd early.png\nnewmtl a\n", "d");
    ASSERT_EQ(library.materials.size(), 1u);
    EXPECT_EQ(library.materials[0].diffuse, Vec3(0.8f));
    EXPECT_TRUE(library.textures.empty());
}

TEST(MtlParser, ARepeatedNameResetsThatMaterialInPlace) {
    const MtlLibrary library = parseMtl(
        "newmtl a\nKd 1 0 0\nmap_Kd a.png\nnewmtl b\nnewmtl a\nNs 5\n", "d");
    ASSERT_EQ(library.materials.size(), 2u);
    const MtlMaterial* a = find(library, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->diffuse, Vec3(0.8f));
    EXPECT_EQ(a->shininess, 5.0f);
    EXPECT_TRUE(a->mapKdPath.empty());
    // The reset material's texture was still named by the file.
    ASSERT_EQ(library.textures.size(), 1u);
    EXPECT_EQ(library.textures[0].path, "d/a.png");
}

TEST(MtlParser, MalformedNumbersLeaveTheUnreadComponentsZero) {
    const MtlLibrary library = parseMtl("newmtl a\nKa 0.5 oops 1\nKd x\nKs 1 1\nNs many\n", "d");
    const MtlMaterial& a = library.materials[0];
    EXPECT_EQ(a.ambient, Vec3(0.5f, 0, 0));
    EXPECT_EQ(a.diffuse, Vec3(0.0f));
    EXPECT_EQ(a.specular, Vec3(1, 1, 0));
    EXPECT_EQ(a.shininess, 0.0f);
}

TEST(MtlParser, TextureMapsResolveAgainstTheFolderInFileOrder) {
    const MtlLibrary library = parseMtl(
        "newmtl m\n"
        "map_Kd albedo.png\n"
        "map_Ks spec.png\n"
        "map_Ns gloss.png\n"
        "bump -bm 0.5 bumpy.png\n"
        "norm normal.png\n",
        "models/props");
    const MtlMaterial& m = library.materials[0];
    EXPECT_EQ(m.mapKdPath, "models/props/albedo.png");
    EXPECT_EQ(m.mapKsPath, "models/props/gloss.png");  // the later of map_Ks and map_Ns
    EXPECT_EQ(m.mapBumpPath, "models/props/normal.png");
    const std::vector<std::pair<std::string, bool>> expected = {
        {"models/props/albedo.png", true}, {"models/props/spec.png", false}, {"models/props/gloss.png", false},
        {"models/props/bumpy.png", false}, {"models/props/normal.png", false}};
    ASSERT_EQ(library.textures.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(library.textures[i].path, expected[i].first);
        EXPECT_EQ(library.textures[i].srgb, expected[i].second);
    }
}

TEST(MtlParser, BumpKeysAndTheirOneOption) {
    const std::pair<const char*, const char*> cases[] = {
        {"map_Bump n.png", "d/n.png"},
        {"bump n.png", "d/n.png"},
        {"norm n.png", "d/n.png"},
        {"map_Bump -bm 2 n.png", "d/n.png"},
        {"bump -bm 0.3 n.png extra", "d/n.png"},
        {"bump -bm", "d/"},
        {"bump -s 1 1 1 n.png", "d/-s"},  // other options are taken for the file
        {"map_bump n.png", ""},           // keys are case-sensitive
    };
    for (const auto& [line, path] : cases) {
        SCOPED_TRACE(line);
        const MtlLibrary library = parseMtl(std::string("newmtl m\n") + line + "\n", "d");
        EXPECT_EQ(library.materials[0].mapBumpPath, path);
    }
}

TEST(MtlParser, AnEmptyFolderGivesARootedPath) {
    const MtlLibrary library = parseMtl("newmtl m\nmap_Kd tex.png\n", "");
    EXPECT_EQ(library.materials[0].mapKdPath, "/tex.png");
}

TEST(MtlParser, CarriageReturnsAndCommentsDoNotReachValues) {
    const MtlLibrary library = parseMtl("# newmtl hidden\r\nnewmtl m\r\nKd 0 1 0\r\nmap_Kd t.png\r\n", "d");
    ASSERT_EQ(library.materials.size(), 1u);
    EXPECT_EQ(library.materials[0].name, "m");
    EXPECT_EQ(library.materials[0].diffuse, Vec3(0, 1, 0));
    EXPECT_EQ(library.materials[0].mapKdPath, "d/t.png");
}
