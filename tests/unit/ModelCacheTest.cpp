// OBJ and MTL files read from disk, and the caches, all without a GL context:
// models by path and the procedural stand-ins of scene objects; textures by path
// and by solid colour (nothing is made).
#include "level/Level.h"
#include "render/ModelCache.h"
#include "render/ModelLoader.h"
#include "render/TextureCache.h"
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

TEST(ModelCache, EachShapeHasOneSharedStandInAndAMissingFileIsTriedOnceButSaidPerObject) {
    TempDir dir;
    const std::string path = (dir / "late.obj").string();
    ConsoleCapture console;
    const std::pair<int, size_t> shapes[] = {{0, 441}, {1, 24}, {2, 102}, {3, 4}, {4, 24}, {7, 24}, {-1, 24}};
    for (const auto& [shape, vertices] : shapes) {
        const Model* shared = nullptr;
        for (const std::string& objPath : {std::string(), path, path}) {  // ObjFile or any other value: the box
            SceneObject object;
            object.shape = static_cast<ShapeKind>(shape);
            object.objPath = objPath;
            Model& model = resolveModel(object);
            EXPECT_EQ(object.model, &model);
            EXPECT_EQ(&model, &resolveModel(object));
            if (shared == nullptr) shared = &model;
            EXPECT_EQ(&model, shared);
            EXPECT_EQ(model.meshes.at(0).vertices.size(), vertices) << shape;
        }
    }
    dir.write("late.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_FALSE(getCachedModel(path).loaded);  // not read again once the file exists
    std::string expected = "[ModelLoader] Cannot open OBJ: " + path + "\n";
    for (int i = 0; i < 14; ++i) expected += "[SceneObject] OBJ not found, using procedural fallback: " + path + "\n";
    EXPECT_EQ(console.stderrText(), expected);
    releaseModels();
    EXPECT_TRUE(getCachedModel(path).loaded);  // released: read afresh
    Model own;
    SceneObject owner;
    owner.objPath = path;
    owner.model = &own;
    EXPECT_EQ(&resolveModel(owner), &own);
    releaseModels();
}

TEST(TextureCache, SolidKeysPrintSixDecimalsAndHeadlessRequestsMakeNothing) {
    EXPECT_EQ(solidColorKey({1, 0, 1}), "solid:1.000000,0.000000,1.000000");
    EXPECT_EQ(solidColorKey({-0.5f, 0.0000006f, 1234.5f}), "solid:-0.500000,0.000001,1234.500000");
    ConsoleCapture console;
    EXPECT_EQ(loadTexture("/no/such/texture.png", true) + solidColorTexture(Vec3(1, 0, 1)), 0u);
    releaseTextures();
    EXPECT_EQ(console.stdoutText() + console.stderrText(), "");
}
