// Every GL object the game makes has one owner that deletes it, and the owners
// go with the drawers that hold them: after a frame through every subsystem,
// ending the drawers leaves no GL object behind. After unloadGl (the window's
// end) an owner that goes makes no GL call at all.
#include "game/LevelModels.h"
#include "level/LevelHandler.h"
#include "screens/Graphics.h"
#include "screens/Hud.h"
#include "screens/LevelScene.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

using Names = std::set<std::pair<char, GLuint>>;  // kind (Texture, Buffer, Vertex array, Framebuffer, Program), name

// The names alive now that were not in `before`. Names are handed out from 1
// upwards; 65536 is far beyond what one run makes.
Names addedSince(const Names& before) {
    Names live;
    for (GLuint name = 1; name <= 65536; ++name) {
        if (glIsTexture(name)) live.insert({'T', name});
        if (glIsBuffer(name)) live.insert({'B', name});
        if (glIsVertexArray(name)) live.insert({'V', name});
        if (glIsFramebuffer(name)) live.insert({'F', name});
        if (glIsProgram(name)) live.insert({'P', name});
    }
    for (const auto& entry : before) live.erase(entry);
    return live;
}

// Stubs that count their calls, for every GL entry point.
int glCalls = 0;
template <typename Fn> struct CountingStub;
template <typename R, typename... A> struct CountingStub<R (*)(A...)> {
    static R call(A...) { return ++glCalls, R(); }
};
void installCountingStubs() {
#define PEMBRIX_STUB(type, name) pembrix_gl::name = &CountingStub<type>::call;
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_STUB)
#undef PEMBRIX_STUB
    glCalls = 0;
}

// A frame as the play screen draws it, from a shipped level with OBJ models,
// MTL materials, PNG textures and procedural surfaces: scene with its shadow
// pass, a coin's sparks, the flare and the sun, then the FPS panel.
void drawFrameThroughEverySubsystem(Graphics& graphics, ModelLibrary& library) {
    const Level level = LevelHandler::load("levels/level1.plvl");
    const LevelRun run = startRun(level);
    BallPose ball;
    ball.position = level.start;
    const SceneDrawList scene = buildLevelScene(level, run, resolveLevelModels(level, library), objectPoses(level, run),
                                                ball, level.sunPos, PlayMarks{}, library);
    const Mat4 view = glm::lookAt(level.start + Vec3(0, 4, 8), level.start, Vec3(0, 1, 0));
    const SceneView sceneView{view, glm::perspective(0.8f, 16.0f / 9.0f, 0.1f, 500.0f), kGlWidth, kGlHeight};
    graphics.scene.drawScene(scene, sceneView, library, SceneOptions{});
    ParticlePool sparks(64);
    sparks.emit(coinBurst(level.start));
    graphics.particles.draw(sparks, view, sceneView.projection, Vec3(1, 0, 0), Vec3(0, 1, 0));
    graphics.flare.draw(view, sceneView.projection, scene.sunPosition, scene.light.sunColor, kGlWidth, kGlHeight, 0.1f);
    graphics.scene.drawSun(scene, sceneView, library);
    graphics.canvas.draw(buildFpsPanel(60.0f, kGlWidth, kGlHeight));
}

std::unique_ptr<Graphics> startGraphics() {
    auto graphics = std::make_unique<Graphics>();
    graphics->canvas.init(kGlWidth, kGlHeight);
    graphics->scene.init();
    graphics->flare.init();
    graphics->particles.init(64);
    return graphics;
}

class OwnershipGl : public GlTest {};

}  // namespace

TEST_F(OwnershipGl, AfterAFrameThroughEverySubsystemTheDrawersLeaveNoGlObjectAndAfterUnloadGlMakeNoCall) {
    ConsoleCapture quiet;
    ModelLibrary library;
    const Names before = addedSince({});
    auto graphics = startGraphics();
    drawFrameThroughEverySubsystem(*graphics, library);
    const Names made = addedSince(before);
    for (char kind : {'T', 'B', 'V', 'F', 'P'}) {  // the scan sees every kind the game makes
        EXPECT_TRUE(std::any_of(made.begin(), made.end(), [&](auto& entry) { return entry.first == kind; })) << kind;
    }
    graphics.reset();
    glUseProgram(0);  // a deleted program still in use lives on until it is unbound
    EXPECT_EQ(addedSince(before), Names());

    // In the game the window, and GL with it, ends after the drawers; should
    // one outlive it, it must not call into a context that is gone.
    graphics = startGraphics();
    drawFrameThroughEverySubsystem(*graphics, library);
    unloadGl();
    installCountingStubs();  // a call now counts instead of jumping to null
    graphics.reset();
    EXPECT_EQ(glCalls, 0);
    std::string missing;
    ASSERT_TRUE(loadGl(missing)) << missing;
}
