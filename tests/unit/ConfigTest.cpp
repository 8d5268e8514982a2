// config.ini: the line grammar, the file and its safe save, and every config
// file that once troubled the reader.
#include "config/Config.h"

#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

static Config parsed(const std::string& text) {
    Config config;
    std::istringstream input(text);
    parseConfig(config, input);
    return config;
}

TEST(ConfigText, SectionsDoNotScopeKeysLastLineWinsAndBadNumbersKeepTheOldValue) {
    // Every other key keeps its default: 1280 x 720 at 60 fps, jump on SPACE (32), windowed, not inverted.
    struct Case { const char* text; int width, height, fpsCap, jump; bool fullscreen, invertY; const char* warned; };
    for (const Case& c : {
             Case{"[Bindings]\nscreenWidth = 800\n[X]\nfpsCap = 30\nfpsCap = 144\n", 800, 720, 144, 32, 0, 0, ""},
             Case{"fullscreen = on\r\nkeyJump = J\r\n", 1280, 720, 60, 74, true, false, ""},
             Case{"#screenWidth = 1\nscreenWidth 3\n[screenWidth = 4]\n", 1280, 720, 60, 32, false, false, ""},
             Case{"keyJump = space\ninvertY = 1\ninvertY = TRUE\nfullscreen = true", 1280, 720, 60, -1, 1, 0, ""},
             Case{"fpsCap = 60fps\nscreenWidth = +1024\nscreenHeight=-5", 1024, -5, 60, 32, false, false, ""},
             Case{"screenWidth = 1024\nscreenWidth = wide\n", 1024, 720, 60, 32, false, false, "screenWidth"},
             Case{"screenHeight = 99999999999\n", 1280, 720, 60, 32, false, false, "screenHeight"},
             Case{"fpsCap =\n", 1280, 720, 60, 32, false, false, "fpsCap"}}) {
        ConsoleCapture console;
        const Config got = parsed(c.text);
        EXPECT_EQ(std::tie(got.screenWidth, got.screenHeight, got.fpsCap, got.keyJump, got.fullscreen, got.invertY),
                  std::tie(c.width, c.height, c.fpsCap, c.jump, c.fullscreen, c.invertY)) << c.text;
        const std::string warning = console.stderrText();  // names the key it could not read
        EXPECT_TRUE(warning.empty() == !*c.warned && warning.find(c.warned) != std::string::npos) << warning;
    }
}

TEST(ConfigFile, SavesAndLoadsBackAndAFailedSaveLeavesTheOldFileAndNoTemporary) {
    const Config saved = {1920, 1080, true, 0, true, 265, 264, 263, 262, -1, 258, 48, 290, 301, 345, 342, 346, 259};
    TempDir dir;
    const std::string path = (dir / "config.ini").string();
    ASSERT_TRUE(saveConfig(saved, path));
    ConsoleCapture console;
    Config loaded;
    ASSERT_TRUE(loadConfig(loaded, path));
    EXPECT_FALSE(loadConfig(loaded, path + ".none") || loadConfig(loaded, dir.path().string()));  // nor a folder
    EXPECT_EQ(formatConfig(loaded), formatConfig(saved));
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(saveConfig(Config{}, path));
    EXPECT_EQ(formatConfig(parsed(readFile(path))), formatConfig(saved));
    dir.write("folder.ini/keep", "x");  // the rename over a folder fails
    EXPECT_FALSE(saveConfig(Config{}, (dir / "folder.ini").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "folder.ini.tmp"));
    EXPECT_FALSE(saveConfig(Config{}, (dir / "no/such/config.ini").string()));
}
