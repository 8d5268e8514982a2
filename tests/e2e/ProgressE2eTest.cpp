// What a player earns and keeps: a record and the next level open after a
// completion, kept across a restart; a faster second run shown as a new
// record while the first run's ghost races it; a damaged records file kept
// aside; and on the way a checkpoint that a fall comes back to, and a gate
// that says how many coins are missing.
#include "E2eLevels.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A lane north from the start: a coin, a flag, and the gate at its end.
const std::string kLane = "name E2E Lane\nstart 0 0.5 4\ntile 0 -0.5 -2 3 1 16 0.45 0.6 0.45 tex:stone\n"
                          "coin 0 0.6 0\ncheckpoint 0 0 -3\nend_tile 0 0 -8 2 1 2\n";

void startWithSaveFolder(GameRun& game, const TempDir& data) {
    game.setEnvironment("XDG_DATA_HOME", data.path().string());
    writeLevels(game, kLane, kLane, kLane);
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
}

}  // namespace

TEST(ProgressE2e, AFasterSecondRunIsANewRecordRacedByTheFirstRunsGhostAndKeptAcrossARestart) {
    const TempDir data;
    {
        GameRun game;
        startWithSaveFolder(game, data);
        startPlaying(game);
        sleepSeconds(1.5);  // a slow first run: it waits before it rolls
        game.key("w", 2.5);
        ASSERT_TRUE(game.waitForText("NEW RECORD", 20.0)) << game.consoleText();
        game.key("m");
        startPlaying(game);
        game.keyDown("w");
        sleepSeconds(0.8);
        game.screenshot("ghost-race");  // the ghost of the first run still waits at the start
        ASSERT_TRUE(game.waitForText("(was ", 20.0)) << game.consoleText();
        game.keyUp("w");
        game.screenshot("new-record");
        game.key("m");
        game.key("Escape");
        EXPECT_EQ(game.waitForExit(), 0);
    }
    const std::string records = readFile(data.path() / "pembrix/records.ini");
    EXPECT_TRUE(contains(records, "level.1.best") && contains(records, "level.2.open = yes")) << records;
    EXPECT_TRUE(fs::exists(data.path() / "pembrix/ghosts/level1.ghost"));
    GameRun again;
    startWithSaveFolder(again, data);
    again.key("Return");
    sleepSeconds(1.0);
    again.screenshot("level-select-with-record");
    again.key("Escape");
    again.key("Escape");
    EXPECT_EQ(again.waitForExit(), 0);
    EXPECT_EQ(countOf(again.consoleText(), "[Save]"), 0) << again.consoleText();
}

TEST(ProgressE2e, ARecordsFileOfRandomBytesIsSaidOnceKeptAsBadAndAFreshOneSaved) {
    const TempDir data;
    std::string noise;
    for (int i = 0; i < 300; ++i) noise += static_cast<char>((i * 131 + 17) % 251);
    data.write("pembrix/records.ini", noise);
    GameRun game;
    startWithSaveFolder(game, data);
    EXPECT_EQ(countOf(game.consoleText(), "[Save]"), 1) << game.consoleText();
    startPlaying(game);
    game.key("w", 2.5);
    ASSERT_TRUE(game.waitForText("LEVEL COMPLETE", 20.0)) << game.consoleText();
    game.key("m");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_EQ(readFile(data.path() / "pembrix/records.ini.bad"), noise);
    EXPECT_TRUE(contains(readFile(data.path() / "pembrix/records.ini"), "level.1.best"));
}

TEST(ProgressE2e, AFallComesBackToTheFlagReachedAndTheGateSaysWhatIsMissing) {
    GameRun game;
    // The coin lies off the lane's end: the gate stays locked until it is taken.
    const std::string lane = "name E2E Flag\nstart 0 0.5 4\ntile 0 -0.5 -2 3 1 16 0.45 0.6 0.45 tex:stone\n"
                             "checkpoint 0 0 -1\nend_tile 0 -0.1 -8 2 0.2 2\ncoin 6 0.6 -8\n";  // flush with the lane
    writeLevels(game, lane, lane, lane);
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
    startPlaying(game);
    game.key("w", 2.2);
    ASSERT_TRUE(game.waitForText("Gate locked: 1 coins left", 20.0)) << game.consoleText();
    game.screenshot("locked-gate");
    game.key("w", 2.0);  // over the far edge
    ASSERT_TRUE(game.waitForText("Fell off!", 20.0)) << game.consoleText();
    game.screenshot("fall");
    ASSERT_TRUE(game.waitForText("Respawned.", 20.0)) << game.consoleText();
    EXPECT_EQ(countOf(game.consoleText(), "Checkpoint!"), 1);
    sleepSeconds(0.5);
    game.screenshot("back-at-the-flag");
    quitFromPlay(game);
    EXPECT_EQ(game.waitForExit(), 0);
}
