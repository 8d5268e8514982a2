// The main menu and the settings screen driven with the mouse on the real game:
// clicks land where the menu layout puts the buttons for the window's size.
#include "E2eLevels.h"

#include "config/Config.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kPlain = "name E2E Menu\nstart 0 0.5 0\n" + kFloor;

bool waitForGeometry(const GameRun& game, const std::string& id, const std::string& geometry) {
    return game.waitFor([&] { return contains(game.xdotool("getwindowgeometry " + id), geometry); }, 10.0);
}

SettingRowBoxes resolutionRow(float width, float height) {
    const SettingsLayout layout = buildSettingsLayout(width, height);
    return buildSettingRowBoxes(layout.rowX, layout.firstRowY, layout.rowWidth);
}

}  // namespace

TEST(MenuE2e, PlayStartsTheFirstLevelApplyThatCannotWriteStillResizesAndQuitCloses) {
    GameRun game;
    std::filesystem::create_directory(game.dir() / "config.ini");  // no file can take its place
    writeLevels(game, kPlain, kPlain, kPlain);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    game.screenshot("menu");
    const std::string id = game.windowId();
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).play);
    ASSERT_TRUE(game.waitForText(kBanner + "E2E Menu  coins=0  lives=3\n", 20.0)) << game.consoleText();
    game.key("m");
    sleepSeconds(0.5);
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).settings);
    sleepSeconds(0.5);
    clickCentre(game, resolutionRow(1280.0f, 720.0f).decrement);  // 1280x720 -> 800x600
    sleepSeconds(0.5);
    clickCentre(game, buildSettingsLayout(1280.0f, 720.0f).apply);
    EXPECT_TRUE(game.waitForText("[Config] Cannot write config.ini", 10.0)) << game.consoleText();
    EXPECT_TRUE(waitForGeometry(game, id, "Geometry: 800x600")) << game.xdotool("getwindowgeometry " + id);
    EXPECT_TRUE(std::filesystem::is_directory(game.dir() / "config.ini"));
    sleepSeconds(0.5);
    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).quit);
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(MenuE2e, SettingsApplySavesTheNextResolutionAndResizesTheWindow) {
    GameRun game;
    game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\nfpsCap = 100\n");
    writeLevels(game, kPlain, kPlain, kPlain);
    ASSERT_TRUE(game.start(1600, 1000));
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    ASSERT_TRUE(waitForGeometry(game, id, "Geometry: 800x600")) << game.xdotool("getwindowgeometry " + id);
    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).settings);
    sleepSeconds(0.5);
    clickCentre(game, resolutionRow(800.0f, 600.0f).increment);
    sleepSeconds(0.5);
    game.screenshot("settings");
    clickCentre(game, buildSettingsLayout(800.0f, 600.0f).apply);
    EXPECT_TRUE(waitForGeometry(game, id, "Geometry: 1280x720")) << game.xdotool("getwindowgeometry " + id);
    EXPECT_TRUE(contains(game.xdotool("getwindowgeometry " + id), "Position: 80,80"));
    Config saved;
    saved.screenWidth = saved.screenHeight = 0;
    ASSERT_TRUE(loadConfig(saved, (game.dir() / "config.ini").string()));
    EXPECT_TRUE(saved.screenWidth == 1280 && saved.screenHeight == 720 && saved.fpsCap == 100 && !saved.fullscreen);

    // Back in the menu, now laid out for the new size; Escape closes from the settings screen.
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).settings);
    sleepSeconds(0.5);
    game.screenshot("settings-after-apply");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
