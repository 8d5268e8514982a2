// Every GL object the game creates has one owner that deletes it at shutdown
// while the context is current: after a frame through every subsystem and the
// game's release order, no texture, buffer, vertex array, framebuffer or
// program of that run is left, and the destructors that run after the window
// is gone make no GL call at all.
#include "app/Ball.h"
#include "app/SceneFrame.h"
#include "level/LevelHandler.h"
#include "render/BallRenderer.h"
#include "render/LensFlare.h"
#include "render/ParticleSystem.h"
#include "support/ConsoleCapture.h"
#include "support/GlCallRecorder.h"
#include "support/GlTest.h"
#include "ui/TextRenderer.h"

#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <set>

namespace {

struct LiveNames {
    std::set<GLuint> textures, buffers, vertexArrays, framebuffers, programs;
};

// Names are handed out from 1 upwards; 65536 is far beyond what one run makes.
LiveNames liveNames() {
    LiveNames live;
    for (GLuint name = 1; name <= 65536; ++name) {
        if (glIsTexture(name)) live.textures.insert(name);
        if (glIsBuffer(name)) live.buffers.insert(name);
        if (glIsVertexArray(name)) live.vertexArrays.insert(name);
        if (glIsFramebuffer(name)) live.framebuffers.insert(name);
        if (glIsProgram(name)) live.programs.insert(name);
    }
    return live;
}

std::set<GLuint> added(const std::set<GLuint>& now, const std::set<GLuint>& before) {
    std::set<GLuint> extra;
    for (GLuint name : now) {
        if (!before.count(name)) extra.insert(name);
    }
    return extra;
}

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
    const LiveNames before = liveNames();
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
    ParticleBurst burst;
    burst.position = level.start;
    burst.count = 48;
    burst.lifetime = 1.0f;
    owners->particles.emit(burst);
    owners->particles.update(0.016f);
    owners->particles.draw(view, projection, Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    owners->flare.draw(view, projection, level.sunPos, level.sunColor, kSize, kSize, 0.016f);
    owners->renderer.drawSun(view, projection, level.sunPos, level.sunObj);
    bool play = false, quit = false, settings = false;
    owners->ui.drawMainMenu(play, quit, settings);
    owners->ui.drawFPS(60.0f);

    const LiveNames during = liveNames();
    ASSERT_FALSE(added(during.textures, before.textures).empty());  // the probe sees what a run makes
    ASSERT_FALSE(added(during.programs, before.programs).empty());
    ASSERT_FALSE(added(during.vertexArrays, before.vertexArrays).empty());

    owners->renderer.destroy();
    owners->particles.release();
    owners->flare.release();
    owners->ui.release();
    releaseSharedTextBuffers();
    glUseProgram(0);  // a deleted program still in use lives on until it is unbound
    const LiveNames after = liveNames();
    EXPECT_EQ(added(after.textures, before.textures), std::set<GLuint>());
    EXPECT_EQ(added(after.buffers, before.buffers), std::set<GLuint>());
    EXPECT_EQ(added(after.vertexArrays, before.vertexArrays), std::set<GLuint>());
    EXPECT_EQ(added(after.framebuffers, before.framebuffers), std::set<GLuint>());
    EXPECT_EQ(added(after.programs, before.programs), std::set<GLuint>());

    // In the game these destructors run after the window and its context are gone.
    GlCallRecorder recorder;
    owners.reset();
    EXPECT_TRUE(recorder.calls().empty()) << recorder.calls().front();
}
