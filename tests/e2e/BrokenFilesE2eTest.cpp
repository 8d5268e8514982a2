// The real game with missing and broken files beside it: each case breaks
// something in the scratch folder, and the game must still start, say what is
// wrong, start a level on Enter, let it be played and exit with code 0 on Escape.
#include "E2eLevels.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct BrokenCase {
    const char* name;
    std::function<void(const GameRun&)> breakFiles;  // runs before the game starts
    std::vector<std::string> atStartup;               // console text expected before Enter
    std::vector<std::string> inPlay;                  // console text expected once a level runs
    bool readOnly = false;  // the working folder read-only; Settings, then Apply, before playing
};

std::string cannotOpenLevel(int slot) {
    return "[LevelHandler] Cannot open 'levels/level" + std::to_string(slot) + ".plvl' \xE2\x80\x93 loading makeLevel1()\n";
}

std::function<void(const GameRun&)> writing(const std::string& file, const std::string& text) {
    return [=](const GameRun& game) { game.writeFile(file, text); };
}

std::function<void(const GameRun&)> removing(const std::string& file) {
    return [=](const GameRun& game) { fs::remove_all(game.dir() / file); };
}

std::function<void(const GameRun&)> folderInsteadOf(const std::string& file) {
    return [=](const GameRun& game) { fs::remove(game.dir() / file), fs::create_directory(game.dir() / file); };
}

std::string garbageConfig() {
    std::mt19937 random(9);
    std::string text;
    for (int i = 0; i < 2000; ++i) text += static_cast<char>(random() & 0xFF);
    text += std::string("\nkeyJump = SP\0ACE\n\0\0=\0\n", 23);
    text += "fpsCap = 99999999999999999999\nscreenHeight = -99999999999999999999\n";
    return text + "screenWidth = 640\nscreenHeight = 360\n";  // the last value of a key wins
}

// The working folder made read-only with a bind mount, undone before the scratch
// folder goes. Without mount rights the nearest thing: log.txt and config.ini's
// temporary file cannot be created.
struct ReadOnlyFolder {
    fs::path path;
    bool mounted = false;
    explicit ReadOnlyFolder(const fs::path& folder) : path(folder) {
        mounted = mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (mounted && mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            mounted = umount(folder.c_str()) != 0;
        }
        if (!mounted) fs::create_directory(folder / "log.txt"), fs::create_directory(folder / "config.ini.tmp");
    }
    ~ReadOnlyFolder() {
        if (mounted) umount2(path.c_str(), MNT_DETACH);
    }
};

const std::string kPlains = kBanner + "The Plains  coins=";
const std::string kDefaults = "[Config] config.ini not found, using defaults.\n";

const std::vector<BrokenCase> kCases = {
    {"NoShadersFolder", removing("shaders"),
     {"[Shader] CANNOT OPEN: shaders/ui.vert\n[Shader] CWD: \"", "[Shader] SKIPPED link (compile failed): shaders/ui.vert\n",
      "[BallRenderer] phong shader failed\n", "[LensFlare] Shader load failed\n"}, {}},
    {"EmptyShaderFile", writing("shaders/phong.frag", ""),
     {"[Shader] Loaded shaders/phong.frag (0 bytes)\n", "[Shader] SKIPPED link (compile failed): shaders/phong.vert\n",
      "[BallRenderer] phong shader failed\n"}, {}},
    {"GlslError", writing("shaders/ground.frag", "#version 330 core\nvoid main() { nonsense }\n"),
     {"[Shader] COMPILE ERROR [shaders/ground.frag]:\n", "[Shader] LINK ERROR [shaders/ground.vert+shaders/ground.frag]:\n"},
     {}},
    {"NoLevelsFolder", removing("levels"), {cannotOpenLevel(1), cannotOpenLevel(2), cannotOpenLevel(3)}, {kPlains}},
    {"LevelFileIsAFolder", folderInsteadOf("levels/level1.plvl"), {cannotOpenLevel(1)}, {kPlains}},
    // As root every file can be read, so "unreadable" means a config.ini that is
    // no file: a folder reads nothing, a FIFO would block forever.
    {"ConfigIsAFolder", folderInsteadOf("config.ini"), {kDefaults}, {}},
    {"ConfigIsAFifo", [](const GameRun& game) {
         fs::remove(game.dir() / "config.ini");
         EXPECT_EQ(mkfifo((game.dir() / "config.ini").c_str(), 0644), 0);
     },
     {kDefaults}, {}},
    {"ConfigFullOfGarbage", writing("config.ini", garbageConfig()),
     {"[Config] fpsCap: '99999999999999999999' is not a whole number, keeping 60\n", "[Config] Loaded config.ini  640x360\n"},
     {}},
    {"ConfigWithAnImpossibleWindow", writing("config.ini", "screenWidth = 0\nscreenHeight = 100000\n"),
     {"[Config] Loaded config.ini  0x100000\n", "[Config] A 0x100000 window cannot be opened; using 1280x720.\n"}, {}},
    {"MissingObj", removing("models/island.obj"), {},
     {"[ModelLoader] Cannot open OBJ: models/island.obj\n",
      "[SceneObject] OBJ not found, using procedural fallback: models/island.obj\n"}},
    {"MissingMtl", removing("models/island.mtl"), {},
     {"[ModelLoader] Cannot open MTL: models/island.mtl\n", "[ModelLoader] Loaded OBJ: models/island.obj"}},
    {"MissingPng", removing("models/grass.png"), {}, {"[ModelLoader] Cannot load texture: models/grass.png\n"}},
    {"TruncatedPng", [](const GameRun& game) {
         const fs::path png = game.dir() / "models/rock.png";
         fs::resize_file(png, fs::file_size(png) / 2);
     },
     {}, {"[ModelLoader] Cannot load texture: models/rock.png\n", "[ModelLoader] Loaded texture: models/grass.png"}},
    {"UnwritableWorkingFolder", nullptr, {"[Log] Cannot open log.txt for writing; logging to the console only.\n"},
     {"[Config] Cannot write config.ini; the new settings last only until the game closes.\n"}, true},
};

void PrintTo(const BrokenCase& broken, std::ostream* out) { *out << broken.name; }

class BrokenFilesE2e : public testing::TestWithParam<BrokenCase> {};

}  // namespace

TEST_P(BrokenFilesE2e, StartsSaysWhatIsWrongPlaysAndExitsCleanly) {
    const BrokenCase& broken = GetParam();
    GameRun game;
    // The settings' buttons lie below a 360-pixel window: Apply is clicked at 800 x 600.
    game.writeFile("config.ini", broken.readOnly ? "screenWidth = 800\nscreenHeight = 600\n"
                                                 : "screenWidth = 640\nscreenHeight = 360\n");
    if (broken.breakFiles) broken.breakFiles(game);
    std::optional<ReadOnlyFolder> readOnly;
    if (broken.readOnly) readOnly.emplace(game.dir());
    const std::string configBefore = fs::is_regular_file(game.dir() / "config.ini") ? readFile(game.dir() / "config.ini") : "";

    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    for (const std::string& text : broken.atStartup) {
        EXPECT_TRUE(contains(game.consoleText(), text)) << text << "\nin:\n" << game.consoleText();
    }
    if (broken.readOnly) {  // Apply without changing anything
        clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).settings);
        sleepSeconds(0.5);
        clickCentre(game, buildSettingsLayout(800.0f, 600.0f).apply);
        sleepSeconds(0.5);
    }
    game.key("Return");
    ASSERT_TRUE(game.waitForText(kBanner, 20.0)) << game.consoleText();
    game.key("w", 1.0);
    game.key("space");
    game.key("F8");  // the debug camera on and off again
    game.key("F8");
    for (const std::string& text : broken.inPlay) {
        EXPECT_TRUE(game.waitForText(text, 20.0)) << text << "\nin:\n" << game.consoleText();
    }
    game.screenshot(std::string("broken-") + broken.name);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
    EXPECT_TRUE(configBefore.empty() || readFile(game.dir() / "config.ini") == configBefore) << "config.ini lost";
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenFilesE2e, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });
