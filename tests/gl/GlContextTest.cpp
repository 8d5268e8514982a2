// The shared GL test context really renders and reads back.
#include "support/GlTest.h"

class GlContext : public GlTest {};

TEST_F(GlContext, IsCoreProfileOfAtLeast33AndClearsReadBack) {
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    EXPECT_GE(major * 10 + minor, 33);

    setWindowSize(64, 32);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const auto pixels = readPixelsRgba(10, 10, 1, 1);
    EXPECT_EQ(pixels[0], 255);
    EXPECT_NEAR(pixels[1], 128, 1);
    EXPECT_EQ(pixels[2], 0);
}
