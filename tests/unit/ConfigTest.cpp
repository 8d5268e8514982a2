// config.ini: the line grammar, the key names, the file and its safe save.
#include "config/Config.h"
#include "config/KeyNames.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

TEST(KeyNames, SixtyThreeNamesRoundTripAndMatchOnlyInUpperCaseAfterTrimming) {
    std::set<int> codes;
    for (const KeyName& entry : keyNameTable) {
        EXPECT_EQ(std::make_pair(keyFromName(entry.name), nameOfKey(entry.code)), std::make_pair(entry.code, std::string(entry.name)));
        codes.insert(entry.code);
    }
    EXPECT_EQ(codes.size(), 63u);
    EXPECT_EQ(std::make_tuple(keyFromName("space"), keyFromName(" \tSPACE\r\n"), keyFromName("?")), std::make_tuple(-1, 32, -1));
    EXPECT_EQ(std::make_pair(nameOfKey(-1), nameOfKey(61)), std::make_pair(std::string("?"), std::string("?")));
    EXPECT_EQ(std::make_pair(trim(" \t\r\na b\t\r\n"), trim("\va\v")), std::make_pair(std::string("a b"), std::string("\va\v")));
}

TEST(ConfigText, SectionsDoNotScopeKeysLastLineWinsAndBadNumbersKeepTheOldValue) {
    const struct { const char* text; void (*edit)(Config&); const char* warning; } cases[] = {
        {"[Bindings]\nscreenWidth = 800\n[X]\nfpsCap = 30\nfpsCap = 144\n", [](Config& c) { c.screenWidth = 800, c.fpsCap = 144; }, ""},
        {"fullscreen = on\r\nkeyJump = J\r\n", [](Config& c) { c.fullscreen = true, c.keyJump = 74; }, ""},
        {"#screenWidth = 1\nscreenWidth 3\n[screenWidth = 4]\n", [](Config&) {}, ""},
        {"keyJump = space\ninvertY = 1\ninvertY = TRUE\nfullscreen = true", [](Config& c) { c.keyJump = -1, c.fullscreen = true; }, ""},
        {"fpsCap = 60fps\nscreenWidth = +1024\nscreenHeight=-5", [](Config& c) { c.screenWidth = 1024, c.screenHeight = -5; }, ""},
        {"screenWidth = 1024\nscreenWidth = wide\n", [](Config& c) { c.screenWidth = 1024; },
         "[Config] screenWidth: 'wide' is not a whole number, keeping 1024\n"},
        {"screenHeight = 99999999999\nfpsCap =\n", [](Config&) {},
         "[Config] screenHeight: '99999999999' is not a whole number, keeping 720\n"
         "[Config] fpsCap: '' is not a whole number, keeping 60\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ConsoleCapture console;
        Config parsed, expected;
        std::istringstream input(c.text);
        parseConfig(parsed, input);
        c.edit(expected);
        EXPECT_EQ(formatConfig(parsed), formatConfig(expected));
        EXPECT_EQ(console.stderrText(), c.warning);
    }
}

TEST(ConfigFile, SavesTheFixedLayoutAndLoadsItBack) {
    Config saved;
    EXPECT_EQ(formatConfig(saved),
              "[Display]\nscreenWidth       = 1280\nscreenHeight      = 720\nfullscreen        = false\n"
              "fpsCap            = 60\ninvertY           = false\n[Bindings]\nkeyMoveForward    = W\n"
              "keyMoveBack       = S\nkeyMoveLeft       = A\nkeyMoveRight      = D\nkeyJump           = SPACE\n"
              "keyPause          = ESC\nkeyDebugCam       = F8\nkeyNormalMap      = N\nkeyCamUp          = Q\n"
              "keyCamDown        = E\nkeyShowFPS        = F9\nkeyWireframe      = F10\nkeyBackCulling    = F11\n");
    saved = {1920, 1080, true, 0, true, 265, 264, 263, 262, -1, 258, 48, 290, 301, 345, 342, 346, 259};
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
