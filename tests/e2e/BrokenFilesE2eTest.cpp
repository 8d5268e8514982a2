// The real game with missing and broken files beside it: each case breaks
// something in the scratch folder, and the game must still start, say what is
// wrong, start a level on Enter, let it be played and exit with code 0 on Escape.
#include "E2eLevels.h"

#include "ui/MenuLayout.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <random>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct BrokenCase {
    const char* name;
    std::function<void(const GameRun&)> breakFiles;  // runs before the game starts
    std::vector<std::string> atStartup;               // console text expected before Enter
    std::vector<std::string> inPlay;                  // console text expected once a level runs
    bool applySettings = false;                       // click Settings, then Apply, before playing
};

const std::string kEnDash = "\xE2\x80\x93";

std::string cannotOpenLevel(int slot) {
    return "[LevelHandler] Cannot open 'levels/level" + std::to_string(slot) + ".plvl' " + kEnDash +
           " loading makeLevel1()\n";
}

void truncateFile(const fs::path& path) { fs::resize_file(path, fs::file_size(path) / 2); }

std::string garbageConfig() {
    std::mt19937 random(9);
    std::string text;
    for (int i = 0; i < 2000; ++i) text += static_cast<char>(random() & 0xFF);
    text += std::string("\nkeyJump = SP\0ACE\n\0\0=\0\n", 23);
    text += "fpsCap = 99999999999999999999\nscreenHeight = -99999999999999999999\n";
    return text + "screenWidth = 640\nscreenHeight = 360\n";  // the last value of a key wins
}

// The working folder itself made read-only with a bind mount, undone before
// the scratch folder is removed. Without mount rights the nearest thing is
// used: log.txt and config.ini's temporary file cannot be created.
struct ReadOnlyFolder {
    fs::path path;
    bool mounted = false;
    explicit ReadOnlyFolder(const fs::path& folder) : path(folder) {
        mounted = mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (mounted && mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            umount(folder.c_str());
            mounted = false;
        }
        if (!mounted) {
            fs::create_directory(folder / "log.txt");
            fs::create_directory(folder / "config.ini.tmp");
        }
    }
    ~ReadOnlyFolder() {
        if (mounted) umount2(path.c_str(), MNT_DETACH);
    }
};

const std::vector<BrokenCase>& brokenCases() {
    static const std::vector<BrokenCase> cases = {
        {"NoShadersFolder", [](const GameRun& g) { fs::remove_all(g.dir() / "shaders"); },
         {"[Shader] CANNOT OPEN: shaders/ui.vert\n[Shader] CWD: \"", "[Shader] SKIPPED link (compile failed): shaders/ui.vert\n",
          "[BallRenderer] phong shader failed\n", "[LensFlare] Shader load failed\n"},
         {}},
        {"EmptyShaderFile", [](const GameRun& g) { g.writeFile("shaders/phong.frag", ""); },
         {"[Shader] Loaded shaders/phong.frag (0 bytes)\n",
          "[Shader] SKIPPED link (compile failed): shaders/phong.vert\n", "[BallRenderer] phong shader failed\n"},
         {}},
        {"GlslError", [](const GameRun& g) { g.writeFile("shaders/ground.frag", "#version 330 core\nvoid main() { nonsense }\n"); },
         {"[Shader] COMPILE ERROR [shaders/ground.frag]:\n", "[Shader] LINK ERROR [shaders/ground.vert+shaders/ground.frag]:\n"},
         {}},
        {"NoLevelsFolder", [](const GameRun& g) { fs::remove_all(g.dir() / "levels"); },
         {cannotOpenLevel(1), cannotOpenLevel(2), cannotOpenLevel(3)},
         {kBanner + "The Plains  coins="}},
        {"LevelFileIsAFolder",
         [](const GameRun& g) {
             fs::remove(g.dir() / "levels/level1.plvl");
             fs::create_directory(g.dir() / "levels/level1.plvl");
         },
         {cannotOpenLevel(1)},
         {kBanner + "The Plains  coins="}},
        // As root every file can be read, so "unreadable" means a config.ini
        // that is no file: a folder reads nothing, a FIFO would block forever.
        {"ConfigIsAFolder", [](const GameRun& g) {
             fs::remove(g.dir() / "config.ini");
             fs::create_directory(g.dir() / "config.ini");
         },
         {"[Config] config.ini not found, using defaults.\n"},
         {}},
        {"ConfigIsAFifo", [](const GameRun& g) {
             fs::remove(g.dir() / "config.ini");
             ASSERT_EQ(mkfifo((g.dir() / "config.ini").c_str(), 0644), 0);
         },
         {"[Config] config.ini not found, using defaults.\n"},
         {}},
        {"ConfigFullOfGarbage", [](const GameRun& g) { g.writeFile("config.ini", garbageConfig()); },
         {"[Config] fpsCap: '99999999999999999999' is not a whole number, keeping 60\n",
          "[Config] Loaded config.ini  640x360\n"},
         {}},
        {"ConfigWithAnImpossibleWindow", [](const GameRun& g) { g.writeFile("config.ini", "screenWidth = 0\nscreenHeight = 100000\n"); },
         {"[Config] Loaded config.ini  0x100000\n", "[Config] A 0x100000 window cannot be opened; using 1280x720.\n"},
         {}},
        {"MissingObj", [](const GameRun& g) { fs::remove(g.dir() / "models/island.obj"); },
         {},
         {"[ModelLoader] Cannot open OBJ: models/island.obj\n",
          "[SceneObject] OBJ not found, using procedural fallback: models/island.obj\n"}},
        {"MissingMtl", [](const GameRun& g) { fs::remove(g.dir() / "models/island.mtl"); },
         {},
         {"[ModelLoader] Cannot open MTL: models/island.mtl\n", "[ModelLoader] Loaded OBJ: models/island.obj"}},
        {"MissingPng", [](const GameRun& g) { fs::remove(g.dir() / "models/grass.png"); },
         {},
         {"[ModelLoader] Cannot load texture: models/grass.png\n"}},
        {"TruncatedPng", [](const GameRun& g) { truncateFile(g.dir() / "models/rock.png"); },
         {},
         {"[ModelLoader] Cannot load texture: models/rock.png\n", "[ModelLoader] Loaded texture: models/grass.png"}},
        {"UnwritableWorkingFolder", nullptr,
         {"[Log] Cannot open log.txt for writing; logging to the console only.\n"},
         {"[Config] Cannot write config.ini; the new settings last only until the game closes.\n"}, true},
    };
    return cases;
}

bool waitForConsole(const GameRun& game, const std::string& text, double timeoutSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!contains(game.consoleText(), text)) {
        if (std::chrono::steady_clock::now() > deadline || !game.running()) return contains(game.consoleText(), text);
        sleepSeconds(0.1);
    }
    return true;
}

void clickCentre(const GameRun& game, UiBox box) {
    game.click(static_cast<int>(std::lround(box.x + box.w * 0.5f)), static_cast<int>(std::lround(box.y + box.h * 0.5f)));
}

// Settings, then Apply without changing anything; at 800 x 600, the smallest
// size the settings offer, since their buttons lie below a 360-pixel window.
void applyUnchangedSettings(const GameRun& game) {
    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).settings);
    sleepSeconds(0.5);
    clickCentre(game, buildSettingsLayout(800.0f, 600.0f).apply);
    sleepSeconds(0.5);
}

void PrintTo(const BrokenCase& broken, std::ostream* out) { *out << broken.name; }

class BrokenFilesE2e : public testing::TestWithParam<BrokenCase> {};

}  // namespace

TEST_P(BrokenFilesE2e, StartsSaysWhatIsWrongPlaysAndExitsCleanly) {
    const BrokenCase& broken = GetParam();
    GameRun game;
    if (broken.applySettings) {
        game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\n");
    } else {
        writeSmallWindowConfig(game);
    }
    if (broken.breakFiles) broken.breakFiles(game);
    std::unique_ptr<ReadOnlyFolder> readOnly;
    if (broken.applySettings) readOnly = std::make_unique<ReadOnlyFolder>(game.dir());
    const std::string configBefore = fs::is_regular_file(game.dir() / "config.ini") ? readFile(game.dir() / "config.ini") : "";

    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    for (const std::string& text : broken.atStartup) {
        EXPECT_TRUE(contains(game.consoleText(), text)) << text << "\nin:\n" << game.consoleText();
    }
    if (broken.applySettings) applyUnchangedSettings(game);

    game.key("Return");
    ASSERT_TRUE(waitForConsole(game, kBanner, 20.0)) << game.consoleText();
    game.keyDown("w");
    sleepSeconds(1.0);
    game.keyUp("w");
    game.key("space");
    game.key("F8");  // the debug camera on and off again
    game.key("F8");
    for (const std::string& text : broken.inPlay) {
        EXPECT_TRUE(waitForConsole(game, text, 20.0)) << text << "\nin:\n" << game.consoleText();
    }
    game.screenshot(std::string("broken-") + broken.name);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
    if (!configBefore.empty()) {
        EXPECT_EQ(readFile(game.dir() / "config.ini"), configBefore);  // never lost
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenFilesE2e, testing::ValuesIn(brokenCases()),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });
