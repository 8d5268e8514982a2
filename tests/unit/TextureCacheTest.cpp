// The texture cache without a GL context: its solid-colour keys, and nothing made.
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

TEST(TextureCache, SolidKeysPrintSixDecimalsAndHeadlessRequestsMakeNothing) {
    EXPECT_EQ(solidColorKey({1, 0, 1}), "solid:1.000000,0.000000,1.000000");
    EXPECT_EQ(solidColorKey({-0.5f, 0.0000006f, 1234.5f}), "solid:-0.500000,0.000001,1234.500000");
    ConsoleCapture console;
    EXPECT_EQ(loadTexture("/no/such/texture.png", true) + solidColorTexture(Vec3(1, 0, 1)), 0u);
    releaseTextures();
    EXPECT_EQ(console.stdoutText() + console.stderrText(), "");
}
