// The real game started and closed as a player would: an Escape tap, the log, Apply in the settings.
#include "E2eLevels.h"

#include "config/Config.h"

#include <gtest/gtest.h>

#include <csignal>

TEST(ShellE2e, ATwelveMillisecondTapOfEscapeQuitsTheMainMenuWithCodeZeroAndTheLogHoldsTheConsole) {
    // A tap shorter than a frame reaches the game as a press and a release in
    // the same poll, and the press must still count. Stopped, the game cannot
    // poll between them, whatever its frame time.
    GameRun game;
    game.writeFile("log.txt", "a line from an earlier run\n");
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
    game.movePointer(5, 5);
    kill(game.processId(), SIGSTOP);
    game.xdotool("key Escape");  // the press, 12 ms at most, the release
    kill(game.processId(), SIGCONT);
    EXPECT_EQ(game.waitForExit(10.0), 0) << game.consoleText();
    EXPECT_TRUE(contains(game.logText(), "Core Profile")) << game.logText();
    EXPECT_EQ(game.logText(), game.consoleText()) << "the earlier run's line is kept, or the log lost a line";
}

TEST(ShellE2e, ApplyInTheSettingsSavesTheNextResolutionAndResizesTheWindow) {
    // The settings panel needs more than 360 pixels of height.
    GameRun game;
    game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\nfpsCap = 100\n");
    ASSERT_TRUE(game.start(1600, 1000) && game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    const auto hasSize = [&](const std::string& geometry) {
        return game.waitFor([&] { return contains(game.xdotool("getwindowgeometry " + id), geometry); }, 10.0);
    };
    ASSERT_TRUE(hasSize("Geometry: 800x600"));
    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).settings);
    sleepSeconds(0.5);
    clickCentre(game, settingsIncrement(800.0f, 600.0f, SettingRow::Resolution));
    sleepSeconds(0.5);
    game.screenshot("settings");
    clickCentre(game, settingsRow(800.0f, 600.0f, SettingRow::ApplyButton));
    EXPECT_TRUE(hasSize("Geometry: 1280x720")) << game.xdotool("getwindowgeometry " + id);
    Config saved;
    saved.screenWidth = saved.screenHeight = 0;
    ASSERT_TRUE(loadConfig(saved, (game.dir() / "config.ini").string()));
    EXPECT_TRUE(saved.screenWidth == 1280 && saved.screenHeight == 720 && saved.fpsCap == 100);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
