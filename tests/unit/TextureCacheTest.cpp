// The model loader's texture cache: solid-colour keys and the headless path.
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(TextureCache, SolidKeysPrintEachComponentWithSixDecimals) {
    const std::pair<Vec3, const char*> cases[] = {
        {{1, 0, 1}, "solid:1.000000,0.000000,1.000000"},
        {{0.5f, 0.25f, 0.125f}, "solid:0.500000,0.250000,0.125000"},
        {{-0.5f, 2, 0.1f}, "solid:-0.500000,2.000000,0.100000"},
        {{0.0000004f, 0.0000006f, 1234.5f}, "solid:0.000000,0.000001,1234.500000"},
    };
    for (const auto& [color, key] : cases) {
        SCOPED_TRACE(key);
        EXPECT_EQ(solidColorKey(color), key);
    }
}

TEST(TextureCache, HeadlessRequestsCreateNothingAndSayNothing) {
    TempDir dir;
    ConsoleCapture console;
    EXPECT_EQ(loadTexture((dir / "missing.png").string(), true), 0u);
    EXPECT_EQ(loadTexture(dir.write("real.png", "any bytes").string(), false), 0u);
    EXPECT_EQ(solidColorTexture(Vec3(1, 0, 1)), 0u);
    releaseTextures();
    EXPECT_EQ(console.stdoutText(), "");
    EXPECT_EQ(console.stderrText(), "");
}
