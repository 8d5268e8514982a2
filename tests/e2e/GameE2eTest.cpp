// The real game played through its rules on tiny levels: a coin over a lit
// scene, the end tile and the next level, falls and the shield, the countdown,
// and the keys of the play and end screens. Screenshots are kept as artefacts.
#include "E2eLevels.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <chrono>

namespace {

std::string plainLevel(const std::string& name) { return "name " + name + "\nstart 0 0.5 0\n" + kFloor; }
// The ball starts over the end tile and lands inside it in the first frame.
std::string endAtStart(const std::string& name) { return "name " + name + "\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n"; }

const std::string kOneSecond = "name E2E Clock\ntime 1\nstart 0 0.5 0\n" + kFloor;
const std::string kControls =
    "WASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";

// Writes the levels (and the small window unless `fullSize`) and starts the game into its menu.
bool startGame(GameRun& game, const std::string& first, const std::string& second, const std::string& third,
                  bool fullSize = false) {
    writeLevels(game, first, second, third);
    if (!fullSize) writeSmallWindowConfig(game);
    return game.start() && game.waitForStartup();
}

// Pixels of the ball's red, the ground's greens and the sky colour (0.45 0.68 0.92) in a screenshot.
struct Counts { int ball = 0, meadow = 0, sky = 0; };
Counts countColours(const std::string& png) {
    Counts counts;
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &width, &height, &channels, 3);
    for (int i = 0; pixels && i < width * height; ++i) {
        const int r = pixels[i * 3], g = pixels[i * 3 + 1], b = pixels[i * 3 + 2];
        counts.ball += r > 140 && g < 90 && b < 80;
        counts.meadow += g > r + 10 && g > b + 10 && g < 200;
        counts.sky += std::abs(r - 115) < 6 && std::abs(g - 173) < 6 && std::abs(b - 235) < 6;
    }
    stbi_image_free(pixels);
    return counts;
}

}  // namespace

TEST(GameE2e, ACoinAtTheStartOfALitSceneIsTakenAtOnceAndMLeavesForTheMenu) {
    // A stone pad over the ground plane at the full window, seen multisampled and resolved.
    const std::string scene = "name E2E Coin\nsky 0.45 0.68 0.92\nground yes\nsun_pos 40 80 30\nstart 0 3.5 0\n"
                              "tile 0 2 0 8 1 8 0.6 0.6 0.6 tex:stone\nend_tile 0 2.6 -20 2 0.2 2\ncoin 0 3.6 0\n";
    GameRun game;
    ASSERT_TRUE(startGame(game, scene, plainLevel("E2E Two"), plainLevel("E2E Three"), true));
    game.key("Return");
    const std::string taken = kBanner + "E2E Coin  coins=1  lives=3\n" + kControls + "Coin! 1/1\n";
    ASSERT_TRUE(game.waitForText(taken, 20.0)) << game.consoleText();
    sleepSeconds(3.0);  // the ball settles on the pad, the camera behind it
    const Counts counts = countColours(game.screenshot("play-frame").string());
    EXPECT_GT(counts.ball, 300) << "no red ball on screen";
    EXPECT_GT(counts.meadow, 20000) << "no ground below the tiles";
    EXPECT_GT(counts.sky, 20000) << "no sky above the horizon";
    EXPECT_TRUE(contains(game.consoleText(), "[BallRenderer] Shadow map 4096x4096 OK\n"));
    EXPECT_FALSE(contains(game.consoleText(), "shader failed"));

    // Enter means nothing in play; after M it starts a new game from the menu.
    game.key("Return");
    sleepSeconds(1.0);
    EXPECT_EQ(countOf(game.consoleText(), kBanner), 1);
    game.key("m");
    game.key("Return");
    EXPECT_TRUE(game.waitForText(taken, 20.0, 2)) << game.consoleText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, EndTilesLeadThroughTheLevelsToTheMenuAndMLeavesTheLevelCompleteScreen) {
    GameRun game;
    ASSERT_TRUE(startGame(game, endAtStart("E2E One"), endAtStart("E2E Two"), endAtStart("E2E Three")));
    const auto pressed = std::chrono::steady_clock::now();  // the level completes in the first frame after Enter
    game.key("Return");
    ASSERT_TRUE(game.waitForText("LEVEL COMPLETE: E2E One\n", 20.0)) << game.consoleText();
    game.screenshot("level-complete");
    ASSERT_TRUE(game.waitForText(kBanner + "E2E Two  coins=0  lives=3\n", 30.0)) << game.consoleText();
    // Game time never runs ahead of the clock: the three seconds take three real ones, less a frame.
    EXPECT_GE(std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count(), 2.9);
    ASSERT_TRUE(game.waitForText("LEVEL COMPLETE: E2E Two\n", 20.0)) << game.consoleText();
    game.key("space");  // Space goes on at once
    ASSERT_TRUE(game.waitForText("LEVEL COMPLETE: E2E Three\n", 20.0)) << game.consoleText();
    game.key("space");
    sleepSeconds(0.5);
    EXPECT_EQ(countOf(game.consoleText(), kBanner), 3) << "the menu, not a fourth level";
    game.key("Return");
    EXPECT_TRUE(game.waitForText("LEVEL COMPLETE: E2E One\n", 20.0, 2)) << game.consoleText();
    game.key("m");
    sleepSeconds(3.5);
    game.key("Return");  // only the menu starts a game on Enter
    EXPECT_TRUE(game.waitForText("LEVEL COMPLETE: E2E One\n", 20.0, 3)) << game.consoleText();
    EXPECT_EQ(countOf(game.consoleText(), kBanner + "E2E Two"), 1) << "M did not stop the next level";
    game.key("Escape");  // from the level-complete screen
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, OverNothingTheShieldSavesTheFirstFallThreeMoreEndTheGameAndMLeavesIt) {
    GameRun game;
    const std::string voidLevel = "name E2E Void\nstart 0 1 0\npowerup 0 1 0 shield\n";
    ASSERT_TRUE(startGame(game, voidLevel, plainLevel("E2E Two"), plainLevel("E2E Three")));
    game.key("Return");
    const std::string banner = kBanner + "E2E Void  coins=0  lives=3\n";
    ASSERT_TRUE(game.waitForText("GAME OVER\n", 120.0)) << game.consoleText();
    EXPECT_TRUE(contains(game.consoleText(), banner + kControls +
                                                 "Powerup: 3\nShield absorbed the fall! No life lost.\n"
                                                 "Fell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
                                                 "Fell off! Lives remaining: 1\nRespawned. Lives left: 1\n"
                                                 "Fell off! Lives remaining: 0\nGAME OVER\n"))
        << game.consoleText();
    sleepSeconds(0.5);
    game.screenshot("game-over-no-lives");
    game.key("Return");  // nothing on the game-over screen
    sleepSeconds(1.0);
    EXPECT_EQ(countOf(game.consoleText(), banner), 1);
    game.key("m");
    game.key("Return");
    EXPECT_TRUE(game.waitForText(banner, 20.0, 2)) << game.consoleText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_FALSE(contains(game.consoleText(), "Time's up!"));
}

TEST(GameE2e, AOneSecondLevelEndsInTimesUpAndSpaceRetriesThatLevel) {
    GameRun game;
    ASSERT_TRUE(startGame(game, endAtStart("E2E One"), kOneSecond, plainLevel("E2E Three")));
    game.key("Return");
    const std::string clock = kBanner + "E2E Clock  coins=0  lives=3\n";
    ASSERT_TRUE(game.waitForText(clock + kControls + "Time's up! GAME OVER\n", 60.0)) << game.consoleText();
    sleepSeconds(0.5);
    game.screenshot("game-over");
    game.key("space");
    EXPECT_TRUE(game.waitForText(clock + kControls + "Time's up! GAME OVER\n", 30.0, 2)) << game.consoleText();
    EXPECT_EQ(countOf(game.consoleText(), kBanner + "E2E One"), 1);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
