// Wavefront MTL text to materials: keys fill the current material, a repeated
// name resets it, texture maps resolve beside the file and are listed in order.
#include "model/MtlParser.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

TEST(MtlParser, KeysFillTheCurrentMaterialAndARepeatedNameResetsItInPlace) {
    const MtlLibrary library = parseMtl("Kd 1 0 0\r\nmap_Kd early.png\r\n# newmtl hidden\r\nnewmtl a\r\n"
                                        "Kd 1 0 0\r\nmap_Kd a.png\r\nnewmtl b\r\nKa 0.2 0.3 0.4\r\nKs 0.5 oops 1\r\n"
                                        "Kd x\r\nNs many\r\nnewmtl a\r\nNs 96\r\n", "d");
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
    const MtlLibrary library = parseMtl("newmtl m\nmap_Kd albedo.png\nmap_Ks spec.png\nmap_Ns gloss.png\n"
                                        "bump -bm 0.5 bumpy.png\nnorm n.png\n", "p");
    EXPECT_EQ(library.materials[0].mapKdPath, "p/albedo.png");
    EXPECT_EQ(library.materials[0].mapKsPath, "p/gloss.png");  // the later of map_Ks and map_Ns
    std::string order;
    for (const MtlTextureRef& texture : library.textures) order += texture.path + (texture.srgb ? " srgb, " : ", ");
    EXPECT_EQ(order, "p/albedo.png srgb, p/spec.png, p/gloss.png, p/bumpy.png, p/n.png, ");
    // Beside a material file named without a folder, never at the filesystem root.
    EXPECT_EQ(parseMtl("newmtl m\nmap_Kd tex.png\n", "").materials[0].mapKdPath, "tex.png");
    const std::pair<const char*, const char*> bumps[] = {
        {"map_Bump n.png", "d/n.png"}, {"bump -bm 0.3 n.png extra", "d/n.png"}, {"norm -bm", "d/"},
        {"bump -s 1 1 1 n.png", "d/-s"}, {"map_bump n.png", ""}};  // other options are taken for the file; case counts
    for (const auto& [line, path] : bumps) {
        EXPECT_EQ(parseMtl(std::string("newmtl m\n") + line + "\n", "d").materials[0].mapBumpPath, path) << line;
    }
}
