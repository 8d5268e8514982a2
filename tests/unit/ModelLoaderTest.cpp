// OBJ files with their MTL libraries read from disk: what cannot be opened is
// reported, the first definition of a material wins, and a material library is
// found beside its OBJ however the OBJ was named.
#include "model/ModelLoader.h"

#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ModelLoader, ReportsEachFileItCannotOpenAndTheFirstDefinitionOfAMaterialWins) {
    TempDir dir;
    dir.write("m/first.mtl", "newmtl shared\nKd 1 0 0\nmap_Kd a.png\n");
    dir.write("m/second.mtl", "newmtl shared\nKd 0 1 0\nmap_Kd b.png\nnewmtl onlySecond\n");
    const std::string path = dir.write("m/a.obj", "mtllib first.mtl\nmtllib gone.mtl\nmtllib second.mtl\n").string();
    ConsoleCapture console;
    std::vector<MtlTextureRef> textures;
    const ModelData model = loadObjModel(path, &textures);
    ASSERT_TRUE(model.loaded && model.materials.size() == 2u);
    EXPECT_EQ(std::tie(model.materials[0].diffuse, model.materials[1].name),
              std::make_tuple(Vec3(1, 0, 0), "onlySecond"));
    ASSERT_EQ(textures.size(), 2u);  // every image named, in file order, so each is loaded and reported
    EXPECT_EQ(textures[1].path, (dir / "m/b.png").string());
    EXPECT_FALSE(loadObjModel((dir / "none.obj").string()).loaded || loadObjModel(dir.path().string()).loaded);
    for (const std::string& name : {(dir / "m/gone.mtl").string(), (dir / "none.obj").string(), dir.path().string()}) {
        EXPECT_NE(console.stderrText().find(name + "\n"), std::string::npos) << name;
    }
}

TEST(ModelLoader, AnObjNamedByABareFileNameFindsItsLibraryBesideItNotAtTheRoot) {
    TempDir dir;
    const std::string mtlName = "pembrix-beside-" + dir.path().filename().string() + ".mtl";
    dir.write(mtlName, "newmtl beside\n");
    dir.write("bare.obj", "mtllib " + mtlName + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ConsoleCapture console;
    const ModelData model = loadObjModel("bare.obj");
    std::filesystem::current_path(previous);
    ASSERT_EQ(model.materials.size(), 1u) << console.stderrText();
    EXPECT_EQ(model.materials[0].name, "beside");
}
