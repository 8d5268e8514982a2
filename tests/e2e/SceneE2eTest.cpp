// The real game playing a level, seen through the X server as a player sees it
// (multisampled and resolved): the lit scene is there, over the ground and
// under the sky.
#include "support/GameRun.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>

namespace {

struct Counts {
    int ball = 0;    // the ball's red
    int meadow = 0;  // the ground's greens
    int sky = 0;     // the level's sky colour
};

// A stone pad floating over the ground plane, under a known sky.
const char* const kSceneLevel =
    "name Scene Check\n"
    "sky 0.45 0.68 0.92\n"
    "ground yes\n"
    "sun_pos 40 80 30\n"
    "start 0 3.5 0\n"
    "tile 0 2 0 8 1 8 0.6 0.6 0.6 tex:stone\n"
    "end_tile 0 2.6 -20 2 0.2 2\n";

Counts countColours(const std::string& png) {
    Counts counts;
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &width, &height, &channels, 3);
    if (!pixels) return counts;
    for (int i = 0; i < width * height; ++i) {
        const int r = pixels[i * 3];
        const int g = pixels[i * 3 + 1];
        const int b = pixels[i * 3 + 2];
        if (r > 140 && g < 90 && b < 80) ++counts.ball;
        if (g > r + 10 && g > b + 10 && g < 200) ++counts.meadow;
        if (std::abs(r - 115) < 6 && std::abs(g - 173) < 6 && std::abs(b - 235) < 6) ++counts.sky;  // 255 x sky
    }
    stbi_image_free(pixels);
    return counts;
}

}  // namespace

TEST(SceneE2e, PlayShowsBallGroundAndSkyWithShadowsOn) {
    GameRun game;
    game.writeFile("levels/level1.plvl", kSceneLevel);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("WASD=move"));
    sleepSeconds(3.0);  // the ball settles on the start pad, the camera behind it
    const std::string shot = game.screenshot("e2e-scene-play").string();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);

    const std::string log = game.logText();
    EXPECT_NE(log.find("[BallRenderer] Shadow map 4096x4096 OK\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("shader failed"), std::string::npos) << log;
    const Counts counts = countColours(shot);
    EXPECT_GT(counts.ball, 300) << "no red ball on screen";
    EXPECT_GT(counts.meadow, 20000) << "no ground below the tiles";
    EXPECT_GT(counts.sky, 20000) << "no sky above the horizon";
}
