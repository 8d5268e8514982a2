// The real game started and closed as a player would.
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
}  // namespace

TEST(ShellE2e, OpensA1280x720WindowAndEscapeClosesWithCodeZero) {
    GameRun game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(game.xdotool("getwindowname " + id), "Pembrix Adventure\n");
    EXPECT_TRUE(contains(game.xdotool("getwindowgeometry " + id), "Geometry: 1280x720"));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_TRUE(contains(game.logText(), "Core Profile")) << game.logText();
    EXPECT_EQ(game.logText(), game.consoleText());
}

TEST(ShellE2e, WithoutConfigIniUsesDefaultsAndCreatesNoFile) {
    GameRun game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup());
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_TRUE(contains(game.logText(), "[Config] config.ini not found, using defaults.\n"));
    EXPECT_FALSE(std::filesystem::exists(game.dir() / "config.ini"));
}

TEST(ShellE2e, FullscreenOnlyConfigIsLoadedWithDefaultSize) {
    GameRun game;
    game.writeFile("config.ini", "fullscreen = on\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    EXPECT_TRUE(contains(game.logText(), "[Config] Loaded config.ini  1280x720 FS\n"));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(ShellE2e, LogStartsEmptyAtEveryRun) {
    GameRun game;
    game.writeFile("log.txt", "a line from an earlier run\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup());
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_FALSE(contains(game.logText(), "earlier run"));
    EXPECT_EQ(game.logText(), game.consoleText());
}

TEST(ShellE2e, UnwritableLogStillStartsWithTheConsoleIntact) {
    GameRun game;
    std::filesystem::create_directory(game.dir() / "log.txt");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    const std::string console = game.consoleText();
    EXPECT_TRUE(contains(console, "[Log] Cannot open log.txt")) << console;
    EXPECT_TRUE(contains(console, "[Config] config.ini not found, using defaults.\n")) << console;
    EXPECT_TRUE(contains(console, "OpenGL ")) << console;
}
