// Models by path and the procedural stand-ins of scene objects, headless.
#include "level/Level.h"
#include "render/ModelCache.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

SceneObject objectWith(ShapeKind shape, const std::string& objPath = "") {
    SceneObject object;
    object.shape = shape;
    object.objPath = objPath;
    return object;
}

}  // namespace

TEST(ModelCache, EachShapeFallsBackToItsUnitStandIn) {
    struct Case {
        const char* name;
        ShapeKind shape;
        size_t vertices;
    };
    const Case cases[] = {
        {"sphere", ShapeKind::Sphere, 441},
        {"box", ShapeKind::Box, 24},
        {"cylinder", ShapeKind::Cylinder, 102},
        {"plane", ShapeKind::Plane, 4},
        {"obj without a path", ShapeKind::ObjFile, 24},
        {"shape value 7", static_cast<ShapeKind>(7), 24},
        {"negative shape value", static_cast<ShapeKind>(-1), 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneObject object = objectWith(c.shape);
        ConsoleCapture console;
        Model& model = resolveModel(object);
        EXPECT_EQ(object.model, &model);
        EXPECT_TRUE(model.loaded);
        ASSERT_EQ(model.meshes.size(), 1u);
        EXPECT_EQ(model.meshes[0].vertices.size(), c.vertices);
        EXPECT_EQ(console.stderrText(), "");  // no path, no fallback line
    }
    // Stand-ins are shared, not built per object.
    SceneObject first = objectWith(ShapeKind::Cylinder);
    SceneObject second = objectWith(ShapeKind::Cylinder);
    EXPECT_EQ(&resolveModel(first), &resolveModel(second));
}

TEST(ModelCache, TwoObjectsWithTheSameMissingFileTryItOnceAndEachReportsOnce) {
    TempDir dir;
    const std::string path = (dir / "missing.obj").string();
    SceneObject a = objectWith(ShapeKind::ObjFile, path);
    SceneObject b = objectWith(ShapeKind::Sphere, path);
    ConsoleCapture console;
    Model& modelA = resolveModel(a);
    Model& modelB = resolveModel(b);
    resolveModel(a);
    resolveModel(b);
    const std::string err = console.stderrText();
    EXPECT_EQ(count(err, "[ModelLoader] Cannot open OBJ: " + path + "\n"), 1);
    EXPECT_EQ(count(err, "[SceneObject] OBJ not found, using procedural fallback: " + path + "\n"), 2);
    EXPECT_EQ(modelA.meshes[0].vertices.size(), 24u);  // ObjFile falls back to the box
    EXPECT_EQ(modelB.meshes[0].vertices.size(), 441u);
    EXPECT_FALSE(getCachedModel(path).loaded);
}

TEST(ModelCache, AFailedPathIsNotReadAgainEvenOnceTheFileExists) {
    TempDir dir;
    const std::string path = (dir / "late.obj").string();
    ConsoleCapture console;
    Model& first = getCachedModel(path);
    dir.write("late.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    Model& second = getCachedModel(path);
    EXPECT_EQ(&first, &second);
    EXPECT_FALSE(second.loaded);
    EXPECT_EQ(count(console.stderrText(), "Cannot open OBJ"), 1);
}

TEST(ModelCache, ALoadedObjIsStoredInTheObjectAndReadOnce) {
    TempDir dir;
    const std::string path = dir.write("ok.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n").string();
    SceneObject object = objectWith(ShapeKind::ObjFile, path);
    SceneObject other = objectWith(ShapeKind::Box, path);
    ConsoleCapture console;
    Model& model = resolveModel(object);
    EXPECT_EQ(&model, &getCachedModel(path));
    EXPECT_EQ(&resolveModel(other), &model);
    EXPECT_EQ(object.model, &model);
    EXPECT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(count(console.stdoutText(), "[ModelLoader] Loaded OBJ: " + path), 1);
    EXPECT_EQ(console.stderrText(), "");
}

TEST(ModelCache, AnObjectThatAlreadyHasAModelKeepsIt) {
    Model own;
    SceneObject object = objectWith(ShapeKind::Sphere, "/no/such/file.obj");
    object.model = &own;
    ConsoleCapture console;
    EXPECT_EQ(&resolveModel(object), &own);
    EXPECT_EQ(console.stderrText(), "");
}

TEST(ModelCache, ReleaseEmptiesTheCacheSoAPathIsReadAfresh) {
    TempDir dir;
    const std::string path = (dir / "again.obj").string();
    ConsoleCapture console;
    getCachedModel(path);
    releaseModels();
    dir.write("again.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_TRUE(getCachedModel(path).loaded);
    releaseModels();
}
