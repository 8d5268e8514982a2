// OBJ and MTL files read from disk, headless (no GL loaded in this program).
#include "render/ModelLoader.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ModelLoader, ReportsEachFileItCannotOpenAndTheFirstDefinitionOfAMaterialWins) {
    TempDir dir;
    dir.write("m/first.mtl", "newmtl shared\nKd 1 0 0\n");
    dir.write("m/second.mtl", "newmtl shared\nKd 0 1 0\nnewmtl onlySecond\n");
    const std::string path = dir.write("m/a.obj", "mtllib first.mtl\nmtllib gone.mtl\nmtllib second.mtl\n").string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].diffuse, Vec3(1, 0, 0));
    EXPECT_EQ(model.materials[1].name, "onlySecond");
    EXPECT_FALSE(loadObjModel((dir / "none.obj").string()).loaded);
    EXPECT_FALSE(loadObjModel(dir.path().string()).loaded);  // a folder is no OBJ file
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open MTL: " + (dir / "m").string() + "/gone.mtl\n" +
                                        "[ModelLoader] Cannot open OBJ: " + (dir / "none.obj").string() + "\n" +
                                        "[ModelLoader] Cannot open OBJ: " + dir.path().string() + "\n");
}

TEST(ModelLoader, ABareObjNameLooksForItsLibraryAtTheRootNotBesideIt) {
    TempDir dir;
    const std::string mtlName = "pembrix-beside-" + dir.path().filename().string() + ".mtl";
    dir.write(mtlName, "newmtl beside\n");
    dir.write("bare.obj", "mtllib " + mtlName + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ConsoleCapture console;
    const Model model = loadObjModel("bare.obj");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(model.loaded && model.materials.empty());
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open MTL: /" + mtlName + "\n");
}
