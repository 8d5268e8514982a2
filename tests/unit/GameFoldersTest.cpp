// Where the game looks for its data and keeps config.ini and log.txt: the
// working folder when it holds the data, else the installed data and the
// player's XDG folders.
#include "app/GameFolders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>

namespace {

FolderFacts facts(const std::string& executable, const std::string& xdgConfig = "", const std::string& xdgState = "",
                  const std::string& home = "/home/ann") {
    return {"/home/ann/games", executable, home, xdgConfig, xdgState};
}

std::vector<std::string> candidates(const FolderFacts& f) {
    return dataFolderCandidates(f, "../share/pembrix", "/usr/local/share/pembrix");
}

}  // namespace

TEST(GameFolders, CandidatesAreTheWorkingFolderBesideTheBinaryAndThePrefixEachOnce) {
    using List = std::vector<std::string>;
    EXPECT_EQ(candidates(facts("/opt/pb/bin/pembrix")),
              (List{"/home/ann/games", "/opt/pb/share/pembrix", "/usr/local/share/pembrix"}));
    EXPECT_EQ(candidates(facts("/usr/local/bin/pembrix")), (List{"/home/ann/games", "/usr/local/share/pembrix"}));
    EXPECT_EQ(candidates(facts("")), (List{"/home/ann/games", "/usr/local/share/pembrix"}));
    FolderFacts lost = facts("/opt/pb/bin/pembrix");
    lost.workingFolder = "";  // getcwd failed: the folder was removed under the game
    EXPECT_EQ(candidates(lost), (List{"/opt/pb/share/pembrix", "/usr/local/share/pembrix"}));
}

TEST(GameFolders, XdgFoldersTakeOnlyAbsoluteValuesElseTheHomeDefault) {
    EXPECT_EQ(xdgBaseFolder("/xdg/config", "/home/ann", ".config"), "/xdg/config");
    EXPECT_EQ(xdgBaseFolder("", "/home/ann", ".config"), "/home/ann/.config");
    EXPECT_EQ(xdgBaseFolder("xdg/state", "/home/ann", ".local/state"), "/home/ann/.local/state");
    EXPECT_EQ(xdgBaseFolder("", "home/ann", ".config"), "");
    EXPECT_EQ(xdgBaseFolder("", "", ".config"), "");
}

TEST(GameFolders, TheFirstFolderHoldingDataWinsAndDecidesWhereFilesAreWritten) {
    struct Case {
        const char* name;
        FolderFacts facts;
        std::set<std::string> withData;
        const char *data, *config, *log;
    };
    const Case cases[] = {
        {"from the repository", facts("/home/ann/games/build/pembrix"),
         {"/home/ann/games", "/usr/local/share/pembrix"}, "/home/ann/games", "config.ini", "log.txt"},
        {"installed, XDG unset", facts("/opt/pb/bin/pembrix"), {"/opt/pb/share/pembrix", "/usr/local/share/pembrix"},
         "/opt/pb/share/pembrix", "/home/ann/.config/pembrix/config.ini", "/home/ann/.local/state/pembrix/log.txt"},
        {"installed, XDG set", facts("/opt/pb/bin/pembrix", "/x/conf", "/x/state"), {"/usr/local/share/pembrix"},
         "/usr/local/share/pembrix", "/x/conf/pembrix/config.ini", "/x/state/pembrix/log.txt"},
        {"no data anywhere", facts("/opt/pb/bin/pembrix", "", "/x/state"), {}, "",
         "/home/ann/.config/pembrix/config.ini", "/x/state/pembrix/log.txt"},
        {"no home", facts("/opt/pb/bin/pembrix", "", "", ""), {"/opt/pb/share/pembrix"}, "/opt/pb/share/pembrix",
         "/home/ann/games/config.ini", "/home/ann/games/log.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> tried = candidates(c.facts);
        const GameFolders folders =
            resolveGameFolders(c.facts, tried, [&](const std::string& folder) { return c.withData.count(folder) > 0; });
        EXPECT_EQ(folders.tried, tried);
        EXPECT_EQ(folders.dataFolder, c.data);
        EXPECT_EQ(folders.dataInWorkingFolder, folders.dataFolder == c.facts.workingFolder);
        EXPECT_EQ(folders.configPath, c.config);
        EXPECT_EQ(folders.logPath, c.log);
    }
}

TEST(GameFolders, MakeFolderForCreatesPrivateFoldersOnceAndFailsUnderAFile) {
    TempDir scratch;
    const std::string file = (scratch / "state/pembrix/log.txt").string();
    ASSERT_TRUE(makeFolderFor(file));
    EXPECT_TRUE(makeFolderFor(file));
    for (const char* folder : {"state", "state/pembrix"}) {
        struct stat info{};
        ASSERT_EQ(stat((scratch / folder).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
    EXPECT_TRUE(makeFolderFor("config.ini"));  // a file in the working folder needs no folder
    scratch.write("blocked", "a file, not a folder");
    EXPECT_FALSE(makeFolderFor((scratch / "blocked/pembrix/config.ini").string()));
}
