// The real game played through its rules on tiny levels: a coin, the end tile
// and the next level, falling off, the shield, the countdown, and the keys of
// the play and end screens. Each run keeps a screenshot for a person to look at.
#include "E2eLevels.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::string plainLevel(const std::string& name) { return "name " + name + "\nstart 0 0.5 0\n" + kFloor; }

// The ball starts over the end tile and lands inside it in the first frame.
const std::string kEndAtStart = "name E2E One\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n";
const std::string kCoinAtStart = "name E2E Coin\ntime 60\nstart 0 0.5 0\n" + kFloor + "coin 0 0.6 0\n";
const std::string kNoTiles = "name E2E Void\nstart 0 1 0\n";
const std::string kOneSecond = "name E2E Clock\ntime 1\nstart 0 0.5 0\n" + kFloor;
const std::string kShieldOverNothing = "name E2E Shield\nstart 0 1 0\npowerup 0 1 0 shield\n";

const std::string kControls =
    "WASD=move  SPACE=jump  RMB=orbit  +/-=zoom  M=menu  F9=FPS  F10=wire  F11=cull  F8=debugcam\n";

void startSmall(GameRun& game) {
    writeSmallWindowConfig(game);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(GameE2e, ACoinAtTheStartIsTakenRightAfterEnterAndMLeavesForTheMenu) {
    GameRun game;
    writeLevels(game, kCoinAtStart, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    const std::string banner = kBanner + "E2E Coin  coins=1  lives=3\n";
    ASSERT_TRUE(game.waitForLog(banner + kControls + "Coin! 1/1\n", 20.0)) << game.logText();
    sleepSeconds(1.0);
    game.screenshot("play-frame");

    // Enter means nothing in play; after M it starts a new game from the menu.
    game.key("Return");
    sleepSeconds(1.0);
    EXPECT_EQ(countOf(game.logText(), banner), 1);
    game.key("m");
    game.key("Return");
    EXPECT_TRUE(waitForCount(game, banner + kControls + "Coin! 1/1\n", 2, 20.0)) << game.logText();

    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, TheEndTileCompletesTheLevelAndThreeSecondsLaterTheNextOneStarts) {
    GameRun game;
    writeLevels(game, kEndAtStart, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    // The level completes in the first frame after Enter goes down.
    const auto pressed = std::chrono::steady_clock::now();
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("LEVEL COMPLETE: E2E One\n", 20.0)) << game.logText();
    game.screenshot("level-complete");
    ASSERT_TRUE(game.waitForLog(kBanner + "E2E Two  coins=0  lives=3\n", 30.0)) << game.logText();
    // Game time never runs ahead of the clock, so three game seconds take at
    // least three real ones (less a frame: the press may land just after a
    // frame took its time).
    EXPECT_GE(secondsSince(pressed), 2.9);
    EXPECT_EQ(countOf(game.logText(), "LEVEL COMPLETE"), 1);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, FinishingTheThirdLevelLandsInTheMenuWhereANewGameStartsAtTheFirst) {
    GameRun game;
    const std::string two = "name E2E Two\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n";
    const std::string three = "name E2E Three\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n";
    writeLevels(game, kEndAtStart, two, three);
    startSmall(game);
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("LEVEL COMPLETE: E2E One\n", 20.0)) << game.logText();
    game.key("space");  // Space goes on at once
    ASSERT_TRUE(game.waitForLog("LEVEL COMPLETE: E2E Two\n", 20.0)) << game.logText();
    ASSERT_TRUE(game.waitForLog("LEVEL COMPLETE: E2E Three\n", 30.0)) << game.logText();
    game.key("space");
    sleepSeconds(0.5);
    EXPECT_EQ(countOf(game.logText(), kBanner), 3);  // the menu, not a fourth level
    game.key("Return");
    EXPECT_TRUE(waitForCount(game, kBanner + "E2E One  coins=0  lives=3\n", 2, 20.0)) << game.logText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, WithoutTilesAllThreeLivesAreLostOneFallAtATime) {
    GameRun game;
    writeLevels(game, kNoTiles, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("GAME OVER\n", 90.0)) << game.logText();
    EXPECT_TRUE(contains(game.logText(), kBanner + "E2E Void  coins=0  lives=3\n" + kControls +
                                             "Fell off! Lives remaining: 2\nRespawned. Lives left: 2\n"
                                             "Fell off! Lives remaining: 1\nRespawned. Lives left: 1\n"
                                             "Fell off! Lives remaining: 0\nGAME OVER\n"))
        << game.logText();
    sleepSeconds(0.5);
    game.screenshot("game-over-no-lives");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_FALSE(contains(game.logText(), "Time's up!"));
}

TEST(GameE2e, AOneSecondLevelEndsInTimesUpAndSpaceRetriesThatLevel) {
    GameRun game;
    writeLevels(game, kEndAtStart, kOneSecond, plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    const std::string clock = kBanner + "E2E Clock  coins=0  lives=3\n";
    ASSERT_TRUE(game.waitForLog(clock, 30.0)) << game.logText();
    ASSERT_TRUE(game.waitForLog(clock + kControls + "Time's up! GAME OVER\n", 30.0)) << game.logText();
    sleepSeconds(0.5);
    game.screenshot("game-over");
    game.key("space");
    EXPECT_TRUE(waitForCount(game, clock, 2, 20.0)) << game.logText();
    EXPECT_TRUE(waitForCount(game, "Time's up! GAME OVER\n", 2, 30.0)) << game.logText();
    EXPECT_EQ(countOf(game.logText(), kBanner + "E2E One"), 1);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, AShieldPickedUpOverNothingSavesTheFirstFallOnly) {
    GameRun game;
    writeLevels(game, kShieldOverNothing, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("Powerup: 3\n", 20.0)) << game.logText();
    ASSERT_TRUE(game.waitForLog("Fell off! Lives remaining: 2\n", 60.0)) << game.logText();
    EXPECT_TRUE(contains(game.logText(),
                         "Powerup: 3\nShield absorbed the fall! No life lost.\nFell off! Lives remaining: 2\n"))
        << game.logText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(GameE2e, MLeavesTheLevelCompleteScreenBeforeTheNextLevelStarts) {
    GameRun game;
    writeLevels(game, kEndAtStart, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("LEVEL COMPLETE: E2E One\n", 20.0)) << game.logText();
    game.key("m");
    sleepSeconds(3.5);
    game.key("Return");  // only the menu starts a game on Enter
    EXPECT_TRUE(waitForCount(game, "LEVEL COMPLETE: E2E One\n", 2, 20.0)) << game.logText();
    game.key("Escape");  // from the level-complete screen
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_FALSE(contains(game.logText(), kBanner + "E2E Two")) << game.logText();
}

TEST(GameE2e, MLeavesTheGameOverScreenWhereEnterDoesNothing) {
    GameRun game;
    writeLevels(game, kOneSecond, plainLevel("E2E Two"), plainLevel("E2E Three"));
    startSmall(game);
    game.key("Return");
    ASSERT_TRUE(game.waitForLog("Time's up! GAME OVER\n", 30.0)) << game.logText();
    game.key("Return");
    sleepSeconds(1.0);
    const std::string clock = kBanner + "E2E Clock  coins=0  lives=3\n";
    EXPECT_EQ(countOf(game.logText(), clock), 1);
    game.key("m");
    game.key("Return");
    EXPECT_TRUE(waitForCount(game, clock, 2, 20.0)) << game.logText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
