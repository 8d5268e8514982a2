// OBJ and MTL files read from disk, headless (no GL loaded in this program).
#include "render/ModelLoader.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

const char* kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

// Runs the test body from another working directory and comes back.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};

}  // namespace

TEST(ModelLoader, MissingObjIsReportedAndNotLoaded) {
    TempDir dir;
    const std::string path = (dir / "nothing.obj").string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    EXPECT_FALSE(model.loaded);
    EXPECT_EQ(model.path, path);
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_TRUE(model.materials.empty());
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open OBJ: " + path + "\n");
    EXPECT_EQ(console.stdoutText(), "");
}

TEST(ModelLoader, AFolderIsNotAnObjFile) {
    TempDir dir;
    ConsoleCapture console;
    const Model model = loadObjModel(dir.path().string());
    EXPECT_FALSE(model.loaded);
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open OBJ: " + dir.path().string() + "\n");
}

TEST(ModelLoader, LoadsMeshesAndMaterialsAndReportsTheCounts) {
    TempDir dir;
    dir.write("models/thing.mtl", "newmtl red\nKd 1 0 0\nmap_Kd red.png\nnewmtl blue\nKd 0 0 1\n");
    const std::string path = dir.write("models/thing.obj", std::string("mtllib thing.mtl\n") + kTriangle +
                                                             "usemtl red\nf 1 2 3\nusemtl blue\nf 1 2 3\n")
                                 .string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    EXPECT_TRUE(model.loaded);
    EXPECT_EQ(model.path, path);
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.meshes[0].materialName, "red");
    EXPECT_EQ(model.meshes[0].vao, 0u);  // headless: nothing uploaded
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].diffuse, Vec3(1, 0, 0));
    EXPECT_EQ(model.materials[0].mapKdPath, (dir / "models").string() + "/red.png");
    EXPECT_EQ(model.materials[0].mapKd, 0u);
    EXPECT_EQ(console.stdoutText(), "[ModelLoader] Loaded OBJ: " + path + " | meshes=2 materials=2\n");
    EXPECT_EQ(console.stderrText(), "");
}

TEST(ModelLoader, FacelessFileLoadsWithNoMeshes) {
    TempDir dir;
    const std::string path = dir.write("empty.obj", "# nothing\nv 1 2 3\n").string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    EXPECT_TRUE(model.loaded);
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_EQ(console.stdoutText(), "[ModelLoader] Loaded OBJ: " + path + " | meshes=0 materials=0\n");
}

TEST(ModelLoader, MissingMtlIsReportedAndMeshesKeepTheirMaterialNames) {
    TempDir dir;
    const std::string path =
        dir.write("a/b.obj", std::string("mtllib gone.mtl\n") + kTriangle + "usemtl stone\nf 1 2 3\n").string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    EXPECT_TRUE(model.loaded);
    EXPECT_TRUE(model.materials.empty());
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].materialName, "stone");
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open MTL: " + (dir / "a").string() + "/gone.mtl\n");
}

TEST(ModelLoader, TheFirstDefinitionOfAMaterialNameWins) {
    TempDir dir;
    dir.write("first.mtl", "newmtl shared\nKd 1 0 0\nnewmtl onlyFirst\n");
    dir.write("second.mtl", "newmtl shared\nKd 0 1 0\nnewmtl onlySecond\nKd 0 0 1\n");
    const std::string path =
        dir.write("m.obj", std::string("mtllib first.mtl\nmtllib second.mtl\n") + kTriangle + "f 1 2 3\n").string();
    ConsoleCapture console;
    const Model model = loadObjModel(path);
    ASSERT_EQ(model.materials.size(), 3u);
    for (const MtlMaterial& material : model.materials) {
        SCOPED_TRACE(material.name);
        if (material.name == "shared") {
            EXPECT_EQ(material.diffuse, Vec3(1, 0, 0));
        } else if (material.name == "onlySecond") {
            EXPECT_EQ(material.diffuse, Vec3(0, 0, 1));
        }
    }
}

// A bare OBJ name has an empty folder, so its library is looked for at the
// root of the file system rather than beside the OBJ.
TEST(ModelLoader, BareObjNameLooksForTheLibraryAtSlashName) {
    TempDir dir;
    const std::string mtlName = "pembrix-beside-" + dir.path().filename().string() + ".mtl";
    dir.write(mtlName, "newmtl beside\n");
    dir.write("bare.obj", "mtllib " + mtlName + "\n" + kTriangle + "f 1 2 3\n");
    WorkingDirectory inside(dir.path());
    ConsoleCapture console;
    const Model model = loadObjModel("bare.obj");
    EXPECT_TRUE(model.loaded);
    EXPECT_TRUE(model.materials.empty());
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open MTL: /" + mtlName + "\n");
}

TEST(ModelLoader, MtlLibraryReadDirectlyResolvesTexturesAgainstTheGivenFolder) {
    TempDir dir;
    const std::string mtl = dir.write("lib.mtl", "newmtl m\nmap_Ks s.png\n").string();
    const std::vector<MtlMaterial> materials = loadMtlLibrary(mtl, "elsewhere");
    ASSERT_EQ(materials.size(), 1u);
    EXPECT_EQ(materials[0].mapKsPath, "elsewhere/s.png");

    ConsoleCapture console;
    EXPECT_TRUE(loadMtlLibrary((dir / "none.mtl").string(), "x").empty());
    EXPECT_EQ(console.stderrText(), "[ModelLoader] Cannot open MTL: " + (dir / "none.mtl").string() + "\n");
}
