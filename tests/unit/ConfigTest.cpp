// config.ini reading, writing and the key-name table.
#include "config/Config.h"
#include "config/KeyNames.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {
Config parse(const std::string& text) {
    Config config;
    std::istringstream input(text);
    parseConfig(config, input);
    return config;
}
}  // namespace

TEST(KeyNames, TableHas63UniqueNamesAndCodesThatRoundTrip) {
    std::set<std::string> names;
    std::set<int> codes;
    for (const KeyName& entry : keyNameTable) {
        names.insert(entry.name);
        codes.insert(entry.code);
        EXPECT_EQ(keyFromName(entry.name), entry.code) << entry.name;
        EXPECT_EQ(nameOfKey(entry.code), entry.name);
    }
    EXPECT_EQ(names.size(), 63u);
    EXPECT_EQ(codes.size(), 63u);
    EXPECT_EQ(keyFromName("F12"), 301);
    EXPECT_EQ(keyFromName("RALT"), 346);
}

TEST(KeyNames, NamesAreCaseSensitiveTrimmedAndUnknownCodesWriteAsQuestionMark) {
    EXPECT_EQ(keyFromName("space"), -1);
    EXPECT_EQ(keyFromName(" \tSPACE\r\n"), 32);
    EXPECT_EQ(keyFromName(""), -1);
    EXPECT_EQ(nameOfKey(-1), "?");
    EXPECT_EQ(nameOfKey(61), "?");  // '=' has no name
    EXPECT_EQ(keyFromName("?"), -1);
}

TEST(ConfigText, TrimRemovesOnlySpaceTabCrLf) {
    EXPECT_EQ(trim("  a b\t\r\n"), "a b");
    EXPECT_EQ(trim(" \t\r\n "), "");
    EXPECT_EQ(trim("\va\v"), "\va\v");
}

TEST(ConfigText, SectionsDoNotScopeKeysAndTheLastOfTwoLinesWins) {
    const Config config = parse(
        "[Bindings]\nscreenWidth = 800\n[Anything]\nscreenHeight=600\n"
        "fpsCap = 30\nfpsCap = 144\n");
    EXPECT_EQ(config.screenWidth, 800);
    EXPECT_EQ(config.screenHeight, 600);
    EXPECT_EQ(config.fpsCap, 144);
}

TEST(ConfigText, CrLfLinesReadLikeLfLines) {
    const Config config = parse("fullscreen = on\r\nkeyJump = J\r\nscreenWidth = 1600\r\n");
    EXPECT_TRUE(config.fullscreen);
    EXPECT_EQ(config.keyJump, 74);
    EXPECT_EQ(config.screenWidth, 1600);
}

TEST(ConfigText, BooleansAcceptOnlyOneTrueAndOn) {
    for (const char* text : {"1", "true", "on"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(parse(std::string("invertY = ") + text).invertY);
    }
    for (const char* text : {"TRUE", "yes", "0", "", "On"}) {
        SCOPED_TRACE(text);
        Config config;
        config.invertY = true;
        std::istringstream input(std::string("invertY = ") + text);
        parseConfig(config, input);
        EXPECT_FALSE(config.invertY);
    }
}

TEST(ConfigText, LowerCaseSpaceUnbindsJumpAndSavesAsQuestionMark) {
    const Config config = parse("keyJump = space\n");
    EXPECT_EQ(config.keyJump, -1);
    EXPECT_NE(formatConfig(config).find("keyJump           = ?\n"), std::string::npos);
    EXPECT_EQ(parse("keyJump=SPACE").keyJump, 32);
    EXPECT_EQ(parse("  keyJump  =   SPACE  ").keyJump, 32);
}

TEST(ConfigText, CommentsHeadersAndLinesWithoutEqualsAreSkipped) {
    const Config config = parse("#screenWidth = 1\n  #screenWidth = 2\nscreenWidth 3\n[screenWidth = 4]\n");
    EXPECT_EQ(config.screenWidth, 1280);
}

TEST(ConfigText, IntegersReadLikeStoiAndBadOnesKeepThePreviousValueWithAWarning) {
    EXPECT_EQ(parse("fpsCap = 60fps").fpsCap, 60);
    EXPECT_EQ(parse("fpsCap = -5").fpsCap, -5);
    EXPECT_EQ(parse("screenWidth = +1024").screenWidth, 1024);

    ConsoleCapture console;
    const Config config = parse(
        "screenWidth = 1024\nscreenWidth = wide\nscreenHeight = 99999999999\nfpsCap = \n");
    EXPECT_EQ(config.screenWidth, 1024);
    EXPECT_EQ(config.screenHeight, 720);
    EXPECT_EQ(config.fpsCap, 60);
    const std::string warnings = console.stderrText();
    EXPECT_NE(warnings.find("[Config] screenWidth"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("[Config] screenHeight"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("[Config] fpsCap"), std::string::npos) << warnings;
}

TEST(ConfigFile, SaveOfDefaultsWritesTheTwentyLines) {
    EXPECT_EQ(formatConfig(Config{}),
              "[Display]\n"
              "screenWidth       = 1280\n"
              "screenHeight      = 720\n"
              "fullscreen        = false\n"
              "fpsCap            = 60\n"
              "invertY           = false\n"
              "[Bindings]\n"
              "keyMoveForward    = W\n"
              "keyMoveBack       = S\n"
              "keyMoveLeft       = A\n"
              "keyMoveRight      = D\n"
              "keyJump           = SPACE\n"
              "keyPause          = ESC\n"
              "keyDebugCam       = F8\n"
              "keyNormalMap      = N\n"
              "keyCamUp          = Q\n"
              "keyCamDown        = E\n"
              "keyShowFPS        = F9\n"
              "keyWireframe      = F10\n"
              "keyBackCulling    = F11\n");
}

TEST(ConfigFile, SaveThenLoadGivesBackEveryNamedField) {
    TempDir dir;
    Config saved;
    saved.screenWidth = 1920;
    saved.screenHeight = 1080;
    saved.fullscreen = true;
    saved.fpsCap = 0;
    saved.invertY = true;
    saved.keyMoveForward = 265;
    saved.keyMoveBack = 264;
    saved.keyMoveLeft = 263;
    saved.keyMoveRight = 262;
    saved.keyJump = 340;
    saved.keyPause = 258;
    saved.keyNormalMap = 48;
    saved.keyCamUp = 290;
    saved.keyCamDown = 301;
    saved.keyShowFPS = 345;
    saved.keyWireframe = 342;
    saved.keyBackCulling = 346;
    saved.keyDebugCam = 259;
    const std::string path = (dir / "config.ini").string();
    ASSERT_TRUE(saveConfig(saved, path));

    ConsoleCapture console;
    Config loaded;
    ASSERT_TRUE(loadConfig(loaded, path));
    EXPECT_EQ(formatConfig(loaded), formatConfig(saved));
    EXPECT_EQ(loaded.keyDebugCam, 259);
    EXPECT_EQ(loaded.keyPause, 258);
    EXPECT_EQ(console.stdoutText(), "[Config] Loaded " + path + "  1920x1080 FS\n");
}

TEST(ConfigFile, MissingFileKeepsDefaultsAndSaysSo) {
    TempDir dir;
    const std::string path = (dir / "config.ini").string();
    ConsoleCapture console;
    Config config;
    config.fpsCap = 77;
    EXPECT_FALSE(loadConfig(config, path));
    EXPECT_EQ(config.fpsCap, 77);
    EXPECT_EQ(console.stdoutText(), "[Config] " + path + " not found, using defaults.\n");
}

TEST(ConfigFile, FullscreenOnlyFileLoadsWithOtherDefaults) {
    TempDir dir;
    const std::string path = dir.write("config.ini", "fullscreen = on\n").string();
    ConsoleCapture console;
    Config config;
    EXPECT_TRUE(loadConfig(config, path));
    EXPECT_TRUE(config.fullscreen);
    EXPECT_EQ(formatConfig(config), [] {
        Config expected;
        expected.fullscreen = true;
        return formatConfig(expected);
    }());
    EXPECT_EQ(console.stdoutText(), "[Config] Loaded " + path + "  1280x720 FS\n");
}

TEST(ConfigFile, FailedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.write("config.ini", "screenWidth = 800\n").string();
    // A folder where the temporary file must go makes the write fail.
    std::filesystem::create_directory(path + ".tmp");
    Config config;
    config.screenWidth = 1920;
    EXPECT_FALSE(saveConfig(config, path));
    EXPECT_EQ(readFile(path), "screenWidth = 800\n");
}

TEST(ConfigFile, FailedRenameLeavesNoTemporaryBehind) {
    TempDir dir;
    // config.ini is a folder with content: the rename over it fails.
    dir.write("config.ini/keep", "x");
    const std::string path = (dir / "config.ini").string();
    EXPECT_FALSE(saveConfig(Config{}, path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ(readFile(dir / "config.ini/keep"), "x");
}

TEST(ConfigFile, SaveIntoMissingFolderFails) {
    TempDir dir;
    EXPECT_FALSE(saveConfig(Config{}, (dir / "no/such/config.ini").string()));
}
