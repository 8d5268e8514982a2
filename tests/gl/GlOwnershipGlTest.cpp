// Every GL object the game creates has one owner that deletes it at shutdown
// while the context is current, and the destructors that run after the window
// is gone make no GL call at all.
#include "app/SceneFrame.h"
#include "level/LevelHandler.h"
#include "render/LensFlare.h"
#include "render/ParticleSystem.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "ui/TextRenderer.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>

namespace {

using Names = std::set<std::pair<char, GLuint>>;  // kind (Texture, Buffer, Vertex array, Framebuffer, Program), name

// Names are handed out from 1 upwards; 65536 is far beyond what one run makes.
Names liveNames() {
    Names live;
    for (GLuint name = 1; name <= 65536; ++name) {
        if (glIsTexture(name)) live.insert({'T', name});
        if (glIsBuffer(name)) live.insert({'B', name});
        if (glIsVertexArray(name)) live.insert({'V', name});
        if (glIsFramebuffer(name)) live.insert({'F', name});
        if (glIsProgram(name)) live.insert({'P', name});
    }
    return live;
}

Names added(const Names& now, const Names& before) {
    Names extra;
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::inserter(extra, extra.end()));
    return extra;
}

// Every GL entry point swapped for a stub that counts its calls, until the object goes.
int glCalls = 0;
template <typename Fn> struct CountingStub;
template <typename R, typename... A> struct CountingStub<R (*)(A...)> {
    static R call(A...) { return ++glCalls, R(); }
};
struct GlCallCounter {
#define PEMBRIX_SAVE(type, name) type saved_##name = pembrix_gl::name;
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_SAVE)
#undef PEMBRIX_SAVE
    GlCallCounter() {
#define PEMBRIX_SWAP(type, name) pembrix_gl::name = &CountingStub<type>::call;
        PEMBRIX_GL_FUNCTIONS(PEMBRIX_SWAP)
#undef PEMBRIX_SWAP
        glCalls = 0;
    }
    ~GlCallCounter() {
#define PEMBRIX_RESTORE(type, name) pembrix_gl::name = saved_##name;
        PEMBRIX_GL_FUNCTIONS(PEMBRIX_RESTORE)
#undef PEMBRIX_RESTORE
    }
};

// The long-lived GPU owners of the game, as the frame loop holds them.
struct Owners {
    TextRenderer ui;
    BallRenderer renderer;
    LensFlare flare;
    ParticleSystem particles;
};

class GlOwnership : public GlTest {};

}  // namespace

TEST_F(GlOwnership, AFrameThroughEverySubsystemLeavesNothingAfterTheShutdownOrder) {
    constexpr int kSize = 256;
    setWindowSize(kSize, kSize);
    const Names before = liveNames();
    ConsoleCapture console;
    auto owners = std::make_unique<Owners>();
    owners->ui.init(kSize, kSize);
    owners->renderer.init(kSize, kSize);
    owners->flare.init();
    owners->particles.init(64);

    // A shipped level: OBJ models, MTL materials, PNG textures and procedural surfaces.
    Level level = LevelHandler::load("levels/level1.plvl");
    Ball ball;
    ball.position = level.start;
    const Mat4 view = glm::lookAt(level.start + Vec3(0.0f, 4.0f, 8.0f), level.start, Vec3(0.0f, 1.0f, 0.0f));
    const Mat4 projection = glm::perspective(0.8f, 1.0f, 0.1f, 500.0f);
    drawLevelScene(owners->renderer, level, ball, view, projection, true, kSize, kSize);
    owners->particles.emit({level.start, 48, 1.0f, Vec4(1.0f), Vec4(1.0f), 0.2f, 0.1f, 1.0f, 1.0f, 0.0f});
    owners->particles.update(0.016f);
    owners->particles.draw(view, projection, Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    owners->flare.draw(view, projection, level.sunPos, level.sunColor, kSize, kSize, 0.016f);
    owners->renderer.drawSun(view, projection, level.sunPos, level.sunObj);
    bool play = false, quit = false, settings = false;
    owners->ui.drawMainMenu(play, quit, settings);
    owners->ui.drawFPS(60.0f);

    const Names made = added(liveNames(), before);
    for (char kind : {'T', 'P', 'V'}) {  // the probe sees what a run makes
        ASSERT_TRUE(std::any_of(made.begin(), made.end(), [&](auto& entry) { return entry.first == kind; })) << kind;
    }
    owners->renderer.destroy();
    owners->particles.release();
    owners->flare.release();
    owners->ui.release();
    releaseSharedTextBuffers();
    glUseProgram(0);  // a deleted program still in use lives on until it is unbound
    EXPECT_EQ(added(liveNames(), before), Names());

    // In the game these destructors run after the window and its context are gone.
    GlCallCounter counter;
    owners.reset();
    EXPECT_EQ(glCalls, 0);
}
