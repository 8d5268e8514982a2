// The save folder: where it is, and that a file in it is replaced whole or not at all.
#include "save/SaveFolder.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"
#include "unit/SaveTestHelpers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SaveFolder, FollowsAnAbsoluteXdgDataHomeElseHome) {
    struct Case { const char *xdg, *home, *expected; };
    const Case cases[] = {{"/data", "/home/p", "/data/pembrix"}, {"", "/home/p", "/home/p/.local/share/pembrix"},
                          {"data", "/home/p", "/home/p/.local/share/pembrix"},
                          {nullptr, "/home/p", "/home/p/.local/share/pembrix"}, {"data", "", "none"}, {nullptr, "p", "none"}};
    for (const Case& c : cases) {
        const auto folder = saveFolderPath(c.xdg, c.home);
        EXPECT_EQ(folder ? folder->string() : "none", c.expected);
    }
}

TEST(SaveFolder, ReplacesWholeFilesKeepsABadOneAsideAndReadsOnlyRegularFilesThatFit) {
    TempDir dir;
    ASSERT_TRUE(ensureSaveFolder(dir / "pembrix"));
    const fs::path file = dir / "pembrix/records.ini";
    ASSERT_TRUE(replaceFile(file, "one") && replaceFile(file, "two", OldFile::KeepAsBad));
    ASSERT_TRUE(replaceFile(file, "three", OldFile::KeepAsBad));
    EXPECT_EQ(std::make_pair(readFile(file), readFile(badFilePath(file))), std::make_pair(std::string("three"), std::string("two")));
    EXPECT_EQ(namesIn(dir / "pembrix"), (std::set<std::string>{"ghosts", "records.ini", "records.ini.bad"}));
    const auto outcome = [&](const fs::path& path, size_t maxBytes) { return readSaveFile(path, maxBytes).outcome; };
    EXPECT_EQ(readSaveFile(file, 5).bytes, "three");
    EXPECT_EQ(std::make_tuple(outcome(file, 4), outcome(dir / "pembrix/ghosts", 5), outcome(dir / "none", 5)),
              std::make_tuple(ReadOutcome::Failed, ReadOutcome::Failed, ReadOutcome::Missing));
    ConsoleCapture console;
    EXPECT_FALSE(ensureSaveFolder(file));  // a file where the folder should be
    EXPECT_TRUE(isOneSaveLine(console.stderrText()));
}

// A folder in the file's place, a missing folder, a full disk, a read-only folder.
TEST(SaveFolder, AFailedWriteKeepsTheOldFileLeavesNoTemporaryAndPrintsOneLine) {
    TempDir dir;
    const fs::path file = dir.write("records.ini", "old");
    dir.write("folder.ini/inside", "x");
    const auto failsWithOneLine = [](const fs::path& path) {
        ConsoleCapture console;
        return !replaceFile(path, "new", OldFile::KeepAsBad) && isOneSaveLine(console.stderrText());
    };
    EXPECT_TRUE(failsWithOneLine(dir / "folder.ini"));
    EXPECT_TRUE(failsWithOneLine(dir / "no/records.ini"));
    // A file size limit makes write() fail part way, as a full disk does.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit tiny = oldLimit;
    tiny.rlim_cur = 2;
    setrlimit(RLIMIT_FSIZE, &tiny);
    EXPECT_TRUE(failsWithOneLine(file));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    if (geteuid() != 0) {  // root may write into any folder
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_TRUE(failsWithOneLine(file));
        fs::permissions(dir.path(), fs::perms::owner_all);
    }
    EXPECT_EQ(readFile(file), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"folder.ini", "records.ini"}));
    EXPECT_EQ(namesIn(dir / "folder.ini"), std::set<std::string>{"inside"});
}
