// Particles on a real context: the built-in shaders link, a spark is a soft
// disc that writes no depth, and the draw gives back the usual blend and the
// depth mask it found.
#include "render/ParticleSystem.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

class ParticleSystemGl : public GlTest {};

TEST_F(ParticleSystemGl, ASparkIsASoftDiscAndTheDrawGivesTheStateBack) {
    setWindowSize(320, 180);
    ParticleSystem system;
    ConsoleCapture console;
    ASSERT_TRUE(system.init(64));
    EXPECT_EQ(console.stdoutText(), "[ParticleSystem] Initialized, capacity=64\n");
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    const Mat4 view = glm::lookAt(Vec3(0.0f, 0.0f, 3.0f), Vec3(0.0f), Vec3(0.0f, 1.0f, 0.0f));
    const Mat4 proj = glm::perspective(glm::radians(60.0f), 320.0f / 180.0f, 0.1f, 100.0f);
    system.draw(view, proj, Vec3(1, 0, 0), Vec3(0, 1, 0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "nothing alive, yet the draw touched GL";
    // A still white spark of edge 1 at the origin: about 52 pixels across.
    system.emit({Vec3(0.0f), 1, 0.0f, Vec4(1.0f), Vec4(1.0f), 1.0f, 1.0f, 100.0f, 1.0f, 0.0f});
    for (GLboolean mask : {GL_FALSE, GL_TRUE}) {
        glDepthMask(mask);
        system.draw(view, proj, Vec3(1, 0, 0), Vec3(0, 1, 0));
        GLboolean after = !mask;
        GLint src = 0, dst = 0;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &after);
        glGetIntegerv(GL_BLEND_SRC_RGB, &src);
        glGetIntegerv(GL_BLEND_DST_RGB, &dst);
        EXPECT_TRUE(after == mask && glIsEnabled(GL_BLEND) && src == GL_SRC_ALPHA && dst == GL_ONE_MINUS_SRC_ALPHA);
    }
    glDisable(GL_BLEND);
    const auto red = [](int x, int y) { return readPixelsRgba(160 + x, 90 + y, 1, 1)[0]; };
    EXPECT_GT(red(0, 0), 200);
    EXPECT_TRUE(red(18, 0) > 0 && red(18, 0) < red(0, 0)) << "not soft towards the rim";
    EXPECT_EQ(red(40, 0) + red(25, 25), 0) << "outside the disc";
    float depth = 0.0f;
    glReadPixels(160, 90, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f) << "a spark wrote depth";
}
