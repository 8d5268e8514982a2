// What only the real binary shows: with files missing or broken beside it the
// game still starts, says what is wrong, starts a level on Enter, lets it be
// played and exits with code 0 on Escape.
#include "E2eLevels.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <functional>
#include <optional>

namespace fs = std::filesystem;

namespace {

// The working folder made read-only with a bind mount, undone before the
// scratch folder goes. Without the right to mount, the nearest thing: a
// folder where log.txt would be written.
struct ReadOnlyFolder {
    fs::path path;
    bool mounted = false;
    explicit ReadOnlyFolder(const fs::path& folder) : path(folder) {
        mounted = mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (mounted && mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            mounted = umount(folder.c_str()) != 0;
        }
        if (!mounted) fs::create_directory(folder / "log.txt");
    }
    ~ReadOnlyFolder() {
        if (mounted) umount2(path.c_str(), MNT_DETACH);
    }
};

struct BrokenCase {
    const char* name;
    std::function<void(const GameRun&)> breakFiles;  // runs before the game starts
    std::string said;                                // on the console once a level runs
};

const BrokenCase kCases[] = {
    {"NoShadersFolder", [](const GameRun& game) { fs::remove_all(game.dir() / "shaders"); },
     "[Shader] CANNOT OPEN: shaders/phong.vert"},
    {"NoLevelsFolder", [](const GameRun& game) { fs::remove_all(game.dir() / "levels"); },
     "[LevelHandler] Cannot open 'levels/level1.plvl'"},
    // As root every file can be read, so an unreadable config.ini is one that
    // is no file; a FIFO would block a reader forever.
    {"ConfigIsAFifo",
     [](const GameRun& game) {
         fs::remove(game.dir() / "config.ini");
         EXPECT_EQ(mkfifo((game.dir() / "config.ini").c_str(), 0644), 0);
     },
     "[Config] config.ini not found, using defaults."},
    {"UnwritableWorkingFolder", nullptr, "[Log] Cannot open log.txt for writing"},
};

void PrintTo(const BrokenCase& broken, std::ostream* out) { *out << broken.name; }

class BrokenFilesE2e : public testing::TestWithParam<BrokenCase> {};

}  // namespace

TEST_P(BrokenFilesE2e, StartsSaysWhatIsWrongPlaysAndExitsCleanly) {
    const BrokenCase& broken = GetParam();
    GameRun game;
    game.writeFile("config.ini", "screenWidth = 640\nscreenHeight = 360\n");
    if (broken.breakFiles) broken.breakFiles(game);
    std::optional<ReadOnlyFolder> readOnly;
    if (!broken.breakFiles) readOnly.emplace(game.dir());
    ASSERT_TRUE(game.start(1280, 720) && game.waitForStartup()) << game.consoleText();
    startPlaying(game);
    ASSERT_TRUE(game.waitForText(kBanner, 20.0)) << game.consoleText();
    game.key("w", 1.0);
    game.key("space");
    EXPECT_TRUE(contains(game.consoleText(), broken.said)) << game.consoleText();
    game.screenshot(std::string("broken-") + broken.name);
    quitFromPlay(game);
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenFilesE2e, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });
