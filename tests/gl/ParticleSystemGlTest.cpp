// Particles on a real context: the built-in shaders, what a burst looks like,
// and the blend and depth-write state the draw leaves.
#include "render/ParticleSystem.h"

#include "support/ConsoleCapture.h"
#include "support/GlCallRecorder.h"
#include "support/GlTest.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

class ParticleSystemGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        ConsoleCapture console;
        initialised = system.init(64);
        initOut = console.stdoutText();
        initErr = console.stderrText();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
    }

    // A still, long-lived, big white spark at the origin.
    void emitStillSpark() {
        ParticleBurst burst;
        burst.count = 1;
        burst.speed = 0.0f;
        burst.startColor = {1.0f, 1.0f, 1.0f, 1.0f};
        burst.endColor = {1.0f, 1.0f, 1.0f, 1.0f};
        burst.startSize = 1.0f;
        burst.endSize = 1.0f;
        burst.lifetime = 100.0f;
        burst.drag = 1.0f;
        burst.gravity = 0.0f;
        system.emit(burst);
    }

    void drawFromFront() {
        const Mat4 view = glm::lookAt(Vec3(0.0f, 0.0f, 3.0f), Vec3(0.0f), Vec3(0.0f, 1.0f, 0.0f));
        const Mat4 proj = glm::perspective(glm::radians(60.0f), float(kWidth) / kHeight, 0.1f, 100.0f);
        system.draw(view, proj, Vec3(view[0][0], view[1][0], view[2][0]), Vec3(view[0][1], view[1][1], view[2][1]));
    }

    ParticleSystem system;
    bool initialised = false;
    std::string initOut;
    std::string initErr;
};

}  // namespace

TEST_F(ParticleSystemGl, BuiltInShadersLinkAndInitReportsTheCapacity) {
    EXPECT_TRUE(initialised);
    EXPECT_NE(system.program, 0u);
    EXPECT_EQ(initOut, "[ParticleSystem] Initialized, capacity=64\n");
    EXPECT_EQ(initErr, "");
    EXPECT_NE(system.viewLocation, -1);
    EXPECT_NE(system.camUpLocation, -1);
}

TEST_F(ParticleSystemGl, SparkIsABrightSoftDiscAtItsPosition) {
    emitStillSpark();
    drawFromFront();
    const auto centre = readPixelsRgba(kWidth / 2, kHeight / 2, 1, 1);
    EXPECT_GT(centre[0], 200);
    // Soft toward the rim: halfway out it is dimmer than the core but lit.
    // The sprite is 1 unit across at distance 3 with a 60 degree view:
    // about 0.289 of the height, 52 pixels.
    const auto rim = readPixelsRgba(kWidth / 2 + 18, kHeight / 2, 1, 1);
    EXPECT_LT(rim[0], centre[0]);
    EXPECT_GT(rim[0], 0);
    // Outside the disc: nothing.
    EXPECT_EQ(readPixelsRgba(kWidth / 2 + 40, kHeight / 2, 1, 1)[0], 0);
    EXPECT_EQ(readPixelsRgba(kWidth / 2 + 25, kHeight / 2 + 25, 1, 1)[0], 0);
}

TEST_F(ParticleSystemGl, DrawLeavesNormalBlendingOnAndTheDepthMaskAsItWas) {
    emitStillSpark();
    for (GLboolean mask : {GL_TRUE, GL_FALSE}) {
        SCOPED_TRACE(static_cast<int>(mask));
        glDisable(GL_BLEND);
        glDepthMask(mask);
        drawFromFront();
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        GLint src = 0;
        GLint dst = 0;
        glGetIntegerv(GL_BLEND_SRC_RGB, &src);
        glGetIntegerv(GL_BLEND_DST_RGB, &dst);
        EXPECT_EQ(src, GL_SRC_ALPHA);
        EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
        GLboolean after = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &after);
        EXPECT_EQ(after, mask);
        GLint program = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(program, 0);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

TEST_F(ParticleSystemGl, SparksWriteNoDepth) {
    emitStillSpark();
    drawFromFront();
    float depth = 0.0f;
    glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    glDisable(GL_BLEND);
}

TEST_F(ParticleSystemGl, FailedCompileAndLinkAreReportedAndLeaveNothingToDraw) {
    ParticleSystem broken;
    bool result = true;
    std::string err;
    std::string out;
    int buffersMade = -1;
    {
        // Recorded GL reports every status as false and every log as empty.
        GlCallRecorder gl;
        ConsoleCapture console;
        result = broken.init(16);
        err = console.stderrText();
        out = console.stdoutText();
        buffersMade = gl.count("glGenBuffers") + gl.count("glGenVertexArrays");
    }
    EXPECT_FALSE(result);
    EXPECT_EQ(err,
              "[ParticleSystem] Shader compile error:\n\n"
              "[ParticleSystem] Shader compile error:\n\n"
              "[ParticleSystem] Program link error:\n\n");
    EXPECT_EQ(out, "");
    EXPECT_EQ(buffersMade, 0);
    EXPECT_EQ(broken.program, 0u);
    // The pool still works; the draw just shows nothing.
    broken.emit(ParticleBurst{Vec3(0.0f), 4, 1.0f, Vec4(1.0f), Vec4(1.0f), 0.2f, 0.0f, 1.0f, 1.0f, 0.0f});
    EXPECT_EQ(broken.aliveCount, 4);
    broken.draw(Mat4(1.0f), Mat4(1.0f), Vec3(1, 0, 0), Vec3(0, 1, 0));
    EXPECT_EQ(readPixelsRgba(kWidth / 2, kHeight / 2, 1, 1)[0], 0);
}
