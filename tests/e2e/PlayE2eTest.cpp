// The real game played on tiny levels: a coin taken over a lit scene, seen in
// a screenshot as a player sees it, and the end tile leading on to the next level.
#include "E2eLevels.h"

#include <gtest/gtest.h>
#include <stb_image.h>

namespace {

// Pixels of each kind in a screenshot of the 640 x 360 screen.
struct Counts { int sky = 0, meadow = 0, stone = 0, ball = 0, hudInk = 0; };
Counts countColours(const std::string& png) {
    Counts counts;
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &width, &height, &channels, 3);
    for (int i = 0; pixels && i < width * height; ++i) {
        const int r = pixels[i * 3], g = pixels[i * 3 + 1], b = pixels[i * 3 + 2];
        counts.sky += std::abs(r - 115) < 8 && std::abs(g - 173) < 8 && std::abs(b - 235) < 8;  // 0.45 0.68 0.92
        counts.meadow += g > r + 10 && g > b + 10 && g < 200;
        counts.stone += std::abs(r - g) < 16 && std::abs(g - b) < 16 && r > 40 && r < 200;
        counts.ball += r > 140 && g < 90 && b < 80;
        // "Lives: * * *" in white in the top-left corner.
        counts.hudInk += i % width < 200 && i / width < 40 && r > 230 && g > 230 && b > 230;
    }
    stbi_image_free(pixels);
    return counts;
}

}  // namespace

TEST(PlayE2e, ACoinUnderTheStartIsTakenAndTheFrameShowsSkyGroundTileBallAndHud) {
    GameRun game;
    const std::string coin = "name E2E Coin\nsky 0.45 0.68 0.92\nground yes\nsun_pos 40 80 30\nstart 0 3.5 0\n"
                             "tile 0 2 0 8 1 8 0.6 0.6 0.6 tex:stone\nend_tile 0 2.6 -20 2 0.2 2\ncoin 0 3.6 0\n";
    const std::string plain = "name E2E Plain\nstart 0 0.5 0\n" + kFloor;
    writeLevels(game, coin, plain, plain);
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
    startPlaying(game);
    ASSERT_TRUE(game.waitForText("Coin! 1/1\n", 20.0)) << game.consoleText();
    sleepSeconds(2.0);  // the ball settles on the tile, the camera behind it
    const Counts counts = countColours(game.screenshot("play-frame").string());
    EXPECT_GT(counts.sky, 5000) << "no sky above the horizon";
    EXPECT_GT(counts.meadow, 5000) << "no ground below the tiles";
    EXPECT_GT(counts.stone, 3000) << "no stone tile under the ball";
    EXPECT_GT(counts.ball, 100) << "no red ball on screen";
    EXPECT_GT(counts.hudInk, 40) << "no HUD text";
    quitFromPlay(game);
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
}

TEST(PlayE2e, TheEndTileCompletesTheLevelAndTheNextOneFollows) {
    // The ball starts over the end tile and lands inside it at once.
    GameRun game;
    const auto endAtStart = [](const std::string& name) {
        return "name " + name + "\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n";
    };
    writeLevels(game, endAtStart("E2E One"), "name E2E Two\nstart 0 0.5 0\n" + kFloor, endAtStart("E2E Three"));
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
    startPlaying(game);
    ASSERT_TRUE(game.waitForText("LEVEL COMPLETE: E2E One\n", 20.0)) << game.consoleText();
    sleepSeconds(0.5);
    game.screenshot("level-complete");
    EXPECT_TRUE(game.waitForText(kBanner + "E2E Two  coins=0", 20.0)) << game.consoleText();
    quitFromPlay(game);
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
}
