// The settings screen's choices: what a config opens them with, and that only
// Apply writes them back, so Back leaves the config as it was.
#include "screens/MenuScreens.h"

#include "screens/MenuLayout.h"

#include <gtest/gtest.h>

TEST(SettingsChoices, ASizeOrCapNotInTheTablesOpensAsTheFirstRowAndOnlyApplyWritesThem) {
    Config config;
    config.screenWidth = 1366;
    config.fpsCap = 75;
    config.fullscreen = true;
    config.keyJump = 71;
    SettingsChoices choices = choicesFrom(config);
    EXPECT_EQ(std::make_tuple(choices.resolutionIndex, choices.fpsCapIndex, choices.fullscreen, choices.invertY),
              std::make_tuple(0, 0, true, false));
    const std::string before = formatConfig(config);
    choices.resolutionIndex = wrapIndex(choices.resolutionIndex, -1, static_cast<int>(kResolutions.size()));
    choices.fpsCapIndex = 2;
    choices.invertY = true;
    EXPECT_EQ(formatConfig(config), before);  // Back: the choices go, the config stays
    applyChoices(choices, config);
    EXPECT_EQ(std::make_tuple(config.screenWidth, config.screenHeight, config.fpsCap, config.invertY, config.keyJump),
              std::make_tuple(resolutionAt(-1).width, resolutionAt(-1).height, fpsCapAt(2), true, 71));
    choices = choicesFrom(config);  // opened again: the rows just written
    EXPECT_EQ(std::make_pair(choices.resolutionIndex, choices.fpsCapIndex),
              std::make_pair(static_cast<int>(kResolutions.size()) - 1, 2));
}
