// The settings screen: a size or cap in no table row opens as the first row,
// Back leaves the config as it was, and Apply writes the choices and has the
// shell apply them. Driven without a window: no drawer ever makes a GL object.
#include "screens/MenuScreens.h"

#include "screens/Graphics.h"
#include "screens/MenuLayout.h"
#include "screens/PlayWorld.h"

#include <gtest/gtest.h>

namespace {
struct CountingShell : Shell {
    int applied = 0;
    void applySettings(const Config&) override { ++applied; }
};
}  // namespace

TEST(SettingsScreen, BackLeavesTheConfigAsItWasAndApplyWritesTheChoices) {
    Config config;
    config.screenWidth = 1366;  // in no row of the table
    config.fpsCap = 75;
    config.keyJump = 71;
    const SettingsChoices opened = choicesFrom(config);
    EXPECT_EQ(std::make_pair(opened.resolutionIndex, opened.fpsCapIndex), std::make_pair(0, 0));
    ModelLibrary library;
    GameSession session;
    PlayWorld world(session, library);
    Graphics graphics;
    DisplaySwitches switches;
    DebugCam debugCam;
    CountingShell shell;
    GameContext context{config, library, world, graphics, switches, debugCam, shell};
    SettingsScreen screen(context);
    Input input;
    const auto click = [&](UiBox box) {  // pressed and released within one frame
        input.onCursor(box.x + box.w * 0.5f, box.y + box.h * 0.5f);
        input.onMouseButton(kMouseLeft, 1);
        input.onMouseButton(kMouseLeft, 0);
        input.update();
        return screen.update(FrameInfo{input, kStepSeconds, 1280.0f, 720.0f, 1280, 720});
    };
    const SettingsLayout layout = buildSettingsLayout(1280.0f, 720.0f);
    const SettingRowBoxes resolution = buildSettingRowBoxes(layout.rowX, layout.firstRowY, layout.rowWidth);
    const std::string before = formatConfig(config);
    screen.enter(ScreenId::MainMenu);
    EXPECT_EQ(click(resolution.increment), ScreenId::Settings);
    EXPECT_EQ(click(layout.back), ScreenId::MainMenu);
    EXPECT_TRUE(formatConfig(config) == before && shell.applied == 0);
    screen.enter(ScreenId::MainMenu);  // from the config again: row 0, and back round to the last row
    click(resolution.decrement);
    EXPECT_EQ(click(layout.apply), ScreenId::MainMenu);
    EXPECT_EQ(std::make_tuple(config.screenWidth, config.screenHeight, config.fpsCap, config.keyJump, shell.applied),
              std::make_tuple(resolutionAt(-1).width, resolutionAt(-1).height, fpsCapAt(0), 71, 1));
}
