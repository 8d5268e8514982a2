// config.ini: the line grammar, the key names, the file and its safe save.
#include "config/Config.h"
#include "config/KeyNames.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(KeyNames, NamesRoundTripAndMatchOnlyInUpperCaseAfterTrimming) {
    for (const KeyName& entry : keyNameTable) {
        EXPECT_EQ(std::make_pair(keyFromName(entry.name), nameOfKey(entry.code)), std::make_pair(entry.code, std::string(entry.name)));
    }
    EXPECT_EQ(std::make_tuple(keyFromName("space"), keyFromName(" \tSPACE\r\n"), keyFromName("?")), std::make_tuple(-1, 32, -1));
    EXPECT_EQ(std::make_pair(nameOfKey(-1), nameOfKey(61)), std::make_pair(std::string("?"), std::string("?")));
    EXPECT_EQ(std::make_pair(trim(" \t\r\na b\t\r\n"), trim("\va\v")), std::make_pair(std::string("a b"), std::string("\va\v")));
}

TEST(ConfigText, SectionsDoNotScopeKeysLastLineWinsAndBadNumbersKeepTheOldValue) {
    // Every other key keeps its default: 1280 x 720 at 60 fps, jump on SPACE (32), windowed, not inverted.
    struct Case { const char* text; int width, height, fpsCap, jump; bool fullscreen, invertY; const char* warning; };
    const Case cases[] = {
        {"[Bindings]\nscreenWidth = 800\n[X]\nfpsCap = 30\nfpsCap = 144\n", 800, 720, 144, 32, false, false, ""},
        {"fullscreen = on\r\nkeyJump = J\r\n", 1280, 720, 60, 74, true, false, ""},
        {"#screenWidth = 1\nscreenWidth 3\n[screenWidth = 4]\n", 1280, 720, 60, 32, false, false, ""},
        {"keyJump = space\ninvertY = 1\ninvertY = TRUE\nfullscreen = true", 1280, 720, 60, -1, true, false, ""},
        {"fpsCap = 60fps\nscreenWidth = +1024\nscreenHeight=-5", 1024, -5, 60, 32, false, false, ""},
        {"screenWidth = 1024\nscreenWidth = wide\n", 1024, 720, 60, 32, false, false,
         "[Config] screenWidth: 'wide' is not a whole number, keeping 1024\n"},
        {"screenHeight = 99999999999\nfpsCap =\n", 1280, 720, 60, 32, false, false,
         "[Config] screenHeight: '99999999999' is not a whole number, keeping 720\n"
         "[Config] fpsCap: '' is not a whole number, keeping 60\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ConsoleCapture console;
        Config got;
        std::istringstream input(c.text);
        parseConfig(got, input);
        EXPECT_EQ(std::tie(got.screenWidth, got.screenHeight, got.fpsCap, got.keyJump, got.fullscreen, got.invertY),
                  std::tie(c.width, c.height, c.fpsCap, c.jump, c.fullscreen, c.invertY));
        EXPECT_EQ(console.stderrText(), c.warning);
    }
}

// The fixed layout is checked byte for byte by the corpus file saved-defaults.ini.
TEST(ConfigFile, SavesAndLoadsItBack) {
    const Config saved = {1920, 1080, true, 0, true, 265, 264, 263, 262, -1, 258, 48, 290, 301, 345, 342, 346, 259};
    TempDir dir;
    const std::string path = (dir / "config.ini").string();
    ASSERT_TRUE(saveConfig(saved, path));
    ConsoleCapture console;
    Config loaded;
    ASSERT_TRUE(loadConfig(loaded, path));
    EXPECT_EQ(formatConfig(loaded), formatConfig(saved));
    EXPECT_FALSE(loadConfig(loaded, path + ".none"));
    EXPECT_EQ(formatConfig(loaded), formatConfig(saved));
    EXPECT_EQ(console.stdoutText(), "[Config] Loaded " + path + "  1920x1080 FS\n[Config] " + path +
                                        ".none not found, using defaults.\n");
}

// The save goes through a temporary file: a failure must leave the old file as it was.
TEST(ConfigFile, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const std::string path = dir.write("config.ini", "screenWidth = 800\n").string();
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(saveConfig(Config{}, path));
    EXPECT_EQ(readFile(path), "screenWidth = 800\n");
    dir.write("folder.ini/keep", "x");  // the rename over a folder fails
    EXPECT_FALSE(saveConfig(Config{}, (dir / "folder.ini").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "folder.ini.tmp"));
    EXPECT_FALSE(saveConfig(Config{}, (dir / "no/such/config.ini").string()));
}
