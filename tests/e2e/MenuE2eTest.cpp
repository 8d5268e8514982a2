// The main menu and the settings screen driven with the mouse on the real game:
// clicks land where the menu layout puts the buttons for the window's size.
#include "E2eLevels.h"

#include "config/Config.h"
#include "ui/MenuLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

void clickCentre(const GameRun& game, UiBox box) {
    game.click(static_cast<int>(std::lround(box.x + box.w * 0.5f)), static_cast<int>(std::lround(box.y + box.h * 0.5f)));
}

bool waitForGeometry(const GameRun& game, const std::string& id, const std::string& geometry, double timeoutSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (contains(game.xdotool("getwindowgeometry " + id), geometry)) return true;
        sleepSeconds(0.1);
    }
    return false;
}

const std::string kPlain = "name E2E Menu\nstart 0 0.5 0\n" + kFloor;

}  // namespace

TEST(MenuE2e, ClickingPlayStartsTheFirstLevelAndClickingQuitCloses) {
    GameRun game;
    writeSmallWindowConfig(game);
    writeLevels(game, kPlain, kPlain, kPlain);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    game.screenshot("menu");
    const MainMenuButtons buttons = buildMainMenuButtons(640.0f, 360.0f);
    clickCentre(game, buttons.play);
    ASSERT_TRUE(game.waitForLog(kBanner + "E2E Menu  coins=0  lives=3\n", 20.0)) << game.logText();
    game.key("m");
    sleepSeconds(0.5);
    clickCentre(game, buttons.quit);
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(MenuE2e, SettingsApplySavesTheNextResolutionAndResizesTheWindow) {
    GameRun game;
    game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\nfpsCap = 100\n");
    writeLevels(game, kPlain, kPlain, kPlain);
    ASSERT_TRUE(game.start(1600, 1000));
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    ASSERT_FALSE(id.empty());
    ASSERT_TRUE(waitForGeometry(game, id, "Geometry: 800x600", 5.0)) << game.xdotool("getwindowgeometry " + id);

    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).settings);
    sleepSeconds(0.5);
    const SettingsLayout layout = buildSettingsLayout(800.0f, 600.0f);
    const SettingRowBoxes resolution = buildSettingRowBoxes(layout.rowX, layout.firstRowY, layout.rowWidth);
    clickCentre(game, resolution.increment);
    sleepSeconds(0.5);
    game.screenshot("settings");
    clickCentre(game, layout.apply);

    EXPECT_TRUE(waitForGeometry(game, id, "Geometry: 1280x720", 10.0)) << game.xdotool("getwindowgeometry " + id);
    EXPECT_TRUE(contains(game.xdotool("getwindowgeometry " + id), "Position: 80,80"))
        << game.xdotool("getwindowgeometry " + id);
    Config saved;
    saved.screenWidth = 0;
    saved.screenHeight = 0;
    ASSERT_TRUE(loadConfig(saved, (game.dir() / "config.ini").string()));
    EXPECT_EQ(saved.screenWidth, 1280);
    EXPECT_EQ(saved.screenHeight, 720);
    EXPECT_EQ(saved.fpsCap, 100);
    EXPECT_FALSE(saved.fullscreen);

    // Back in the menu, now laid out for the new size; Escape closes from the settings screen.
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).settings);
    sleepSeconds(0.5);
    game.screenshot("settings-after-apply");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(MenuE2e, ApplyThatCannotWriteTheFileSaysSoAndStillResizes) {
    GameRun game;
    std::filesystem::create_directory(game.dir() / "config.ini");  // no file can take its place
    writeLevels(game, kPlain, kPlain, kPlain);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    const std::string id = game.windowId();
    ASSERT_FALSE(id.empty());
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).settings);
    sleepSeconds(0.5);
    const SettingsLayout layout = buildSettingsLayout(1280.0f, 720.0f);
    const SettingRowBoxes resolution = buildSettingRowBoxes(layout.rowX, layout.firstRowY, layout.rowWidth);
    clickCentre(game, resolution.decrement);  // 1280x720 -> 800x600
    sleepSeconds(0.5);
    clickCentre(game, layout.apply);
    EXPECT_TRUE(game.waitForLog("[Config] Cannot write config.ini", 10.0)) << game.logText();
    EXPECT_TRUE(waitForGeometry(game, id, "Geometry: 800x600", 10.0)) << game.xdotool("getwindowgeometry " + id);
    EXPECT_TRUE(std::filesystem::is_directory(game.dir() / "config.ini"));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
