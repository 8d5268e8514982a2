// The real game started and closed as a player would, and the process it runs as.
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string readProcFile(pid_t pid, const std::string& name) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool hugePagesOffOnThisMachine() {
    std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(file, modes);
    return modes.empty() || contains(modes, "[never]");
}

}  // namespace

TEST(ShellE2e, WithoutConfigIniOpensA1280x720WindowLogsAfreshAndEscapeClosesWithCodeZero) {
    GameRun game;
    game.writeFile("log.txt", "a line from an earlier run\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(game.xdotool("getwindowname " + id), "Pembrix Adventure\n");
    EXPECT_TRUE(contains(game.xdotool("getwindowgeometry " + id), "Geometry: 1280x720"));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    EXPECT_TRUE(contains(game.logText(), "[Config] config.ini not found, using defaults.\n")) << game.logText();
    EXPECT_TRUE(contains(game.logText(), "Core Profile")) << game.logText();
    EXPECT_EQ(game.logText(), game.consoleText()) << "the earlier run's line is kept, or the tee lost a line";
    EXPECT_FALSE(std::filesystem::exists(game.dir() / "config.ini"));
}

TEST(ShellE2e, RunsOnHugePagesUnderItsOwnNameAndKeepsATunableTheUserSet) {
    struct Case { const char* userTunables; const char* expected; };
    for (const Case& c : {Case{nullptr, "GLIBC_TUNABLES=glibc.malloc.hugetlb=1"},
                          Case{"glibc.malloc.hugetlb=0", "GLIBC_TUNABLES=glibc.malloc.hugetlb=0"}}) {
        SCOPED_TRACE(c.userTunables ? c.userTunables : "unset");
        if (c.userTunables) setenv("GLIBC_TUNABLES", c.userTunables, 1);  // the game inherits it
        GameRun game;
        game.writeFile("config.ini", "fullscreen = on\n");  // fullscreen alone keeps the default size
        const bool started = game.start();
        unsetenv("GLIBC_TUNABLES");
        ASSERT_TRUE(started);
        ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
        EXPECT_EQ(countOf(game.consoleText(), "[Config] Loaded config.ini  1280x720 FS\n"), 1) << game.consoleText();
        EXPECT_EQ(readProcFile(game.processId(), "comm"), "pembrix\n");
        const std::string environment = readProcFile(game.processId(), "environ");
        EXPECT_EQ(environment.find("GLIBC_TUNABLES="), environment.rfind("GLIBC_TUNABLES=")) << "set twice";
        EXPECT_TRUE(contains(environment, std::string(c.expected) + '\0'));
        if (!c.userTunables && !hugePagesOffOnThisMachine()) {
            // The driver's window buffers and shadow map, at least, are on huge pages.
            const std::string rollup = readProcFile(game.processId(), "smaps_rollup");
            const std::size_t at = rollup.find("AnonHugePages:");
            ASSERT_NE(at, std::string::npos) << rollup;
            EXPECT_GT(std::stol(rollup.substr(at + 14)), 32 * 1024) << rollup;
        }
        game.key("Escape");
        EXPECT_EQ(game.waitForExit(), 0);
    }
}
